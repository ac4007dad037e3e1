// MainRescue.cpp - what the window does with the results and the rescue
// items: Repair Registry and Create Backup hand the checked rows to the core
// library; the Restore page lists the rescue items and restores or deletes
// them.
//
// The core library pumps the window's messages while it works, so a second
// click on one of these buttons would run inside the first; it is ignored
// instead. A backup or repair the core library could not do is reported as
// such, with nothing counted and the rows kept; a restore that failed keeps
// its rescue item, the only copy of what it holds.
#include <app/TBLanguager.h>
#include <app/TreskBinding.h>
#include <app/globals.h>
#include <app/main.h>
#include <classlib/SysUtils.h>

#include <vector>

namespace {

constexpr const char* RescueDateFormat = "dddd, mmmm dd, yyyy - tt";

// The window's rescue call while it runs: the second one is refused.
class TRescueCall {
public:
    explicit TRescueCall(bool& running) : FRunning(running), FEntered(!running) { FRunning = true; }
    ~TRescueCall() {
        if (FEntered) FRunning = false;
    }
    TRescueCall(const TRescueCall&) = delete;
    TRescueCall& operator=(const TRescueCall&) = delete;
    bool Entered() const { return FEntered; }

private:
    bool& FRunning;
    bool FEntered;
};

bool Checked(TBaseVirtualTree* tree, PVirtualNode node) {
    const TCheckState state = tree->CheckState(node);
    return state != csUncheckedNormal && state != csUncheckedPressed;
}

// The SelectedEntry list of one core-library call, freed with it: one node
// per checked row, in row order, each pointing at the row's copy in
// FoundEntries.
class TSelection {
public:
    TSelection(TBaseVirtualTree* tree) {
        ScanEntry* entry = FoundEntries.Head;
        for (PVirtualNode node = tree->GetFirst(); node && entry;
             node = tree->GetNext(node), entry = entry->next) {
            if (!Checked(tree, node)) continue;
            FNodes.push_back({static_cast<int32_t>(FNodes.size()), entry, nullptr});
        }
        for (size_t i = 1; i < FNodes.size(); ++i) FNodes[i - 1].next = &FNodes[i];
    }
    SelectedEntry* First() { return FNodes.empty() ? nullptr : &FNodes.front(); }
    uint32_t Count() const { return static_cast<uint32_t>(FNodes.size()); }

private:
    std::vector<SelectedEntry> FNodes;
};

void ShowRescueFailure(const char* text, uint32_t error) {
    ShowMessageBox(Format(text, {error}), LanguageTexts["RescueFailedTitle"], MB_ICONERROR);
}

}  // namespace

// --- Repair and backup -------------------------------------------------------------------

// Nothing to hand over without rows; a failure only counts for a selection
// that held something.
TfrmMain::TRescueOutcome TfrmMain::HandOverSelection(TRescueCallFunction call, uint32_t* selected) {
    *selected = 0;
    if (!FoundEntries.Head || VT->RootNodeCount() == 0) return TRescueOutcome::NothingToDo;
    TSelection selection(VT);
    const uint32_t result = call(selection.First(), selection.Count());
    if (selection.Count() > 0 && result != ERROR_SUCCESS) {
        FLastRescueError = result;
        return TRescueOutcome::Failed;
    }
    *selected = selection.Count();
    return TRescueOutcome::Done;
}

TfrmMain::TRescueOutcome TfrmMain::CleanSelectedEntries() {
    uint32_t selected = 0;
    const TRescueOutcome outcome = HandOverSelection(TrkClean, &selected);
    AppSettings.RegistryErrorsFixedToDate += static_cast<int32_t>(selected);
    return outcome;
}

TfrmMain::TRescueOutcome TfrmMain::BackupSelectedEntries() {
    uint32_t selected = 0;
    return HandOverSelection(TrkBackup, &selected);
}

void TfrmMain::btnRepairRegistryClick(TObject*) {
    TRescueCall call(FRescueCallRunning);
    if (!call.Entered()) return;
    unsigned checked = 0;
    for (PVirtualNode node = VT->GetFirst(); node; node = VT->GetNext(node))
        if (Checked(VT, node)) ++checked;
    if (AppSettings.ConfirmBackups &&
        ShowMessageBox(
            Format(LanguageTexts["ConfirmBackup"], {AppSettings.LastScanResult, checked}),
            ProductName, MB_YESNO | MB_ICONQUESTION) == IDYES)
        CreateBackup();
    TRescueOutcome outcome;
    {
        TBusyCursor busy;
        outcome = CleanSelectedEntries();
    }
    const TLanguageTexts& t = LanguageTexts;
    if (outcome == TRescueOutcome::Failed)
        return ShowRescueFailure(t["RepairFailed"].c_str(), FLastRescueError);
    ShowMessageBox(t["RepairingComplete"], t["RepairingCompleteTitle"], MB_ICONQUESTION);
    ClearResultsTree();
    SwitchPage(0, 0, 0, 0);
}

