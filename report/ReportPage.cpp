#include "report/ReportPage.h"

#include "report/PageAssets.h"

#include <array>
#include <stdexcept>
#include <utility>

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

std::string reportPage(std::string_view summaryJson) {
    const std::string data = scriptSafeJson(summaryJson);
    const std::array<std::pair<std::string_view, std::string_view>, 7> parts{{
        {"@@SCRIPT_ERRORS@@", scriptErrorsScript()},
        {"@@DYGRAPH_STYLE@@", dygraphStyle()},
        {"@@PALETTE_STYLE@@", paletteStyle()},
        {"@@PAGE_STYLE@@", pageStyle()},
        {"@@SUMMARY@@", data},
        {"@@DYGRAPH_SCRIPT@@", dygraphScript()},
        {"@@PAGE_SCRIPT@@", pageScript()},
    }};
    // The markers stand in the template in this order, each once.
    const std::string_view page = pageTemplate();
    std::string text;
    text.reserve(page.size() + data.size() + dygraphScript().size() + 64 * 1024);
    std::size_t from = 0;
    for (const auto& [marker, content] : parts) {
        const std::size_t at = page.find(marker, from);
        if (at == std::string_view::npos)
            throw std::logic_error("the page template lacks " + std::string(marker));
        text.append(page.substr(from, at - from)).append(content);
        from = at + marker.size();
    }
    text.append(page.substr(from));
    return text;
}
