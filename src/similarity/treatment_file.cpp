#include "similarity/treatment_file.h"

#include "data/errors.h"
#include "data/fields.h"
#include "data/file_io.h"
#include "data/line_reader.h"
#include "data/species_table.h"

namespace zav {

std::vector<std::int32_t> parseTreatmentCounts(std::string_view bytes) {
    LineReader reader(bytes);
    const auto rows = parseInteger(splitLine(reader.next()).first);
    if (!rows || *rows > kMaxSpecies) throw DataFileError();
    std::vector<std::int32_t> counts;
    for (std::int32_t r = 1; r <= *rows; ++r) {
        const auto value = parseInteger(splitLine(reader.next()).first);
        if (!value) throw DataFileError();
        counts.push_back(*value);
    }
    return counts;
}

std::vector<std::int32_t> loadTreatmentFile(const std::filesystem::path& path) {
    return parseTreatmentCounts(readFileBytes(path));
}

} // namespace zav
