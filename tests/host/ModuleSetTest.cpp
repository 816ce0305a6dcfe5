// The host kit's module set over the double siblings and the real Quenta:
// load order, what stays loaded, and every failure as a value naming the
// module. Each test needs a process of its own (CTest runs them so).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include "FakePictures.h"
#include "ModulePaths.h"
#include "Recorder.h"
#include "ShownMessages.h"
#include "quenta/FaceNames.h"
#include "quenta/FontFiles.h"
#include "quenta/ModuleSet.h"
#include "quenta/TextPainter.h"

namespace quenta::testing {
namespace {

using host::Module;

constexpr std::initializer_list<Module> kSiblings = {Module::kScrivo2, Module::kPlotra, Module::kVaultrix,
                                                     Module::kPictura};

// Whether the process holds the module file, asked without taking a hold.
bool InProcess(const std::string& path) {
#if defined(_WIN32)
    const size_t slash = path.find_last_of("/\\");
    return GetModuleHandleA(path.substr(slash + 1).c_str()) != nullptr;
#else
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle) dlclose(handle);
    return handle != nullptr;
#endif
}

class ModuleSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearCalls();
        ClearSettings();
    }
    // The doubles, then Quenta from where the build put it.
    void LoadAll() {
        const host::Result<void> siblings = modules.Load(QUENTA_DOUBLES_DIR, kSiblings);
        ASSERT_TRUE(siblings) << siblings.Error().Describe();
        const host::Result<void> quenta = modules.LoadFile(Module::kQuenta, QuentaModulePath());
        ASSERT_TRUE(quenta) << quenta.Error().Describe();
    }

    host::ModuleSet modules;
};

TEST_F(ModuleSetTest, NamesAndFilesOfTheModules) {
    const std::string suffix = QUENTA_MODULE_SUFFIX;
    const std::vector<std::string> names = {"Scrivo2", "Plotra", "Vaultrix", "Pictura", "Quenta"};
    for (int32_t i = 0; i < host::kModuleCount; ++i) {
        const auto module = static_cast<Module>(i);
        EXPECT_EQ(host::ModuleName(module), names[i]);
        EXPECT_EQ(host::ModuleFileName(module), names[i] + suffix);
    }
}

TEST_F(ModuleSetTest, LoadsSiblingsBeforeQuentaWhateverTheListSays) {
    // The noexport folder holds a Scrivo2 alone: loading goes Scrivo2, then
    // Plotra, which is missing, and stops before Quenta.
    const host::Result<void> loaded =
        modules.Load(std::string(QUENTA_DOUBLES_DIR) + "/noexport", {Module::kQuenta, Module::kPlotra, Module::kScrivo2});
    ASSERT_FALSE(loaded);
    EXPECT_EQ(loaded.Error().module, "Plotra");
    EXPECT_NE(loaded.Error().reason.find("Plotra" QUENTA_MODULE_SUFFIX), std::string::npos) << loaded.Error().reason;
    EXPECT_EQ(loaded.Error().Describe(), "Plotra: " + loaded.Error().reason);
    EXPECT_TRUE(modules.IsLoaded(Module::kScrivo2));
    EXPECT_FALSE(modules.IsLoaded(Module::kPlotra));
    EXPECT_FALSE(modules.IsLoaded(Module::kQuenta));
    EXPECT_FALSE(modules.IsLoaded(Module::kVaultrix));  // not asked for
}

TEST_F(ModuleSetTest, AnEmptyFolderIsTheWorkingFolder) {
#if defined(_WIN32)
    const std::string here = ".\\" + host::ModuleFileName(Module::kPlotra);
#else
    const std::string here = "./" + host::ModuleFileName(Module::kPlotra);
#endif
    // CTest runs the test where no module lies; the system's search path
    // is never asked.
    const host::Result<void> loaded = modules.Load("", {Module::kPlotra});
    ASSERT_FALSE(loaded);
    EXPECT_NE(loaded.Error().reason.find(here), std::string::npos) << loaded.Error().reason;
}

