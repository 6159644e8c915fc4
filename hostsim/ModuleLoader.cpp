#include "hostsim/ModuleLoader.h"

#include "hostsim/DisplayText.h"
#include "hostsim/HostsimError.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

#include <vector>

namespace {

[[noreturn]] void refuseModule(const std::filesystem::path& file, const std::string& reason) {
    throw HostsimError(ExitStatus::ModuleUnusable,
                       "cannot use module " + displayPath(file) + ": it does not load (" + reason + ")");
}

} // namespace

LoadedModule::~LoadedModule() {
    close();
}

#if defined(_WIN32)

void LoadedModule::open(const std::filesystem::path& file) {
    close();
    handle_ = reinterpret_cast<void*>(LoadLibraryW(file.wstring().c_str()));
    if (!handle_)
        refuseModule(file,
                     reasonText(std::error_code(static_cast<int>(GetLastError()), std::system_category())));
}

void* LoadedModule::symbol(const char* name) const {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

void LoadedModule::close() {
    if (handle_)
        FreeLibrary(static_cast<HMODULE>(handle_));
    handle_ = nullptr;
}

std::filesystem::path executableDirectory() {
    std::vector<wchar_t> buffer(32768);
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return std::filesystem::path(std::wstring(buffer.data(), length)).parent_path();
}

std::filesystem::path defaultModulePath() {
    return executableDirectory() / "Tallyglass.dll";
}

#else

void LoadedModule::open(const std::filesystem::path& file) {
    close();
    handle_ = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* reason = dlerror();
        refuseModule(file, displayText(reason ? reason : "unknown reason"));
    }
}

void* LoadedModule::symbol(const char* name) const {
    return dlsym(handle_, name);
}

void LoadedModule::close() {
    if (handle_)
        dlclose(handle_);
    handle_ = nullptr;
}

std::filesystem::path executableDirectory() {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : self.parent_path();
}

std::filesystem::path defaultModulePath() {
    return executableDirectory() / "Tallyglass.so";
}

#endif
