// main.h - the tool's main window: a borderless window over the whole screen
// showing a grey copy of the desktop as it was when the tool started.
//
//   TfrmFullScreen   the full-screen window; on its start message it captures
//                    the desktop, shows itself and runs the progress window
//   CaptureDesktop   copies the screen into the window's desktop bitmap
//   GreyBitmap       turns a bitmap's coloured pixels grey (24 bits per pixel)
#pragma once

#include <classlib/Forms.h>
#include <classlib/Pictures.h>

#include <memory>

// Posted by the window to itself when it is made; handled once the message
// loop runs.
inline constexpr UINT WM_SHOWPROGRESS = WM_USER + 1;

class TfrmFullScreen : public TForm {
public:
    explicit TfrmFullScreen(TComponent* owner);
    ~TfrmFullScreen() override;

    // The desktop as captured; null before FormCreate and after FormDestroy.
    TBitmap* Desktop() const { return FDesktop.get(); }
    // The window shown modally over this one on the start message.
    void SetProgressForm(TCustomForm* form) { FProgressForm = form; }

    void FormCreate(TObject* sender);
    void FormDestroy(TObject* sender);
    void FormPaint(TObject* sender);

protected:
    void WndProc(TMessage& message) override;

private:
    void WMShowProgress();

    std::unique_ptr<TBitmap> FDesktop;
    TCustomForm* FProgressForm = nullptr;
};

// Sizes the window's desktop bitmap to the screen, fills it white and ANDs
// the screen's picture into it (on white: the picture itself).
void CaptureDesktop(TfrmFullScreen* form);

// Replaces the picture by a 24-bit copy in which every pixel whose red, green
// and blue differ becomes grey (2 * red + 5 * green + blue) >> 3; grey pixels
// stay as they are, so a second call changes nothing.
void GreyBitmap(TBitmap* bitmap);
