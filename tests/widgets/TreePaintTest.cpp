// What the results tree paints, read back from its client area: rows where
// their heights put them, the focused row's picture, caption and wrapped
// description, the background, and no GDI objects left behind.
#include <gtest/gtest.h>
#include <widgets/tree/VirtualTrees.h>

#include "TreeFixture.h"

namespace {

// The layout of a row with a check box and an image, with the default margin.
constexpr int CheckLeft = 4;
constexpr int ImageLeft = CheckLeft + 16 + 2;  // after the check box and its gap
constexpr int ImageRight = ImageLeft + 16;
// The focused row's picture: 2 pixels right of the image's place, then the text.
constexpr int PictureLeft = ImageLeft + 2;
constexpr int PictureWidth = 48;
constexpr int FocusedTextLeft = PictureLeft + PictureWidth + 4;  // TextMargin 4

// Top and length of each run of the colour down column x.
std::vector<std::pair<int, int>> ColumnRuns(TBitmap* bitmap, int x, COLORREF color) {
    std::vector<std::pair<int, int>> runs;
    HDC dc = bitmap->Canvas()->Handle();
    for (int y = 0; y < bitmap->Height(); ++y) {
        if (GetPixel(dc, x, y) != color) continue;
        if (!runs.empty() && runs.back().first + runs.back().second == y)
            ++runs.back().second;
        else
            runs.push_back({y, 1});
    }
    return runs;
}

}  // namespace

TEST_F(TreeTest, RowsAreDrawnWhereTheirHeightsPutThem) {
    const std::vector<int> heights{20, 45, 24, 70, 31, 18, 64, 40};
    RowHeight = [&](unsigned index) { return heights.at(index); };
    Tree->SetHeight(200);
    Tree->SetRootNodeCount(static_cast<unsigned>(heights.size()));
    // Each row's image, centred in the row, cut off by the client area's edges.
    auto expected = [&](int offset) {
        std::vector<std::pair<int, int>> images;
        int top = -offset;
        for (int height : heights) {
            const int imageTop = std::max(top + (height - 16) / 2, 0);
            const int imageBottom = std::min(top + (height - 16) / 2 + 16, Tree->ClientHeight());
            if (imageBottom > imageTop) images.push_back({imageTop, imageBottom - imageTop});
            top += height;
        }
        return images;
    };
    std::unique_ptr<TBitmap> painted = Paint();
    EXPECT_EQ(ColumnRuns(painted.get(), ImageLeft + 8, Rgb(ImageGreen)), expected(0));
    EXPECT_EQ(Tree->GetDisplayRect(NodeAt(3)), Rect(0, 89, Tree->ClientWidth(), 159));

    // Scrolled: every row moves up by the offset.
    Tree->SetOffsetY(50);
    painted = Paint();
    EXPECT_EQ(ColumnRuns(painted.get(), ImageLeft + 8, Rgb(ImageGreen)), expected(50));

    // Rows not shown yet count with the default height; once every row was
    // initialised, the bar's range is the total of their heights.
    for (PVirtualNode node = Tree->GetFirst(); node; node = Tree->GetNext(node))
        Tree->NodeHeight(node);
    const SCROLLINFO info = VerticalScroll(Tree->Handle());
    EXPECT_EQ(info.nMax, 311);
    EXPECT_EQ(info.nPos, 50);
    EXPECT_EQ(static_cast<int>(info.nPage), Tree->ClientHeight());

    // The offset stops where the last row touches the bottom.
    Tree->SetOffsetY(100000);
    EXPECT_EQ(Tree->OffsetY(), 312 - Tree->ClientHeight());
    EXPECT_EQ(Tree->GetNodeAt(5, Tree->ClientHeight() - 1), NodeAt(7));
    EXPECT_EQ(Tree->GetNodeAt(5, -1), nullptr);
}

