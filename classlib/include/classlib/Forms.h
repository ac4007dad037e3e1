// Forms.h - top-level windows, the application object with its message loop,
// and the screen.
//
//   TCustomForm, TForm  a top-level window: BorderStyle, Position,
//                       WindowState, ActiveControl and focus, ModalResult and
//                       ShowModal, Close with OnCloseQuery and OnClose, the
//                       form's events and its own messages (override WndProc)
//   TApplication        Initialize, Title, CreateForm/MainForm, Run and the
//                       message loop, ProcessMessages, Minimize/Restore,
//                       Terminate, the hidden application window and its hooks,
//                       the exception box, the modal message box
//   TScreen             Cursor and Cursors, Width, Height, the forms
//   Application, Screen the process's two objects
//   GetParentForm       the form a control lies on
//
// The taskbar: the main form's own window carries the program's taskbar
// button (it is unowned and has WS_EX_APPWINDOW); hiding the main form takes
// the button away, showing it brings it back. Every other form is owned by
// the hidden application window (no button), a modal one by the form that
// was active when it was shown. The application window is never visible; it
// receives the application's own notices (minimise and restore come as
// WM_SIZE with SIZE_MINIMIZED and SIZE_RESTORED) and passes each message to
// the hooks of HookMainWindow first.
//
// Loading: a form built in code runs BeginLoading(), makes its controls,
// then EndLoading(): Loaded runs on everything, then OnCreate. An exception
// from OnCreate goes to Application->HandleException and the form stays.
//
// Ending: Terminate sets Terminated and posts WM_QUIT; the loop of Run and
// the loop of ShowModal end on either, so a WM_QUIT taken by another message
// loop (a long call that pumps messages) does not keep the program running.
#pragma once

#include <classlib/Controls.h>
#include <classlib/Pictures.h>
#include <classlib/UtilWindow.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TTimer;

enum TPosition { poDesigned, poScreenCenter };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;
using TShortCutEvent = std::function<void(WORD key, TShiftState shift, bool& handled)>;

class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    // Loaded on everything, then OnCreate.
    void EndLoading() override;

    TCanvas* Canvas() const { return FCanvas.get(); }
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle value);
    // poScreenCenter centres the form on the screen each time it is shown.
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition value) { FPosition = value; }
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState value);

    // The control that has (or will have, once the form is active) the focus.
    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* control);
    bool Active() const;
    // Gives control the focus; EInvalidOperation "Cannot focus a disabled or
    // invisible window" when it cannot take it.
    void FocusControl(TWinControl* control);
    // Takes the focus away from control (and, removing, forgets it); the form
    // itself keeps the keyboard.
    void DefocusControl(TWinControl* control, bool removing);
    // Called when control got the keyboard focus: OnExit, OnEnter, and every
    // control of the form hears FocusChanged.
    void SetFocusedControl(TWinControl* control);
    // Tells every control again which control has the focus.
    void NotifyFocusChanged();
    // Moves the focus to the next control in tab order.
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop);

    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    bool Modal() const { return FModal; }
    // Shows the form and runs messages until ModalResult is set (and the
    // close query agrees) or the application ends; the other windows of the
    // program are disabled meanwhile. EInvalidOperation for a visible form.
    int ShowModal();
    // A modal form: ModalResult := mrCancel. Otherwise, when OnCloseQuery
    // agrees: OnClose with the action caHide; the main form's close ends the
    // application, otherwise the action hides, minimises or frees the form.
    void Close();
    bool CloseQuery();
    // Deletes the form once the messages now waiting have been handled.
    void Release();

    // A key pressed anywhere on the form: true when it was a shortcut and
    // was acted on: OnShortCut, then the action lists the form owns.
    virtual bool IsShortCut(WORD key, TShiftState shift);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnPaint;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& message) override;
    virtual void WMClose(TMessage& message);
    virtual void WMSysCommand(TMessage& message);
    virtual void WMActivate(TMessage& message);
    void WMSize(TMessage& message) override;
    void PaintWindow(HDC dc) override;
    virtual void Paint();
    virtual void DoCreate();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    void VisibleChanged() override;
    bool TopLevelShowing() const override;
    bool DialogKey(WORD key, TShiftState shift) override;

private:
    friend class TApplication;
    void PlaceOnScreen();
    // Makes the form the main form (unowned, with the taskbar button).
    void BecomeMainForm();
    void CloseModal();

    std::unique_ptr<TControlCanvas> FCanvas;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TPosition FPosition = poDesigned;
    TWindowState FWindowState = wsNormal;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    TModalResult FModalResult = mrNone;
    bool FModal = false;
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
};

