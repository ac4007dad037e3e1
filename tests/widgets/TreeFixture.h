// TreeFixture.h - a results tree on a form, answering its events the way the
// program's scan page does, and helpers to find what its rows painted.
#pragma once

#include <classlib/Forms.h>
#include <gtest/gtest.h>
#include <widgets/tree/VirtualTrees.h>

#include <functional>
#include <string>
#include <vector>

#include "KitFixture.h"
#include "WindowFixture.h"

constexpr TColor ImageGreen = 0x00008000;
constexpr TColor PictureMagenta = 0x00FF00FF;
constexpr TColor CaptionRed = 0x000000FF;
constexpr TColor DescriptionBlue = 0x00FF0000;

// One focus change as OnFocusChanging saw it, by row index (-1 for none).
struct TFocusChange {
    int from;
    int to;
    friend bool operator==(const TFocusChange&, const TFocusChange&) = default;
};
inline std::ostream& operator<<(std::ostream& out, const TFocusChange& change) {
    return out << change.from << "->" << change.to;
}

inline int IndexOf(PVirtualNode node) { return node ? static_cast<int>(node->Index()) : -1; }

// Every pixel of colour x's hue family: far more of the one channel than of the others.
inline bool Reddish(COLORREF c) {
    return GetRValue(c) > GetGValue(c) + 60 && GetRValue(c) > GetBValue(c) + 60;
}
inline bool Bluish(COLORREF c) {
    return GetBValue(c) > GetRValue(c) + 60 && GetBValue(c) > GetGValue(c) + 60;
}

// The smallest rectangle inside area holding every pixel that ink accepts;
// empty (all 0) when there is none.
inline TRect InkBox(TBitmap* bitmap, const TRect& area, const std::function<bool(COLORREF)>& ink) {
    TRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            if (!ink(PixelAt(bitmap, x, y))) continue;
            box.left = std::min<LONG>(box.left, x);
            box.top = std::min<LONG>(box.top, y);
            box.right = std::max<LONG>(box.right, x + 1);
            box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    return box.left == INT_MAX ? TRect{} : box;
}

struct TTextAt {
    int x;
    int y;
    std::string text;
};

// The pixels of area where ink tells the painted bitmap from the same texts
// drawn in font on white (each text's cell at its top left corner, clipped
// to area): 0 when the tree drew exactly those texts there. The texts must
// leave some ink, or the comparison proves nothing.
inline int InkDifferences(TBitmap* painted, const TRect& area, TFont* font,
                          const std::vector<TTextAt>& texts,
                          const std::function<bool(COLORREF)>& ink) {
    std::unique_ptr<TBitmap> reference =
        FilledBitmap(painted->Width(), painted->Height(), clWhite, pf32bit);
    TCanvas* canvas = reference->Canvas();
    canvas->SetFont(font);
    canvas->Brush()->SetStyle(bsClear);
    IntersectClipRect(canvas->Handle(), area.left, area.top, area.right, area.bottom);
    for (const TTextAt& text : texts) canvas->TextOut(text.x, text.y, text.text);
    EXPECT_NE(InkBox(reference.get(), area, ink), TRect{}) << "the reference texts leave no ink";
    int differences = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            differences += ink(PixelAt(reference.get(), x, y)) != ink(PixelAt(painted, x, y));
    return differences;
}

// The tree's vertical scroll bar: range, page and position.
inline SCROLLINFO VerticalScroll(HWND window) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(window, SB_VERT, &info);
    return info;
}

class TreeTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Form = NewForm(460, 360);
        Images = new TImageList(Form.get());
        std::unique_ptr<TBitmap> green = FilledBitmap(16, 16, ImageGreen);
        Images->Add(green.get(), nullptr);
        Tree = new TVirtualStringTree(Form.get());
        Tree->SetParent(Form.get());
        Tree->SetBorderStyle(bsNone);
        Tree->SetBounds(10, 10, 400, 300);
        Tree->SetColor(clWhite);
        Tree->Font()->SetColor(clBlack);
        Tree->SetImages(Images);
        Tree->SetDefaultNodeHeight(30);
        Tree->OnInitNode = [this](TBaseVirtualTree* sender, PVirtualNode node) {
            ++Inits;
            sender->SetCheckType(node, ctTriStateCheckBox);
            sender->SetCheckState(node, csCheckedNormal);
            sender->SetNodeHeight(node, RowHeight ? RowHeight(node->Index()) : 30);
        };
        Tree->OnGetText = [this](TBaseVirtualTree*, PVirtualNode node, TColumnIndex, TVSTTextType,
                                 std::string& text) { text = Caption(node->Index()); };
        Tree->OnGetImageIndex = [](TBaseVirtualTree*, PVirtualNode, TVTImageKind, TColumnIndex,
                                   bool&, int& index) { index = 0; };
        Tree->OnFocusChanging = [this](TBaseVirtualTree* sender, PVirtualNode from, PVirtualNode to,
                                       bool& allowed) {
            Changes.push_back({IndexOf(from), IndexOf(to)});
            allowed = AllowFocus;
            if (!allowed) return;
            if (from) sender->SetNodeHeight(from, 30);
            if (!to) return;
            sender->SetNodeHeight(to, 70);
            Tree->SetSelectedDescription(Description(to->Index()));
        };
    }
    void TearDown() override {
        Form.reset();
        WindowTest::TearDown();
    }

    PVirtualNode NodeAt(unsigned index) {
        PVirtualNode node = Tree->GetFirst();
        while (node && node->Index() != index) node = Tree->GetNext(node);
        return node;
    }
    std::unique_ptr<TBitmap> Paint() { return PrintClient(Tree); }
    // The look of the focused row that the skin gives the program's tree.
    void SkinFocusedRow() {
        Tree->SelectedPicture()->Assign(FilledBitmap(48, 40, PictureMagenta).get());
        Tree->SelectedFont()->SetColor(CaptionRed);
        Tree->SelectedDescFont()->SetColor(DescriptionBlue);
        Tree->SetShowDescription(true);
    }

    std::unique_ptr<TForm> Form;
    TImageList* Images = nullptr;
    TVirtualStringTree* Tree = nullptr;
    std::function<int(unsigned)> RowHeight;
    std::function<std::string(unsigned)> Caption = [](unsigned i) {
        return "Title: row " + std::to_string(i);
    };
    std::function<std::string(unsigned)> Description = [](unsigned i) {
        return "Found an empty key of row " + std::to_string(i) + " to be deleted.";
    };
    std::vector<TFocusChange> Changes;
    bool AllowFocus = true;
    int Inits = 0;
};