TEST_F(TreeTest, TheFocusedRowShowsItsPictureCaptionAndWrappedDescription) {
    SkinFocusedRow();
    Description = [](unsigned) {
        return std::string(
            "Found an Item in HKEY_CLASSES_ROOT\\CLSID\\{0123} point to a missing "
            "file C:\\Program Files\\Old\\gone.dll that should be deleted.");
    };
    Tree->SetRootNodeCount(5);
    Tree->SetFocusedNode(NodeAt(1));
    const TRect row = Tree->GetDisplayRect(NodeAt(1));
    ASSERT_EQ(row, Rect(0, 30, 400, 100));
    std::unique_ptr<TBitmap> painted = Paint();
    HDC dc = painted->Canvas()->Handle();

    // The picture, centred in the 70-pixel row, where the image would have been.
    const int pictureTop = row.top + (70 - 40) / 2;
    EXPECT_EQ(ColumnRuns(painted.get(), PictureLeft + 10, Rgb(PictureMagenta)),
              (std::vector<std::pair<int, int>>{{pictureTop, 40}}));
    EXPECT_NE(GetPixel(dc, PictureLeft - 1, pictureTop + 5), Rgb(PictureMagenta));
    EXPECT_EQ(GetPixel(dc, PictureLeft + PictureWidth - 1, pictureTop + 5), Rgb(PictureMagenta));
    EXPECT_NE(GetPixel(dc, PictureLeft + PictureWidth, pictureTop + 5), Rgb(PictureMagenta));
    // No image in that row; the other rows keep theirs.
    EXPECT_EQ(ColumnRuns(painted.get(), ImageLeft + 1, Rgb(ImageGreen)),
              (std::vector<std::pair<int, int>>{{7, 16}, {107, 16}, {137, 16}, {167, 16}}));

    // The caption 13 pixels below the row's top (70 / 4 - 4), in the selected font.
    EXPECT_EQ(InkDifferences(painted.get(), row, Tree->SelectedFont(),
                             {{FocusedTextLeft, row.top + 13, "Title: row 1"}}, Reddish),
              0);

    // The description wrapped at the tree's width less the picture's and 50,
    // measured in the caption's font; line k lies 31 + k * font height below.
    TPaintTarget measure(10, 10);
    measure.Canvas()->SetFont(Tree->SelectedFont());
    const std::string wrapped =
        WrapDescription(measure.Canvas(), Description(1), 400 - PictureWidth - 50);
    std::vector<TTextAt> lines;
    const int lineHeight = -Tree->SelectedDescFont()->Height();
    for (size_t start = 0, end; (end = wrapped.find('\r', start)) != std::string::npos;
         start = end + 1) {
        const int y = row.top + 31 + static_cast<int>(lines.size()) * lineHeight;
        lines.push_back({FocusedTextLeft, y, wrapped.substr(start, end - start)});
    }
    ASSERT_GE(lines.size(), 2u) << "the description should take more than one line";
    EXPECT_EQ(InkDifferences(painted.get(), row, Tree->SelectedDescFont(), lines, Bluish), 0);
    // Nothing of it spills into the next row.
    EXPECT_EQ(InkBox(painted.get(), Rect(0, row.bottom, 400, 300), Bluish), TRect{});
}

TEST_F(TreeTest, ATransparentPictureLetsTheRowShowThroughItsCornerColour) {
    SkinFocusedRow();
    // Magenta, the colour of its bottom-left corner, around a black square.
    TBitmap* picture = Tree->SelectedPicture()->Bitmap();
    picture->Canvas()->Brush()->SetColor(clBlack);
    picture->Canvas()->FillRect(Rect(20, 15, 30, 25));
    Tree->SetRootNodeCount(2);
    Tree->SetFocusedNode(NodeAt(0));
    const int top = (70 - 40) / 2;
    for (bool transparent : {true, false}) {
        Tree->SetSelectedPicTransParent(transparent);
        std::unique_ptr<TBitmap> painted = Paint();
        HDC dc = painted->Canvas()->Handle();
        EXPECT_EQ(GetPixel(dc, PictureLeft + 2, top + 2),
                  transparent ? Rgb(clWhite) : Rgb(PictureMagenta));
        EXPECT_EQ(GetPixel(dc, PictureLeft + 25, top + 20), Rgb(clBlack));
    }
}

