#pragma once
// The one vocabulary of the faunistic classes: the code the report prints
// (padded to two columns), the code without padding (JSON, CSV, charts),
// the Portuguese name (UTF-8) and whether it is the class of the species
// set apart as outliers.

#include <span>
#include <string_view>

namespace zav {

enum class Criterion { Dominance, Abundance, Frequency, Constancy };

struct ClassCode {
    std::string_view printed; // " D"
    std::string_view trimmed; // "D"
    std::string_view name;    // "dominante"
    bool super = false;       // the class of the excluded species
};

namespace classes {
inline constexpr ClassCode kNotDominant{"ND", "ND", "não dominante", false};
inline constexpr ClassCode kDominant{" D", "D", "dominante", false};
inline constexpr ClassCode kSuperDominant{"SD", "SD", "super dominante", true};

inline constexpr ClassCode kRare{" r", "r", "raro", false};
inline constexpr ClassCode kDispersed{" d", "d", "disperso", false};
inline constexpr ClassCode kCommon{" c", "c", "comum", false};
inline constexpr ClassCode kAbundant{" a", "a", "abundante", false};
inline constexpr ClassCode kVeryAbundant{"ma", "ma", "muito abundante", false};
inline constexpr ClassCode kSuperAbundant{"sa", "sa", "super abundante", true};

inline constexpr ClassCode kInfrequent{"PF", "PF", "pouco freqüente", false};
inline constexpr ClassCode kFrequent{" F", "F", "freqüente", false};
inline constexpr ClassCode kVeryFrequent{"MF", "MF", "muito freqüente", false};
inline constexpr ClassCode kSuperFrequent{"SF", "SF", "super freqüente", true};

inline constexpr ClassCode kAccidental{"Z", "Z", "acidental", false};
inline constexpr ClassCode kAccessory{"Y", "Y", "acessória", false};
inline constexpr ClassCode kConstant{"W", "W", "constante", false};
} // namespace classes

// A criterion's classes from the lowest to the highest (abundance: classes
// 1 to 6 in this order).
std::span<const ClassCode> classCodes(Criterion criterion);

// The unpadded code of a printed one (" D" gives "D"); a text that is no
// class code of the criterion is returned without its leading spaces.
std::string_view trimmedCode(Criterion criterion, std::string_view printed);

} // namespace zav
