// Quenta as a host sees it: the module and the double siblings loaded at run
// time, everything reached through CreateInterface and the interface tables.
// Each test needs a process of its own (CTest runs them so).
#include <gtest/gtest.h>

#include "FakePictures.h"
#include "ModulePaths.h"
#include "Recorder.h"
#include "ShownMessages.h"
#include "quenta/CreateInterface.h"
#include "quenta/FaceNames.h"
#include "quenta/MessageRenderer.h"
#include "quenta/ModuleSet.h"

namespace quenta::testing {
namespace {

// A surface the doubles never touch: a recording painter paints nothing.
struct NullSurface final : Surface {
    int32_t AddRef() override { return 1; }
    int32_t Release() override { return 0; }
    uint8_t* GetPixelAddress(int32_t, int32_t) override { return nullptr; }
    uint8_t* GetAlphaAddress(int32_t, int32_t) override { return nullptr; }
    int32_t GetWidth() override { return 100; }
    int32_t GetHeight() override { return 100; }
    int32_t GetDepth() override { return 24; }
    int32_t GetPitch() override { return 300; }
    int32_t GetAlphaPitch() override { return 0; }
    bool HasPixels() override { return true; }
    bool HasAlpha() override { return false; }
};

const std::string kSetGothicFace = "Scrivo2.SetFace(" + Printable(kGothicFace) + ")";

class ModuleBoundary : public ::testing::Test {
protected:
    void SetUp() override {
        ClearCalls();
        ClearSettings();
        const host::Result<void> loaded = modules.LoadFile(host::Module::kQuenta, QuentaModulePath());
        ASSERT_TRUE(loaded) << loaded.Error().Describe();
    }
    // Quenta first, then the siblings, as a host unloads them.
    void TearDown() override { modules.UnloadAll(); }

    void LoadSiblings() {
        const host::Result<void> loaded = modules.Load(
            QUENTA_DOUBLES_DIR, {host::Module::kScrivo2, host::Module::kPlotra, host::Module::kVaultrix,
                                 host::Module::kPictura});
        ASSERT_TRUE(loaded) << loaded.Error().Describe();
    }
    IMessageRenderer* NewRenderer() {
        auto create = modules.Entry(host::Module::kQuenta);
        EXPECT_NE(create, nullptr);
        return create ? static_cast<IMessageRenderer*>(create(&kMessageRendererId)) : nullptr;
    }

