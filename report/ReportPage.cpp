#include "report/ReportPage.h"

#include "report/PageAssets.h"
#include "toolkit/JsonText.h"
#include "toolkit/PageFill.h"
#include "toolkit/SharedAssets.h"

#include <array>

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

std::string indexPage(std::string_view indexJson) {
    const std::string data = scriptSafeJson(indexJson);
    const std::array<PagePart, 5> parts{{
        {"@@SCRIPT_ERRORS@@", scriptErrorsScript()},
        {"@@PALETTE_STYLE@@", paletteStyle()},
        {"@@PAGE_STYLE@@", pageStyle()},
        {"@@INDEX@@", data},
        {"@@INDEX_SCRIPT@@", indexScript()},
    }};
    return filledPage(indexTemplate(), parts);
}
