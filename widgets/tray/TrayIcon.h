// TrayIcon.h - one icon in the taskbar's notification area.
//
//   TTrayIcon         the icon with its tip, balloons, mouse events (a single
//                     click told from a double click, the mouse entering and
//                     leaving), image cycling through an image list, and
//                     minimising the application's main form to the icon
//   TTrayIconHandler  the process's one hidden window that the shell sends
//                     every icon's callback messages to, kept while at least
//                     one icon lives
//   TCycleEvent, TStartupEvent
//
// The icon's identifier given to the shell is the object's address, cut to
// the 32 bits the shell carries back; the handler knows the live icons by it,
// so a callback leads to its icon, and one for an icon that is gone is
// dropped. The icon's record is set up once and refreshed (image, tip) before
// every shell call; an icon the shell does not hold is not updated or removed
// there. When the taskbar is made again (the shell restarted), an icon that is
// meant to be visible is added again.
//
// The owner: with a windowed owner (the main form) the icon hooks the owner's
// messages (TWinControl::HookMessages, so a window made again is watched as
// well) to take the minimise command to the tray, and HideMainForm and
// ShowMainForm act on the application's main form. After loading, the icon
// asks OnStartup whether the main form is to be shown at start, then shows
// itself as IconVisible says.
#pragma once

#include <classlib/Controls.h>
#include <classlib/Forms.h>
#include <classlib/ImgList.h>
#include <classlib/Menus.h>
#include <classlib/Pictures.h>
#include <classlib/UtilWindow.h>
#include <shellapi.h>
#include <widgets/timers/SimpleTimer.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

class TTrayIcon;

using TCycleEvent = std::function<void(TObject* sender, int nextIndex)>;
using TStartupEvent = std::function<void(TObject* sender, bool& showMainForm)>;

// The callback message of every icon: the first parameter is the icon's
// identifier, the second the mouse or balloon notification.
constexpr UINT TrayCallbackMessage = 0x800;

// The balloon's icon (ShowBalloonHint's iconType).
enum TBalloonIconType : uint8_t { bitNone, bitInfo, bitWarning, bitError };

class TTrayIconHandler : public TObject {
public:
    // The handler of the process, or nullptr while no icon lives.
    static TTrayIconHandler* Instance();

    uint32_t UserCount() const { return FUserCount; }
    HWND TrayWindow() const { return FTrayWindow.Handle(); }

private:
    friend class TTrayIcon;
    TTrayIconHandler();

    // Registers the icon and returns its identifier.
    static UINT AcquireTrayWindow(TTrayIcon* icon);
    static void ReleaseTrayWindow(TTrayIcon* icon);
    static LRESULT TrayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    uint32_t FUserCount = 0;
    std::unordered_map<UINT, TTrayIcon*> FIcons;
    TUtilityWindow FTrayWindow;
};

class TTrayIcon : public TComponent {
public:
    explicit TTrayIcon(TComponent* owner);
    ~TTrayIcon() override;

    UINT IconId() const { return FIconId; }
    // The record handed to the shell, as the last call left it.
    const NOTIFYICONDATAA& TrayIconData() const { return FData; }

