// The kit's progress bar: its properties and the parts count behind Percent,
// the three bodies painted inside its frames or the themed frame, the turn
// to vertical, the percent text, the frame controller, and no GDI objects
// left behind by painting.
#include <classlib/Themes.h>
#include <gtest/gtest.h>
#include <widgets/progress/ProgressBar.h>

#include <vector>

#include "ControlFixture.h"

class ProgressBarTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        Bar = new TKitProgressBar(Form.get());
        Bar->SetParent(Form.get());
        Bar->SetBounds(BarLeft, BarTop, 200, 24);
        Bar->OnChange = [this](TObject*, int percent) { Changes.push_back(percent); };
        ShowForm();
    }
    // A plain bar: no frame, no theme, no text, solid colours.
    void MakePlain(TBarStyle style, int width, int height) {
        Bar->SetThemeAware(false);
        Bar->SetBorderOuter(fsNone);
        Bar->SetBarStyle(style);
        Bar->SetShowPercent(false);
        Bar->SetBarColor(clRed);
        Bar->SetBackColor(clBlue);
        Bar->SetBounds(BarLeft, BarTop, width, height);
    }
    // The bar as its parent paints it.
    std::unique_ptr<TBitmap> Painted() {
        auto form = PrintClient(Form.get());
        auto bar = std::make_unique<TBitmap>();
        bar->SetPixelFormat(pf32bit);
        bar->SetSize(Bar->Width(), Bar->Height());
        bar->Canvas()->CopyRect(Rect(0, 0, Bar->Width(), Bar->Height()), form->Canvas(),
                                Bar->BoundsRect());
        return bar;
    }
    static constexpr int BarLeft = 20;
    static constexpr int BarTop = 20;
    TKitProgressBar* Bar = nullptr;
    std::vector<int> Changes;
};

TEST_F(ProgressBarTest, StartsWithItsDefaults) {
    TKitProgressBar fresh(nullptr);
    EXPECT_EQ(fresh.Width(), 200);
    EXPECT_EQ(fresh.Height(), 24);
    EXPECT_EQ(fresh.BackColor(), clWhite);
    EXPECT_EQ(fresh.BackColorStop(), clBtnFace);
    EXPECT_EQ(fresh.BarColor(), clHighlight);
    EXPECT_EQ(fresh.BarColorStop(), clHotLight);
    EXPECT_EQ(fresh.BarStyle(), bsTraditional);
    EXPECT_EQ(fresh.BevelWidth(), 1);
    EXPECT_EQ(fresh.BorderColor(), clBtnFace);
    EXPECT_EQ(fresh.BorderInner(), fsNone);
    EXPECT_EQ(fresh.BorderOuter(), fsLowered);
    EXPECT_EQ(fresh.BorderWidth(), 0);
    EXPECT_EQ(fresh.FlatColor(), clBtnShadow);
    EXPECT_EQ(fresh.FlatColorAdjustment(), 30);
    EXPECT_EQ(fresh.GradientDirection(), gdHorizontalCenter);
    EXPECT_EQ(fresh.InteriorOffset(), 0);
    EXPECT_EQ(fresh.NumSegments(), 20);
    EXPECT_EQ(fresh.Orientation(), orHorizontal);
    EXPECT_EQ(fresh.Percent(), 0);
    EXPECT_TRUE(fresh.ShowPercent());
    EXPECT_TRUE(fresh.ThemeAware());
    EXPECT_TRUE(fresh.ControlStyle().Contains(csOpaque));
}

TEST_F(ProgressBarTest, PercentChangesFireOnChangeOnce) {
    Bar->SetPercent(40);
    Bar->SetPercent(40);
    Bar->SetPercent(250);  // stored as it is: the bar shows full
    EXPECT_EQ(Changes, (std::vector<int>{40, 250}));
    EXPECT_EQ(Bar->Percent(), 250);
}

TEST_F(ProgressBarTest, PartsGiveThePercentRoundedHalfToEven) {
    struct TCase {
        uint32_t total, done;
        int percent;
    };
    for (const TCase& c : {TCase{8, 1, 12}, TCase{8, 3, 38}, TCase{3, 1, 33}, TCase{3, 2, 67},
                           TCase{200, 1, 0}, TCase{200, 3, 2}, TCase{4, 9, 100}}) {
        Bar->SetTotalParts(0);
        Bar->SetPartsComplete(0);
        Bar->SetTotalParts(c.total);
        EXPECT_EQ(Bar->PartsComplete(), 0u);
        EXPECT_EQ(Bar->Percent(), 0);
        Bar->SetPartsComplete(c.done);
        EXPECT_EQ(Bar->PartsComplete(), std::min(c.done, c.total));
        EXPECT_EQ(Bar->Percent(), c.percent) << c.done << " of " << c.total;
    }
    // Without a total the parts are capped at 0 and the percent stays.
    Bar->SetTotalParts(0);
    Bar->SetPercent(55);
    Bar->SetPartsComplete(7);
    EXPECT_EQ(Bar->PartsComplete(), 0u);
    EXPECT_EQ(Bar->Percent(), 55);
}

