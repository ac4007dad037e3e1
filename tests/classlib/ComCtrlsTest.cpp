// The list view and the page control over the platform's controls, and the
// visual-style helpers.
#include <classlib/ComCtrls.h>
#include <classlib/Forms.h>
#include <classlib/Themes.h>
#include <gtest/gtest.h>
#include <vssym32.h>

#include "ControlProbes.h"
#include "GraphicsFixture.h"
#include "WindowFixture.h"

namespace {

// A page control whose sheets take the whole width and sit 10 pixels higher
// than the tab control says, as a subclass overriding the window procedure.
class TCorrectedPages : public TPageControl {
public:
    using TPageControl::TPageControl;
    int Adjusts = 0;

    void WndProc(TMessage& message) override {
        TPageControl::WndProc(message);
        if (message.Msg != TCM_ADJUSTRECT) return;
        ++Adjusts;
        auto rect = reinterpret_cast<TRect*>(message.LParam);
        TRect client = ClientRect();
        rect->left = 0;
        rect->right = client.right;
        rect->top -= 10;
        rect->bottom = client.bottom;
    }
};

std::string ItemText(HWND list, int index) {
    char text[64] = {};
    LVITEMA data{};
    data.iSubItem = 0;
    data.pszText = text;
    data.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&data));
    return text;
}

}  // namespace

class ComCtrlsTest : public WindowTest {
protected:
    TListView* NewList(TForm* form) {
        auto list = new TListView(form);
        list->SetParent(form);
        list->SetBounds(10, 10, 300, 120);
        list->SetViewStyle(vsReport);
        list->SetRowSelect(true);
        list->SetReadOnly(true);
        list->Columns()->Add()->SetCaption("Date and Time");
        list->Columns()->Items(0)->SetWidth(250);
        return list;
    }
};

