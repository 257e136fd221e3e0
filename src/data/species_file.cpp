#include "data/species_file.h"

#include "data/errors.h"
#include "data/fields.h"
#include "data/file_io.h"
#include "data/line_reader.h"
#include "data/text.h"

namespace zav {
namespace {

// Spaces that bring field 2 to column 8, and never fewer than one.
std::string gapAfter(std::string_view field1) {
    const auto width = static_cast<int>(trimControls(field1).size());
    return spaces(width < 7 ? 7 - width : 1);
}

} // namespace

static SpeciesTable readSpeciesTable(LineReader& reader) {
    SpeciesTable table;
    const auto header = splitLine(reader.next());
    table.speciesLines = requireInteger(header.first);
    table.totalCollections = requireInteger(header.second);

    for (std::int64_t k = 1; k <= table.speciesLines; ++k) {
        const auto fields = splitLine(reader.next());
        const auto individuals = requireInteger(fields.first);
        if (individuals == 0) {
            // Past the end every line is empty and fails above, so a header
            // that promises more lines than the file has ends here quickly.
            continue;
        }
        if (table.species.size() >= static_cast<std::size_t>(kMaxSpecies)) throw DataFileError();
        SpeciesRecord record;
        record.individuals = individuals;
        record.collections = requireInteger(fields.second);
        record.number = static_cast<std::int32_t>(k);
        table.species.push_back(std::move(record));
    }
    return table;
}

SpeciesTable parseSpeciesTable(std::string_view bytes) {
    LineReader reader(bytes);
    return readSpeciesTable(reader);
}

SpeciesTable loadSpeciesFile(const std::filesystem::path& path) {
    return readLinesOf(path, readSpeciesTable);
}

static DataFileTexts readDataFileTexts(LineReader& reader) {
    const auto header = splitLine(reader.next());
    const std::int32_t count = requireInteger(header.first);
    if (count < 1 || count > kMaxSpecies) throw DataFileError();
    DataFileTexts texts{std::string(header.first), std::string(header.second), {}};
    for (std::int32_t r = 1; r <= count; ++r) {
        const auto fields = splitLine(reader.next());
        texts.rows.push_back({std::string(fields.first), std::string(fields.second)});
    }
    return texts;
}

DataFileTexts parseDataFileTexts(std::string_view bytes) {
    LineReader reader(bytes);
    return readDataFileTexts(reader);
}

DataFileTexts loadDataFileTexts(const std::filesystem::path& path) {
    return readLinesOf(path, readDataFileTexts);
}

std::string formatSpeciesFile(std::string_view speciesCount, std::string_view totalCollections,
                              const std::vector<DataRow>& rows) {
    std::string out;
    const auto count = trimControls(speciesCount);
    out.append(count).append(gapAfter(count)).append(trimControls(totalCollections)).append("\r\n");
    for (const auto& row : rows) {
        out.append(row.individuals).append(gapAfter(row.individuals)).append(row.collections).append("\r\n");
    }
    return out;
}

} // namespace zav