TEST_F(TreeTest, WithoutDescriptionsTheFocusedRowKeepsThePictureAndAPlainCaption) {
    SkinFocusedRow();
    Tree->SetShowDescription(false);
    Tree->Font()->SetColor(CaptionRed);
    Tree->SetRootNodeCount(3);
    Tree->SetFocusedNode(NodeAt(0));
    std::unique_ptr<TBitmap> painted = Paint();
    EXPECT_EQ(GetPixel(painted->Canvas()->Handle(), PictureLeft, 15), Rgb(PictureMagenta));
    const std::string caption = "Title: row 0";
    TPaintTarget measure(10, 10);
    measure.Canvas()->SetFont(Tree->Font());
    const int textTop = (70 - measure.Canvas()->TextHeight(caption)) / 2;
    EXPECT_EQ(InkDifferences(painted.get(), Rect(0, 0, 400, 70), Tree->Font(),
                             {{FocusedTextLeft, textTop, caption}}, Reddish),
              0);
    EXPECT_EQ(InkBox(painted.get(), Rect(0, 0, 400, 300), Bluish), TRect{});
}

TEST_F(TreeTest, AFocusedRowWithoutCaptionPaintsNeitherCaptionNorDescription) {
    SkinFocusedRow();
    Caption = [](unsigned i) { return i == 1 ? std::string() : "Title: row " + std::to_string(i); };
    Tree->SetRootNodeCount(3);
    Tree->SetFocusedNode(NodeAt(1));
    std::unique_ptr<TBitmap> painted = Paint();
    const TRect row = Rect(0, 30, 400, 100);
    EXPECT_EQ(InkBox(painted.get(), row, Reddish), TRect{});
    EXPECT_EQ(InkBox(painted.get(), row, Bluish), TRect{});
    EXPECT_EQ(GetPixel(painted->Canvas()->Handle(), PictureLeft, 50), Rgb(PictureMagenta));
}

TEST_F(TreeTest, SelectedRowsThatAreNotFocusedArePaintedAsUsual) {
    SkinFocusedRow();
    Tree->SetRootNodeCount(3);
    Tree->SetFocusedNode(NodeAt(0));
    Tree->SetSelected(NodeAt(2), true);
    std::unique_ptr<TBitmap> painted = Paint();
    HDC dc = painted->Canvas()->Handle();
    const TRect row = Tree->GetDisplayRect(NodeAt(2));
    EXPECT_EQ(GetPixel(dc, ImageLeft + 1, row.top + 7), Rgb(ImageGreen));
    EXPECT_EQ(InkBox(painted.get(), row, [](COLORREF c) { return c == Rgb(PictureMagenta); }),
              TRect{});
    EXPECT_EQ(InkBox(painted.get(), row, Reddish), TRect{});
    // The unfocused tree's selection colour behind the caption.
    EXPECT_EQ(GetPixel(dc, ImageRight + 3, row.top + 2),
              Rgb(Tree->Colors()->UnfocusedSelectionColor()));
}

TEST_F(TreeTest, WithoutPictureOrImageListTheFocusedRowIsPaintedLikeTheOthers) {
    Tree->SetShowDescription(false);
    Tree->SetRootNodeCount(2);
    Tree->SetFocusedNode(NodeAt(0));
    // No picture: the row's image stays.
    std::unique_ptr<TBitmap> painted = Paint();
    EXPECT_EQ(GetPixel(painted->Canvas()->Handle(), ImageLeft + 1, 27), Rgb(ImageGreen));

    // No image list: neither image nor picture, and the caption follows the check box.
    SkinFocusedRow();
    Tree->SetShowDescription(false);
    Tree->Font()->SetColor(CaptionRed);
    Tree->SetImages(nullptr);
    painted = Paint();
    EXPECT_EQ(InkBox(painted.get(), Rect(0, 0, 400, 70),
                     [](COLORREF c) { return c == Rgb(PictureMagenta) || c == Rgb(ImageGreen); }),
              TRect{});
    TPaintTarget measure(10, 10);
    measure.Canvas()->SetFont(Tree->Font());
    const int textTop = (70 - measure.Canvas()->TextHeight("Title: row 0")) / 2;
    EXPECT_EQ(InkDifferences(painted.get(), Rect(0, 0, 400, 70), Tree->Font(),
                             {{ImageLeft + 4, textTop, "Title: row 0"}}, Reddish),
              0);
}

