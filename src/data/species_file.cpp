#include "data/species_file.h"

#include "data/collection_blocks.h"
#include "data/errors.h"
#include "data/fields.h"
#include "data/file_io.h"
#include "data/line_reader.h"
#include "data/species_counts.h"
#include "data/species_names.h"
#include "data/text.h"

#include <optional>

namespace zav {
namespace {

// Spaces that bring field 2 to column 8, and never fewer than one.
std::string gapAfter(std::string_view field1) {
    const auto width = static_cast<int>(trimControls(field1).size());
    return spaces(width < 7 ? 7 - width : 1);
}

} // namespace

// At most this many lines of impossible counts are named one by one.
static constexpr std::size_t kCountWarningsNamed = 10;

// "Aviso: linha 7: 3 indivíduos em 4 coletas; ..." for a species line whose
// counts no survey can have; a line of 0 individuals is looked at only when
// its second field is a number.
static void checkCounts(SpeciesTable& table, std::int64_t line, std::int32_t individuals,
                        std::optional<std::int32_t> collections, std::int64_t& impossible) {
    if (!collections) return;
    const auto problem = speciesCountsProblem(individuals, *collections, table.totalCollections);
    if (problem.empty()) return;
    if (++impossible <= static_cast<std::int64_t>(kCountWarningsNamed))
        table.warnings.push_back("Aviso: linha " + std::to_string(line) + ": " + problem);
}

static SpeciesTable readSpeciesTable(LineReader& reader) {
    SpeciesTable table;
    const auto header = readHeaderLine(reader);
    table.speciesLines = requireInteger(header.first, 1, Field::SpeciesLines);
    table.totalCollections = requireInteger(header.second, 1, Field::TotalCollections);

    std::int64_t impossible = 0;
    for (std::int64_t k = 1; k <= table.speciesLines; ++k) {
        // A header that promises more lines than the file has ends at the
        // file's end, however many it promised.
        const auto fields = readSpeciesLine(reader, k, table.speciesLines);
        const auto line = reader.lineNumber();
        const auto individuals = requireInteger(fields.first, line, Field::Individuals);
        if (individuals == 0) {
            checkCounts(table, line, 0, parseInteger(fields.second), impossible);
            continue;
        }
        if (table.species.size() >= static_cast<std::size_t>(kMaxSpecies))
            throw DataFileError(atLine(line, "mais de " + std::to_string(kMaxSpecies) + " espécies com indivíduos"));
        SpeciesRecord record;
        record.individuals = individuals;
        record.collections = requireInteger(fields.second, line, Field::Collections);
        record.number = static_cast<std::int32_t>(k);
        checkCounts(table, line, individuals, record.collections, impossible);
        table.species.push_back(std::move(record));
    }
    if (const auto unnamed = impossible - static_cast<std::int64_t>(kCountWarningsNamed); unnamed > 0)
        table.warnings.push_back("Aviso: mais " + std::to_string(unnamed) + " linhas com contagens impossíveis");
    // The species are in the order of their lines.
    auto species = table.species.begin();
    auto names = readSpeciesNames(reader, table.speciesLines, [&](std::int64_t k, std::string&& name) {
        while (species != table.species.end() && species->number < k)
            ++species;
        if (species != table.species.end() && species->number == k) species->name = std::move(name);
    });
    table.warnings.insert(table.warnings.end(), names.warnings.begin(), names.warnings.end());
    return table;
}

SpeciesTable parseSpeciesTable(std::string_view bytes) {
    LineReader reader(bytes);
    return readSpeciesTable(reader);
}

SpeciesTable loadSpeciesFile(const std::filesystem::path& path) { return readLinesOf(path, readSpeciesTable); }

static DataFileTexts readDataFileTexts(LineReader& reader) {
    const auto header = readHeaderLine(reader);
    const std::int32_t count = requireInteger(header.first, 1, Field::SpeciesLines);
    if (count < 1 || count > kMaxSpecies)
        throw DataFileError(atLine(1, "o número de espécies deve ser de 1 a " + std::to_string(kMaxSpecies)));
    DataFileTexts texts{std::string(header.first), std::string(header.second), {}};
    for (std::int32_t r = 1; r <= count; ++r) {
        const auto fields = splitLine(reader.next());
        texts.rows.push_back({std::string(fields.first), std::string(fields.second)});
    }
    auto names = readSpeciesNames(reader, count, [&](std::int64_t k, std::string&& name) {
        texts.rows[static_cast<std::size_t>(k - 1)].name = std::move(name);
    });
    texts.encoding = names.encoding;
    texts.namesWhole = names.whole;
    texts.warnings = std::move(names.warnings);
    // The header's fields point into the reader's buffer, which reading on
    // has replaced: the copy kept in `texts` is read.
    if (const auto collections = parseInteger(texts.totalCollections))
        texts.blocks = readCollectionBlockLines(reader, names, *collections);
    return texts;
}

DataFileTexts parseDataFileTexts(std::string_view bytes) {
    LineReader reader(bytes);
    return readDataFileTexts(reader);
}

DataFileTexts loadDataFileTexts(const std::filesystem::path& path) { return readLinesOf(path, readDataFileTexts); }

std::string formatSpeciesFile(std::string_view speciesCount, std::string_view totalCollections,
                              const std::vector<DataRow>& rows, TextEncoding encoding, std::string_view blocks) {
    std::string out = encoding == TextEncoding::Utf8WithMark ? "\xEF\xBB\xBF" : "";
    const auto count = trimControls(speciesCount);
    out.append(count).append(gapAfter(count)).append(trimControls(totalCollections)).append("\r\n");
    for (const auto& row : rows) {
        out.append(row.individuals).append(gapAfter(row.individuals)).append(row.collections).append("\r\n");
    }
    std::vector<std::string> names;
    names.reserve(rows.size());
    for (const auto& row : rows)
        names.push_back(row.name);
    return out.append(formatSpeciesNames(names, encoding)).append(blocks);
}

} // namespace zav
