// MainRescue.cpp - what the window does with the results and the rescue
// items: Repair Registry and Create Backup hand the checked rows to the core
// library; the Restore page lists the rescue items and restores or deletes
// them.
//
// The core library pumps the window's messages while it works; the window's
// busy state keeps every click meanwhile from starting anything (main.cpp).
// A button with nothing to act on (no checked row, no selected item) does
// nothing and says nothing. A backup or repair the core library could not do
// is reported as such, with nothing counted and the rows kept; a repair
// counts only the entries that are gone from the registry afterwards; a
// restore that could not write its item back whole (a damaged file, a key
// the registry refused) keeps its rescue item, the only copy of what it
// holds, and one that did deletes the item it restored, whatever row is
// selected by then.
#include <app/TBLanguager.h>
#include <app/TreskBinding.h>
#include <app/globals.h>
#include <app/main.h>
#include <classlib/SysUtils.h>

#include <algorithm>
#include <vector>

namespace {

// Whether a backup or a repair acts on the row: it is checked and shows an entry.
bool Selected(TBaseVirtualTree* tree, PVirtualNode node, const TScanResults& results) {
    const TCheckState state = tree->CheckState(node);
    return static_cast<int>(node->Index()) < results.Count() && state != csUncheckedNormal &&
           state != csUncheckedPressed;
}

unsigned CheckedRows(TBaseVirtualTree* tree, const TScanResults& results) {
    unsigned checked = 0;
    for (PVirtualNode node = tree->GetFirst(); node; node = tree->GetNext(node))
        if (Selected(tree, node, results)) ++checked;
    return checked;
}

// The SelectedEntry list of one core-library call, freed with it: one node
// per checked row, in row order, each pointing at the row's own entry.
class TSelection {
public:
    TSelection(TBaseVirtualTree* tree, TScanResults& results) {
        for (PVirtualNode node = tree->GetFirst(); node; node = tree->GetNext(node)) {
            if (!Selected(tree, node, results)) continue;
            FNodes.push_back({static_cast<int32_t>(FNodes.size()),
                              results.At(static_cast<int>(node->Index())).EntryForCore(), nullptr});
        }
        for (size_t i = 1; i < FNodes.size(); ++i) FNodes[i - 1].next = &FNodes[i];
    }
    SelectedEntry* First() { return FNodes.empty() ? nullptr : &FNodes.front(); }
    uint32_t Count() const { return static_cast<uint32_t>(FNodes.size()); }
    // The selected entries the registry still holds.
    uint32_t StillInRegistry() const {
        return static_cast<uint32_t>(std::count_if(
            FNodes.begin(), FNodes.end(),
            [](const SelectedEntry& node) { return RegistryStillHolds(*node.entry); }));
    }

private:
    std::vector<SelectedEntry> FNodes;
};

void ShowRescueFailure(const std::string& text, uint32_t error) {
    ShowMessageBox(Format(text, {error}), LanguageTexts["RescueFailedTitle"], MB_ICONERROR);
}

}  // namespace

// --- Repair and backup -------------------------------------------------------------------

// Nothing to hand over without a checked row.
TfrmMain::TRescueResult TfrmMain::HandOverSelection(TRescueCallFunction call, bool countRemaining) {
    TRescueResult result;
    TSelection selection(VT, FResults);
    if (selection.Count() == 0) return result;
    const uint32_t error = call(selection.First(), selection.Count());
    if (error != ERROR_SUCCESS) {
        result.Outcome = TRescueOutcome::Failed;
        result.Error = error;
        return result;
    }
    result.Outcome = TRescueOutcome::Done;
    result.Selected = selection.Count();
    if (countRemaining) result.Remaining = selection.StillInRegistry();
    return result;
}

// An entry the core library could not remove (a key that still has subkeys,
// a value the user may not change) is not counted as fixed.
TfrmMain::TRescueResult TfrmMain::CleanSelectedEntries() {
    const TRescueResult result = HandOverSelection(TrkClean, true);
    AppSettings.RegistryErrorsFixedToDate +=
        static_cast<int32_t>(result.Selected - result.Remaining);
    return result;
}

TfrmMain::TRescueResult TfrmMain::BackupSelectedEntries() {
    return HandOverSelection(TrkBackup, false);
}

// With no checked row there is nothing to repair or back up: no question,
// no message, no date or counter, and the rows stay.
void TfrmMain::btnRepairRegistryClick(TObject*) {
    if (CheckedRows(VT, FResults) == 0) return;
    bool repaired = false;
    {
        TEngineWorkScope work(FWork, TEngineWork::Repair);
        repaired = RepairCheckedRows();
    }
    if (CloseIfRequested() || !repaired) return;
    SwitchPage(mpOverview);
}

