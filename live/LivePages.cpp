#include "live/LivePages.h"

#include "live/LiveAssets.h"
#include "report/PageAssets.h"

#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// The skeletons hold no element that the embedding would refuse ("</script", "</style"): the styles and
// scripts are put into their elements here.
std::string styleElement(std::string_view style) {
    return "<style>\n" + std::string(style) + "\n</style>";
}

std::string scriptElement(std::string_view script) {
    return "<script>\n" + std::string(script) + "\n</script>";
}

// The skeleton with each marker, which stands in it once and in this order, replaced.
std::string filled(std::string_view skeleton,
                   const std::vector<std::pair<std::string_view, std::string>>& parts) {
    std::string text;
    std::size_t from = 0;
    for (const auto& [marker, content] : parts) {
        const std::size_t at = skeleton.find(marker, from);
        if (at == std::string_view::npos)
            throw std::logic_error("a page skeleton lacks " + std::string(marker));
        text.append(skeleton.substr(from, at - from)).append(content);
        from = at + marker.size();
    }
    return text.append(skeleton.substr(from));
}

// Loads session.js at once, as the page opens, so the first drawing has the data.
std::string dataScriptElement() {
    return std::string("<script src=\"") + kDataScriptName + "\"></script>";
}

// In the head: the report's script-error catcher first (it keeps every script error in the document),
// then the script both pages share, then the data.
std::string headScripts() {
    return scriptElement(scriptErrorsScript()) + "\n" + scriptElement(sharedScript()) + "\n" +
           dataScriptElement();
}

} // namespace

std::string livePage() {
    return filled(liveSkeleton(),
                  {
                      {"@@STYLES@@", styleElement(chartStyle()) + "\n" + styleElement(paletteStyle()) + "\n" +
                                         styleElement(liveStyle())},
                      {"@@HEAD_SCRIPTS@@", headScripts()},
                      {"@@SCRIPTS@@", scriptElement(chartScript()) + "\n" + scriptElement(liveScript())},
                  });
}

std::string overlayPage() {
    return filled(overlaySkeleton(), {
                                         {"@@STYLES@@", styleElement(overlayStyle())},
                                         {"@@HEAD_SCRIPTS@@", headScripts()},
                                         {"@@SCRIPTS@@", scriptElement(overlayScript())},
                                     });
}
