// Controls.h - controls: windowless ones painted by their parent, windowed
// ones with a window made on demand, and the canvas they paint with.
//
//   TMessage          one window message with its result, as the controls'
//                     window procedure WndProc passes it on
//   TWindowHook       a component's look at a window's messages before the
//                     window's own object (TWinControl::HookMessages)
//   TCreateParams     what CreateParams fills for the window to be made
//   TControl          parent, bounds, Align, Anchors, Visible, Enabled,
//                     Caption, Hint, Cursor, Color, Font, BiDiMode, control
//                     style, mouse and click events, change notifications
//   TWinControl       a control with a window: children (windowless ones
//                     first), one window procedure, reflected notifications,
//                     painting of windowless children, focus, tab order, keys
//   TGraphicControl   a windowless control painted by its parent (Paint)
//   TCustomControl    a windowed control with a canvas and Paint
//   TControlCanvas    a control's canvas: the paint DC, or one fetched on demand
//   FindControl, CaptureControl, SetCaptureControl, MouseControl, IsAccel,
//   KeyboardShiftState, CN_* (notifications reflected back to a child)
//
// Windows: a windowed control makes its window the first time Handle() is
// asked for (or its parent's window is made), with the parent's window made
// first; its children's windows are made with it, in list order, each new one
// above the last. The object is bound to its window at WM_NCCREATE (platform
// controls right after creation, by SetWindowSubclass); every message goes
// through WndProc, whose default is DefaultHandler (the platform's own
// procedure). A parent hands WM_COMMAND, WM_NOTIFY, WM_DRAWITEM and
// WM_CTLCOLOR* from a child window back to the child object as CN_BASE + the
// message.
//
// Message hooks: a component that needs a window's messages (the
// notification-area icon watching the main form minimise) hooks them on the
// control object with HookMessages, never on the window itself. The window
// procedure hands every message of the window to the hooks, in the order
// they were made, before the control's own WndProc; the first hook that
// handles it ends the message with its result, and the control never sees
// it. The hooks live on the object, so a window made again (RecreateWnd) is
// watched as the old one was; a hook goes when its component or the control
// goes (a free notification ties the two) or with UnhookMessages.
//
// Children: Controls(i) lists the windowless children first, then the
// windowed ones, each group in the order they were given this parent. A
// parent deletes its children when it is deleted (whoever owns them), after
// its own window is gone; a child leaves its parent when deleted first.
//
// Painting: a windowed control paints on WM_PAINT into the paint DC or into
// the DC that wParam brings (as WM_PRINTCLIENT does), its own face first
// (PaintWindow), then each visible windowless child in list order with the
// DC's origin moved to the child and clipped to it. DoubleBuffered paints
// through an off-screen bitmap.
//
// Mouse: a windowless control receives its parent's mouse messages within its
// bounds (the topmost enabled one, the last in the list), in its own
// coordinates; with csCaptureMouse a press keeps the messages coming to it
// until the release. MouseEnter and MouseLeave tell the control under the
// pointer, windowed or not, when the pointer arrives and leaves.
//
// Keys: a key press goes to the focused windowed control's window; the form
// first looks for a shortcut (IsShortCut), then Tab, Enter, Escape and arrow
// keys that the control does not take (WM_GETDLGCODE) become dialog keys of
// the form (DialogKey, offered to every control), then KeyDown. A character
// the control does not take, and every Alt+character, is offered to every
// control as a dialog character (DialogChar: accelerators).
#pragma once

#include <classlib/Classes.h>
#include <classlib/Graphics.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TWinControl;
class TCustomForm;
class TBasicAction;
class TControlActionLink;
class TPopupMenu;

struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result = 0;
};

// A look at a window's messages: true when the hook handled the message (the
// result is then message.Result, and the message goes no further).
using TWindowHook = std::function<bool(TMessage& message)>;

