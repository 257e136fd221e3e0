#include "fluctuation/fluctuation.h"

#include "analysis/analysis.h"
#include "analysis/report.h"
#include "data/errors.h"
#include "diversity/collection_matrix.h"

namespace zav {

const char* const kNoCollectionsMessage =
    "O arquivo não tem o bloco [coletas]: a flutuação precisa das contagens de cada coleta. Importe a planilha "
    "com uma coluna por coleta (Arquivo > Importar planilha..., \"Uma coluna por coleta\", ou zaviro-relatorio "
    "--importar --por-coleta) ou acrescente ao fim do arquivo uma linha [coletas] e, para cada coleta, uma linha "
    "com a data e as contagens das espécies na ordem das linhas.";

namespace {

// The species lines the faunistic analysis marks "*", with their names.
void findPredominant(const SpeciesTable& table, FluctuationResult& result) {
    try {
        const auto analysed = analyse(table);
        for (const auto& sp : analysed.table.species)
            if (isPredominant(sp)) {
                result.predominant.push_back(sp.number);
                result.predominantNames.push_back(sp.name);
            }
    } catch (const Error&) {
        // No faunistic classes for these data: no predominant species.
    }
}

using Series = std::vector<std::optional<double>>;

// The weather variable v as paired with collections 0..C-1: collection k
// takes the value of collection k - lag, none before the first.
Series laggedVariable(const WeatherTable& weather, std::size_t v, std::size_t collections, std::size_t lag) {
    Series out(collections);
    for (std::size_t k = lag; k < collections && k - lag < weather.values.size(); ++k)
        out[k] = weather.values[k - lag][v];
    return out;
}

} // namespace

FluctuationResult analyseFluctuation(const SpeciesTable& table, const CollectionBlocks& blocks, int lag) {
    if (!blocks.present()) throw DataFileError(kNoCollectionsMessage);
    if (lag < 0) throw Error("Erro: a defasagem deve ser 0 ou mais coletas");
    FluctuationResult result;
    result.lag = lag;
    findPredominant(table, result);
    if (blocks.weather) {
        result.variables = blocks.weather->variables;
        result.weather = blocks.weather->values;
    }

    const auto collections = blocks.collections.size();
    Series individuals(collections), species(collections);
    std::vector<Series> predominant(result.predominant.size(), Series(collections));
    std::vector<double> angles, weights;
    for (std::size_t k = 0; k < collections; ++k) {
        const auto& c = blocks.collections[k];
        CollectionSummary row;
        row.number = static_cast<int>(k + 1);
        row.date = c.date;
        for (const auto count : c.counts) {
            row.individuals += count;
            row.species += count > 0 ? 1 : 0;
        }
        row.shannon = diversity::collectionShannon(c.counts);
        for (std::size_t i = 0; i < result.predominant.size(); ++i) {
            const auto count = c.counts[static_cast<std::size_t>(result.predominant[i] - 1)];
            row.predominant.push_back(count);
            predominant[i][k] = count;
        }
        individuals[k] = static_cast<double>(row.individuals);
        species[k] = row.species;
        if (c.date) {
            angles.push_back(fluctuation::dateAngle(*c.date));
            weights.push_back(static_cast<double>(row.individuals));
        }
        result.collections.push_back(std::move(row));
    }

    if (blocks.weather) {
        const auto add = [&](std::string series, std::string name, const Series& values) {
            for (std::size_t v = 0; v < result.variables.size(); ++v)
                result.correlations.push_back(
                    {series, name, v,
                     fluctuation::correlate(
                         values, laggedVariable(*blocks.weather, v, collections, static_cast<std::size_t>(lag)))});
        };
        add("individuos", "", individuals);
        add("especies", "", species);
        for (std::size_t i = 0; i < result.predominant.size(); ++i)
            add("especie " + std::to_string(result.predominant[i]), result.predominantNames[i], predominant[i]);
    }

    if (!blocks.dated())
        result.seasonalityMissing = "as coletas não têm data";
    else
        result.seasonality = fluctuation::rayleigh(angles, weights, result.seasonalityMissing);
    return result;
}

} // namespace zav
