// The picture panel: picture once, stretched or tiled, over its colour or its
// parent's background, the one-line caption, and sizing to the picture.
#include <gtest/gtest.h>
#include <widgets/panels/ImagePanel.h>

#include <string>
#include <vector>

#include "ControlProbes.h"
#include "KitFixture.h"
#include "WindowFixture.h"

namespace {

constexpr TColor PanelColour = 0x00F2F5F8;
constexpr TColor ParentColour = clGreen;

// A panel that records the areas CaptionChanged is handed.
class TProbePanel : public TImagePanel {
public:
    using TImagePanel::TImagePanel;
    std::vector<TRect> CaptionAreas;

protected:
    void CaptionChanged(const TRect& area) override { CaptionAreas.push_back(area); }
};

// Four pixels: red, lime / blue, yellow (top row first).
std::unique_ptr<TBitmap> FourColours() {
    auto bitmap = FilledBitmap(2, 2, clRed);
    bitmap->Canvas()->SetPixels(1, 0, clLime);
    bitmap->Canvas()->SetPixels(0, 1, clBlue);
    bitmap->Canvas()->SetPixels(1, 1, clYellow);
    return bitmap;
}

class ImagePanelTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Form = NewForm(300, 200);
        Parent = new TBox(Form.get(), Form.get(), Bounds(0, 0, 300, 200), ParentColour);
        // A windowless child of the parent, partly under the panel.
        new TSwatch(Form.get(), Parent, Bounds(5, 5, 20, 20), clRed);
        Panel = new TProbePanel(Form.get());
        Panel->SetParent(Parent);
        Panel->SetBounds(10, 10, 60, 40);
        Panel->SetColor(PanelColour);
        Form->Show();
    }

    // The panel's face as a WM_PRINTCLIENT paints it.
    std::unique_ptr<TBitmap> Face() { return PrintClient(Panel); }
    void SetPictureBitmap(TBitmap* bitmap) {
        TPicture picture;
        picture.SetGraphic(bitmap);
        Panel->SetPicture(&picture);
    }

    std::unique_ptr<TForm> Form;
    TBox* Parent = nullptr;
    TProbePanel* Panel = nullptr;
};

}  // namespace

TEST_F(ImagePanelTest, ANewPanel) {
    TImagePanel panel(nullptr);
    EXPECT_EQ(panel.BevelOuter(), bvNone);
    EXPECT_EQ(panel.BevelInner(), bvNone);
    EXPECT_FALSE(panel.Transparent());
    EXPECT_FALSE(panel.AutoSize());
    EXPECT_EQ(panel.DrawStyle(), idsNormal);
    EXPECT_EQ(panel.Alignment(), taCenter);
    EXPECT_EQ(panel.Color(), clBtnFace);
    EXPECT_EQ(panel.Picture()->Graphic(), nullptr);
}

TEST_F(ImagePanelTest, WithoutAPictureItShowsItsColourOrItsParent) {
    auto plain = Face();
    EXPECT_EQ(Extent(plain.get(), Rgb(PanelColour)), Rect(0, 0, 60, 40));

    Panel->SetTransparent(true);
    auto through = Face();
    // The parent's green, and its red child at parent (5..25, 5..25).
    EXPECT_EQ(PixelAt(through.get(), 0, 0), Rgb(clRed));
    EXPECT_EQ(PixelAt(through.get(), 14, 14), Rgb(clRed));
    EXPECT_EQ(PixelAt(through.get(), 15, 15), Rgb(ParentColour));
    EXPECT_EQ(PixelAt(through.get(), 59, 39), Rgb(ParentColour));
    EXPECT_EQ(Extent(through.get(), Rgb(PanelColour)).right, -1);
}

TEST_F(ImagePanelTest, DrawStylesPlaceThePicture) {
    auto colours = FourColours();
    SetPictureBitmap(colours.get());

    // Once, at the top left; the rest is the panel's colour.
    auto once = Face();
    EXPECT_EQ(PixelAt(once.get(), 0, 0), Rgb(clRed));
    EXPECT_EQ(PixelAt(once.get(), 1, 1), Rgb(clYellow));
    EXPECT_EQ(PixelAt(once.get(), 2, 0), Rgb(PanelColour));
    EXPECT_EQ(PixelAt(once.get(), 59, 39), Rgb(PanelColour));

    Panel->SetDrawStyle(idsStretch);
    auto stretched = Face();
    EXPECT_EQ(Extent(stretched.get(), Rgb(clRed)), Rect(0, 0, 30, 20));
    EXPECT_EQ(Extent(stretched.get(), Rgb(clYellow)), Rect(30, 20, 60, 40));

    Panel->SetDrawStyle(idsTile);
    auto tiled = Face();
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) {
            const TColor expected[2][2] = {{clRed, clLime}, {clBlue, clYellow}};
            ASSERT_EQ(PixelAt(tiled.get(), x, y), Rgb(expected[y % 2][x % 2])) << x << "," << y;
        }
}

