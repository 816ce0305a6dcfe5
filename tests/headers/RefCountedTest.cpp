// The one reference count: counts, destruction at 0 and only then.
#include <gtest/gtest.h>

#include "quenta/RefCounted.h"
#include "quenta/Surface.h"

namespace quenta {
namespace {

// A surface that reports its end through a flag owned by the test.
class Probe final : public RefCounted<Probe, Surface> {
public:
    explicit Probe(bool& destroyed) : destroyed_(destroyed) {}

    uint8_t* GetPixelAddress(int32_t, int32_t) override { return nullptr; }
    uint8_t* GetAlphaAddress(int32_t, int32_t) override { return nullptr; }
    int32_t GetWidth() override { return 0; }
    int32_t GetHeight() override { return 0; }
    int32_t GetDepth() override { return 0; }
    int32_t GetPitch() override { return 0; }
    int32_t GetAlphaPitch() override { return 0; }
    bool HasPixels() override { return false; }
    bool HasAlpha() override { return false; }

private:
    friend RefCounted;
    ~Probe() { destroyed_ = true; }

    bool& destroyed_;
};

TEST(RefCounted, StartsWithOneReferenceAndCountsBothWays) {
    bool destroyed = false;
    Surface* probe = new Probe(destroyed);
    EXPECT_EQ(probe->AddRef(), 2);
    EXPECT_EQ(probe->AddRef(), 3);
    EXPECT_EQ(probe->Release(), 2);
    EXPECT_EQ(probe->Release(), 1);
    EXPECT_FALSE(destroyed) << "destroyed while a reference was left";
    EXPECT_EQ(probe->AddRef(), 2);
    EXPECT_EQ(probe->Release(), 1);
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(probe->Release(), 0);
    EXPECT_TRUE(destroyed) << "the last Release must destroy the object";
}

TEST(RefCounted, CountsThroughTheInterfaceSlots) {
    // AddRef and Release sit in slots 0 and 1 of the interface's table, so a
    // host calling through the interface reaches the same count.
    bool destroyed = false;
    auto* probe = new Probe(destroyed);
    Surface* seen = probe;
    EXPECT_EQ(probe->AddRef(), 2);
    EXPECT_EQ(seen->Release(), 1);
    EXPECT_EQ(seen->AddRef(), 2);
    EXPECT_EQ(probe->Release(), 1);
    EXPECT_EQ(seen->Release(), 0);
    EXPECT_TRUE(destroyed);
}

}  // namespace
}  // namespace quenta
