// Binding the siblings the host has loaded. Each test needs a process of its
// own (CTest runs them so), since a loaded module stays loaded.
#include <gtest/gtest.h>

#include "Doubles.h"
#include "ShownMessages.h"
#include "render/BlendTable.h"
#include "core/MessageRenderer.h"
#include "core/ModuleBinding.h"
#include "core/ProcessState.h"

namespace quenta::testing {

using namespace ::quenta::core;
namespace {

const std::string kNotLoaded(const char* name) {
    return std::string("Surfex2: ＤＬＬ【 ") + name + " 】の読み込みに失敗しました\n";
}

class Binding : public ::testing::Test {
protected:
    void SetUp() override { ResetRecorder(); }
};

TEST_F(Binding, AModuleThatIsNotLoadedShowsOneMessage) {
    ModuleBinding binding;
    StartCapturingMessages();
    EXPECT_FALSE(binding.Bind("Scrivo2", kScrivo2Id));
    EXPECT_EQ(CapturedMessages(), kNotLoaded("Scrivo2"));
    EXPECT_EQ(binding.handle, nullptr);
    EXPECT_STREQ(binding.name.data, "Scrivo2");
    EXPECT_EQ(binding.iface, nullptr);
}

TEST_F(Binding, AModuleWithoutTheExportNamesItselfOnTheFirstLine) {
    host::ModuleSet modules;
    ASSERT_TRUE(modules.LoadFile(Module::kScrivo2, NoExportModulePath(Module::kScrivo2)));
    ModuleBinding binding;
    StartCapturingMessages();
    EXPECT_FALSE(binding.Bind("Scrivo2", kScrivo2Id));
    EXPECT_EQ(CapturedMessages(),
              "Surfex2: 【 Scrivo2 】\nCreateInterfaceの取得に失敗しました\n");
    EXPECT_NE(binding.handle, nullptr);
    EXPECT_EQ(binding.iface, nullptr);
}

TEST_F(Binding, AModuleThatRefusesTheIdSaysSo) {
    LoadDoubles({Module::kScrivo2});
    SetSetting("Scrivo2.refuse", 1);
    ModuleBinding binding;
    StartCapturingMessages();
    EXPECT_FALSE(binding.Bind("Scrivo2", kScrivo2Id));
    EXPECT_EQ(CapturedMessages(), "Surfex2: CreateInterfaceに失敗しました\n");
    EXPECT_EQ(binding.iface, nullptr);
    EXPECT_TRUE(SameInterfaceId(binding.iid, kScrivo2Id));
}

TEST_F(Binding, NamesLongerThanTheMessageBufferAreCut) {
    const std::string name(5000, 'N');
    ModuleBinding binding;
    StartCapturingMessages();
    EXPECT_FALSE(binding.Bind(name.c_str(), kScrivo2Id));
    // The message keeps its first 1023 bytes: 9 of "ＤＬＬ【 " in Shift-JIS, then the name.
    EXPECT_EQ(CapturedMessages(), "Surfex2: ＤＬＬ【 " + std::string(1014, 'N') + "\n");
}

TEST_F(Binding, PlotraIsStartedPublishedAndBuildsTheTable) {
    LoadDoubles({Module::kPlotra});
    PlotraBinding binding;
    ASSERT_TRUE(binding.Bind());
    EXPECT_EQ(sharedPlotra, binding.iface);
    EXPECT_EQ(Calls(), (std::vector<std::string>{"Plotra.CreateInterface", "Plotra.Startup", "Plotra.Setup(1)"}));
    ASSERT_TRUE(blendTable.IsBuilt());
    EXPECT_EQ(blendTable.rows[100][200], 78);
}

TEST_F(Binding, PlotraThatCannotStartIsPublishedButNotSetUp) {
    LoadDoubles({Module::kPlotra});
    SetSetting("plotra.startup", 0);
    PlotraBinding binding;
    StartCapturingMessages();
    EXPECT_FALSE(binding.Bind());
    EXPECT_EQ(CapturedMessages(), "");
    EXPECT_NE(sharedPlotra, nullptr);
    EXPECT_EQ(Calls(), (std::vector<std::string>{"Plotra.CreateInterface", "Plotra.Startup"}));
    EXPECT_FALSE(blendTable.IsBuilt());
}

TEST_F(Binding, DestroyingAnyPlotraBindingClearsSharedPlotra) {
    LoadDoubles({Module::kPlotra});
    PlotraBinding first;
    ASSERT_TRUE(first.Bind());
    { PlotraBinding unbound; }
    EXPECT_EQ(sharedPlotra, nullptr);
    first.Republish();
    EXPECT_EQ(sharedPlotra, first.iface);
}

TEST_F(Binding, SetTextWithoutScrivo2ShowsTheMessageEveryTime) {
    LoadDoubles({Module::kPlotra});
    auto* renderer = new MessageRenderer();
    for (int attempt = 0; attempt < 2; ++attempt) {
        StartCapturingMessages();
        renderer->SetText("AB");
        EXPECT_EQ(CapturedMessages(), kNotLoaded("Scrivo2"));
    }
    EXPECT_TRUE(renderer->Parser().Lines().lines[0].runs.empty());
    EXPECT_EQ(renderer->GetSubInterface(&kScrivo2Id), nullptr);
    EXPECT_TRUE(CallsStartingWith("Plotra.").empty());
    renderer->Release();
}

TEST_F(Binding, SetTextWithoutPlotraDropsOnlyTheFirstText) {
    LoadDoubles({Module::kScrivo2});
    auto* renderer = new MessageRenderer();
    StartCapturingMessages();
    renderer->SetText("AB");
    EXPECT_EQ(CapturedMessages(), kNotLoaded("Plotra"));
    EXPECT_TRUE(renderer->Parser().Lines().lines[0].runs.empty());
    StartCapturingMessages();
    renderer->SetText("CD");
    EXPECT_EQ(CapturedMessages(), "");
    EXPECT_EQ(renderer->Parser().Lines().lines[0].runs.size(), 2u);
    EXPECT_FALSE(renderer->glyphBuffer.HasAlpha());  // never given its storage
    renderer->Release();
}

TEST_F(Binding, EnsureReadyBindsOnceAndGetSubInterfaceLendsScrivo2) {
    LoadDoubles({Module::kScrivo2, Module::kPlotra});
    auto* renderer = new MessageRenderer();
    EXPECT_EQ(renderer->GetSubInterface(&kScrivo2Id), nullptr);
    renderer->SetText("A");
    renderer->SetText("B");
    EXPECT_EQ(CallsStartingWith("Scrivo2.CreateInterface").size(), 1u);
    EXPECT_EQ(CallsStartingWith("Plotra.Startup").size(), 1u);
    void* painter = renderer->GetSubInterface(&kScrivo2Id);
    EXPECT_NE(painter, nullptr);
    EXPECT_EQ(renderer->GetSubInterface(&kScrivo2Id), painter);
    EXPECT_EQ(renderer->GetSubInterface(&kPlotraId), nullptr);
    EXPECT_EQ(renderer->GetSubInterface(&kMessageRendererId), nullptr);
    EXPECT_EQ(renderer->GetSubInterface(nullptr), nullptr);
    EXPECT_TRUE(CallsStartingWith("Scrivo2.AddRef").empty());
    EXPECT_TRUE(renderer->glyphBuffer.HasAlpha());
    EXPECT_EQ(renderer->glyphBuffer.GetWidth(), 256);
    ClearCalls();
    renderer->Release();
    EXPECT_EQ(Calls(), (std::vector<std::string>{"Scrivo2.Release"}));
    EXPECT_EQ(sharedPlotra, nullptr);
}

}  // namespace
}  // namespace quenta::testing
