// Sundrel.cpp - the registry defragmentation tool: finds its folders in the
// main program's settings, reads its texts and skin, covers the screen with
// the greyed desktop and runs the progress window until the reboot question
// is answered.
#include <classlib/Forms.h>
#include <defrag/globals.h>
#include <defrag/main.h>
#include <defrag/multiLangs.h>
#include <defrag/multiSkins.h>
#include <defrag/progress.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Application->Initialize();
    if (!LoadToolSettings()) return 0;
    // On failure the built-in texts and values stay in use.
    LoadToolLanguage();
    LoadToolSkin();
    Application->SetTitle(ToolTitle);
    auto* fullScreen = Application->CreateForm<TfrmFullScreen>();
    auto* progress = Application->CreateForm<TfrmProgress>();
    fullScreen->SetProgressForm(progress);
    // The full-screen window shows itself once it has captured the desktop.
    Application->SetShowMainForm(false);
    Application->Run();
    return 0;
}