TEST_F(ImagePanelTest, ATransparentPanelLeavesThePicturesTransparentColourToItsParent) {
    // Fuchsia at the bottom left: the bitmap's own transparent colour.
    auto bitmap = FilledBitmap(30, 20, clBlue);
    bitmap->Canvas()->Brush()->SetColor(clFuchsia);
    bitmap->Canvas()->FillRect(Rect(0, 10, 30, 20));
    SetPictureBitmap(bitmap.get());
    EXPECT_FALSE(Panel->Picture()->Graphic()->Transparent());
    Panel->SetDrawStyle(idsStretch);

    Panel->SetTransparent(true);
    EXPECT_TRUE(Panel->Picture()->Graphic()->Transparent());
    auto through = Face();
    EXPECT_EQ(PixelAt(through.get(), 30, 5), Rgb(clBlue));
    EXPECT_EQ(PixelAt(through.get(), 30, 30), Rgb(ParentColour));

    // A picture loaded later follows the panel's flag too.
    SetPictureBitmap(bitmap.get());
    EXPECT_TRUE(Panel->Picture()->Graphic()->Transparent());
    Panel->SetTransparent(false);
    EXPECT_FALSE(Panel->Picture()->Graphic()->Transparent());
    auto opaque = Face();
    EXPECT_EQ(PixelAt(opaque.get(), 30, 30), Rgb(clFuchsia));
}

TEST_F(ImagePanelTest, TheCaptionIsOneLinePlacedByAlignment) {
    Panel->SetBounds(10, 10, 200, 40);
    Panel->Font()->SetColor(clNavy);
    Panel->SetCaption("Scan");
    const struct {
        TAlignment alignment;
        bool nearLeft, nearRight;
    } cases[] = {
        {taLeftJustify, true, false}, {taRightJustify, false, true}, {taCenter, false, false}};
    for (const auto& c : cases) {
        Panel->SetAlignment(c.alignment);
        auto face = Face();
        TRect text = Extent(face.get(), Rgb(PanelColour), true);
        ASSERT_GT(text.right, 0) << c.alignment;
        EXPECT_EQ(text.left < 10, c.nearLeft) << c.alignment;
        EXPECT_EQ(text.right > 190, c.nearRight) << c.alignment;
        if (c.alignment == taCenter) {
            EXPECT_LE(std::abs(text.left + text.right - 200), 4);
        }
        // Vertically centred.
        EXPECT_LE(std::abs(text.top + text.bottom - 40), 4) << c.alignment;
    }
}

TEST_F(ImagePanelTest, BlanksAloneAreNoCaptionButLeadingBlanksAreKept) {
    Panel->SetBounds(10, 10, 200, 40);
    Panel->Font()->SetColor(clNavy);
    Panel->SetAlignment(taLeftJustify);
    Panel->SetCaption("   \t ");
    auto blank = Face();
    EXPECT_EQ(Extent(blank.get(), Rgb(PanelColour)), Rect(0, 0, 200, 40));
    EXPECT_EQ(Panel->CaptionAreas.size(), 1u);

    Panel->SetCaption("X");
    const LONG plain = Extent(Face().get(), Rgb(PanelColour), true).left;
    Panel->SetCaption("    X");
    const LONG indented = Extent(Face().get(), Rgb(PanelColour), true).left;
    EXPECT_LT(plain, 5);
    EXPECT_GT(indented, plain + 4);
}

TEST_F(ImagePanelTest, CaptionChangesAreToldTheLastCaptionArea) {
    Panel->SetCaption("First");
    ASSERT_EQ(Panel->CaptionAreas.size(), 1u);
    EXPECT_EQ(Panel->CaptionAreas[0], Rect(0, 0, 0, 0));  // nothing drawn yet
    Face();
    Panel->SetCaption("Second");
    ASSERT_EQ(Panel->CaptionAreas.size(), 2u);
    EXPECT_EQ(Panel->CaptionAreas[1], Rect(0, 0, 60, 40));
}

TEST_F(ImagePanelTest, AutoSizeFollowsThePictureAsTheAlignmentAllows) {
    auto picture = FilledBitmap(50, 30, clBlue);
    const struct {
        TAlign align;
        int width, height;
    } cases[] = {{alNone, 50, 30},  {alTop, 300, 30},   {alBottom, 300, 30},
                 {alLeft, 50, 200}, {alRight, 50, 200}, {alClient, 300, 200}};
    for (const auto& c : cases) {
        auto panel = new TImagePanel(Form.get());
        panel->SetParent(Parent);
        panel->SetBounds(0, 0, 120, 90);
        panel->SetAlign(c.align);
        const TRect placed = panel->BoundsRect();
        panel->SetAutoSize(true);
        EXPECT_EQ(panel->BoundsRect(), placed) << "no picture, align " << c.align;
        TPicture holder;
        holder.SetGraphic(picture.get());
        panel->SetPicture(&holder);
        EXPECT_EQ(panel->Width(), c.width) << "align " << c.align;
        EXPECT_EQ(panel->Height(), c.height) << "align " << c.align;
        delete panel;
    }
}

