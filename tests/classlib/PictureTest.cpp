// Pictures: the graphic chosen by file extension, icons and metafiles drawn,
// copies and change notices.
#include <classlib/Pictures.h>
#include <classlib/SysUtils.h>
#include <gtest/gtest.h>

#include <typeinfo>

#include "GraphicsFixture.h"
#include "RegFixture.h"

namespace {

COLORREF Checkers(int x, int y) { return (x + y) % 2 ? RGB(255, 0, 0) : RGB(0, 0, 255); }

class PictureFiles : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBmp(Path("picture.bmp"), 3, 2, Checkers);
        WriteIco(Path("picture.ico"), RGB(0, 255, 0));
        WriteEmf(Path("picture.emf"));
        WriteWmf(Path("plain.wmf"), false);
        WriteWmf(Path("placeable.wmf"), true);
    }
    std::string Path(const std::string& name) const { return FFolder.Path() + name; }

    ScratchFolder FFolder;
};

}  // namespace

TEST_F(PictureFiles, TheExtensionChoosesTheGraphic) {
    struct TCase {
        const char* name;
        const std::type_info& type;
        int width, height;
    } cases[] = {
        {"picture.bmp", typeid(TBitmap), 3, 2},
        {"picture.ico", typeid(TIcon), 16, 16},
        {"picture.emf", typeid(TMetafile), 96, 48},
        {"placeable.wmf", typeid(TMetafile), 100, 50},
    };
    for (const TCase& c : cases) {
        TPicture picture;
        picture.LoadFromFile(Path(c.name));
        ASSERT_NE(picture.Graphic(), nullptr) << c.name;
        EXPECT_EQ(typeid(*picture.Graphic()), c.type) << c.name;
        EXPECT_EQ(picture.Width(), c.width) << c.name;
        EXPECT_EQ(picture.Height(), c.height) << c.name;
    }
    // The case of the extension does not matter.
    CopyFileA(Path("picture.bmp").c_str(), Path("UPPER.BMP").c_str(), FALSE);
    TPicture upper;
    upper.LoadFromFile(Path("UPPER.BMP"));
    EXPECT_NE(dynamic_cast<TBitmap*>(upper.Graphic()), nullptr);

    TPicture plain;
    plain.LoadFromFile(Path("plain.wmf"));
    EXPECT_FALSE(plain.Metafile()->Enhanced());
    EXPECT_GT(plain.Width(), 0);
    TPicture enhanced;
    enhanced.LoadFromFile(Path("picture.emf"));
    EXPECT_TRUE(enhanced.Metafile()->Enhanced());
}

TEST_F(PictureFiles, UnknownExtensionsAndBadFilesRaiseAndKeepThePicture) {
    TPicture picture;
    picture.LoadFromFile(Path("picture.bmp"));
    TGraphic* before = picture.Graphic();
    struct TCase {
        std::string path;
        std::string message;
    } cases[] = {
        {Path("photo.gif"), "Unknown picture file extension (.gif)"},
        {Path("Photo.JPG"), "Unknown picture file extension (.JPG)"},
        {Path("noextension"), "Unknown picture file extension (.)"},
        {FFolder.File("bad.ico", "not an icon"), "Icon image is not valid"},
        // A directory entry that points past the end of the file.
        {FFolder.File("short.ico", std::string("\0\0\1\0\1\0\x10\x10\0\0\1\0\x20\0"
                                               "\xFF\xFF\0\0\x16\0\0\0",
                                               22)),
         "Icon image is not valid"},
        {FFolder.File("bad.emf", "not a metafile at all, not even a short one"),
         "Metafile is not valid"},
        {FFolder.File("bad.wmf", std::string(30, '\x01')), "Metafile is not valid"},
    };
    for (const TCase& c : cases) {
        try {
            picture.LoadFromFile(c.path);
            ADD_FAILURE() << c.path;
        } catch (const EInvalidGraphic& error) {
            EXPECT_EQ(error.Message(), c.message);
        }
    }
    EXPECT_THROW(picture.LoadFromFile(Path("missing.ico")), EFOpenError);
    EXPECT_THROW(picture.LoadFromFile(Path("missing.wmf")), EFOpenError);
    EXPECT_EQ(picture.Graphic(), before);
    EXPECT_EQ(picture.Width(), 3);
}

