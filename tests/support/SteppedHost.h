// hostsim's session on the real Tallyglass module, played a piece of scenario at a time, so that a test
// can damage the data folder between two pieces the way another program, the disk or the player would
// while the game runs. Everything else is as in hostsim: the same commands, world and load sequence, and
// the same module (the one beside the test program, or the one TALLYGLASS_TEST_MODULE names).
#pragma once

#include "hostsim/ModuleLoader.h"
#include "hostsim/Session.h"
#include "plugin/Tallyglass.h"

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

class SteppedHost {
public:
    explicit SteppedHost(const std::filesystem::path& dataFolder);
    ~SteppedHost();
    SteppedHost(const SteppedHost&) = delete;
    SteppedHost& operator=(const SteppedHost&) = delete;

    // Plays scenario text. A scenario that does not read fails the test; an exception the plugin lets
    // escape into the host is recorded (see escapedException) and ends this piece, as it ends hostsim.
    void play(const std::string& scenario);
    // Ends the session as hostsim does when a scenario is over: unloads a loaded plugin.
    void finish();

    // What escaped into the host, or empty when nothing did.
    const std::string& escapedException() const { return escaped_; }
    std::string console() const { return console_.str(); }
    const std::vector<std::string>& trace() const { return trace_; }
    // Texts the last frame drew, in order.
    std::vector<std::string> lastFrameTexts() const;
    // The plugin object while loaded, for checking what it keeps in memory; null otherwise.
    Tallyglass* plugin() const;
    hostcore::World& world() { return session_->world(); }

private:
    LoadedModule module_;
    std::ostringstream console_;
    std::vector<std::string> trace_;
    std::unique_ptr<Session> session_;
    std::string escaped_;
};
