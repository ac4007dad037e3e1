// main.h - the main window: its pages, buttons and settings, the scan road,
// repair, backup and restore, the notification-area icon, help and languages.
//
//   TfrmMain      the main window; its controls are public fields named as the
//                 skin file and the language file name them
//   WM_AFTERCREATE  the message the window posts itself when it is made
//
// The window is split by concern: main.cpp is the frame (creation, the posted
// start message, closing, page switching), MainControls.cpp builds the
// controls as the window is designed, MainOverview.cpp the overview and
// settings pages, MainScan.cpp the scan road and the results tree,
// MainRescue.cpp repair, backup and restore, MainTray.cpp the notification
// area, help and links, MainLanguage.cpp the window's texts and the
// Languages menu.
//
// The core library pumps the window's messages inside its long calls, so the
// handlers here run nested inside a scan, a backup, a repair or a restore.
// One busy state (EngineWork.h) keeps them from starting anything meanwhile.
#pragma once

#include <app/EngineWork.h>
#include <app/ScanResults.h>
#include <app/TBSkiner.h>
#include <classlib/ActnList.h>
#include <classlib/ComCtrls.h>
#include <classlib/ExtCtrls.h>
#include <classlib/Forms.h>
#include <classlib/ImgList.h>
#include <classlib/Menus.h>
#include <classlib/StdCtrls.h>
#include <tresk.h>
#include <widgets/buttons/CheckBox.h>
#include <widgets/pages/PageControlEx.h>
#include <widgets/panels/ImagePanel.h>
#include <widgets/panels/WindowSkin.h>
#include <widgets/picbuttons/PicButton.h>
#include <widgets/progress/ProgressBar.h>
#include <widgets/tray/TrayIcon.h>
#include <widgets/tree/VirtualTrees.h>

#include <array>
#include <exception>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Posted by the window to itself at the end of its creation; handled once the
// message loop runs, after the splash window is gone.
inline constexpr UINT WM_AFTERCREATE = WM_USER + 1;

// One category of the scan: its flag, its check box and its icon on the
// progress page, in scan order.
struct TScanCategory {
    uint32_t Flag;
    TKitCheckBox* CheckBox;
    TImage* ResultIcon;
};

class TfrmMain : public TForm {
public:
    explicit TfrmMain(TComponent* owner);
    ~TfrmMain() override;

    // --- The window's frame ----------------------------------------------------------
    TWindowSkin* WindowSkin;
    TPicButton* btnMin;
    TPicButton* btnHelp;
    TPicButton* btnClose;
    TPicButton* btnTopOverview;
    TPicButton* btnTopRegistryScan;
    TPicButton* btnTopSettings;
    TPicButton* btnTopRestore;
    TImagePanel* ImagePanelMain;
    TPageControlEx* PageControlExMain;

    // --- Page 0: Overview ---------------------------------------------------------------
    TTabSheet* TabSheetOverview;
    TImagePanel* ImagePanelOverview;
    TLabel* labSystemOverview;
    TLabel* labInRed;
    TLabel* labLastScan;
    TLabel* labLastScanDetail;
    TLabel* labScanResults;
    TLabel* labScanResultsDetail;
    TLabel* labLastRegistryDefrag;
    TLabel* labLastRegistryDefragDetail;
    TLabel* labRegistryBackup;
    TLabel* labRegistryBackupDetail;
    TLabel* labInvalidRegistryEntriesFound;
    TLabel* labRegistryErrorFixed;
    TPicButton* btnStartScan;
    TPicButton* btnDefragRegistry;
    TPicButton* btnSettings;

    // --- Page 1: Scan, with its four sub-pages --------------------------------------------
    TTabSheet* TabSheetRegistryScan;
    TImagePanel* ImagePanelRegistryScan;
    TPicButton* btnRegistryScanScan;
    TPicButton* btnRegistryScanResults;
    TPicButton* btnRegistryDefrag;
    TPageControlEx* PageControlExRegistryScan;

    TTabSheet* TabSheetRegistryScanScan;
    TImagePanel* ImagePanelRegistryScanScan;
    TLabel* labRegistryScan;
    TLabel* labScanLastScan;
    TLabel* labScanLastScanDateTimeDetail;
    TLabel* labScanLastScanFoundFixDetail;
    TLabel* LabelPleaseSelect;
    TKitCheckBox* CheckBoxComplete;
    TKitCheckBox* CheckBoxCOM;
    TKitCheckBox* CheckBoxApplicationPaths;
    TKitCheckBox* CheckBoxFileTypes;
    TKitCheckBox* CheckBoxFonts;
    TKitCheckBox* CheckBoxHelpFiles;
    TKitCheckBox* CheckBoxHistoryLists;
    TKitCheckBox* CheckBoxSharedFiles;
    TKitCheckBox* CheckBoxShortcuts;
    TKitCheckBox* CheckBoxSoftware;
    TKitCheckBox* CheckBoxSounds;
    TKitCheckBox* CheckBoxStartup;
    TKitCheckBox* CheckBoxStartMenu;
    TPicButton* btnStartScanNow;

