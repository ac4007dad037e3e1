// Forms and the application: loading and OnCreate, modal forms and the close
// query, close actions, placement and window state, the main form and its
// taskbar button, the message loop and its end, the application window's
// hooks, the exception box and message boxes, and the timer.
#include <classlib/ExtCtrls.h>
#include <classlib/Forms.h>
#include <classlib/SysUtils.h>
#include <gtest/gtest.h>

#include "ControlProbes.h"
#include "WindowFixture.h"

namespace {

constexpr UINT AfterCreate = WM_USER + 1;

// A form built in code that writes its loading steps into a log.
class TLoadingForm : public TForm {
public:
    TLoadingForm(TComponent* owner, TLog& log, bool failInCreate) : TForm(owner), FLog(log) {
        BeginLoading();
        SetCaption("loading");
        Child = new TBox(this, this, Bounds(0, 0, 10, 10), clRed, "child");
        OnCreate = [this, failInCreate](TObject*) {
            FLog.push_back("create, child loading: " +
                           std::string(Child->ComponentState().Contains(csLoading) ? "yes" : "no"));
            if (failInCreate) throw EInvalidGraphic("picture missing");
            FLog.push_back("create done");
        };
        EndLoading();
    }
    TBox* Child;

protected:
    void Loaded() override {
        TForm::Loaded();
        FLog.push_back("form loaded");
    }

private:
    TLog& FLog;
};

// A main window that posts itself a message at creation and acts on it once
// the message loop runs, as the program's main window does.
class TPostingForm : public TForm {
public:
    explicit TPostingForm(TComponent* owner) : TForm(owner) {
        SetBounds(300, 250, 300, 200);
        PostMessageA(Handle(), AfterCreate, 0, 0);
    }
    std::function<void()> OnAfterCreate;
    bool VisibleThen = false;

    void WndProc(TMessage& message) override {
        if (message.Msg != AfterCreate) return TForm::WndProc(message);
        VisibleThen = IsWindowVisible(Handle()) != FALSE;
        if (OnAfterCreate) OnAfterCreate();
    }
};

HWND Owner(HWND window) { return GetWindow(window, GW_OWNER); }

}  // namespace

class FormTest : public WindowTest {};

TEST_F(FormTest, OnCreateFollowsTheLoadingStepAndItsErrorIsShownNotThrown) {
    TLog log;
    TLoadingForm form(nullptr, log, false);
    EXPECT_EQ(log, (TLog{"form loaded", "create, child loading: no", "create done"}));

    log.clear();
    std::string reported;
    Application->OnException = [&](TObject*, const std::exception& error) {
        reported = error.what();
    };
    TLoadingForm failing(nullptr, log, true);
    EXPECT_EQ(reported, "picture missing");
    EXPECT_EQ(failing.Caption(), "loading");
}

