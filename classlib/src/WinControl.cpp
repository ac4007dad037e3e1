// WinControl.cpp - windowed controls: children, the window made on demand,
// the window procedure and the messages that keep object and window in step.
#include <classlib/ActnList.h>
#include <classlib/Controls.h>
#include <classlib/Forms.h>
#include <classlib/SysUtils.h>
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "Consts.h"
#include "Instance.h"

namespace {

constexpr const char* WindowClassName = "HolvaneControl";
// The window property that leads from a platform control's window to its
// control object.
constexpr const char* ControlProperty = "HolvaneControl";
// A window of the library's own class holds its control object in its extra
// bytes, which the window procedure reads without asking the window manager
// (a property is one request to it per message).
constexpr int ControlSlot = 0;
ATOM OwnWindowClass = 0;

bool IsOwnClassWindow(HWND window) {
    return OwnWindowClass && GetClassLongPtrA(window, GCW_ATOM) == OwnWindowClass;
}

void InitPlatformControls() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX controls{
            sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)done;
}

template <class T>
void Erase(std::vector<T*>& list, const TControl* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

TWinControl* FindControl(HWND window) {
    if (!window) return nullptr;
    if (IsOwnClassWindow(window))
        return reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, ControlSlot));
    return static_cast<TWinControl*>(GetPropA(window, ControlProperty));
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner), FBrush(std::make_unique<TBrush>()) {
    FBrush->SetColor(Color());
}

TWinControl::~TWinControl() {
    Destroying();
    SetParent(nullptr);
    DestroyHandle();
    // Children go with their parent, whoever owns them; each leaves the lists.
    while (ControlCount() > 0) delete Controls(ControlCount() - 1);
}

// --- Children -------------------------------------------------------------------

TControl* TWinControl::Controls(int index) const {
    auto graphic = static_cast<int>(FControls.size());
    if (index < graphic) return FControls.at(index);
    return FWinControls.at(index - graphic);
}

bool TWinControl::ContainsControl(const TControl* control) const {
    while (control && control != this) control = control->Parent();
    return control != nullptr;
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allowDisabled, bool allowWindows) const {
    auto hit = [&](TControl* control) {
        TRect bounds = control->BoundsRect();
        return control->Visible() && (allowDisabled || control->Enabled()) &&
               PtInRect(&bounds, pos);
    };
    if (allowWindows) {
        for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
            if (hit(*it)) return *it;
    }
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
        if (hit(*it)) return *it;
    return nullptr;
}

void TWinControl::InsertControl(TControl* control) {
    control->FParent = this;
    auto window = dynamic_cast<TWinControl*>(control);
    if (window) {
        FWinControls.push_back(window);
        FTabList.push_back(window);
    } else {
        FControls.push_back(control);
    }
    if (control->FParentColor) control->TakeParentColor();
    if (control->FParentFont) control->TakeParentFont();
    if (control->FParentBiDiMode) control->SetParentBiDiMode(true);
    control->RecordAnchorBase();
    if (window) {
        if (FHandle && window->Visible()) window->CreateHandle();
        window->UpdateShowing();
    } else {
        control->Invalidate();
    }
    if (control->FAlign != alNone || AutoSize()) Realign();
}

void TWinControl::RemoveControl(TControl* control) {
    if (MouseControl() == control) SetMouseControl(nullptr);
    if (CaptureControl() == control) SetCaptureControl(nullptr);
    if (auto window = dynamic_cast<TWinControl*>(control)) {
        if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(window, true);
        window->DestroyHandle();
        Erase(FWinControls, control);
        Erase(FTabList, control);
        control->FParent = nullptr;
        window->UpdateShowing();
    } else {
        control->InvalidateControl(control->FVisible, false);
        Erase(FControls, control);
        control->FParent = nullptr;
    }
    if (!ComponentState().Contains(csDestroying)) Realign();
}

