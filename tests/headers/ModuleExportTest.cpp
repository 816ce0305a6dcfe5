// CreateInterfaceFor, the body of every module's CreateInterface: the ID
// decides, and nothing thrown while making the object escapes.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "quenta/ModuleExport.h"
#include "quenta/Pictura.h"
#include "quenta/RefCounted.h"

namespace quenta {
namespace {

class Decoder final : public RefCounted<Decoder, Pictura> {
public:
    Surface* DecodeEntry(std::uintptr_t) override { return nullptr; }
    Surface* DecodeBytes(const uint8_t*, int32_t) override { return nullptr; }

private:
    friend RefCounted;
    ~Decoder() = default;
};

TEST(CreateInterfaceFor, AnswersANewObjectForItsOwnIdOnly) {
    int made = 0;
    auto make = [&] {
        ++made;
        return new Decoder();
    };
    EXPECT_EQ(CreateInterfaceFor<Pictura>(nullptr, kPicturaId, make), nullptr);
    for (const InterfaceId* other : {&kMessageRendererId, &kScrivo2Id, &kPlotraId, &kVaultrixId}) {
        EXPECT_EQ(CreateInterfaceFor<Pictura>(other, kPicturaId, make), nullptr);
    }
    EXPECT_EQ(made, 0) << "an object was made for a wrong ID";
    // One word off is another ID.
    InterfaceId near = kPicturaId;
    near.data4[7] ^= 1;
    EXPECT_EQ(CreateInterfaceFor<Pictura>(&near, kPicturaId, make), nullptr);
    EXPECT_EQ(made, 0);

    auto* pictura = static_cast<Pictura*>(CreateInterfaceFor<Pictura>(&kPicturaId, kPicturaId, make));
    ASSERT_NE(pictura, nullptr);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(pictura->Release(), 0) << "the caller holds the only reference";
}

TEST(CreateInterfaceFor, AnswersNullWhenMakingThrowsOrFails) {
    EXPECT_EQ(CreateInterfaceFor<Pictura>(&kPicturaId, kPicturaId, []() -> Decoder* { throw std::bad_alloc(); }),
              nullptr);
    EXPECT_EQ(CreateInterfaceFor<Pictura>(&kPicturaId, kPicturaId,
                                          []() -> Decoder* { throw std::runtime_error("no font"); }),
              nullptr);
    EXPECT_EQ(CreateInterfaceFor<Pictura>(&kPicturaId, kPicturaId, []() -> Decoder* { throw 1; }), nullptr);
    EXPECT_EQ(CreateInterfaceFor<Pictura>(&kPicturaId, kPicturaId, []() -> Decoder* { return nullptr; }), nullptr);
}

}  // namespace
}  // namespace quenta