TEST_F(ComCtrlsTest, AListViewShowsItsItemsWhetherAddedBeforeOrAfterItsWindow) {
    auto form = NewForm();
    auto list = NewList(form.get());
    TImageList images(nullptr);
    images.AddMasked(FilledBitmap(16, 16, clRed).get(), clFuchsia);
    list->SetSmallImages(&images);
    for (const char* caption : {"first", "second"}) {
        auto item = list->Items()->Add();
        item->SetCaption(caption);
        item->SetImageIndex(0);
    }
    list->Items()->Item(1)->SetSelected(true);
    EXPECT_FALSE(list->HandleAllocated());

    HWND window = list->Handle();
    EXPECT_EQ(SendMessageA(window, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(ItemText(window, 1), "second");
    EXPECT_EQ(list->Selected(), list->Items()->Item(1));
    EXPECT_TRUE(GetWindowLongPtrA(window, GWL_STYLE) & LVS_REPORT);
    EXPECT_TRUE(GetWindowLongPtrA(window, GWL_STYLE) & LVS_SINGLESEL);
    EXPECT_FALSE(GetWindowLongPtrA(window, GWL_STYLE) & LVS_EDITLABELS);
    EXPECT_TRUE(SendMessageA(window, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(window, LVM_GETIMAGELIST, LVSIL_SMALL, 0)),
              images.Handle());

    auto third = list->Items()->Add();
    third->SetCaption("third");
    EXPECT_EQ(ItemText(window, 2), "third");
    third->SetCaption("third, renamed");
    EXPECT_EQ(ItemText(window, 2), "third, renamed");

    // The window made again keeps items and selection.
    list->SetHideSelection(false);
    EXPECT_NE(list->Handle(), window);
    EXPECT_EQ(SendMessageA(list->Handle(), LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(list->Selected(), list->Items()->Item(1));
    EXPECT_TRUE(GetWindowLongPtrA(list->Handle(), GWL_STYLE) & LVS_SHOWSELALWAYS);
}

TEST_F(ComCtrlsTest, AListViewTellsOfSelectionChangesAndDeletesByIndex) {
    auto form = NewForm();
    auto list = NewList(form.get());
    list->Items()->BeginUpdate();
    for (int i = 0; i < 40; ++i) list->Items()->Add()->SetCaption("row " + std::to_string(i));
    list->Items()->EndUpdate();
    std::vector<std::string> changes;
    list->OnSelectItem = [&](TObject*, TListItem* item, bool selected) {
        changes.push_back((item ? item->Caption() : "all") + (selected ? " on" : " off"));
    };
    form->Show();

    list->Items()->Item(3)->SetSelected(true);
    list->Items()->Item(5)->SetSelected(true);  // one row at a time
    EXPECT_EQ(list->SelCount(), 1);
    EXPECT_TRUE(Contains(changes, "row 3 on"));
    EXPECT_TRUE(Contains(changes, "row 3 off"));
    EXPECT_TRUE(Contains(changes, "row 5 on"));

    list->Items()->Item(5)->SetFocused(true);
    EXPECT_EQ(list->ItemFocused(), list->Items()->Item(5));
    list->Items()->Item(39)->MakeVisible(false);
    EXPECT_GT(SendMessageA(list->Handle(), LVM_GETTOPINDEX, 0, 0), 0);

    // Deleting keeps the rest in step: row i is still item i.
    list->Items()->Item(5)->Delete();
    list->Items()->Delete(0);
    EXPECT_EQ(list->Items()->Count(), 38);
    EXPECT_EQ(ItemText(list->Handle(), 3), "row 4");
    EXPECT_EQ(list->Items()->Item(3)->Caption(), "row 4");
    EXPECT_EQ(list->Items()->Item(3)->Index(), 3);
    list->Items()->Clear();
    EXPECT_EQ(SendMessageA(list->Handle(), LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(list->Selected(), nullptr);
}

TEST_F(ComCtrlsTest, PagesAreChosenByIndexAndShowWhenTheyBecomeActive) {
    auto form = NewForm();
    auto pages = new TPageControl(form.get());
    pages->SetParent(form.get());
    pages->SetBounds(10, 10, 300, 200);
    pages->SetStyle(tsButtons);
    std::vector<TTabSheet*> sheets;
    TLog log;
    for (const char* name : {"Overview", "Scan", "Settings"}) {
        auto sheet = new TTabSheet(form.get());
        sheet->SetPageControl(pages);
        sheet->SetCaption(name);
        sheet->OnShow = [&log, name](TObject*) { log.push_back(std::string(name) + " shown"); };
        sheet->OnHide = [&log, name](TObject*) { log.push_back(std::string(name) + " hidden"); };
        sheets.push_back(sheet);
    }
    pages->SetActivePageIndex(0);
    EXPECT_TRUE(log.empty());  // nothing is on the screen yet
    form->Show();
    EXPECT_EQ(log, TLog{"Overview shown"});
    HWND tabs = pages->Handle();
    EXPECT_TRUE(GetWindowLongPtrA(tabs, GWL_STYLE) & TCS_BUTTONS);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 3);

    log.clear();
    pages->SetActivePageIndex(2);
    EXPECT_EQ(log, (TLog{"Settings shown", "Overview hidden"}));
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    EXPECT_TRUE(IsWindowVisible(sheets[2]->Handle()));
    EXPECT_FALSE(IsWindowVisible(sheets[0]->Handle()));
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 2);

    // Hidden tabs: the pages stay and are still chosen by index.
    for (TTabSheet* sheet : sheets) sheet->SetTabVisible(false);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 0);
    log.clear();
    pages->SetActivePageIndex(1);
    EXPECT_EQ(log, (TLog{"Scan shown", "Settings hidden"}));
    EXPECT_EQ(sheets[1]->TabIndex(), -1);
    pages->SetActivePageIndex(1);  // the same page again: no news
    EXPECT_EQ(log.size(), 2u);

    // A page shows again when its page control comes back on the screen.
    log.clear();
    pages->Hide();
    pages->Show();
    EXPECT_EQ(log, (TLog{"Scan hidden", "Scan shown"}));
    pages->SetActivePageIndex(7);
    EXPECT_EQ(pages->ActivePage(), nullptr);
}

TEST_F(ComCtrlsTest, SheetsLieInTheDisplayRectangleTheWindowProcedureReports) {
    auto form = NewForm();
    auto plain = new TPageControl(form.get());
    auto corrected = new TCorrectedPages(form.get());
    TTabSheet* sheets[2] = {};
    int index = 0;
    for (TPageControl* pages : {plain, static_cast<TPageControl*>(corrected)}) {
        pages->SetParent(form.get());
        pages->SetBounds(10, 10 + 150 * index, 300, 140);
        pages->SetStyle(tsButtons);
        auto sheet = new TTabSheet(form.get());
        sheet->SetPageControl(pages);
        sheet->SetCaption("General");
        pages->SetActivePageIndex(0);
        sheets[index++] = sheet;
    }
    form->HandleNeeded();
    TRect display = plain->DisplayRect();
    EXPECT_EQ(sheets[0]->BoundsRect().top, display.top);
    EXPECT_EQ(sheets[0]->BoundsRect().left, display.left);
    EXPECT_GT(display.left, 0);
    TRect sheet = sheets[1]->BoundsRect();
    EXPECT_GT(corrected->Adjusts, 0);
    EXPECT_EQ(sheet.left, 0);
    EXPECT_EQ(sheet.right, corrected->ClientWidth());
    EXPECT_EQ(sheet.bottom, corrected->ClientHeight());
    EXPECT_EQ(sheet.top, display.top - 10);
    // Resizing lays the sheets out again through the same message.
    corrected->SetBounds(10, 160, 400, 100);
    EXPECT_EQ(sheets[1]->BoundsRect().right, 400);
}

TEST_F(ComCtrlsTest, AClickOnATabChangesThePage) {
    auto form = NewForm();
    form->SetBorderStyle(bsNone);
    auto pages = new TPageControl(form.get());
    pages->SetParent(form.get());
    pages->SetBounds(10, 10, 300, 200);
    for (const char* name : {"One", "Two"}) {
        auto sheet = new TTabSheet(form.get());
        sheet->SetPageControl(pages);
        sheet->SetCaption(name);
    }
    pages->SetActivePageIndex(0);
    int changes = 0;
    pages->OnChange = [&](TObject*) { ++changes; };
    form->Show();
    TRect tab{};
    SendMessageA(pages->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
    ClickAt(ScreenPoint(pages, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2));
    EXPECT_TRUE(WaitUntil([&] { return changes == 1; }));
    EXPECT_EQ(pages->ActivePageIndex(), 1);
}

TEST_F(ComCtrlsTest, ThemePartsAreDrawnWhileVisualStylesAreOn) {
    ASSERT_TRUE(ThemesEnabled());  // as the test display's Wine has them
    auto bitmap = FilledBitmap(13, 13, clFuchsia, pf32bit);
    TThemeData button(nullptr, L"BUTTON");
    ASSERT_TRUE(button);
    EXPECT_TRUE(button.DrawBackground(bitmap->Canvas()->Handle(), BP_CHECKBOX, CBS_CHECKEDNORMAL,
                                      Rect(0, 0, 13, 13)));
    int changed = 0;
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x) changed += bitmap->Canvas()->Pixels(x, y) != clFuchsia;
    EXPECT_GT(changed, 50);
    TThemeData none(nullptr, L"NoSuchClass");
    EXPECT_FALSE(none);
    EXPECT_FALSE(none.DrawBackground(bitmap->Canvas()->Handle(), 1, 1, Rect(0, 0, 13, 13)));
    EXPECT_EQ(DoubleClickTime(), GetDoubleClickTime());
}
