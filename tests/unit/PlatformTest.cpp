// The system calls behind sibling lookup and the glyph buffer's storage, as
// each system's platform file provides them. Each test needs a process of its
// own (CTest runs them so), since a loaded module stays loaded.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "Doubles.h"
#include "platform/Platform.h"

namespace quenta::platform {
namespace {

using host::Module;

TEST(Platform, FindsALoadedModuleByItsNameAlone) {
    EXPECT_EQ(FindLoadedModule("Plotra"), nullptr);
    host::ModuleSet modules;
    ASSERT_TRUE(modules.LoadFile(Module::kPlotra, testing::DoubleModulePath(Module::kPlotra)));
    ModuleHandle found = FindLoadedModule("Plotra");
    ASSERT_NE(found, nullptr);
    EXPECT_NE(FindExport(found, "CreateInterface"), nullptr);
    EXPECT_EQ(FindExport(found, "NotCreateInterface"), nullptr);
    for (const char* name : {"", "Plotr", "lotra", "Plotra2", "Plotra.so.1"}) {
        EXPECT_EQ(FindLoadedModule(name), nullptr) << name;
    }
    EXPECT_EQ(FindLoadedModule(nullptr), nullptr);
    EXPECT_EQ(FindExport(nullptr, "CreateInterface"), nullptr);
}

TEST(Platform, FindingAModuleTakesNoReference) {
    host::ModuleSet modules;
    ASSERT_TRUE(modules.LoadFile(Module::kPlotra, testing::DoubleModulePath(Module::kPlotra)));
    ASSERT_NE(FindLoadedModule("Plotra"), nullptr);
    ASSERT_NE(FindLoadedModule("Plotra"), nullptr);
    modules.Unload(Module::kPlotra);
    EXPECT_EQ(FindLoadedModule("Plotra"), nullptr);
}

TEST(Platform, ABlockStaysLockedUntilItsLastUnlock) {
    GlobalHandle block = GlobalAllocMoveable(64);
    ASSERT_NE(block, nullptr);
    void* first = GlobalLockBlock(block);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GlobalLockBlock(block), first);
    EXPECT_TRUE(GlobalUnlockBlock(block));
    EXPECT_FALSE(GlobalUnlockBlock(block));
    EXPECT_EQ(GlobalFreeBlock(block), nullptr);
}

TEST(Platform, AResizedBlockKeepsItsBytes) {
    GlobalHandle block = GlobalAllocMoveable(16);
    ASSERT_NE(block, nullptr);
    auto* bytes = static_cast<uint8_t*>(GlobalLockBlock(block));
    ASSERT_NE(bytes, nullptr);
    for (int i = 0; i < 16; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + 1);
    ASSERT_FALSE(GlobalUnlockBlock(block));
    block = GlobalReAllocMoveable(block, 1 << 20);
    ASSERT_NE(block, nullptr);
    bytes = static_cast<uint8_t*>(GlobalLockBlock(block));
    ASSERT_NE(bytes, nullptr);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(bytes[i], i * 7 + 1) << i;
    std::memset(bytes, 0xCD, 1 << 20);  // all of it is there to write
    EXPECT_FALSE(GlobalUnlockBlock(block));
    EXPECT_EQ(GlobalFreeBlock(block), nullptr);
}

TEST(Platform, NoBlockForAnEmptySizeOrAMissingHandle) {
    EXPECT_EQ(GlobalAllocMoveable(0), nullptr);
    EXPECT_EQ(GlobalAllocMoveable(-1), nullptr);
    EXPECT_EQ(GlobalReAllocMoveable(nullptr, 16), nullptr);
    EXPECT_EQ(GlobalLockBlock(nullptr), nullptr);
    EXPECT_FALSE(GlobalUnlockBlock(nullptr));
    EXPECT_EQ(GlobalFreeBlock(nullptr), nullptr);
    GlobalHandle block = GlobalAllocMoveable(16);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalReAllocMoveable(block, 0), nullptr);
    EXPECT_EQ(GlobalFreeBlock(block), nullptr);  // still there to free
}

}  // namespace
}  // namespace quenta::platform
