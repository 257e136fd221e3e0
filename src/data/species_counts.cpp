#include "data/species_counts.h"

namespace zav {
namespace {

std::string counted(std::int64_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string individualsIn(std::int64_t individuals, std::int64_t collections) {
    return counted(individuals, "indivíduo", "indivíduos") + " em " + counted(collections, "coleta", "coletas");
}

} // namespace

std::string speciesCountsProblem(std::int64_t individuals, std::int64_t collections,
                                 std::optional<std::int64_t> totalCollections) {
    if (individuals < 0 || collections < 0)
        return individualsIn(individuals, collections) + "; uma contagem não é negativa";
    if (individuals > 0 && collections == 0)
        return individualsIn(individuals, collections) +
               "; uma espécie com indivíduos foi coletada em ao menos uma coleta";
    if (individuals == 0 && collections > 0)
        return individualsIn(individuals, collections) + "; uma espécie coletada tem ao menos um indivíduo";
    if (individuals < collections)
        return individualsIn(individuals, collections) +
               "; uma espécie tem ao menos um indivíduo em cada coleta em que foi coletada";
    if (totalCollections && collections > *totalCollections)
        return counted(collections, "coleta", "coletas") + " num levantamento de " +
               counted(*totalCollections, "coleta", "coletas") +
               "; uma espécie não é coletada em mais coletas do que o levantamento tem";
    return {};
}

} // namespace zav