// A notification of a child window, handed back to the child's object.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// A window's frame: none, a plain border, a sizing border; forms also use
// the dialog and tool-window frames.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;
using TLeftRight = TAlignment;
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;

// What a control is: the flags the behaviour tests.
enum TControlStyleFlag {
    csAcceptsControls,  // a container of children
    csCaptureMouse,     // keeps the mouse while a button is held on it
    csClickEvents,      // a release over the control after a press is a click
    csSetCaption,       // its caption is its window text
    csOpaque,           // paints its whole area
    csDoubleClicks      // a second press is a double click (else a plain press)
};
using TControlStyle = TSet<TControlStyleFlag>;
// csCreating: the window is being made.
enum TControlStateFlag { csLButtonDown, csClicked, csCreating };
using TControlState = TSet<TControlStateFlag>;

// Cursor numbers; crDefault leaves the window's own cursor.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;
using TContextPopupEvent = std::function<void(TObject* sender, TPoint mousePos, bool& handled)>;

struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    // Empty: the library's own window class; else a platform class, subclassed.
    std::string WinClassName;
};

class TControl;

// A control's canvas: while the control paints, the paint DC (lent and taken
// back by the painting); at other times a DC of the control's window (of the
// parent's for a windowless control, moved and clipped to the control),
// fetched on first use and released by FreeHandle, by the next paint and when
// the application's message loop runs idle.
class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl* control) : FControl(control) {}
    ~TControlCanvas() override;

    TControl* Control() const { return FControl; }
    void FreeHandle();

protected:
    void CreateHandle() override;

private:
    TControl* FControl;
    HWND FWindow = nullptr;
    HDC FFetched = nullptr;
};

