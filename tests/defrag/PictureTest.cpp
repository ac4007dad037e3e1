// The skin's placement and picture applied to an image.
#include <classlib/ExtCtrls.h>
#include <classlib/SysUtils.h>
#include <defrag/multiSkins.h>
#include <gtest/gtest.h>

#include <memory>

#include "ToolFixture.h"

namespace {

std::unique_ptr<TImage> DesignedImage() {
    auto image = std::make_unique<TImage>(nullptr);
    image->SetBounds(1, 2, 391, 183);
    image->SetAutoSize(true);
    return image;
}

void ExpectBounds(const TControl& control, int left, int top, int width, int height) {
    EXPECT_EQ(control.Left(), left);
    EXPECT_EQ(control.Top(), top);
    EXPECT_EQ(control.Width(), width);
    EXPECT_EQ(control.Height(), height);
}

}  // namespace

TEST(ImagePlacementApplied, PlacesHidesOrLeavesTheImage) {
    auto image = DesignedImage();
    EXPECT_TRUE(ApplyImagePlacement(image.get(), "10, 20, 300, 150, 0"));
    ExpectBounds(*image, 10, 20, 300, 150);
    EXPECT_FALSE(image->Visible());
    // Nothing ever shows the image again.
    EXPECT_TRUE(ApplyImagePlacement(image.get(), "10, 20, 300, 150, 1"));
    EXPECT_FALSE(image->Visible());

    image = DesignedImage();
    EXPECT_FALSE(ApplyImagePlacement(image.get(), "10, 20, 300"));
    EXPECT_FALSE(ApplyImagePlacement(image.get(), ""));
    ExpectBounds(*image, 1, 2, 391, 183);

    EXPECT_TRUE(ApplyImagePlacement(image.get(), "10, 20, 300, 150, x"));
    ExpectBounds(*image, 10, 20, 300, 150);
    EXPECT_TRUE(image->Visible());

    EXPECT_THROW(ApplyImagePlacement(image.get(), "1, 2, wide, 4"), EConvertError);
}

TEST(ImagePicture, LoadsFromTheFolderClearsOnNoneAndFailsOnBadFiles) {
    ScratchFolder folder;
    folder.File("bad.bmp", "BM not really a bitmap");
    folder.File("notes.txt", "text");
    auto image = DesignedImage();
    ASSERT_TRUE(
        LoadImagePicture(image.get(), InstalledProgramFolder() + "Skins\\", "imgProgress.bmp"));
    EXPECT_EQ(image->Picture()->Width(), 391);
    ExpectBounds(*image, 1, 2, 391, 183);

    // A missing file loads nothing and is no failure.
    EXPECT_TRUE(LoadImagePicture(image.get(), folder.Path(), "missing.bmp"));
    EXPECT_EQ(image->Picture()->Width(), 391);
    EXPECT_FALSE(LoadImagePicture(image.get(), folder.Path(), ""));
    EXPECT_FALSE(LoadImagePicture(image.get(), folder.Path(), "bad.bmp"));
    EXPECT_FALSE(LoadImagePicture(image.get(), folder.Path(), "notes.txt"));
    EXPECT_EQ(image->Picture()->Width(), 391);

    for (const std::string none : {"NONE", "None", "none"}) {
        ASSERT_TRUE(
            LoadImagePicture(image.get(), InstalledProgramFolder() + "Skins\\", "imgProgress.bmp"));
        EXPECT_TRUE(LoadImagePicture(image.get(), folder.Path(), none));
        EXPECT_EQ(image->Picture()->Graphic(), nullptr) << none;
    }
}

TEST(ImagePicture, AnImageWithoutPictureKeepsThePlacedSize) {
    ScratchFolder folder;
    auto image = DesignedImage();
    ASSERT_TRUE(ApplyImagePlacement(image.get(), TToolSkin{}.Pos));
    ASSERT_TRUE(LoadImagePicture(image.get(), folder.Path(), TToolSkin{}.PicBackGround));
    ExpectBounds(*image, 0, 0, 183, 391);
    EXPECT_EQ(image->Picture()->Graphic(), nullptr);

    // Placed first, a picture then gives the image its own size.
    ASSERT_TRUE(ApplyImagePlacement(image.get(), "10, 20, 30, 40"));
    ASSERT_TRUE(
        LoadImagePicture(image.get(), InstalledProgramFolder() + "Skins\\", "imgProgress.bmp"));
    ExpectBounds(*image, 10, 20, 391, 183);
}
