// BaseVirtualTree.cpp - the virtual tree's rows, their heights and check
// boxes, focus and selection, scrolling, and the properties of its look.
#include <algorithm>
#include <cstring>
#include <iterator>

#include "VirtualTrees.h"

namespace {

constexpr int MaxNodeHeight = 65535;

int ClampHeight(int value) { return std::clamp(value, 1, MaxNodeHeight); }

}  // namespace

// --- Colours ---------------------------------------------------------------------------

void TVTColors::Assign(const TPersistent* source) {
    auto colors = dynamic_cast<const TVTColors*>(source);
    if (!colors) return TPersistent::Assign(source);
    std::copy(std::begin(colors->FColors), std::end(colors->FColors), std::begin(FColors));
    if (FOwner) FOwner->ColorsChanged();
}

void TVTColors::Change(TIndex index, TColor value) {
    if (FColors[index] == value) return;
    FColors[index] = value;
    if (FOwner) FOwner->ColorsChanged();
}

// --- Construction ----------------------------------------------------------------------

TBaseVirtualTree::TBaseVirtualTree(TComponent* owner)
    : TCustomControl(owner),
      FColors(std::make_unique<TVTColors>(this)),
      FBackground(std::make_unique<TPicture>()),
      FSelectedPicture(std::make_unique<TPicture>()) {
    // The rows paint every pixel of the client area, through a buffer.
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    SetBounds(0, 0, 200, 100);
    FImageChangeLink.OnChange = [this](TObject*) { Invalidate(); };
    FBackground->OnChange = [this](TObject*) { Invalidate(); };
}

TBaseVirtualTree::~TBaseVirtualTree() {
    // The window goes first, so that no message finds the rows half gone.
    DestroyHandle();
}

void TBaseVirtualTree::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style |= WS_VSCROLL;
    if (FBorderStyle == bsSingle) params.Style |= WS_BORDER;
}

void TBaseVirtualTree::CreateWnd() {
    TCustomControl::CreateWnd();
    UpdateScrollBars();
}

void TBaseVirtualTree::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == FImages) {
        FImages = nullptr;
        Invalidate();
    }
}

// --- Rows ------------------------------------------------------------------------------

void TBaseVirtualTree::SetRootNodeCount(unsigned value) {
    const auto count = static_cast<unsigned>(FNodes.size());
    if (value == count) return;
    if (value < count) {
        DeleteNodesFrom(value);
    } else {
        if (FNodeDataSize < 0) {
            int size = 0;
            if (OnGetNodeDataSize) OnGetNodeDataSize(this, size);
            FNodeDataSize = std::max(size, 0);
        }
        const int height = ClampHeight(FDefaultNodeHeight);
        for (unsigned index = count; index < value; ++index) {
            TVirtualNode& node = FNodes.emplace_back();
            node.FIndex = index;
            node.FHeight = static_cast<uint16_t>(height);
            FOffsets.Append(height);
        }
    }
    // A tree filled while it is off the screen (the results page during a
    // scan), with its window or before it has one, leaves the platform alone
    // until it is shown. Rows added leave the offset in range.
    if (!Showing()) {
        if (value < count) FOffsetY = std::clamp(FOffsetY, 0, MaxOffsetY());
        FRowsChangedUnseen = true;
        return;
    }
    HeightsChanged();
    Invalidate();
}

void TBaseVirtualTree::ShowingChanged() {
    TCustomControl::ShowingChanged();
    if (!Showing() || !FRowsChangedUnseen) return;
    FRowsChangedUnseen = false;
    HeightsChanged();
    Invalidate();
}

void TBaseVirtualTree::DeleteNodesFrom(unsigned count) {
    auto gone = [count](PVirtualNode node) { return node && node->FIndex >= count; };
    if (gone(FFocusedNode)) FFocusedNode = nullptr;
    if (gone(FHotNode)) FHotNode = nullptr;
    if (gone(FCheckNode)) FCheckNode = nullptr;
    std::erase_if(FSelection, gone);
    FNodes.resize(count);
    FOffsets.Truncate(count);
}

PVirtualNode TBaseVirtualTree::GetFirst() const {
    return FNodes.empty() ? nullptr : const_cast<PVirtualNode>(&FNodes.front());
}

PVirtualNode TBaseVirtualTree::GetLast() const {
    return FNodes.empty() ? nullptr : const_cast<PVirtualNode>(&FNodes.back());
}

PVirtualNode TBaseVirtualTree::GetNext(PVirtualNode node) const {
    if (!node || node->FIndex + 1 >= FNodes.size()) return nullptr;
    return const_cast<PVirtualNode>(&FNodes[node->FIndex + 1]);
}