// Releases the DCs that control canvases fetched for themselves.
void FreeDeviceContexts();

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
    void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
    void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
    void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
    // Left and top in the parent's client area (the screen's for a form).
    // The parent's layout also places its children through SetBounds.
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& rect);
    // The client area in the control's own coordinates.
    virtual TRect ClientRect() const;
    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientWidth(int value) { SetClientSize(value, ClientHeight()); }
    void SetClientHeight(int value) { SetClientSize(ClientWidth(), value); }
    virtual void SetClientSize(int width, int height);
    // The screen position of the client area's top left corner.
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint point) const;
    TPoint ScreenToClient(TPoint point) const;

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign value);
    // With the right (bottom) anchor a control keeps its distance from the
    // parent's right (bottom) edge when the parent is resized; with both
    // anchors of a side it stretches.
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors value);
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool value);

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool value);

    // The caption; with csSetCaption also a windowed control's window text.
    const std::string& Caption() const { return FCaption; }
    virtual void SetCaption(const std::string& value);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& value) { FHint = value; }
    // With ParentShowHint (the default) ShowHint is the parent's.
    bool ShowHint() const;
    void SetShowHint(bool value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool value) { FParentShowHint = value; }
    TCursor Cursor() const { return FCursor; }
    virtual void SetCursor(TCursor value);

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* value) { FFont->Assign(value); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode value);
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool value);
    // Right-to-left layout (bdRightToLeft) and reading (any mode but
    // bdLeftToRight), as the control's own BiDiMode asks.
    bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
    bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }

    // The action the control is linked to (see ActnList.h), or nullptr.
    TBasicAction* Action() const;
    void SetAction(TBasicAction* value);
    TControlActionLink* ActionLink() const { return FActionLink.get(); }
    // The menu shown at a right click or the menu key (when its AutoPopup holds).
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* value);

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle value) { FControlStyle = value; }
    TControlState ControlState() const { return FControlState; }
    bool MouseCapture() const;
    void SetMouseCapture(bool value);

    // Invalidate marks the control for painting (a windowless control's area
    // of the parent); Update paints what is marked at once; Repaint is both
    // (an opaque windowless control is painted at once, without marking).
    virtual void Invalidate();
    void InvalidateRect(const TRect& rect, bool erase);
    virtual void Update();
    virtual void Repaint();
    // The top or the bottom of its parent's list (painting order and Z order).
    void BringToFront();
    void SendToBack();

    // Sends the message straight to WndProc.
    LRESULT Perform(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual void WndProc(TMessage& message);
    // The click: OnClick, or else the action.
    virtual void Click();
    virtual void DblClick();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnResize;
    TContextPopupEvent OnContextPopup;

protected:
    friend class TWinControl;

    // The messages a control handles, one handler each; the rest go to
    // DefaultHandler, which does nothing for a windowless control.
    virtual void Dispatch(TMessage& message);
    virtual void DefaultHandler(TMessage& message);
    virtual void WMMouseButton(TMessage& message);
    virtual void WMMouseMove(TMessage& message);
    virtual void WMContextMenu(TMessage& message);

    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    // The pointer arrived over the control, or left it.
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    // Notifications after a property changed; the bases repaint.
    virtual void EnabledChanged();
    virtual void VisibleChanged();
    virtual void TextChanged() {}
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void ParentColorChanged();
    virtual void ParentFontChanged();
    virtual void BiDiModeChanged() {}
    // The setter of a property that changes how the control looks: a value
    // that differs is stored and the control repainted (Invalidate); an
    // equal one changes nothing. True when the value changed, for setters
    // that have more to do then.
    template <class T>
    bool ChangeAndInvalidate(T& field, const T& value) {
        if (field == value) return false;
        field = value;
        Invalidate();
        return true;
    }
    // Offered a dialog key or character; true when the control took it.
    virtual bool DialogKey(WORD key, TShiftState shift);
    virtual bool DialogChar(char key, TShiftState shift);
    // The form's focused control changed (to focused, or to none).
    virtual void FocusChanged(TWinControl* focused);
    // The right button or the menu key: OnContextPopup; true when handled.
    virtual bool ContextPopup(TPoint mousePos);
    // The link made when the control gets an action; a control class with
    // a link of its own kind overrides it.
    virtual std::unique_ptr<TControlActionLink> CreateActionLink();
    // The control was linked to the action sender: it takes the action's
    // caption, enabled state, hint and visibility; with checkDefaults only
    // where it still has its defaults (an empty caption, enabled, visible).
    virtual void ActionChange(TObject* sender, bool checkDefaults);
    void Notification(TComponent* component, TOperation operation) override;
    // The bounds changed their size; fires OnResize.
    virtual void Resize();
    void Loaded() override;
    // Sizes an AutoSize control to its content; nothing here.
    virtual void AdjustSize() {}
    // Asks the parent to lay out its children again.
    void RequestAlign();
    // Sets the bounds as the parent's layout places them (no anchor base).
    void PlaceBounds(int left, int top, int width, int height);
    // Stores new bounds and shows them: repaints the parent's area here,
    // moves the window of a windowed control.
    virtual void ChangeBounds(int left, int top, int width, int height);
    // The window of a windowed control once made, else nullptr.
    virtual HWND WindowHandle() const { return nullptr; }
    // Tells the control under the pointer (MouseEnter, MouseLeave).
    static void SetMouseControl(TControl* control);

    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState FControlState;
    std::string FCaption;

private:
    friend class TControlCanvas;
    void RecordAnchorBase();
    TRect AnchoredBounds(TSize parentClient) const;
    void SendMouse(TMessage& message, TMouseButton button, bool down, bool twice);
    // The window of a windowless control's capture lost it to another window.
    static void CaptureLost(const TWinControl* window);
    void FontChange();
    void TakeParentColor();
    void TakeParentFont();
    void InvalidateControl(bool wasVisible, bool opaque);

    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    TAlign FAlign = alNone;
    TAnchors FAnchors{akLeft, akTop};
    TRect FAnchorBounds{};
    TSize FAnchorParent{};
    bool FAutoSize = false;
    bool FVisible = true;
    bool FEnabled = true;
    std::string FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TCursor FCursor = crDefault;
    TColor FColor = clWindow;
    bool FParentColor = true;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    bool FTakingParentFont = false;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    bool FPlacing = false;
    // A windowless control invalidated and not painted since: its area is in
    // the parent's update region already, so asking again costs nothing.
    bool FPaintPending = false;
    std::unique_ptr<TControlActionLink> FActionLink;
    TPopupMenu* FPopupMenu = nullptr;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // The window, made now when there is none (and the parent's first).
    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded() { Handle(); }
    // A window of another program part that hosts this control (no parent object).
    HWND ParentWindow() const { return FParentWindow; }
    void SetParentWindow(HWND window);
    // Destroys the window and makes it again (after a style change).
    void RecreateWnd();

    // Hands the window's messages to hook before this control sees them (see
    // Message hooks above), until component or this control goes or
    // UnhookMessages. One hook per component: hooking again replaces it.
    // Nothing for a null component or an empty hook.
    void HookMessages(TComponent* component, TWindowHook hook);
    void UnhookMessages(TComponent* component);

    int ControlCount() const { return static_cast<int>(FControls.size() + FWinControls.size()); }
    TControl* Controls(int index) const;
    bool ContainsControl(const TControl* control) const;
    // The child whose bounds hold pos (client coordinates): the topmost
    // visible one, enabled unless allowDisabled, windowless unless allowWindows.
    TControl* ControlAtPos(TPoint pos, bool allowDisabled, bool allowWindows = false) const;

    bool Showing() const { return FShowing; }
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    void SetCaption(const std::string& value) override;

    bool Focused() const;
    virtual bool CanFocus() const;
    virtual void SetFocus();
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value) { FTabStop = value; }
    int TabOrder() const;
    void SetTabOrder(int value);
    // The next (or previous) control after current in tab order among this
    // control's descendants, wrapping round; nullptr when there is none.
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const;

    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool value) { FDoubleBuffered = value; }
    TBrush* Brush() const { return FBrush.get(); }

    void Invalidate() override;
    void Update() override;
    void Repaint() override;
    // Lays the children out again (Align, Anchors, AutoSize).
    void Realign();
    void DisableAlign() { ++FAlignDisabled; }
    void EnableAlign();

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    void WndProc(TMessage& message) override;