    host::ModuleSet modules;
};

TEST_F(ModuleBoundary, AnswersOnlyTheRendererId) {
    auto create = modules.Entry(host::Module::kQuenta);
    ASSERT_NE(create, nullptr);
    const InterfaceId nearly{0xCD599691, 0xEC70, 0x4386, {0xB9, 0xA5, 0x3E, 0xF1, 0xC6, 0x62, 0x14, 0x2E}};
    for (const InterfaceId& id : {kScrivo2Id, kPlotraId, kVaultrixId, kPicturaId, nearly, InterfaceId{}}) {
        EXPECT_EQ(create(&id), nullptr);
    }
    EXPECT_EQ(create(nullptr), nullptr);
}

TEST_F(ModuleBoundary, RenderersAreCountedAndIndependent) {
    IMessageRenderer* first = NewRenderer();
    IMessageRenderer* second = NewRenderer();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(first->AddRef(), 2);
    EXPECT_EQ(first->Release(), 1);
    EXPECT_EQ(first->Release(), 0);
    EXPECT_EQ(second->Release(), 0);
}

TEST_F(ModuleBoundary, ATypicalMessage) {
    LoadSiblings();
    IMessageRenderer* renderer = NewRenderer();
    ASSERT_NE(renderer, nullptr);
    EXPECT_EQ(renderer->GetSubInterface(&kScrivo2Id), nullptr);
    renderer->SetText("<S32><C255,0,0>AB</C><R>");
    void* painter = renderer->GetSubInterface(&kScrivo2Id);
    EXPECT_NE(painter, nullptr);
    EXPECT_EQ(renderer->GetSubInterface(&kScrivo2Id), painter);
    EXPECT_EQ(Calls(), (std::vector<std::string>{"Scrivo2.CreateInterface", "Plotra.CreateInterface",
                                                 "Plotra.Startup", "Plotra.Setup(1)"}));
    ClearCalls();
    renderer->Draw(nullptr, 0, 0);
    EXPECT_TRUE(Calls().empty());

    SetSetting("picture.1", kColorOnly);
    renderer->SetText("<G1>");  // binds the picture siblings on the way
    ClearCalls();
    NullSurface target;
    renderer->Draw(&target, 10, 20);
    EXPECT_EQ(Calls(), (std::vector<std::string>{
                           "Scrivo2.SetSize(32)", kSetGothicFace,
                           "Scrivo2.SetColor(255,0,0)", "Scrivo2.PaintText(11,21,A)", "Scrivo2.SetSize(32)",
                           kSetGothicFace, "Scrivo2.SetColor(255,0,0)",
                           "Scrivo2.PaintText(27,21,B)", "Plotra.CopyRect(10,52,0,0,16,8)"}));
    renderer->Clear();
    ClearCalls();
    renderer->Draw(&target, 10, 20);
    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(renderer->Release(), 0);
    EXPECT_EQ(CallsStartingWith("Scrivo2.Release").size(), 1u);
}

// A host built by another compiler knows no C++ class: it calls the entries
// of the object's table by slot, with the object as the hidden first argument
// and the member-function convention (thiscall on 32-bit Windows). Any slot
// out of place, a destructor among them for one, shifts what it reaches.
#if defined(_WIN32) && defined(__i386__)
#define HOST_MEMBER_CALL __attribute__((thiscall))
#else
#define HOST_MEMBER_CALL
#endif

TEST_F(ModuleBoundary, AHostReachesEachOperationAtItsSlot) {
    using CountFn = int32_t(HOST_MEMBER_CALL*)(void*);
    using SetTextFn = void(HOST_MEMBER_CALL*)(void*, const char*);
    using ClearFn = void(HOST_MEMBER_CALL*)(void*);
    using DrawFn = void(HOST_MEMBER_CALL*)(void*, Surface*, int32_t, int32_t);
    using SubInterfaceFn = void*(HOST_MEMBER_CALL*)(void*, const InterfaceId*);
    LoadSiblings();
    void* object = NewRenderer();
    ASSERT_NE(object, nullptr);
    void* const* slots = *static_cast<void* const* const*>(object);

    EXPECT_EQ(reinterpret_cast<CountFn>(slots[0])(object), 2);  // AddRef
    EXPECT_EQ(reinterpret_cast<CountFn>(slots[1])(object), 1);  // Release
    auto subInterface = reinterpret_cast<SubInterfaceFn>(slots[5]);
    EXPECT_EQ(subInterface(object, &kScrivo2Id), nullptr);  // nothing bound yet
    reinterpret_cast<SetTextFn>(slots[2])(object, "<S32>AB");
    EXPECT_NE(subInterface(object, &kScrivo2Id), nullptr);
    EXPECT_EQ(subInterface(object, &kScrivo2Id), static_cast<IMessageRenderer*>(object)->GetSubInterface(&kScrivo2Id));
    NullSurface target;
    ClearCalls();
    reinterpret_cast<DrawFn>(slots[4])(object, &target, 10, 20);
    EXPECT_EQ(CallsStartingWith("Scrivo2.PaintText"),
              (std::vector<std::string>{"Scrivo2.PaintText(11,21,A)", "Scrivo2.PaintText(27,21,B)"}));
    reinterpret_cast<ClearFn>(slots[3])(object);
    ClearCalls();
    reinterpret_cast<DrawFn>(slots[4])(object, &target, 10, 20);
    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(reinterpret_cast<CountFn>(slots[1])(object), 0);
    EXPECT_EQ(CallsStartingWith("Scrivo2.Release").size(), 1u);
}

TEST_F(ModuleBoundary, MissingScrivo2IsShownInAMessageBox) {
    IMessageRenderer* renderer = NewRenderer();
    ASSERT_NE(renderer, nullptr);
    StartCapturingMessages();
    renderer->SetText("A");
    EXPECT_EQ(CapturedMessages(), "Surfex2: ＤＬＬ【 Scrivo2 】の読み込みに失敗しました\n");
    renderer->Release();
}

TEST_F(ModuleBoundary, UnloadReleasesPicturesThenTheirSiblings) {
    LoadSiblings();
    SetSetting("picture.2", kColorAndAlpha);
    SetSetting("picture.1", kAlphaOnly);
    IMessageRenderer* renderer = NewRenderer();
    ASSERT_NE(renderer, nullptr);
    renderer->SetText("<G2><G1>");
    renderer->Release();
    ClearCalls();
    modules.Unload(host::Module::kQuenta);
    EXPECT_EQ(Calls(), (std::vector<std::string>{"Picture.Release(1)", "Picture.Release(2)", "Pictura.Release",
                                                 "Archive.Release", "Vaultrix.Release"}));
}

}  // namespace
}  // namespace quenta::testing
