// The pages that show and change the settings: the overview's figures, the
// complete-scan box over the twelve category boxes, Default and Apply with
// the start-at-boot value, and the launch of the defragmentation tool.
#include <classlib/SysUtils.h>

#include <array>
#include <functional>

#include "MainWindowFixture.h"

namespace {

constexpr const char* RunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* RunValue = "Holvane";

// The start-at-boot value: none before the test, none after it.
class StartAtBootValue {
public:
    StartAtBootValue() { Remove(); }
    ~StartAtBootValue() { Remove(); }
    StartAtBootValue(const StartAtBootValue&) = delete;
    StartAtBootValue& operator=(const StartAtBootValue&) = delete;

    bool Exists() const {
        return RegGetValueA(HKEY_LOCAL_MACHINE, RunKey, RunValue, RRF_RT_ANY, nullptr, nullptr,
                            nullptr) == ERROR_SUCCESS;
    }
    // The value's text; empty when it is missing or no string.
    std::string Text() const {
        char data[1024] = "";
        DWORD size = sizeof data;
        if (RegGetValueA(HKEY_LOCAL_MACHINE, RunKey, RunValue, RRF_RT_REG_SZ, nullptr, data,
                         &size) != ERROR_SUCCESS)
            return "";
        return data;
    }

private:
    static void Remove() { RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, RunKey, RunValue); }
};

// The full path of the test program in double quotes, as Apply writes it.
std::string QuotedTestProgram() {
    char name[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, name, MAX_PATH);
    return "\"" + std::string(name, length) + "\"";
}

// The window made over a settings file with the figures of an earlier run.
class MainOverviewAfterEarlierRuns : public MainWindowTest {
protected:
    void SetUp() override {
        Folder.File("config.ini",
                    "[system]\r\n"
                    "LastScanDateTime=Monday, May 04, 2026 - 9:15:00 AM\r\n"
                    "LastScanResult=7\r\n"
                    "LastRegistryDefragDateTime=Sunday, May 03, 2026 - 6:00:00 PM\r\n"
                    "LastRegistryBackupDateTime=Saturday, May 02, 2026 - 8:30:00 AM\r\n"
                    "InvalidRegistryEntriesFoundToDate=31\r\n"
                    "RegistryErrorsFixedToDate=24\r\n");
        MainWindowTest::SetUp();
    }
};

using MainOverview = MainWindowTest;

// The eleven figures with the texts they hold.
std::vector<std::pair<TLabel*, std::string>> Figures(const TfrmMain& form, const std::string& scan,
                                                     const std::string& result,
                                                     const std::string& defrag,
                                                     const std::string& backup,
                                                     const std::string& found,
                                                     const std::string& fixed) {
    return {
        {form.labLastScanDetail, scan},
        {form.labScanResultsDetail, result},
        {form.labLastRegistryDefragDetail, defrag},
        {form.labRegistryBackupDetail, backup},
        {form.labInvalidRegistryEntriesFound, "Invalid Registry Entries Found To Date: " + found},
        {form.labRegistryErrorFixed, "Registry Errors Fixed To Date: " + fixed},
        {form.labScanLastScanDateTimeDetail, scan},
        {form.labScanLastScanFoundFixDetail,
         found + " Entries Found, " + fixed + " Entries Repaired"},
        {form.labRegistryDefragLastTimeDetail, defrag},
        {form.LabelErrorFound, "Attention: " + result + " Problems/Errors Found"},
        {form.LabelScanResult, "Scan Results (" + result + " Problems/Errors Found)"},
    };
}

void ExpectFigures(const std::vector<std::pair<TLabel*, std::string>>& figures) {
    for (const auto& [label, text] : figures) EXPECT_EQ(label->Caption(), text) << label->Name();
}

void ExpectCategoryBoxes(const TfrmMain& form, bool checked) {
    for (const TKitCheckBox* box : form.CategoryBoxes())
        EXPECT_EQ(box->Checked(), checked) << box->Name();
}

}  // namespace

TEST_F(MainOverviewAfterEarlierRuns, TheFiguresShowTheSettingsOfTheLastRun) {
    ExpectFigures(Figures(*Form, "Monday, May 04, 2026 - 9:15:00 AM", "7",
                          "Sunday, May 03, 2026 - 6:00:00 PM",
                          "Saturday, May 02, 2026 - 8:30:00 AM", "31", "24"));
}

