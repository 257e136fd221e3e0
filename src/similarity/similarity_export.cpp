#include "similarity/similarity_export.h"

#include "data/json_writer.h"
#include "similarity/similarity_report.h"

namespace zav {
std::string similarityJson(const SimilarityResult& result, const std::vector<std::string>& pathsUtf8,
                           const std::vector<std::string>& notesUtf8) {
    using Layout = JsonWriter::Layout;
    JsonWriter json;
    json.beginObject(Layout::Lines);
    json.key("tratamentos").beginArray(Layout::Lines);
    for (const auto& path : pathsUtf8)
        json.string(path);
    json.endArray();
    if (!notesUtf8.empty()) {
        json.key("avisos").beginArray(Layout::Lines);
        for (const auto& note : notesUtf8)
            json.string(note);
        json.endArray();
    }
    json.key("pares").beginArray(Layout::Lines);
    for (const auto& p : result.pairs) {
        json.beginObject();
        json.key("par").string(pairLabel(p));
        json.key("comuns").integer(p.common);
        json.key("a").integer(p.speciesX);
        json.key("b").integer(p.speciesY);
        json.key("quociente").optionalNumber(p.quotientDefined, p.quotient);
        json.key("intervalo").beginArray();
        json.optionalNumber(p.intervalDefined, p.lower).optionalNumber(p.intervalDefined, p.upper);
        json.endArray().endObject();
    }
    json.endArray();
    json.endObject();
    return json.finish();
}

} // namespace zav
