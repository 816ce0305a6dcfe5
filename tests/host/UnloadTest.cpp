// Unloading under live renderers: whatever the set is asked to unload, and
// whether before or after its renderers go, the renderers keep drawing and
// the modules leave the process only once nothing uses them, Quenta giving
// its pictures back to the siblings while they are there. Each case runs
// in a process of its own (CTest runs them so).
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
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
#include "quenta/BitmapSurface.h"
#include "quenta/ModuleSet.h"

namespace quenta::testing {
namespace {

using host::Module;

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

std::string PathOf(Module module) {
    return module == Module::kQuenta ? QuentaModulePath() : DoubleModulePath(module);
}

struct UnloadCase {
    const char* name;
    std::vector<Module> unload;  // in this order; empty: UnloadAll
    bool beforeRelease;          // with the renderers alive, or after they went
};

void PrintTo(const UnloadCase& c, std::ostream* out) {
    *out << (c.beforeRelease ? "while live: " : "after release: ") << c.name;
}

std::vector<UnloadCase> AllCases() {
    const std::vector<std::pair<const char*, std::vector<Module>>> asks = {
        {"All", {}},
        {"Scrivo2", {Module::kScrivo2}},
        {"Plotra", {Module::kPlotra}},
        {"Vaultrix", {Module::kVaultrix}},
        {"Pictura", {Module::kPictura}},
        {"Quenta", {Module::kQuenta}},
        // The wrong order: every sibling before Quenta.
        {"SiblingsFirst", {Module::kScrivo2, Module::kPlotra, Module::kVaultrix, Module::kPictura, Module::kQuenta}},
    };
    std::vector<UnloadCase> cases;
    for (bool before : {true, false}) {
        for (const auto& [name, unload] : asks) cases.push_back({name, unload, before});
    }
    return cases;
}

class UnloadTest : public ::testing::TestWithParam<UnloadCase> {
protected:
    void SetUp() override {
        ClearCalls();
        ClearSettings();
        SetSetting("picture.1", kColorOnly);
        ASSERT_TRUE(modules.Load(QUENTA_DOUBLES_DIR,
                                 {Module::kScrivo2, Module::kPlotra, Module::kVaultrix, Module::kPictura}));
        ASSERT_TRUE(modules.LoadFile(Module::kQuenta, QuentaModulePath()));
    }

    void Unload(const UnloadCase& c) {
        if (c.unload.empty()) {
            modules.UnloadAll();
        } else {
            for (Module module : c.unload) modules.Unload(module);
        }
    }

    bool Asked(const UnloadCase& c, Module module) const {
        return c.unload.empty() || std::find(c.unload.begin(), c.unload.end(), module) != c.unload.end();
    }

    host::ModuleSet modules;
};

TEST_P(UnloadTest, ModulesInUseStayUntilNothingUsesThem) {
    const UnloadCase& c = GetParam();
    BitmapPtr canvas(BitmapSurface::Create(64, 32, 24, true, false));
    ASSERT_TRUE(canvas);
    std::vector<Ref<IMessageRenderer>> renderers;
    for (int i = 0; i < 2; ++i) {
        host::Result<Ref<IMessageRenderer>> made = modules.NewRenderer();
        ASSERT_TRUE(made) << made.Error().Describe();
        renderers.push_back(made.Take());
    }
    renderers[0]->SetText("a<G1>");

    if (c.beforeRelease) {
        Unload(c);
        for (int32_t i = 0; i < host::kModuleCount; ++i) {
            EXPECT_EQ(modules.IsLoaded(static_cast<Module>(i)), !Asked(c, static_cast<Module>(i)));
        }
        // Both renderers still parse and draw through their siblings.
        ClearCalls();
        renderers[1]->SetText("b");
        for (auto& renderer : renderers) renderer->Draw(canvas.get(), 0, 0);
        EXPECT_EQ(CallsStartingWith("Scrivo2.PaintText").size(), 2u);
        EXPECT_EQ(CallsStartingWith("Plotra.CopyRect").size() + CallsStartingWith("Plotra.BlendRect").size(), 1u);
        EXPECT_TRUE(InProcess(QuentaModulePath()));
        // The first renderer to go leaves everything to the second.
        renderers.erase(renderers.begin());
        EXPECT_TRUE(InProcess(QuentaModulePath()));
        EXPECT_TRUE(CallsStartingWith("Picture.Release").empty());
        renderers.clear();
    } else {
        renderers.clear();
        EXPECT_TRUE(InProcess(QuentaModulePath()));
        ClearCalls();
        Unload(c);
    }

    if (Asked(c, Module::kQuenta)) {
        // Quenta went last of all that it used, and gave back its picture
        // and its siblings' interfaces while they were there.
        EXPECT_FALSE(InProcess(QuentaModulePath()));
        EXPECT_EQ(CallsStartingWith("Picture.Release"), std::vector<std::string>{"Picture.Release(1)"});
        EXPECT_EQ(CallsStartingWith("Pictura.Release").size(), 1u);
        EXPECT_EQ(CallsStartingWith("Vaultrix.Release").size(), 1u);
    } else {
        // Quenta stays, and so does every sibling it holds, asked or not.
        EXPECT_TRUE(InProcess(QuentaModulePath()));
        for (Module sibling : {Module::kScrivo2, Module::kPlotra, Module::kVaultrix, Module::kPictura}) {
            EXPECT_TRUE(InProcess(PathOf(sibling))) << host::ModuleName(sibling);
        }
        EXPECT_TRUE(CallsStartingWith("Picture.Release").empty());
        ClearCalls();
        modules.UnloadAll();
        EXPECT_FALSE(InProcess(QuentaModulePath()));
        EXPECT_EQ(CallsStartingWith("Picture.Release"), std::vector<std::string>{"Picture.Release(1)"});
    }
    // The Plotra double is one the system can unload: it is gone once
    // neither the set, nor a renderer, nor Quenta holds it.
    if (Asked(c, Module::kPlotra) && Asked(c, Module::kQuenta)) {
        EXPECT_FALSE(InProcess(PathOf(Module::kPlotra)));
    }
}

INSTANTIATE_TEST_SUITE_P(EveryOrder, UnloadTest, ::testing::ValuesIn(AllCases()),
                         [](const ::testing::TestParamInfo<UnloadCase>& info) {
                             return std::string(info.param.beforeRelease ? "WhileRenderersLive_" : "AfterRelease_") +
                                    info.param.name;
                         });

TEST(UnloadOnce, AnUnloadedSiblingLoadedAgainIsGivenBackOnce) {
    ClearCalls();
    host::ModuleSet modules;
    const std::string plotra = DoubleModulePath(Module::kPlotra);
    ASSERT_TRUE(modules.Load(QUENTA_DOUBLES_DIR, {Module::kScrivo2, Module::kPlotra}));
    ASSERT_TRUE(modules.LoadFile(Module::kQuenta, QuentaModulePath()));
    modules.Unload(Module::kPlotra);  // waits for Quenta
    ASSERT_TRUE(modules.LoadFile(Module::kPlotra, plotra));
    modules.Unload(Module::kPlotra);  // the waiting hold is enough
    EXPECT_TRUE(InProcess(plotra));
    modules.Unload(Module::kQuenta);
    EXPECT_FALSE(InProcess(plotra));
    EXPECT_FALSE(InProcess(QuentaModulePath()));
}

}  // namespace
}  // namespace quenta::testing
