// ComCtrls.h - the platform's list view and tab control.
//
//   TListView             a list of items over the platform's list view:
//                         report view with columns, small images, whole-row
//                         selection, single or multiple selection, read-only
//   TListColumn, TListColumns, TListItem, TListItems  its columns and items
//   TPageControl          pages over the platform's tab control, one shown at a
//                         time, chosen by index or by the user's tab
//   TTabSheet             one page: TabVisible, PageIndex, OnShow, OnHide
//
// The items and columns live on the objects, so they are there before the
// window and survive it being made again; the window shows them in the same
// order. Selection and focus are the window's while it exists.
#pragma once

#include <classlib/Controls.h>
#include <classlib/ImgList.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TListView;

class TListColumn : public TObject {
public:
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value);
    int Width() const { return FWidth; }
    void SetWidth(int value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    int Index() const;

private:
    friend class TListColumns;
    explicit TListColumn(TListView* owner) : FOwner(owner) {}
    void Update();

    TListView* FOwner;
    std::string FCaption;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
};

class TListColumns {
public:
    explicit TListColumns(TListView* owner) : FOwner(owner) {}
    TListColumns(const TListColumns&) = delete;
    TListColumns& operator=(const TListColumns&) = delete;

    TListColumn* Add();
    int Count() const { return static_cast<int>(FItems.size()); }
    TListColumn* Items(int index) const { return FItems.at(index).get(); }

private:
    friend class TListColumn;
    TListView* FOwner;
    std::vector<std::unique_ptr<TListColumn>> FItems;
};

class TListItem : public TObject {
public:
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    // The program's own value for the item.
    void* Data() const { return FData; }
    void SetData(void* value) { FData = value; }
    bool Selected() const { return State(LVIS_SELECTED); }
    void SetSelected(bool value) { SetState(LVIS_SELECTED, value); }
    bool Focused() const { return State(LVIS_FOCUSED); }
    void SetFocused(bool value) { SetState(LVIS_FOCUSED, value); }
    int Index() const;
    TListView* ListView() const { return FOwner; }
    // Scrolls the item into view (partly visible counts when partialOK).
    void MakeVisible(bool partialOK);
    // Takes the item out of its list and deletes it.
    void Delete();

private:
    friend class TListItems;
    friend class TListView;
    explicit TListItem(TListView* owner) : FOwner(owner) {}
    bool State(UINT mask) const;
    void SetState(UINT mask, bool value);

    TListView* FOwner;
    std::string FCaption;
    int FImageIndex = -1;
    void* FData = nullptr;
    UINT FState = 0;  // while there is no window
};

class TListItems {
public:
    explicit TListItems(TListView* owner) : FOwner(owner) {}
    TListItems(const TListItems&) = delete;
    TListItems& operator=(const TListItems&) = delete;

    TListItem* Add();
    int Count() const { return static_cast<int>(FItems.size()); }
    TListItem* Item(int index) const { return FItems.at(index).get(); }
    int IndexOf(const TListItem* item) const;
    void Delete(int index);
    void Clear();
    // Changes between the two calls are shown once, at the outermost end.
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TListView;
    friend class TListItem;
    TListView* FOwner;
    std::vector<std::unique_ptr<TListItem>> FItems;
    int FUpdateCount = 0;
};

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

using TLVSelectItemEvent = std::function<void(TObject* sender, TListItem* item, bool selected)>;

class TListView : public TWinControl {
public:
    explicit TListView(TComponent* owner);
    ~TListView() override;

    TListColumns* Columns() const { return FColumns.get(); }
    TListItems* Items() const { return FItems.get(); }

    TViewStyle ViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle value) { SetStyleField(FViewStyle, value); }
    // Not owned: a list that goes away is forgotten.
    TImageList* SmallImages() const { return FSmallImages; }
    void SetSmallImages(TImageList* value);
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool value) { SetStyleField(FMultiSelect, value); }
    // Without ReadOnly the user may edit an item's caption.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value) { SetStyleField(FReadOnly, value); }
    // Hides the selection while the control has no focus.
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool value) { SetStyleField(FHideSelection, value); }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value) { SetStyleField(FBorderStyle, value); }

    // The first selected item, or nullptr.
    TListItem* Selected() const;
    int SelCount() const;
    TListItem* ItemFocused() const;

    // An item was selected or deselected, by the user or the program
    // (item nullptr: every item at once).
    TLVSelectItemEvent OnSelectItem;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void ColorChanged() override;
    void FontChanged() override;

private:
    friend class TListItem;
    friend class TListItems;
    friend class TListColumn;
    friend class TListColumns;
    template <class T>
    void SetStyleField(T& field, T value) {
        if (field == value) return;
        field = value;
        RecreateWnd();
    }
    void InsertItemWindow(int index);
    void InsertColumnWindow(int index);
    void UpdateColors();
    void UpdateImages();
    void Notify(const NMHDR* header);

    std::unique_ptr<TListColumns> FColumns;
    std::unique_ptr<TListItems> FItems;
    TViewStyle FViewStyle = vsIcon;
    TImageList* FSmallImages = nullptr;
    std::unique_ptr<TChangeLink> FImageChangeLink;
    bool FRowSelect = false;
    bool FMultiSelect = false;
    bool FReadOnly = false;
    bool FHideSelection = true;
    TBorderStyle FBorderStyle = bsSingle;
};

class TPageControl;

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    // A sheet joins a page control as its parent; its caption is its tab's text.
    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* value);
    void SetParent(TWinControl* parent) override;
    int PageIndex() const;
    void SetPageIndex(int value);
    // A sheet without a visible tab can still be the active page.
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool value);
    // The index of its tab among the visible tabs, or -1.
    int TabIndex() const;

    // Fired when the sheet comes on the screen (it became the active page of
    // a page control that is shown, or its page control was shown) and when
    // it leaves it.
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

protected:
    void ShowingChanged() override;
    void TextChanged() override;

private:
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
};

enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };

class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int index) const { return FPages.at(index); }
    TTabSheet* ActivePage() const { return FActivePage; }
    // Shows the page and hides the one shown before (nullptr: none).
    void SetActivePage(TTabSheet* page);
    // -1 without an active page; an index outside the pages shows none.
    int ActivePageIndex() const;
    void SetActivePageIndex(int value);
    TTabStyle Style() const { return FStyle; }
    void SetStyle(TTabStyle value);
    // Where the sheets lie: the client area as the tab control's
    // TCM_ADJUSTRECT gives it, asked through WndProc (so that a subclass may
    // correct it).
    TRect DisplayRect();

    // The user chose another tab (not fired for changes by the program).
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& message) override;
    void AdjustClientRect(TRect& rect) override;
    void FontChanged() override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    // Lays the visible tabs out again and selects the active page's.
    void UpdateTabs();

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
    TTabStyle FStyle = tsTabs;
};
