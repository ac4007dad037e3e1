// The main window with a language file whose placeholders are partly wrong:
// every caption and the title are there, each translation that fits is
// shown and the English text where one does not; the scan's rows, the
// repair question, the Restore page, the overview's figures and the balloon
// are filled without an error; the Languages menu switches to English and
// back.
#include <classlib/SysUtils.h>
#include <commctrl.h>

#include <functional>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "DamagedLanguage.h"
#include "RegAreas.h"
#include "ScanRoadFixture.h"

namespace {

// The key whose text a control or menu item of the window shows as its
// caption, by the language file's key scheme; "" for none.
std::string CaptionKey(TComponent* component) {
    const std::string name = component->Name();
    auto key = [](const std::string& candidate) {
        for (const TLanguageDefault& text : LanguageDefaults)
            if (candidate == text.Key) return candidate;
        return std::string();
    };
    if (dynamic_cast<TLabel*>(component)) return key("IDS_MAINWND_LABEL_" + name);
    if (dynamic_cast<TKitCheckBox*>(component)) return key("IDS_MAINWND_CHECKBOX_" + name);
    if (dynamic_cast<TMenuItem*>(component)) {
        if (name == "LanguagesMI") return "IDS_MAINWND_HELP_Languages";
        return name.starts_with("Menu") ? key("IDS_MAINWND_HELP_" + name.substr(4)) : "";
    }
    if (dynamic_cast<TPicButton*>(component)) {
        // The defragmentation page's button shares the overview shortcut's text.
        if (name == "btnDefagRegistry") return "IDS_MAINWND_BUTTON_HINT_DefragRegistry";
        const std::string bare = name.starts_with("btn")      ? name.substr(3)
                                 : name.starts_with("Button") ? name.substr(6)
                                                              : name;
        const std::string hint = key("IDS_MAINWND_BUTTON_HINT_" + bare);
        return hint.empty() ? key("IDS_MAINWND_BUTTON_" + bare) : hint;
    }
    return "";
}

void EachComponent(TComponent* owner, const std::function<void(TComponent*)>& visit) {
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        visit(owner->Components(i));
        EachComponent(owner->Components(i), visit);
    }
}

// What a caption shows for a key whose loaded text is given: the two
// captions that the product name fills, filled.
std::string Shown(const std::string& key, const std::string& loaded) {
    if (key == "IDS_MAINWND_CHECKBOX_chkSettingsStartScanWhenStarts" ||
        key == "IDS_MAINWND_LABEL_labTabSheetRestoreRegistryDetail")
        return Format(loaded, {ProductName, ProductName});
    return loaded;
}

std::string EnglishLoaded(const std::string& key) {
    return ConvertLineBreaks(LanguageDefault(key).Text, true);
}

std::string DamagedShown(const std::string& key) { return DamagedLoaded(key); }

class MainDamagedLanguage : public ScanRoadTest {
protected:
    // The program folder holds the damaged file, chosen in the settings, and
    // the built-in English one.
    void SetUp() override {
        Folder.Folder("Langs");
        Folder.File("Langs\\Damaged.ini", DamagedLanguageFile());
        LanguageTexts = TLanguageTexts{};
        AppSettings.LanguageFilePath = Folder.Path() + "Langs\\English.ini";
        WriteDefaultLanguage();
        Folder.File("config.ini", "[system]\r\nLanguageFile=Damaged.ini\r\n");
        ScanRoadTest::SetUp();
    }

    // Every caption of the window that a text of section "FORMMAIN" gives,
    // against the text loaded for its key; every such key has its control.
    void ExpectEveryCaption(const std::function<std::string(const std::string&)>& loaded) {
        std::set<std::string> seen;
        EachComponent(Form, [&](TComponent* component) {
            const std::string key = CaptionKey(component);
            if (key.empty()) return;
            seen.insert(key);
            const auto* item = dynamic_cast<TMenuItem*>(component);
            const std::string caption =
                item ? item->Caption() : static_cast<TControl*>(component)->Caption();
            // The last defragmentation's time takes the place of its label's
            // text whenever the figures are shown again.
            const std::string expected = component == Form->labRegistryDefragLastTimeDetail
                                             ? AppSettings.LastRegistryDefragDateTime
                                             : Shown(key, loaded(key));
            EXPECT_EQ(caption, expected) << component->Name();
        });
        const std::string column = "IDS_MAINWND_LISTVIEW_RescueItem_Columns";
        EXPECT_EQ(ShownColumn(Form->ListViewRescueItem, 0), loaded(column));
        seen.insert(column);
        for (const TLanguageDefault& text : LanguageDefaults) {
            if (std::string_view(text.Section) == FormMainSection) {
                EXPECT_TRUE(seen.count(text.Key)) << "no control shows " << text.Key;
            }
        }
        EXPECT_EQ(Form->Caption(), "Holvane");
        EXPECT_EQ(GetWindowTextA(Form->Handle(), Title, sizeof Title), 7);
        EXPECT_STREQ(Title, "Holvane");
    }

