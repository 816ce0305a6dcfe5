// Each Windows sibling DLL as a host loads it: CreateInterface answers its
// own ID alone, with an object that counts its references.
#include <gtest/gtest.h>

#include <string>

#include "quenta/ModuleSet.h"
#include "quenta/Pictura.h"
#include "quenta/Plotra.h"
#include "quenta/TextPainter.h"
#include "quenta/Vaultrix.h"

namespace quenta {
namespace {

struct ModuleCase {
    const char* name;
    host::Module module;
    const char* path;
    const InterfaceId* id;
    bool shared;  // Plotra hands out its one plotter, and keeps a reference on it
    int32_t (*addRef)(void* created);
    int32_t (*release)(void* created);
};

template <typename Interface>
int32_t AddRefAs(void* created) {
    return static_cast<Interface*>(created)->AddRef();
}
template <typename Interface>
int32_t ReleaseAs(void* created) {
    return static_cast<Interface*>(created)->Release();
}

void PrintTo(const ModuleCase& c, std::ostream* os) { *os << c.name; }

class WindowsModule : public ::testing::TestWithParam<ModuleCase> {};

TEST_P(WindowsModule, AnswersItsOwnIdOnlyWithACountedObject) {
    const ModuleCase& c = GetParam();
    host::ModuleSet modules;
    const host::Result<void> loaded = modules.LoadFile(c.module, c.path);
    ASSERT_TRUE(loaded) << loaded.Error().Describe();
    const CreateInterfaceFn create = modules.Entry(c.module);
    ASSERT_NE(create, nullptr);
    EXPECT_EQ(create(nullptr), nullptr);
    for (const InterfaceId* other : {&kMessageRendererId, &kScrivo2Id, &kPlotraId, &kVaultrixId, &kPicturaId}) {
        if (other != c.id) {
            EXPECT_EQ(create(other), nullptr);
        }
    }
    void* created = create(c.id);
    ASSERT_NE(created, nullptr);
    const int32_t count = c.addRef(created);
    EXPECT_EQ(c.release(created), count - 1);
    if (c.shared) {
        // Whoever else holds the plotter keeps it; this test gives back its own.
        EXPECT_EQ(create(c.id), created);
        EXPECT_EQ(c.release(created), count - 1);
        EXPECT_GE(c.release(created), 1);
    } else {
        EXPECT_EQ(count, 2);
        EXPECT_EQ(c.release(created), 0);
    }
    modules.UnloadAll();
}

INSTANTIATE_TEST_SUITE_P(
    Dlls, WindowsModule,
    ::testing::Values(
        ModuleCase{"Scrivo2", host::Module::kScrivo2, SCRIVO2_MODULE_PATH, &kScrivo2Id, false, AddRefAs<TextPainter>,
                   ReleaseAs<TextPainter>},
        ModuleCase{"Plotra", host::Module::kPlotra, PLOTRA_MODULE_PATH, &kPlotraId, true, AddRefAs<Plotra>,
                   ReleaseAs<Plotra>},
        ModuleCase{"Vaultrix", host::Module::kVaultrix, VAULTRIX_MODULE_PATH, &kVaultrixId, false, AddRefAs<Vaultrix>,
                   ReleaseAs<Vaultrix>},
        ModuleCase{"Pictura", host::Module::kPictura, PICTURA_MODULE_PATH, &kPicturaId, false, AddRefAs<Pictura>,
                   ReleaseAs<Pictura>}),
    [](const ::testing::TestParamInfo<ModuleCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quenta