    TTabSheet* TabSheetRegistryScanResults;
    TImagePanel* ImagePanelRegistryScanResults;
    TLabel* LabelScanResult;
    TVirtualStringTree* VT;
    TLabel* LabelCheckAll;
    TLabel* LabelUncheckAll;
    TPicButton* btnCreateBackup;
    TPicButton* btnRepairRegistry;

    TTabSheet* TabSheetRegistryScanDefrag;
    TImagePanel* ImagePanelRegistryScanDefrag;
    TLabel* labRegistryDefrag;
    TLabel* labRegistryDefragDetail;
    TLabel* LabelLastDefrag;
    TLabel* labRegistryDefragLastTimeDetail;
    TPicButton* btnDefagRegistry;

    TTabSheet* TabSheetRegistryScanPross;
    TImagePanel* ImagePanelRegistryScanPross;
    TLabel* LabelScanning;
    TLabel* LabelErrorFound;
    TKitProgressBar* ProgressBarRegistryScan;
    TLabel* LabelFenwarpStatus;  // the status line: the entry being tested
    TImage* ResultIconCOM;
    TImage* ResultIconApplicationPaths;
    TImage* ResultIconFileTypes;
    TImage* ResultIconFonts;
    TImage* ResultIconHelpFiles;
    TImage* ResultIconHistoryLists;
    TImage* ResultIconSharedFiles;
    TImage* ResultIconShortcuts;
    TImage* ResultIconSoftware;
    TImage* ResultIconSounds;
    TImage* ResultIconStartup;
    TImage* ResultIconStartMenu;
    TLabel* LabelActiveX;
    TLabel* LabelAppPaths;
    TLabel* LabelFileTypes;
    TLabel* LableFonts;
    TLabel* LableHelpFiles;
    TLabel* LabelHistoryLists;
    TLabel* LabelSharedFiles;
    TLabel* LabelShortcuts;
    TLabel* LabelSoftware;
    TLabel* LabelSounds;
    TLabel* LabelStartup;
    TLabel* LabelStartMenu;
    // Hidden; they only lend their pictures to the result icons.
    TImage* ImageProessing;
    TImage* ImageV;
    TPicButton* ButtonStopScan;

    // --- Page 2: Settings -----------------------------------------------------------------
    TTabSheet* TabSheetSettings;
    TImagePanel* ImagePanelSettings;
    TPicButton* btnSettingsGeneral;
    TPageControlEx* PageControlExSettings;
    TTabSheet* TabSheerSettingsGeneral;
    TImagePanel* ImagePanelSettingsGeneral;
    TLabel* labSettingsGeneralSettings;
    TKitCheckBox* chkSettingsStartWhenSystemBoos;
    TKitCheckBox* chkSettingsStartScanWhenStarts;
    TKitCheckBox* chkSettingsStartMin;
    TKitCheckBox* chkSettingsConfirmBackup;
    TPicButton* btnDefault;
    TPicButton* btnApply;

    // --- Page 3: Restore ------------------------------------------------------------------
    TTabSheet* TabSheetRestrore;
    TImagePanel* ImagePanelRestore;
    TPicButton* btnTabSheetRestoreRegistry;
    TPageControlEx* PageControlExTabSheetRestoreRegistry;
    TTabSheet* TabSheetRestoreRegistry;
    TImagePanel* ImagePanelRestoreRegistry;
    TLabel* labTabSheetRestoreRegistry;
    TLabel* labTabSheetRestoreRegistryDetail;
    TListView* ListViewRescueItem;
    TPicButton* btnRestoreBackup;
    TPicButton* btnDeleteRestore;

    // --- Page 4: About --------------------------------------------------------------------
    TTabSheet* TabSheetOtherInfo;
    TImagePanel* ImagePanelOtherInfo;
    TPicButton* btnTabSheetAbout;
    TLabel* labAppName;
    TLabel* labAppVersion;
    TLabel* labCopyright;
    TLabel* labHomePage;
    TLabel* labSupportMail;
    TLabel* labGUIBy;
    TLabel* labOstrel;
    TLabel* labCopyRightWarning;

