// The picture cache binds Vaultrix and Pictura on first use. Each test needs
// a process of its own (CTest runs them so): the cache is process-wide.
#include <gtest/gtest.h>

#include "Doubles.h"
#include "FakePictures.h"
#include "ShownMessages.h"
#include "core/ProcessState.h"

namespace quenta::testing {

using namespace ::quenta::core;
namespace {

class PictureCacheTest : public ::testing::Test {
protected:
    void SetUp() override { ResetRecorder(); }
};

TEST_F(PictureCacheTest, BindsThenLoadsOnceAndLends) {
    LoadDoubles({Module::kVaultrix, Module::kPictura});
    SetSetting("picture.7", kColorOnly);
    PictureCache cache;
    Surface* picture = cache.GetPicture(7);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(Calls(), (std::vector<std::string>{"Vaultrix.CreateInterface", "Vaultrix.OpenArchive(0)",
                                                 "Pictura.CreateInterface", "Archive.OpenEntry(7)",
                                                 "Entry.Load(7)", "Entry.Share(7)", "Pictura.DecodeEntry(7)",
                                                 "Entry.Release(7)"}));
    ClearCalls();
    EXPECT_EQ(cache.GetPicture(7), picture);
    EXPECT_TRUE(Calls().empty());
}

TEST_F(PictureCacheTest, ReleasesPicturesInOrderBeforeTheSiblings) {
    LoadDoubles({Module::kVaultrix, Module::kPictura});
    for (const char* key : {"picture.9", "picture.-3", "picture.4"}) SetSetting(key, kColorAndAlpha);
    {
        PictureCache cache;
        for (int32_t n : {9, -3, 4}) ASSERT_NE(cache.GetPicture(n), nullptr) << n;
        ClearCalls();
    }
    EXPECT_EQ(Calls(), (std::vector<std::string>{"Picture.Release(-3)", "Picture.Release(4)", "Picture.Release(9)",
                                                 "Pictura.Release", "Archive.Release", "Vaultrix.Release"}));
}

TEST_F(PictureCacheTest, FailedDecodesAreNotRemembered) {
    LoadDoubles({Module::kVaultrix, Module::kPictura});
    SetSetting("picture.5", kUndecodable);
    PictureCache cache;
    for (int attempt = 0; attempt < 2; ++attempt) {
        ClearCalls();
        EXPECT_EQ(cache.GetPicture(5), nullptr);
        EXPECT_EQ(CallsStartingWith("Entry.Release(5)").size(), 1u);
    }
    EXPECT_EQ(cache.GetPicture(6), nullptr);  // not in the archive
    SetSetting("picture.5", kColorOnly);
    EXPECT_NE(cache.GetPicture(5), nullptr);
}

TEST_F(PictureCacheTest, WithoutVaultrixEveryRequestShowsTheMessage) {
    PictureCache cache;
    for (int attempt = 0; attempt < 2; ++attempt) {
        StartCapturingMessages();
        EXPECT_EQ(cache.GetPicture(1), nullptr);
        EXPECT_EQ(CapturedMessages(), "Surfex2: ＤＬＬ【 Vaultrix 】の読み込みに失敗しました\n");
    }
}

TEST_F(PictureCacheTest, WithoutPicturaEveryRequestShowsTheMessageAndGivesBackWhatItGot) {
    LoadDoubles({Module::kVaultrix});
    SetSetting("picture.1", kColorOnly);
    PictureCache cache;
    for (int attempt = 0; attempt < 2; ++attempt) {
        StartCapturingMessages();
        EXPECT_EQ(cache.GetPicture(1), nullptr);
        EXPECT_EQ(CapturedMessages(), "Surfex2: ＤＬＬ【 Pictura 】の読み込みに失敗しました\n");
    }
    // The archive of the first attempt was released before the second one opened another.
    EXPECT_EQ(CallsStartingWith("Archive.Release").size(), 1u);
    EXPECT_EQ(CallsStartingWith("Vaultrix.OpenArchive").size(), 2u);
}

TEST_F(PictureCacheTest, AMissingArchiveFailsSilentlyUntilThereIsOne) {
    LoadDoubles({Module::kVaultrix, Module::kPictura});
    SetSetting("vaultrix.archive", 0);
    SetSetting("picture.1", kColorOnly);
    PictureCache cache;
    StartCapturingMessages();
    EXPECT_EQ(cache.GetPicture(1), nullptr);
    EXPECT_EQ(CapturedMessages(), "");
    EXPECT_FALSE(cache.bound);
    SetSetting("vaultrix.archive", 1);
    EXPECT_NE(cache.GetPicture(1), nullptr);
    EXPECT_TRUE(cache.bound);
}

}  // namespace
}  // namespace quenta::testing
