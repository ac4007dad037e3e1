// ScanRoadFixture.h - the main window's scan road in the test's process: the
// categories the test ticks, every entry the core library reports on its way
// into the window (with what the window showed once it had taken it), values
// of the machine's Run key naming programs that exist nowhere, clicks posted
// to the window's controls, and the rescue items of the program folder.
#pragma once

#include <support/Profiles.h>
#include <tresk.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "RegAreas.h"

inline constexpr char kMachineRoot[] = "HKEY_LOCAL_MACHINE";
inline constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// A program file that exists nowhere.
inline std::string MissingProgram(const std::string& name) {
    return "C:\\Holvane-missing\\" + name + ".exe";
}

// A click on a windowed control, as the mouse gives it: dispatched by the
// next message loop that runs, the core library's own included.
inline void PostClick(TWinControl* control) {
    const LPARAM at = MAKELPARAM(control->Width() / 2, control->Height() / 2);
    PostMessageA(control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(control->Handle(), WM_LBUTTONUP, 0, at);
}

// COM registrations of the test's own, below HKEY_CLASSES_ROOT, one for each
// reason with a description of its own: a class whose type library and
// ProgID are missing, a type library whose help folder is missing, an empty
// interface and one whose proxy class is missing.
struct TComEntries {
    std::string Class, NoLibrary, NoClass, Library, HelpFolder, EmptyInterface, ProxyInterface,
        NoProxy;
};

inline TComEntries AddComEntriesOfEachReason(ClassesKeys& keys) {
    const std::string cls = keys.Own("CLSID\\{" + OwnName("class") + "}");
    keys.Set(cls, nullptr, "Holvane test class");
    const std::string noLibrary = "{" + OwnName("no-library") + "}";
    keys.Set(cls + "\\TypeLib", nullptr, noLibrary);
    const std::string noClass = OwnName("no-class");
    keys.Set(cls + "\\ProgID", nullptr, noClass);
    const std::string lib = keys.Own("TypeLib\\{" + OwnName("library") + "}");
    keys.Set(lib, nullptr, "Holvane test library");
    const std::string helpFolder = "C:\\Holvane-missing\\" + OwnName("help");
    keys.Set(lib + "\\1.0\\HELPDIR", nullptr, helpFolder);
    const std::string empty = keys.Own("Interface\\{" + OwnName("empty") + "}");
    keys.Create(empty);
    const std::string proxy = keys.Own("Interface\\{" + OwnName("proxy") + "}");
    const std::string noProxy = "{" + OwnName("no-proxy") + "}";
    keys.Set(proxy + "\\ProxyStubclsid32", nullptr, noProxy);
    return {cls, noLibrary, noClass, lib, helpFolder, empty, proxy, noProxy};
}

// Whether the icon shows the picture that source lends: the same size and
// the same pixels.
inline bool Shows(TImage* icon, TImage* source) {
    TPicture* shown = icon->Picture();
    TPicture* lent = source->Picture();
    if (!shown->Graphic() || shown->Width() != lent->Width() || shown->Height() != lent->Height())
        return false;
    for (int y = 0; y < lent->Height(); ++y)
        for (int x = 0; x < lent->Width(); ++x)
            if (shown->Bitmap()->Canvas()->Pixels(x, y) != lent->Bitmap()->Canvas()->Pixels(x, y))
                return false;
    return true;
}

inline bool ShowsNothing(TImage* icon) {
    return !icon->Picture()->Graphic() || icon->Picture()->Graphic()->Empty();
}

// A message of the test's own posted to the thread, which runs its work when
// a message loop dispatches it and tells whether that happened inside one of
// the window's long core-library calls (they run under the busy cursor).
class TPostedWork {
public:
    explicit TPostedWork(std::function<void()> work) : FWork(std::move(work)) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "HolvanePostedWork";
        RegisterClassA(&windowClass);
        FWindow = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, windowClass.hInstance, nullptr);
        SetWindowLongPtrA(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~TPostedWork() { DestroyWindow(FWindow); }
    TPostedWork(const TPostedWork&) = delete;
    TPostedWork& operator=(const TPostedWork&) = delete;

    void Post() { PostMessageA(FWindow, WM_APP, 0, 0); }
    bool Done() const { return FDone; }
    bool DoneInsideACoreCall() const { return FInsideCoreCall; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<TPostedWork*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message != WM_APP || !self) return DefWindowProcA(window, message, wParam, lParam);
        self->FDone = true;
        self->FInsideCoreCall = BusyCursorDepth > 0;
        if (self->FWork) self->FWork();
        return 0;
    }

    std::function<void()> FWork;
    HWND FWindow = nullptr;
    bool FDone = false;
    bool FInsideCoreCall = false;
};

