#pragma once
// A treatment file read for a similarity or a comparison: the individuals
// of each species line.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

// The individuals of every species line of a data file, 0 included: field 1
// of the header is the species count R, then field 1 of each of the R lines.
// Collections are not read. Throws DataFileError on a field that does not
// convert, a missing line, or more than 900 species lines.
std::vector<std::int32_t> parseTreatmentCounts(std::string_view bytes);

// The same, read from a regular file, the lines it needs and no more.
std::vector<std::int32_t> loadTreatmentFile(const std::filesystem::path& path);

// The counts and, from the names block after the species lines, the name
// of every species line (UTF-8, empty for none; data/species_names.h).
struct TreatmentSpecies {
    std::vector<std::int32_t> counts;
    std::vector<std::string> names; // as many as counts
};
TreatmentSpecies loadTreatmentSpecies(const std::filesystem::path& path);
// The same from a file's bytes.
TreatmentSpecies parseTreatmentSpecies(std::string_view bytes);

} // namespace zav