void TWinControl::ReorderControl(TControl* control, bool front) {
    auto move = [&](auto& list, auto* item) {
        Erase(list, item);
        if (front)
            list.push_back(item);
        else
            list.insert(list.begin(), item);
    };
    if (auto window = dynamic_cast<TWinControl*>(control)) {
        move(FWinControls, window);
        if (window->FHandle)
            SetWindowPos(window->FHandle, front ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return;
    }
    move(FControls, control);
    control->Invalidate();
}

// --- The window -------------------------------------------------------------------

HWND TWinControl::Handle() {
    if (!FHandle) CreateHandle();
    return FHandle;
}

void TWinControl::CreateHandle() {
    if (FHandle) return;
    if (FParent && !FParent->FHandle) {
        FParent->CreateHandle();  // which makes the children's windows too
        if (FHandle) return;
    }
    CreateWnd();
    // By index: a child's window may add children of its own. A hidden
    // child's window waits until it is shown or asked for.
    for (size_t i = 0; i < FWinControls.size(); ++i)
        if (FWinControls[i]->Visible()) FWinControls[i]->CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& params) {
    if (FControlStyle.Contains(csSetCaption)) params.Caption = FCaption;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (FControlStyle.Contains(csAcceptsControls)) params.Style |= WS_CLIPCHILDREN;
    if (Visible()) params.Style |= WS_VISIBLE;
    if (!Enabled()) params.Style |= WS_DISABLED;
    if (FTabStop) params.Style |= WS_TABSTOP;
    params.X = Left();
    params.Y = Top();
    params.Width = Width();
    params.Height = Height();
    params.WndParent = FParent ? FParent->FHandle : FParentWindow;
}

void TWinControl::CreateSubClass(TCreateParams& params, const char* className) {
    params.WinClassName = className;
}

void TWinControl::RegisterWindowClass() {
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        windowClass.lpfnWndProc = ObjectWindowProc;
        windowClass.cbWndExtra = sizeof(LONG_PTR);
        windowClass.hInstance = ModuleInstance();
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.lpszClassName = WindowClassName;
        OwnWindowClass = RegisterClassA(&windowClass);
        if (!OwnWindowClass && GetLastError() == ERROR_CLASS_ALREADY_EXISTS) {
            // Made by this module before: its atom tells its windows.
            WNDCLASSEXA registeredClass{};
            registeredClass.cbSize = sizeof registeredClass;
            const auto atom = static_cast<ATOM>(
                GetClassInfoExA(ModuleInstance(), WindowClassName, &registeredClass));
            if (registeredClass.cbWndExtra >= static_cast<int>(sizeof(LONG_PTR)))
                OwnWindowClass = atom;
        }
        return OwnWindowClass != 0;
    }();
    if (!registered) throw EOutOfResources(SOutOfResources);
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) && !params.WndParent)
        throw EInvalidOperation(Format(SParentRequired, {Name()}));
    FControlState.Include(csCreating);
    HWND window = nullptr;
    if (params.WinClassName.empty()) {
        RegisterWindowClass();
        window = CreateWindowExA(params.ExStyle, WindowClassName, params.Caption.c_str(),
                                 params.Style, params.X, params.Y, params.Width, params.Height,
                                 params.WndParent, nullptr, ModuleInstance(), this);
    } else {
        InitPlatformControls();
        window =
            CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(),
                            params.Style, params.X, params.Y, params.Width, params.Height,
                            params.WndParent, nullptr, ModuleInstance(), nullptr);
        if (window) {
            Bind(window);
            FSubclassed = true;
            SetWindowSubclass(window, SubclassWindowProc, 0, reinterpret_cast<DWORD_PTR>(this));
        }
    }
    FControlState.Exclude(csCreating);
    if (!window) throw EOutOfResources(SysErrorMessage(GetLastError()));
    if (FSubclassed)
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
    // The last in the list is the top one: a new child window goes right
    // below the window of the next sibling that has one (a window made
    // late, when its control is shown), or on top of all.
    if (params.Style & WS_CHILD)
        SetWindowPos(window, WindowAbove(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    UpdateBounds();
}

HWND TWinControl::WindowAbove() const {
    if (!FParent) return HWND_TOP;
    const auto& siblings = FParent->FWinControls;
    auto at = std::find(siblings.begin(), siblings.end(), this);
    if (at == siblings.end()) return HWND_TOP;
    for (++at; at != siblings.end(); ++at)
        if ((*at)->FHandle) return (*at)->FHandle;
    return HWND_TOP;
}

void TWinControl::DestroyHandle() {
    if (!FHandle) return;
    for (TWinControl* child : FWinControls) child->DestroyHandle();
    DestroyWnd();
}

void TWinControl::DestroyWnd() {
    HWND window = FHandle;
    if (!window) return;
    DestroyWindow(window);
    if (FHandle == window) Unbind();
}

void TWinControl::RecreateWnd() {
    if (!FHandle) return;
    DestroyHandle();
    CreateHandle();
}

void TWinControl::SetParentWindow(HWND window) {
    if (window == FParentWindow) return;
    FParentWindow = window;
    if (FHandle && !Parent()) ::SetParent(FHandle, window);
    UpdateShowing();
}

void TWinControl::Bind(HWND window) {
    FHandle = window;
    if (IsOwnClassWindow(window))
        SetWindowLongPtrA(window, ControlSlot, reinterpret_cast<LONG_PTR>(this));
    else
        SetPropA(window, ControlProperty, this);
}

void TWinControl::Unbind() {
    if (!FHandle) return;
    if (IsOwnClassWindow(FHandle))
        SetWindowLongPtrA(FHandle, ControlSlot, 0);
    else
        RemovePropA(FHandle, ControlProperty);
    if (FSubclassed) RemoveWindowSubclass(FHandle, SubclassWindowProc, 0);
    FHandle = nullptr;
    FSubclassed = false;
    FMouseTracking = false;
}

LRESULT CALLBACK TWinControl::ObjectWindowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto control = static_cast<TWinControl*>(
            reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (control) control->Bind(window);
    }
    auto control = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, ControlSlot));
    if (!control) return DefWindowProcA(window, message, wParam, lParam);
    TMessage data{message, wParam, lParam, 0};
    control->Deliver(data);
    if (message == WM_NCDESTROY) control->Unbind();
    return data.Result;
}

