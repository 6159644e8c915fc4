#include "toolkit/JsonText.h"

#include <gtest/gtest.h>

namespace {

TEST(JsonText, IsPureAsciiAndMendsBytesThatAreNotUtf8) {
    const nlohmann::ordered_json json = {{"title", "Caf\xc3\xa9 \xf0\x9f\x8f\x86 \xff end"}, {"n", 1}};
    EXPECT_EQ(jsonText(json), R"({"title":"Caf\u00e9 \ud83c\udfc6 \ufffd end","n":1})");
    EXPECT_EQ(jsonText(json, 1), "{\n \"title\": \"Caf\\u00e9 \\ud83c\\udfc6 \\ufffd end\",\n \"n\": 1\n}");
}

TEST(JsonText, ScriptSafeTextCannotEndOrOpenAnElementAndReadsBackTheSame) {
    const nlohmann::ordered_json json = {{"title", "</script><!-- a & b -->"}};
    const std::string safe = scriptSafeJson(jsonText(json));
    EXPECT_EQ(safe, R"({"title":"\u003c/script\u003e\u003c!-- a \u0026 b --\u003e"})");
    for (const char forbidden : {'<', '>', '&'})
        EXPECT_EQ(safe.find(forbidden), std::string::npos) << forbidden;
    EXPECT_EQ(nlohmann::ordered_json::parse(safe), json);
    EXPECT_EQ(scriptSafeJson(""), "");
}

} // namespace
