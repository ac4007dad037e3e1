// The splash window built in code against skin files of the test's own: the
// picture the skin names, "NONE" in any case, a missing skin file, and a
// missing picture whose error reaches the application's error handling.
#include <app/Splash.h>
#include <app/TBLanguager.h>
#include <classlib/SysUtils.h>

#include <memory>

#include "SkinFixture.h"

namespace {

class SplashTest : public SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        Application->OnException = [this](TObject*, const std::exception& error) {
            Errors.push_back(error.what());
        };
    }
    void TearDown() override {
        Application->OnException = nullptr;
        SkinTest::TearDown();
    }

    std::unique_ptr<TfrmSplash> NewSplash() { return std::make_unique<TfrmSplash>(Application); }
    static std::string CopyrightText() {
        return SplashCopyrightNotice + LanguageTexts["IDS_SPLASH_LABEL_Copyright"];
    }

    std::vector<std::string> Errors;
};

TEST_F(SplashTest, ShowsTheSkinsPictureAtItsSizeUnderTheNotice) {
    Picture("SPLASH.BMP", 500, 300);
    WriteSkin("Splash=splash.bmp\r\n");
    auto splash = NewSplash();
    EXPECT_TRUE(Errors.empty());
    EXPECT_EQ(splash->Image->Picture()->Width(), 500);
    EXPECT_EQ(splash->Image->BoundsRect(), Bounds(0, 0, 500, 300));
    EXPECT_EQ(splash->ClientWidth(), 500);
    EXPECT_EQ(splash->ClientHeight(), 300);
    EXPECT_EQ(splash->BorderStyle(), bsNone);
    EXPECT_EQ(splash->LabelCopyright->Caption(), CopyrightText());
    EXPECT_EQ(splash->LabelCopyright->BoundsRect(), Bounds(240, 160, 240, 80));
    EXPECT_TRUE(splash->LabelCopyright->WordWrap());
    EXPECT_TRUE(splash->LabelCopyright->Transparent());
}

TEST_F(SplashTest, NoneInAnyCaseClearsThePicture) {
    for (const char* none : {"NONE", "none", "NoNe"}) {
        WriteSkin(std::string("Splash=") + none + "\r\n");
        auto splash = NewSplash();
        EXPECT_EQ(splash->Image->Picture()->Graphic(), nullptr) << none;
        EXPECT_EQ(splash->LabelCopyright->Caption(), CopyrightText());
    }
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SplashTest, WithoutASkinFileOrKeyThereIsNoPicture) {
    auto splash = NewSplash();
    EXPECT_EQ(splash->Image->Picture()->Graphic(), nullptr);
    splash.reset();
    WriteSkin("Other=1\r\n");
    splash = NewSplash();
    EXPECT_EQ(splash->Image->Picture()->Graphic(), nullptr);
    EXPECT_EQ(splash->LabelCopyright->Caption(), CopyrightText());
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SplashTest, AMissingPictureIsTheClassLibrarysErrorAndTheLabelKeepsItsText) {
    WriteSkin("Splash=gone.bmp\r\n");
    auto splash = NewSplash();
    ASSERT_EQ(Errors.size(), 1u);
    // The name is upper-cased before it is joined to the skin folder.
    EXPECT_NE(Errors[0].find("Cannot open file \"" + AppSettings.SkinPath + "GONE.BMP\""),
              std::string::npos)
        << Errors[0];
    EXPECT_NE(splash->LabelCopyright->Caption(), CopyrightText());
    EXPECT_FALSE(splash->LabelCopyright->Caption().empty());
    // The built-in picture stays.
    EXPECT_EQ(splash->Image->Picture()->Width(), 482);
    EXPECT_EQ(splash->Image->Picture()->Height(), 243);
}

}  // namespace