TEST_F(PictureFiles, IconsAndMetafilesDrawTheirContentOnly) {
    std::unique_ptr<TBitmap> target = FilledBitmap(200, 100, clWhite);
    TCanvas* canvas = target->Canvas();

    TPicture icon;
    icon.LoadFromFile(Path("picture.ico"));
    EXPECT_TRUE(icon.Graphic()->Transparent());
    canvas->Draw(0, 0, icon.Graphic());
    EXPECT_EQ(canvas->Pixels(8, 8), clLime);
    EXPECT_EQ(canvas->Pixels(1, 1), clWhite);

    for (const char* name : {"picture.emf", "placeable.wmf"}) {
        target->Canvas()->Brush()->SetColor(clWhite);
        target->Canvas()->FillRect(Rect(0, 0, 200, 100));
        TPicture metafile;
        metafile.LoadFromFile(Path(name));
        canvas->StretchDraw(Rect(0, 0, 200, 100), metafile.Graphic());
        EXPECT_EQ(canvas->Pixels(100, 50), clRed) << name;
        EXPECT_EQ(canvas->Pixels(10, 10), clWhite) << name;
        EXPECT_EQ(canvas->Pixels(190, 90), clWhite) << name;
    }
}

TEST_F(PictureFiles, CopiesAreIndependentAndEveryChangeIsAnnounced) {
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &picture);
        ++changes;
    };
    picture.LoadFromFile(Path("picture.bmp"));
    EXPECT_EQ(changes, 1);
    picture.Bitmap()->Canvas()->SetPixels(0, 0, clYellow);
    EXPECT_EQ(changes, 2);

    TPicture copy;
    copy.Assign(&picture);
    copy.Bitmap()->Canvas()->SetPixels(0, 0, clBlack);
    EXPECT_EQ(picture.Bitmap()->Canvas()->Pixels(0, 0), clYellow);
    EXPECT_EQ(changes, 2);

    // A bitmap takes a picture's bitmap; an icon it cannot take.
    TBitmap bitmap;
    bitmap.Assign(&picture);
    EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), clYellow);
    TPicture icon;
    icon.LoadFromFile(Path("picture.ico"));
    EXPECT_THROW(bitmap.Assign(&icon), EConvertError);

    // Asking for another kind replaces the graphic with an empty one.
    EXPECT_TRUE(icon.Bitmap()->Empty());
    EXPECT_NE(dynamic_cast<TBitmap*>(icon.Graphic()), nullptr);

    picture.Assign(nullptr);
    EXPECT_EQ(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(changes, 3);
    picture.SetGraphic(&bitmap);
    EXPECT_NE(picture.Graphic(), &bitmap);
    EXPECT_EQ(picture.Bitmap()->Canvas()->Pixels(0, 0), clYellow);
}

TEST_F(PictureFiles, IconCopiesOwnTheirHandles) {
    TIcon icon;
    icon.LoadFromFile(Path("picture.ico"));
    TIcon copy;
    copy.Assign(&icon);
    EXPECT_NE(copy.Handle(), icon.Handle());
    EXPECT_EQ(copy.Width(), 16);
    HICON released = copy.ReleaseHandle();
    EXPECT_TRUE(copy.Empty());
    EXPECT_TRUE(DestroyIcon(released));
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());

    TMetafile metafile;
    metafile.LoadFromFile(Path("picture.emf"));
    TMetafile metafileCopy;
    metafileCopy.Assign(&metafile);
    EXPECT_NE(metafileCopy.Handle(), metafile.Handle());
    EXPECT_EQ(metafileCopy.Width(), 96);
}
