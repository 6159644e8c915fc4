#include "hostsim/picture/FontFile.h"

#include "hostsim/DisplayText.h"
#include "hostsim/HostsimError.h"
#include "hostsim/InputFile.h"
#include "hostsim/ModuleLoader.h"
#include "statsfile/PathText.h"

#include <cstdlib>
#include <optional>
#include <string>

namespace picture {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFontFileName = "DejaVuSansMono.ttf";

std::optional<fs::path> pathFromEnvironment(const char* name) {
#if defined(_WIN32)
    std::wstring wide(name, name + std::char_traits<char>::length(name));
    if (const wchar_t* value = _wgetenv(wide.c_str()); value && *value)
        return fs::path(value);
#else
    if (const char* value = std::getenv(name); value && *value)
        return pathFromUtf8(value);
#endif
    return std::nullopt;
}

// The system's font folders: Linux's own, or under Wine the same ones through drive Z:.
std::vector<fs::path> systemFontFolders() {
#if defined(_WIN32)
    return {fs::path(L"Z:\\usr\\share\\fonts"), fs::path(L"Z:\\usr\\local\\share\\fonts")};
#else
    return {fs::path("/usr/share/fonts"), fs::path("/usr/local/share/fonts")};
#endif
}

std::vector<unsigned char> readFontFile(const fs::path& file, const std::string& what) {
    const std::string content = readRegularFile(file, kLargestFontFile, what);
    return std::vector<unsigned char>(content.begin(), content.end());
}

bool isRegularFile(const fs::path& file) {
    std::error_code ignored;
    return fs::is_regular_file(file, ignored);
}

} // namespace

std::vector<fs::path> fontSearchPlaces() {
    std::vector<fs::path> places{executableDirectory() / kFontFileName};
#if defined(_WIN32)
    if (auto windows = pathFromEnvironment("WINDIR"))
        places.push_back(*windows / "Fonts" / kFontFileName);
#endif
    const std::vector<fs::path> system = systemFontFolders();
    places.push_back(system[0] / "truetype" / "dejavu" / kFontFileName);
    places.push_back(system[1] / kFontFileName);
    return places;
}

std::vector<fs::path> fallbackFontPlaces() {
    const fs::path fonts = systemFontFolders()[0];
    return {fonts / "truetype" / "wqy" / "wqy-microhei.ttc", fonts / "truetype" / "wqy" / "wqy-zenhei.ttc",
            fonts / "opentype" / "noto" / "NotoSansCJK-Regular.ttc"};
}

PictureFont loadPictureFont() {
    PictureFont loaded;
    if (auto chosen = pathFromEnvironment(kFontVariable)) {
        const std::string what = std::string("the font ") + kFontVariable + " names,";
        loaded.font = MonoFont::fromBytes(readFontFile(*chosen, what), displayPath(*chosen));
        loaded.files.push_back(*chosen);
    } else {
        std::string tried;
        for (const fs::path& place : fontSearchPlaces()) {
            if (!isRegularFile(place)) {
                tried += "\n  " + displayPath(place) + " (not found)";
                continue;
            }
            try {
                loaded.font = MonoFont::fromBytes(readFontFile(place, "the font"), displayPath(place));
                loaded.files.push_back(place);
                break;
            } catch (const HostsimError& problem) {
                tried += "\n  " + displayPath(place) + " (" + problem.what() + ")";
            }
        }
        if (!loaded.font)
            refuse(std::string("cannot draw the picture: the font ") + kFontFileName +
                   " was not found (install Debian's fonts-dejavu-core, or name the file in " +
                   kFontVariable + "); tried:" + tried);
    }
    // The fallback is a help, not a need: a picture of Latin text does without it.
    for (const fs::path& place : fallbackFontPlaces()) {
        if (!isRegularFile(place))
            continue;
        try {
            loaded.font->addFallback(readFontFile(place, "the fallback font"), displayPath(place));
            loaded.files.push_back(place);
            break;
        } catch (const HostsimError&) {
            continue; // a damaged fallback: try the next one
        }
    }
    return loaded;
}

} // namespace picture
