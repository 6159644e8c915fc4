// Loads a plugin module from its file and finds its exports by name, as the game's host does.
#pragma once

#include <filesystem>
#include <string>

class LoadedModule {
public:
    LoadedModule() = default;
    ~LoadedModule();
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    // Opens the module; throws HostsimError (ModuleUnusable) naming the file and the system's reason
    // when it does not load.
    void open(const std::filesystem::path& file);
    // The address of an exported name, or null when the module lacks it.
    void* symbol(const char* name) const;
    void close();

private:
    void* handle_ = nullptr;
};

// Where this program's own executable lives.
std::filesystem::path executableDirectory();

// The plugin module built beside hostsim.
std::filesystem::path defaultModulePath();
