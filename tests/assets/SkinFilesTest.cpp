// The installed default skin read through the class library, as the skin loader,
// the splash window and the defragmentation tool read it: every picture it names
// loads, every colour converts, and the window glyph shapes the window. The
// program icons load from a resource file.
#include <classlib/Colors.h>
#include <classlib/IniFiles.h>
#include <classlib/Pictures.h>
#include <classlib/SysUtils.h>
#include <gtest/gtest.h>
#include <support/Files.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           UpperCase(text.substr(text.size() - tail.size())) == UpperCase(tail);
}

struct TSkinKey {
    std::string section, key, value;
};

class SkinFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FileExists(FFolder + "Default.ini")) << FFolder;
        for (const std::string& section : {std::string("FORMMAIN"), std::string("Sundrel")}) {
            for (const std::string& key : FIni.ReadSection(section)) {
                FKeys.push_back({section, key, FIni.ReadString(section, key, "")});
            }
        }
        ASSERT_FALSE(FKeys.empty());
    }

    // The pictures as their readers take them: the skin loader's picture keys, the
    // splash window's "Splash", the tool's background.
    std::vector<TSkinKey> PictureKeys() const {
        std::vector<TSkinKey> pictures;
        for (const TSkinKey& k : FKeys) {
            if (EndsWith(k.key, "BMP") || k.key == "Splash" ||
                k.key == "SK_PROGRESS_PicBackGround") {
                pictures.push_back(k);
            }
        }
        return pictures;
    }

    std::string FFolder = InstalledProgramFolder() + "Skins\\";
    TIniFile FIni{FFolder + "Default.ini"};
    std::vector<TSkinKey> FKeys;
};

}  // namespace

TEST_F(SkinFile, EveryPictureItNamesLoads) {
    std::vector<TSkinKey> pictures = PictureKeys();
    EXPECT_GT(pictures.size(), 60u);
    for (const TSkinKey& k : pictures) {
        TPicture picture;
        try {
            picture.LoadFromFile(FFolder + k.value);
        } catch (const Exception& e) {
            ADD_FAILURE() << k.section << "/" << k.key << " = " << k.value << ": " << e.Message();
            continue;
        }
        EXPECT_NE(picture.Graphic(), nullptr) << k.key;
        EXPECT_GT(picture.Width(), 0) << k.key;
        EXPECT_GT(picture.Height(), 0) << k.key;
    }
}

// A colour the loader cannot convert ends the skinning of the whole window there.
TEST_F(SkinFile, EveryColourConverts) {
    int colours = 0;
    for (const TSkinKey& k : FKeys) {
        if (!EndsWith(k.key, "COLOR")) continue;
        ++colours;
        try {
            StringToColor(k.value);
        } catch (const Exception& e) {
            ADD_FAILURE() << k.key << " = " << k.value << ": " << e.Message();
        }
    }
    EXPECT_GT(colours, 100);
}

TEST_F(SkinFile, TheWindowGlyphHasTheDesignSizeAndRoundedCornersCutAway) {
    TBitmap glyph;
    glyph.LoadFromFile(FFolder + FIni.ReadString("FORMMAIN", "WINDOWSKIN_WindowSkin_BMP", ""));
    ASSERT_EQ(glyph.Width(), 914);
    ASSERT_EQ(glyph.Height(), 625);
    EXPECT_EQ(
        StringToColor(FIni.ReadString("FORMMAIN", "WINDOWSKIN_WindowSkin_TRANSPARENTCOLOR", "")),
        clFuchsia);
    TCanvas* canvas = glyph.Canvas();
    struct TCorner {
        int x, y, dx, dy;
    } corners[] = {{0, 0, 1, 1}, {913, 0, -1, 1}, {0, 624, 1, -1}, {913, 624, -1, -1}};
    for (const TCorner& c : corners) {
        // The corner pixel is cut away; the edges a few pixels along stay.
        EXPECT_EQ(canvas->Pixels(c.x, c.y), clFuchsia) << c.x << "," << c.y;
        EXPECT_NE(canvas->Pixels(c.x + 12 * c.dx, c.y), clFuchsia) << c.x << "," << c.y;
        EXPECT_NE(canvas->Pixels(c.x, c.y + 12 * c.dy), clFuchsia) << c.x << "," << c.y;
    }
    // No pixel inside the outline is the cut-away colour.
    for (int y = 12; y < 625 - 12; y += 7) {
        for (int x = 12; x < 914 - 12; x += 5) {
            ASSERT_NE(canvas->Pixels(x, y), clFuchsia) << x << "," << y;
        }
    }
}

TEST(ProgramIcons, LoadFromAResourceFileAtTheProgramAndTraySizes) {
    for (const char* name : {"HOLVANE", "SUNDREL"}) {
        for (int size : {16, 32}) {
            HANDLE icon = LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_ICON, size, size, 0);
            ASSERT_NE(icon, nullptr) << name << " " << size;
            ICONINFO info{};
            ASSERT_TRUE(GetIconInfo(static_cast<HICON>(icon), &info));
            BITMAP colour{};
            GetObjectA(info.hbmColor, sizeof colour, &colour);
            EXPECT_EQ(colour.bmWidth, size) << name;
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            DestroyIcon(static_cast<HICON>(icon));
        }
        TIcon icon;
        icon.LoadFromResourceName(GetModuleHandleA(nullptr), name);
        EXPECT_FALSE(icon.Empty()) << name;
    }
}
