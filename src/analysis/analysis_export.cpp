#include "analysis/analysis_export.h"

#include "analysis/abundance.h"
#include "analysis/report.h"
#include "data/export_text.h"
#include "data/fields.h"

namespace zav {
namespace {

struct SpeciesClasses {
    std::string_view dominance, abundance, frequency, constancy;
};

SpeciesClasses trimmedClasses(const SpeciesRecord& sp) {
    return {trimControls(sp.dominanceClass), trimControls(abundanceText(sp.abundanceClass)),
            trimControls(sp.frequencyClass), trimControls(sp.constancyClass)};
}

void appendMember(std::string& out, std::string_view name) {
    appendJsonString(out, name);
    out += ": ";
}

} // namespace

std::string analysisJson(const AnalysisResult& result, std::string_view pathUtf8, const DateTime& when) {
    const auto& table = result.table;
    const auto& ix = result.indices;
    std::string out = "{\n  ";
    appendMember(out, "arquivo");
    appendJsonString(out, pathUtf8);
    out += ",\n  ";
    appendMember(out, "data");
    appendJsonString(out, isoDateTime(when));
    out += ",\n  \"especies\": [";
    const char* separator = "\n    ";
    for (const auto& sp : table.species) {
        const auto classes = trimmedClasses(sp);
        out += separator;
        separator = ",\n    ";
        out += "{\"especie\": ";
        appendJsonNumber(out, std::int64_t{sp.number});
        out += ", \"individuos\": ";
        appendJsonNumber(out, std::int64_t{sp.individuals});
        out += ", \"coletas\": ";
        appendJsonNumber(out, std::int64_t{sp.collections});
        out += ", \"dominancia\": ";
        appendJsonString(out, classes.dominance);
        out += ", \"abundancia\": ";
        appendJsonString(out, classes.abundance);
        out += ", \"frequencia\": ";
        appendJsonString(out, classes.frequency);
        out += ", \"constancia\": ";
        appendJsonString(out, classes.constancy);
        out += ", \"predominante\": ";
        out += isPredominant(sp) ? "true}" : "false}";
    }
    out += "\n  ],\n  \"total_individuos\": ";
    appendJsonNumber(out, table.totalIndividuals);
    out += ",\n  \"numero_especies\": ";
    appendJsonNumber(out, static_cast<std::int64_t>(table.species.size()));
    out += ",\n  \"total_coletas\": ";
    appendJsonNumber(out, std::int64_t{table.totalCollections});
    out += ",\n  \"shannon\": {\"H\": ";
    appendJsonNumber(out, ix.shannon);
    out += ", \"intervalo\": [";
    appendJsonNumber(out, ix.shannonLower);
    out += ", ";
    appendJsonNumber(out, ix.shannonUpper);
    out += "]},\n  \"margalef\": ";
    appendJsonNumber(out, ix.margalef);
    out += ",\n  \"equitabilidade\": ";
    appendJsonNumber(out, ix.evenness);
    out += "\n}\n";
    return out;
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