LRESULT CALLBACK TWinControl::SubclassWindowProc(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto control = reinterpret_cast<TWinControl*>(data);
    TMessage item{message, wParam, lParam, 0};
    control->Deliver(item);
    if (message == WM_NCDESTROY && control->FHandle == window) control->Unbind();
    return item.Result;
}

void TWinControl::Deliver(TMessage& message) {
    try {
        if (!RunMessageHooks(message)) WndProc(message);
    } catch (...) {
        HandleCallbackException();
    }
}

// --- Messages -----------------------------------------------------------------------

void TWinControl::WndProc(TMessage& message) {
    if (message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MBUTTONDBLCLK) {
        if (message.Msg == WM_MOUSEMOVE) TrackMouse(message);
        if (RouteMouse(message)) {
            // The platform's own follow-up (WM_CONTEXTMENU after a right click).
            if (message.Result == 0 && FHandle)
                DefWindowProcA(FHandle, message.Msg, message.WParam, message.LParam);
            return;
        }
    }
    TControl::WndProc(message);
}

void TWinControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case WM_PAINT:
            return WMPaint(message);
        case WM_ERASEBKGND:
            return WMEraseBkgnd(message);
        case WM_PRINTCLIENT:
            return WMPrintClient(message);
        case WM_SIZE:
            return WMSize(message);
        case WM_WINDOWPOSCHANGED:
            return WMWindowPosChanged(message);
        case WM_SETFOCUS:
            return WMSetFocus(message);
        case WM_KILLFOCUS:
            return WMKillFocus(message);
        case WM_SETCURSOR:
            return WMSetCursor(message);
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            return WMKeyDown(message);
        case WM_KEYUP:
        case WM_SYSKEYUP:
            return WMKeyUp(message);
        case WM_CHAR:
            return WMChar(message);
        case WM_SYSCHAR:
            return WMSysChar(message);
        case WM_MOUSELEAVE:
            return WMMouseLeave(message);
        case WM_CAPTURECHANGED:
            return WMCaptureChanged(message);
        case WM_SETTEXT:
            return WMSetText(message);
        case WM_COMMAND:
            return ReflectNotification(message, reinterpret_cast<HWND>(message.LParam));
        case WM_NOTIFY:
            return ReflectNotification(message, reinterpret_cast<NMHDR*>(message.LParam)->hwndFrom);
        case WM_DRAWITEM: {
            auto item = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
            return ReflectNotification(message,
                                       item->CtlType == ODT_MENU ? nullptr : item->hwndItem);
        }
        default:
            break;
    }
    if (message.Msg >= WM_CTLCOLORMSGBOX && message.Msg <= WM_CTLCOLORSTATIC)
        return ReflectNotification(message, reinterpret_cast<HWND>(message.LParam));
    if (message.Msg >= CN_CTLCOLORMSGBOX && message.Msg <= CN_CTLCOLORSTATIC)
        return CNCtlColor(message);
    TControl::Dispatch(message);
}

