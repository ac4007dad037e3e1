// The shared skin drawing: window regions from bitmaps, tiled pictures and
// the parent's background behind a control.
#include <gtest/gtest.h>
#include <widgets/panels/SkinDrawing.h>

#include <string>
#include <vector>

#include "ControlProbes.h"
#include "KitFixture.h"
#include "WindowFixture.h"

namespace {

constexpr TColor Cut = clFuchsia;
constexpr TColor Shown = 0x00204080;

// A bitmap drawn from rows of text: '.' is the transparent colour, any other
// character a visible pixel.
std::unique_ptr<TBitmap> GlyphOf(const std::vector<std::string>& rows,
                                 TPixelFormat format = pf24bit) {
    auto bitmap =
        FilledBitmap(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), Cut, format);
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            if (rows[y][x] != '.')
                bitmap->Canvas()->SetPixels(static_cast<int>(x), static_cast<int>(y), Shown);
    return bitmap;
}

// A hidden borderless window to give regions to.
class TRegionWindow {
public:
    TRegionWindow() : FForm(std::make_unique<TForm>(nullptr)) {
        FForm->SetBorderStyle(bsNone);
        FForm->SetBounds(300, 250, 40, 20);
    }
    HWND Handle() { return FForm->Handle(); }
    // The window's region now, or nullptr when it has none.
    TGdiObject<HRGN> Region() {
        TGdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
        if (GetWindowRgn(Handle(), region.Get()) == ERROR) return {};
        return region;
    }
    std::vector<RECT> RegionRects() {
        TGdiObject<HRGN> region = Region();
        std::vector<char> data(GetRegionData(region.Get(), 0, nullptr));
        auto header = reinterpret_cast<RGNDATA*>(data.data());
        GetRegionData(region.Get(), static_cast<DWORD>(data.size()), header);
        auto rects = reinterpret_cast<const RECT*>(header->Buffer);
        return {rects, rects + header->rdh.nCount};
    }

private:
    std::unique_ptr<TForm> FForm;
};

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

TEST(RegionFromBitmap, HoldsExactlyTheVisiblePixels) {
    const std::vector<std::vector<std::string>> glyphs = {
        {"##.##", "....#", "#...."},  // runs at both ends, a lone last pixel
        {"#.#.#", ".#.#.", "#####"},  // one-pixel runs and gaps
        {".###.", "#####", ".###."},  // rounded corners, as a window outline
        {"#####", "#####"},           // nothing cut
        {"....#", "...##", "..###"},  // runs that end in the last column
    };
    for (TPixelFormat format : {pf24bit, pf32bit, pfDevice}) {
        for (const auto& rows : glyphs) {
            TRegionWindow window;
            auto glyph = GlyphOf(rows, format);
            ASSERT_TRUE(SetRegionFromBitmap(window.Handle(), glyph.get(), Cut));
            TGdiObject<HRGN> region = window.Region();
            ASSERT_TRUE(region);
            for (int y = 0; y < static_cast<int>(rows.size()); ++y)
                for (int x = 0; x < static_cast<int>(rows[y].size()); ++x)
                    EXPECT_EQ(PtInRegion(region.Get(), x, y) != 0, rows[y][x] != '.')
                        << rows[0] << " format " << format << " at " << x << "," << y;
            RECT box{};
            GetRgnBox(region.Get(), &box);
            EXPECT_LE(box.right, static_cast<LONG>(rows[0].size()));
            EXPECT_LE(box.bottom, static_cast<LONG>(rows.size()));
        }
    }
}

TEST(RegionFromBitmap, OneTransparentPixelSplitsARowIntoTwoRectangles) {
    TRegionWindow window;
    auto glyph = GlyphOf({"###.##"});
    ASSERT_TRUE(SetRegionFromBitmap(window.Handle(), glyph.get(), Cut));
    const std::vector<RECT> rects = window.RegionRects();
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_TRUE(SameRect(rects[0], RECT{0, 0, 3, 1}));
    EXPECT_TRUE(SameRect(rects[1], RECT{4, 0, 6, 1}));  // reaches the last column

    auto last = GlyphOf({".....#"});
    ASSERT_TRUE(SetRegionFromBitmap(window.Handle(), last.get(), Cut));
    const std::vector<RECT> lone = window.RegionRects();
    ASSERT_EQ(lone.size(), 1u);
    EXPECT_TRUE(SameRect(lone[0], RECT{5, 0, 6, 1}));
}

TEST(RegionFromBitmap, RowsWithTheSameRunsMakeOneRectangle) {
    // A window outline: its middle rows alike, its corner rows each their own.
    const std::vector<std::string> rows = {".##.", ".##.", "####", "####", "####", "#..#", "#..#"};
    TRegionWindow window;
    auto glyph = GlyphOf(rows);
    ASSERT_TRUE(SetRegionFromBitmap(window.Handle(), glyph.get(), Cut));
    const std::vector<RECT> rects = window.RegionRects();
    ASSERT_EQ(rects.size(), 4u);
    EXPECT_TRUE(SameRect(rects[0], RECT{1, 0, 3, 2}));
    EXPECT_TRUE(SameRect(rects[1], RECT{0, 2, 4, 5}));
    EXPECT_TRUE(SameRect(rects[2], RECT{0, 5, 1, 7}));
    EXPECT_TRUE(SameRect(rects[3], RECT{3, 5, 4, 7}));
}