TEST_F(MainOverview, ThePagesWithFiguresRefreshThemEachTimeTheyAreShown) {
    ExpectFigures(Figures(*Form, "...", "0", "...", "...", "0", "0"));
    AppSettings.LastScanDateTime = "Tuesday, May 05, 2026 - 10:00:00 AM";
    AppSettings.LastScanResult = 3;
    AppSettings.LastRegistryDefragDateTime = "Wednesday, May 06, 2026 - 11:00:00 AM";
    AppSettings.LastRegistryBackupDateTime = "Thursday, May 07, 2026 - 12:00:00 PM";
    AppSettings.InvalidRegistryEntriesFoundToDate = 40;
    AppSettings.RegistryErrorsFixedToDate = -2;
    const auto figures =
        Figures(*Form, AppSettings.LastScanDateTime, "3", AppSettings.LastRegistryDefragDateTime,
                AppSettings.LastRegistryBackupDateTime, "40", "-2");
    // Each page with figures, reached from a page without them; the figures
    // are cleared before the page is shown.
    TfrmMain& form = *Form;
    const struct {
        const char* Page;
        std::function<void()> From;
        std::function<void()> Show;
    } pages[] = {
        {"overview", [&] { form.SwitchPage(mpSettings); },
         [&] { form.btnTopOverviewClick(&form); }},
        {"scan", [&] { form.SwitchPage(mpRegistryScan, spResults); },
         [&] { form.btnRegistryScanScanClick(&form); }},
        {"defragmentation", [&] { form.SwitchPage(mpRegistryScan, spScan); },
         [&] { form.btnRegistryDefragClick(&form); }},
        {"progress", [&] { form.SwitchPage(mpRegistryScan, spScan); },
         [&] { form.SwitchPage(mpRegistryScan, spProgress); }},
    };
    for (const auto& page : pages) {
        SCOPED_TRACE(page.Page);
        page.From();
        for (const auto& figure : figures) figure.first->SetCaption("");
        page.Show();
        ExpectFigures(figures);
    }
}

TEST_F(MainOverview, TheCompleteScanBoxFollowsTheTwelveCategoriesFromTheSettings) {
    const struct {
        int Unchecked;  // category boxes off, from the first
        TCheckBoxState Complete;
    } cases[] = {{0, cbChecked}, {1, cbGrayed}, {11, cbGrayed}, {12, cbUnchecked}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Unchecked);
        AppSettings.ScanBoxCOM = c.Unchecked < 1;
        for (bool* field : {&AppSettings.ScanBoxApplicationPaths, &AppSettings.ScanBoxFileTypes,
                            &AppSettings.ScanBoxFonts, &AppSettings.ScanBoxHelpFiles,
                            &AppSettings.ScanBoxHistoryLists, &AppSettings.ScanBoxSharedFiles,
                            &AppSettings.ScanBoxShortcuts, &AppSettings.ScanBoxSoftware,
                            &AppSettings.ScanBoxSounds, &AppSettings.ScanBoxStartup})
            *field = c.Unchecked < 11;
        AppSettings.ScanBoxStartMenu = c.Unchecked < 12;
        Form->LoadPagesFromSettings();
        EXPECT_EQ(Form->CheckBoxComplete->State(), c.Complete);
    }
}

TEST_F(MainOverview, ClickingTheGrayedCompleteScanBoxChecksAllTwelve) {
    ClickControl(Form->btnTopRegistryScan);
    ASSERT_EQ(Form->CheckBoxComplete->State(), cbChecked);
    ClickControl(Form->Category(ScanFonts).CheckBox);
    EXPECT_EQ(Form->CheckBoxComplete->State(), cbGrayed);
    ClickControl(Form->CheckBoxComplete);
    EXPECT_EQ(Form->CheckBoxComplete->State(), cbChecked);
    ExpectCategoryBoxes(*Form, true);
}

