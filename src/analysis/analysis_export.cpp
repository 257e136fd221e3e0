#include "analysis/analysis_export.h"

#include "analysis/abundance.h"
#include "analysis/class_codes.h"
#include "analysis/report.h"
#include "data/export_text.h"
#include "data/json_writer.h"

namespace zav {
namespace {

struct SpeciesClasses {
    std::string_view dominance, abundance, frequency, constancy;
};

SpeciesClasses trimmedClasses(const SpeciesRecord& sp) {
    return {trimmedCode(Criterion::Dominance, sp.dominanceClass),
            trimmedCode(Criterion::Abundance, abundanceText(sp.abundanceClass)),
            trimmedCode(Criterion::Frequency, sp.frequencyClass), trimmedCode(Criterion::Constancy, sp.constancyClass)};
}

} // namespace

std::string analysisJson(const AnalysisResult& result, std::string_view pathUtf8, const DateTime& when) {
    using Layout = JsonWriter::Layout;
    const auto& table = result.table;
    const auto& ix = result.indices;
    JsonWriter json;
    json.beginObject(Layout::Lines);
    json.key("arquivo").string(pathUtf8);
    json.key("data").string(isoDateTime(when));
    json.key("especies").beginArray(Layout::Lines);
    for (const auto& sp : table.species) {
        const auto classes = trimmedClasses(sp);
        json.beginObject();
        json.key("especie").integer(sp.number);
        json.key("individuos").integer(sp.individuals);
        json.key("coletas").integer(sp.collections);
        json.key("dominancia").string(classes.dominance);
        json.key("abundancia").string(classes.abundance);
        json.key("frequencia").string(classes.frequency);
        json.key("constancia").string(classes.constancy);
        json.key("predominante").boolean(isPredominant(sp));
        json.endObject();
    }
    json.endArray();
    json.key("total_individuos").integer(table.totalIndividuals);
    json.key("numero_especies").integer(static_cast<std::int64_t>(table.species.size()));
    json.key("total_coletas").integer(table.totalCollections);
    json.key("shannon").beginObject();
    json.key("H").number(ix.shannon);
    json.key("intervalo").beginArray().number(ix.shannonLower).number(ix.shannonUpper).endArray();
    json.endObject();
    json.key("margalef").number(ix.margalef);
    json.key("equitabilidade").number(ix.evenness);
    json.endObject();
    return json.finish();
}

std::string speciesTableCsv(const AnalysisResult& result) {
    std::string out = "especie,individuos,coletas,dominancia,abundancia,frequencia,constancia,predominante\n";
    for (const auto& sp : result.table.species) {
        const auto classes = trimmedClasses(sp);
        out.append(std::to_string(sp.number)).append(",");
        out.append(std::to_string(sp.individuals)).append(",");
        out.append(std::to_string(sp.collections)).append(",");
        out.append(classes.dominance).append(",");
        out.append(classes.abundance).append(",");
        out.append(classes.frequency).append(",");
        out.append(classes.constancy).append(",");
        out.append(isPredominant(sp) ? "true\n" : "false\n");
    }
    return out;
}

} // namespace zav
