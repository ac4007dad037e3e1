// The results tree without the user: running height sums, rows made,
// initialised and deleted, check states set directly, focus changes with
// their events, wrapping of the description, and the properties the skin sets.
#include <gtest/gtest.h>
#include <widgets/tree/NodeOffsets.h>
#include <widgets/tree/VirtualTrees.h>

#include <random>

#include "TreeFixture.h"

// --- Running sums ---------------------------------------------------------------------------

TEST(NodeOffsets, AgreeWithPlainSumsThroughAppendsChangesAndCuts) {
    std::mt19937 random(7);
    std::vector<int> heights;
    TNodeOffsets offsets;
    auto check = [&](const char* step) {
        int64_t top = 0;
        ASSERT_EQ(offsets.Count(), heights.size()) << step;
        for (size_t i = 0; i < heights.size(); ++i) {
            ASSERT_EQ(offsets.Top(i), top) << step << " row " << i;
            // Every pixel of the row, its first and last, finds the row.
            ASSERT_EQ(offsets.Find(top), i) << step;
            ASSERT_EQ(offsets.Find(top + heights[i] - 1), i) << step;
            top += heights[i];
        }
        EXPECT_EQ(offsets.Total(), top) << step;
        EXPECT_EQ(offsets.Find(top), heights.size()) << step;
        EXPECT_EQ(offsets.Find(-5), 0u) << step;
    };
    check("empty");
    for (int i = 0; i < 777; ++i) {
        heights.push_back(1 + static_cast<int>(random() % 90));
        offsets.Append(heights.back());
    }
    check("appended");
    for (int i = 0; i < 200; ++i) {
        const size_t index = random() % heights.size();
        const int height = 1 + static_cast<int>(random() % 90);
        offsets.Add(index, height - heights[index]);
        heights[index] = height;
    }
    check("changed");
    for (size_t count : {size_t{500}, size_t{256}, size_t{255}, size_t{1}, size_t{0}}) {
        heights.resize(count);
        offsets.Truncate(count);
        check("cut");
        for (int i = 0; i < 37; ++i) {
            heights.push_back(1 + static_cast<int>(random() % 90));
            offsets.Append(heights.back());
        }
        check("appended after the cut");
    }
}

// --- Rows -------------------------------------------------------------------------------------

TEST_F(TreeTest, RowsAreInitialisedWhenFirstNeededAndKeepWhatTheProgramSet) {
    Tree->SetRootNodeCount(20000);
    EXPECT_EQ(Inits, 0);
    EXPECT_EQ(Tree->RootNodeCount(), 20000u);

    // A row never shown still answers with what its initialisation sets.
    PVirtualNode distant = NodeAt(15000);
    ASSERT_NE(distant, nullptr);
    EXPECT_EQ(Tree->CheckState(distant), csCheckedNormal);
    EXPECT_EQ(Tree->CheckType(distant), ctTriStateCheckBox);
    EXPECT_EQ(Inits, 1);

    // Unchecking every row directly sticks, also for rows painted afterwards.
    for (PVirtualNode node = Tree->GetFirst(); node; node = Tree->GetNext(node))
        Tree->SetCheckState(node, csUncheckedNormal);
    EXPECT_EQ(Inits, 20000);
    Paint();
    EXPECT_EQ(Inits, 20000);
    int checked = 0;
    for (PVirtualNode node = Tree->GetFirst(); node; node = Tree->GetNext(node))
        checked += Tree->CheckState(node) != csUncheckedNormal;
    EXPECT_EQ(checked, 0);
}

TEST_F(TreeTest, PaintingInitialisesOnlyTheRowsItShows) {
    Tree->SetRootNodeCount(20000);
    Tree->SetOffsetY(30 * 9000);
    Paint();
    // 300 pixels of 30-pixel rows: ten rows, one more at most for a cut row.
    EXPECT_GE(Inits, 10);
    EXPECT_LE(Inits, 11);
    EXPECT_TRUE(NodeAt(9000)->Initialized());
    EXPECT_FALSE(NodeAt(8999)->Initialized());
}