TEST_F(MainOverview, UncheckingTheCompleteScanBoxUnchecksAllAndTheTwelfthBoxByHandChecksIt) {
    ClickControl(Form->btnTopRegistryScan);
    ClickControl(Form->CheckBoxComplete);
    EXPECT_EQ(Form->CheckBoxComplete->State(), cbUnchecked);
    ExpectCategoryBoxes(*Form, false);
    // From unchecked a click grays the box, which changes no category.
    ClickControl(Form->CheckBoxComplete);
    EXPECT_EQ(Form->CheckBoxComplete->State(), cbGrayed);
    ExpectCategoryBoxes(*Form, false);
    ClickControl(Form->CheckBoxComplete);
    ExpectCategoryBoxes(*Form, true);
    ClickControl(Form->CheckBoxComplete);
    ExpectCategoryBoxes(*Form, false);
    const auto boxes = Form->CategoryBoxes();
    for (size_t i = 0; i < boxes.size(); ++i) {
        ClickControl(boxes[i]);
        EXPECT_EQ(Form->CheckBoxComplete->State(), i + 1 < boxes.size() ? cbGrayed : cbChecked)
            << boxes[i]->Name();
    }
    ExpectCategoryBoxes(*Form, true);
}

TEST_F(MainOverview, DefaultThenApplyStartsTheProgramAtBootAndApplyWithItOffStopsThat) {
    StartAtBootValue value;
    ClickControl(Form->btnTopSettings);
    Form->chkSettingsStartScanWhenStarts->SetChecked(true);
    Form->chkSettingsStartMin->SetChecked(true);
    Form->chkSettingsConfirmBackup->SetChecked(false);
    ClickControl(Form->btnDefault);
    EXPECT_TRUE(Form->chkSettingsStartWhenSystemBoos->Checked());
    EXPECT_FALSE(Form->chkSettingsStartScanWhenStarts->Checked());
    EXPECT_FALSE(Form->chkSettingsStartMin->Checked());
    EXPECT_TRUE(Form->chkSettingsConfirmBackup->Checked());
    // Default changes the boxes only.
    EXPECT_FALSE(AppSettings.StartWhenSystemBoots);
    EXPECT_FALSE(value.Exists());

    ClickControl(Form->btnApply);
    EXPECT_TRUE(AppSettings.StartWhenSystemBoots);
    EXPECT_FALSE(AppSettings.StartScanWhenStarts);
    EXPECT_FALSE(AppSettings.StartMin);
    EXPECT_TRUE(AppSettings.ConfirmBackups);
    EXPECT_EQ(value.Text(), QuotedTestProgram());

    ClickControl(Form->chkSettingsStartWhenSystemBoos);
    ClickControl(Form->btnApply);
    EXPECT_FALSE(AppSettings.StartWhenSystemBoots);
    EXPECT_FALSE(value.Exists());
    // Off again with no value to remove: nothing to say.
    ClickControl(Form->btnApply);
    EXPECT_FALSE(value.Exists());
    EXPECT_TRUE(Boxes.empty());
    EXPECT_TRUE(Errors.empty());
}

TEST_F(MainOverview, ARefusedStartAtBootValueIsReportedWithTheOptionsAlreadyTaken) {
    StartAtBootValue value;
    ClickControl(Form->btnTopSettings);
    ClickControl(Form->chkSettingsStartWhenSystemBoos);
    ClickControl(Form->chkSettingsStartMin);
    {
        RefusedKey refused(HKEY_LOCAL_MACHINE, RunKey);
        ClickControl(Form->btnApply);
    }
    EXPECT_EQ(Errors, std::vector<std::string>({"Failed to set data for 'Holvane'"}));
    EXPECT_TRUE(AppSettings.StartWhenSystemBoots);
    EXPECT_TRUE(AppSettings.StartMin);
    EXPECT_FALSE(value.Exists());
}

TEST_F(MainOverview, TheDefragButtonStampsTheLaunchEvenWithoutTheTool) {
    ASSERT_FALSE(FileExists(Folder.Path() + "Sundrel.exe"));
    ClickControl(Form->btnDefragRegistry);
    ASSERT_EQ(Form->PageControlExRegistryScan->ActivePageIndex(), 2);
    const std::string before = CurrentDateTimeText();
    ClickControl(Form->btnDefagRegistry);
    const std::string after = CurrentDateTimeText();
    const std::string stamp = AppSettings.LastRegistryDefragDateTime;
    EXPECT_TRUE(stamp == before || stamp == after) << stamp;
    EXPECT_EQ(Form->labRegistryDefragLastTimeDetail->Caption(), stamp);
    EXPECT_EQ(BusyCursorDepth, 0);
    EXPECT_TRUE(Boxes.empty());
    EXPECT_TRUE(Errors.empty());
}
