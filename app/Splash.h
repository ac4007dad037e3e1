// Splash.h - the splash window shown while the main window is being built:
// the skin's picture with the copyright notice over it.
#pragma once

#include <classlib/ExtCtrls.h>
#include <classlib/Forms.h>
#include <classlib/StdCtrls.h>

#include <string>

class TfrmSplash : public TForm {
public:
    // Builds the window and its two controls, then runs FormCreate as the
    // window's creation handler (an error from it goes to the application's
    // error box, and the window stays).
    explicit TfrmSplash(TComponent* owner);

    TImage* Image = nullptr;
    TLabel* LabelCopyright = nullptr;

    void FormCreate(TObject* sender);
    // Loads Image's picture from the skin file's key "Splash" of "FORMMAIN",
    // or clears it when the key says "NONE" (or the skin file is missing).
    void ApplySplashSkin();
};

// The program's own copyright notice that opens the splash text.
extern const char* const SplashCopyrightNotice;
