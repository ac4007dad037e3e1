// progress.cpp - the progress window and its timed bar.
#include <classlib/SysUtils.h>
#include <defrag/globals.h>
#include <defrag/multiLangs.h>
#include <defrag/multiSkins.h>
#include <defrag/progress.h>

#include <optional>

namespace {

// The bar's picture, a resource of the program.
constexpr const char* BarResource = "PROGRESSBAR";
constexpr int RebootKind = 3;

}  // namespace

TfrmProgress::TfrmProgress(TComponent* owner) : TForm(owner) {
    BeginLoading();
    SetName("frmProgress");
    SetBorderStyle(bsNone);
    SetPosition(poScreenCenter);
    SetAutoSize(true);

    ImageMain = new TImage(this);
    ImageMain->SetName("ImageMain");
    ImageMain->SetParent(this);
    ImageMain->SetBounds(0, 0, 391, 183);
    ImageMain->SetAutoSize(true);

    lblAnalyzingRegistry =
        NewLabel("lblAnalyzingRegistry", Bounds(52, 20, 320, 16), 10, true, clWhite);
    lblAnalyzingRegistry->SetCaption("Analyzing the registry");
    lblAnalysisCompleted =
        NewLabel("lblAnalysisCompleted", Bounds(32, 140, 328, 42), 8, false, clWhite);
    lblAnalysisCompleted->SetAlignment(taCenter);
    lblAnalysisCompleted->SetWordWrap(true);

    ImageProgress = new TImage(this);
    ImageProgress->SetName("ImageProgress");
    ImageProgress->SetParent(this);
    ImageProgress->SetBounds(105, 107, BarSteps, 16);
    ImageProgress->Picture()->Bitmap()->LoadFromResourceName(GetModuleHandleA(nullptr),
                                                             BarResource);

    lblPleaseWait = NewLabel("lblPleaseWait", Bounds(40, 80, 312, 17), 10, true, clWindow);
    lblPleaseWait->SetCaption("Please Wait...");
    lblPleaseWait->SetAlignment(taCenter);
    lblPleaseWait->SetWordWrap(true);

    Timer = new TTimer(this);
    Timer->SetName("Timer");
    Timer->SetEnabled(false);

    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnShow = [this](TObject* sender) { FormShow(sender); };
    OnCloseQuery = [this](TObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
    Timer->OnTimer = [this](TObject* sender) { TimerTimer(sender); };
    EndLoading();
}

// The texts keep the bounds they were designed with: a centred text needs its
// full width, and a longer translation wraps inside it.
TLabel* TfrmProgress::NewLabel(const char* name, const TRect& bounds, int size, bool bold,
                               TColor color) {
    auto* label = new TLabel(this);
    label->SetName(name);
    label->SetParent(this);
    label->SetAutoSize(false);
    label->SetBoundsRect(bounds);
    label->SetTransparent(true);
    label->Font()->SetName("Tahoma");
    label->Font()->SetSize(size);
    label->Font()->SetColor(color);
    if (bold) label->Font()->SetStyle({fsBold});
    return label;
}

void TfrmProgress::FormCreate(TObject*) { FRunning = false; }

void TfrmProgress::FormShow(TObject*) {
    SetDoubleBuffered(true);
    ImageProgress->SetWidth(0);
    Timer->SetInterval(StepInterval);
    Timer->SetEnabled(true);
    FRunning = true;
    lblAnalyzingRegistry->SetCaption(ToolTexts.AnalyzingRegistry);
    lblPleaseWait->SetCaption(ToolTexts.PleaseWait);
    lblAnalysisCompleted->SetCaption(ToolTexts.AnalysisCompleted);
    PlaceBackground();
    CentreOnScreen();
}

// The placement comes first, so that a picture gives the image its own size.
// A placement field that is no number is reported as the application reports
// errors, and the window goes on with its designed placement and the picture.
void TfrmProgress::PlaceBackground() {
    std::optional<EConvertError> failure;
    try {
        ApplyImagePlacement(ImageMain, ToolSkin.Pos);
    } catch (const EConvertError& error) {
        failure = error;
    }
    LoadImagePicture(ImageMain, ToolPaths.SkinPath, ToolSkin.PicBackGround);
    if (failure) Application->HandleException(this, *failure);
}

// The window is placed before it is shown; its size changes with the skin
// while it is shown, so it is centred again for that size.
void TfrmProgress::CentreOnScreen() {
    SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(),
              Height());
}

void TfrmProgress::FormCloseQuery(TObject*, bool& canClose) { canClose = !FRunning; }

void TfrmProgress::TimerTimer(TObject*) {
    if (ImageProgress->Width() < BarSteps) ImageProgress->SetWidth(ImageProgress->Width() + 1);
    if (ImageProgress->Width() < BarSteps) return;
    Timer->SetEnabled(false);
    FRunning = false;
    if (ShowToolMessage(ToolTexts.Reboot, ToolCaption, MB_YESNO | MB_ICONQUESTION) == IDYES)
        DoPowerAction(RebootKind);
    Application->Terminate();
}