    // Shows the icon while a form designer has the form open; this program
    // has no designer, so it is only kept.
    bool DesignPreview() const { return FDesignPreview; }
    void SetDesignPreview(bool value) { FDesignPreview = value; }
    TImageList* IconList() const { return FIconList; }
    // Shows the list's first image (not owned; forgotten when the list goes).
    void SetIconList(TImageList* value);
    bool CycleIcons() const { return FCycleIcons; }
    // true: starts at image 0 and steps every CycleInterval; false: stops.
    void SetCycleIcons(bool value);
    uint32_t CycleInterval() const { return FCycleInterval; }
    // A running cycle restarts at image 0 with the new period.
    void SetCycleInterval(uint32_t value);
    // Mouse messages on the icon are ignored while false.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    TIcon* Icon() const { return FIcon.get(); }
    // Copies the icon and tells the shell once.
    void SetIcon(const TIcon* value);
    bool IconVisible() const { return FIconVisible; }
    // Adds (removes) the icon, also when it is meant to be there already, so
    // that a failed attempt can be repeated.
    void SetIconVisible(bool value);
    int IconIndex() const { return FIconIndex; }
    // With an IconList: shows that image (the last one for a value past the
    // end, the first for a negative one); without: IconIndex 0.
    void SetIconIndex(int value);
    // The menu the right button pops up at the pointer (not owned; forgotten
    // when the menu goes); a double click chooses its default item.
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* value);
    // The left button pops the menu up too (and a double click chooses nothing).
    bool LeftPopup() const { return FLeftPopup; }
    void SetLeftPopup(bool value) { FLeftPopup = value; }
    bool WantEnterExitEvents() const { return FWantEnterExitEvents; }
    void SetWantEnterExitEvents(bool value);
    // Minimising the main form hides it and shows the icon.
    bool MinimizeToTray() const { return FMinimizeToTray; }
    void SetMinimizeToTray(bool value) { FMinimizeToTray = value; }

    // Shows a balloon: title cut to 63 characters, text to 255, the icon of
    // iconType (bitNone ... bitError), timeoutSecs seconds. Any balloon shown
    // is taken away first. Returns the shell's answer.
    bool ShowBalloonHint(const std::string& title, const std::string& text, uint8_t iconType,
                         uint8_t timeoutSecs);
    // With a windowed owner and a main form: hides the main form (and the
    // application's taskbar window).
    void HideMainForm();
    // With a windowed owner and a main form: restores the application and
    // shows the main form in its normal state, in front.
    void ShowMainForm();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;
    TCycleEvent OnCycle;
    TNotifyEvent OnBalloonHintShow;
    TNotifyEvent OnBalloonHintHide;
    TNotifyEvent OnBalloonHintTimeout;
    TNotifyEvent OnBalloonHintClick;
    TNotifyEvent OnMinimizeToTray;
    TStartupEvent OnStartup;

protected:
    // The shell calls; each returns the shell's answer. Add and remove also
    // set IconVisible; update leaves it. The shell is not asked to change or
    // remove an icon that it was never given (or that was removed since):
    // it would find none, so the answer is false without a call.
    virtual bool AddTrayEntry();
    virtual bool RemoveTrayEntry();
    virtual bool UpdateTrayEntry();

    // The events, fired only when set.
    virtual void FireClick();
    virtual void FireDblClick();
    virtual void FireCycle(int nextIndex);
    virtual void FireMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void FireMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void FireMouseMove(TShiftState shift, int x, int y);
    virtual void FireMouseEnter();
    virtual void FireMouseExit();
    // Hides the main form and shows the icon.
    virtual void GoToTray();

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TTrayIconHandler;

    // The record as the constructor sets it up.
    void SetUpIconData();
    bool ShellCall(DWORD command);
    void FillIconData();
    // After the shell's broadcast that the taskbar was made again, an icon
    // meant to be visible is added again.
    void AddAgainOnNewTaskbar(UINT message);
    // Replaces the image without the change notification's own shell call.
    void ReplaceIcon(const std::function<void()>& replace);
    void HandleTrayMessage(UINT message);
    void HandleMouseMessage(UINT message);
    void PopupMenuAtCursor();
    void ClickDefaultMenuItem();
    void ClickDelayElapsed();
    void LeaveCheck();
    void CycleStep();
    bool ApplicationMessageHook(TMessage& message);
    void HideApplicationWindow();
    TWinControl* WindowedOwner() const;
    void HookOwnerMessages();
    void UnhookOwnerMessages();
    // A message of the owner's window; true when it is finished here (with
    // its result).
    bool OwnerWindowProc(TWinControl* owner, TMessage& message);
    bool TryMinimizeToTray();

    bool FEnabled = true;
    std::unique_ptr<TIcon> FIcon;
    UINT FIconId = 0;
    bool FIconVisible = false;
    // The shell took the icon (a successful add) and has not removed it since.
    bool FInTray = false;
    std::string FHint;
    bool FShowHint = true;
    TPopupMenu* FPopupMenu = nullptr;
    bool FLeftPopup = false;
    bool FMinimizeToTray = false;
    bool FLeftButtonDown = false;
    bool FClickPending = false;
    std::unique_ptr<TSimpleTimer> FIconCycleTimer;
    std::unique_ptr<TSimpleTimer> FDoubleClickTimer;
    std::unique_ptr<TSimpleTimer> FLeaveTimer;
    TPoint FLastMousePos{};
    bool FMouseOutside = true;
    bool FWantEnterExitEvents = false;
    bool FDoubleClickSeen = false;
    int FIconIndex = 0;
    bool FDesignPreview = false;
    TImageList* FIconList = nullptr;
    bool FCycleIcons = false;
    uint32_t FCycleInterval = 0;
    TApplication* FApplication = nullptr;
    int FHookCookie = 0;
    NOTIFYICONDATAA FData{};
};