void TWinControl::DefaultHandler(TMessage& message) {
    if (!FHandle) return;
    message.Result = FSubclassed
                         ? DefSubclassProc(FHandle, message.Msg, message.WParam, message.LParam)
                         : DefWindowProcA(FHandle, message.Msg, message.WParam, message.LParam);
}

void TWinControl::ReflectNotification(TMessage& message, HWND child) {
    TWinControl* control = FindControl(child);
    if (control && control != this) {
        message.Result = control->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
        return;
    }
    DefaultHandler(message);
}

void TWinControl::CNCtlColor(TMessage& message) {
    auto dc = reinterpret_cast<HDC>(message.WParam);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    SetBkColor(dc, ColorToRGB(Color()));
    message.Result = reinterpret_cast<LRESULT>(FBrush->Handle());
}

void TWinControl::WMSetText(TMessage& message) {
    DefaultHandler(message);
    std::string text = message.LParam ? reinterpret_cast<const char*>(message.LParam) : "";
    if (text == FCaption) return;
    FCaption = text;
    TextChanged();
}

void TWinControl::SetCaption(const std::string& value) {
    if (value == FCaption) return;
    if (FHandle && FControlStyle.Contains(csSetCaption)) SetWindowTextA(FHandle, value.c_str());
    TControl::SetCaption(value);  // when the window did not tell already
}

// --- Bounds ---------------------------------------------------------------------------

TRect TWinControl::NonClientMargins() const {
    TCreateParams params;
    const_cast<TWinControl*>(this)->CreateParams(params);
    TRect margins{};
    // A child window without a border or an edge has none: the platform is
    // not asked (it would answer the same, and asking costs it a round trip).
    constexpr DWORD Frames = WS_BORDER | WS_DLGFRAME | WS_THICKFRAME;
    constexpr DWORD Edges =
        WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME;
    if ((params.Style & WS_CHILD) && !(params.Style & Frames) && !(params.ExStyle & Edges))
        return margins;
    AdjustWindowRectEx(&margins, params.Style, FALSE, params.ExStyle);
    return margins;
}

TRect TWinControl::ClientRect() const {
    TRect client{};
    if (FHandle) {
        GetClientRect(FHandle, &client);
        return client;
    }
    TRect margins = NonClientMargins();
    return Rect(0, 0, std::max<int>(0, Width() - (margins.right - margins.left)),
                std::max<int>(0, Height() - (margins.bottom - margins.top)));
}

