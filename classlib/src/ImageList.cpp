// ImageList.cpp - image lists over comctl32 and the links that report their
// changes.
#include <classlib/ImgList.h>
#include <classlib/Pictures.h>
#include <classlib/SysUtils.h>

#include <algorithm>
#include <utility>

#include "Consts.h"
#include "GdiCheck.h"

namespace {

// Raster operation (((dest ^ pattern) & source) ^ dest): the brush where the
// source is white, the destination elsewhere.
constexpr DWORD RopDSPDxax = 0x00E20746;

HIMAGELIST NewList(int width, int height) {
    HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 0, 4);
    if (!list) throw EOutOfResources(SOutOfResources);
    return list;
}

}  // namespace

TChangeLink::~TChangeLink() {
    if (FSender) FSender->UnRegisterChanges(this);
}

TImageList::TImageList(TComponent* owner) : TComponent(owner), FHandle(NewList(FWidth, FHeight)) {}

TImageList::~TImageList() {
    for (TChangeLink* link : FLinks) link->FSender = nullptr;
}

void TImageList::SetSize(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == FWidth && height == FHeight) return;
    FHandle.Reset(NewList(width, height));
    FWidth = width;
    FHeight = height;
    Change();
}

int TImageList::Count() const { return ImageList_GetImageCount(FHandle.Get()); }

int TImageList::Add(TBitmap* image, TBitmap* mask) {
    if (!image || image->Empty()) return -1;
    int index = ImageList_Add(FHandle.Get(), image->Handle(), mask ? mask->Handle() : nullptr);
    if (index >= 0) Change();
    return index;
}

int TImageList::AddMasked(TBitmap* image, TColor maskColor) {
    if (!image || image->Empty()) return -1;
    // The platform blackens the masked pixels of what it is given: give it a copy.
    TBitmap copy;
    copy.Assign(image);
    int index = ImageList_AddMasked(FHandle.Get(), copy.Handle(), ColorToRGB(maskColor));
    if (index >= 0) Change();
    return index;
}

int TImageList::AddIcon(TIcon* icon) {
    if (!icon || icon->Empty()) return -1;
    int index = ImageList_ReplaceIcon(FHandle.Get(), -1, icon->Handle());
    if (index >= 0) Change();
    return index;
}

void TImageList::Clear() {
    if (Count() == 0) return;
    ImageList_Remove(FHandle.Get(), -1);
    Change();
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
    if (!canvas || !ValidIndex(index)) return;
    HDC dc = canvas->Handle();
    if (enabled)
        ImageList_DrawEx(FHandle.Get(), index, dc, x, y, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL);
    else
        DrawDisabled(dc, x, y, index);
}

void TImageList::DrawDisabled(HDC dc, int x, int y, int index) {
    // The image's mask: black where it has pixels of its own. The mask may be
    // drawn onto what is there (Wine ANDs it), so the ground is white first.
    TOwnedDC maskDC = NewMemoryDC();
    TGdiObject<HBITMAP> mask(CheckGdi(CreateBitmap(FWidth, FHeight, 1, 1, nullptr)));
    TSelectObject maskSelected(maskDC.Get(), mask.Get());
    PatBlt(maskDC.Get(), 0, 0, FWidth, FHeight, WHITENESS);
    ImageList_Draw(FHandle.Get(), index, maskDC.Get(), 0, 0, ILD_MASK);
    // Its black pixels become white (text colour) in the copy, which is where
    // the brush goes: a highlight one pixel lower right, the shadow over it.
    COLORREF text = SetTextColor(dc, RGB(255, 255, 255));
    COLORREF background = SetBkColor(dc, RGB(0, 0, 0));
    for (auto [offset, color] : {std::pair{1, COLOR_BTNHIGHLIGHT}, std::pair{0, COLOR_BTNSHADOW}}) {
        TSelectObject brush(dc, GetSysColorBrush(color));
        BitBlt(dc, x + offset, y + offset, FWidth, FHeight, maskDC.Get(), 0, 0, RopDSPDxax);
    }
    SetTextColor(dc, text);
    SetBkColor(dc, background);
}

void TImageList::GetIcon(int index, TIcon* icon) {
    if (!icon || !ValidIndex(index)) return;
    icon->SetHandle(CheckGdi(ImageList_GetIcon(FHandle.Get(), index, ILD_NORMAL)));
}

void TImageList::RegisterChanges(TChangeLink* link) {
    if (!link || link->FSender == this) return;
    if (link->FSender) link->FSender->UnRegisterChanges(link);
    link->FSender = this;
    FLinks.push_back(link);
}

void TImageList::UnRegisterChanges(TChangeLink* link) {
    if (!link || link->FSender != this) return;
    link->FSender = nullptr;
    std::erase(FLinks, link);
}

void TImageList::Change() {
    // Handlers may unregister or destroy links meanwhile: each one of the
    // copy is told only while it is still registered.
    std::vector<TChangeLink*> links = FLinks;
    for (TChangeLink* link : links) {
        if (std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end() && link->OnChange)
            link->OnChange(this);
    }
    if (OnChange) OnChange(this);
}
