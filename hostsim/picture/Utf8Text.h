// Turns the bytes of a drawn text into characters. Texts reach the canvas byte for byte as the plugin
// has them (file contents, playlist titles), so they may not be valid UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace picture {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes UTF-8; each byte that does not begin a well-formed sequence becomes one U+FFFD.
std::u32string decodeUtf8(std::string_view text);

} // namespace picture
