#include "data/species_names.h"

#include "data/cp1252.h"
#include "data/fields.h"
#include "data/line_reader.h"
#include "data/utf8.h"

#include <algorithm>
#include <cctype>

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

bool isBlockMark(std::string_view line, std::string_view mark) {
    const auto text = trimControls(line);
    return text.size() == mark.size() && std::equal(text.begin(), text.end(), mark.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

namespace {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool isNamesMark(std::string_view line) { return isBlockMark(line, kNamesMark); }

// The marks of the blocks that may follow the names (data/collection_blocks.h).
constexpr std::string_view kFollowingMarks[] = {"[coletas]", "[clima]"};

// The mark of a following block that the line is, or empty.
std::string_view followingMark(std::string_view line) {
    for (const auto mark : kFollowingMarks)
        if (isBlockMark(line, mark)) return mark;
    return {};
}

std::string warningAt(std::int64_t line, const std::string& what) {
    return "Aviso: linha " + std::to_string(line) + ": " + what;
}

} // namespace

bool isAnyBlockMark(std::string_view line) { return isNamesMark(line) || !followingMark(line).empty(); }

NamesReading readSpeciesNames(LineReader& reader, std::int64_t speciesLines,
                              const std::function<void(std::int64_t, std::string&&)>& named) {
    NamesReading reading;
    if (reader.utf8Mark()) reading.encoding = TextEncoding::Utf8WithMark;
    const auto mark = reader.nextWithinBound();
    if (!mark || reader.pastEnd()) return reading;
    if (const auto following = followingMark(*mark); !following.empty()) {
        reading.blockMark = following;
        reading.blockMarkLine = reader.lineNumber();
        return reading;
    }
    // Lines ended by CR alone come as one line: each CR ends a name.
    std::vector<std::string> lines;
    const auto addPieces = [&](std::string_view line) {
        for (auto cr = line.find('\r'); cr != std::string_view::npos; cr = line.find('\r')) {
            lines.emplace_back(line.substr(0, cr));
            line.remove_prefix(cr + 1);
        }
        lines.emplace_back(line);
    };
    addPieces(*mark);
    if (!isNamesMark(lines.front())) return reading;
    reading.marked = true;
    lines.erase(lines.begin());

    // The raw lines first: their encoding is that of them all.
    while (static_cast<std::int64_t>(lines.size()) < speciesLines) {
        const auto line = reader.nextWithinBound();
        if (!line) {
            reading.whole = false;
            reading.warnings.push_back(warningAt(
                reader.lineNumber(), "o nome da espécie " + std::to_string(lines.size() + 1) + " passa de " +
                                         std::to_string(LineReader::kMaxLineBytes) + " caracteres e não foi lido"));
            lines.emplace_back();
            continue;
        }
        if (reader.pastEnd()) {
            if (reader.cutByControlZ()) {
                reading.whole = false;
                reading.warnings.push_back(warningAt(reader.lineNumber() - 1,
                                                     "um caractere Ctrl-Z (fim de arquivo do DOS) interrompe os nomes; "
                                                     "os nomes depois dele não foram lidos"));
            }
            break;
        }
        if (const auto following = followingMark(*line); !following.empty()) {
            reading.blockMark = following;
            reading.blockMarkLine = reader.lineNumber();
            break;
        }
        addPieces(*line);
    }
    lines.resize(std::min(lines.size(), static_cast<std::size_t>(speciesLines)));
    if (reading.encoding != TextEncoding::Utf8WithMark &&
        std::all_of(lines.begin(), lines.end(), [](const std::string& l) { return utf8::isValid(l); }) &&
        !std::all_of(lines.begin(), lines.end(), [](const std::string& l) { return isAscii(l); }))
        reading.encoding = TextEncoding::Utf8;
    const bool utf8 = reading.encoding != TextEncoding::Windows1252;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        auto name = cleanSpeciesName(utf8 ? lines[k] : cp1252::toUtf8(lines[k]));
        // A name that is a block's mark once cleaned (cut by a CR alone, or
        // with controls around it) would be written back as that mark, and
        // the file would no longer read: it is no name.
        if (isAnyBlockMark(name)) {
            reading.warnings.push_back("Aviso: o nome da espécie " + std::to_string(k + 1) +
                                       " é a marca de um bloco e não foi lido");
            continue;
        }
        if (!name.empty()) named(static_cast<std::int64_t>(k + 1), std::move(name));
    }
    return reading;
}

std::string formatSpeciesNames(const std::vector<std::string>& namesUtf8, TextEncoding encoding) {
    std::vector<std::string> names;
    std::size_t count = 0; // up to the last name filled
    for (const auto& name : namesUtf8) {
        auto clean = cleanSpeciesName(name);
        if (isAnyBlockMark(clean)) clean.clear(); // it would end the block
        names.push_back(encoding == TextEncoding::Windows1252 ? cp1252::fromUtf8(clean) : clean);
        if (!names.back().empty()) count = names.size();
    }
    if (count == 0) return {};
    std::string out(kNamesMark);
    out += "\r\n";
    for (std::size_t k = 0; k < count; ++k)
        out.append(names[k]).append("\r\n");
    return out;
}

TextEncoding encodingToSave(TextEncoding read, const std::vector<std::string>& names,
                            const std::vector<std::string>& variables) {
    if (read != TextEncoding::Windows1252) return read;
    const auto held = [](const std::string& text) { return cp1252::holds(text); };
    if (!std::all_of(names.begin(), names.end(), held) || !std::all_of(variables.begin(), variables.end(), held))
        return TextEncoding::Utf8;
    // The readers take the names' bytes as UTF-8 when all of them are valid
    // UTF-8 and not all plain ASCII; a weather variable's, when they are.
    std::vector<std::string> nameBytes;
    for (const auto& name : names)
        nameBytes.push_back(cp1252::fromUtf8(cleanSpeciesName(name)));
    const auto valid = [](const std::string& bytes) { return utf8::isValid(bytes); };
    const auto wide = [](const std::string& bytes) { return !isAscii(bytes); };
    const bool namesMisread =
        std::all_of(nameBytes.begin(), nameBytes.end(), valid) && std::any_of(nameBytes.begin(), nameBytes.end(), wide);
    const bool variableMisread = std::any_of(variables.begin(), variables.end(), [&](const std::string& name) {
        const auto bytes = cp1252::fromUtf8(name);
        return valid(bytes) && wide(bytes);
    });
    return namesMisread || variableMisread ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

} // namespace zav
