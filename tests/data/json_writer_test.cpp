#include "data/errors.h"
#include "data/json_writer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zav {
namespace {

using Layout = JsonWriter::Layout;

TEST(JsonWriter, NestsLinesAndInlineContainers) {
    JsonWriter json;
    json.beginObject(Layout::Lines);
    json.key("a").beginObject(Layout::Lines);
    json.key("b").beginArray().integer(1).null().boolean(false).endArray();
    json.key("c").beginArray(Layout::Lines).endArray();
    json.endObject();
    json.key("d").beginObject().key("e").optionalNumber(true, 0.5).key("f").optionalNumber(false, 1).endObject();
    json.key("g").string("\"x\"\n");
    json.endObject();
    EXPECT_EQ(json.finish(), "{\n"
                             "  \"a\": {\n"
                             "    \"b\": [1, null, false],\n"
                             "    \"c\": []\n"
                             "  },\n"
                             "  \"d\": {\"e\": 0.5, \"f\": null},\n"
                             "  \"g\": \"\\\"x\\\"\\u000a\"\n"
                             "}\n");
}

TEST(JsonWriter, RefusesNumbersJsonCannotHold) {
    JsonWriter json;
    json.beginArray();
    EXPECT_THROW(json.number(std::nan("")), ComputationError);
    EXPECT_THROW(json.number(INFINITY), ComputationError);
}

} // namespace
} // namespace zav