    TMenuItem* LanguageItem(const std::string& shown) const {
        for (int i = 0; i < Form->LanguagesMI->Count(); ++i) {
            std::string caption = Form->LanguagesMI->Items(i)->Caption();
            std::erase(caption, '&');
            if (caption == shown) return Form->LanguagesMI->Items(i);
        }
        return nullptr;
    }

    char Title[64] = {};
};

}  // namespace

TEST_F(MainDamagedLanguage,
       StartsWithEveryCaptionTranslatedOrEnglishWhereTheTranslationDoesNotFit) {
    for (const TDamagedText& text : DamagedTexts) LanguageDefault(text.Key);
    ASSERT_EQ(AppSettings.LanguageFilePath, Folder.Path() + "Langs\\Damaged.ini");
    ExpectEveryCaption(DamagedShown);
    // A few of them as the user reads them.
    EXPECT_EQ(Form->btnTopOverview->Caption(), "DE Overview");
    EXPECT_EQ(Form->labInRed->Caption(), "DE 100% rot: %s %d");
    EXPECT_EQ(Form->chkSettingsStartScanWhenStarts->Caption(), "Start Scan when Holvane Starts");
    EXPECT_TRUE(Form->labTabSheetRestoreRegistryDetail->Caption().starts_with(
        "Holvane provides complete undo support."));
    EXPECT_EQ(Form->labCopyRightWarning->Caption(),
              DamagedLoaded("IDS_MAINWND_LABEL_labCopyRightWarning"));

    // The overview's figures, each from its own text.
    EXPECT_EQ(Form->labInvalidRegistryEntriesFound->Caption(), "Ungueltige Eintraege bis heute: 0");
    EXPECT_EQ(Form->labRegistryErrorFixed->Caption(), "Registry Errors Fixed To Date: 0");
    EXPECT_EQ(Form->labScanLastScanFoundFixDetail->Caption(),
              "0 Entries Found, 0 Entries Repaired");
    EXPECT_EQ(Form->LabelErrorFound->Caption(), "Achtung: 00 Probleme");
    EXPECT_EQ(Form->LabelScanResult->Caption(), "Scan Results (0 Problems/Errors Found)");

    // The balloon of the notification area.
    Form->ActionMin->Execute();
    EXPECT_STREQ(Form->TrayIcon->TrayIconData().szInfoTitle, "Holvane");
    EXPECT_STREQ(Form->TrayIcon->TrayIconData().szInfo, "Holvane  wurde zu 100% minimiert.");
    Form->TrayIconDblClick(Form->TrayIcon);
    EXPECT_TRUE(WaitUntil([&] { return Form->Visible(); }));

    EXPECT_TRUE(Boxes.empty());
    EXPECT_TRUE(Errors.empty());
}