TEST_F(TreeTest, RowsGrowOneAtATimeWithoutMovingAndGoWithTheFocusAndSelection) {
    Tree->SetRootNodeCount(1);
    PVirtualNode first = Tree->GetFirst();
    for (unsigned count = 2; count <= 3000; ++count) Tree->SetRootNodeCount(count);
    EXPECT_EQ(Tree->GetFirst(), first);
    EXPECT_EQ(Tree->GetLast()->Index(), 2999u);
    EXPECT_EQ(Tree->GetPrevious(Tree->GetLast())->Index(), 2998u);
    EXPECT_EQ(Tree->GetNext(Tree->GetLast()), nullptr);
    EXPECT_EQ(Tree->GetPrevious(first), nullptr);

    Tree->SetFocusedNode(NodeAt(2500));
    Tree->SetSelected(NodeAt(2500), true);
    Tree->SetRootNodeCount(2000);
    EXPECT_EQ(Tree->FocusedNode(), nullptr);
    EXPECT_EQ(Tree->SelectedCount(), 0u);
    EXPECT_EQ(Tree->GetFirst(), first);

    Tree->SetFocusedNode(first);
    Tree->Clear();
    EXPECT_EQ(Tree->RootNodeCount(), 0u);
    EXPECT_EQ(Tree->GetFirst(), nullptr);
    EXPECT_EQ(Tree->FocusedNode(), nullptr);
    EXPECT_EQ(Tree->OffsetY(), 0);
    Paint();  // an empty tree paints its background only
}

TEST_F(TreeTest, NodeDataIsKeptOnlyWhenTheProgramAsksForIt) {
    Tree->SetRootNodeCount(3);
    EXPECT_EQ(Tree->NodeDataSize(), 0);
    EXPECT_EQ(Tree->GetNodeData(Tree->GetFirst()), nullptr);

    auto other = new TVirtualStringTree(Form.get());
    other->OnGetNodeDataSize = [](TBaseVirtualTree*, int& size) { size = 8; };
    other->SetRootNodeCount(2000);
    EXPECT_EQ(other->NodeDataSize(), 8);
    PVirtualNode last = other->GetLast();
    auto data = static_cast<uint64_t*>(other->GetNodeData(last));
    ASSERT_NE(data, nullptr);
    *data = 0x1234;
    EXPECT_EQ(*static_cast<uint64_t*>(other->GetNodeData(last)), 0x1234u);
    EXPECT_EQ(*static_cast<uint64_t*>(other->GetNodeData(other->GetFirst())), 0u);
    EXPECT_NE(other->GetNodeData(other->GetFirst()),
              other->GetNodeData(other->GetNext(other->GetFirst())));
}

TEST_F(TreeTest, HeightsStayWithinTheirBounds) {
    Tree->SetRootNodeCount(2);
    Tree->SetNodeHeight(Tree->GetFirst(), 0);
    EXPECT_EQ(Tree->NodeHeight(Tree->GetFirst()), 1);
    Tree->SetNodeHeight(Tree->GetFirst(), 100000);
    EXPECT_EQ(Tree->NodeHeight(Tree->GetFirst()), 65535);
    EXPECT_EQ(Tree->GetDisplayRect(Tree->GetLast()).top, 65535);
}

// --- Focus --------------------------------------------------------------------------------------

