// Splash.cpp - the splash window.
#include <app/Splash.h>
#include <app/TBLanguager.h>
#include <app/globals.h>
#include <classlib/IniFiles.h>
#include <classlib/SysUtils.h>

const char* const SplashCopyrightNotice = "Copyright (C) 2004-2009 Holvane Software. ";

namespace {

constexpr int SplashWidth = 482;
constexpr int SplashHeight = 243;

// The key of the skin file's main section that names the splash picture.
constexpr const char* SplashSkinKey = "Splash";
constexpr const char* NoSplashPicture = "NONE";

// The picture the window is built with: the product's name on a band of
// colour. The skin replaces it, or clears it with "NONE".
void PaintBuiltInPicture(TBitmap* bitmap) {
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(SplashWidth, SplashHeight);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetColor(static_cast<TColor>(0x5A4530));
    canvas->FillRect(Rect(0, 0, SplashWidth, SplashHeight));
    canvas->Font()->SetName("Tahoma");
    canvas->Font()->SetHeight(-36);
    canvas->Font()->SetColor(clWhite);
    canvas->Font()->SetStyle({fsBold});
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextOut(24, 40, ProductName);
}

}  // namespace

TfrmSplash::TfrmSplash(TComponent* owner) : TForm(owner) {
    BeginLoading();
    SetName("frmSplash");
    SetBorderStyle(bsNone);
    SetAutoSize(true);
    SetPosition(poScreenCenter);
    SetColor(clBtnFace);
    Font()->SetName("Tahoma");
    Font()->SetHeight(-11);
    Font()->SetCharset(DEFAULT_CHARSET);
    Font()->SetColor(clWindowText);
    SetClientSize(SplashWidth, SplashHeight);

    Image = new TImage(this);
    Image->SetName("Image");
    Image->SetParent(this);
    Image->SetBounds(0, 0, SplashWidth, SplashHeight);
    Image->SetAutoSize(true);
    PaintBuiltInPicture(Image->Picture()->Bitmap());

    LabelCopyright = new TLabel(this);
    LabelCopyright->SetName("LabelCopyright");
    LabelCopyright->SetParent(this);
    LabelCopyright->SetAutoSize(false);
    LabelCopyright->SetBounds(240, 160, 240, 80);
    LabelCopyright->SetTransparent(true);
    LabelCopyright->SetWordWrap(true);
    LabelCopyright->SetCaption("Holvane is starting...");

    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    EndLoading();
}

void TfrmSplash::FormCreate(TObject*) {
    ApplySplashSkin();
    Image->SetAutoSize(true);
    LabelCopyright->SetCaption(std::string(SplashCopyrightNotice) +
                               LanguageTexts["IDS_SPLASH_LABEL_Copyright"]);
}

// The picture file is not tested first: a missing or unreadable one raises
// the class library's error out of FormCreate.
void TfrmSplash::ApplySplashSkin() {
    TIniFile skin(AppSettings.SkinFilePath);
    std::string name = UpperCase(skin.ReadString(FormMainSection, SplashSkinKey, NoSplashPicture));
    if (name != NoSplashPicture)
        Image->Picture()->LoadFromFile(AppSettings.SkinPath + name);
    else
        Image->Picture()->Assign(nullptr);
}