TPoint TWinControl::ClientOrigin() const {
    TPoint origin{};
    if (FHandle) {
        ::ClientToScreen(FHandle, &origin);
        return origin;
    }
    TRect margins = NonClientMargins();
    origin = TControl::ClientOrigin();
    return Point(origin.x - margins.left, origin.y - margins.top);
}

void TWinControl::ChangeBounds(int left, int top, int width, int height) {
    if (left == Left() && top == Top() && width == Width() && height == Height()) return;
    if (FHandle && IsIconic(FHandle)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(FHandle, &placement);
        placement.rcNormalPosition = Bounds(left, top, width, height);
        SetWindowPlacement(FHandle, &placement);
    } else if (FHandle) {
        // WM_WINDOWPOSCHANGED brings the bounds the window took.
        SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    bool resized = width != Width() || height != Height();
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    if (!resized) return;
    Realign();
    Resize();
}

void TWinControl::UpdateBounds() {
    TRect bounds{};
    if (IsIconic(FHandle)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(FHandle, &placement);
        bounds = placement.rcNormalPosition;
    } else {
        GetWindowRect(FHandle, &bounds);
        if (GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_CHILD)
            MapWindowPoints(HWND_DESKTOP, GetParent(FHandle), reinterpret_cast<POINT*>(&bounds), 2);
    }
    FLeft = bounds.left;
    FTop = bounds.top;
    FWidth = bounds.right - bounds.left;
    FHeight = bounds.bottom - bounds.top;
}

void TWinControl::WMWindowPosChanged(TMessage& message) {
    UpdateBounds();
    DefaultHandler(message);
}

void TWinControl::WMSize(TMessage& message) {
    DefaultHandler(message);
    if (message.WParam == SIZE_MINIMIZED) return;
    Realign();
    Resize();
}

// --- State --------------------------------------------------------------------------------

bool TWinControl::TopLevelShowing() const {
    return FParentWindow && IsWindowVisible(FParentWindow);
}

void TWinControl::UpdateShowing() {
    bool showing = Visible() && (Parent() ? Parent()->FShowing : TopLevelShowing());
    if (showing == FShowing) return;
    FShowing = showing;
    ShowingChanged();
    for (size_t i = 0; i < FWinControls.size(); ++i) FWinControls[i]->UpdateShowing();
}

void TWinControl::VisibleChanged() {
    if (!Visible()) {
        if (MouseControl() && ContainsControl(MouseControl())) SetMouseControl(nullptr);
        if (TCustomForm* form = GetParentForm(this); form && form != this)
            form->DefocusControl(this, false);
    }
    if (FHandle)
        ShowWindow(FHandle, Visible() ? SW_SHOWNA : SW_HIDE);
    else if (Visible() && FParent && FParent->FHandle)
        CreateHandle();  // shown for the first time
    UpdateShowing();
}

void TWinControl::EnabledChanged() {
    if (!Enabled() && Parent()) {
        if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, false);
    }
    if (FHandle) EnableWindow(FHandle, Enabled());
    Invalidate();
}

void TWinControl::FontChanged() {
    if (FHandle && FSubclassed)
        SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
    Invalidate();
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->ParentFontChanged();
}

void TWinControl::ColorChanged() {
    FBrush->SetColor(Color());
    Invalidate();
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->ParentColorChanged();
}

std::unique_ptr<TControlActionLink> TWinControl::CreateActionLink() {
    return std::make_unique<TWinControlActionLink>(this);
}

void TWinControl::BiDiModeChanged() {
    for (int i = 0; i < ControlCount(); ++i)
        if (Controls(i)->ParentBiDiMode()) Controls(i)->SetParentBiDiMode(true);
}

void TWinControl::Loaded() {
    TControl::Loaded();
    Realign();
}