TEST_F(TreeTest, FocusChangesTellTheOldAndTheNewRowAndMayBeRefused) {
    Tree->SetRootNodeCount(6);
    std::vector<TFocusChange> told;
    Tree->OnFocusChanged = [&](TBaseVirtualTree*, PVirtualNode node) {
        told.push_back({-2, IndexOf(node)});
    };
    Tree->SetFocusedNode(Tree->GetFirst());
    Tree->SetFocusedNode(NodeAt(3));
    Tree->SetFocusedNode(NodeAt(3));  // no change, no event
    EXPECT_EQ(Changes, (std::vector<TFocusChange>{{-1, 0}, {0, 3}}));
    EXPECT_EQ(told, (std::vector<TFocusChange>{{-2, 0}, {-2, 3}}));
    // The program's handler made the new row 70 high and the old one 30 again.
    EXPECT_EQ(Tree->GetDisplayRect(NodeAt(3)), Rect(0, 90, 400, 160));
    EXPECT_EQ(Tree->NodeHeight(Tree->GetFirst()), 30);
    EXPECT_EQ(Tree->SelectedDescription(), Description(3));

    AllowFocus = false;
    Tree->SetFocusedNode(NodeAt(5));
    EXPECT_EQ(Tree->FocusedNode(), NodeAt(3));
    EXPECT_EQ(Changes.back(), (TFocusChange{3, 5}));
    EXPECT_EQ(told.size(), 2u);

    AllowFocus = true;
    Tree->SetFocusedNode(nullptr);
    EXPECT_EQ(Changes.back(), (TFocusChange{3, -1}));
    EXPECT_EQ(Tree->FocusedNode(), nullptr);
    EXPECT_EQ(Tree->NodeHeight(NodeAt(3)), 30);
}

TEST_F(TreeTest, OneRowIsSelectedAtATime) {
    Tree->SetRootNodeCount(4);
    Tree->SetSelected(NodeAt(1), true);
    Tree->SetSelected(NodeAt(2), true);
    EXPECT_FALSE(Tree->Selected(NodeAt(1)));
    EXPECT_TRUE(Tree->Selected(NodeAt(2)));
    EXPECT_EQ(Tree->SelectedCount(), 1u);
    EXPECT_EQ(Tree->GetFirstSelected(), NodeAt(2));
    Tree->SetSelected(NodeAt(2), false);
    EXPECT_EQ(Tree->GetFirstSelected(), nullptr);
}

TEST_F(TreeTest, ScrollIntoViewShowsTheWholeRowOrTheTopOfATallOne) {
    Tree->SetRootNodeCount(100);
    Tree->ScrollIntoView(NodeAt(50));
    EXPECT_EQ(Tree->GetDisplayRect(NodeAt(50)).bottom, Tree->ClientHeight());
    Tree->ScrollIntoView(NodeAt(3));
    EXPECT_EQ(Tree->GetDisplayRect(NodeAt(3)).top, 0);
    Tree->SetNodeHeight(NodeAt(80), 1000);
    Tree->ScrollIntoView(NodeAt(80));
    EXPECT_EQ(Tree->GetDisplayRect(NodeAt(80)).top, 0);
}

// --- The description's lines ---------------------------------------------------------------------

TEST(WrapDescription, CutsAfterTheCharacterThatCrossesTheLimit) {
    TPaintTarget target(10, 10);
    TCanvas* canvas = target.Canvas();
    const std::string text = "Found an Item in HKEY_CLASSES_ROOT point to a missing file";
    const int width = canvas->TextWidth(text);

    EXPECT_EQ(WrapDescription(canvas, text, width), text + "\r");
    EXPECT_EQ(WrapDescription(canvas, "", 100), "\r");

    // Half the width: two or three lines; each but the last passes the limit
    // by its last character only.
    const int limit = width / 2;
    const std::string wrapped = WrapDescription(canvas, text, limit);
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = wrapped.find('\r', start)) != std::string::npos;
         start = end + 1)
        lines.push_back(wrapped.substr(start, end - start));
    ASSERT_GE(lines.size(), 2u);
    ASSERT_LE(lines.size(), 3u);
    std::string joined;
    for (size_t i = 0; i < lines.size(); ++i) {
        joined += lines[i];
        if (i + 1 == lines.size()) {
            EXPECT_LE(canvas->TextWidth(lines[i]), limit);
            continue;
        }
        EXPECT_GT(canvas->TextWidth(lines[i]), limit) << lines[i];
        EXPECT_LE(canvas->TextWidth(lines[i].substr(0, lines[i].size() - 1)), limit) << lines[i];
    }
    EXPECT_EQ(joined, text);

    // Narrower than a character: one character per line, and the empty rest last.
    EXPECT_EQ(WrapDescription(canvas, "abc", 1), "a\rb\rc\r\r");
    EXPECT_EQ(WrapDescription(canvas, "ab", -20), "a\rb\r\r");
}

