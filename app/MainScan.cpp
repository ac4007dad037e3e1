// MainScan.cpp - the scan road: one core-library scan per ticked category
// with the progress page, the blinking icon and Stop; the entries the core
// library reports, copied into the results with the rows of the results
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
    SwitchPage(mpRegistryScan);
    ActionStartScanNowExecute(this);
}

void TfrmMain::ActionStartScanNowExecute(TObject*) {
    AppSettings.LastScanDateTime = CurrentDateTimeText();
    AppSettings.LastScanResult = 0;
    VT->SetRootNodeCount(0);
    FResults.Clear();
    for (const TScanCategory& category : FScanCategories)
        category.ResultIcon->Picture()->Assign(nullptr);
    SwitchPage(mpRegistryScan, spProgress);
    FScan.Begin();
    // An error raised inside a category ends the scan as a stop does; it goes
    // on to the application's handler once the scan's closing step is done.
    std::exception_ptr error;
    {
        TEngineWorkScope work(FWork, TEngineWork::Scan);
        try {
            RunScan();
        } catch (...) {
            error = std::current_exception();
            FScan.Stop();
        }
        AppSettings.InvalidRegistryEntriesFoundToDate += AppSettings.LastScanResult;
        // A close asked for during the scan happens now, without the summary.
        if (!FWork.CloseRequested()) ShowScanSummary();
    }
    if (!CloseIfRequested()) ShowScanOutcomePage();
    if (error) std::rethrow_exception(error);
}

void TfrmMain::RunScan() {
    for (const TScanCategory& category : FScanCategories) {
        ScanOneCategory(category.Flag, !category.CheckBox->Checked());
        if (FScan.Stopped()) break;
    }
}

// A stopped scan says so with what it found before the stop: the categories
// after it were never looked at, so "nothing found" would not be true.
void TfrmMain::ShowScanSummary() {
    const TLanguageTexts& t = LanguageTexts;
    const int32_t found = AppSettings.LastScanResult;
    if (FScan.Stopped())
        ShowMessageBox(Format(t["ScanStoppedResult"], {found}), t["StopScanTitle"],
                       MB_ICONQUESTION);
    else if (found == 0)
        ShowMessageBox(t["NoIncalidEntries"], t["NoIncalidEntriesTitle"], MB_ICONQUESTION);
    else
        ShowMessageBox(Format(t["InvalidRegistryEntries"], {found}),
                       t["InvalidRegistryEntriesTitle"], MB_ICONQUESTION);
}

// The results page with the first row focused, or the scan page when
// nothing was found.
void TfrmMain::ShowScanOutcomePage() {
    if (AppSettings.LastScanResult == 0) return SwitchPage(mpRegistryScan, spScan);
    SwitchPage(mpRegistryScan, spResults);
    if (PVirtualNode first = VT->GetFirst()) {
        VT->SetSelected(first, true);
        VT->SetFocusedNode(first);
    }
}

void TfrmMain::ScanOneCategory(uint32_t flag, bool notSelected) {
    const auto category = std::find_if(FScanCategories.begin(), FScanCategories.end(),
                                       [flag](const TScanCategory& c) { return c.Flag == flag; });
    if (category == FScanCategories.end()) return;
    TImage* icon = category->ResultIcon;
    FScan.SetBlinkingIcon(icon);
    if (notSelected) {
        icon->Picture()->Assign(ImageV->Picture());
        icon->SetVisible(true);
        return;
    }
    if (TrkGetStatus() & StatusScanning) return;
    icon->Picture()->Assign(ImageProessing->Picture());
    Timer->SetEnabled(true);
    TrkScan(flag);
    Timer->SetEnabled(false);
    // An error raised while the core library reported an entry ends the scan
    // here, once the core library has returned.
    FScan.RaiseKeptError();
    icon->Picture()->Assign(ImageV->Picture());
    icon->SetVisible(true);
}

void TfrmMain::TimerTimer(TObject*) {
    if (TImage* icon = FScan.BlinkingIcon()) icon->SetVisible(!icon->Visible());
}

// Stop means something only while a scan runs.
void TfrmMain::ButtonStopScanClick(TObject*) {
    if (FWork.Current() != TEngineWork::Scan) return;
    const TLanguageTexts& t = LanguageTexts;
    if (ShowMessageBox(t["StopScan"], t["StopScanTitle"], MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    StopScan();
}

void TfrmMain::StopScan() {
    FScan.Stop();
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
        form->FScan.KeepError(std::current_exception());
        TrkStopScan();
    }
    return 0;
}

void TfrmMain::EntryReported(const ScanEntry& entry, double percent) {
    LabelFenwarpStatus->SetCaption(Format("%s", {TextOf(entry.title)}));
    ProgressBarRegistryScan->SetPercent(
        static_cast<uint16_t>(std::floor(std::clamp(percent, 0.0, 100.0))));
    if ((entry.code & EntryReasonMask) == 0) return;
    AddResult(entry);
    ++AppSettings.LastScanResult;
    const TLanguageTexts& t = LanguageTexts;
    LabelErrorFound->SetCaption(Format(t["AttentionErrorFound"], {AppSettings.LastScanResult}));
    LabelScanResult->SetCaption(Format(t["ScanResultsErrorFound"], {AppSettings.LastScanResult}));
}

// The row is made first, then taken in with the entry's copy: an error on the
// way adds neither, so row i stays entry i.
void TfrmMain::AddResult(const ScanEntry& reported) {
    const TLanguageTexts& t = LanguageTexts;
    TScanItem row;
    row.Kind = 0;
    row.Path = Format(t["ScanItemPath"], {TextOf(reported.keyPath)});
    row.Title = Format(t["ScanItemTitle"], {TextOf(reported.title)});
    row.EntryName = Format(t["ScanItemEntryName"], {TextOf(reported.entryName)});
    row.Target = Format(t["ScanItemTarget"], {TextOf(reported.target)});
    row.Description = DescriptionOf(reported);
    FResults.Add(reported, std::move(row), t["ScanItemCaption"]);
    VT->SetRootNodeCount(static_cast<unsigned>(FResults.Count()));
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
    if (node && static_cast<int>(node->Index()) < FResults.Count())
        cellText = FResults.At(static_cast<int>(node->Index())).Row().Title;
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
    VT->SetSelectedDescription(row < FResults.Count() ? FResults.At(row).Row().Description
                                                      : std::string());
}

void TfrmMain::VTChecking(TBaseVirtualTree*, PVirtualNode, TCheckState, bool& allowed) {
    allowed = !FWork.Busy();
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