TEST_F(TreeTest, LineBreaksInTheDescriptionStartNewLinesAndAloneDrawNothing) {
    SkinFocusedRow();
    Tree->SetRootNodeCount(2);
    Tree->SetFocusedNode(NodeAt(0));
    const int lineHeight = -Tree->SelectedDescFont()->Height();
    TFont* descFont = Tree->SelectedDescFont();

    Tree->SetSelectedDescription("first part\nsecond part");
    std::unique_ptr<TBitmap> painted = Paint();
    EXPECT_EQ(InkDifferences(painted.get(), Rect(0, 0, 400, 70), descFont,
                             {{FocusedTextLeft, 31, "first part"},
                              {FocusedTextLeft, 31 + lineHeight, "second part"}},
                             Bluish),
              0);

    Tree->SetSelectedDescription("\r\n\n\r");
    painted = Paint();
    EXPECT_EQ(InkBox(painted.get(), Rect(0, 0, 400, 300), Bluish), TRect{});
    EXPECT_NE(InkBox(painted.get(), Rect(0, 0, 400, 70), Reddish), TRect{});
}

TEST_F(TreeTest, TheBackgroundPictureIsTiledFromItsOffsetsUnderTheRows) {
    // A 10 x 8 tile, red in its top-left pixel, blue in its bottom-right one.
    auto tile = FilledBitmap(10, 8, clSilver);
    tile->Canvas()->SetPixels(0, 0, clRed);
    tile->Canvas()->SetPixels(9, 7, clBlue);
    Tree->Background()->Assign(tile.get());
    Tree->SetBackgroundOffsetX(3);
    Tree->SetBackgroundOffsetY(5);
    Tree->SetRootNodeCount(2);
    std::unique_ptr<TBitmap> painted = Paint();
    HDC dc = painted->Canvas()->Handle();
    for (int x : {3, 193, 393})
        for (int y : {5, 13, 293}) {
            EXPECT_EQ(GetPixel(dc, x, y), Rgb(clRed)) << x << "," << y;
            EXPECT_EQ(GetPixel(dc, x - 1, y - 1), Rgb(clBlue)) << x << "," << y;
        }
    // The rows are drawn over it without a fill of their own.
    EXPECT_EQ(GetPixel(dc, 393, 13), Rgb(clRed));
    EXPECT_EQ(GetPixel(dc, ImageLeft + 1, 7), Rgb(ImageGreen));

    // It stands still while the rows scroll.
    Tree->SetRootNodeCount(50);
    Tree->SetOffsetY(37);
    painted = Paint();
    EXPECT_EQ(GetPixel(painted->Canvas()->Handle(), 3, 5), Rgb(clRed));
}

TEST_F(TreeTest, PaintingLeavesNoGdiObjectsBehind) {
    SkinFocusedRow();
    auto tile = FilledBitmap(10, 8, clSilver);
    Tree->Background()->Assign(tile.get());
    Tree->SetRootNodeCount(200);
    Tree->SetFocusedNode(NodeAt(3));
    Tree->SetSelected(NodeAt(3), true);
    Tree->SetSelected(NodeAt(5), true);
    std::unique_ptr<TBitmap> target = Paint();
    HDC dc = target->Canvas()->Handle();
    ExpectNoLeak("tree", [&](int round) {
        Tree->SetOffsetY(round % 7 * 20);
        SendMessageA(Tree->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    });
}
