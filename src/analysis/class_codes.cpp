#include "analysis/class_codes.h"

#include <array>

namespace zav {
namespace {

using namespace classes;

constexpr std::array kDominanceCodes{kNotDominant, kDominant, kSuperDominant};
constexpr std::array kAbundanceCodes{kRare, kDispersed, kCommon, kAbundant, kVeryAbundant, kSuperAbundant};
constexpr std::array kFrequencyCodes{kInfrequent, kFrequent, kVeryFrequent, kSuperFrequent};
constexpr std::array kConstancyCodes{kAccidental, kAccessory, kConstant};

} // namespace

std::span<const ClassCode> classCodes(Criterion criterion) {
    switch (criterion) {
    case Criterion::Dominance:
        return kDominanceCodes;
    case Criterion::Abundance:
        return kAbundanceCodes;
    case Criterion::Frequency:
        return kFrequencyCodes;
    case Criterion::Constancy:
        break;
    }
    return kConstancyCodes;
}

std::string_view trimmedCode(Criterion criterion, std::string_view printed) {
    for (const auto& code : classCodes(criterion))
        if (code.printed == printed) return code.trimmed;
    while (!printed.empty() && printed.front() == ' ')
        printed.remove_prefix(1);
    return printed;
}

} // namespace zav
