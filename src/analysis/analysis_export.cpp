#include "analysis/analysis_export.h"

#include "analysis/abundance.h"
#include "analysis/class_codes.h"
#include "analysis/report.h"
#include "data/export_text.h"
#include "data/json_writer.h"
#include "data/report_language.h"
#include "data/shown_table.h"
#include "data/spreadsheet_import.h"
#include "data/text.h"

#include <algorithm>
#include <cmath>

namespace zav {
namespace {

// The figures of the table for people: the report's rounding of its
// indices, 4 decimals.
constexpr int kShownDecimals = 4;

std::string shownFigure(const std::optional<double>& value, char decimalSeparator) {
    return value ? shownNumber(*value, kShownDecimals, decimalSeparator) : "-";
}

void appendCsvNumber(std::string& out, const std::optional<double>& value) {
    if (value) appendJsonNumber(out, *value);
}

// H's 95 % interval from its variance over the kept species (the H of the
// report), H -/+ z sqrt(var), z = qnorm(0.975), the lower limit at least 0:
// Hutcheson (1970) var = (sum p (ln p)^2 - H^2)/N' + (S' - 1)/(2 N'^2);
// Zar (2010) the first term alone. The report's interval, kept as the method
// defines it, is H -/+ 2 sqrt(v/N') with v that first term: about sqrt(N')
// times narrower, so not an interval of H to publish.
struct VarianceInterval {
    double variance = 0.0;
    double lower = 0.0;
    double upper = 0.0;
};

VarianceInterval shannonVarianceInterval(const SpeciesTable& table, double h, bool hutchesonTerm) {
    constexpr double kNormal975 = 1.9599639845400543;
    double n = 0.0, kept = 0.0;
    for (const auto& sp : table.species) {
        if (!sp.kept()) continue;
        n += sp.individuals;
        kept += 1.0;
    }
    double sumSquares = 0.0;
    for (const auto& sp : table.species) {
        if (!sp.kept()) continue;
        const double p = sp.individuals / n, lp = std::log(p);
        sumSquares += p * lp * lp;
    }
    VarianceInterval out;
    out.variance = std::max(0.0, (sumSquares - h * h) / n);
    if (hutchesonTerm) out.variance += (kept - 1.0) / (2.0 * n * n);
    const double half = kNormal975 * std::sqrt(out.variance);
    out.lower = std::max(0.0, h - half);
    out.upper = h + half;
    return out;
}

void varianceIntervalJson(JsonWriter& json, const std::string& name, const VarianceInterval& i) {
    json.key("variancia_" + name).number(i.variance);
    json.key("ic95_" + name).beginArray().number(i.lower).number(i.upper).endArray();
}

} // namespace

std::vector<SpeciesTableRow> speciesTableRows(const AnalysisResult& result) {
    std::vector<SpeciesTableRow> rows;
    rows.reserve(result.table.species.size());
    for (const auto& sp : result.table.species) {
        SpeciesTableRow row;
        row.number = sp.number;
        row.name = sp.name;
        row.individuals = sp.individuals;
        row.collections = sp.collections;
        if (sp.kept()) {
            row.percentage = sp.percentage;
            row.dominanceLimit = sp.dominanceLimit;
        }
        row.dominance = trimmedCode(Criterion::Dominance, sp.dominanceClass);
        row.abundance = trimmedCode(Criterion::Abundance, abundanceText(sp.abundanceClass));
        row.frequency = trimmedCode(Criterion::Frequency, sp.frequencyClass);
        row.constancy = trimmedCode(Criterion::Constancy, sp.constancyClass);
        row.predominant = isPredominant(sp);
        rows.push_back(row);
    }
    return rows;
}

std::string analysisJson(const AnalysisResult& result, std::string_view pathUtf8, const DateTime& when) {
    using Layout = JsonWriter::Layout;
    const auto& table = result.table;
    const auto& ix = result.indices;
    JsonWriter json;
    json.beginObject(Layout::Lines);
    json.key("arquivo").string(pathUtf8);
    json.key("data").string(isoDateTime(when));
    if (!table.warnings.empty()) {
        json.key("avisos").beginArray(Layout::Lines);
        for (const auto& warning : table.warnings)
            json.string(warning);
        json.endArray();
    }
    json.key("especies").beginArray(Layout::Lines);
    for (const auto& row : speciesTableRows(result)) {
        json.beginObject();
        json.key("especie").integer(row.number);
        if (row.name.empty())
            json.key("nome").null();
        else
            json.key("nome").string(row.name);
        json.key("individuos").integer(row.individuals);
        json.key("coletas").integer(row.collections);
        json.key("percentual").optionalNumber(row.percentage.has_value(), row.percentage.value_or(0));
        json.key("limite_dominancia").optionalNumber(row.dominanceLimit.has_value(), row.dominanceLimit.value_or(0));
        json.key("dominancia").string(row.dominance);
        json.key("abundancia").string(row.abundance);
        json.key("frequencia").string(row.frequency);
        json.key("constancia").string(row.constancy);
        json.key("predominante").boolean(row.predominant);
        json.endObject();
    }
    json.endArray();
    json.key("total_individuos").integer(table.totalIndividuals);
    json.key("numero_especies").integer(static_cast<std::int64_t>(table.species.size()));
    json.key("total_coletas").integer(table.totalCollections);
    json.key("shannon").beginObject();
    json.key("H").number(ix.shannon);
    json.key("intervalo").beginArray().number(ix.shannonLower).number(ix.shannonUpper).endArray();
    varianceIntervalJson(json, "hutcheson", shannonVarianceInterval(table, ix.shannon, true));
    varianceIntervalJson(json, "zar", shannonVarianceInterval(table, ix.shannon, false));
    json.endObject();
    json.key("margalef").number(ix.margalef);
    json.key("equitabilidade").number(ix.evenness);
    json.endObject();
    return json.finish();
}

std::array<std::string_view, 11> speciesTableColumns(ReportLanguage language) {
    switch (language) {
    case ReportLanguage::Portuguese:
        break;
    case ReportLanguage::English:
        return {"species",   "name",      "individuals", "collections", "percentage", "dominance_limit",
                "dominance", "abundance", "frequency",   "constancy",   "predominant"};
    case ReportLanguage::Spanish:
        return {"especie",    "nombre",     "individuos", "colectas",   "porcentaje",  "limite_dominancia",
                "dominancia", "abundancia", "frecuencia", "constancia", "predominante"};
    }
    return kSpeciesTableColumns;
}

std::string speciesTableCsv(const AnalysisResult& result) {
    std::string out;
    for (const auto column : kSpeciesTableColumns)
        out.append(column).append(column == kSpeciesTableColumns.back() ? "\n" : ",");
    for (const auto& row : speciesTableRows(result)) {
        out.append(std::to_string(row.number)).append(",");
        appendCsvText(out, spreadsheetText(row.name));
        out.append(",").append(std::to_string(row.individuals)).append(",");
        out.append(std::to_string(row.collections)).append(",");
        appendCsvNumber(out, row.percentage);
        out.append(",");
        appendCsvNumber(out, row.dominanceLimit);
        out.append(",");
        out.append(row.dominance).append(",");
        out.append(row.abundance).append(",");
        out.append(row.frequency).append(",");
        out.append(row.constancy).append(",");
        out.append(row.predominant ? "true\n" : "false\n");
    }
    return out;
}

std::vector<std::vector<std::string>> speciesTableCells(const AnalysisResult& result, char decimalSeparator,
                                                        ReportLanguage language) {
    std::vector<std::vector<std::string>> cells;
    cells.emplace_back();
    for (const char* heading : {"Espécie", "Nome", "Indivíduos", "Coletas", "% de N'", "Limite de dominância (%)",
                                "Dominância", "Abundância", "Frequência", "Constância", "Predominante"})
        cells.back().push_back(reportText(language, heading));
    for (const auto& row : speciesTableRows(result)) {
        cells.push_back({std::to_string(row.number), spreadsheetText(row.name), std::to_string(row.individuals),
                         std::to_string(row.collections), shownFigure(row.percentage, decimalSeparator),
                         shownFigure(row.dominanceLimit, decimalSeparator), std::string(row.dominance),
                         std::string(row.abundance), std::string(row.frequency), std::string(row.constancy),
                         row.predominant ? "*" : ""});
    }
    return cells;
}

std::string speciesTableTsv(const AnalysisResult& result, char decimalSeparator, ReportLanguage language) {
    std::string out;
    for (const auto& row : speciesTableCells(result, decimalSeparator, language)) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) out += '\t';
            for (const char c : row[i])
                out += (c == '\t' || c == '\n' || c == '\r') ? ' ' : c;
        }
        out += '\n';
    }
    return out;
}

std::string speciesTableHtml(const AnalysisResult& result, char decimalSeparator, ReportLanguage language) {
    std::string out = "<html><head><meta charset=\"utf-8\"></head><body><table>\n";
    bool heading = true;
    for (const auto& row : speciesTableCells(result, decimalSeparator, language)) {
        const char* cell = heading ? "th" : "td";
        out += "<tr>";
        for (const auto& text : row) {
            out.append("<").append(cell).append(">");
            appendHtmlText(out, text);
            out.append("</").append(cell).append(">");
        }
        out += "</tr>\n";
        heading = false;
    }
    out += "</table></body></html>\n";
    return out;
}

} // namespace zav