TEST_F(ModuleSetTest, LoadsOnlyWhatItHasNotLoadedYet) {
    ASSERT_TRUE(modules.LoadFile(Module::kScrivo2, NoExportModulePath(Module::kScrivo2)));
    // The Scrivo2 already there stays the one without the export.
    ASSERT_TRUE(modules.Load(QUENTA_DOUBLES_DIR, {Module::kScrivo2, Module::kPlotra}));
    EXPECT_EQ(modules.Entry(Module::kScrivo2), nullptr);
    EXPECT_NE(modules.Entry(Module::kPlotra), nullptr);
}

TEST_F(ModuleSetTest, EveryFailureToHandOutAnInterfaceNamesTheModule) {
    struct Case {
        const char* what;
        Module module;
        const char* reason;
    };
    ASSERT_TRUE(modules.LoadFile(Module::kScrivo2, NoExportModulePath(Module::kScrivo2)));
    ASSERT_TRUE(modules.Load(QUENTA_DOUBLES_DIR, {Module::kPlotra}));
    SetSetting("Plotra.refuse", 1);
    for (const Case& c : {Case{"not loaded", Module::kVaultrix, "is not loaded"},
                          Case{"no export", Module::kScrivo2, "has no export CreateInterface"},
                          Case{"refused", Module::kPlotra, "hands out no interface for the ID asked"}}) {
        const host::Result<void*> made = modules.NewInterface(c.module, kPlotraId);
        ASSERT_FALSE(made) << c.what;
        EXPECT_EQ(made.Error().module, host::ModuleName(c.module)) << c.what;
        EXPECT_EQ(made.Error().reason, c.reason) << c.what;
    }
}

TEST_F(ModuleSetTest, HandsOutOwnedInterfaces) {
    ASSERT_TRUE(modules.Load(QUENTA_DOUBLES_DIR, {Module::kVaultrix}));
    {
        host::Result<Ref<Vaultrix>> vaultrix = modules.Create<Vaultrix>(Module::kVaultrix, kVaultrixId);
        ASSERT_TRUE(vaultrix);
        EXPECT_NE(vaultrix->get(), nullptr);
        EXPECT_TRUE(CallsStartingWith("Vaultrix.Release").empty());
    }
    EXPECT_EQ(CallsStartingWith("Vaultrix.Release").size(), 1u);
}

TEST_F(ModuleSetTest, ModulesStayLoadedAfterTheSetUntilUnloaded) {
    // The Plotra double is one the system can unload (some objects pin
    // themselves in the process).
    const std::string plotra = DoubleModulePath(Module::kPlotra);
    {
        host::ModuleSet passing;
        ASSERT_TRUE(passing.LoadFile(Module::kPlotra, plotra));
    }
    ASSERT_TRUE(InProcess(plotra));

    ASSERT_TRUE(modules.LoadFile(Module::kPlotra, plotra));
    // The passing set's hold stays: a module is gone only once every
    // load of it is given back.
    modules.Unload(Module::kPlotra);
    EXPECT_FALSE(modules.IsLoaded(Module::kPlotra));
    EXPECT_EQ(modules.Entry(Module::kPlotra), nullptr);
    EXPECT_TRUE(InProcess(plotra));
    modules.Unload(Module::kPlotra);  // twice is harmless
}

TEST_F(ModuleSetTest, UnloadGivesTheModuleBack) {
    const std::string plotra = DoubleModulePath(Module::kPlotra);
    ASSERT_TRUE(modules.LoadFile(Module::kPlotra, plotra));
    ASSERT_TRUE(modules.LoadFile(Module::kPlotra, plotra));  // a second load keeps one hold
    ASSERT_TRUE(InProcess(plotra));
    modules.Unload(Module::kPlotra);
    EXPECT_FALSE(InProcess(plotra));
}

TEST_F(ModuleSetTest, UnloadAllTakesQuentaBeforeTheSiblingsItHolds) {
    LoadAll();
    SetSetting("picture.1", kColorOnly);
    {
        host::Result<Ref<IMessageRenderer>> renderer = modules.NewRenderer();
        ASSERT_TRUE(renderer);
        (*renderer)->SetText("<G1>");
    }
    ClearCalls();
    modules.UnloadAll();
    // Quenta's picture cache gives its picture and siblings back while they
    // are still there to take them.
    EXPECT_EQ(Calls(), (std::vector<std::string>{"Picture.Release(1)", "Pictura.Release", "Archive.Release",
                                                 "Vaultrix.Release"}));
    for (int32_t i = 0; i < host::kModuleCount; ++i) EXPECT_FALSE(modules.IsLoaded(static_cast<Module>(i)));
}