void TfrmMain::btnCreateBackupClick(TObject*) {
    TRescueCall call(FRescueCallRunning);
    if (call.Entered()) CreateBackup();
}

void TfrmMain::CreateBackup() {
    TRescueOutcome outcome;
    {
        TBusyCursor busy;
        outcome = BackupSelectedEntries();
    }
    const TLanguageTexts& t = LanguageTexts;
    if (outcome == TRescueOutcome::Failed)
        return ShowRescueFailure(t["BackupFailed"].c_str(), FLastRescueError);
    AppSettings.LastRegistryBackupDateTime = CurrentDateTimeText();
    ShowMessageBox(t["CreateBackUp"], t["BackupCompleteTitle"], MB_ICONQUESTION);
}

void TfrmMain::ClearResultsTree() { VT->Clear(); }

// --- The Restore page --------------------------------------------------------------------

void TfrmMain::TabSheetRestroreShow(TObject*) {
    Application->ProcessMessages();
    FillRescueList();
}

// The lists the core library hands out are kept for the life of the
// process: its one release call frees every list it has handed out at once,
// the one the rows designate included, and a read that finds nothing keeps
// the rows and so their list. Each is one small node per rescue item.
void TfrmMain::FillRescueList() {
    RescueNode* list = TrkAllocRescueItems(AppEngineConfig.rescueIndexPath);
    if (!list) return;
    RescueItems = list;
    TListItems* rows = ListViewRescueItem->Items();
    rows->BeginUpdate();
    rows->Clear();
    for (RescueNode* node = list; node; node = node->next) {
        std::string date;
        try {
            date = FormatDateTime(RescueDateFormat, FileTimeToDateTime(node->item->created));
        } catch (const EConvertError&) {
            // A section name the index holds by hand may give no date at all.
        }
        TListItem* row = rows->Add();
        row->SetCaption(Format(LanguageTexts["RescueItem"], {date, node->item->count}));
        row->SetImageIndex(0);
    }
    rows->EndUpdate();
}

void TfrmMain::btnRestoreBackupClick(TObject*) {
    TRescueCall call(FRescueCallRunning);
    if (!call.Entered()) return;
    bool failed = false;
    {
        TBusyCursor busy;
        TListItem* selected = ListViewRescueItem->Selected();
        RescueNode* node = selected ? RescueNodeAt(selected->Index()) : nullptr;
        if (node) failed = TrkRestoreRescue(node->item) == 0;
        if (!failed) DeleteSelectedRescues();
    }
    const TLanguageTexts& t = LanguageTexts;
    if (failed) {
        ShowMessageBox(t["RestoreFailed"], t["RescueFailedTitle"], MB_ICONERROR);
        return;
    }
    ShowMessageBox(t["BackupComplete"], t["BackupCompleteTitle"], MB_ICONQUESTION);
}

void TfrmMain::btnDeleteRestoreClick(TObject*) {
    TRescueCall call(FRescueCallRunning);
    if (call.Entered()) DeleteSelectedRescues();
}

void TfrmMain::DeleteSelectedRescues() {
    TListItems* rows = ListViewRescueItem->Items();
    if (!ListViewRescueItem->Selected()) return;
    int lowest = -1;
    rows->BeginUpdate();
    for (int index = rows->Count() - 1; index >= 0; --index) {
        if (!rows->Item(index)->Selected()) continue;
        rows->Delete(index);
        DeleteRescueAt(index);
        lowest = index;
    }
    rows->EndUpdate();
    SelectListViewRow(ListViewRescueItem, lowest);
}

RescueNode* TfrmMain::RescueNodeAt(int index) const {
    RescueNode* node = RescueItems;
    for (int i = 0; node && i < index; ++i) node = node->next;
    return node;
}

// Row i keeps designating node i: the node goes out of the list with its row.
void TfrmMain::DeleteRescueAt(int index) {
    RescueNode** link = &RescueItems;
    for (int i = 0; *link && i < index; ++i) link = &(*link)->next;
    RescueNode* node = *link;
    if (!node) return;
    TrkDeleteRescue(node->item, AppEngineConfig.rescueIndexPath);
    *link = node->next;
}

void TfrmMain::SelectListViewRow(TListView* listView, int index) {
    TListItems* rows = listView->Items();
    if (rows->Count() == 0) return;
    for (int i = 0; i < rows->Count(); ++i) rows->Item(i)->SetSelected(false);
    if (index < 0 || index >= rows->Count()) index = rows->Count() - 1;
    rows->Item(index)->MakeVisible(false);
    rows->Item(index)->SetSelected(true);
    rows->Item(index)->SetFocused(true);
}