TEST_F(FormTest, ShowModalRunsUntilAModalResultTheCloseQueryAccepts) {
    auto owner = NewForm();
    owner->Show();
    auto dialog = NewForm(200, 100);
    dialog->SetBorderStyle(bsDialog);
    bool allowClose = false;
    int queries = 0;
    TCloseAction closeAction = caNone;
    dialog->OnCloseQuery = [&](TObject*, bool& canClose) {
        ++queries;
        canClose = allowClose;
    };
    dialog->OnClose = [&](TObject*, TCloseAction& action) { closeAction = action; };

    bool ownerDisabled = false;
    bool dialogShown = false;
    bool ownedByActive = false;
    TModalResult afterRefusal = -1;
    int step = 0;
    TTimer timer(nullptr);
    timer.SetInterval(20);
    timer.OnTimer = [&](TObject*) {
        switch (++step) {
            case 1:
                ownerDisabled = !IsWindowEnabled(owner->Handle());
                dialogShown = IsWindowVisible(dialog->Handle()) && dialog->Modal();
                ownedByActive = Owner(dialog->Handle()) == owner->Handle();
                dialog->SetModalResult(mrOk);  // refused by the close query
                break;
            case 2:
                afterRefusal = dialog->ModalResult();
                // The user's Alt+F4: a modal form's close is a cancel.
                allowClose = true;
                PostMessageA(dialog->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
                timer.SetEnabled(false);
                break;
        }
    };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(dialogShown);
    EXPECT_TRUE(ownedByActive);
    EXPECT_EQ(afterRefusal, mrNone);
    EXPECT_EQ(queries, 2);
    EXPECT_EQ(closeAction, caHide);
    EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
    EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
    EXPECT_FALSE(dialog->Modal());

    dialog->Show();
    EXPECT_THROW(dialog->ShowModal(), EInvalidOperation);
}

TEST_F(FormTest, ShowModalReturnsWhenTheApplicationEnds) {
    TScopedApplication application;
    auto dialog = NewForm();
    TTimer timer(nullptr);
    timer.SetInterval(20);
    timer.OnTimer = [&](TObject*) { application->Terminate(); };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_TRUE(application->Terminated());
}

TEST_F(FormTest, TheCloseActionDecidesWhatBecomesOfTheForm) {
    for (TCloseAction action : {caNone, caHide, caMinimize}) {
        auto form = NewForm();
        form->OnClose = [action](TObject*, TCloseAction& chosen) { chosen = action; };
        form->Show();
        form->Close();
        EXPECT_EQ(IsWindowVisible(form->Handle()) != FALSE, action != caHide) << action;
        EXPECT_EQ(IsIconic(form->Handle()) != FALSE, action == caMinimize) << action;
    }
    // caFree: deleted once the messages waiting now are handled.
    bool destroyed = false;
    auto form = new TForm(nullptr);
    form->OnDestroy = [&](TObject*) { destroyed = true; };
    form->OnClose = [](TObject*, TCloseAction& chosen) { chosen = caFree; };
    form->Close();
    EXPECT_FALSE(destroyed);
    EXPECT_TRUE(WaitUntil([&] { return destroyed; }));

    // A refused close query leaves everything as it was.
    auto kept = NewForm();
    kept->Show();
    kept->OnCloseQuery = [](TObject*, bool& canClose) { canClose = false; };
    kept->OnClose = [](TObject*, TCloseAction&) { ADD_FAILURE() << "closed"; };
    PostMessageA(kept->Handle(), WM_CLOSE, 0, 0);
    Pump(30);
    EXPECT_TRUE(IsWindowVisible(kept->Handle()));
}

TEST_F(FormTest, PlacementAndWindowStateFollowTheFormAndThePlatform) {
    auto form = NewForm(320, 200);
    form->SetPosition(poScreenCenter);
    form->Show();
    EXPECT_EQ(form->Left(), (Screen->Width() - 320) / 2);
    EXPECT_EQ(form->Top(), (Screen->Height() - 200) / 2);

    form->SetWindowState(wsMinimized);
    EXPECT_TRUE(IsIconic(form->Handle()));
    ShowWindow(form->Handle(), SW_RESTORE);
    EXPECT_EQ(form->WindowState(), wsNormal);
    ShowWindow(form->Handle(), SW_MAXIMIZE);
    EXPECT_EQ(form->WindowState(), wsMaximized);
    form->SetWindowState(wsNormal);
    EXPECT_FALSE(IsZoomed(form->Handle()));

    // A hidden form keeps its state for the next show.
    form->Hide();
    form->SetWindowState(wsMinimized);
    form->Show();
    EXPECT_TRUE(IsIconic(form->Handle()));
    EXPECT_EQ(Screen->FormCount() > 0, true);
}

TEST_F(FormTest, TheMainFormCarriesTheTaskbarButtonTheOthersAreOwned) {
    TScopedApplication application;
    auto main = application->CreateForm<TPostingForm>();  // its window exists already
    auto other = application->CreateForm<TForm>();
    EXPECT_EQ(application->MainForm(), main);
    EXPECT_EQ(Owner(main->Handle()), nullptr);
    EXPECT_TRUE(GetWindowLongPtrA(main->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_EQ(Owner(other->Handle()), application->Handle());
    EXPECT_FALSE(GetWindowLongPtrA(other->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_FALSE(IsWindowVisible(application->Handle()));
    delete main;
    EXPECT_EQ(application->MainForm(), nullptr);
}

TEST_F(FormTest, RunShowsTheMainFormThenHandlesItsMessagesUntilTheEnd) {
    TScopedApplication application;
    auto main = application->CreateForm<TPostingForm>();
    bool foreignLoopRan = false;
    main->OnAfterCreate = [&] {
        // Another message loop (a long call that pumps) takes the WM_QUIT.
        application->Terminate();
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            foreignLoopRan |= message.message == WM_QUIT;
            DispatchMessageA(&message);
        }
    };
    application->Run();
    EXPECT_TRUE(main->VisibleThen);
    EXPECT_TRUE(foreignLoopRan);
    EXPECT_TRUE(application->Terminated());

    // Closing the main form ends the application (after its OnClose).
    TScopedApplication second;
    auto closing = second->CreateForm<TPostingForm>();
    bool closed = false;
    closing->OnClose = [&](TObject*, TCloseAction&) { closed = true; };
    closing->OnAfterCreate = [&] { closing->Close(); };
    second->Run();
    EXPECT_TRUE(closed);

    // Without ShowMainForm the main form stays hidden (to be shown later).
    TScopedApplication third;
    auto hidden = third->CreateForm<TPostingForm>();
    third->SetShowMainForm(false);
    hidden->OnAfterCreate = [&] { third->Terminate(); };
    third->Run();
    EXPECT_FALSE(hidden->VisibleThen);
}

TEST_F(FormTest, TheApplicationWindowsHooksSeeMinimiseAndRestore) {
    TScopedApplication application;
    application->Initialize();
    auto main = application->CreateForm<TForm>();
    main->SetBounds(300, 250, 300, 200);
    main->Show();
    std::vector<WPARAM> sizes;
    int first = application->HookMainWindow([&](TMessage& message) {
        if (message.Msg == WM_SIZE) sizes.push_back(message.WParam);
        return false;
    });
    int second = application->HookMainWindow([](TMessage& message) {
        if (message.Msg != WM_USER + 7) return false;
        message.Result = 77;
        return true;
    });
    application->Minimize();
    EXPECT_TRUE(IsIconic(main->Handle()));
    application->Restore();
    EXPECT_FALSE(IsIconic(main->Handle()));
    // The platform's minimise command on the main form minimises the application.
    SendMessageA(main->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(main->Handle()));
    EXPECT_EQ(sizes, (std::vector<WPARAM>{SIZE_MINIMIZED, SIZE_RESTORED, SIZE_MINIMIZED}));
    EXPECT_EQ(SendMessageA(application->Handle(), WM_USER + 7, 0, 0), 77);

    application->UnhookMainWindow(first);
    application->UnhookMainWindow(second);
    application->Restore();
    EXPECT_EQ(sizes.size(), 3u);
    EXPECT_EQ(SendMessageA(application->Handle(), WM_USER + 7, 0, 0), 0);
}

TEST_F(FormTest, ErrorsGoToTheHookOrToTheExceptionBox) {
    std::vector<std::string> boxes;
    Application->OnMessageBox = [&](const std::string& text, const std::string& caption,
                                    UINT flags) {
        boxes.push_back(caption + "|" + text + "|" + std::to_string(flags));
        return IDOK;
    };
    Application->SetTitle("Holvane");
    Application->OnException = nullptr;
    Application->HandleException(nullptr, EInvalidOperation("Access denied"));
    Application->HandleException(nullptr, EInvalidOperation("Done."));
    auto flags = std::to_string(MB_OK | MB_ICONSTOP);
    EXPECT_EQ(boxes, (TLog{"Holvane|Access denied.|" + flags, "Holvane|Done.|" + flags}));

    // An error in a window's handler reaches the same place.
    std::vector<std::string> seen;
    Application->OnException = [&](TObject*, const std::exception& error) {
        seen.push_back(error.what());
    };
    auto form = NewForm();
    form->OnPaint = [](TObject*) { throw EOutOfResources("no brush"); };
    form->Show();
    UpdateWindow(form->Handle());
    EXPECT_EQ(seen, TLog{"no brush"});
    EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(FormTest, TheMessageBoxIsOwnedByTheActiveFormAndDisablesTheOthers) {
    Application->OnMessageBox = nullptr;
    auto first = NewForm();
    auto second = NewForm();
    second->SetLeft(420);
    first->Show();
    second->Show();
    HWND owner = nullptr;
    bool firstDisabled = false;
    std::string text;
    TTimer timer(nullptr);
    timer.SetInterval(20);
    timer.OnTimer = [&](TObject*) {
        // Whatever happens, the box is closed: nothing waits for a person.
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM data) -> BOOL {
                char name[16] = {};
                GetClassNameA(window, name, sizeof name);
                if (std::string(name) == "#32770" && IsWindowVisible(window))
                    *reinterpret_cast<HWND*>(data) = window;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&owner));
        if (!owner) return;
        HWND box = owner;
        owner = GetWindow(box, GW_OWNER);
        firstDisabled = !IsWindowEnabled(first->Handle());
        char buffer[64] = {};
        GetWindowTextA(box, buffer, sizeof buffer);
        text = buffer;
        PostMessageA(box, WM_COMMAND, IDYES, 0);
        timer.SetEnabled(false);
    };
    EXPECT_EQ(Application->MessageBox("Stop?", "Question", MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(owner, second->Handle());
    EXPECT_TRUE(firstDisabled);
    EXPECT_EQ(text, "Question");
    EXPECT_TRUE(IsWindowEnabled(first->Handle()));
    EXPECT_TRUE(IsWindowEnabled(second->Handle()));
}

TEST_F(FormTest, TheScreenListsTheFormsAndTheActiveOne) {
    int before = Screen->FormCount();
    auto form = NewForm();
    EXPECT_EQ(Screen->FormCount(), before + 1);
    EXPECT_EQ(Screen->Forms(before), form.get());
    form->Show();
    EXPECT_EQ(Screen->ActiveForm(), form.get());
    EXPECT_TRUE(form->Active());
    form.reset();
    EXPECT_EQ(Screen->FormCount(), before);
    EXPECT_EQ(Screen->Cursors(crNone), nullptr);
    EXPECT_EQ(Screen->Cursors(crHourGlass), LoadCursor(nullptr, IDC_WAIT));
    EXPECT_EQ(Screen->Cursors(12345), LoadCursor(nullptr, IDC_ARROW));
}

TEST_F(FormTest, TimersTickAtTheirIntervalWhileEnabled) {
    TTimer fast(nullptr);
    TTimer slow(nullptr);
    int fastTicks = 0;
    int slowTicks = 0;
    fast.SetInterval(20);
    slow.SetInterval(400);
    fast.OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, &fast);
        ++fastTicks;
    };
    slow.OnTimer = [&](TObject*) { ++slowTicks; };
    EXPECT_TRUE(WaitUntil([&] { return fastTicks >= 5; }));
    EXPECT_EQ(slowTicks, 0);
    fast.SetEnabled(false);
    int stopped = fastTicks;
    Pump(100);
    EXPECT_EQ(fastTicks, stopped);

    // Interval 0 stops it with Enabled still set; a new interval starts it.
    fast.SetEnabled(true);
    fast.SetInterval(0);
    stopped = fastTicks;
    Pump(100);
    EXPECT_EQ(fastTicks, stopped);
    EXPECT_TRUE(fast.Enabled());

    // A failing tick is reported and the timer goes on.
    int failures = 0;
    Application->OnException = [&](TObject*, const std::exception&) { ++failures; };
    fast.OnTimer = [&](TObject*) {
        ++fastTicks;
        throw EInvalidOperation("tick failed");
    };
    fast.SetInterval(20);
    EXPECT_TRUE(WaitUntil([&] { return failures >= 3; }));
}