// The form that control lies on (itself when it is one), or nullptr.
TCustomForm* GetParentForm(const TControl* control);

using TExceptionEvent = std::function<void(TObject* sender, const std::exception& error)>;
using TMessageBoxEvent =
    std::function<int(const std::string& text, const std::string& caption, UINT flags)>;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    // Prepares the application window.
    void Initialize() { Handle(); }
    // The hidden application window, made on first use.
    HWND Handle();
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& value);
    // The program's icon (the first icon resource, when there is one).
    TIcon* Icon() const { return FIcon.get(); }

    // A form owned by the application; the first one made becomes the main form.
    template <class T, class... Args>
    T* CreateForm(Args&&... args) {
        T* form = new T(this, std::forward<Args>(args)...);
        FormCreated(form);
        return form;
    }
    TCustomForm* MainForm() const { return FMainForm; }
    // Whether Run shows the main form.
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool value) { FShowMainForm = value; }

    // Shows the main form (see ShowMainForm) and handles messages until the
    // application ends.
    void Run();
    // Handles one message, or waits for the next one when there is none.
    void HandleMessage();
    // Handles every message waiting now.
    void ProcessMessages();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Minimises (restores) the main form and tells the application window.
    void Minimize();
    void Restore();

    // The hook sees every message of the application window first; the
    // cookie returned takes it away again.
    int HookMainWindow(TWindowHook hook);
    void UnhookMainWindow(int cookie);

    // Hints: a control with ShowHint and a Hint shows the hint's first part
    // (before any "|") in a tip below the pointer HintPause milliseconds
    // after the pointer came to it, for HintHidePause milliseconds, until
    // the pointer leaves it or a button is pressed.
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    int HintPause() const { return FHintPause; }
    void SetHintPause(int value) { FHintPause = value; }
    int HintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(int value) { FHintHidePause = value; }
    // The pointer came to control (or left every control): the hint starts over.
    void HintMouseMessage(TControl* control);
    void CancelHint();
    // The tip window showing the hint, or nullptr while none is shown.
    HWND HintWindow() const;

    // OnException when set, else ShowException.
    void HandleException(TObject* sender, const std::exception& error);
    // The message (with a closing period) in an error box titled Title.
    void ShowException(const std::exception& error);
    // A modal message box owned by the active form; the other windows of
    // the program are disabled while it is up. Returns the button pressed.
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);

    TExceptionEvent OnException;
    // When set, answers every message box of the application in place of
    // the platform's (for automation and tests).
    TMessageBoxEvent OnMessageBox;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TCustomForm;
    void FormCreated(TCustomForm* form);
    bool ProcessMessage();
    void Idle();
    LRESULT WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void ActivateHint();
    // Tells the application window and its hooks, as the platform would.
    void Notify(UINT message, WPARAM wParam);

    std::unique_ptr<TUtilityWindow> FWindow;
    std::string FTitle;
    std::unique_ptr<TIcon> FIcon;
    TCustomForm* FMainForm = nullptr;
    bool FShowMainForm = true;
    bool FTerminated = false;
    std::vector<std::pair<int, TWindowHook>> FHooks;
    int FNextHook = 1;
    bool FShowHint = true;
    int FHintPause = 500;
    int FHintHidePause = 2500;
    TControl* FHintControl = nullptr;
    std::unique_ptr<TTimer> FHintTimer;
    HWND FHintWindow = nullptr;
    bool FHintShown = false;
};

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* owner) : TComponent(owner) {}

    int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
    // Any cursor but crDefault is shown over every window of the program.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);
    // The platform cursor of a cursor number (the arrow for an unknown one,
    // none for crNone).
    HCURSOR Cursors(TCursor cursor) const;

    int FormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* Forms(int index) const { return FForms.at(index); }
    // The form whose window is active, or nullptr.
    TCustomForm* ActiveForm() const;
    // The control of the program that has the keyboard focus, or nullptr.
    TWinControl* ActiveControl() const;

private:
    friend class TCustomForm;
    TCursor FCursor = crDefault;
    std::vector<TCustomForm*> FForms;
};

// The process's application object and screen, made before main runs.
// Tests may point Application at an object of their own for a while.
extern TApplication* Application;
extern TScreen* Screen;