TEST_F(ProgressBarTest, WhileLoadingThePartsOnlyStore) {
    TKitProgressBar loading(nullptr);
    loading.BeginLoading();
    loading.SetPercent(30);
    loading.SetTotalParts(10);
    loading.SetPartsComplete(4);
    EXPECT_EQ(loading.Percent(), 30);
    EXPECT_EQ(loading.PartsComplete(), 4u);
    loading.EndLoading();
}

TEST_F(ProgressBarTest, TheStyleChoosesTextAndGapAndBarColorIsTheFontColor) {
    Bar->SetBarStyle(bsLED);
    EXPECT_FALSE(Bar->ShowPercent());
    EXPECT_EQ(Bar->InteriorOffset(), 1);
    Bar->SetBarStyle(bsGradient);
    EXPECT_TRUE(Bar->ShowPercent());
    EXPECT_EQ(Bar->InteriorOffset(), 0);
    Bar->SetBarColor(clMaroon);
    EXPECT_EQ(Bar->Font()->Color(), clMaroon);
    Bar->SetNumSegments(0);
    EXPECT_EQ(Bar->NumSegments(), 1);
    Bar->SetNumSegments(500);
    EXPECT_EQ(Bar->NumSegments(), 100);
}

TEST_F(ProgressBarTest, ATraditionalBarFillsItsShareWithTheTextInBothColours) {
    MakePlain(bsTraditional, 100, 20);
    Bar->SetPercent(50);
    auto bar = Painted();
    EXPECT_EQ(PixelAt(bar.get(), 0, 0), Rgb(clRed));
    EXPECT_EQ(PixelAt(bar.get(), 49, 19), Rgb(clRed));
    EXPECT_EQ(PixelAt(bar.get(), 50, 0), Rgb(clBlue));
    EXPECT_EQ(PixelAt(bar.get(), 99, 19), Rgb(clBlue));

    Bar->SetShowPercent(true);
    bar = Painted();
    int blueOnRed = 0;
    int redOnBlue = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 100; ++x) {
            blueOnRed += x < 50 && PixelAt(bar.get(), x, y) == Rgb(clBlue);
            redOnBlue += x >= 50 && PixelAt(bar.get(), x, y) == Rgb(clRed);
        }
    EXPECT_GT(blueOnRed, 0);
    EXPECT_GT(redOnBlue, 0);

    // Past 100 the bar is full.
    Bar->SetShowPercent(false);
    Bar->SetPercent(300);
    bar = Painted();
    EXPECT_EQ(PixelAt(bar.get(), 99, 10), Rgb(clRed));
}

TEST_F(ProgressBarTest, LedBlocksFollowTheLength) {
    struct TCase {
        int length;
        int size;
        int margin;
        int count;
    };
    // The body is the bar less its one-pixel interior gap on each side.
    for (const TCase& c :
         {TCase{80, 8, 0, 10}, TCase{203, 10, 1, 20}, TCase{60, 6, 0, 10}, TCase{110, 5, 0, 22}}) {
        MakePlain(bsLED, c.length + 2, 12);
        Bar->SetPercent(100);
        auto bar = Painted();
        // Each block is outlined in the background colour; count its red insides.
        std::vector<TRun> runs = Runs([&] {
            std::vector<COLORREF> row;
            for (int x = 1; x <= c.length; ++x) row.push_back(PixelAt(bar.get(), x, 6));
            return row;
        }());
        int red = 0;
        for (const TRun& run : runs) {
            if (run.color != Rgb(clRed)) continue;
            ++red;
            EXPECT_EQ(run.length, c.size - 2) << c.length << " at " << run.start;
        }
        EXPECT_EQ(red, c.count) << c.length;
        EXPECT_EQ(PixelAt(bar.get(), 1 + c.margin + 1, 6), Rgb(clRed)) << c.length;
    }
    // Half lit: the first half of the blocks.
    MakePlain(bsLED, 82, 12);
    Bar->SetPercent(50);
    auto bar = Painted();
    EXPECT_EQ(PixelAt(bar.get(), 1 + 4 * 8 + 3, 6), Rgb(clRed));
    EXPECT_EQ(PixelAt(bar.get(), 1 + 5 * 8 + 3, 6), Rgb(clBlue));
}

