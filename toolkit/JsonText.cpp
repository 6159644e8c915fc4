#include "toolkit/JsonText.h"

std::string jsonText(const nlohmann::ordered_json& json, int indent) {
    return json.dump(indent, ' ', true, nlohmann::ordered_json::error_handler_t::replace);
}

std::string scriptSafeJson(std::string_view json) {
    std::string safe;
    safe.reserve(json.size() + json.size() / 16);
    for (const char c : json) {
        switch (c) {
        case '<':
            safe += "\\u003c";
            break;
        case '>':
            safe += "\\u003e";
            break;
        case '&':
            safe += "\\u0026";
            break;
        default:
            safe += c;
        }
    }
    return safe;
}
