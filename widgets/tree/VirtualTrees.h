// VirtualTrees.h - the virtual tree: a list of rows that hold no data of
// their own and ask the program for their text, image, check box and height
// when they are first shown.
//
//   TVirtualNode             one row: index, height, check type and state
//   TVTColors                the fifteen colours of a tree (Colors)
//   TBaseVirtualTree         rows, walking, heights, check boxes, focus and
//                            selection, scrolling, painting of the check box
//                            and images; the focused row's picture
//                            (SelectedFocus, SelectedPicture,
//                            SelectedPicTransParent)
//   TCustomVirtualStringTree rows with a caption (OnGetText); the focused
//                            row's caption and wrapped description
//                            (ShowDescription, SelectedDescription,
//                            SelectedFont, SelectedDescFont)
//   TVirtualStringTree       the string tree as the program's windows use it
//   WrapDescription          a text cut into lines no wider than a limit
//
// The rows form one level: the program sets RootNodeCount and answers the
// events by the row's Index. A row is initialised (OnInitNode) the first time
// it is painted, focused or asked for its check state or height, and keeps
// what the handler set. The tree has one column spanning its client area,
// no header, no drag and drop and no editing.
//
// Positions: the top of every row comes from running sums of the row heights
// (TNodeOffsets), so painting a screen, scrolling and focusing cost the same
// for twenty rows as for twenty thousand.
#pragma once

#include <classlib/Controls.h>
#include <classlib/ImgList.h>
#include <classlib/Pictures.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "NodeOffsets.h"

class TBaseVirtualTree;

enum TCheckType : uint8_t { ctNone, ctTriStateCheckBox, ctCheckBox };
enum TCheckState : uint8_t {
    csUncheckedNormal,
    csUncheckedPressed,
    csCheckedNormal,
    csCheckedPressed,
    csMixedNormal,
    csMixedPressed
};
enum TVTImageKind : uint8_t { ikNormal, ikSelected };
enum TVSTTextType : uint8_t { ttNormal, ttStatic };
using TColumnIndex = int;
constexpr TColumnIndex NoColumn = -1;

// A row. The tree owns it; a pointer to it stays valid until the row is
// deleted (RootNodeCount made smaller than its index, or Clear).
class TVirtualNode {
public:
    unsigned Index() const { return FIndex; }
    int NodeHeight() const { return FHeight; }
    TCheckType CheckType() const { return FCheckType; }
    TCheckState CheckState() const { return FCheckState; }
    bool Initialized() const { return FFlags & InitializedFlag; }
    bool Selected() const { return FFlags & SelectedFlag; }

private:
    friend class TBaseVirtualTree;
    static constexpr uint8_t InitializedFlag = 1;
    static constexpr uint8_t SelectedFlag = 2;

    uint32_t FIndex = 0;
    uint16_t FHeight = 0;
    TCheckType FCheckType = ctNone;
    TCheckState FCheckState = csUncheckedNormal;
    uint8_t FFlags = 0;
};
using PVirtualNode = TVirtualNode*;

// The colours of TVTColors with their defaults, in the order the skin reads them.
#define HOLVANE_VT_COLORS                                        \
    HOLVANE_VT_COLOR(BorderColor, clBtnFace)                     \
    HOLVANE_VT_COLOR(DisabledColor, clBtnShadow)                 \
    HOLVANE_VT_COLOR(DropMarkColor, clHighlight)                 \
    HOLVANE_VT_COLOR(DropTargetColor, clHighlight)               \
    HOLVANE_VT_COLOR(DropTargetBorderColor, clHighlight)         \
    HOLVANE_VT_COLOR(FocusedSelectionColor, clHighlight)         \
    HOLVANE_VT_COLOR(FocusedSelectionBorderColor, clHighlight)   \
    HOLVANE_VT_COLOR(GridLineColor, clBtnFace)                   \
    HOLVANE_VT_COLOR(HeaderHotColor, clBtnShadow)                \
    HOLVANE_VT_COLOR(HotColor, clWindowText)                     \
    HOLVANE_VT_COLOR(SelectionRectangleBlendColor, clHighlight)  \
    HOLVANE_VT_COLOR(SelectionRectangleBorderColor, clHighlight) \
    HOLVANE_VT_COLOR(TreeLineColor, clBtnShadow)                 \
    HOLVANE_VT_COLOR(UnfocusedSelectionColor, clBtnFace)         \
    HOLVANE_VT_COLOR(UnfocusedSelectionBorderColor, clBtnFace)