    // --- Without a place on the screen ----------------------------------------------------
    TTrayIcon* TrayIcon;
    TTimer* Timer;
    TImageList* ImageList;
    TImageList* ImageListRescue;
    TImageList* imgMaster;
    TActionList* ActionList;
    TAction* ActionMin;
    TAction* ActionHelp;
    TAction* ActionClose;
    TAction* ActionAbout;
    TAction* ActionStartScanNow;
    TAction* ActionHelpContent;
    TAction* ActionQuickStart;
    TAction* ActionOnlineResources;
    TAction* ActionContactTechnicalSupport;
    TPopupMenu* PopupMenuHelp;
    TMenuItem* MenuHelpContent;
    TMenuItem* MenuQuickStart;
    TMenuItem* LanguagesMI;
    TMenuItem* MenuOnlineResources;
    TMenuItem* MenuContactTechnicalSupport;
    TMenuItem* MenuAbout;

    // --- The frame (main.cpp) -------------------------------------------------------------
    void FormCreate(TObject* sender);
    // A close asked for while the core library works waits until the road
    // under way is over (a scan is stopped first), and then closes once.
    void FormCloseQuery(TObject* sender, bool& canClose);
    void FormClose(TObject* sender, TCloseAction& action);
    void WMAfterCreate();
    // Shows top page topPage (0 Overview ... 4 About) with the given sub-pages of
    // the scan, settings and restore pages; nothing while the window is busy.
    void SwitchPage(int topPage, int scanSubPage, int settingsSubPage, int restoreSubPage);
    void btnTopOverviewClick(TObject* sender);
    void btnTopRegistryScanClick(TObject* sender);
    void btnRegistryScanScanClick(TObject* sender);
    void btnRegistryScanResultsClick(TObject* sender);
    void btnRegistryDefragClick(TObject* sender);
    void btnDefragRegistryClick(TObject* sender);
    void btnTopSettingsClick(TObject* sender);
    void btnSettingsClick(TObject* sender);
    void btnTopRestoreClick(TObject* sender);
    void btnTabSheetAboutClick(TObject* sender);
    void ActionCloseExecute(TObject* sender);
    void ActionAboutExecute(TObject* sender);
    void TabSheetOverviewShow(TObject* sender);
    void TabSheetRegistryScanScanShow(TObject* sender);
    void TabSheetRegistryScanDefragShow(TObject* sender);
    void TabSheetRegistryScanProssShow(TObject* sender);
    void TabSheetRestroreShow(TObject* sender);

    // --- Overview and settings (MainOverview.cpp) -----------------------------------------
    void RefreshOverview();
    void LoadPagesFromSettings();
    void StoreScanBoxesInSettings();
    void UpdateCompleteScanBox();
    void CheckBoxCOMClick(TObject* sender);
    void CheckBoxCompleteClick(TObject* sender);
    void btnDefaultClick(TObject* sender);
    void btnApplyClick(TObject* sender);
    void btnDefagRegistryClick(TObject* sender);

    // --- The scan road and the results tree (MainScan.cpp) --------------------------------
    void ActionStartScanNowExecute(TObject* sender);
    void btnStartScanClick(TObject* sender);
    void ScanOneCategory(uint32_t flag, bool notSelected);
    void ButtonStopScanClick(TObject* sender);
    void TimerTimer(TObject* sender);
    // The OnScanEntry callback handed to the core library: every tested entry
    // of a scan, valid or not, for the window that is the application's
    // main window. 30 for an absent entry, else 0.
    static int WINAPI ScanEntryCallback(ScanEntry* entry, double percent);
    // Takes an invalid entry into the results with the row that shows it.
    void AddResult(const ScanEntry& reported);
    void VTGetNodeDataSize(TBaseVirtualTree* sender, int& nodeDataSize);
    void VTInitNode(TBaseVirtualTree* sender, PVirtualNode node);
    void VTGetText(TBaseVirtualTree* sender, PVirtualNode node, TColumnIndex column,
                   TVSTTextType textType, std::string& cellText);
    void VTGetImageIndex(TBaseVirtualTree* sender, PVirtualNode node, TVTImageKind kind,
                         TColumnIndex column, bool& ghosted, int& imageIndex);
    void VTFocusChanging(TBaseVirtualTree* sender, PVirtualNode oldNode, PVirtualNode newNode,
                         bool& allowed);
    // A row's check box is not changed while the window is busy.
    void VTChecking(TBaseVirtualTree* sender, PVirtualNode node, TCheckState newState,
                    bool& allowed);
    void LabelCheckAllClick(TObject* sender);
    void LabelUncheckAllClick(TObject* sender);

