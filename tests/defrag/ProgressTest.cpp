// The progress window on the test display: its texts and skin at show, the
// bar's 180 steps and the one question after them, the answers, and closing
// refused while the bar grows. The timer's handler is driven directly, or the
// timer runs at a short interval: no test waits the real 7.2 seconds.
#include <defrag/progress.h>
#include <gtest/gtest.h>

#include <memory>

#include "ToolFixture.h"
#include "WindowFixture.h"

namespace {

constexpr UINT RebootQuestion = MB_YESNO | MB_ICONQUESTION;

class ProgressWindow : public ToolTest {
protected:
    void SetUp() override {
        ToolTest::SetUp();
        ToolPaths.SkinPath = InstalledProgramFolder() + "Skins\\";
        ToolSkin.Pos = "0, 0, 391, 183";
    }
    void TearDown() override {
        Progress.reset();
        ToolTest::TearDown();
    }

    // A progress window, shown without its modal loop; its timer stopped, so
    // that the test takes the steps.
    void ShowStopped() {
        Progress = std::make_unique<TfrmProgress>(nullptr);
        Progress->Show();
        Progress->Timer->SetEnabled(false);
    }
    void Step(int count) {
        for (int i = 0; i < count; ++i) Progress->TimerTimer(Progress->Timer);
    }

    TScopedApplication App;
    std::unique_ptr<TfrmProgress> Progress;
};

}  // namespace

TEST_F(ProgressWindow, ShowStartsTheBarWithTheTextsAsStoredAndTheSkinPicture) {
    ToolTexts.AnalyzingRegistry = "Registry wird#13analysiert";
    ToolTexts.PleaseWait = "Bitte warten";
    ToolTexts.AnalysisCompleted = "Das kann dauern.";
    Progress = std::make_unique<TfrmProgress>(nullptr);
    EXPECT_FALSE(Progress->Running());
    EXPECT_FALSE(Progress->Timer->Enabled());
    EXPECT_EQ(Progress->ImageProgress->Picture()->Width(), TfrmProgress::BarSteps);
    EXPECT_EQ(Progress->ImageProgress->Picture()->Height(), 16);
    EXPECT_EQ(Progress->ImageProgress->Picture()->Bitmap()->PixelFormat(), pf24bit);

    Progress->Show();
    EXPECT_TRUE(Progress->Running());
    EXPECT_TRUE(Progress->Timer->Enabled());
    EXPECT_EQ(Progress->Timer->Interval(), 40u);
    EXPECT_EQ(Progress->ImageProgress->Width(), 0);
    EXPECT_EQ(Progress->lblAnalyzingRegistry->Caption(), "Registry wird#13analysiert");
    EXPECT_EQ(Progress->lblPleaseWait->Caption(), "Bitte warten");
    EXPECT_EQ(Progress->lblAnalysisCompleted->Caption(), "Das kann dauern.");
    EXPECT_EQ(Progress->ImageMain->Picture()->Width(), 391);
    EXPECT_EQ(Progress->ImageMain->Width(), 391);
    EXPECT_EQ(Progress->ClientWidth(), 391);
    EXPECT_EQ(Progress->ClientHeight(), 183);
    EXPECT_EQ(Progress->Left(), (Screen->Width() - 391) / 2);
    EXPECT_EQ(Progress->Top(), (Screen->Height() - 183) / 2);
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(ProgressWindow, WithoutASkinPictureTheImageKeepsItsPlacedSize) {
    ScratchFolder empty;
    ToolPaths.SkinPath = empty.Path();
    ToolSkin = TToolSkin{};
    ShowStopped();
    EXPECT_EQ(Progress->ImageMain->Width(), 183);
    EXPECT_EQ(Progress->ImageMain->Height(), 391);
    EXPECT_EQ(Progress->ImageMain->Picture()->Graphic(), nullptr);
}

TEST_F(ProgressWindow, APlacementThatIsNoNumberIsReportedAndTheWindowGoesOn) {
    std::vector<std::string> errors;
    App->OnException = [&](TObject*, const std::exception& error) {
        errors.push_back(error.what());
    };
    ToolSkin.Pos = "0, 0, wide, 183";
    ShowStopped();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "'wide' is not a valid integer value");
    EXPECT_TRUE(Progress->Running());
    EXPECT_EQ(Progress->ImageMain->Picture()->Width(), 391);
}

