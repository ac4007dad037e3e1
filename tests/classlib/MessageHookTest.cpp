// Message hooks: components that see a window's messages before its control
// does, through the one window procedure; a handled message stops at the
// hook; the hooks hold while the window is made again and go with either side.
#include <classlib/Forms.h>
#include <classlib/StdCtrls.h>
#include <classlib/SysUtils.h>
#include <gtest/gtest.h>

#include <memory>

#include "ControlProbes.h"
#include "WindowFixture.h"

namespace {

constexpr UINT Probe = WM_USER + 21;

// A form that writes down the probe messages its own window procedure gets.
class TProbeForm : public TForm {
public:
    explicit TProbeForm(TLog* log) : TForm(nullptr), FLog(log) { SetBounds(300, 250, 300, 200); }

    void WndProc(TMessage& message) override {
        if (message.Msg != Probe) return TForm::WndProc(message);
        FLog->push_back("form " + std::to_string(message.WParam));
        message.Result = 7;
    }

private:
    TLog* FLog;
};

// A component that writes down the probe messages it sees and, when told
// to, handles them with a result of its own.
class THooker : public TComponent {
public:
    THooker(std::string tag, TLog* log) : TComponent(nullptr), Tag(std::move(tag)), Log(log) {}

    void Hook(TWinControl* control) {
        Hooked = control;
        control->HookMessages(this, [this](TMessage& message) {
            if (message.Msg != Probe) return false;
            Log->push_back(Tag + " " + std::to_string(message.WParam));
            if (OnProbe) OnProbe();
            if (!Handles) return false;
            message.Result = 42;
            return true;
        });
    }

    std::string Tag;
    TLog* Log;
    bool Handles = false;
    std::function<void()> OnProbe;
    TWinControl* Hooked = nullptr;
    int ControlGone = 0;

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation != opRemove || component != Hooked) return;
        Hooked = nullptr;
        ++ControlGone;
    }
};

LRESULT SendProbe(TWinControl* control, WPARAM number) {
    return SendMessageA(control->Handle(), Probe, number, 0);
}

}  // namespace

class MessageHookTest : public WindowTest {};

TEST_F(MessageHookTest, AComponentSeesTheMessagesFirstAndAHandledOneStopsThere) {
    TLog log;
    TProbeForm form(&log);
    THooker first("first", &log);
    THooker second("second", &log);
    first.Hook(&form);
    second.Hook(&form);

    // Unhandled: every hook in the order they were made, then the form.
    EXPECT_EQ(SendProbe(&form, 1), 7);
    EXPECT_EQ(log, (TLog{"first 1", "second 1", "form 1"}));

    // Handled: the hook's result, and neither later hooks nor the form see it.
    log.clear();
    first.Handles = true;
    EXPECT_EQ(SendProbe(&form, 2), 42);
    EXPECT_EQ(log, (TLog{"first 2"}));
    // Perform goes through the window too.
    log.clear();
    EXPECT_EQ(form.Perform(Probe, 3), 42);
    EXPECT_EQ(log, (TLog{"first 3"}));

    // Hooking again replaces the component's hook, in its place.
    log.clear();
    form.HookMessages(&first, [&log](TMessage& message) {
        if (message.Msg == Probe) log.push_back("first again");
        return false;
    });
    SendProbe(&form, 4);
    EXPECT_EQ(log, (TLog{"first again", "second 4", "form 4"}));

    // Unhooked, and nothing for a null component or an empty hook.
    log.clear();
    form.UnhookMessages(&first);
    form.HookMessages(nullptr, [](TMessage&) { return true; });
    form.HookMessages(&first, nullptr);
    EXPECT_EQ(SendProbe(&form, 5), 7);
    EXPECT_EQ(log, (TLog{"second 5", "form 5"}));
}