TEST_F(ModuleSetTest, NewRenderersHaveBoundTheirSiblings) {
    LoadAll();
    host::Result<Ref<IMessageRenderer>> renderer = modules.NewRenderer();
    ASSERT_TRUE(renderer) << renderer.Error().Describe();
    EXPECT_NE((*renderer)->GetSubInterface(&kScrivo2Id), nullptr);
    EXPECT_EQ(CallsStartingWith("Plotra.Startup").size(), 1u);
}

TEST_F(ModuleSetTest, ARendererWithoutScrivo2IsAFailureAndQuentaSaysWhy) {
    ASSERT_TRUE(modules.LoadFile(Module::kQuenta, QuentaModulePath()));
    StartCapturingMessages();
    host::Result<Ref<IMessageRenderer>> renderer = modules.NewRenderer();
    EXPECT_EQ(CapturedMessages(), "Surfex2: ＤＬＬ【 Scrivo2 】の読み込みに失敗しました\n");
    ASSERT_FALSE(renderer);
    EXPECT_EQ(renderer.Error().module, "Quenta");
}

TEST_F(ModuleSetTest, ArchivePathsGoThroughVaultrix) {
    EXPECT_EQ(modules.SetArchivePath(0, "pictures.zip").Error().module, "Vaultrix");  // not loaded
    ASSERT_TRUE(modules.Load(QUENTA_DOUBLES_DIR, {Module::kVaultrix}));
    EXPECT_TRUE(modules.SetArchivePath(3, "pictures.zip"));
    SetSetting("vaultrix.path", 0);
    const host::Result<void> refused = modules.SetArchivePath(0, "nowhere");
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.Error().Describe(),
              "Vaultrix: cannot open 'nowhere': it is neither a readable folder nor a ZIP file");
    EXPECT_EQ(CallsStartingWith("Vaultrix.SetArchivePath"),
              (std::vector<std::string>{"Vaultrix.SetArchivePath(3,pictures.zip)", "Vaultrix.SetArchivePath(0,nowhere)"}));
}

TEST_F(ModuleSetTest, FontFilesGoToTheFaceNamedThroughTheRenderersPainter) {
    LoadAll();
    {
        // Before its first SetText a renderer has no painter to ask.
        host::Result<Ref<IMessageRenderer>> unbound = modules.Create<IMessageRenderer>(Module::kQuenta, kMessageRendererId);
        ASSERT_TRUE(unbound);
        EXPECT_EQ(host::SetFontFile(**unbound, host::Face::kGothic, "a.ttf").Error().module, "Quenta");
    }
    host::Result<Ref<IMessageRenderer>> renderer = modules.NewRenderer();
    ASSERT_TRUE(renderer);
    ClearCalls();
    SetSetting("scrivo.fontfile", 1);
    EXPECT_TRUE(host::SetFontFile(**renderer, host::Face::kMincho, "/fonts/m.ttf"));
    SetSetting("scrivo.fontfile", 0);
    const host::Result<void> refused = host::SetFontFile(**renderer, host::Face::kGothic, "/fonts/g.ttf");
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.Error().Describe(), "Scrivo2: cannot use font file '/fonts/g.ttf'");
    EXPECT_EQ(Calls(), (std::vector<std::string>{"Scrivo2.SetFontFile(" + Printable(kMinchoFace) + ",/fonts/m.ttf)",
                                                 "Scrivo2.SetFontFile(" + Printable(kGothicFace) + ",/fonts/g.ttf)"}));
    EXPECT_STREQ(host::FaceName(host::Face::kGothic), kGothicFace);
    EXPECT_STREQ(host::FaceName(host::Face::kMincho), kMinchoFace);
}

}  // namespace
}  // namespace quenta::testing