// The fifteen colours of a tree. Every setter repaints the tree when the
// colour changes. The tree paints with the selection, hot, disabled and
// border colours; the others (drop marks, grid and tree lines, header,
// selection rectangle) belong to features this tree does not have, and are
// kept for the skin that sets them.
class TVTColors : public TPersistent {
public:
    explicit TVTColors(TBaseVirtualTree* owner) : FOwner(owner) {}
    void Assign(const TPersistent* source) override;

#define HOLVANE_VT_COLOR(name, initial)               \
    TColor name() const { return FColors[ci##name]; } \
    void Set##name(TColor value) { Change(ci##name, value); }
    HOLVANE_VT_COLORS
#undef HOLVANE_VT_COLOR

private:
#define HOLVANE_VT_COLOR(name, initial) ci##name,
    enum TIndex { HOLVANE_VT_COLORS ciCount };
#undef HOLVANE_VT_COLOR
    void Change(TIndex index, TColor value);

    TBaseVirtualTree* FOwner;
#define HOLVANE_VT_COLOR(name, initial) initial,
    TColor FColors[ciCount] = {HOLVANE_VT_COLORS};
#undef HOLVANE_VT_COLOR
};
#undef HOLVANE_VT_COLORS

using TVTGetNodeDataSizeEvent = std::function<void(TBaseVirtualTree* sender, int& nodeDataSize)>;
// Sets the new row's check type, check state and height through the tree.
using TVTInitNodeEvent = std::function<void(TBaseVirtualTree* sender, PVirtualNode node)>;
using TVTGetImageEvent =
    std::function<void(TBaseVirtualTree* sender, PVirtualNode node, TVTImageKind kind,
                       TColumnIndex column, bool& ghosted, int& imageIndex)>;
// Either node may be nullptr; allowed starts true.
using TVTFocusChangingEvent = std::function<void(TBaseVirtualTree* sender, PVirtualNode oldNode,
                                                 PVirtualNode newNode, bool& allowed)>;
using TVTChangeEvent = std::function<void(TBaseVirtualTree* sender, PVirtualNode node)>;
// The user is about to change a row's check state to newState; allowed
// starts true.
using TVTCheckChangingEvent = std::function<void(TBaseVirtualTree* sender, PVirtualNode node,
                                                 TCheckState newState, bool& allowed)>;

// How a row is laid out while it is painted: the check box, then the
// images, then the text, each moving Content's left edge to the right.
struct TVTPaintInfo {
    TCanvas* Canvas;
    PVirtualNode Node;
    TRect CellRect;     // the whole row, client coordinates
    TRect ContentRect;  // what is left of the row for what follows
};

class TBaseVirtualTree : public TCustomControl {
public:
    explicit TBaseVirtualTree(TComponent* owner);
    ~TBaseVirtualTree() override;

    // --- Rows -------------------------------------------------------------------
    unsigned RootNodeCount() const { return static_cast<unsigned>(FNodes.size()); }
    // New rows get DefaultNodeHeight and wait to be initialised; rows past the
    // new count are deleted (and leave the focus and the selection).
    void SetRootNodeCount(unsigned value);
    // Deletes every row.
    void Clear() { SetRootNodeCount(0); }
    // Walking in tree order; nullptr past either end.
    PVirtualNode GetFirst() const;
    PVirtualNode GetLast() const;
    PVirtualNode GetNext(PVirtualNode node) const;
    PVirtualNode GetPrevious(PVirtualNode node) const;
    // The row at a point of the client area, or nullptr.
    PVirtualNode GetNodeAt(int x, int y) const;
    // The row's rectangle in client coordinates (the row initialised first).
    TRect GetDisplayRect(PVirtualNode node);
    // The bytes the program keeps per row (NodeDataSize of them, zeroed for a
    // new row); nullptr while NodeDataSize is 0.
    void* GetNodeData(PVirtualNode node);
    // -1 asks OnGetNodeDataSize when the first row is made.
    int NodeDataSize() const { return FNodeDataSize; }
    void SetNodeDataSize(int value);

    // --- Per row: each of these initialises the row first -------------------------
    int NodeHeight(PVirtualNode node);
    // Between 1 and 65535 pixels.
    void SetNodeHeight(PVirtualNode node, int value);
    TCheckType CheckType(PVirtualNode node);
    void SetCheckType(PVirtualNode node, TCheckType value);
    TCheckState CheckState(PVirtualNode node);
    // Sets the state as it is, without OnChecked.
    void SetCheckState(PVirtualNode node, TCheckState value);
    bool Selected(PVirtualNode node) const { return node && node->Selected(); }
    // One row is selected at a time: selecting a row unselects the others.
    void SetSelected(PVirtualNode node, bool value);
    void ClearSelection();
    unsigned SelectedCount() const { return static_cast<unsigned>(FSelection.size()); }
    PVirtualNode GetFirstSelected() const;
    void InvalidateNode(PVirtualNode node);

    // --- Focus and scrolling ------------------------------------------------------
    PVirtualNode FocusedNode() const { return FFocusedNode; }
    // OnFocusChanging may refuse; then OnFocusChanged. The row is not
    // scrolled into view (ScrollIntoView) nor selected.
    void SetFocusedNode(PVirtualNode node);
    // The pixel of the rows shown at the top of the client area.
    int OffsetY() const { return FOffsetY; }
    void SetOffsetY(int value);
    void ScrollIntoView(PVirtualNode node);

    // --- Look ---------------------------------------------------------------------
    int DefaultNodeHeight() const { return FDefaultNodeHeight; }
    // For the rows made afterwards; between 1 and 65535.
    void SetDefaultNodeHeight(int value);
    int Margin() const { return FMargin; }
    void SetMargin(int value);
    int TextMargin() const { return FTextMargin; }
    void SetTextMargin(int value);
    // Not owned: the tree forgets the list when it goes.
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* value);
    TVTColors* Colors() const { return FColors.get(); }
    void SetColors(const TVTColors* value) { FColors->Assign(value); }
    // Tiled over the client area from (BackgroundOffsetX, BackgroundOffsetY),
    // standing still while the rows scroll; Color fills the area without it.
    TPicture* Background() const { return FBackground.get(); }
    void SetBackground(const TPicture* value) { FBackground->Assign(value); }
    int BackgroundOffsetX() const { return FBackgroundOffsetX; }
    void SetBackgroundOffsetX(int value);
    int BackgroundOffsetY() const { return FBackgroundOffsetY; }
    void SetBackgroundOffsetY(int value);
    // The cursor over a row; crDefault shows Cursor there too.
    TCursor HotCursor() const { return FHotCursor; }
    void SetHotCursor(TCursor value) { FHotCursor = value; }
    // The row under the pointer is painted in Colors()->HotColor(), underlined.
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool value);
    PVirtualNode HotNode() const { return FHotNode; }
    // bsSingle: a one-pixel border in Colors()->BorderColor().
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);

    // --- The focused row --------------------------------------------------------------
    // The dotted focus rectangle around the focused row's text, only when set.
    bool SelectedFocus() const { return FSelectedFocus; }
    void SetSelectedFocus(bool value);
    // Drawn in place of the focused row's images.
    TPicture* SelectedPicture() const { return FSelectedPicture.get(); }
    void SetSelectedPicture(const TPicture* value);
    bool SelectedPicTransParent() const { return FSelectedPicTransParent; }
    void SetSelectedPicTransParent(bool value);

    TVTGetNodeDataSizeEvent OnGetNodeDataSize;
    TVTInitNodeEvent OnInitNode;
    TVTGetImageEvent OnGetImageIndex;
    TVTFocusChangingEvent OnFocusChanging;
    TVTChangeEvent OnFocusChanged;
    // The user is about to change a row's check state; it may refuse.
    TVTCheckChangingEvent OnChecking;
    // The user changed a row's check state (click on the box or Space).
    TVTChangeEvent OnChecked;

    // The width of the check box and the gap after it.
    static constexpr int CheckImageSize = 16;
    static constexpr int ImageSpacing = 2;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& message) override;
    void WMEraseBkgnd(TMessage& message) override;
    void WMSetCursor(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Resize() override;
    void ShowingChanged() override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;

    // The row's text: its width in the font it is painted with (for the
    // selection and focus rectangles), and its painting from
    // info.ContentRect's left edge on. Nothing here.
    virtual int ContentWidth(TCanvas*, PVirtualNode) { return 0; }
    virtual void PaintNodeText(const TVTPaintInfo&) {}
    // Gives the canvas the tree's font: at the start of a paint, and again
    // after a row painted in fonts of its own.
    void UseTreeFont(TCanvas* canvas);
    // The text colour of a plain row.
    TColor NodeTextColor(PVirtualNode node) const;
    void InitNode(PVirtualNode node);

private:
    friend class TVTColors;
    // Repaints the rows and the border in new colours.
    void ColorsChanged();

    // Painting (TreePaint.cpp).
    void PaintBackground(TCanvas* canvas, const TRect& area);
    void PaintNode(TCanvas* canvas, PVirtualNode node, const TRect& cell);
    void PaintCheckImage(TVTPaintInfo& info);
    void PaintImages(TVTPaintInfo& info);
    bool PaintSelectedPicture(TVTPaintInfo& info);
    void PaintSelection(const TVTPaintInfo& info, const TRect& textRect);
    void PaintFocusRect(const TVTPaintInfo& info, const TRect& textRect);
    int NodeImageIndex(PVirtualNode node, bool& ghosted);
    void PaintBorder();

    // Input (TreeInput.cpp).
    void WMVScroll(TMessage& message);
    void WMMouseWheel(TMessage& message);
    bool CheckBoxHit(PVirtualNode node, int x);
    void ToggleCheck(PVirtualNode node);
    void FocusAndSelect(PVirtualNode node);
    PVirtualNode PageTarget(PVirtualNode node, bool down);
    void SetHotNode(PVirtualNode node);

    // A row's own field, read or set with the row initialised first; a set
    // that changes it repaints the row.
    template <class T>
    T NodeField(PVirtualNode node, T TVirtualNode::*field, T none) {
        if (!node) return none;
        InitNode(node);
        return node->*field;
    }
    template <class T>
    void SetNodeField(PVirtualNode node, T TVirtualNode::*field, T value) {
        if (!node) return;
        InitNode(node);
        if (node->*field == value) return;
        node->*field = value;
        InvalidateNode(node);
    }
    int MaxOffsetY() const;
    void HeightsChanged();
    void UpdateScrollBars();
    void DeleteNodesFrom(unsigned count);
    bool ChangeFocus(PVirtualNode node);

    std::deque<TVirtualNode> FNodes;
    TNodeOffsets FOffsets;
    int FNodeDataSize = -1;
    // The program's bytes per row, in blocks of DataBlockNodes rows.
    static constexpr unsigned DataBlockNodes = 1024;
    std::vector<std::unique_ptr<std::byte[]>> FNodeData;
    std::vector<PVirtualNode> FSelection;
    PVirtualNode FFocusedNode = nullptr;
    PVirtualNode FHotNode = nullptr;
    // The row whose check box is held down by the mouse.
    PVirtualNode FCheckNode = nullptr;
    int FOffsetY = 0;
    int FWheelDelta = 0;
    // Set while painting: scroll bars follow the heights at the end.
    bool FPainting = false;
    bool FHeightsChanged = false;
    bool FUpdatingScrollBars = false;
    // Rows came or went while the tree was not on the screen: its scroll bar
    // and face are brought up to date when it comes back.
    bool FRowsChangedUnseen = false;

    int FDefaultNodeHeight = 18;
    int FMargin = 4;
    int FTextMargin = 4;
    TImageList* FImages = nullptr;
    TChangeLink FImageChangeLink;
    std::unique_ptr<TVTColors> FColors;
    std::unique_ptr<TPicture> FBackground;
    int FBackgroundOffsetX = 0;
    int FBackgroundOffsetY = 0;
    TCursor FHotCursor = crDefault;
    bool FHotTrack = false;
    TBorderStyle FBorderStyle = bsSingle;

    bool FSelectedFocus = false;
    std::unique_ptr<TPicture> FSelectedPicture;
    bool FSelectedPicTransParent = false;
};

