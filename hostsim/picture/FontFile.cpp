#include "hostsim/picture/FontFile.h"

#include "hostsim/ModuleLoader.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>

namespace picture {
namespace {

constexpr const char* kFontFileName = "DejaVuSansMono.ttf";

std::string displayPath(const std::filesystem::path& path) {
    auto text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::optional<std::filesystem::path> pathFromEnvironment(const char* name) {
#if defined(_WIN32)
    std::wstring wide(name, name + std::char_traits<char>::length(name));
    if (const wchar_t* value = _wgetenv(wide.c_str()); value && *value)
        return std::filesystem::path(value);
#else
    if (const char* value = std::getenv(name); value && *value)
        return std::filesystem::u8path(value);
#endif
    return std::nullopt;
}

} // namespace

std::vector<std::filesystem::path> fontSearchPlaces() {
    std::vector<std::filesystem::path> places;
    if (auto chosen = pathFromEnvironment(kFontVariable))
        places.push_back(*chosen);
    places.push_back(executableDirectory() / kFontFileName);
#if defined(_WIN32)
    if (auto windows = pathFromEnvironment("WINDIR"))
        places.push_back(*windows / "Fonts" / kFontFileName);
    places.push_back(std::filesystem::path(L"Z:\\usr\\share\\fonts\\truetype\\dejavu") / kFontFileName);
#else
    places.push_back(std::filesystem::path("/usr/share/fonts/truetype/dejavu") / kFontFileName);
    places.push_back(std::filesystem::path("/usr/local/share/fonts") / kFontFileName);
#endif
    return places;
}

std::unique_ptr<MonoFont> loadPictureFont(std::string& error) {
    std::string tried;
    for (const std::filesystem::path& place : fontSearchPlaces()) {
        std::ifstream in(place, std::ios::binary);
        if (!in) {
            tried += "\n  " + displayPath(place) + " (not found)";
            continue;
        }
        std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
        std::string problem;
        if (auto font = MonoFont::fromBytes(std::move(bytes), problem))
            return font;
        tried += "\n  " + displayPath(place) + " (" + problem + ")";
    }
    error = std::string("cannot draw the picture: the font ") + kFontFileName +
            " was not found (install Debian's fonts-dejavu-core, or name the file in " + kFontVariable +
            "); tried:" + tried;
    return nullptr;
}

} // namespace picture
