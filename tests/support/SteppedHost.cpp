#include "tests/support/SteppedHost.h"

#include "hostsim/HostsimError.h"
#include "hostsim/Scenario.h"
#include "tests/support/HostsimRun.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace fs = std::filesystem;

SteppedHost::SteppedHost(const std::filesystem::path& dataFolder) {
    try {
        const std::string otherModule = otherTestModule();
        module_.open(otherModule.empty() ? defaultModulePath() : fs::u8path(otherModule));
    } catch (const HostsimError& error) {
        ADD_FAILURE() << error.what();
    }
    session_ = std::make_unique<Session>(module_, dataFolder, console_);
    session_->world().traceSink = [this](const std::string& line) { trace_.push_back(line); };
}

SteppedHost::~SteppedHost() {
    finish();
}

void SteppedHost::play(const std::string& scenario) {
    if (!session_)
        return;
    std::vector<ScenarioStep> steps;
    try {
        steps = parseScenario(scenario, "scenario");
    } catch (const HostsimError& error) {
        ADD_FAILURE() << error.what();
        return;
    }
    try {
        for (const ScenarioStep& step : steps)
            step.action(*session_);
    } catch (const std::exception& thrown) {
        escaped_ = thrown.what();
    } catch (...) {
        escaped_ = "unknown exception";
    }
}

void SteppedHost::finish() {
    if (!session_)
        return;
    try {
        session_.reset();
    } catch (...) {
        escaped_ = "exception at unload";
    }
}

std::vector<std::string> SteppedHost::lastFrameTexts() const {
    std::vector<std::string> texts;
    if (session_)
        for (const hostcore::DrawCall& call : session_->world().lastFrame())
            if (call.kind == hostcore::DrawCall::Kind::DrawString)
                texts.push_back(call.text);
    return texts;
}

Tallyglass* SteppedHost::plugin() const {
    if (!session_ || !session_->loaded())
        return nullptr;
    auto getPlugin = reinterpret_cast<std::uintptr_t (*)()>(module_.symbol("getPlugin"));
    auto* instance = reinterpret_cast<std::shared_ptr<BakkesMod::Plugin::BakkesModPlugin>*>(getPlugin());
    return static_cast<Tallyglass*>(instance->get());
}
