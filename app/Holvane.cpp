// Holvane.cpp - the main program: settings and texts first, then the splash
// window while the main window is built, then the message loop.
#include <app/Splash.h>
#include <app/TBLanguager.h>
#include <app/globals.h>
#include <app/main.h>
#include <classlib/Forms.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Application->Initialize();
    // Without a settings file the defaults stay in use; both loaders say why.
    LoadSettings();
    LoadLanguage();
    Application->SetTitle(ProductName);
    auto* splash = new TfrmSplash(Application);
    splash->Show();
    splash->Update();
    Application->CreateForm<TfrmMain>();
    splash->Hide();
    delete splash;
    Application->Run();
    return 0;
}
