#include "report/ReportPage.h"

#include "report/PageAssets.h"

#include <array>
#include <stdexcept>

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

std::string filledPage(std::string_view page, std::span<const PagePart> parts) {
    std::size_t size = page.size();
    for (const PagePart& part : parts)
        size += part.second.size();
    std::string text;
    text.reserve(size);
    std::size_t from = 0;
    for (const auto& [marker, content] : parts) {
        const std::size_t at = page.find(marker, from);
        if (at == std::string_view::npos)
            throw std::logic_error("a page template lacks " + std::string(marker));
        text.append(page.substr(from, at - from)).append(content);
        from = at + marker.size();
    }
    return text.append(page.substr(from));
}

std::string reportPage(std::string_view summaryJson) {
    const std::string data = scriptSafeJson(summaryJson);
    const std::array<PagePart, 7> parts{{
        {"@@SCRIPT_ERRORS@@", scriptErrorsScript()},
        {"@@DYGRAPH_STYLE@@", dygraphStyle()},
        {"@@PALETTE_STYLE@@", paletteStyle()},
        {"@@PAGE_STYLE@@", pageStyle()},
        {"@@SUMMARY@@", data},
        {"@@DYGRAPH_SCRIPT@@", dygraphScript()},
        {"@@PAGE_SCRIPT@@", pageScript()},
    }};
    return filledPage(pageTemplate(), parts);
}
