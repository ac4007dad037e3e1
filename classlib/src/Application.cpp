// Application.cpp - the application object: its hidden window and hooks, the
// message loop, minimising and restoring, errors and message boxes.
#include <classlib/ExtCtrls.h>
#include <classlib/Forms.h>
#include <classlib/SysUtils.h>

#include <algorithm>

#include "FormsPrivate.h"
#include "Instance.h"

namespace {

// The screen is made first, so that it outlives the application's forms.
TScreen& TheScreen() {
    static TScreen screen(nullptr);
    return screen;
}

TApplication& TheApplication() {
    static TApplication application(nullptr);
    return application;
}

std::string ModuleBaseName() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = ExtractFileName(path);
    return name.substr(0, name.size() - ExtractFileExt(name).size());
}

}  // namespace

TScreen* Screen = &TheScreen();
TApplication* Application = &TheApplication();

TApplication::TApplication(TComponent* owner)
    : TComponent(owner), FTitle(ModuleBaseName()), FIcon(std::make_unique<TIcon>()) {
    if (auto icon = static_cast<HICON>(
            LoadImageA(ModuleInstance(), "MAINICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)))
        FIcon->SetHandle(icon);
    if (!ApplicationHandleException) {
        ApplicationHandleException = [](const std::exception& error) {
            if (Application) Application->HandleException(Application, error);
        };
    }
}

TApplication::~TApplication() {
    Destroying();
    DestroyComponents();
    if (FHintWindow) DestroyWindow(FHintWindow);
    if (Application == this) Application = nullptr;
}

HWND TApplication::Handle() {
    if (!FWindow) {
        FWindow = std::make_unique<TUtilityWindow>(
            [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
                return WndProc(window, message, wParam, lParam);
            });
        SetWindowTextA(FWindow->Handle(), FTitle.c_str());
    }
    return FWindow->Handle();
}

void TApplication::SetTitle(const std::string& value) {
    FTitle = value;
    if (FWindow) SetWindowTextA(FWindow->Handle(), value.c_str());
}

LRESULT TApplication::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TMessage data{message, wParam, lParam, 0};
    // A copy: a hook may unhook itself.
    auto hooks = FHooks;
    for (auto& [cookie, hook] : hooks)
        if (hook(data)) return data.Result;
    if (message == ReleaseMessage) {
        // A form deleted meanwhile is no longer among the screen's forms.
        auto form = reinterpret_cast<TCustomForm*>(lParam);
        for (int i = 0; i < Screen->FormCount(); ++i) {
            if (Screen->Forms(i) != form) continue;
            delete form;
            break;
        }
        return 0;
    }
    if (message == WM_CLOSE) {
        if (FMainForm) FMainForm->Close();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int TApplication::HookMainWindow(TWindowHook hook) {
    FHooks.emplace_back(FNextHook, std::move(hook));
    return FNextHook++;
}

void TApplication::UnhookMainWindow(int cookie) {
    std::erase_if(FHooks, [cookie](const auto& entry) { return entry.first == cookie; });
}

void TApplication::Notify(UINT message, WPARAM wParam) {
    SendMessageA(Handle(), message, wParam, 0);
}

// --- Forms ---------------------------------------------------------------------------

void TApplication::FormCreated(TCustomForm* form) {
    if (FMainForm) return;
    FMainForm = form;
    form->BecomeMainForm();
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FMainForm) FMainForm = nullptr;
}

void TApplication::Minimize() {
    if (FMainForm) FMainForm->SetWindowState(wsMinimized);
    Notify(WM_SIZE, SIZE_MINIMIZED);
    if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
    if (FMainForm && FMainForm->WindowState() == wsMinimized) FMainForm->SetWindowState(wsNormal);
    Notify(WM_SIZE, SIZE_RESTORED);
    if (OnRestore) OnRestore(this);
}

// --- The message loop ---------------------------------------------------------------------

void TApplication::Run() {
    if (FMainForm && FShowMainForm) FMainForm->Show();
    while (!FTerminated) HandleMessage();
}

bool TApplication::ProcessMessage() {
    MSG message{};
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
    if (message.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}

void TApplication::HandleMessage() {
    if (!ProcessMessage()) Idle();
}

void TApplication::ProcessMessages() {
    while (ProcessMessage()) {
    }
}

void TApplication::Idle() {
    FreeDeviceContexts();
    if (!FTerminated) WaitMessage();
}

void TApplication::Terminate() {
    FTerminated = true;
    PostQuitMessage(0);
}

// --- Errors and messages --------------------------------------------------------------------

void TApplication::HandleException(TObject* sender, const std::exception& error) {
    if (OnException) return OnException(sender, error);
    ShowException(error);
}

void TApplication::ShowException(const std::exception& error) {
    std::string text = error.what();
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    MessageBox(text, FTitle, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
    if (OnMessageBox) return OnMessageBox(text, caption, flags);
    TCustomForm* owner = Screen->ActiveForm();
    if (!owner && FMainForm && FMainForm->Showing()) owner = FMainForm;
    HWND ownerWindow = owner ? owner->Handle() : nullptr;
    HWND previous = GetActiveWindow();
    int result = 0;
    {
        TDisabledTaskWindows disabled(ownerWindow);
        result = ::MessageBoxA(ownerWindow, text.c_str(), caption.c_str(), flags);
    }
    if (previous && IsWindow(previous)) SetActiveWindow(previous);
    return result;
}

// --- Screen ---------------------------------------------------------------------------------

void TScreen::SetCursor(TCursor value) {
    if (value == FCursor) return;
    FCursor = value;
    if (value == crDefault) {
        // The window under the pointer chooses its cursor again.
        TPoint pos{};
        GetCursorPos(&pos);
        HWND window = WindowFromPoint(pos);
        if (window && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
            LRESULT hit = SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(pos.x, pos.y));
            SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                         MAKELPARAM(hit, WM_MOUSEMOVE));
            return;
        }
    }
    ::SetCursor(Cursors(value));
}

HCURSOR TScreen::Cursors(TCursor cursor) const {
    static const struct {
        TCursor cursor;
        LPCSTR id;
    } cursors[] = {
        {crArrow, IDC_ARROW},       {crCross, IDC_CROSS},     {crIBeam, IDC_IBEAM},
        {crSizeNESW, IDC_SIZENESW}, {crSizeNS, IDC_SIZENS},   {crSizeNWSE, IDC_SIZENWSE},
        {crSizeWE, IDC_SIZEWE},     {crUpArrow, IDC_UPARROW}, {crHourGlass, IDC_WAIT},
        {crNoDrop, IDC_NO},         {crHSplit, IDC_SIZEWE},   {crVSplit, IDC_SIZENS},
        {crSQLWait, IDC_WAIT},      {crNo, IDC_NO},           {crAppStart, IDC_APPSTARTING},
        {crHelp, IDC_HELP},         {crHandPoint, IDC_HAND},  {crSizeAll, IDC_SIZEALL},
    };
    if (cursor == crNone) return nullptr;
    for (const auto& entry : cursors)
        if (entry.cursor == cursor) return LoadCursorA(nullptr, entry.id);
    return LoadCursorA(nullptr, IDC_ARROW);
}

TCustomForm* TScreen::ActiveForm() const {
    HWND active = GetActiveWindow();
    auto found = std::find_if(FForms.begin(), FForms.end(), [active](TCustomForm* form) {
        return active && form->HandleAllocated() && form->Handle() == active;
    });
    return found == FForms.end() ? nullptr : *found;
}

TWinControl* TScreen::ActiveControl() const { return FindControl(GetFocus()); }
