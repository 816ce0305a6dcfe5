// Every real module's CreateInterface as a host calls it: null for any ID but
// the module's own, and null rather than an exception when memory runs out;
// and slots that allocate answer their failure value instead of throwing.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "FailingAllocation.h"
#include "KeptModule.h"
#include "PictureBytes.h"
#include "quenta/FaceNames.h"
#include "quenta/InterfaceId.h"
#include "quenta/Pictura.h"
#include "quenta/Plotra.h"
#include "quenta/Surface.h"
#include "quenta/TextPainter.h"
#include "quenta/Vaultrix.h"

namespace quenta {
namespace {

using testing::FailingAllocation;
using testing::LoadKept;
using testing::ObtainKept;

struct ModuleCase {
    const char* name;
    host::Module module;
    const char* path;
    const InterfaceId* id;
    // Plotra hands out the one plotter of the module, which takes no memory,
    // and keeps a reference of its own on it.
    bool allocates;
    int32_t countAfterRelease;
    int32_t (*release)(void* created);  // through the module's own interface
};

template <typename Interface>
int32_t ReleaseAs(void* created) {
    return static_cast<Interface*>(created)->Release();
}

void PrintTo(const ModuleCase& c, std::ostream* os) { *os << c.name; }

class ModuleCreate : public ::testing::TestWithParam<ModuleCase> {};

TEST_P(ModuleCreate, AnswersItsOwnIdOnly) {
    const ModuleCase& c = GetParam();
    const CreateInterfaceFn create = LoadKept(c.module, c.path);
    ASSERT_NE(create, nullptr);
    EXPECT_EQ(create(nullptr), nullptr);
    for (const InterfaceId* other : {&kMessageRendererId, &kScrivo2Id, &kPlotraId, &kVaultrixId, &kPicturaId}) {
        if (other != c.id) {
            EXPECT_EQ(create(other), nullptr);
        }
    }
    void* created = create(c.id);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(c.release(created), c.countAfterRelease);
}

TEST_P(ModuleCreate, AnswersNullWhenMemoryRunsOut) {
    const ModuleCase& c = GetParam();
    const CreateInterfaceFn create = LoadKept(c.module, c.path);
    ASSERT_NE(create, nullptr);
    void* created = nullptr;
    {
        FailingAllocation failing;
        created = create(c.id);  // nothing may be checked in here: gtest allocates
    }
    if (c.allocates) {
        EXPECT_EQ(created, nullptr);
    } else {
        ASSERT_NE(created, nullptr);
        c.release(created);
    }
    // Memory back, the module works again.
    created = create(c.id);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(c.release(created), c.countAfterRelease);
}

INSTANTIATE_TEST_SUITE_P(
    RealModules, ModuleCreate,
    ::testing::Values(ModuleCase{"Scrivo2", host::Module::kScrivo2, SCRIVO2_MODULE_PATH, &kScrivo2Id, true, 0, ReleaseAs<TextPainter>},
                      ModuleCase{"Plotra", host::Module::kPlotra, PLOTRA_MODULE_PATH, &kPlotraId, false, 1, ReleaseAs<Plotra>},
                      ModuleCase{"Vaultrix", host::Module::kVaultrix, VAULTRIX_MODULE_PATH, &kVaultrixId, true, 0, ReleaseAs<Vaultrix>},
                      ModuleCase{"Pictura", host::Module::kPictura, PICTURA_MODULE_PATH, &kPicturaId, true, 0, ReleaseAs<Pictura>}),
    [](const ::testing::TestParamInfo<ModuleCase>& info) { return std::string(info.param.name); });

TEST(ModuleSlots, AnswerTheirFailureValueWhenMemoryRunsOut) {
    Ref<TextPainter> painter = ObtainKept<TextPainter>(host::Module::kScrivo2, SCRIVO2_MODULE_PATH, kScrivo2Id);
    Ref<Vaultrix> archives = ObtainKept<Vaultrix>(host::Module::kVaultrix, VAULTRIX_MODULE_PATH, kVaultrixId);
    Ref<Pictura> decoder = ObtainKept<Pictura>(host::Module::kPictura, PICTURA_MODULE_PATH, kPicturaId);
    ASSERT_TRUE(painter && archives && decoder);
    const testing::Bytes bmp = testing::MakeBmp(1, 1, {{0x30, 0x20, 0x10, 0}}, 24);
    const std::string folder = std::filesystem::temp_directory_path().string();

    int32_t face = -1;
    bool pointed = true;
    Surface* picture = nullptr;
    {
        FailingAllocation failing;
        face = painter->SetFace(kMinchoFace);
        pointed = archives->SetArchivePath(77, folder.c_str());
        picture = decoder->DecodeBytes(bmp.data(), static_cast<int32_t>(bmp.size()));
    }
    EXPECT_EQ(face, 0);
    EXPECT_FALSE(pointed);
    EXPECT_EQ(picture, nullptr);

    // The same calls with memory to spare succeed: the failures were the
    // memory's, not the arguments'.
    EXPECT_EQ(painter->SetFace(kMinchoFace), 1);
    EXPECT_TRUE(archives->SetArchivePath(77, folder.c_str()));
    Ref<Surface> decoded(decoder->DecodeBytes(bmp.data(), static_cast<int32_t>(bmp.size())));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->GetWidth(), 1);
}

}  // namespace
}  // namespace quenta
