#include "live/LivePages.h"

#include "live/LiveAssets.h"
#include "toolkit/PageFill.h"
#include "toolkit/SharedAssets.h"

#include <array>
#include <string_view>

namespace {

// The skeletons hold no element that the embedding would refuse ("</script", "</style"): the styles and
// scripts are put into their elements here.
std::string styleElement(std::string_view style) {
    return "<style>\n" + std::string(style) + "\n</style>";
}

std::string scriptElement(std::string_view script) {
    return "<script>\n" + std::string(script) + "\n</script>";
}

// Loads session.js at once, as the page opens, so the first drawing has the data.
std::string dataScriptElement() {
    return std::string("<script src=\"") + kDataScriptName + "\"></script>";
}

// In the head: the script-error catcher first (it keeps every script error in the document),
// then the script both pages share, then the data.
std::string headScripts() {
    return scriptElement(scriptErrorsScript()) + "\n" + scriptElement(sharedScript()) + "\n" +
           dataScriptElement();
}

} // namespace

std::string livePage() {
    const std::string styles =
        styleElement(dygraphStyle()) + "\n" + styleElement(paletteStyle()) + "\n" + styleElement(liveStyle());
    const std::string head = headScripts();
    const std::string scripts = scriptElement(dygraphScript()) + "\n" + scriptElement(liveScript());
    const std::array<PagePart, 3> parts{{
        {"@@STYLES@@", styles},
        {"@@HEAD_SCRIPTS@@", head},
        {"@@SCRIPTS@@", scripts},
    }};
    return filledPage(liveSkeleton(), parts);
}

std::string overlayPage() {
    const std::string styles = styleElement(overlayStyle());
    const std::string head = headScripts();
    const std::string scripts = scriptElement(overlayScript());
    const std::array<PagePart, 3> parts{{
        {"@@STYLES@@", styles},
        {"@@HEAD_SCRIPTS@@", head},
        {"@@SCRIPTS@@", scripts},
    }};
    return filledPage(overlaySkeleton(), parts);
}
