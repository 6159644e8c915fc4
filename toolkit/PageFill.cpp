#include "toolkit/PageFill.h"

#include <stdexcept>

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
