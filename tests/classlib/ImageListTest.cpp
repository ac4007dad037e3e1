// Image lists: adding with masks, drawing enabled and disabled, icons, and
// the change links that tell their users.
#include <classlib/ImgList.h>
#include <classlib/Pictures.h>
#include <gtest/gtest.h>

#include "GraphicsFixture.h"

namespace {

// 16 x 16: fuchsia around a red square from (4, 4) to (12, 12).
std::unique_ptr<TBitmap> Glyph() {
    std::unique_ptr<TBitmap> glyph = FilledBitmap(16, 16, clFuchsia);
    glyph->Canvas()->Brush()->SetColor(clRed);
    glyph->Canvas()->FillRect(Rect(4, 4, 12, 12));
    return glyph;
}

}  // namespace

TEST(ImageList, MaskedImagesDrawOnlyTheirOwnPixels) {
    TImageList list;
    std::unique_ptr<TBitmap> glyph = Glyph();
    EXPECT_EQ(list.AddMasked(glyph.get(), clFuchsia), 0);
    EXPECT_EQ(glyph->Canvas()->Pixels(0, 0), clFuchsia);  // the image given stays as it was

    // The same image with a mask of its own: white where transparent.
    TBitmap mask;
    mask.Assign(glyph.get());
    mask.Canvas()->Brush()->SetColor(clWhite);
    mask.Canvas()->FillRect(Rect(0, 0, 16, 16));
    mask.Canvas()->Brush()->SetColor(clBlack);
    mask.Canvas()->FillRect(Rect(4, 4, 12, 12));
    EXPECT_EQ(list.Add(glyph.get(), &mask), 1);
    EXPECT_EQ(list.Count(), 2);

    std::unique_ptr<TBitmap> target = FilledBitmap(40, 20, clBlue);
    list.Draw(target->Canvas(), 0, 0, 0);
    list.Draw(target->Canvas(), 20, 0, 1);
    list.Draw(target->Canvas(), 0, 0, 2);  // no such image: nothing
    list.Draw(target->Canvas(), 0, 0, -1);
    for (int x : {0, 20}) {
        EXPECT_EQ(target->Canvas()->Pixels(x + 1, 1), clBlue) << x;
        EXPECT_EQ(target->Canvas()->Pixels(x + 8, 8), clRed) << x;
    }
}

TEST(ImageList, DisabledImagesShowAnEmbossedOutline) {
    TImageList list;
    std::unique_ptr<TBitmap> glyph = Glyph();
    list.AddMasked(glyph.get(), clFuchsia);
    std::unique_ptr<TBitmap> target = FilledBitmap(20, 20, clBlue);
    list.Draw(target->Canvas(), 0, 0, 0, false);
    TCanvas* canvas = target->Canvas();
    EXPECT_EQ(static_cast<COLORREF>(canvas->Pixels(8, 8)), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(static_cast<COLORREF>(canvas->Pixels(12, 12)), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas->Pixels(1, 1), clBlue);
}

TEST(ImageList, IconsGoInAndComeOut) {
    TImageList list;
    std::unique_ptr<TBitmap> glyph = Glyph();
    list.AddMasked(glyph.get(), clFuchsia);
    TIcon icon;
    list.GetIcon(0, &icon);
    ASSERT_FALSE(icon.Empty());
    EXPECT_EQ(icon.Width(), 16);
    list.GetIcon(5, &icon);  // no such image: the icon stays
    EXPECT_FALSE(icon.Empty());
    EXPECT_EQ(list.AddIcon(&icon), 1);

    std::unique_ptr<TBitmap> target = FilledBitmap(16, 16, clBlue);
    target->Canvas()->Draw(0, 0, &icon);
    EXPECT_EQ(target->Canvas()->Pixels(0, 0), clBlue);
    EXPECT_EQ(target->Canvas()->Pixels(6, 6), clRed);
}

TEST(ImageList, ChangeLinksHearOfEveryChangeWhileTheyAreRegistered) {
    auto list = std::make_unique<TImageList>();
    TChangeLink link;
    int heard = 0;
    link.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, list.get());
        ++heard;
    };
    list->RegisterChanges(&link);
    EXPECT_EQ(link.Sender(), list.get());
    std::unique_ptr<TBitmap> glyph = Glyph();
    list->AddMasked(glyph.get(), clFuchsia);
    list->Clear();
    list->Clear();  // already empty: no change
    list->SetSize(32, 32);
    EXPECT_EQ(heard, 3);
    EXPECT_EQ(list->Width(), 32);

    {
        TChangeLink shortLived;
        list->RegisterChanges(&shortLived);
    }
    list->AddMasked(glyph.get(), clFuchsia);  // the gone link is not called
    EXPECT_EQ(heard, 4);

    list->UnRegisterChanges(&link);
    list->Clear();
    EXPECT_EQ(heard, 4);

    list->RegisterChanges(&link);
    list.reset();
    EXPECT_EQ(link.Sender(), nullptr);
}