TEST_F(ImagePanelTest, AutoSizeOnAndOffWithAPicture) {
    auto picture = FilledBitmap(50, 30, clBlue);
    SetPictureBitmap(picture.get());
    EXPECT_EQ(Panel->Width(), 60);
    Panel->SetAutoSize(true);
    EXPECT_EQ(Panel->BoundsRect(), Bounds(10, 10, 50, 30));
    // A child does not size it to its own extent.
    auto child = new TBox(Form.get(), Panel, Bounds(0, 0, 100, 100), clRed);
    child->SetBounds(0, 0, 110, 100);
    EXPECT_EQ(Panel->BoundsRect(), Bounds(10, 10, 50, 30));
    Panel->SetAutoSize(false);
    Panel->SetBounds(10, 10, 80, 60);
    auto bigger = FilledBitmap(70, 70, clBlue);
    SetPictureBitmap(bigger.get());
    EXPECT_EQ(Panel->BoundsRect(), Bounds(10, 10, 80, 60));
}

TEST_F(ImagePanelTest, ASizeGivenAfterThePicturesStaysUntilThePictureChanges) {
    auto picture = FilledBitmap(50, 30, clBlue);
    Panel->SetAutoSize(true);
    SetPictureBitmap(picture.get());
    EXPECT_EQ(Panel->BoundsRect(), Bounds(10, 10, 50, 30));
    // As the skin loader sizes it after loading its picture: resizes and
    // layout passes leave the size it was given.
    Panel->SetBounds(10, 10, 120, 90);
    Parent->Realign();
    Panel->Realign();
    Pump(20);
    EXPECT_EQ(Panel->BoundsRect(), Bounds(10, 10, 120, 90));
    // A new picture, or AutoSize set again, takes the picture's size.
    auto wider = FilledBitmap(70, 20, clBlue);
    SetPictureBitmap(wider.get());
    EXPECT_EQ(Panel->BoundsRect(), Bounds(10, 10, 70, 20));
    Panel->SetBounds(10, 10, 120, 90);
    Panel->SetAutoSize(true);
    EXPECT_EQ(Panel->BoundsRect(), Bounds(10, 10, 70, 20));
}

// A paint that reaches part of the panel (as a label's change on it does)
// paints that part as a whole paint would, parent's background and caption
// included, and nothing beyond it.
TEST_F(ImagePanelTest, APaintOfPartOfThePanelPaintsThatPartAsAWholePaintWould) {
    auto colours = FourColours();
    SetPictureBitmap(colours.get());
    Panel->SetDrawStyle(idsStretch);
    Panel->SetCaption("Overview");
    for (bool transparent : {false, true}) {
        SCOPED_TRACE(transparent ? "transparent" : "opaque");
        Panel->SetTransparent(transparent);
        auto whole = Face();
        TPaintTarget part(60, 40);
        HDC dc = part.Canvas()->Handle();
        IntersectClipRect(dc, 3, 2, 41, 27);
        SendMessageA(Panel->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        SelectClipRgn(dc, nullptr);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 60; ++x) {
                const bool inside = x >= 3 && x < 41 && y >= 2 && y < 27;
                ASSERT_EQ(part.At(x, y), inside ? PixelAt(whole.get(), x, y) : Rgb(Untouched))
                    << x << "," << y;
            }
    }
}

TEST_F(ImagePanelTest, EraseLeavesTheSurfaceAlone) {
    TPaintTarget target(60, 40);
    EXPECT_EQ(SendMessageA(Panel->Handle(), WM_ERASEBKGND,
                           reinterpret_cast<WPARAM>(target.Canvas()->Handle()), 0),
              1);
    EXPECT_EQ(target.Count(Untouched), 60 * 40);
}

TEST_F(ImagePanelTest, PaintingLeavesNoGdiObjectsBehind) {
    auto tile = FilledBitmap(10, 10, clRed);
    SetPictureBitmap(tile.get());
    Panel->SetTransparent(true);
    Panel->SetDrawStyle(idsTile);
    Panel->SetCaption("Overview");
    TPaintTarget target(60, 40);
    const auto dc = reinterpret_cast<WPARAM>(target.Canvas()->Handle());
    SendMessageA(Panel->Handle(), WM_PRINTCLIENT, dc, PRF_CLIENT);
    const size_t before = GdiObjectCount();
    for (int i = 0; i < 200; ++i) SendMessageA(Panel->Handle(), WM_PRINTCLIENT, dc, PRF_CLIENT);
    Panel->Repaint();
    EXPECT_EQ(GdiObjectCount(), before);
}
