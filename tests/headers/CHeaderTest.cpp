// The C interface says what the C++ headers say: the same IDs, face names
// and table sizes, so that a C host and a C++ one call the same slots.
#include <gtest/gtest.h>

#include <cstring>

#include "quenta/FaceNames.h"
#include "quenta/InterfaceId.h"
#include "quenta/quenta.h"

namespace quenta::testing {
namespace {

TEST(CHeaderTest, TheIdsAreTheModulesOwn) {
    const struct {
        const QuentaInterfaceId& c;
        const InterfaceId& cpp;
    } pairs[] = {{kQuentaMessageRendererId, kMessageRendererId},
                 {kQuentaScrivo2Id, kScrivo2Id},
                 {kQuentaPlotraId, kPlotraId},
                 {kQuentaVaultrixId, kVaultrixId},
                 {kQuentaPicturaId, kPicturaId}};
    static_assert(sizeof(QuentaInterfaceId) == sizeof(InterfaceId));
    for (const auto& pair : pairs) {
        EXPECT_EQ(std::memcmp(&pair.c, &pair.cpp, sizeof pair.cpp), 0);
        for (const auto& other : pairs) {
            EXPECT_EQ(QuentaSameInterfaceId(&pair.c, &other.c), &pair.c == &other.c);
        }
    }
}

TEST(CHeaderTest, TheFaceNamesAreTheModulesOwn) {
    EXPECT_STREQ(QUENTA_GOTHIC_FACE, kGothicFace);
    EXPECT_STREQ(QUENTA_MINCHO_FACE, kMinchoFace);
}

TEST(CHeaderTest, EachTableHasOneSlotPerOperation) {
    EXPECT_EQ(sizeof(QuentaSurfaceTable), 11 * sizeof(void*));
    EXPECT_EQ(sizeof(QuentaMessageRendererTable), 6 * sizeof(void*));
    EXPECT_EQ(sizeof(QuentaTextPainterTable), 11 * sizeof(void*));
    EXPECT_EQ(sizeof(QuentaPlotraTable), 13 * sizeof(void*));
    EXPECT_EQ(sizeof(QuentaArchiveEntryTable), 7 * sizeof(void*));
    EXPECT_EQ(sizeof(QuentaArchiveTable), 3 * sizeof(void*));
    EXPECT_EQ(sizeof(QuentaVaultrixTable), 4 * sizeof(void*));
    EXPECT_EQ(sizeof(QuentaPicturaTable), 4 * sizeof(void*));
}

}  // namespace
}  // namespace quenta::testing