    // --- Repair, backup and restore (MainRescue.cpp) --------------------------------------
    void btnRepairRegistryClick(TObject* sender);
    void btnCreateBackupClick(TObject* sender);
    void btnRestoreBackupClick(TObject* sender);
    void btnDeleteRestoreClick(TObject* sender);
    void FillRescueList();
    void ClearResultsTree();
    // Selects row index (the last row when index is past it), shows and focuses it.
    void SelectListViewRow(TListView* listView, int index);

    // --- Notification area, help and links (MainTray.cpp) ---------------------------------
    void ActionMinExecute(TObject* sender);
    void TrayIconDblClick(TObject* sender);
    void ActionHelpExecute(TObject* sender);
    void ActionHelpContentExecute(TObject* sender);
    void ActionQuickStartExecute(TObject* sender);
    void ActionOnlineResourcesExecute(TObject* sender);
    void ActionContactTechnicalSupportExecute(TObject* sender);
    void labHomePageClick(TObject* sender);
    void labSupportMailClick(TObject* sender);
    void labOstrelClick(TObject* sender);

    // --- Texts and languages (MainLanguage.cpp) -------------------------------------------
    void ApplyLanguageTexts();
    void BuildLanguagesMenu();
    void AddLanguageMenuItem(const std::string& baseName);
    void LanguageMenuItemClick(TObject* sender);

    // The twelve categories in scan order (Startup before Start Menu).
    const std::array<TScanCategory, 12>& ScanCategories() const { return FScanCategories; }
    // The category boxes in the order of their settings keys.
    std::array<TKitCheckBox*, 12> CategoryBoxes() const;

    // What the window has the core library doing.
    const TEngineWorkState& Work() const { return FWork; }
    // The current scan's entries, each with its row of the results tree.
    const TScanResults& Results() const { return FResults; }

    // The window's private state, shared by its parts.
    TImage* BlinkingIcon = nullptr;
    bool ScanStopped = false;
    std::unique_ptr<SkinerDLL> SkinObject;

protected:
    void WndProc(TMessage& message) override;

private:
    enum class TRescueOutcome { NothingToDo, Done, Failed };
    // What a backup or a repair of the checked rows came to.
    struct TRescueResult {
        TRescueOutcome Outcome = TRescueOutcome::NothingToDo;
        uint32_t Error = 0;      // the core library's error, when it failed
        uint32_t Selected = 0;   // the entries handed over, when it did its work
        uint32_t Remaining = 0;  // of those, the ones the registry still holds
    };

    // main.cpp
    // Closes the window when a close was asked for during the road that just
    // ended; true then.
    bool CloseIfRequested();
    // MainScan.cpp
    void RunScan();
    void ShowScanSummary();
    void ShowScanOutcomePage();
    void StopScan();
    void EntryReported(const ScanEntry& entry, double percent);
    // MainRescue.cpp
    using TRescueCallFunction = uint32_t(WINAPI*)(SelectedEntry* first, uint32_t count);
    // Hands the checked rows to a core-library call.
    TRescueResult HandOverSelection(TRescueCallFunction call, bool countRemaining);
    TRescueResult CleanSelectedEntries();
    TRescueResult BackupSelectedEntries();
    // Backs the checked rows up and says how it went; false when it failed,
    // after the message failureText (with the error) said so.
    bool CreateBackup(const std::string& failureText);
    // The repair road inside its busy state; true when the results tree is
    // to be emptied and the overview shown.
    bool RepairCheckedRows();
    void RestoreSelectedRescue();
    void DeleteSelectedRescues();
    // Deletes the rescue items of the given rows, highest row first, and
    // selects the row that took the place of the lowest.
    void DeleteRescueRows(const std::vector<int>& rows);
    RescueNode* RescueNodeAt(int index) const;
    int RescueRowOf(const RescueNode* node) const;
    void DeleteRescueAt(int index);

    // MainControls.cpp
    void CreateControls();
    void CreateFrame();
    void CreateOverviewPage();
    void CreateScanPage();
    void CreateScanChoicePage(TTabSheet* sheet);
    void CreateResultsPage(TTabSheet* sheet);
    void CreateDefragPage(TTabSheet* sheet);
    void CreateProgressPage(TTabSheet* sheet);
    void CreateSettingsPage();
    void CreateRestorePage();
    void CreateAboutPage();
    void CreateComponents();
    void ConnectEvents();

    std::array<TScanCategory, 12> FScanCategories{};
    TEngineWorkState FWork;
    TScanResults FResults;
    // An error raised while the core library reported an entry.
    std::exception_ptr FCallbackError;
};

// The main window while it exists (the core library's callback reaches it
// through this), else nullptr.
extern TfrmMain* frmMain;