using TVSTGetTextEvent =
    std::function<void(TBaseVirtualTree* sender, PVirtualNode node, TColumnIndex column,
                       TVSTTextType textType, std::string& cellText)>;

class TCustomVirtualStringTree : public TBaseVirtualTree {
public:
    explicit TCustomVirtualStringTree(TComponent* owner);
    ~TCustomVirtualStringTree() override;

    // The row's caption as OnGetText gives it (empty without a handler).
    std::string Text(PVirtualNode node);

    bool ShowDescription() const { return FShowDescription; }
    void SetShowDescription(bool value);
    // The text under the focused row's caption.
    const std::string& SelectedDescription() const { return FSelectedDescription; }
    void SetSelectedDescription(const std::string& value);
    // The fonts are copied in; changing one in place repaints nothing until
    // the tree is painted again.
    TFont* SelectedDescFont() const { return FSelectedDescFont.get(); }
    void SetSelectedDescFont(const TFont* value);
    TFont* SelectedFont() const { return FSelectedFont.get(); }
    void SetSelectedFont(const TFont* value);

    TVSTGetTextEvent OnGetText;

protected:
    int ContentWidth(TCanvas* canvas, PVirtualNode node) override;
    void PaintNodeText(const TVTPaintInfo& info) override;

private:
    bool Described(PVirtualNode node, const std::string& caption) const;
    void PaintPlainText(const TVTPaintInfo& info, const std::string& caption);
    void PaintDescribedText(const TVTPaintInfo& info, const std::string& caption);

    bool FShowDescription = false;
    std::string FSelectedDescription;
    std::unique_ptr<TFont> FSelectedFont;
    std::unique_ptr<TFont> FSelectedDescFont;
};

class TVirtualStringTree : public TCustomVirtualStringTree {
public:
    using TCustomVirtualStringTree::TCustomVirtualStringTree;
};

// The lines of text, each followed by one CR: a line ends with the first
// character that makes it wider than limit on the canvas (in its current
// font), so a line may pass the limit by that one character; the rest is the
// last line (empty when nothing is left). A limit narrower than a character
// gives a character per line; a double-byte character is never cut.
std::string WrapDescription(TCanvas* canvas, std::string_view text, int limit);