PVirtualNode TBaseVirtualTree::GetPrevious(PVirtualNode node) const {
    if (!node || node->FIndex == 0) return nullptr;
    return const_cast<PVirtualNode>(&FNodes[node->FIndex - 1]);
}

PVirtualNode TBaseVirtualTree::GetNodeAt(int x, int y) const {
    TRect client = ClientRect();
    if (!PtInRect(&client, Point(x, y))) return nullptr;
    size_t index = FOffsets.Find(int64_t{FOffsetY} + y);
    return index < FNodes.size() ? const_cast<PVirtualNode>(&FNodes[index]) : nullptr;
}

TRect TBaseVirtualTree::GetDisplayRect(PVirtualNode node) {
    if (!node) return TRect{};
    InitNode(node);
    const auto top = static_cast<int>(FOffsets.Top(node->FIndex) - FOffsetY);
    return Rect(0, top, ClientWidth(), top + node->FHeight);
}

void TBaseVirtualTree::SetNodeDataSize(int value) {
    value = std::max(value, -1);
    if (value == FNodeDataSize) return;
    FNodeDataSize = value;
    FNodeData.clear();
}

void* TBaseVirtualTree::GetNodeData(PVirtualNode node) {
    if (!node || FNodeDataSize <= 0) return nullptr;
    const unsigned block = node->FIndex / DataBlockNodes;
    const size_t blockBytes = size_t{DataBlockNodes} * static_cast<size_t>(FNodeDataSize);
    if (FNodeData.size() <= block) FNodeData.resize(block + 1);
    if (!FNodeData[block]) FNodeData[block] = std::make_unique<std::byte[]>(blockBytes);
    return FNodeData[block].get() + size_t{node->FIndex % DataBlockNodes} * FNodeDataSize;
}

void TBaseVirtualTree::InitNode(PVirtualNode node) {
    if (!node || node->Initialized()) return;
    // Marked first: the handler sets the row's state through the tree.
    node->FFlags |= TVirtualNode::InitializedFlag;
    if (FNodeDataSize > 0) std::memset(GetNodeData(node), 0, static_cast<size_t>(FNodeDataSize));
    if (OnInitNode) OnInitNode(this, node);
}

// --- Per row -----------------------------------------------------------------------------

int TBaseVirtualTree::NodeHeight(PVirtualNode node) {
    if (!node) return 0;
    InitNode(node);
    return node->FHeight;
}

void TBaseVirtualTree::SetNodeHeight(PVirtualNode node, int value) {
    if (!node) return;
    InitNode(node);
    value = ClampHeight(value);
    if (value == node->FHeight) return;
    FOffsets.Add(node->FIndex, value - node->FHeight);
    node->FHeight = static_cast<uint16_t>(value);
    HeightsChanged();
    Invalidate();
}

TCheckType TBaseVirtualTree::CheckType(PVirtualNode node) {
    return NodeField(node, &TVirtualNode::FCheckType, ctNone);
}

void TBaseVirtualTree::SetCheckType(PVirtualNode node, TCheckType value) {
    SetNodeField(node, &TVirtualNode::FCheckType, value);
}

TCheckState TBaseVirtualTree::CheckState(PVirtualNode node) {
    return NodeField(node, &TVirtualNode::FCheckState, csUncheckedNormal);
}

void TBaseVirtualTree::SetCheckState(PVirtualNode node, TCheckState value) {
    SetNodeField(node, &TVirtualNode::FCheckState, value);
}

void TBaseVirtualTree::SetSelected(PVirtualNode node, bool value) {
    if (!node || node->Selected() == value) return;
    if (value) {
        ClearSelection();
        node->FFlags |= TVirtualNode::SelectedFlag;
        FSelection.push_back(node);
    } else {
        node->FFlags &= ~TVirtualNode::SelectedFlag;
        std::erase(FSelection, node);
    }
    InvalidateNode(node);
}

void TBaseVirtualTree::ClearSelection() {
    for (PVirtualNode node : FSelection) {
        node->FFlags &= ~TVirtualNode::SelectedFlag;
        InvalidateNode(node);
    }
    FSelection.clear();
}

PVirtualNode TBaseVirtualTree::GetFirstSelected() const {
    return FSelection.empty() ? nullptr : FSelection.front();
}

void TBaseVirtualTree::InvalidateNode(PVirtualNode node) {
    if (!node || !HandleAllocated()) return;
    const auto top = FOffsets.Top(node->FIndex) - FOffsetY;
    if (top >= ClientHeight() || top + node->FHeight <= 0) return;
    TRect row =
        Rect(0, static_cast<int>(top), ClientWidth(), static_cast<int>(top) + node->FHeight);
    ::InvalidateRect(Handle(), &row, FALSE);
}