// A close asked for meanwhile lets the call under way finish and starts no
// other: no deletes after a backup the user closed the window during. The
// messages of what went well are left out before a close, failures are not.
bool TfrmMain::RepairCheckedRows() {
    const TLanguageTexts& t = LanguageTexts;
    const unsigned checked = CheckedRows(VT, FResults);
    if (AppSettings.ConfirmBackups &&
        ShowMessageBox(Format(t["ConfirmBackup"], {AppSettings.LastScanResult, checked}),
                       ProductName, MB_YESNO | MB_ICONQUESTION) == IDYES) {
        // A backup that failed stops the repair: nothing is deleted unsaved.
        if (FWork.CloseRequested() || !CreateBackup(t["RepairBackupFailed"])) return false;
    }
    if (FWork.CloseRequested()) return false;
    TRescueResult result;
    {
        TBusyCursor busy;
        result = CleanSelectedEntries();
    }
    if (result.Outcome == TRescueOutcome::Failed) {
        ShowRescueFailure(t["RepairFailed"], result.Error);
        return false;
    }
    if (!FWork.CloseRequested()) {
        std::string text = t["RepairingComplete"];
        if (result.Remaining > 0)
            text += "\r\n" + Format(t["RepairNotRemoved"], {result.Remaining});
        ShowMessageBox(text, t["RepairingCompleteTitle"], MB_ICONQUESTION);
    }
    ClearResultsTree();
    return true;
}

void TfrmMain::btnCreateBackupClick(TObject*) {
    if (CheckedRows(VT, FResults) == 0) return;
    {
        TEngineWorkScope work(FWork, TEngineWork::Backup);
        CreateBackup(LanguageTexts["BackupFailed"]);
    }
    CloseIfRequested();
}

bool TfrmMain::CreateBackup(const std::string& failureText) {
    TRescueResult result;
    {
        TBusyCursor busy;
        result = BackupSelectedEntries();
    }
    if (result.Outcome == TRescueOutcome::Failed) {
        ShowRescueFailure(failureText, result.Error);
        return false;
    }
    AppSettings.LastRegistryBackupDateTime = CurrentDateTimeText();
    if (!FWork.CloseRequested()) {
        const TLanguageTexts& t = LanguageTexts;
        ShowMessageBox(t["CreateBackUp"], t["BackupCompleteTitle"], MB_ICONQUESTION);
    }
    return true;
}

void TfrmMain::ClearResultsTree() { VT->Clear(); }

// --- The Restore page --------------------------------------------------------------------

// Shown while the core library works (the window comes back from the
// notification area during a restore), the page keeps its list: the call
// under way holds one of its items, which is the one deleted afterwards.
void TfrmMain::TabSheetRestroreShow(TObject*) {
    if (FWork.Busy()) return;
    Application->ProcessMessages();
    FillRescueList();
}

// A read that finds nothing keeps the rows, and so their list.
void TfrmMain::FillRescueList() {
    RescueNode* list = TrkAllocRescueItems(AppEngineConfig.rescueIndexPath);
    if (!list) return;
    FRescueItems.Replace(list);
    TListItems* rows = ListViewRescueItem->Items();
    rows->BeginUpdate();
    rows->Clear();
    for (RescueNode* node = list; node; node = node->next) {
        std::string date;
        try {
            date = FormatDateTime(DateTimeTextFormat, FileTimeToDateTime(node->item->created));
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
    {
        TEngineWorkScope work(FWork, TEngineWork::Restore);
        RestoreSelectedRescue();
    }
    CloseIfRequested();
}

// The item restored is the one selected when Restore was pressed; it is the
// one deleted afterwards, by itself rather than by the row selected then.
// With no row selected, or no item behind it, there is nothing to restore:
// no message, and the list stays.
void TfrmMain::RestoreSelectedRescue() {
    TListItem* selected = ListViewRescueItem->Selected();
    RescueNode* node = selected ? FRescueItems.At(selected->Index()) : nullptr;
    if (!node) return;
    bool restored = false;
    {
        TBusyCursor busy;
        restored = TrkRestoreRescue(node->item) != 0;
        const int row = FRescueItems.IndexOf(node);
        if (restored && row >= 0) DeleteRescueRows({row});
    }
    // A failure is said also before a close; what went well needs no word then.
    const TLanguageTexts& t = LanguageTexts;
    if (!restored)
        ShowMessageBox(t["RestoreFailed"], t["RescueFailedTitle"], MB_ICONERROR);
    else if (!FWork.CloseRequested())
        ShowMessageBox(t["BackupComplete"], t["BackupCompleteTitle"], MB_ICONQUESTION);
}

void TfrmMain::btnDeleteRestoreClick(TObject*) {
    {
        TEngineWorkScope work(FWork, TEngineWork::Delete);
        DeleteSelectedRescues();
    }
    CloseIfRequested();
}

void TfrmMain::DeleteSelectedRescues() {
    TListItems* rows = ListViewRescueItem->Items();
    std::vector<int> selected;
    for (int index = rows->Count() - 1; index >= 0; --index)
        if (rows->Item(index)->Selected()) selected.push_back(index);
    DeleteRescueRows(selected);
}

void TfrmMain::DeleteRescueRows(const std::vector<int>& rows) {
    if (rows.empty()) return;
    TListItems* items = ListViewRescueItem->Items();
    items->BeginUpdate();
    for (int index : rows) {
        items->Delete(index);
        DeleteRescueAt(index);
    }
    items->EndUpdate();
    SelectListViewRow(ListViewRescueItem, rows.back());
}

// Row i keeps designating node i: the node goes out of the list with its row.
void TfrmMain::DeleteRescueAt(int index) {
    RescueNode* node = FRescueItems.At(index);
    if (!node) return;
    TrkDeleteRescue(node->item, AppEngineConfig.rescueIndexPath);
    FRescueItems.RemoveAt(index);
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
