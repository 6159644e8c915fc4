// The members of the SDK's plugin base class as the module defines and exports them, called by their
// exported names the way a host reaches them: an object built by the module's default constructor,
// copied, moved, assigned and destroyed by the module's code alone.
#include "hostsim/ModuleLoader.h"
#include "pluginsdk/BakkesModPlugin.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

using Base = BakkesMod::Plugin::BakkesModPlugin;

// Member functions as free functions taking the object first, as both x86-64 ABIs call them.
using Construct = void (*)(void*);
using CopyConstruct = void (*)(void*, const void*);
using MoveConstruct = void (*)(void*, void*);
using Destroy = void (*)(void*);
using Assign = void* (*)(void*, const void*);
using Virtual = void (*)(void*);

const std::string kBase = "_ZN9BakkesMod6Plugin15BakkesModPlugin";

// Raw storage for one base object whose life the module's exported members run.
struct alignas(Base) Storage {
    std::byte bytes[sizeof(Base)];
    Base& object() { return *std::launder(reinterpret_cast<Base*>(bytes)); }
};

class BaseClassExports : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NO_THROW(module.open(defaultModulePath()));
        construct = member<Construct>("C1Ev");
        destroy = member<Destroy>("D1Ev");
        ASSERT_TRUE(construct && destroy);
    }

    template <class Function> Function member(const std::string& mangledTail) {
        void* address = module.symbol((kBase + mangledTail).c_str());
        EXPECT_NE(address, nullptr) << "the module does not export " << kBase << mangledTail;
        return reinterpret_cast<Function>(address);
    }

    // Shared pointers whose release is written down, so the destructor's order can be seen.
    std::shared_ptr<CVarManagerWrapper> cvarManager() {
        return {reinterpret_cast<CVarManagerWrapper*>(&released),
                [this](CVarManagerWrapper*) { released.push_back("cvarManager"); }};
    }
    std::shared_ptr<GameWrapper> gameWrapper() {
        return {reinterpret_cast<GameWrapper*>(&released),
                [this](GameWrapper*) { released.push_back("gameWrapper"); }};
    }

    // A base object built by the module's default constructor, holding both pointers.
    void constructHoldingBothPointers(Storage& storage) {
        construct(storage.bytes);
        storage.object().cvarManager = cvarManager();
        storage.object().gameWrapper = gameWrapper();
    }

    LoadedModule module;
    Construct construct = nullptr;
    Destroy destroy = nullptr;
    std::vector<std::string> released;
};

TEST_F(BaseClassExports, DefaultConstructorLeavesBothPointersEmptyAndInstallsTheExportedVirtualTable) {
    void* table = module.symbol("_ZTVN9BakkesMod6Plugin15BakkesModPluginE");
    ASSERT_TRUE(table);

    Storage storage;
    std::memset(storage.bytes, 0xA5, sizeof storage.bytes);
    construct(storage.bytes);
    EXPECT_EQ(storage.object().cvarManager, nullptr);
    EXPECT_EQ(storage.object().gameWrapper, nullptr);

    // The object points two entries into the table (past its offset and type entries); onLoad fills the
    // first slot and onUnload the second, and both do nothing.
    void* const* slots = nullptr;
    std::memcpy(&slots, storage.bytes, sizeof slots);
    EXPECT_EQ(slots, static_cast<void* const*>(table) + 2);
    EXPECT_EQ(slots[0], module.symbol((kBase + "6onLoadEv").c_str()));
    EXPECT_EQ(slots[1], module.symbol((kBase + "8onUnloadEv").c_str()));
    storage.object().cvarManager = cvarManager();
    reinterpret_cast<Virtual>(slots[0])(storage.bytes);
    reinterpret_cast<Virtual>(slots[1])(storage.bytes);
    EXPECT_NE(storage.object().cvarManager, nullptr);
    EXPECT_TRUE(released.empty());
    destroy(storage.bytes);
}

TEST_F(BaseClassExports, CopiesShareBothPointers) {
    auto copyConstruct = member<CopyConstruct>("C1ERKS1_");
    auto copyAssign = member<Assign>("aSERKS1_");
    ASSERT_TRUE(copyConstruct && copyAssign);

    Storage source, copy, assigned;
    constructHoldingBothPointers(source);

    copyConstruct(copy.bytes, source.bytes);
    EXPECT_EQ(copy.object().cvarManager, source.object().cvarManager);
    EXPECT_EQ(copy.object().gameWrapper.use_count(), 2);

    construct(assigned.bytes);
    EXPECT_EQ(copyAssign(assigned.bytes, source.bytes), assigned.bytes) << "assignment returns the object";
    EXPECT_EQ(assigned.object().gameWrapper, source.object().gameWrapper);
    EXPECT_EQ(source.object().cvarManager.use_count(), 3);

    destroy(copy.bytes);
    destroy(assigned.bytes);
    EXPECT_EQ(source.object().cvarManager.use_count(), 1);
    EXPECT_TRUE(released.empty());
    destroy(source.bytes);
}

TEST_F(BaseClassExports, MovesTakeBothPointersOverAndLeaveTheSourceEmpty) {
    auto moveConstruct = member<MoveConstruct>("C1EOS1_");
    auto moveAssign = member<Assign>("aSEOS1_");
    ASSERT_TRUE(moveConstruct && moveAssign);

    Storage first, second, third;
    constructHoldingBothPointers(first);

    moveConstruct(second.bytes, first.bytes);
    EXPECT_EQ(first.object().cvarManager, nullptr);
    EXPECT_EQ(first.object().gameWrapper, nullptr);
    EXPECT_EQ(second.object().cvarManager.use_count(), 1);

    construct(third.bytes);
    EXPECT_EQ(moveAssign(third.bytes, second.bytes), third.bytes);
    EXPECT_EQ(second.object().cvarManager, nullptr);
    EXPECT_EQ(second.object().gameWrapper, nullptr);
    EXPECT_EQ(third.object().gameWrapper.use_count(), 1);

    destroy(first.bytes);
    destroy(second.bytes);
    EXPECT_TRUE(released.empty()) << "emptied objects release nothing";
    destroy(third.bytes);
    EXPECT_EQ(released, (std::vector<std::string>{"gameWrapper", "cvarManager"}));
}

TEST_F(BaseClassExports, DestructorReleasesGameWrapperBeforeCvarManager) {
    Storage storage;
    constructHoldingBothPointers(storage);
    destroy(storage.bytes);
    EXPECT_EQ(released, (std::vector<std::string>{"gameWrapper", "cvarManager"}));
}

} // namespace