protected:
    friend class TControl;
    friend class TCustomForm;

    virtual void CreateParams(TCreateParams& params);
    // Makes params use a platform window class, whose procedure is then the default.
    void CreateSubClass(TCreateParams& params, const char* className);
    // Makes the window and prepares it (font, text); children follow.
    virtual void CreateWnd();
    virtual void DestroyWnd();
    // Destroys the window of every windowed child, then the own one.
    void DestroyHandle();
    void CreateHandle();

    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    virtual void WMPaint(TMessage& message);
    virtual void WMEraseBkgnd(TMessage& message);
    virtual void WMPrintClient(TMessage& message);
    virtual void WMSize(TMessage& message);
    virtual void WMWindowPosChanged(TMessage& message);
    virtual void WMSetFocus(TMessage& message);
    virtual void WMKillFocus(TMessage& message);
    virtual void WMSetCursor(TMessage& message);
    virtual void WMKeyDown(TMessage& message);
    virtual void WMKeyUp(TMessage& message);
    virtual void WMChar(TMessage& message);
    virtual void WMSysChar(TMessage& message);
    virtual void WMMouseLeave(TMessage& message);
    virtual void WMCaptureChanged(TMessage& message);
    virtual void WMSetText(TMessage& message);
    void WMContextMenu(TMessage& message) override;
    // Hands a child window's notification back to the child object.
    virtual void ReflectNotification(TMessage& message, HWND child);
    virtual void CNCtlColor(TMessage& message);

    // Paints the window's face into dc (nothing here), then the windowless children.
    void PaintHandler(HDC dc);
    virtual void PaintWindow(HDC dc);
    // From first on (every one when it is null): each visible windowless
    // child that dc shows, in list order.
    void PaintControls(HDC dc, const TControl* first = nullptr);

    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual void DoEnter();
    virtual void DoExit();
    // Showing changed: the control and every ancestor became visible, or not.
    virtual void ShowingChanged() {}
    void UpdateShowing();
    // Whether a control without a parent object is on the screen.
    virtual bool TopLevelShowing() const;

    // The area the aligned children share: the client rectangle here.
    virtual void AdjustClientRect(TRect& rect);
    virtual void AlignControls(TRect& rect);
    void AdjustSize() override;

    bool DialogKey(WORD key, TShiftState shift) override;
    bool DialogChar(char key, TShiftState shift) override;
    void FocusChanged(TWinControl* focused) override;
    void EnabledChanged() override;
    void VisibleChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    void BiDiModeChanged() override;
    void Loaded() override;
    void ChangeBounds(int left, int top, int width, int height) override;
    HWND WindowHandle() const override { return FHandle; }
    std::unique_ptr<TControlActionLink> CreateActionLink() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    static LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam);
    static LRESULT CALLBACK SubclassWindowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR id, DWORD_PTR data);
    static void RegisterWindowClass();
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void Bind(HWND window);
    void Unbind();
    void Deliver(TMessage& message);
    // True when a hook handled the message.
    bool RunMessageHooks(TMessage& message);
    bool RouteMouse(TMessage& message);
    void TrackMouse(TMessage& message);
    bool WantsKey(WORD key);
    // A shortcut of a pop-up menu of the control or its parents, or of the form.
    bool IsMenuKey(WORD key, TShiftState shift);
    void PaintBuffered();
    void AlignChildren(TAlign align, TRect& rect);
    void AnchorChildren();
    void UpdateBounds();
    // Margins between the window's outer bounds and its client area, from the
    // style the window has or would have.
    TRect NonClientMargins() const;
    void ReorderControl(TControl* control, bool front);
    // The window a new child window of this control goes right below.
    HWND WindowAbove() const;
    void AddTabOrder(std::vector<TWinControl*>& list, bool checkTabStop) const;

    HWND FHandle = nullptr;
    HWND FParentWindow = nullptr;
    bool FSubclassed = false;
    bool FShowing = false;
    bool FMouseTracking = false;
    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FWinControls;
    std::vector<TWinControl*> FTabList;
    bool FTabStop = false;
    bool FDoubleBuffered = false;
    std::unique_ptr<TBrush> FBrush;
    int FAlignDisabled = 0;
    int FAligning = 0;
    std::vector<std::pair<TComponent*, TWindowHook>> FMessageHooks;
};

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;

    TCanvas* Canvas() const { return FCanvas.get(); }

protected:
    void Dispatch(TMessage& message) override;
    virtual void WMPaint(TMessage& message);
    virtual void Paint() {}

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;

    TCanvas* Canvas() const { return FCanvas.get(); }

protected:
    void PaintWindow(HDC dc) override;
    virtual void Paint() {}

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

// Paints through canvas on dc for the length of one call: the canvas takes
// the DC, paint runs, and the canvas lets go again (its objects put back).
void PaintWithCanvas(TControlCanvas* canvas, HDC dc, const std::function<void()>& paint);

// The control object of a window, or nullptr.
TWinControl* FindControl(HWND window);
// The control that holds the mouse (SetCaptureControl), or nullptr.
TControl* CaptureControl();
void SetCaptureControl(TControl* control);
// The control under the pointer, as MouseEnter and MouseLeave told it.
TControl* MouseControl();
// Whether key is the character after the first single "&" of caption
// (without regard to case).
bool IsAccel(char key, const std::string& caption);
// The state of Shift, Ctrl and Alt now.
TShiftState KeyboardShiftState();