TEST(RegionFromBitmap, AllTransparentGivesAnEmptyRegionAndTheWindowStays) {
    TRegionWindow window;
    auto glyph = GlyphOf({"....", "...."});
    ASSERT_TRUE(SetRegionFromBitmap(window.Handle(), glyph.get(), Cut));
    TGdiObject<HRGN> region = window.Region();
    ASSERT_TRUE(region);
    RECT box{};
    EXPECT_EQ(GetRgnBox(region.Get(), &box), NULLREGION);
    EXPECT_TRUE(IsWindow(window.Handle()));
}

TEST(RegionFromBitmap, ASystemColourMatchesNoPixel) {
    // Button face as a plain colour in the bitmap, as a system colour the key.
    TRegionWindow window;
    auto glyph = FilledBitmap(3, 2, ColorToRGB(clBtnFace));
    ASSERT_TRUE(SetRegionFromBitmap(window.Handle(), glyph.get(), clBtnFace));
    TGdiObject<HRGN> region = window.Region();
    RECT box{};
    EXPECT_EQ(GetRgnBox(region.Get(), &box), SIMPLEREGION);
    EXPECT_TRUE(SameRect(box, RECT{0, 0, 3, 2}));
}

TEST(RegionFromBitmap, AWindowThatRefusesKeepsNoRegionAlive) {
    auto glyph = GlyphOf({"#.#"});
    EXPECT_FALSE(SetRegionFromBitmap(nullptr, glyph.get(), Cut));
    const size_t before = GdiObjectCount();
    for (int i = 0; i < 50; ++i) EXPECT_FALSE(SetRegionFromBitmap(nullptr, glyph.get(), Cut));
    EXPECT_EQ(GdiObjectCount(), before);
}

TEST(RegionFromBitmap, RepeatedShapingLeavesNoGdiObjectsBehind) {
    TRegionWindow window;
    auto glyph = GlyphOf({".###.", "#####", "#.#.#", ".###."});
    SetRegionFromBitmap(window.Handle(), glyph.get(), Cut);
    const size_t before = GdiObjectCount();
    for (int i = 0; i < 200; ++i) SetRegionFromBitmap(window.Handle(), glyph.get(), Cut);
    EXPECT_EQ(GdiObjectCount(), before);
}

TEST(TilePicture, CoversTheRectangleFromTheOrigin) {
    // A 20 x 12 tile whose top-left pixel is red.
    auto tile = FilledBitmap(20, 12, clGreen);
    tile->Canvas()->SetPixels(0, 0, clRed);
    TPaintTarget target(50, 30);
    TilePicture(target.Canvas(), tile.get(), Rect(0, 0, 50, 30));
    int reds = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 50; ++x) {
            const bool corner = x % 20 == 0 && y % 12 == 0;
            EXPECT_EQ(target.At(x, y), Rgb(corner ? clRed : clGreen)) << x << "," << y;
            reds += corner;
        }
    EXPECT_EQ(reds, 9);  // 3 columns x 3 rows, the last ones cut by the edge
}

TEST(TilePicture, ASmallerRectangleStopsTheTilesEarly) {
    auto tile = FilledBitmap(10, 10, clGreen);
    TPaintTarget target(60, 60);
    TilePicture(target.Canvas(), tile.get(), Rect(0, 0, 25, 15));
    // Tiles start at x 0, 10, 20 and y 0, 10; the last ones are whole.
    EXPECT_EQ(target.At(29, 19), Rgb(clGreen));
    EXPECT_EQ(target.At(30, 5), Untouched);
    EXPECT_EQ(target.At(5, 20), Untouched);
}

TEST(TilePicture, AnEmptyOrMissingPictureDrawsNothing) {
    TPaintTarget target(20, 20);
    TBitmap empty;
    TilePicture(target.Canvas(), &empty, Rect(0, 0, 20, 20));
    TilePicture(target.Canvas(), nullptr, Rect(0, 0, 20, 20));
    EXPECT_EQ(target.Count(Untouched), 400);
}

class ParentBackground : public WindowTest {};

TEST_F(ParentBackground, PaintsTheParentAndItsWindowlessChildrenAtTheControlsPlace) {
    auto form = NewForm(200, 150);
    auto parent = new TBox(form.get(), form.get(), Bounds(10, 10, 100, 80), clGreen);
    new TSwatch(form.get(), parent, Bounds(30, 20, 10, 10), clRed);
    auto control = new TBox(form.get(), parent, Bounds(25, 15, 90, 30), clBlue);
    form->Show();

    TPaintTarget target(90, 30);
    PaintParentBackground(target.Canvas(), control);
    EXPECT_EQ(target.At(0, 0), Rgb(clGreen));  // parent (25, 15)
    EXPECT_EQ(target.At(5, 5), Rgb(clRed));    // the swatch at parent (30, 20)
    EXPECT_EQ(target.At(14, 14), Rgb(clRed));
    EXPECT_EQ(target.At(15, 15), Rgb(clGreen));
    EXPECT_EQ(target.At(74, 29), Rgb(clGreen));  // parent (99, 44): its last column
    EXPECT_EQ(target.At(75, 5), Untouched);      // beyond the parent's client area

    // The DC's origin and clipping are as they were.
    POINT origin{-1, -1};
    GetViewportOrgEx(target.Canvas()->Handle(), &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    target.Canvas()->Brush()->SetColor(clYellow);
    target.Canvas()->FillRect(Rect(80, 0, 90, 30));
    EXPECT_EQ(target.At(85, 5), Rgb(clYellow));
}

TEST_F(ParentBackground, NoParentPaintsNothing) {
    TBox orphan(nullptr, nullptr, Bounds(0, 0, 20, 20), clBlue);
    TPaintTarget target(20, 20);
    PaintParentBackground(target.Canvas(), &orphan);
    EXPECT_EQ(target.Count(Untouched), 400);
}
