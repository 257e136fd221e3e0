#include "similarity/treatment_file.h"

#include "data/errors.h"
#include "data/fields.h"
#include "data/file_io.h"
#include "data/line_reader.h"
#include "data/species_names.h"
#include "data/species_table.h"

#include <string>

namespace zav {

namespace {

std::vector<std::int32_t> readTreatmentCounts(LineReader& reader) {
    const std::int32_t rows = requireInteger(readHeaderLine(reader).first, 1, Field::SpeciesLines);
    if (rows > kMaxSpecies)
        throw DataFileError(atLine(1, "mais de " + std::to_string(kMaxSpecies) + " linhas de espécies"));
    std::vector<std::int32_t> counts;
    for (std::int32_t r = 1; r <= rows; ++r) {
        const auto fields = readSpeciesLine(reader, r, rows);
        counts.push_back(requireInteger(fields.first, reader.lineNumber(), Field::Individuals));
    }
    return counts;
}

TreatmentSpecies readTreatmentSpecies(LineReader& reader) {
    TreatmentSpecies species{readTreatmentCounts(reader), {}};
    species.names.resize(species.counts.size());
    readSpeciesNames(reader, static_cast<std::int64_t>(species.counts.size()), [&](std::int64_t k, std::string&& name) {
        species.names[static_cast<std::size_t>(k - 1)] = name;
    });
    return species;
}

// read(reader) on the file; a DataFileError names the file.
template <typename Read> auto readTreatment(const std::filesystem::path& path, Read read) {
    try {
        return readLinesOf(path, read);
    } catch (const DataFileError& e) {
        // Among several treatments, the message says which file it is.
        throw DataFileError(printable(absolutePath(path).string()) + ": " + e.detail());
    }
}

} // namespace

std::vector<std::int32_t> parseTreatmentCounts(std::string_view bytes) {
    LineReader reader(bytes);
    return readTreatmentCounts(reader);
}

std::vector<std::int32_t> loadTreatmentFile(const std::filesystem::path& path) {
    return readTreatment(path, readTreatmentCounts);
}

TreatmentSpecies loadTreatmentSpecies(const std::filesystem::path& path) {
    return readTreatment(path, readTreatmentSpecies);
}

TreatmentSpecies parseTreatmentSpecies(std::string_view bytes) {
    LineReader reader(bytes);
    return readTreatmentSpecies(reader);
}

} // namespace zav
