// One small window with the library's controls together, painted on the
// test display and clicked with xdotool as a user would.
#include <classlib/ComCtrls.h>
#include <classlib/ExtCtrls.h>
#include <classlib/Forms.h>
#include <classlib/Menus.h>
#include <classlib/StdCtrls.h>
#include <gtest/gtest.h>

#include "GraphicsFixture.h"
#include "WindowFixture.h"

namespace {

// Runs the display's xdotool with the arguments and waits for it.
bool XDoTool(const std::string& arguments) {
    std::string command = "/usr/bin/xdotool " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool XClick(TPoint screen, int button = 1) {
    return XDoTool("mousemove " + std::to_string(screen.x) + " " + std::to_string(screen.y) +
                   " click " + std::to_string(button));
}

// The example window: a panel with a label and an image above a page
// control whose first page holds a list view, a popup menu on the panel.
class TExampleForm : public TForm {
public:
    explicit TExampleForm(TComponent* owner) : TForm(owner) {
        BeginLoading();
        SetBounds(300, 250, 520, 380);
        SetBorderStyle(bsSingle);
        SetCaption("Example");
        Top = new TPanel(this);
        Top->SetParent(this);
        Top->SetAlign(alTop);
        Top->SetHeight(48);
        Top->SetCaption("Holvane");
        Status = new TLabel(this);
        Status->SetParent(Top);
        Status->SetBounds(8, 16, 60, 17);
        Status->SetCaption("Status: ready");
        Status->SetTransparent(true);
        Icon = new TImage(this);
        Icon->SetParent(Top);
        Icon->SetBounds(480, 12, 16, 16);
        Icon->Picture()->SetGraphic(FilledBitmap(16, 16, clRed).get());
        Pages = new TPageControl(this);
        Pages->SetParent(this);
        Pages->SetAlign(alClient);
        Results = NewSheet("Results");
        About = NewSheet("About");
        List = new TListView(this);
        List->SetParent(Results);
        List->SetAlign(alClient);
        List->SetViewStyle(vsReport);
        List->SetRowSelect(true);
        List->SetReadOnly(true);
        List->Columns()->Add()->SetCaption("Entry");
        List->Columns()->Items(0)->SetWidth(300);
        for (const char* entry : {"HKCR\\CLSID\\{A}", "HKCR\\CLSID\\{B}", "HKCR\\CLSID\\{C}"})
            List->Items()->Add()->SetCaption(entry);
        AboutLabel = new TLabel(this);
        AboutLabel->SetParent(About);
        AboutLabel->SetBounds(20, 20, 100, 17);
        AboutLabel->SetCaption("Home page");
        Menu = new TPopupMenu(this);
        CheckAll = new TMenuItem(this);
        CheckAll->SetCaption("Check All");
        CheckAll->SetDefault(true);
        Menu->Items()->Add(CheckAll);
        Top->SetPopupMenu(Menu);
        Pages->SetActivePage(Results);
        EndLoading();
    }

    TPanel* Top;
    TLabel* Status;
    TImage* Icon;
    TPageControl* Pages;
    TTabSheet* Results;
    TTabSheet* About;
    TListView* List;
    TLabel* AboutLabel;
    TPopupMenu* Menu;
    TMenuItem* CheckAll;

private:
    TTabSheet* NewSheet(const char* caption) {
        auto sheet = new TTabSheet(this);
        sheet->SetPageControl(Pages);
        sheet->SetCaption(caption);
        return sheet;
    }
};

}  // namespace

class ExampleWindowTest : public WindowTest {};

TEST_F(ExampleWindowTest, TheControlsTogetherArePaintedAndAnswerTheUsersClicks) {
    TExampleForm form(nullptr);
    std::vector<std::string> events;
    form.List->OnSelectItem = [&](TObject*, TListItem* item, bool selected) {
        if (selected) events.push_back("selected " + item->Caption());
    };
    form.CheckAll->OnClick = [&](TObject*) { events.push_back("check all"); };
    form.AboutLabel->OnClick = [&](TObject*) { events.push_back("home page"); };
    form.Show();
    Pump(100);

    // Painted: the image, the panel's face and the list's rows.
    EXPECT_EQ(ScreenPixel(ScreenPoint(form.Icon, 8, 8)), RGB(255, 0, 0));
    EXPECT_EQ(ScreenPixel(ScreenPoint(form.Top, 300, 40)), ColorToRGB(clBtnFace));
    EXPECT_EQ(form.Results->BoundsRect().right, form.Pages->DisplayRect().right);

    // A click on the second row selects it.
    TRect row{};
    row.left = LVIR_BOUNDS;
    SendMessageA(form.List->Handle(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    ASSERT_TRUE(XClick(ScreenPoint(form.List, 40, (row.top + row.bottom) / 2)));
    EXPECT_TRUE(WaitUntil([&] { return !events.empty(); }));
    EXPECT_EQ(form.List->Selected(), form.List->Items()->Item(1));

    // A right click on the panel pops up its menu; Enter after Down chooses
    // the first item.
    int hook = Application->HookMainWindow([](TMessage& message) {
        if (message.Msg == WM_INITMENUPOPUP) XDoTool("key Down Return");
        return false;
    });
    ASSERT_TRUE(XClick(ScreenPoint(form.Top, 300, 30), 3));
    EXPECT_TRUE(WaitUntil([&] { return events.size() >= 2; }));
    Application->UnhookMainWindow(hook);
    EXPECT_EQ(form.Menu->PopupComponent(), form.Top);

    // The About tab, then the label on its page.
    TRect tab{};
    SendMessageA(form.Pages->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
    ASSERT_TRUE(
        XClick(ScreenPoint(form.Pages, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2)));
    EXPECT_TRUE(WaitUntil([&] { return form.Pages->ActivePage() == form.About; }));
    Pump(50);
    ASSERT_TRUE(XClick(ScreenPoint(form.AboutLabel, 10, 8)));
    EXPECT_TRUE(WaitUntil([&] { return events.size() >= 3; }));
    EXPECT_EQ(events,
              (std::vector<std::string>{"selected HKCR\\CLSID\\{B}", "check all", "home page"}));
}
