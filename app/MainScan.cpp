// MainScan.cpp - the scan road: one core-library scan per ticked category
// with the progress page, the blinking icon and Stop; the entries the core
// library reports, copied into FoundEntries and shown as rows of the results
// tree; the tree's handlers.
#include <app/TBLanguager.h>
#include <app/TreskBinding.h>
#include <app/globals.h>
#include <app/main.h>
#include <classlib/SysUtils.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int RowHeight = 30;
constexpr int FocusedRowHeight = 70;

// The description of an invalid entry by its reason; empty for a reason
// without a text of its own (a missing file or shortcut).
std::string DescriptionOf(const ScanEntry& entry) {
    const TLanguageTexts& t = LanguageTexts;
    const std::string keyPath = entry.keyPath ? entry.keyPath : "";
    const std::string target = entry.target ? entry.target : "";
    switch (entry.code & EntryReasonMask) {
        case ReasonEmptyKey:
            return Format(t["ParseErrorEmptyKey"], {keyPath, target});
        case ReasonFolderMissing:
            return Format(t["ParseErrorPathNotFound"], {keyPath, target});
        case ReasonClassMissing:
            return Format(t["ParseErrorMissingRootItem"], {keyPath, target});
        case ReasonClsidMissing:
            return Format(t["ParseErrorMissingCLSID"], {keyPath, target});
        case ReasonTypeLibMissing:
            return Format(t["ParseErrorMissingTypeLibItem"], {keyPath, target});
        default:
            return "";
    }
}

std::string TextOf(const char* text) { return text ? text : ""; }

}  // namespace

// --- The scan ------------------------------------------------------------------------

void TfrmMain::btnStartScanClick(TObject*) {
    SwitchPage(1, 0, 0, 0);
    ActionStartScanNowExecute(this);
}

void TfrmMain::ActionStartScanNowExecute(TObject*) {
    AppSettings.LastScanDateTime = CurrentDateTimeText();
    AppSettings.LastScanResult = 0;
    ResultRows->Clear();
    VT->SetRootNodeCount(0);
    for (const TScanCategory& category : FScanCategories)
        category.ResultIcon->Picture()->Assign(nullptr);
    SwitchPage(1, 3, 0, 0);
    ScanStopped = false;
    if (FoundEntries.Head) {
        FreeFoundEntries(FoundEntries.Head, true);
        FoundEntries.Tail = nullptr;
    }
    ScanRunning = true;
    try {
        for (const TScanCategory& category : FScanCategories) {
            ScanOneCategory(category.Flag, !category.CheckBox->Checked());
            if (ScanStopped) break;
        }
    } catch (...) {
        EndScan();
        throw;
    }
    EndScan();
}

void TfrmMain::EndScan() {
    ScanRunning = false;
    AppSettings.InvalidRegistryEntriesFoundToDate += AppSettings.LastScanResult;
    // A close asked for during the scan happens now, without the summary.
    if (FCloseAfterScan) {
        FCloseAfterScan = false;
        Close();
        return;
    }
    const TLanguageTexts& t = LanguageTexts;
    if (AppSettings.LastScanResult == 0) {
        ShowMessageBox(t["NoIncalidEntries"], t["NoIncalidEntriesTitle"], MB_ICONQUESTION);
        SwitchPage(1, 0, 0, 0);
        return;
    }
    ShowMessageBox(Format(t["InvalidRegistryEntries"], {AppSettings.LastScanResult}),
                   t["InvalidRegistryEntriesTitle"], MB_ICONQUESTION);
    SwitchPage(1, 1, 0, 0);
    if (PVirtualNode first = VT->GetFirst()) {
        VT->SetSelected(first, true);
        VT->SetFocusedNode(first);
    }
}

void TfrmMain::ScanOneCategory(uint32_t flag, bool notSelected) {
    const auto category = std::find_if(FScanCategories.begin(), FScanCategories.end(),
                                       [flag](const TScanCategory& c) { return c.Flag == flag; });
    if (category == FScanCategories.end()) return;
    BlinkingIcon = category->ResultIcon;
    if (notSelected) {
        BlinkingIcon->Picture()->Assign(ImageV->Picture());
        BlinkingIcon->SetVisible(true);
        return;
    }
    if (TrkGetStatus() & StatusScanning) return;
    BlinkingIcon->Picture()->Assign(ImageProessing->Picture());
    Timer->SetEnabled(true);
    TrkScan(flag);
    Timer->SetEnabled(false);
    // An error raised while the core library reported an entry ends the scan
    // here, once the core library has returned.
    if (FCallbackError) std::rethrow_exception(std::exchange(FCallbackError, nullptr));
    BlinkingIcon->Picture()->Assign(ImageV->Picture());
    BlinkingIcon->SetVisible(true);
}