// --- Focus ---------------------------------------------------------------------------------

void TBaseVirtualTree::SetFocusedNode(PVirtualNode node) { ChangeFocus(node); }

bool TBaseVirtualTree::ChangeFocus(PVirtualNode node) {
    if (node == FFocusedNode) return true;
    bool allowed = true;
    if (OnFocusChanging) OnFocusChanging(this, FFocusedNode, node, allowed);
    if (!allowed) return false;
    InitNode(node);
    FFocusedNode = node;
    // The focused row paints differently, and the handler may have changed
    // heights, which moves every row below.
    Invalidate();
    if (OnFocusChanged) OnFocusChanged(this, node);
    return true;
}

// --- Scrolling -------------------------------------------------------------------------------

int TBaseVirtualTree::MaxOffsetY() const {
    const int64_t extra = FOffsets.Total() - ClientHeight();
    return static_cast<int>(std::clamp<int64_t>(extra, 0, INT32_MAX));
}

void TBaseVirtualTree::SetOffsetY(int value) {
    value = std::clamp(value, 0, MaxOffsetY());
    if (value == FOffsetY) return;
    FOffsetY = value;
    if (!HandleAllocated()) return;
    SetScrollPos(Handle(), SB_VERT, FOffsetY, TRUE);
    Invalidate();
}

void TBaseVirtualTree::ScrollIntoView(PVirtualNode node) {
    if (!node) return;
    InitNode(node);
    const int64_t top = FOffsets.Top(node->FIndex);
    const int64_t bottom = top + node->FHeight;
    const int height = ClientHeight();
    if (top < FOffsetY)
        SetOffsetY(static_cast<int>(top));
    else if (bottom > FOffsetY + height)
        // A row taller than the client area shows its top.
        SetOffsetY(static_cast<int>(std::min(top, bottom - height)));
}

void TBaseVirtualTree::HeightsChanged() {
    if (FPainting) {
        FHeightsChanged = true;
        return;
    }
    UpdateScrollBars();
}

void TBaseVirtualTree::UpdateScrollBars() {
    FOffsetY = std::clamp(FOffsetY, 0, MaxOffsetY());
    if (!HandleAllocated() || FUpdatingScrollBars) return;
    // Showing or hiding the bar resizes the client area, which comes back here.
    FUpdatingScrollBars = true;
    const int64_t total = FOffsets.Total();
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = static_cast<int>(std::clamp<int64_t>(total - 1, 0, INT32_MAX));
    info.nPage = static_cast<UINT>(std::max(ClientHeight(), 0));
    info.nPos = FOffsetY;
    SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
    FUpdatingScrollBars = false;
}

void TBaseVirtualTree::Resize() {
    UpdateScrollBars();
    Invalidate();
    TCustomControl::Resize();
}

// --- Look -------------------------------------------------------------------------------------

void TBaseVirtualTree::SetDefaultNodeHeight(int value) { FDefaultNodeHeight = ClampHeight(value); }

void TBaseVirtualTree::SetMargin(int value) { ChangeAndInvalidate(FMargin, value); }

void TBaseVirtualTree::SetTextMargin(int value) { ChangeAndInvalidate(FTextMargin, value); }

void TBaseVirtualTree::SetImages(TImageList* value) {
    if (value == FImages) return;
    if (FImages) {
        FImages->UnRegisterChanges(&FImageChangeLink);
        FImages->RemoveFreeNotification(this);
    }
    FImages = value;
    if (FImages) {
        FImages->RegisterChanges(&FImageChangeLink);
        FImages->FreeNotification(this);
    }
    Invalidate();
}

void TBaseVirtualTree::ColorsChanged() {
    if (!HandleAllocated()) return;
    RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TBaseVirtualTree::SetBackgroundOffsetX(int value) {
    ChangeAndInvalidate(FBackgroundOffsetX, value);
}

void TBaseVirtualTree::SetBackgroundOffsetY(int value) {
    ChangeAndInvalidate(FBackgroundOffsetY, value);
}

void TBaseVirtualTree::SetHotTrack(bool value) { ChangeAndInvalidate(FHotTrack, value); }

void TBaseVirtualTree::SetBorderStyle(TBorderStyle value) {
    if (value == FBorderStyle) return;
    FBorderStyle = value;
    RecreateWnd();
}

void TBaseVirtualTree::SetSelectedFocus(bool value) { ChangeAndInvalidate(FSelectedFocus, value); }

void TBaseVirtualTree::SetSelectedPicture(const TPicture* value) {
    FSelectedPicture->Assign(value);
    Invalidate();
}

void TBaseVirtualTree::SetSelectedPicTransParent(bool value) {
    ChangeAndInvalidate(FSelectedPicTransParent, value);
}