// One entry the core library reported, and the window right after it took it.
struct TSeenEntry {
    uint32_t Code;
    std::string Title;
    std::string KeyPath;
    std::string EntryName;
    double Percent;
    TImage* Blinking;     // the category icon blinking meanwhile
    std::string Status;   // the progress page's status line
    uint16_t BarPercent;  // the progress bar
    int Rows;             // the results rows
    // The results before the window took the entry: rows, tree rows, count.
    int RowsBefore;
    int TreeRowsBefore;
    int32_t CountBefore;
};

class ScanRoadTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Watching = this;
        // The window's own callback still takes every entry, after the test saw it.
        TrkSetMonitor(WatchEntry, nullptr, nullptr);
    }
    void TearDown() override {
        TrkSetMonitor(nullptr, nullptr, nullptr);
        Watching = nullptr;
        MainWindowTest::TearDown();
    }

    void TickOnly(std::initializer_list<uint32_t> flags) {
        for (const TScanCategory& category : Form->ScanCategories())
            category.CheckBox->SetChecked(std::find(flags.begin(), flags.end(), category.Flag) !=
                                          flags.end());
    }
    // The scan as the Scan Now button starts it.
    void Scan() { Form->btnStartScanNow->Click(); }

    // Run values of the test's own that name missing programs: OwnName("1") ...
    void AddMissingRunValues(int count) {
        for (int i = 1; i <= count; ++i)
            Run.SetString("", OwnName(std::to_string(i)).c_str(),
                          MissingProgram(OwnName(std::to_string(i))));
    }

    TVirtualStringTree* Tree() const { return Form->VT; }
    int TreeRows() const { return static_cast<int>(Tree()->RootNodeCount()); }
    PVirtualNode Node(int row) const {
        PVirtualNode node = Tree()->GetFirst();
        for (int i = 0; node && i < row; ++i) node = Tree()->GetNext(node);
        return node;
    }
    const TScanItem* Row(int row) const { return &Form->Results().At(row).Row(); }
    // The window's copies of the entries, in row order.
    std::vector<const ScanEntry*> Found() const {
        std::vector<const ScanEntry*> found;
        for (int row = 0; row < Form->Results().Count(); ++row)
            found.push_back(&Form->Results().At(row).Entry());
        return found;
    }
    // Whether an entry is one of the test's own: its key or its value is.
    static bool IsOwn(const ScanEntry* entry) {
        const std::string own = OwnName();
        if (entry->keyPath && std::string(entry->keyPath).find(own) != std::string::npos)
            return true;
        return entry->entryName && std::string(entry->entryName).find(own) == 0;
    }
    int OwnRows() const {
        const std::vector<const ScanEntry*> found = Found();
        return static_cast<int>(std::count_if(found.begin(), found.end(), IsOwn));
    }
    std::vector<TSeenEntry> SeenUnder(const std::string& keyPath) const {
        std::vector<TSeenEntry> seen;
        for (const TSeenEntry& entry : Seen)
            if (entry.KeyPath.compare(0, keyPath.size(), keyPath) == 0) seen.push_back(entry);
        return seen;
    }

    // The rescue index the window hands the core library, and its sections.
    std::string RescueIndex() const { return Folder.Path() + "backup\\Rescue.ini"; }
    std::vector<std::string> RescueSections() const { return IniSectionNames(RescueIndex()); }
    std::string RescueValue(const std::string& section, const char* key) const {
        char text[1024] = "";
        GetPrivateProfileStringA(section.c_str(), key, "", text, sizeof text,
                                 RescueIndex().c_str());
        return text;
    }

    // A rescue item named section (a date as "2021-03-04 05:06:07") holding
    // the given values of key, written by the core library's backup.
    void MakeRescueItem(const std::string& section, const ScratchKey& key,
                        const std::vector<std::string>& valueNames) {
        std::string keyPath = key.Path();
        std::vector<std::string> names(valueNames);
        std::vector<ScanEntry> entries(names.size());
        std::vector<SelectedEntry> nodes(names.size());
        for (size_t i = 0; i < names.size(); ++i) {
            entries[i] = {0,
                          uint32_t{ScanFonts} | EntryKindValue | ReasonFileMissing,
                          nullptr,
                          nullptr,
                          keyPath.data(),
                          names[i].data(),
                          nullptr};
            nodes[i] = {static_cast<int32_t>(i), &entries[i],
                        i + 1 < names.size() ? &nodes[i + 1] : nullptr};
        }
        const std::vector<std::string> before = RescueSections();
        ASSERT_EQ(TrkBackup(nodes.data(), static_cast<uint32_t>(nodes.size())), 0u);
        // The core library names the item by the second it was made in.
        std::string made;
        for (const std::string& name : RescueSections())
            if (std::find(before.begin(), before.end(), name) == before.end()) made = name;
        ASSERT_FALSE(made.empty());
        const std::string fileName = RescueValue(made, "FileName");
        const std::string count = RescueValue(made, "Count");
        WritePrivateProfileStringA(made.c_str(), nullptr, nullptr, RescueIndex().c_str());
        WritePrivateProfileStringA(section.c_str(), "Count", count.c_str(), RescueIndex().c_str());
        WritePrivateProfileStringA(section.c_str(), "FileName", fileName.c_str(),
                                   RescueIndex().c_str());
        // Items made within one millisecond would share their file.
        Sleep(5);
    }

    TListView* RescueList() const { return Form->ListViewRescueItem; }
    int RescueRows() const { return RescueList()->Items()->Count(); }
    std::string RescueRow(int row) const { return RescueList()->Items()->Item(row)->Caption(); }
    int SelectedRescueRow() const {
        TListItem* selected = RescueList()->Selected();
        return selected ? selected->Index() : -1;
    }
    void SelectRescueRow(int row) {
        for (int i = 0; i < RescueRows(); ++i)
            RescueList()->Items()->Item(i)->SetSelected(i == row);
    }
    // The Restore page shown anew, as a click on its button from another page does.
    void ShowRestorePage() {
        Form->btnTopOverview->Click();
        Form->btnTopRestore->Click();
    }

    // The texts of the message boxes shown since the given one.
    std::vector<std::string> BoxTextsFrom(size_t first) const {
        std::vector<std::string> texts;
        for (size_t i = first; i < Boxes.size(); ++i) texts.push_back(Boxes[i].Text);
        return texts;
    }

    RegArea Run{HKEY_LOCAL_MACHINE, kMachineRoot, kRunKey};
    std::vector<TSeenEntry> Seen;
    // Runs inside the core library's callback, after the window took the entry.
    std::function<void(const TSeenEntry&)> DuringScan;

private:
    static int WINAPI WatchEntry(ScanEntry* entry, double percent) {
        ScanRoadTest* test = Watching;
        if (!entry || !test) return TfrmMain::ScanEntryCallback(entry, percent);
        TfrmMain* form = test->Form;
        const int rowsBefore = form->Results().Count();
        const int treeRowsBefore = static_cast<int>(form->VT->RootNodeCount());
        const int32_t countBefore = AppSettings.LastScanResult;
        const int result = TfrmMain::ScanEntryCallback(entry, percent);
        auto text = [](const char* t) { return std::string(t ? t : ""); };
        test->Seen.push_back({entry->code, text(entry->title), text(entry->keyPath),
                              text(entry->entryName), percent, form->Scan().BlinkingIcon(),
                              form->LabelFenwarpStatus->Caption(),
                              form->ProgressBarRegistryScan->Percent(), form->Results().Count(),
                              rowsBefore, treeRowsBefore, countBefore});
        if (test->DuringScan) test->DuringScan(test->Seen.back());
        return result;
    }
    static inline ScanRoadTest* Watching = nullptr;
};
