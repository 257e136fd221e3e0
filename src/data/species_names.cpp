#include "data/species_names.h"

#include "data/cp1252.h"
#include "data/fields.h"
#include "data/line_reader.h"
#include "data/utf8.h"

namespace zav {

std::string cleanSpeciesName(std::string_view in) {
    std::string out;
    std::size_t characters = 0;
    std::size_t keptBytes = 0; // out's length up to its last character that is not a space
    while (!in.empty() && characters < kMaxNameCharacters) {
        const auto decoded = utf8::decodeFirst(in);
        const char32_t cp = decoded.length == 0 ? 0xFFFD : decoded.codePoint;
        const bool control = cp < 0x20 || (cp >= 0x7F && cp <= 0x9F);
        if (control || cp == ' ') {
            if (!out.empty() && out.back() != ' ') {
                out += ' ';
                ++characters;
            }
        } else {
            if (decoded.length == 0)
                out += "\xEF\xBF\xBD";
            else
                out.append(in.substr(0, decoded.length));
            ++characters;
            keptBytes = out.size();
        }
        in.remove_prefix(decoded.length == 0 ? 1 : decoded.length);
    }
    out.resize(keptBytes);
    return out;
}

void readSpeciesNames(LineReader& reader, std::int64_t speciesLines,
                      const std::function<void(std::int64_t, std::string&&)>& named) {
    const auto mark = reader.nextWithinBound();
    if (!mark || reader.pastEnd() || trimControls(*mark) != kNamesMark) return;
    for (std::int64_t k = 1; k <= speciesLines; ++k) {
        const auto line = reader.nextWithinBound();
        if (!line || reader.pastEnd()) return;
        if (auto name = cleanSpeciesName(cp1252::toUtf8(*line)); !name.empty()) named(k, std::move(name));
    }
}

std::string formatSpeciesNames(const std::vector<std::string>& namesUtf8) {
    std::vector<std::string> names;
    std::size_t count = 0; // up to the last name filled
    for (const auto& name : namesUtf8) {
        names.push_back(cp1252::fromUtf8(cleanSpeciesName(name)));
        if (!names.back().empty()) count = names.size();
    }
    if (count == 0) return {};
    std::string out(kNamesMark);
    out += "\r\n";
    for (std::size_t k = 0; k < count; ++k)
        out.append(names[k]).append("\r\n");
    return out;
}

} // namespace zav