// --- What the skin sets
// -----------------------------------------------------------------------------

TEST_F(TreeTest, TheAddedPropertiesStartAsTheProgramExpects) {
    auto fresh = new TVirtualStringTree(Form.get());
    EXPECT_FALSE(fresh->SelectedFocus());
    EXPECT_FALSE(fresh->SelectedPicTransParent());
    EXPECT_EQ(fresh->SelectedPicture()->Graphic(), nullptr);
    EXPECT_FALSE(fresh->ShowDescription());
    EXPECT_EQ(fresh->SelectedDescription(), "");
    EXPECT_EQ(fresh->SelectedFont()->Name(), "Tahoma");
    EXPECT_EQ(fresh->SelectedDescFont()->Name(), "Tahoma");
    EXPECT_EQ(fresh->SelectedFont()->Size(), 8);
    EXPECT_EQ(fresh->Colors()->FocusedSelectionColor(), clHighlight);
    EXPECT_EQ(fresh->Colors()->UnfocusedSelectionBorderColor(), clBtnFace);
}

TEST_F(TreeTest, EverySkinSettablePropertyReadsBackWhatWasSet) {
    const std::string folder = testing::TempDir();
    const std::string background = folder + "TreeSkinBackground.bmp";
    const std::string picture = folder + "TreeSkinPicture.bmp";
    WriteBmp(background, 12, 9, [](int, int) { return RGB(1, 2, 3); });
    WriteBmp(picture, 30, 20, [](int, int) { return RGB(4, 5, 6); });

    Tree->SetHint("Results");
    Tree->SetShowHint(true);
    Tree->Background()->LoadFromFile(background);
    Tree->SetBackgroundOffsetX(-7);
    Tree->SetBackgroundOffsetY(11);
    Tree->SetShowDescription(true);
    Tree->SetCursor(crHandPoint);
    Tree->SetHotCursor(crHelp);
    Tree->SetDefaultNodeHeight(26);
    Tree->SelectedPicture()->LoadFromFile(picture);
    Tree->SetMargin(6);
    Tree->SetTextMargin(9);
    for (TFont* font : {Tree->Font(), Tree->SelectedFont(), Tree->SelectedDescFont()}) {
        font->SetCharset(1);
        font->SetColor(clMaroon);
        font->SetHeight(-20);
        font->SetName("Arial");
        font->SetPitch(fpFixed);
        font->SetStyle({fsBold, fsItalic});
    }
    Tree->SetColor(clCream);
    TVTColors* colors = Tree->Colors();
    const std::vector<std::pair<void (TVTColors::*)(TColor), TColor (TVTColors::*)() const>>
        entries{
            {&TVTColors::SetBorderColor, &TVTColors::BorderColor},
            {&TVTColors::SetDisabledColor, &TVTColors::DisabledColor},
            {&TVTColors::SetDropMarkColor, &TVTColors::DropMarkColor},
            {&TVTColors::SetDropTargetColor, &TVTColors::DropTargetColor},
            {&TVTColors::SetDropTargetBorderColor, &TVTColors::DropTargetBorderColor},
            {&TVTColors::SetFocusedSelectionColor, &TVTColors::FocusedSelectionColor},
            {&TVTColors::SetFocusedSelectionBorderColor, &TVTColors::FocusedSelectionBorderColor},
            {&TVTColors::SetGridLineColor, &TVTColors::GridLineColor},
            {&TVTColors::SetHeaderHotColor, &TVTColors::HeaderHotColor},
            {&TVTColors::SetHotColor, &TVTColors::HotColor},
            {&TVTColors::SetSelectionRectangleBlendColor, &TVTColors::SelectionRectangleBlendColor},
            {&TVTColors::SetSelectionRectangleBorderColor,
             &TVTColors::SelectionRectangleBorderColor},
            {&TVTColors::SetTreeLineColor, &TVTColors::TreeLineColor},
            {&TVTColors::SetUnfocusedSelectionColor, &TVTColors::UnfocusedSelectionColor},
            {&TVTColors::SetUnfocusedSelectionBorderColor,
             &TVTColors::UnfocusedSelectionBorderColor}};
    for (size_t i = 0; i < entries.size(); ++i)
        (colors->*entries[i].first)(0x010101 * TColor(i + 1));
    Tree->SetBounds(3, 4, 250, 150);
    Tree->SetEnabled(false);
    Tree->SetVisible(false);

    EXPECT_EQ(Tree->Hint(), "Results");
    EXPECT_TRUE(Tree->ShowHint());
    EXPECT_EQ(Tree->Background()->Width(), 12);
    EXPECT_EQ(Tree->BackgroundOffsetX(), -7);
    EXPECT_EQ(Tree->BackgroundOffsetY(), 11);
    EXPECT_TRUE(Tree->ShowDescription());
    EXPECT_EQ(Tree->Cursor(), crHandPoint);
    EXPECT_EQ(Tree->HotCursor(), crHelp);
    EXPECT_EQ(Tree->DefaultNodeHeight(), 26);
    EXPECT_EQ(Tree->SelectedPicture()->Width(), 30);
    EXPECT_EQ(Tree->SelectedPicture()->Height(), 20);
    EXPECT_EQ(Tree->Margin(), 6);
    EXPECT_EQ(Tree->TextMargin(), 9);
    for (TFont* font : {Tree->Font(), Tree->SelectedFont(), Tree->SelectedDescFont()}) {
        EXPECT_EQ(font->Charset(), 1);
        EXPECT_EQ(font->Color(), clMaroon);
        EXPECT_EQ(font->Height(), -20);
        EXPECT_EQ(font->Name(), "Arial");
        EXPECT_EQ(font->Pitch(), fpFixed);
        EXPECT_EQ(font->Style(), (TFontStyles{fsBold, fsItalic}));
    }
    EXPECT_EQ(Tree->Color(), clCream);
    for (size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ((colors->*entries[i].second)(), 0x010101 * TColor(i + 1)) << i;
    EXPECT_EQ(Tree->BoundsRect(), Bounds(3, 4, 250, 150));
    EXPECT_FALSE(Tree->Enabled());
    EXPECT_FALSE(Tree->Visible());

    // Rows made afterwards take the new default height.
    Tree->OnInitNode = nullptr;
    Tree->SetRootNodeCount(2);
    EXPECT_EQ(Tree->NodeHeight(Tree->GetLast()), 26);

    // Colours, pictures and fonts are copied in, never shared.
    auto other = new TVirtualStringTree(Form.get());
    other->SetColors(colors);
    other->SetSelectedPicture(Tree->SelectedPicture());
    other->SetSelectedFont(Tree->SelectedFont());
    other->SetSelectedDescFont(Tree->SelectedDescFont());
    colors->SetHotColor(clLime);
    Tree->SelectedFont()->SetName("Tahoma");
    Tree->SelectedPicture()->Assign(nullptr);
    EXPECT_EQ(other->Colors()->HotColor(), 0x0A0A0A);
    EXPECT_EQ(other->Colors()->TreeLineColor(), 0x0D0D0D);
    EXPECT_EQ(other->SelectedFont()->Name(), "Arial");
    EXPECT_EQ(other->SelectedDescFont()->Height(), -20);
    EXPECT_EQ(other->SelectedPicture()->Width(), 30);
    DeleteFileA(background.c_str());
    DeleteFileA(picture.c_str());
}

TEST_F(TreeTest, AnImageListThatGoesIsForgotten) {
    Tree->SetRootNodeCount(3);
    delete Images;
    Images = nullptr;
    EXPECT_EQ(Tree->Images(), nullptr);
    Paint();
}
