#include "similarity/treatment_file.h"

#include "data/errors.h"
#include "data/fields.h"
#include "data/file_io.h"
#include "data/line_reader.h"
#include "data/species_table.h"

namespace zav {

namespace {

std::vector<std::int32_t> readTreatmentCounts(LineReader& reader) {
    const std::int32_t rows = requireInteger(splitLine(reader.next()).first);
    if (rows > kMaxSpecies) throw DataFileError();
    std::vector<std::int32_t> counts;
    for (std::int32_t r = 1; r <= rows; ++r)
        counts.push_back(requireInteger(splitLine(reader.next()).first));
    return counts;
}

} // namespace

std::vector<std::int32_t> parseTreatmentCounts(std::string_view bytes) {
    LineReader reader(bytes);
    return readTreatmentCounts(reader);
}

std::vector<std::int32_t> loadTreatmentFile(const std::filesystem::path& path) {
    return readLinesOf(path, readTreatmentCounts);
}

} // namespace zav
