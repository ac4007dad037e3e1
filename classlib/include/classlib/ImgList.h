// ImgList.h - lists of equally sized images, drawn by index, over the
// platform's image list (comctl32).
//
//   TImageList   Width, Height, Count, Add, AddMasked, AddIcon, Draw (enabled
//                or disabled look), GetIcon, Clear, Handle; OnChange and
//                change links
//   TChangeLink  tells one user of an image list about its changes
//
// A control that shows images of a list it does not own keeps a TChangeLink
// registered with the list (repaint on change) and asks the list for a free
// notification (forget the list when it goes). A link unregisters itself when
// destroyed; a list that goes first leaves its links without a sender.
#pragma once

#include <classlib/Classes.h>
#include <classlib/Graphics.h>
#include <commctrl.h>

#include <vector>

class TBitmap;
class TIcon;
class TImageList;

using TOwnedImageList = TOwnedHandle<HIMAGELIST, ImageList_Destroy>;

class TChangeLink : public TObject {
public:
    ~TChangeLink() override;

    TImageList* Sender() const { return FSender; }
    // Fired, with the list as sender, after every change of the list.
    TNotifyEvent OnChange;

private:
    friend class TImageList;
    TImageList* FSender = nullptr;
};

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner = nullptr);
    ~TImageList() override;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // A new size empties the list.
    void SetWidth(int value) { SetSize(value, FHeight); }
    void SetHeight(int value) { SetSize(FWidth, value); }
    void SetSize(int width, int height);
    int Count() const;

    // Each returns the new image's index, or -1 when the platform refused it.
    // mask: monochrome, white where the image is transparent; nullptr for none.
    int Add(TBitmap* image, TBitmap* mask);
    // Pixels of maskColor become transparent; the image itself stays as it is.
    int AddMasked(TBitmap* image, TColor maskColor);
    int AddIcon(TIcon* icon);
    void Clear();

    // Draws image index at (x, y); disabled images show an embossed outline in
    // clBtnHighlight and clBtnShadow. An index outside the list draws nothing.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
    // Puts a copy of image index into icon; an index outside the list leaves
    // the icon as it was.
    void GetIcon(int index, TIcon* icon);

    HIMAGELIST Handle() const { return FHandle.Get(); }

    void RegisterChanges(TChangeLink* link);
    void UnRegisterChanges(TChangeLink* link);
    TNotifyEvent OnChange;

private:
    void Change();
    void DrawDisabled(HDC dc, int x, int y, int index);
    bool ValidIndex(int index) const { return index >= 0 && index < Count(); }

    int FWidth = 16;
    int FHeight = 16;
    TOwnedImageList FHandle;
    std::vector<TChangeLink*> FLinks;
};