TEST_F(MessageHookTest, AHandledMessageNeverReachesTheFormsHandlers) {
    TLog log;
    TProbeForm form(&log);
    form.Show();
    TComponent hooker(nullptr);
    int minimiseCommands = 0;
    form.HookMessages(&hooker, [&](TMessage& message) {
        if (message.Msg != WM_SYSCOMMAND || (message.WParam & 0xFFF0) != SC_MINIMIZE) return false;
        ++minimiseCommands;
        message.Result = 1;
        return true;
    });
    EXPECT_EQ(SendMessageA(form.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0), 1);
    EXPECT_EQ(minimiseCommands, 1);
    EXPECT_FALSE(IsIconic(form.Handle()));
    EXPECT_EQ(form.WindowState(), wsNormal);

    form.UnhookMessages(&hooker);
    SendMessageA(form.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(minimiseCommands, 1);
    EXPECT_TRUE(IsIconic(form.Handle()));
}

TEST_F(MessageHookTest, TheHookHoldsWhileTheWindowIsMadeAgain) {
    TLog log;
    TProbeForm form(&log);
    THooker hooker("hook", &log);
    // Hooked before the form has a window, then through two new windows.
    hooker.Hook(&form);
    EXPECT_FALSE(form.HandleAllocated());
    SendProbe(&form, 1);
    const HWND first = form.Handle();
    form.RecreateWnd();
    EXPECT_FALSE(IsWindow(first));
    SendProbe(&form, 2);
    form.SetBorderStyle(bsNone);
    SendProbe(&form, 3);
    EXPECT_EQ(log, (TLog{"hook 1", "form 1", "hook 2", "form 2", "hook 3", "form 3"}));
}

TEST_F(MessageHookTest, PlatformControlsHandTheirMessagesToTheHooksToo) {
    TLog log;
    auto form = NewForm();
    auto button = new TButton(form.get());
    button->SetParent(form.get());
    THooker hooker("hook", &log);
    hooker.Handles = true;
    hooker.Hook(button);
    EXPECT_EQ(SendProbe(button, 1), 42);
    EXPECT_EQ(log, (TLog{"hook 1"}));
}

TEST_F(MessageHookTest, EitherSideGoingEndsTheHook) {
    TLog log;
    TProbeForm form(&log);
    auto hooker = std::make_unique<THooker>("hook", &log);
    hooker->Hook(&form);
    hooker.reset();
    EXPECT_EQ(SendProbe(&form, 1), 7);
    EXPECT_EQ(log, (TLog{"form 1"}));

    // One owned by the form, deleted while the form lives.
    auto owned = new THooker("owned", &log);
    form.InsertComponent(owned);
    owned->Hook(&form);
    delete owned;
    log.clear();
    SendProbe(&form, 2);
    EXPECT_EQ(log, (TLog{"form 2"}));

    // The control going first tells the component, which may go later.
    THooker survivor("survivor", &log);
    {
        TProbeForm gone(&log);
        survivor.Hook(&gone);
        gone.Handle();
    }
    EXPECT_EQ(survivor.ControlGone, 1);
    EXPECT_EQ(survivor.Hooked, nullptr);
}

TEST_F(MessageHookTest, AHookMayUnhookOthersOrItselfWhileItRuns) {
    TLog log;
    TProbeForm form(&log);
    auto first = std::make_unique<THooker>("first", &log);
    auto second = std::make_unique<THooker>("second", &log);
    THooker third("third", &log);
    first->Hook(&form);
    second->Hook(&form);
    third.Hook(&form);
    // The first deletes the second before its turn and unhooks itself.
    first->OnProbe = [&] {
        second.reset();
        form.UnhookMessages(first.get());
    };
    SendProbe(&form, 1);
    EXPECT_EQ(log, (TLog{"first 1", "third 1", "form 1"}));
    log.clear();
    SendProbe(&form, 2);
    EXPECT_EQ(log, (TLog{"third 2", "form 2"}));
}

TEST_F(MessageHookTest, AHooksErrorStopsAtTheWindowsEdge) {
    TLog log;
    TProbeForm form(&log);
    TComponent hooker(nullptr);
    form.HookMessages(&hooker, [](TMessage& message) -> bool {
        if (message.Msg == Probe) throw EInvalidOperation("hook failed");
        return false;
    });
    std::string reported;
    Application->OnException = [&](TObject*, const std::exception& error) {
        reported = error.what();
    };
    EXPECT_EQ(SendProbe(&form, 1), 0);
    EXPECT_EQ(reported, "hook failed");
    EXPECT_TRUE(log.empty());
}
