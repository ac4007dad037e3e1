// TrayIcon.cpp - the notification-area icon's life (construction, loading,
// the components it refers to) and its properties, image cycling among them.
#include "TrayIcon.h"

#include <algorithm>
#include <utility>

namespace {

constexpr uint32_t LeaveCheckInterval = 20;
constexpr uint32_t DefaultTimerInterval = 1000;

}  // namespace

// --- Life -----------------------------------------------------------------------------

TTrayIcon::TTrayIcon(TComponent* owner)
    : TComponent(owner),
      FIcon(std::make_unique<TIcon>()),
      FIconId(TTrayIconHandler::AcquireTrayWindow(this)),
      FApplication(Application) {
    FIcon->OnChange = [this](TObject*) { UpdateTrayEntry(); };
    SetUpIconData();
    FIconCycleTimer =
        std::make_unique<TSimpleTimer>(DefaultTimerInterval, [this](TObject*) { CycleStep(); });
    FDoubleClickTimer = std::make_unique<TSimpleTimer>(DefaultTimerInterval,
                                                       [this](TObject*) { ClickDelayElapsed(); });
    FLeaveTimer =
        std::make_unique<TSimpleTimer>(LeaveCheckInterval, [this](TObject*) { LeaveCheck(); });
    if (FApplication) {
        FApplication->FreeNotification(this);
        FHookCookie = FApplication->HookMainWindow(
            [this](TMessage& message) { return ApplicationMessageHook(message); });
    }
    HookOwnerMessages();
}

TTrayIcon::~TTrayIcon() {
    SetIconVisible(false);
    FIconCycleTimer.reset();
    FDoubleClickTimer.reset();
    FLeaveTimer.reset();
    FIcon.reset();
    if (FApplication) FApplication->UnhookMainWindow(FHookCookie);
    UnhookOwnerMessages();
    TTrayIconHandler::ReleaseTrayWindow(this);
}

void TTrayIcon::Loaded() {
    TComponent::Loaded();
    if (WindowedOwner()) {
        bool showMainForm = true;
        if (OnStartup) OnStartup(this, showMainForm);
        if (!showMainForm) {
            if (Application) Application->SetShowMainForm(false);
            HideMainForm();
        }
    }
    UpdateTrayEntry();
    SetIconVisible(FIconVisible);
    SetCycleIcons(FCycleIcons);
    SetWantEnterExitEvents(FWantEnterExitEvents);
    // The first notification style: plain mouse messages as the second
    // parameter of the callback (the style an icon added later starts with).
    FData.uVersion = 0;
    if (FInTray) ShellCall(NIM_SETVERSION);
}

void TTrayIcon::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == FIconList) {
        FIconList = nullptr;
        SetIconList(nullptr);
    }
    if (component == FPopupMenu) FPopupMenu = nullptr;
    if (component == FApplication) FApplication = nullptr;
}

// --- Properties ------------------------------------------------------------------------------

void TTrayIcon::SetIconVisible(bool value) {
    if (value)
        AddTrayEntry();
    else
        RemoveTrayEntry();
}

void TTrayIcon::ReplaceIcon(const std::function<void()>& replace) {
    TNotifyEvent onChange = std::exchange(FIcon->OnChange, nullptr);
    try {
        replace();
    } catch (...) {
        FIcon->OnChange = std::move(onChange);
        throw;
    }
    FIcon->OnChange = std::move(onChange);
}

void TTrayIcon::SetIcon(const TIcon* value) {
    ReplaceIcon([&] { FIcon->Assign(value); });
    UpdateTrayEntry();
}

void TTrayIcon::SetHint(const std::string& value) {
    if (value == FHint) return;
    FHint = value;
    UpdateTrayEntry();
}

void TTrayIcon::SetShowHint(bool value) {
    if (value == FShowHint) return;
    FShowHint = value;
    UpdateTrayEntry();
}

void TTrayIcon::SetIconIndex(int value) {
    if (FIconList) {
        FIconIndex = std::max(0, std::min(value, FIconList->Count() - 1));
        ReplaceIcon([this] { FIconList->GetIcon(FIconIndex, FIcon.get()); });
    } else {
        FIconIndex = 0;
    }
    UpdateTrayEntry();
}

void TTrayIcon::SetIconList(TImageList* value) {
    if (FIconList && FIconList != value) FIconList->RemoveFreeNotification(this);
    FIconList = value;
    if (value) value->FreeNotification(this);
    SetIconIndex(0);
}

void TTrayIcon::SetCycleIcons(bool value) {
    FCycleIcons = value;
    if (!value) return FIconCycleTimer->SetEnabled(false);
    SetIconIndex(0);
    FIconCycleTimer->SetInterval(FCycleInterval);
    FIconCycleTimer->SetEnabled(true);
}

void TTrayIcon::SetCycleInterval(uint32_t value) {
    FCycleInterval = value;
    SetCycleIcons(FCycleIcons);
}

void TTrayIcon::SetPopupMenu(TPopupMenu* value) {
    if (value == FPopupMenu) return;
    if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = value;
    if (value) value->FreeNotification(this);
}

void TTrayIcon::SetWantEnterExitEvents(bool value) {
    FWantEnterExitEvents = value;
    FLeaveTimer->SetEnabled(value);
}

void TTrayIcon::CycleStep() {
    if (!FIconList) return;
    ReplaceIcon([this] { FIconList->GetIcon(FIconIndex, FIcon.get()); });
    const int next = FIconIndex < FIconList->Count() - 1 ? FIconIndex + 1 : 0;
    FireCycle(next);
    SetIconIndex(next);
}

void TTrayIcon::FireCycle(int nextIndex) {
    if (OnCycle) OnCycle(this, nextIndex);
}
