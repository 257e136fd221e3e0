#pragma once
// What one species' counts can be: a species caught has at least one
// individual in each collection it was caught in, so its individuals are
// never fewer than its collections; a species with individuals was caught
// in at least one collection, one without in none; and no species is caught
// in more collections than the survey has.

#include <cstdint>
#include <optional>
#include <string>

namespace zav {

// Why `individuals` in `collections` of a survey of `totalCollections`
// collections (not known: nullopt) cannot be one species' counts, as a
// sentence that a caller puts after the row or line it names:
// "3 indivíduos em 4 coletas; uma espécie tem ao menos um indivíduo em cada
// coleta em que foi coletada". Empty when the counts are possible.
std::string speciesCountsProblem(std::int64_t individuals, std::int64_t collections,
                                 std::optional<std::int64_t> totalCollections = std::nullopt);

} // namespace zav
