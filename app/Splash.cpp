// Splash.cpp - the splash window.
#include <app/Splash.h>
#include <app/TBLanguager.h>
#include <app/globals.h>
#include <classlib/IniFiles.h>
#include <classlib/SysUtils.h>

const char* const SplashCopyrightNotice = "Copyright (C) 2004-2009 Holvane Software. ";

TfrmSplash::TfrmSplash(TComponent* owner) : TForm(owner) {
    BeginLoading();
    SetName("frmSplash");
    SetBorderStyle(bsNone);
    SetPosition(poScreenCenter);
    SetColor(clBtnFace);
    Font()->SetName("Tahoma");
    Font()->SetHeight(-11);
    SetClientSize(482, 243);
    Image = new TImage(this);
    Image->SetName("Image");
    Image->SetParent(this);
    Image->SetBounds(0, 0, 482, 243);
    LabelCopyright = new TLabel(this);
    LabelCopyright->SetName("LabelCopyright");
    LabelCopyright->SetParent(this);
    LabelCopyright->SetBounds(240, 160, 240, 80);
    LabelCopyright->SetCaption("Holvane");
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    EndLoading();
}

void TfrmSplash::FormCreate(TObject*) {
    ApplySplashSkin();
    Image->SetAutoSize(true);
    LabelCopyright->SetCaption(std::string(SplashCopyrightNotice) +
                               LanguageTexts["IDS_SPLASH_LABEL_Copyright"]);
}

void TfrmSplash::ApplySplashSkin() {
    TIniFile skin(AppSettings.SkinFilePath);
    std::string name = UpperCase(skin.ReadString("FORMMAIN", "Splash", "NONE"));
    if (name != "NONE")
        Image->Picture()->LoadFromFile(AppSettings.SkinPath + name);
    else
        Image->Picture()->Assign(nullptr);
}
