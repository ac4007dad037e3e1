// Actions and their links to controls and menu items, shortcuts, and pop-up
// menus: radio and default items, hot keys, and the menu popped up by the
// user's right click and chosen from with the keyboard.
#include <classlib/ActnList.h>
#include <classlib/ExtCtrls.h>
#include <classlib/Forms.h>
#include <classlib/Menus.h>
#include <classlib/StdCtrls.h>
#include <gtest/gtest.h>

#include "ControlProbes.h"
#include "MenuFixture.h"
#include "WindowFixture.h"

namespace {

// A control class whose action link is of its own kind, as the kit's check
// box has one that keeps its checked state in step.
class TCheckedLink : public TWinControlActionLink {
public:
    using TWinControlActionLink::TWinControlActionLink;
    std::vector<bool> Checks;
    bool IsCheckedLinked() const override { return true; }
    void SetChecked(bool value) override { Checks.push_back(value); }
};

class TLinkedBox : public TBox {
public:
    using TBox::TBox;

protected:
    std::unique_ptr<TControlActionLink> CreateActionLink() override {
        return std::make_unique<TCheckedLink>(this);
    }
};

}  // namespace

class ActionMenuTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Form = NewForm();
        Form->SetBorderStyle(bsNone);
        Actions = new TActionList(Form.get());
    }
    void TearDown() override {
        if (Hook) Application->UnhookMainWindow(Hook);
        Form.reset();
        WindowTest::TearDown();
    }
    TAction* NewAction(const std::string& caption) {
        auto action = new TAction(Form.get());
        action->SetActionList(Actions);
        action->SetCaption(caption);
        return action;
    }
    // Runs keys in the menu as soon as it pops up, and records what it showed.
    // Should the keys not close it, the menu is ended after a while: no test
    // waits for a person.
    void ChooseWithKeys(std::vector<WORD> keys) {
        Safety = std::make_unique<TTimer>(nullptr);
        Safety->SetInterval(3000);
        Safety->OnTimer = [this](TObject*) {
            Safety->SetEnabled(false);
            ADD_FAILURE() << "the menu stayed open";
            EndMenu();
        };
        if (Hook) Application->UnhookMainWindow(Hook);
        Hook = Application->HookMainWindow([this, keys](TMessage& message) {
            if (message.Msg != WM_INITMENUPOPUP || !Shown.empty()) return false;
            Shown = MenuEntries(reinterpret_cast<HMENU>(message.WParam));
            for (WORD key : keys) {
                KeyEvent(key, true);
                KeyEvent(key, false);
            }
            return false;
        });
    }
    std::unique_ptr<TForm> Form;
    TActionList* Actions = nullptr;
    int Hook = 0;
    std::vector<TMenuEntry> Shown;
    std::unique_ptr<TTimer> Safety;
};

TEST_F(ActionMenuTest, ALinkedControlFollowsItsActionWhereItHasNotGoneItsOwnWay) {
    auto action = NewAction("Scan Now");
    action->SetHint("Starts the scan");
    int executed = 0;
    action->OnExecute = [&](TObject* sender) {
        EXPECT_EQ(sender, action);
        ++executed;
    };
    auto box = new TBox(Form.get(), Form.get(), Bounds(0, 0, 50, 20), clRed);
    auto other = new TBox(Form.get(), Form.get(), Bounds(0, 30, 50, 20), clRed);
    box->SetAction(action);
    other->SetAction(action);
    EXPECT_EQ(box->Caption(), "Scan Now");
    EXPECT_EQ(box->Hint(), "Starts the scan");

    other->SetCaption("Own caption");
    action->SetCaption("Scan");
    action->SetEnabled(false);
    action->SetVisible(false);
    EXPECT_EQ(box->Caption(), "Scan");
    EXPECT_EQ(other->Caption(), "Own caption");
    EXPECT_FALSE(box->Enabled());
    EXPECT_FALSE(other->Visible());

    // A click executes the action, which runs only while enabled.
    box->Click();
    EXPECT_EQ(executed, 0);
    action->SetEnabled(true);
    box->Click();
    EXPECT_EQ(executed, 1);
    // An OnClick of the control's own comes first.
    int ownClicks = 0;
    box->OnClick = [&](TObject*) { ++ownClicks; };
    box->Click();
    EXPECT_EQ(executed, 1);
    EXPECT_EQ(ownClicks, 1);

    delete action;
    EXPECT_EQ(box->Action(), nullptr);
    EXPECT_EQ(Actions->ActionCount(), 0);
    other->Click();  // no action left: nothing happens
}

TEST_F(ActionMenuTest, AControlClassMayBringItsOwnActionLink) {
    auto action = NewAction("Option");
    action->SetGroupIndex(3);
    auto second = NewAction("Other option");
    second->SetGroupIndex(3);
    auto box = new TLinkedBox(Form.get(), Form.get(), Bounds(0, 0, 50, 20), clRed);
    box->SetAction(action);
    auto link = dynamic_cast<TCheckedLink*>(box->ActionLink());
    ASSERT_NE(link, nullptr);
    action->SetChecked(true);
    second->SetChecked(true);  // the group's other action: this one unchecks
    EXPECT_FALSE(action->Checked());
    EXPECT_EQ(link->Checks, (std::vector<bool>{true, false}));
}

