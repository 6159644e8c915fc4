#include "statsfile/FieldSplit.h"

#include <algorithm>

std::size_t splitFields(std::string_view line, std::span<std::string_view> fields, std::size_t joinPosition) {
    if (line.empty() || fields.empty())
        return 0;
    // A comma at the very end starts no field.
    std::string_view rest = line.back() == ',' ? line.substr(0, line.size() - 1) : line;
    const std::size_t total = static_cast<std::size_t>(std::count(rest.begin(), rest.end(), ',')) + 1;
    const std::size_t surplus = total > fields.size() ? total - fields.size() : 0;

    std::size_t count = 0;
    while (count < fields.size() && count < total) {
        // The joined field spans its own piece and the surplus pieces after it.
        std::size_t pieces = count == joinPosition ? surplus + 1 : 1;
        std::size_t length = 0;
        for (;;) {
            const std::size_t comma = rest.find(',', length);
            if (--pieces == 0 || comma == std::string_view::npos) {
                length = comma == std::string_view::npos ? rest.size() : comma;
                break;
            }
            length = comma + 1;
        }
        fields[count++] = rest.substr(0, length);
        rest.remove_prefix(std::min(rest.size(), length + 1));
    }
    return count;
}
