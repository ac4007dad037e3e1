// main.cpp - the full-screen window with the greyed desktop.
#include <classlib/Graphics.h>
#include <defrag/main.h>

TfrmFullScreen::TfrmFullScreen(TComponent* owner) : TForm(owner) {
    BeginLoading();
    SetName("frmFullScreen");
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnPaint = [this](TObject* sender) { FormPaint(sender); };
    EndLoading();
}

// FormDestroy runs here rather than as OnDestroy: the base class fires that
// only after this class's members are gone.
TfrmFullScreen::~TfrmFullScreen() { FormDestroy(this); }

void TfrmFullScreen::FormCreate(TObject*) {
    FDesktop = std::make_unique<TBitmap>();
    SetBorderStyle(bsNone);
    SetBounds(0, 0, Screen->Width(), Screen->Height());
    SetDoubleBuffered(true);
    PostMessageA(Handle(), WM_SHOWPROGRESS, 0, 0);
}

void TfrmFullScreen::FormDestroy(TObject*) { FDesktop.reset(); }

void TfrmFullScreen::FormPaint(TObject*) {
    if (!FDesktop) return;
    GreyBitmap(FDesktop.get());
    Canvas()->Draw(-Left(), -Top(), FDesktop.get());
}

void TfrmFullScreen::WndProc(TMessage& message) {
    if (message.Msg == WM_SHOWPROGRESS) return WMShowProgress();
    TForm::WndProc(message);
}

// The desktop is taken before this window is on the screen, so the copy
// never holds the window itself.
void TfrmFullScreen::WMShowProgress() {
    CaptureDesktop(this);
    Show();
    if (FProgressForm) FProgressForm->ShowModal();
}

void CaptureDesktop(TfrmFullScreen* form) {
    TBitmap* desktop = form->Desktop();
    if (!desktop) return;
    const TRect screen = Rect(0, 0, Screen->Width(), Screen->Height());
    desktop->SetSize(screen.right, screen.bottom);
    TCanvas* canvas = desktop->Canvas();
    canvas->FillRect(screen);
    TWindowCanvas screenCanvas;
    canvas->SetCopyMode(SRCAND);
    canvas->CopyRect(screen, &screenCanvas, screen);
    canvas->SetCopyMode(SRCCOPY);
}

void GreyBitmap(TBitmap* bitmap) {
    TBitmap grey;
    grey.Assign(bitmap);
    grey.SetPixelFormat(pf24bit);
    const int width = grey.Width();
    for (int row = 0; row < grey.Height(); ++row) {
        uint8_t* pixel = grey.ScanLine(row);
        for (uint8_t* end = pixel + 3 * width; pixel != end; pixel += 3) {
            const unsigned blue = pixel[0], green = pixel[1], red = pixel[2];
            if (red == green && green == blue) continue;
            const auto value = static_cast<uint8_t>((2 * red + 5 * green + blue) >> 3);
            pixel[0] = pixel[1] = pixel[2] = value;
        }
    }
    bitmap->Assign(&grey);
}
