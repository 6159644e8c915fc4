#include "hostsim/picture/Utf8Text.h"

#include "toolkit/Utf8.h"

namespace picture {

std::u32string decodeUtf8(std::string_view text) {
    std::u32string decoded;
    while (!text.empty()) {
        const Utf8Character character = utf8CharacterAt(text);
        if (character.length == 0) {
            decoded.push_back(kReplacementCharacter);
            text.remove_prefix(1);
            continue;
        }
        decoded.push_back(character.code);
        text.remove_prefix(character.length);
    }
    return decoded;
}

} // namespace picture