TEST_F(ProgressBarTest, ATallBarTurnsVerticalAndFillsFromTheBottom) {
    MakePlain(bsTraditional, 20, 100);
    EXPECT_EQ(Bar->Orientation(), orVertical);
    Bar->SetPercent(25);
    auto bar = Painted();
    EXPECT_EQ(PixelAt(bar.get(), 10, 99), Rgb(clRed));
    EXPECT_EQ(PixelAt(bar.get(), 10, 75), Rgb(clRed));
    EXPECT_EQ(PixelAt(bar.get(), 10, 74), Rgb(clBlue));
    EXPECT_EQ(PixelAt(bar.get(), 10, 0), Rgb(clBlue));
    Bar->SetBounds(BarLeft, BarTop, 100, 20);
    EXPECT_EQ(Bar->Orientation(), orHorizontal);
}

TEST_F(ProgressBarTest, AGradientBarShowsOneGradientOrTheOther) {
    MakePlain(bsGradient, 100, 20);
    Bar->SetGradientDirection(gdHorizontalEnd);
    Bar->SetBarColorStop(clRed);
    Bar->SetBackColorStop(clBlue);
    auto empty = Painted();
    EXPECT_EQ(PixelAt(empty.get(), 0, 0), Rgb(clBlue));
    EXPECT_EQ(PixelAt(empty.get(), 99, 19), Rgb(clBlue));
    Bar->SetPercent(100);
    auto full = Painted();
    EXPECT_EQ(PixelAt(full.get(), 0, 0), Rgb(clRed));
    EXPECT_EQ(PixelAt(full.get(), 99, 19), Rgb(clRed));
}

TEST_F(ProgressBarTest, FramesAndTheInteriorGapSurroundTheBody) {
    MakePlain(bsTraditional, 100, 20);
    Bar->SetBorderOuter(fsLowered);
    Bar->SetInteriorOffset(2);
    Bar->SetPercent(100);
    auto bar = Painted();
    EXPECT_EQ(PixelAt(bar.get(), 0, 0), Rgb(clBtnShadow));
    EXPECT_EQ(PixelAt(bar.get(), 1, 1), Rgb(cl3DDkShadow));
    EXPECT_EQ(PixelAt(bar.get(), 2, 10), Rgb(clBlue));
    EXPECT_EQ(PixelAt(bar.get(), 3, 10), Rgb(clBlue));
    EXPECT_EQ(PixelAt(bar.get(), 4, 10), Rgb(clRed));
}

TEST_F(ProgressBarTest, TheThemedFrameLeavesItsOwnEdgeAroundTheBody) {
    ASSERT_TRUE(ThemesEnabled());
    MakePlain(bsTraditional, 100, 20);
    Bar->SetBorderColor(clLime);
    Bar->SetPercent(100);
    Bar->SetThemeAware(true);
    auto bar = Painted();
    EXPECT_EQ(PixelAt(bar.get(), 3, 10), Rgb(clRed));
    EXPECT_EQ(PixelAt(bar.get(), 96, 10), Rgb(clRed));
    EXPECT_NE(PixelAt(bar.get(), 2, 10), Rgb(clRed));
    EXPECT_NE(PixelAt(bar.get(), 0, 0), Rgb(clLime));
}

TEST_F(ProgressBarTest, TheFrameControllerRestylesAVisibleFrame) {
    auto controller = new TKitFrameController(Form.get());
    Bar->SetFrameController(controller);
    EXPECT_EQ(Bar->BorderOuter(), fsLowered);
    controller->SetColor(clYellow);
    controller->SetFrameStyle(fsGroove);
    controller->SetFrameColor(clNavy);
    controller->SetFrameVisible(true);
    EXPECT_EQ(Bar->BorderOuter(), fsGroove);
    EXPECT_EQ(Bar->FlatColor(), clNavy);
    EXPECT_EQ(Bar->FlatColorAdjustment(), 0);
    EXPECT_EQ(Bar->BackColor(), clYellow);

    delete Bar;
    EXPECT_EQ(controller->RegisteredCount(), 0);
    auto second = new TKitProgressBar(Form.get());
    second->SetParent(Form.get());
    second->SetFrameController(controller);
    delete controller;
    EXPECT_EQ(second->FrameController(), nullptr);
}

TEST_F(ProgressBarTest, AThousandPaintsLeaveTheGdiObjectsAsTheyWere) {
    // Painted here only, not by the setters' repaints on the screen.
    Form->Hide();
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(Bar->Width(), Bar->Height());
    HDC dc = bitmap->Canvas()->Handle();
    auto paint = [&](int round) {
        Bar->SetBarStyle(TBarStyle(round % 3));
        Bar->SetThemeAware(round % 2 == 0);
        Bar->SetPercent(static_cast<uint16_t>(round % 120));
        Bar->SetBorderOuter(TFrameStyleEx(round % 12));
        Bar->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
    };
    for (int round = 0; round < 12; ++round) paint(round);
    const size_t before = GdiObjectCount();
    for (int round = 0; round < 1000; ++round) paint(round);
    EXPECT_EQ(GdiObjectCount(), before);
}