void TfrmMain::TimerTimer(TObject*) {
    if (BlinkingIcon) BlinkingIcon->SetVisible(!BlinkingIcon->Visible());
}

void TfrmMain::ButtonStopScanClick(TObject*) {
    const TLanguageTexts& t = LanguageTexts;
    if (ShowMessageBox(t["StopScan"], t["StopScanTitle"], MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    StopScan();
}

void TfrmMain::StopScan() {
    ScanStopped = true;
    TrkStopScan();
    Timer->SetEnabled(false);
}

// --- Reported entries ------------------------------------------------------------------

// No exception may go back into the core library: an error is kept, the scan
// is stopped, and ScanOneCategory raises it again once TrkScan has returned.
int WINAPI TfrmMain::ScanEntryCallback(ScanEntry* entry, double percent) {
    if (!entry) return 30;
    TfrmMain* form = frmMain;
    if (!form) return 0;
    try {
        form->EntryReported(*entry, percent);
    } catch (...) {
        if (!form->FCallbackError) form->FCallbackError = std::current_exception();
        TrkStopScan();
    }
    return 0;
}

void TfrmMain::EntryReported(const ScanEntry& entry, double percent) {
    LabelFenwarpStatus->SetCaption(Format("%s", {TextOf(entry.title)}));
    ProgressBarRegistryScan->SetPercent(
        static_cast<uint16_t>(std::floor(std::clamp(percent, 0.0, 100.0))));
    if ((entry.code & EntryReasonMask) == 0) return;
    const ScanEntry* copy = AppendFoundEntry(entry);
    AddResultRow(0, TextOf(copy->keyPath), TextOf(copy->title), TextOf(copy->entryName),
                 TextOf(copy->target), DescriptionOf(*copy));
    ++AppSettings.LastScanResult;
    const TLanguageTexts& t = LanguageTexts;
    LabelErrorFound->SetCaption(Format(t["AttentionErrorFound"], {AppSettings.LastScanResult}));
    LabelScanResult->SetCaption(Format(t["ScanResultsErrorFound"], {AppSettings.LastScanResult}));
}

void TfrmMain::AddResultRow(int kind, const std::string& path, const std::string& title,
                            const std::string& entryName, const std::string& target,
                            const std::string& description) {
    const TLanguageTexts& t = LanguageTexts;
    auto item = std::make_unique<TScanItem>();
    item->Kind = kind;
    item->Path = Format(t["ScanItemPath"], {path});
    item->Title = Format(t["ScanItemTitle"], {title});
    item->EntryName = Format(t["ScanItemEntryName"], {entryName});
    item->Target = Format(t["ScanItemTarget"], {target});
    item->Description = description;
    ResultRows->Add(t["ScanItemCaption"], std::move(item));
    VT->SetRootNodeCount(static_cast<unsigned>(ResultRows->Count()));
}

// --- The results tree ------------------------------------------------------------------

void TfrmMain::VTGetNodeDataSize(TBaseVirtualTree*, int& nodeDataSize) { nodeDataSize = 0; }

void TfrmMain::VTInitNode(TBaseVirtualTree* sender, PVirtualNode node) {
    sender->SetCheckType(node, ctTriStateCheckBox);
    sender->SetCheckState(node, csCheckedNormal);
    sender->SetNodeHeight(node, RowHeight);
}

void TfrmMain::VTGetText(TBaseVirtualTree*, PVirtualNode node, TColumnIndex, TVSTTextType,
                         std::string& cellText) {
    if (node && static_cast<int>(node->Index()) < ResultRows->Count())
        cellText = ResultRows->Item(static_cast<int>(node->Index()))->Title;
}

void TfrmMain::VTGetImageIndex(TBaseVirtualTree*, PVirtualNode, TVTImageKind, TColumnIndex, bool&,
                               int& imageIndex) {
    imageIndex = 0;
}

void TfrmMain::VTFocusChanging(TBaseVirtualTree* sender, PVirtualNode oldNode, PVirtualNode newNode,
                               bool& allowed) {
    allowed = true;
    if (oldNode) sender->SetNodeHeight(oldNode, RowHeight);
    if (!newNode) return;
    sender->SetNodeHeight(newNode, FocusedRowHeight);
    const int row = static_cast<int>(newNode->Index());
    VT->SetSelectedDescription(row < ResultRows->Count() ? ResultRows->Item(row)->Description
                                                         : std::string());
}

void TfrmMain::LabelCheckAllClick(TObject*) {
    for (PVirtualNode node = VT->GetFirst(); node; node = VT->GetNext(node))
        VT->SetCheckState(node, csCheckedNormal);
    VT->Invalidate();
}

void TfrmMain::LabelUncheckAllClick(TObject*) {
    for (PVirtualNode node = VT->GetFirst(); node; node = VT->GetNext(node))
        VT->SetCheckState(node, csUncheckedNormal);
    VT->Invalidate();
}