// A scan over invalid entries of every described reason and over startup
// commands of missing programs; a repair of the startup rows with the
// backup asked for first; the Restore page with the items they made.
TEST_F(MainDamagedLanguage, ScanRepairAndRestoreShowTheirTextsAndTheRepairQuestionIsAsked) {
    ClassesKeys keys;
    const std::string root = "HKEY_CLASSES_ROOT\\";
    const auto [cls, noLibrary, noClass, lib, helpFolder, empty, proxy, noProxy] =
        AddComEntriesOfEachReason(keys);
    AddMissingRunValues(2);
    // A valid value keeps the Run key from being left empty by the repair.
    Run.SetString("", OwnName("valid").c_str(), "C:\\windows\\notepad.exe");
    TickOnly({ScanCOM, ScanStartup});

    Scan();

    // The summary in English: its translation takes a text it is not given.
    ASSERT_EQ(Boxes.size(), 1u);
    const std::string found = std::to_string(AppSettings.LastScanResult);
    EXPECT_EQ(Boxes[0].Text, "A total of " + found +
                                 " invalid Registry entries were found on your system.  \r\n "
                                 "Click on \"Repair Registry\" to fix all entries.");
    EXPECT_EQ(Boxes[0].Caption, "Holvane");
    EXPECT_EQ(Form->LabelErrorFound->Caption(), "Attention: " + found + " Problems/Errors Found");
    EXPECT_EQ(Form->LabelScanResult->Caption(), "Suchergebnis (" + found + " Probleme)");

    const std::string clsPath = root + cls;
    const std::string runPath = Run.Path();
    // The engine's own texts of each entry are checked by the scan's tests;
    // here what the window made of them.
    struct TCase {
        std::string KeyPath, EntryName, Description;
    } cases[] = {
        {clsPath + "\\TypeLib", "",
         "Found a Item in " + clsPath +
             "\\TypeLib point to a missing TypeLib that should be deleted"},
        {clsPath + "\\ProgID", "", "In " + clsPath + "\\ProgID fehlt ein Dateityp."},
        {root + lib + "\\1.0\\HELPDIR", "",
         "In " + root + lib + "\\1.0\\HELPDIR fehlt die Datei " + helpFolder + "."},
        {root + empty, "", "Found an empty key " + root + empty + " to be deleted."},
        {root + proxy + "\\ProxyStubclsid32", "",
         "Found a Item in " + root + proxy +
             "\\ProxyStubclsid32 point to a missing ClassID that should be deleted;"},
        {runPath, OwnName("1"), ""},
    };
    const std::vector<const ScanEntry*> entries = Found();
    ASSERT_EQ(static_cast<int>(entries.size()), TreeRows());
    auto text = [](const char* t) { return std::string(t ? t : ""); };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.KeyPath + " " + c.EntryName);
        auto at = std::find_if(entries.begin(), entries.end(), [&](const ScanEntry* entry) {
            return c.KeyPath == text(entry->keyPath) && c.EntryName == text(entry->entryName);
        });
        ASSERT_NE(at, entries.end());
        const int row = static_cast<int>(at - entries.begin());
        EXPECT_EQ(Row(row)->Path, "Pfad: " + c.KeyPath);
        EXPECT_EQ(Row(row)->Title, "Title: " + text((*at)->title));
        EXPECT_EQ(Row(row)->EntryName, "EntryName: " + c.EntryName);
        EXPECT_EQ(Row(row)->Target, "Ziel: " + text((*at)->target));
        EXPECT_EQ(Row(row)->Description, c.Description);
        EXPECT_EQ(Form->Results().At(row).Text(), "DE");
    }

    // Only the startup rows of the test's own are repaired.
    int checked = 0;
    for (int row = 0; row < TreeRows(); ++row) {
        const bool own = text(entries[row]->keyPath) == runPath && IsOwn(entries[row]);
        Tree()->SetCheckState(Node(row), own ? csCheckedNormal : csUncheckedNormal);
        checked += own;
    }
    ASSERT_EQ(checked, 2);
    AppSettings.ConfirmBackups = true;
    Answers = {IDYES};
    Form->btnRepairRegistry->Click();

    ASSERT_EQ(Boxes.size(), 4u);
    EXPECT_TRUE(Boxes[1].Text.starts_with("A total of " + found +
                                          " entries were found, out of which 2 were selected "
                                          "for removal. \r\n As a safety precaution"))
        << Boxes[1].Text;
    EXPECT_EQ(Boxes[1].Flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(Boxes[2].Text, "DE Taking Registry Backup Complete!");
    EXPECT_EQ(Boxes[3].Text, "DE Repairing 100% Complete!");
    EXPECT_FALSE(Run.HasValue("", OwnName("1").c_str()));
    EXPECT_FALSE(Run.HasValue("", OwnName("2").c_str()));

    // The Restore page lists the items in English: the translation swaps the kinds.
    ShowRestorePage();
    ASSERT_GE(RescueRows(), 1);
    for (int row = 0; row < RescueRows(); ++row)
        EXPECT_TRUE(std::regex_match(RescueRow(row), std::regex(".+, .+ - 2 Items")))
            << RescueRow(row);
    EXPECT_EQ(ShownColumn(RescueList(), 0), "DE Date and Time of changes made to registry");
    EXPECT_EQ(Form->labTabSheetRestoreRegistry->Caption(), "DE Restore Registry");
    EXPECT_TRUE(Errors.empty());
}

TEST_F(MainDamagedLanguage, TheLanguagesMenuSwitchesToEnglishAndBackToTheDamagedFile) {
    ASSERT_NE(LanguageItem("ENGLISH"), nullptr);
    ASSERT_NE(LanguageItem("DAMAGED"), nullptr);
    EXPECT_TRUE(LanguageItem("DAMAGED")->Checked());

    LanguageItem("ENGLISH")->Click();
    EXPECT_TRUE(LanguageItem("ENGLISH")->Checked());
    ExpectEveryCaption(EnglishLoaded);
    EXPECT_EQ(Form->labInvalidRegistryEntriesFound->Caption(),
              "Invalid Registry Entries Found To Date: 0");

    LanguageItem("DAMAGED")->Click();
    EXPECT_TRUE(LanguageItem("DAMAGED")->Checked());
    EXPECT_FALSE(LanguageItem("ENGLISH")->Checked());
    ExpectEveryCaption(DamagedShown);
    EXPECT_EQ(Form->labInvalidRegistryEntriesFound->Caption(), "Ungueltige Eintraege bis heute: 0");
    EXPECT_EQ(Form->labRegistryErrorFixed->Caption(), "Registry Errors Fixed To Date: 0");
    char written[64] = "";
    GetPrivateProfileStringA("system", "LanguageFile", "", written, sizeof written,
                             (Folder.Path() + "config.ini").c_str());
    EXPECT_STREQ(written, "DAMAGED.ini");
    EXPECT_TRUE(Boxes.empty());
    EXPECT_TRUE(Errors.empty());
}