TEST_F(ActionMenuTest, ShortcutsExecuteActionsAndMenuItemsFromTheKeyboard) {
    auto help = NewAction("Help");
    help->SetShortCut(ShortCut(VK_F1, {}));
    int helps = 0;
    help->OnExecute = [&](TObject*) { ++helps; };
    auto menu = new TPopupMenu(Form.get());
    auto item = new TMenuItem(Form.get());
    item->SetCaption("Refresh");
    item->SetShortCut(ShortCut('R', {ssCtrl}));
    int refreshes = 0;
    item->OnClick = [&](TObject*) { ++refreshes; };
    menu->Items()->Add(item);
    auto box = new TBox(Form.get(), Form.get(), Bounds(10, 10, 50, 30), clRed);
    box->SetPopupMenu(menu);
    std::vector<WORD> keys;
    box->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { keys.push_back(key); };
    Form->Show();
    box->SetFocus();

    PressKey(VK_F1);
    PressKey('R', {VK_CONTROL});
    EXPECT_EQ(helps, 1);
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(keys, std::vector<WORD>{VK_CONTROL});

    // A disabled action's key goes on to the control.
    help->SetEnabled(false);
    PressKey(VK_F1);
    EXPECT_EQ(helps, 1);
    EXPECT_EQ(keys.back(), VK_F1);
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F1, {})), "F1");
    EXPECT_EQ(ShortCutToText(ShortCut('S', {ssCtrl, ssShift})), "Shift+Ctrl+S");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, {ssAlt})), "Alt+Del");
}

TEST_F(ActionMenuTest, APopupShowsRadioDefaultAndHotKeyItemsAndClicksTheChosenOne) {
    auto menu = new TPopupMenu(Form.get());
    auto add = [&](const std::string& caption) {
        auto item = new TMenuItem(Form.get());
        item->SetCaption(caption);
        menu->Items()->Add(item);
        return item;
    };
    auto content = add("Help Content");
    auto action = NewAction("Quick Start");
    auto quick = add("");
    quick->SetAction(action);
    add("-");
    auto languages = add("Languages");
    std::vector<TMenuItem*> radios;
    for (const char* name : {"ENGLISH", "ESPANOL"}) {
        auto item = new TMenuItem(languages);
        item->SetCaption(name);
        item->SetRadioItem(true);
        languages->Add(item);
        radios.push_back(item);
    }
    auto about = add("About...");
    about->SetDefault(true);
    radios[0]->SetChecked(true);
    radios[1]->SetChecked(true);
    EXPECT_FALSE(radios[0]->Checked());

    std::vector<std::string> clicked;
    Form->Show();  // keys go to the active window's menu
    content->OnClick = [&](TObject*) { clicked.push_back("content"); };
    action->OnExecute = [&](TObject*) { clicked.push_back("quick"); };
    about->OnClick = [&](TObject*) { clicked.push_back("about"); };

    // The second item, chosen with the keyboard: its action runs.
    ChooseWithKeys({VK_DOWN, VK_DOWN, VK_RETURN});
    menu->Popup(500, 400);
    EXPECT_EQ(clicked, TLog{"quick"});
    ASSERT_EQ(Shown.size(), 5u);
    EXPECT_EQ(Shown[0].text, "&Help Content");
    EXPECT_EQ(Shown[1].text, "&Quick Start");
    EXPECT_TRUE(Shown[2].type & MFT_SEPARATOR);
    EXPECT_EQ(Shown[3].text, "&Languages");
    EXPECT_EQ(Shown[4].text, "&About...");
    EXPECT_TRUE(Shown[4].state & MFS_DEFAULT);
    EXPECT_FALSE(Shown[0].state & MFS_DEFAULT);
    // Hot keys stay unique: the radio items under Languages share no letter.
    EXPECT_EQ(radios[0]->Caption(), "&ENGLISH");
    EXPECT_EQ(radios[1]->Caption(), "E&SPANOL");

    // An item set to manual hot keys keeps its caption as it is.
    auto manual = add("Manual");
    manual->SetAutoHotkeys(maManual);
    Shown.clear();
    ChooseWithKeys({VK_ESCAPE});
    menu->Popup(500, 400);
    EXPECT_EQ(manual->Caption(), "Manual");
    EXPECT_EQ(clicked.size(), 1u);
}

TEST_F(ActionMenuTest, ARightClickPopsUpTheControlsMenuForThatControl) {
    auto menu = new TPopupMenu(Form.get());
    auto item = new TMenuItem(Form.get());
    item->SetCaption("Check All");
    menu->Items()->Add(item);
    TComponent* popupFor = nullptr;
    item->OnClick = [&](TObject*) { popupFor = menu->PopupComponent(); };
    auto swatch = new TSwatch(Form.get(), Form.get(), Bounds(20, 20, 60, 40), clRed);
    swatch->SetPopupMenu(menu);
    auto plain = new TSwatch(Form.get(), Form.get(), Bounds(120, 20, 60, 40), clRed);
    Form->Show();
    Pump(30);

    ChooseWithKeys({VK_DOWN, VK_RETURN});
    ClickAt(ScreenPoint(swatch, 10, 10), mbRight);
    EXPECT_TRUE(WaitUntil([&] { return popupFor != nullptr; }));
    EXPECT_EQ(popupFor, swatch);

    // No menu of its own and none on the form: nothing pops up.
    Shown.clear();
    ClickAt(ScreenPoint(plain, 10, 10), mbRight);
    Pump(50);
    EXPECT_TRUE(Shown.empty());
    // The form's menu serves its children that have none.
    Form->SetPopupMenu(menu);
    popupFor = nullptr;
    ClickAt(ScreenPoint(plain, 10, 10), mbRight);
    EXPECT_TRUE(WaitUntil([&] { return popupFor != nullptr; }));
    EXPECT_EQ(popupFor, Form.get());
}
