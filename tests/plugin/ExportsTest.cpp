// The module's exports as the host sees them: the registration record byte by byte, and the factory
// and release entry with the plugin's lifetime.
#include "hostsim/ModuleLoader.h"
#include "plugin/Tallyglass.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using GetPlugin = std::uintptr_t (*)();
using DeleteMe = void (*)();
using PluginPointer = std::shared_ptr<BakkesMod::Plugin::BakkesModPlugin>;

class ModuleExports : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NO_THROW(module.open(defaultModulePath()));
        getPlugin = reinterpret_cast<GetPlugin>(module.symbol("getPlugin"));
        deleteMe = reinterpret_cast<DeleteMe>(module.symbol("deleteMe"));
        ASSERT_NE(getPlugin, nullptr);
        ASSERT_NE(deleteMe, nullptr);
    }
    void TearDown() override {
        if (deleteMe)
            deleteMe();
    }

    PluginPointer& instance() { return *reinterpret_cast<PluginPointer*>(getPlugin()); }

    LoadedModule module;
    GetPlugin getPlugin = nullptr;
    DeleteMe deleteMe = nullptr;
};

template <class T> T fieldAt(const unsigned char* record, std::size_t offset) {
    T value;
    std::memcpy(&value, record + offset, sizeof value);
    return value;
}

TEST_F(ModuleExports, RegistrationRecordIsLaidOutFieldByField) {
    const auto* record = static_cast<const unsigned char*>(module.symbol("exports"));
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(fieldAt<std::int32_t>(record, 0), 95);
    EXPECT_EQ(fieldAt<std::uint32_t>(record, 4), 0u) << "padding after the API version";
    const char* sourcePath = fieldAt<const char*>(record, 8);
    ASSERT_NE(sourcePath, nullptr);
    EXPECT_GT(std::strlen(sourcePath), 0u);
    EXPECT_STREQ(fieldAt<const char*>(record, 16), "Tallyglass");
    EXPECT_STREQ(fieldAt<const char*>(record, 24), "Tallyglass");
    EXPECT_STREQ(fieldAt<const char*>(record, 32), "1.1");
    EXPECT_EQ(fieldAt<std::uint32_t>(record, 40), 0u) << "plugin type flags";
    EXPECT_EQ(fieldAt<std::uint32_t>(record, 44), 0u) << "padding after the flags";
    EXPECT_EQ(fieldAt<void*>(record, 48), module.symbol("getPlugin"));
    EXPECT_EQ(fieldAt<void*>(record, 56), module.symbol("deleteMe"));
}

TEST_F(ModuleExports, TwoGetPluginCallsGiveOneAddressAndOneObject) {
    std::uintptr_t first = getPlugin();
    BakkesMod::Plugin::BakkesModPlugin* object = reinterpret_cast<PluginPointer*>(first)->get();
    std::uintptr_t second = getPlugin();
    EXPECT_EQ(first, second);
    EXPECT_EQ(reinterpret_cast<PluginPointer*>(second)->get(), object);
    EXPECT_EQ(reinterpret_cast<PluginPointer*>(second)->use_count(), 1);
}

TEST_F(ModuleExports, DeleteMeWithNothingCreatedOrTwiceDoesNothing) {
    deleteMe();
    deleteMe();
    std::weak_ptr<BakkesMod::Plugin::BakkesModPlugin> created = instance();
    EXPECT_FALSE(created.expired()) << "getPlugin still creates the object afterwards";
    deleteMe();
    EXPECT_TRUE(created.expired());
    deleteMe();
    EXPECT_NE(instance().get(), nullptr);
}

TEST_F(ModuleExports, DeleteMeWhileTheHostHoldsACopyKeepsTheObjectUntilTheCopyGoes) {
    PluginPointer hostCopy = instance();
    std::weak_ptr<BakkesMod::Plugin::BakkesModPlugin> watch = hostCopy;
    deleteMe();
    EXPECT_FALSE(watch.expired());
    EXPECT_EQ(static_cast<Tallyglass*>(hostCopy.get())->boxOpacity, 210) << "the object is still whole";
    hostCopy.reset();
    EXPECT_TRUE(watch.expired());
}

TEST_F(ModuleExports, GetPluginAfterDeleteMeGivesAFreshObjectWithFreshDefaults) {
    auto* first = static_cast<Tallyglass*>(instance().get());
    first->pluginEnabled = false;
    first->boxOpacity = 1;
    first->mmrBoxX = 77;
    deleteMe();
    auto* second = static_cast<Tallyglass*>(instance().get());
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->pluginEnabled);
    EXPECT_EQ(second->boxOpacity, 210);
    EXPECT_EQ(second->textOpacity, 255);
    EXPECT_EQ(second->mmrBoxX, 0);
    EXPECT_EQ(second->currentMmr, 0.0f);
    EXPECT_EQ(second->lineCount, 0);
}

} // namespace