TEST_F(ProgressWindow, TheBarGrowsOnePixelAStepAndTheQuestionComesOnceAfterTheLast) {
    Answer = IDNO;
    ShowStopped();
    for (int width = 1; width < TfrmProgress::BarSteps; ++width) {
        Step(1);
        ASSERT_EQ(Progress->ImageProgress->Width(), width);
        ASSERT_TRUE(Boxes.empty()) << width;
    }
    EXPECT_FALSE(App->Terminated());
    Step(1);
    EXPECT_EQ(Progress->ImageProgress->Width(), TfrmProgress::BarSteps);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, TToolTexts{}.Reboot);
    EXPECT_EQ(Boxes[0].Caption, "Sundrel");
    EXPECT_EQ(Boxes[0].Flags, RebootQuestion);
    EXPECT_TRUE(Boxes[0].Owned);
    EXPECT_FALSE(Progress->Running());
    EXPECT_FALSE(Progress->Timer->Enabled());
    // No: the tool ends without asking for a reboot.
    EXPECT_TRUE(PowerLog.empty());
    EXPECT_TRUE(App->Terminated());
}

TEST_F(ProgressWindow, YesAsksForTheRebootWithTheShutdownPrivilegeThenEnds) {
    Answer = IDYES;
    ToolTexts.Reboot = "Jetzt neu starten?";
    ShowStopped();
    Step(TfrmProgress::BarSteps);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "Jetzt neu starten?");
    ASSERT_EQ(PowerLog.size(), 1u);
    EXPECT_EQ(PowerLog[0].Name, "ExitWindowsEx");
    EXPECT_EQ(PowerLog[0].First, static_cast<UINT>(EWX_REBOOT));
    EXPECT_TRUE(PowerLog[0].PrivilegeEnabled);
    EXPECT_FALSE(ShutdownEnabled());
    EXPECT_TRUE(App->Terminated());
}

TEST_F(ProgressWindow, ClosingIsRefusedWhileTheBarGrowsAndTheModalRunEndsAfterTheQuestion) {
    Answer = IDNO;
    Progress = std::make_unique<TfrmProgress>(nullptr);
    TfrmProgress* progress = Progress.get();
    std::vector<int> widths;
    int refused = 0;
    bool activeForKeys = false;
    bool visibleAtQuestion = false;
    progress->OnShow = [&](TObject* sender) {
        progress->FormShow(sender);
        progress->Timer->SetInterval(1);
    };
    progress->OnCloseQuery = [&](TObject* sender, bool& canClose) {
        progress->FormCloseQuery(sender, canClose);
        if (!canClose) ++refused;
    };
    // At the first step, with the window on the screen: the close message,
    // the close command, and Alt+F4 pressed on the active window.
    progress->Timer->OnTimer = [&](TObject* sender) {
        progress->TimerTimer(sender);
        widths.push_back(progress->ImageProgress->Width());
        if (widths.size() != 1) return;
        HWND window = progress->Handle();
        PostMessageA(window, WM_CLOSE, 0, 0);
        PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        activeForKeys = GetActiveWindow() == window;
        KeyEvent(VK_MENU, true);
        KeyEvent(VK_F4, true);
        KeyEvent(VK_F4, false);
        KeyEvent(VK_MENU, false);
    };
    App->OnMessageBox = [&](const std::string& text, const std::string& caption, UINT flags) {
        visibleAtQuestion = progress->Visible();
        Boxes.push_back({text, caption, flags, true});
        return IDNO;
    };

    progress->ShowModal();
    EXPECT_TRUE(activeForKeys);
    EXPECT_EQ(refused, 3);  // WM_CLOSE, the close command and Alt+F4
    ASSERT_EQ(widths.size(), static_cast<size_t>(TfrmProgress::BarSteps));
    for (int i = 0; i < TfrmProgress::BarSteps; ++i) ASSERT_EQ(widths[i], i + 1);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_TRUE(visibleAtQuestion);
    EXPECT_TRUE(App->Terminated());
    EXPECT_FALSE(progress->Visible());
    EXPECT_TRUE(PowerLog.empty());
    // After the question the window may close.
    EXPECT_TRUE(progress->CloseQuery());
}
