#include "similarity/similarity_export.h"

#include "data/export_text.h"
#include "similarity/similarity_report.h"

namespace zav {
namespace {

void appendOptional(std::string& out, bool defined, double value) {
    if (defined)
        appendJsonNumber(out, value);
    else
        out += "null";
}

} // namespace

std::string similarityJson(const SimilarityResult& result, const std::vector<std::string>& pathsUtf8) {
    std::string out = "{\n  \"tratamentos\": [";
    for (std::size_t i = 0; i < pathsUtf8.size(); ++i) {
        out += i == 0 ? "\n    " : ",\n    ";
        appendJsonString(out, pathsUtf8[i]);
    }
    out += "\n  ],\n  \"pares\": [";
    for (std::size_t i = 0; i < result.pairs.size(); ++i) {
        const auto& p = result.pairs[i];
        out += i == 0 ? "\n    " : ",\n    ";
        out += "{\"par\": ";
        appendJsonString(out, pairLabel(p));
        out += ", \"comuns\": ";
        appendJsonNumber(out, std::int64_t{p.common});
        out += ", \"a\": ";
        appendJsonNumber(out, std::int64_t{p.speciesX});
        out += ", \"b\": ";
        appendJsonNumber(out, std::int64_t{p.speciesY});
        out += ", \"quociente\": ";
        appendOptional(out, p.quotientDefined, p.quotient);
        out += ", \"intervalo\": [";
        appendOptional(out, p.intervalDefined, p.lower);
        out += ", ";
        appendOptional(out, p.intervalDefined, p.upper);
        out += "]}";
    }
    out += "\n  ]\n}\n";
    return out;
}

} // namespace zav
