// progress.h - the tool's progress window: three texts over the skin's
// picture and a bar that grows one pixel every 40 ms for 180 steps, then the
// question whether to reboot now.
//
//   TfrmProgress   the modal progress window; it cannot be closed while the
//                  bar grows, and it ends the application after the question
#pragma once

#include <classlib/ExtCtrls.h>
#include <classlib/Forms.h>
#include <classlib/StdCtrls.h>

class TfrmProgress : public TForm {
public:
    // The bar's full width, one pixel per step.
    static constexpr int BarSteps = 180;
    static constexpr UINT StepInterval = 40;

    explicit TfrmProgress(TComponent* owner);

    // True from the window's show until the last step.
    bool Running() const { return FRunning; }

    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void FormCloseQuery(TObject* sender, bool& canClose);
    void TimerTimer(TObject* sender);

    TImage* ImageMain;
    TLabel* lblAnalyzingRegistry;
    TLabel* lblAnalysisCompleted;
    TImage* ImageProgress;
    TLabel* lblPleaseWait;
    TTimer* Timer;

private:
    TLabel* NewLabel(const char* name, const TRect& bounds, int size, bool bold, TColor color);
    void PlaceBackground();
    void CentreOnScreen();

    bool FRunning = false;
};
