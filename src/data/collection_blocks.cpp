#include "data/collection_blocks.h"

#include "data/cp1252.h"
#include "data/errors.h"
#include "data/exact_decimal.h"
#include "data/fields.h"
#include "data/file_io.h"
#include "data/line_reader.h"
#include "data/species_names.h"
#include "data/utf8.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zav {

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

namespace {

// The blocks' lines as the file has them, one block after the other.
struct RawBlock {
    std::string mark; // "[coletas]", "[clima]" or "[nomes]" (lower case)
    std::int64_t markLine = 0;
    std::vector<std::string> lines; // the lines after the mark, up to what the block promises
};

constexpr std::string_view kMarks[] = {kCollectionsMark, kWeatherMark, kNamesMark};

std::string_view markOf(std::string_view line) {
    for (const auto mark : kMarks)
        if (isBlockMark(line, mark)) return mark;
    return {};
}

bool blank(std::string_view line) { return trimControls(line).empty(); }

// The blocks after the species lines and the names: from the mark the names
// reader stopped at, or, after a names block read whole, from the next line
// that is not blank. Each block takes the lines it promises (C for
// [coletas], the names and C for [clima]), then blank lines are passed over
// to the next mark; the first other line ends the reading. A [nomes] mark
// met there ends it too, kept with no lines so that the parser can say
// where it stands.
std::vector<RawBlock> readRawBlocks(LineReader& reader, const NamesReading& names, std::int64_t collections) {
    std::vector<RawBlock> blocks;
    std::string mark = names.blockMark;
    std::int64_t markLine = names.blockMarkLine;
    const auto nextMark = [&] {
        while (true) {
            const auto line = reader.next();
            if (reader.pastEnd()) return false;
            if (blank(line)) continue;
            mark = markOf(line);
            markLine = reader.lineNumber();
            return !mark.empty();
        }
    };
    if (mark.empty() && !(names.marked && names.whole && nextMark())) return blocks;
    while (true) {
        RawBlock block{mark, markLine, {}};
        std::int64_t promised = mark == kCollectionsMark ? collections : mark == kWeatherMark ? collections + 1 : 0;
        for (std::int64_t k = 0; k < promised; ++k) {
            const auto line = reader.next();
            if (reader.pastEnd()) break;
            block.lines.emplace_back(line);
        }
        const bool ended = static_cast<std::int64_t>(block.lines.size()) < promised || mark == kNamesMark;
        blocks.push_back(std::move(block));
        if (ended || !nextMark()) break;
    }
    return blocks;
}

// The fields of a block's line, separated by spaces or tabs.
std::vector<std::string_view> splitBlockLine(std::string_view line) {
    std::vector<std::string_view> fields;
    line = trimControls(line);
    while (!line.empty()) {
        const auto end = line.find_first_of(" \t");
        fields.push_back(line.substr(0, end));
        if (end == std::string_view::npos) break;
        line = trimControls(line.substr(end));
    }
    return fields;
}

// A field as a message shows it: its start, printable, in quotes.
std::string shownField(std::string_view field) {
    constexpr std::size_t kShown = 30;
    std::string shown = printable(utf8::isValid(field.substr(0, kShown)) ? std::string(field.substr(0, kShown))
                                                                         : cp1252::toUtf8(field.substr(0, kShown)));
    if (field.size() > kShown) shown += "...";
    return "\"" + shown + "\"";
}

std::optional<int> digitsValue(std::string_view text) {
    if (text.empty() || text.size() > 4) return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// "aaaa-mm-dd" or "dd/mm/aaaa" (day and month of one or two digits in the
// second form), a day that exists in the years 1 to 9999.
std::optional<CalendarDate> parseDate(std::string_view text) {
    std::optional<int> year, month, day;
    if (const auto dash = text.find('-'); dash == 4) {
        const auto second = text.find('-', 5);
        if (second == std::string_view::npos || second != 7 || text.size() != 10) return std::nullopt;
        year = digitsValue(text.substr(0, 4));
        month = digitsValue(text.substr(5, 2));
        day = digitsValue(text.substr(8, 2));
    } else {
        const auto slash = text.find('/');
        const auto second = slash == std::string_view::npos ? slash : text.find('/', slash + 1);
        if (second == std::string_view::npos || slash < 1 || slash > 2 || second - slash < 2 || second - slash > 3 ||
            text.size() - second != 5)
            return std::nullopt;
        day = digitsValue(text.substr(0, slash));
        month = digitsValue(text.substr(slash + 1, second - slash - 1));
        year = digitsValue(text.substr(second + 1));
    }
    if (!year || !month || !day || *year < 1 || *month < 1 || *month > 12 || *day < 1 ||
        *day > daysInMonth(*year, *month))
        return std::nullopt;
    return CalendarDate{*year, *month, *day};
}

// A count of a collection: decimal digits only, within 32 bits.
std::optional<std::int32_t> parseCount(std::string_view text) {
    if (text.empty() || text.size() > 10) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

// A weather value: an optional sign, digits, and a comma or a point
// followed by digits. Read as the nearest double when the digits are at
// most 15 and the value within 1e22 (the digits and the power of ten are
// then exact, and one division or product rounds once); with the same
// arithmetic on every build otherwise, so every shell reads the same value.
std::optional<double> parseValue(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::uint64_t mantissa = 0;
    int significant = 0, exponent = 0, digits = 0;
    bool separator = false;
    for (const char c : text) {
        if (c == ',' || c == '.') {
            if (separator) return std::nullopt;
            separator = true;
            continue;
        }
        if (c < '0' || c > '9') return std::nullopt;
        ++digits;
        if (significant < 19) {
            if (mantissa != 0 || c != '0') ++significant;
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            if (separator) --exponent;
        } else if (!separator) {
            ++exponent;
        }
    }
    if (digits == 0 || text.front() == ',' || text.front() == '.' || text.back() == ',' || text.back() == '.')
        return std::nullopt;
    double value = static_cast<double>(mantissa);
    static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                         1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    while (exponent > 0) {
        const int step = std::min(exponent, 22);
        value *= kPowers[step];
        exponent -= step;
    }
    while (exponent < 0) {
        const int step = std::min(-exponent, 22);
        value /= kPowers[step];
        exponent += step;
    }
    if (!std::isfinite(value)) return std::nullopt;
    return negative && value != 0.0 ? -value : value;
}

std::string numberText(double value) {
    std::string text = shortestDecimal(value);
    if (text.find('e') != std::string::npos) text = exactDecimal(value);
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

// A variable's name as kept: UTF-8, cleaned as a species name, one field
// (a space inside it, from a control character, becomes "_"), never empty.
std::string variableName(std::string_view field, bool utf8) {
    auto name = cleanSpeciesName(utf8 || utf8::isValid(field) ? std::string(field) : cp1252::toUtf8(field));
    std::replace(name.begin(), name.end(), ' ', '_');
    return name.empty() ? "_" : name;
}

// A species line's numbers, for the check against the collections.
struct SpeciesLine {
    std::int32_t individuals = 0;
    std::optional<std::int32_t> collections; // none for a line of 0 individuals without a number there
};

struct Parser {
    std::int32_t speciesLines = 0;
    std::int32_t totalCollections = 0;
    std::vector<SpeciesLine> species;
    CollectionBlocks blocks;
    std::int64_t collectionsMarkLine = 0;
    std::int64_t weatherMarkLine = 0;
    bool utf8 = false;

    [[noreturn]] static void fail(std::int64_t line, const std::string& reason) {
        throw DataFileError(atLine(line, reason));
    }

    void collectionsBlock(const RawBlock& block) {
        if (collectionsMarkLine != 0) fail(block.markLine, "o bloco [coletas] aparece duas vezes");
        collectionsMarkLine = block.markLine;
        if (totalCollections < 1)
            fail(block.markLine, "o bloco [coletas] pede um total de coletas de 1 ou mais no cabeçalho (linha 1)");
        if (speciesLines < 1)
            fail(block.markLine, "o bloco [coletas] pede 1 ou mais linhas de espécies no cabeçalho (linha 1)");
        const auto expected = static_cast<std::size_t>(speciesLines) + 1;
        for (std::size_t k = 0; k < block.lines.size(); ++k) {
            const auto line = block.markLine + static_cast<std::int64_t>(k) + 1;
            const auto fields = splitBlockLine(block.lines[k]);
            if (fields.size() != expected)
                fail(line, "a coleta " + std::to_string(k + 1) + " deve ter a data e " + std::to_string(speciesLines) +
                               " contagens (uma por linha de espécie); a linha tem " + std::to_string(fields.size()) +
                               (fields.size() == 1 ? " campo" : " campos"));
            Collection collection;
            if (fields[0] != "-") {
                collection.date = parseDate(fields[0]);
                if (!collection.date)
                    fail(line, shownField(fields[0]) + " não é uma data (aaaa-mm-dd ou dd/mm/aaaa, ou - sem data)");
            }
            if (!blocks.collections.empty() &&
                blocks.collections.front().date.has_value() != collection.date.has_value())
                fail(line, "coletas com e sem data misturadas; dê a data de todas as coletas ou de nenhuma (-)");
            collection.counts.reserve(fields.size() - 1);
            for (std::size_t j = 1; j < fields.size(); ++j) {
                const auto count = parseCount(fields[j]);
                if (!count)
                    fail(line, "a contagem " + shownField(fields[j]) + " da espécie " + std::to_string(j) +
                                   " não é um número inteiro de 0 ou mais");
                collection.counts.push_back(*count);
            }
            blocks.collections.push_back(std::move(collection));
        }
        if (static_cast<std::int64_t>(block.lines.size()) < totalCollections) {
            const auto missing = block.lines.size() + 1;
            fail(block.markLine + static_cast<std::int64_t>(missing),
                 "falta a coleta " + std::to_string(missing) + ": o cabeçalho anuncia " +
                     std::to_string(totalCollections) + " coletas e o bloco [coletas] tem " +
                     std::to_string(missing - 1));
        }
    }

    void weatherBlock(const RawBlock& block) {
        if (weatherMarkLine != 0) fail(block.markLine, "o bloco [clima] aparece duas vezes");
        weatherMarkLine = block.markLine;
        if (totalCollections < 1)
            fail(block.markLine, "o bloco [clima] pede um total de coletas de 1 ou mais no cabeçalho (linha 1)");
        WeatherTable weather;
        const auto namesLine = block.markLine + 1;
        const auto names = block.lines.empty() ? std::vector<std::string_view>{} : splitBlockLine(block.lines[0]);
        if (names.empty()) fail(namesLine, "falta a linha dos nomes das variáveis do bloco [clima]");
        for (const auto name : names) {
            auto clean = variableName(name, utf8);
            if (std::find(weather.variables.begin(), weather.variables.end(), clean) != weather.variables.end())
                fail(namesLine, "a variável " + shownField(clean) + " aparece duas vezes");
            weather.variables.push_back(std::move(clean));
        }
        for (std::size_t k = 1; k < block.lines.size(); ++k) {
            const auto line = block.markLine + static_cast<std::int64_t>(k) + 1;
            const auto fields = splitBlockLine(block.lines[k]);
            if (fields.size() > names.size())
                fail(line, "o clima da coleta " + std::to_string(k) + " tem " + std::to_string(fields.size()) +
                               " valores; são " + std::to_string(names.size()) +
                               (names.size() == 1 ? " variável" : " variáveis"));
            std::vector<std::optional<double>> values(names.size());
            for (std::size_t v = 0; v < fields.size(); ++v) {
                if (fields[v] == "-") continue;
                values[v] = parseValue(fields[v]);
                if (!values[v])
                    fail(line, shownField(fields[v]) + " não é um número (variável " + weather.variables[v] +
                                   ", coleta " + std::to_string(k) + "); escreva - para uma falta");
            }
            weather.values.push_back(std::move(values));
        }
        if (static_cast<std::int64_t>(weather.values.size()) < totalCollections) {
            const auto missing = weather.values.size() + 1;
            fail(block.markLine + static_cast<std::int64_t>(missing) + 1,
                 "falta o clima da coleta " + std::to_string(missing) + ": o cabeçalho anuncia " +
                     std::to_string(totalCollections) + " coletas e o bloco [clima] tem " +
                     std::to_string(missing - 1));
        }
        blocks.weather = std::move(weather);
    }

    // Each species line against the sums of its counts.
    void checkAgreement() const {
        for (std::size_t s = 0; s < species.size(); ++s) {
            std::int64_t individuals = 0, collections = 0;
            for (const auto& c : blocks.collections) {
                individuals += c.counts[s];
                collections += c.counts[s] > 0 ? 1 : 0;
            }
            const auto line = static_cast<std::int64_t>(s) + 2;
            const auto number = std::to_string(s + 1);
            if (individuals != species[s].individuals)
                fail(line, "a espécie " + number + " soma " + std::to_string(individuals) +
                               " indivíduos nas coletas, mas a linha da espécie diz " +
                               std::to_string(species[s].individuals));
            if (species[s].collections && collections != *species[s].collections)
                fail(line, "a espécie " + number + " tem indivíduos em " + std::to_string(collections) +
                               " coletas, mas a linha da espécie diz " + std::to_string(*species[s].collections));
        }
    }

    CollectionBlocks read(LineReader& reader) {
        const auto header = readHeaderLine(reader);
        speciesLines = requireInteger(header.first, 1, Field::SpeciesLines);
        totalCollections = requireInteger(header.second, 1, Field::TotalCollections);
        for (std::int64_t k = 1; k <= speciesLines; ++k) {
            const auto fields = readSpeciesLine(reader, k, speciesLines);
            const auto line = reader.lineNumber();
            SpeciesLine numbers;
            numbers.individuals = requireInteger(fields.first, line, Field::Individuals);
            numbers.collections = numbers.individuals == 0 ? parseInteger(fields.second)
                                                           : requireInteger(fields.second, line, Field::Collections);
            species.push_back(numbers);
        }
        const auto names = readSpeciesNames(reader, speciesLines, [](std::int64_t, std::string&&) {});
        utf8 = reader.utf8Mark();
        for (const auto& block : readRawBlocks(reader, names, totalCollections)) {
            if (block.mark == kCollectionsMark)
                collectionsBlock(block);
            else if (block.mark == kWeatherMark)
                weatherBlock(block);
            else
                fail(block.markLine,
                     "o bloco [nomes] deve vir logo depois das linhas das espécies, antes de [coletas] e [clima]");
        }
        if (weatherMarkLine != 0 && collectionsMarkLine == 0)
            fail(weatherMarkLine, "o bloco [clima] pede o bloco [coletas] com as contagens de cada coleta");
        if (blocks.present()) checkAgreement();
        return std::move(blocks);
    }
};

} // namespace

CollectionBlocks parseCollectionBlocks(std::string_view bytes) {
    LineReader reader(bytes);
    return Parser{}.read(reader);
}

CollectionBlocks loadCollectionBlocks(const std::filesystem::path& path) {
    return readLinesOf(path, [](LineReader& reader) { return Parser{}.read(reader); });
}

std::string readCollectionBlockLines(LineReader& reader, const NamesReading& names, std::int64_t totalCollections) {
    std::string out;
    for (const auto& block : readRawBlocks(reader, names, std::max<std::int64_t>(totalCollections, 0))) {
        if (block.mark == kNamesMark) break;
        out.append(block.mark).append("\r\n");
        for (const auto& line : block.lines)
            out.append(line).append("\r\n");
    }
    return out;
}

std::string formatDate(const CalendarDate& date) {
    const auto two = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
    std::string year = std::to_string(date.year);
    if (year.size() < 4) year.insert(0, 4 - year.size(), '0');
    return year + "-" + two(date.month) + "-" + two(date.day);
}

std::string formatCollectionBlocks(const CollectionBlocks& blocks, TextEncoding encoding) {
    if (!blocks.present()) return {};
    std::string out(kCollectionsMark);
    out += "\r\n";
    for (const auto& collection : blocks.collections) {
        out += collection.date ? formatDate(*collection.date) : "-";
        for (const auto count : collection.counts)
            out.append(" ").append(std::to_string(count));
        out += "\r\n";
    }
    if (!blocks.weather) return out;
    out.append(kWeatherMark).append("\r\n");
    std::string separator;
    for (const auto& name : blocks.weather->variables) {
        const auto field = variableName(name, true);
        out.append(separator).append(encoding == TextEncoding::Windows1252 ? cp1252::fromUtf8(field) : field);
        separator = " ";
    }
    out += "\r\n";
    for (const auto& row : blocks.weather->values) {
        separator.clear();
        for (const auto& value : row) {
            out.append(separator).append(value ? numberText(*value) : "-");
            separator = " ";
        }
        out += "\r\n";
    }
    return out;
}

} // namespace zav
