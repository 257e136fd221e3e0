#include "data/fields.h"

#include "data/cp1252.h"
#include "data/errors.h"
#include "data/line_reader.h"

#include <string>

namespace zav {
namespace {

bool isControlOrSpace(char c) { return static_cast<unsigned char>(c) <= 32; }

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A tab in a message is an invisible gap: it is named instead.
std::string withTabsNamed(const std::string& text) {
    std::string out;
    for (const char c : text)
        out += c == '\t' ? std::string("<tabulação>") : std::string(1, c);
    return out;
}

} // namespace

std::string_view trimControls(std::string_view text) {
    while (!text.empty() && isControlOrSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isControlOrSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

LineFields splitLine(std::string_view line) {
    const auto space = line.find(' ');
    if (space == std::string_view::npos) return {trimControls(line), {}};
    return {trimControls(line.substr(0, space)), trimControls(line.substr(space))};
}

std::optional<std::int32_t> parseInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const auto rest = text.substr(i);
    std::size_t digitsAt = 0;
    bool hex = false;
    if (rest.starts_with("0x") || rest.starts_with("0X")) {
        hex = true;
        digitsAt = 2;
    } else if (rest.starts_with('$') || rest.starts_with('x') || rest.starts_with('X')) {
        hex = true;
        digitsAt = 1;
    }
    const auto digits = rest.substr(digitsAt);
    if (digits.empty()) return std::nullopt;

    if (hex) {
        if (digits.size() > 8) return std::nullopt;
        std::uint32_t pattern = 0;
        for (char c : digits) {
            const int v = hexValue(c);
            if (v < 0) return std::nullopt;
            pattern = (pattern << 4) | static_cast<std::uint32_t>(v);
        }
        // The sign applies to the 32-bit pattern, with two's-complement wrap.
        if (negative) pattern = 0u - pattern;
        return static_cast<std::int32_t>(pattern);
    }

    std::int64_t value = 0;
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > limit) return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

LineFields readHeaderLine(LineReader& reader) {
    const auto line = reader.next();
    if (reader.pastEnd()) throw DataFileError("O arquivo está vazio");
    // UTF-16 (Notepad's "Unicode"): a byte order mark, or a zero byte beside
    // every character of the digits.
    if (line.starts_with("\xFF\xFE") || line.starts_with("\xFE\xFF") || line.find('\0') != std::string_view::npos)
        throw DataFileError(atLine(1, "o arquivo está em UTF-16; grave-o como texto em UTF-8 ou ANSI (Windows-1252)"));
    // Lines ended by CR alone (old Mac programs) read as one line: a CR with
    // more of the line after it says so.
    if (const auto cr = line.find('\r'); cr != std::string_view::npos && !trimControls(line.substr(cr)).empty())
        throw DataFileError(atLine(1, "as linhas do arquivo terminam só com CR (fim de linha do Mac antigo); "
                                      "grave-o com fins de linha CR LF (Windows) ou LF"));
    const auto fields = splitLine(line);
    // A spreadsheet saved as CSV or TSV: its first row is not a header the
    // reader can take, and a separator of cells says why.
    if (!parseInteger(fields.first) && line.find_first_of(";,\t") != std::string_view::npos)
        throw DataFileError(atLine(1, "o arquivo parece uma planilha; use Arquivo > Importar planilha... "
                                      "(ou zaviro-relatorio --importar)"));
    return fields;
}

LineFields readSpeciesLine(LineReader& reader, std::int64_t k, std::int64_t announced) {
    const auto line = reader.next();
    if (reader.pastEnd())
        throw DataFileError("O cabeçalho anuncia " + std::to_string(announced) + " linhas de espécies; o arquivo tem " +
                            std::to_string(k - 1));
    return splitLine(line);
}

std::int32_t requireInteger(std::string_view field, std::int64_t line, Field what) {
    if (const auto value = parseInteger(field)) return *value;
    static const char* const kMissing[] = {"falta o número de linhas de espécies", "falta o total de coletas",
                                           "falta o número de indivíduos", "falta o número de coletas"};
    if (field.empty()) throw DataFileError(atLine(line, kMissing[static_cast<int>(what)]));
    // A field may be a whole line of rubbish: show its start.
    constexpr std::size_t kShown = 30;
    std::string shown = cp1252::toUtf8(field.substr(0, kShown));
    if (field.size() > kShown) shown += "...";
    throw DataFileError(atLine(line, "\"" + withTabsNamed(printable(shown)) + "\" não é um número inteiro"));
}

std::int32_t requireInteger(std::string_view field) {
    const auto value = parseInteger(field);
    if (!value) throw DataFileError();
    return *value;
}

} // namespace zav
