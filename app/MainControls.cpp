// MainControls.cpp - the main window as it is designed: every control with
// its name, class, parent and place, and the window's built-in look, which
// the skin file replaces control by control.
//
// Built-in look: a plain window in the product's colours, with the caption
// band and side column painted into the window's outline, flat buttons with
// their captions, and the places and fonts the shipped skin gives. It is what
// the user sees when the skin folder is missing.
#include <app/globals.h>
#include <app/main.h>
#include <classlib/Graphics.h>

namespace {

// The window's client size as designed.
constexpr int DesignWidth = 914;
constexpr int DesignHeight = 625;

// The product's colours (0x00BBGGRR).
constexpr TColor InkColor = 0x352A1E;
constexpr TColor MutedColor = 0x75685A;
constexpr TColor AccentColor = 0x7E8A1F;
constexpr TColor AlertColor = 0x2B39C0;
constexpr TColor CaptionBandColor = 0x4A3A1C;
constexpr TColor SideColor = 0xEEEAE7;
constexpr TColor PageColor = 0xF8F5F2;
constexpr TColor SheetColor = 0xFFFFFF;
constexpr TColor TabColor = 0xE9E3DD;
constexpr TColor SecondaryColor = 0xFAF8F6;
constexpr TColor PrimaryColor = 0xF0F3E2;
constexpr TColor BarLightColor = 0xB9C45E;

// The resources: the results tree's row picture and the rescue list's.
constexpr const char* ResultEntryResource = "RESULTENTRY";
constexpr const char* RescueItemResource = "RESCUEITEM";
constexpr const char* ScanBusyResource = "SCANBUSY";
constexpr const char* ScanDoneResource = "SCANDONE";

// The text styles of the labels.
enum class TTextKind { Title, Heading, Strong, Figure, Text, Muted, Alert, Link };

struct TTextStyle {
    int Size;
    TFontStyles Style;
    TColor Color;
};

TTextStyle StyleOf(TTextKind kind) {
    switch (kind) {
        case TTextKind::Title:
            return {14, {fsBold}, InkColor};
        case TTextKind::Heading:
            return {12, {fsBold}, InkColor};
        case TTextKind::Strong:
            return {9, {fsBold}, InkColor};
        case TTextKind::Figure:
            return {9, {}, MutedColor};
        case TTextKind::Text:
            return {8, {}, InkColor};
        case TTextKind::Muted:
            return {8, {}, MutedColor};
        case TTextKind::Alert:
            return {8, {fsBold}, AlertColor};
        case TTextKind::Link:
            return {8, {fsUnderline}, AccentColor};
    }
    return {8, {}, InkColor};
}

void SetFontStyle(TFont* font, const TTextStyle& style) {
    font->SetName("Tahoma");
    font->SetCharset(DEFAULT_CHARSET);
    font->SetSize(style.Size);
    font->SetStyle(style.Style);
    font->SetColor(style.Color);
}

// The kinds of picture buttons: the side column's page buttons, the tabs of a
// page, the two action buttons of a page (the main one and the other), the
// overview's three tiles and the caption buttons.
enum class TButtonKind { Page, Tab, Primary, Secondary, Tile, Caption };

struct TButtonLook {
    TColor Face;
    TTextStyle Font;
    TColor DisabledText;  // the chosen page's button is the disabled one
};

TButtonLook LookOf(TButtonKind kind) {
    switch (kind) {
        case TButtonKind::Page:
            return {SideColor, {9, {fsBold}, InkColor}, AccentColor};
        case TButtonKind::Tab:
            return {TabColor, {8, {}, InkColor}, AccentColor};
        case TButtonKind::Primary:
            return {PrimaryColor, {8, {fsBold}, InkColor}, MutedColor};
        case TButtonKind::Secondary:
            return {SecondaryColor, {8, {}, InkColor}, MutedColor};
        case TButtonKind::Tile:
            return {SheetColor, {9, {fsBold}, InkColor}, MutedColor};
        case TButtonKind::Caption:
            return {CaptionBandColor, {8, {}, InkColor}, MutedColor};
    }
    return {SheetColor, {8, {}, InkColor}, MutedColor};
}

// The built-in outline of the window: the caption band with the product's
// name, the side column and the page area.
void PaintBuiltInWindow(TBitmap* bitmap) {
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(DesignWidth, DesignHeight);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetColor(PageColor);
    canvas->FillRect(Rect(0, 0, DesignWidth, DesignHeight));
    canvas->Brush()->SetColor(SideColor);
    canvas->FillRect(Rect(0, 48, 190, DesignHeight));
    canvas->Brush()->SetColor(CaptionBandColor);
    canvas->FillRect(Rect(0, 0, DesignWidth, 48));
    canvas->Brush()->SetStyle(bsClear);
    SetFontStyle(canvas->Font(), {16, {fsBold}, clWhite});
    canvas->TextOut(16, 12, ProductName);
}

// A caption button's picture: its sign in white on the caption band.
enum class TCaptionSign { Minimise, Help, Close };

void PaintCaptionSign(TPicture* picture, TCaptionSign sign) {
    TBitmap* bitmap = picture->Bitmap();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(17, 17);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetColor(CaptionBandColor);
    canvas->FillRect(Rect(0, 0, 17, 17));
    canvas->Pen()->SetColor(clWhite);
    canvas->Pen()->SetWidth(2);
    switch (sign) {
        case TCaptionSign::Minimise:
            canvas->MoveTo(4, 12);
            canvas->LineTo(13, 12);
            break;
        case TCaptionSign::Close:
            canvas->MoveTo(4, 4);
            canvas->LineTo(13, 13);
            canvas->MoveTo(12, 4);
            canvas->LineTo(3, 13);
            break;
        case TCaptionSign::Help:
            canvas->Brush()->SetStyle(bsClear);
            SetFontStyle(canvas->Font(), {9, {fsBold}, clWhite});
            canvas->TextOut(5, 1, "?");
            break;
    }
}

}  // namespace

// --- Building blocks -------------------------------------------------------------------

namespace {

template <class T>
T* NewControl(TfrmMain* form, TWinControl* parent, const char* name, const TRect& bounds) {
    auto* control = new T(form);
    control->SetName(name);
    control->SetParent(parent);
    control->SetBoundsRect(bounds);
    return control;
}

TLabel* NewLabel(TfrmMain* form, TWinControl* parent, const char* name, const TRect& bounds,
                 TTextKind kind) {
    auto* label = NewControl<TLabel>(form, parent, name, bounds);
    label->SetAutoSize(false);
    label->SetTransparent(true);
    label->SetWordWrap(true);
    label->SetParentFont(false);
    SetFontStyle(label->Font(), StyleOf(kind));
    if (kind == TTextKind::Link) label->SetCursor(crHandPoint);
    return label;
}

// Where the captions of the page buttons and the overview's tiles begin: past
// the icon at the left of the shipped skin's pictures.
constexpr int PageCaptionLeft = 48;
constexpr int TileCaptionLeft = 70;

// A caption from left, in the middle of the button's height, in the
// button's font; it stays in place when the button is held down.
void PlaceCaption(TPicButton* button, int left) {
    TBitmap measure;
    measure.Canvas()->SetFont(button->Font());
    button->SetTextAlign(TPicTextAlign::taCustom);
    button->SetTextX(left);
    button->SetTextY((button->Height() - measure.Canvas()->TextHeight("X")) / 2);
}

TPicButton* NewButton(TfrmMain* form, TWinControl* parent, const char* name, const TRect& bounds,
                      TButtonKind kind) {
    auto* button = NewControl<TPicButton>(form, parent, name, bounds);
    const TButtonLook look = LookOf(kind);
    button->SetParentColor(false);
    button->SetColor(look.Face);
    button->SetParentFont(false);
    SetFontStyle(button->Font(), look.Font);
    // The skin gives only the plain font: the other states keep its size and style.
    button->SetFontMouseHover(button->Font());
    button->SetFontMouseDown(button->Font());
    TFont disabled;
    disabled.Assign(button->Font());
    disabled.SetColor(look.DisabledText);
    button->SetFontDisabled(&disabled);
    if (kind == TButtonKind::Page) PlaceCaption(button, PageCaptionLeft);
    if (kind == TButtonKind::Tile) PlaceCaption(button, TileCaptionLeft);
    return button;
}

TKitCheckBox* NewCheckBox(TfrmMain* form, TWinControl* parent, const char* name,
                          const TRect& bounds) {
    auto* box = NewControl<TKitCheckBox>(form, parent, name, bounds);
    box->SetParentColor(false);
    box->SetColor(SheetColor);
    box->SetTransparent(true);
    box->SetParentFont(false);
    SetFontStyle(box->Font(), StyleOf(TTextKind::Text));
    return box;
}

TImagePanel* NewPanel(TfrmMain* form, TWinControl* parent, const char* name, const TRect& bounds,
                      TColor color) {
    auto* panel = NewControl<TImagePanel>(form, parent, name, bounds);
    panel->SetParentColor(false);
    panel->SetColor(color);
    panel->SetBevelOuter(bvNone);
    return panel;
}

// A page of a page control, filled by its picture panel.
TTabSheet* NewSheet(TfrmMain* form, TPageControlEx* pages, const char* name) {
    auto* sheet = new TTabSheet(form);
    sheet->SetName(name);
    sheet->SetPageControl(pages);
    sheet->SetTabVisible(false);
    return sheet;
}

TPageControlEx* NewPages(TfrmMain* form, TWinControl* parent, const char* name,
                         const TRect& bounds) {
    auto* pages = NewControl<TPageControlEx>(form, parent, name, bounds);
    pages->SetStyle(tsButtons);
    return pages;
}

TImage* NewIcon(TfrmMain* form, TWinControl* parent, const char* name, const TRect& bounds) {
    auto* image = NewControl<TImage>(form, parent, name, bounds);
    image->SetAutoSize(true);
    image->SetTransparent(false);
    return image;
}

TAction* NewAction(TfrmMain* form, TActionList* list, const char* name) {
    auto* action = new TAction(form);
    action->SetName(name);
    action->SetActionList(list);
    return action;
}

TMenuItem* NewMenuItem(TfrmMain* form, TMenuItem* parent, const char* name) {
    auto* item = new TMenuItem(form);
    item->SetName(name);
    parent->Add(item);
    return item;
}

// Sizes of the pages: a top page fills the page area, a sub-page the page
// control inside its top page.
const TRect TopPageBounds = Rect(0, 0, 716, 568);
const TRect SubPageBounds = Rect(0, 0, 676, 502);
const TRect SubPagesBounds = Bounds(20, 50, 676, 502);

// Places on a sub-page: its heading, and the two action buttons at the bottom.
const TRect HeadingBounds = Bounds(24, 20, 620, 24);
const TRect MainButtonBounds = Bounds(502, 442, 150, 36);
const TRect OtherButtonBounds = Bounds(346, 442, 150, 36);

TRect TabBounds(int index) { return Bounds(20 + 152 * index, 16, 150, 34); }

}  // namespace

// --- The window ------------------------------------------------------------------------

void TfrmMain::CreateControls() {
    CreateFrame();
    CreateOverviewPage();
    CreateScanPage();
    CreateSettingsPage();
    CreateRestorePage();
    CreateAboutPage();
    CreateComponents();
    ConnectEvents();
}

void TfrmMain::CreateFrame() {
    WindowSkin = new TWindowSkin(this);
    WindowSkin->SetName("WindowSkin");
    WindowSkin->SetParent(this);
    // Painted in place, then shaped as the skin loader shapes a glyph it
    // loads: no copy of the outline is made.
    PaintBuiltInWindow(WindowSkin->Glyph());
    WindowSkin->SetTransparentColor(WindowSkin->TransparentColor());

    btnMin = NewButton(this, this, "btnMin", Bounds(839, 15, 17, 17), TButtonKind::Caption);
    PaintCaptionSign(btnMin->PicNormal(), TCaptionSign::Minimise);
    btnHelp = NewButton(this, this, "btnHelp", Bounds(862, 15, 17, 17), TButtonKind::Caption);
    PaintCaptionSign(btnHelp->PicNormal(), TCaptionSign::Help);
    btnClose = NewButton(this, this, "btnClose", Bounds(885, 15, 17, 17), TButtonKind::Caption);
    PaintCaptionSign(btnClose->PicNormal(), TCaptionSign::Close);

    btnTopOverview =
        NewButton(this, this, "btnTopOverview", Bounds(12, 64, 166, 40), TButtonKind::Page);
    btnTopRegistryScan =
        NewButton(this, this, "btnTopRegistryScan", Bounds(12, 110, 166, 40), TButtonKind::Page);
    btnTopSettings =
        NewButton(this, this, "btnTopSettings", Bounds(12, 156, 166, 40), TButtonKind::Page);
    btnTopRestore =
        NewButton(this, this, "btnTopRestore", Bounds(12, 202, 166, 40), TButtonKind::Page);

    ImagePanelMain = NewPanel(this, this, "ImagePanelMain", Bounds(190, 48, 716, 568), PageColor);
    PageControlExMain = NewPages(this, ImagePanelMain, "PageControlExMain", TopPageBounds);
    TabSheetOverview = NewSheet(this, PageControlExMain, "TabSheetOverview");
    TabSheetRegistryScan = NewSheet(this, PageControlExMain, "TabSheetRegistryScan");
    TabSheetSettings = NewSheet(this, PageControlExMain, "TabSheetSettings");
    TabSheetRestrore = NewSheet(this, PageControlExMain, "TabSheetRestrore");
    TabSheetOtherInfo = NewSheet(this, PageControlExMain, "TabSheetOtherInfo");
}

void TfrmMain::CreateOverviewPage() {
    TImagePanel* page = ImagePanelOverview =
        NewPanel(this, TabSheetOverview, "ImagePanelOverview", TopPageBounds, PageColor);
    labSystemOverview =
        NewLabel(this, page, "labSystemOverview", Bounds(24, 18, 620, 26), TTextKind::Title);
    labInRed = NewLabel(this, page, "labInRed", Bounds(24, 50, 620, 16), TTextKind::Muted);
    // Four figures with their captions, then the two running totals.
    struct TFigure {
        TLabel** Caption;
        const char* CaptionName;
        TLabel** Detail;
        const char* DetailName;
        int Top;
        TTextKind DetailKind;
    };
    const TFigure figures[] = {
        {&labLastScan, "labLastScan", &labLastScanDetail, "labLastScanDetail", 100,
         TTextKind::Figure},
        {&labScanResults, "labScanResults", &labScanResultsDetail, "labScanResultsDetail", 156,
         TTextKind::Alert},
        {&labLastRegistryDefrag, "labLastRegistryDefrag", &labLastRegistryDefragDetail,
         "labLastRegistryDefragDetail", 212, TTextKind::Figure},
        {&labRegistryBackup, "labRegistryBackup", &labRegistryBackupDetail,
         "labRegistryBackupDetail", 268, TTextKind::Figure},
    };
    for (const TFigure& figure : figures) {
        *figure.Caption = NewLabel(this, page, figure.CaptionName, Bounds(88, figure.Top, 200, 16),
                                   TTextKind::Strong);
        *figure.Detail = NewLabel(this, page, figure.DetailName, Bounds(300, figure.Top, 380, 16),
                                  figure.DetailKind);
    }
    labScanResultsDetail->Font()->SetSize(9);
    labInvalidRegistryEntriesFound = NewLabel(this, page, "labInvalidRegistryEntriesFound",
                                              Bounds(88, 338, 580, 16), TTextKind::Figure);
    labRegistryErrorFixed =
        NewLabel(this, page, "labRegistryErrorFixed", Bounds(88, 368, 580, 16), TTextKind::Figure);
    for (TLabel* total : {labInvalidRegistryEntriesFound, labRegistryErrorFixed})
        total->Font()->SetColor(InkColor);

    btnStartScan =
        NewButton(this, page, "btnStartScan", Bounds(20, 428, 216, 64), TButtonKind::Tile);
    btnDefragRegistry =
        NewButton(this, page, "btnDefragRegistry", Bounds(250, 428, 216, 64), TButtonKind::Tile);
    btnSettings =
        NewButton(this, page, "btnSettings", Bounds(480, 428, 216, 64), TButtonKind::Tile);
}

void TfrmMain::CreateScanPage() {
    TImagePanel* page = ImagePanelRegistryScan =
        NewPanel(this, TabSheetRegistryScan, "ImagePanelRegistryScan", TopPageBounds, PageColor);
    btnRegistryScanScan =
        NewButton(this, page, "btnRegistryScanScan", TabBounds(0), TButtonKind::Tab);
    btnRegistryScanResults =
        NewButton(this, page, "btnRegistryScanResults", TabBounds(1), TButtonKind::Tab);
    btnRegistryDefrag = NewButton(this, page, "btnRegistryDefrag", TabBounds(2), TButtonKind::Tab);
    PageControlExRegistryScan = NewPages(this, page, "PageControlExRegistryScan", SubPagesBounds);
    TabSheetRegistryScanScan =
        NewSheet(this, PageControlExRegistryScan, "TabSheetRegistryScanScan");
    TabSheetRegistryScanResults =
        NewSheet(this, PageControlExRegistryScan, "TabSheetRegistryScanResults");
    TabSheetRegistryScanDefrag =
        NewSheet(this, PageControlExRegistryScan, "TabSheetRegistryScanDefrag");
    TabSheetRegistryScanPross =
        NewSheet(this, PageControlExRegistryScan, "TabSheetRegistryScanPross");
    CreateScanChoicePage(TabSheetRegistryScanScan);
    CreateResultsPage(TabSheetRegistryScanResults);
    CreateDefragPage(TabSheetRegistryScanDefrag);
    CreateProgressPage(TabSheetRegistryScanPross);
}

void TfrmMain::CreateScanChoicePage(TTabSheet* sheet) {
    TImagePanel* page = ImagePanelRegistryScanScan =
        NewPanel(this, sheet, "ImagePanelRegistryScanScan", SubPageBounds, SheetColor);
    labRegistryScan = NewLabel(this, page, "labRegistryScan", HeadingBounds, TTextKind::Heading);
    labScanLastScan =
        NewLabel(this, page, "labScanLastScan", Bounds(24, 54, 90, 16), TTextKind::Alert);
    labScanLastScan->Font()->SetColor(InkColor);
    labScanLastScanDateTimeDetail = NewLabel(this, page, "labScanLastScanDateTimeDetail",
                                             Bounds(114, 54, 500, 16), TTextKind::Muted);
    labScanLastScanFoundFixDetail = NewLabel(this, page, "labScanLastScanFoundFixDetail",
                                             Bounds(24, 74, 590, 16), TTextKind::Muted);
    LabelPleaseSelect =
        NewLabel(this, page, "LabelPleaseSelect", Bounds(24, 112, 590, 16), TTextKind::Alert);
    LabelPleaseSelect->Font()->SetColor(InkColor);

    CheckBoxComplete = NewCheckBox(this, page, "CheckBoxComplete", Bounds(24, 138, 300, 20));
    CheckBoxComplete->SetAllowGrayed(true);
    CheckBoxComplete->Font()->SetStyle({fsBold});
    // Two columns of six, in the order of the settings keys.
    for (size_t i = 0; i < ScanCategoryCount; ++i) {
        const TScanCategoryInfo& info = ScanCategoryInfo[i];
        const int column = i < 6 ? 48 : 348;
        const int row = static_cast<int>(i % 6);
        FScanCategories[i].Info = &info;
        FScanCategories[i].Flag = info.Flag;
        FScanCategories[i].CheckBox = NewCheckBox(this, page, info.BoxName().c_str(),
                                                  Bounds(column, 170 + 28 * row, 260, 20));
    }
    btnStartScanNow =
        NewButton(this, page, "btnStartScanNow", MainButtonBounds, TButtonKind::Primary);
}

void TfrmMain::CreateResultsPage(TTabSheet* sheet) {
    TImagePanel* page = ImagePanelRegistryScanResults =
        NewPanel(this, sheet, "ImagePanelRegistryScanResults", SubPageBounds, SheetColor);
    LabelScanResult = NewLabel(this, page, "LabelScanResult", HeadingBounds, TTextKind::Heading);

    VT = NewControl<TVirtualStringTree>(this, page, "VT", Bounds(24, 56, 628, 370));
    VT->SetParentColor(false);
    VT->SetColor(SheetColor);
    VT->SetDefaultNodeHeight(30);
    VT->SetParentFont(false);
    SetFontStyle(VT->Font(), StyleOf(TTextKind::Text));
    SetFontStyle(VT->SelectedFont(), {8, {fsBold}, InkColor});
    SetFontStyle(VT->SelectedDescFont(), StyleOf(TTextKind::Muted));
    VT->SetShowDescription(true);
    VT->Colors()->SetBorderColor(TabColor);
    // The focused row stands out by its height, picture, caption font and
    // description; a selection colour would cover its caption only.
    VT->Colors()->SetFocusedSelectionColor(SheetColor);
    VT->Colors()->SetFocusedSelectionBorderColor(SheetColor);
    VT->Colors()->SetUnfocusedSelectionColor(SheetColor);
    VT->Colors()->SetUnfocusedSelectionBorderColor(SheetColor);
    VT->Colors()->SetHotColor(AccentColor);

    LabelCheckAll = NewLabel(this, page, "LabelCheckAll", Bounds(24, 452, 80, 16), TTextKind::Link);
    LabelUncheckAll =
        NewLabel(this, page, "LabelUncheckAll", Bounds(110, 452, 90, 16), TTextKind::Link);
    btnCreateBackup =
        NewButton(this, page, "btnCreateBackup", OtherButtonBounds, TButtonKind::Secondary);
    btnRepairRegistry =
        NewButton(this, page, "btnRepairRegistry", MainButtonBounds, TButtonKind::Primary);
}

void TfrmMain::CreateDefragPage(TTabSheet* sheet) {
    TImagePanel* page = ImagePanelRegistryScanDefrag =
        NewPanel(this, sheet, "ImagePanelRegistryScanDefrag", SubPageBounds, SheetColor);
    labRegistryDefrag =
        NewLabel(this, page, "labRegistryDefrag", HeadingBounds, TTextKind::Heading);
    labRegistryDefragDetail =
        NewLabel(this, page, "labRegistryDefragDetail", Bounds(24, 56, 628, 80), TTextKind::Figure);
    labRegistryDefragDetail->Font()->SetColor(InkColor);
    LabelLastDefrag =
        NewLabel(this, page, "LabelLastDefrag", Bounds(24, 150, 90, 16), TTextKind::Alert);
    LabelLastDefrag->Font()->SetColor(InkColor);
    labRegistryDefragLastTimeDetail = NewLabel(this, page, "labRegistryDefragLastTimeDetail",
                                               Bounds(114, 150, 500, 16), TTextKind::Muted);
    btnDefagRegistry =
        NewButton(this, page, "btnDefagRegistry", MainButtonBounds, TButtonKind::Primary);
}

void TfrmMain::CreateProgressPage(TTabSheet* sheet) {
    TImagePanel* page = ImagePanelRegistryScanPross =
        NewPanel(this, sheet, "ImagePanelRegistryScanPross", SubPageBounds, SheetColor);
    LabelScanning = NewLabel(this, page, "LabelScanning", HeadingBounds, TTextKind::Heading);
    LabelErrorFound =
        NewLabel(this, page, "LabelErrorFound", Bounds(24, 52, 590, 16), TTextKind::Alert);
    ProgressBarRegistryScan =
        NewControl<TKitProgressBar>(this, page, "ProgressBarRegistryScan", Bounds(24, 80, 628, 22));
    TKitProgressBar* bar = ProgressBarRegistryScan;
    bar->SetBarStyle(bsGradient);
    bar->SetThemeAware(false);
    bar->SetShowPercent(false);
    bar->SetBorderOuter(fsGroove);
    bar->SetInteriorOffset(0);
    bar->SetBorderColor(SheetColor);
    bar->SetBarColor(AccentColor);
    bar->SetBarColorStop(BarLightColor);
    bar->SetBackColor(SheetColor);
    bar->SetBackColorStop(TabColor);
    bar->SetGradientDirection(gdVerticalCenter);
    LabelFenwarpStatus =
        NewLabel(this, page, "LabelFenwarpStatus", Bounds(24, 110, 628, 16), TTextKind::Muted);
    LabelFenwarpStatus->SetWordWrap(false);

    // Two columns of six: each category's icon and its name.
    for (size_t i = 0; i < ScanCategoryCount; ++i) {
        const TScanCategoryInfo& info = ScanCategoryInfo[i];
        const int left = i < 6 ? 48 : 348;
        const int top = 150 + 30 * static_cast<int>(i % 6);
        FScanCategories[i].ResultIcon =
            NewIcon(this, page, info.IconName().c_str(), Bounds(left, top, 16, 16));
        FScanCategories[i].Label = NewLabel(this, page, info.LabelName,
                                            Bounds(left + 26, top + 1, 220, 16), TTextKind::Text);
    }
    ImageProessing = NewIcon(this, page, "ImageProessing", Bounds(24, 150, 16, 16));
    ImageProessing->Picture()->Bitmap()->LoadFromResourceName(GetModuleHandleA(nullptr),
                                                              ScanBusyResource);
    ImageProessing->SetVisible(false);
    ImageV = NewIcon(this, page, "ImageV", Bounds(24, 170, 16, 16));
    ImageV->Picture()->Bitmap()->LoadFromResourceName(GetModuleHandleA(nullptr), ScanDoneResource);
    ImageV->SetVisible(false);
    ButtonStopScan =
        NewButton(this, page, "ButtonStopScan", MainButtonBounds, TButtonKind::Secondary);
}

void TfrmMain::CreateSettingsPage() {
    TImagePanel* page = ImagePanelSettings =
        NewPanel(this, TabSheetSettings, "ImagePanelSettings", TopPageBounds, PageColor);
    btnSettingsGeneral =
        NewButton(this, page, "btnSettingsGeneral", TabBounds(0), TButtonKind::Tab);
    PageControlExSettings = NewPages(this, page, "PageControlExSettings", SubPagesBounds);
    TabSheerSettingsGeneral = NewSheet(this, PageControlExSettings, "TabSheerSettingsGeneral");

    TImagePanel* general = ImagePanelSettingsGeneral = NewPanel(
        this, TabSheerSettingsGeneral, "ImagePanelSettingsGeneral", SubPageBounds, SheetColor);
    labSettingsGeneralSettings =
        NewLabel(this, general, "labSettingsGeneralSettings", HeadingBounds, TTextKind::Heading);
    chkSettingsStartWhenSystemBoos =
        NewCheckBox(this, general, "chkSettingsStartWhenSystemBoos", Bounds(24, 64, 600, 20));
    chkSettingsStartScanWhenStarts =
        NewCheckBox(this, general, "chkSettingsStartScanWhenStarts", Bounds(24, 96, 600, 20));
    chkSettingsStartMin =
        NewCheckBox(this, general, "chkSettingsStartMin", Bounds(24, 128, 600, 20));
    chkSettingsConfirmBackup =
        NewCheckBox(this, general, "chkSettingsConfirmBackup", Bounds(24, 160, 600, 20));
    btnDefault = NewButton(this, general, "btnDefault", OtherButtonBounds, TButtonKind::Secondary);
    btnApply = NewButton(this, general, "btnApply", MainButtonBounds, TButtonKind::Primary);
}

void TfrmMain::CreateRestorePage() {
    TImagePanel* page = ImagePanelRestore =
        NewPanel(this, TabSheetRestrore, "ImagePanelRestore", TopPageBounds, PageColor);
    btnTabSheetRestoreRegistry =
        NewButton(this, page, "btnTabSheetRestoreRegistry", TabBounds(0), TButtonKind::Tab);
    PageControlExTabSheetRestoreRegistry =
        NewPages(this, page, "PageControlExTabSheetRestoreRegistry", SubPagesBounds);
    TabSheetRestoreRegistry =
        NewSheet(this, PageControlExTabSheetRestoreRegistry, "TabSheetRestoreRegistry");

    TImagePanel* restore = ImagePanelRestoreRegistry = NewPanel(
        this, TabSheetRestoreRegistry, "ImagePanelRestoreRegistry", SubPageBounds, SheetColor);
    labTabSheetRestoreRegistry =
        NewLabel(this, restore, "labTabSheetRestoreRegistry", HeadingBounds, TTextKind::Heading);
    labTabSheetRestoreRegistryDetail = NewLabel(this, restore, "labTabSheetRestoreRegistryDetail",
                                                Bounds(24, 56, 628, 64), TTextKind::Text);

    ListViewRescueItem =
        NewControl<TListView>(this, restore, "ListViewRescueItem", Bounds(24, 130, 628, 296));
    ListViewRescueItem->SetViewStyle(vsReport);
    ListViewRescueItem->SetRowSelect(true);
    ListViewRescueItem->SetMultiSelect(false);
    ListViewRescueItem->SetReadOnly(true);
    ListViewRescueItem->SetHideSelection(false);
    ListViewRescueItem->SetParentColor(false);
    ListViewRescueItem->SetColor(SheetColor);
    ListViewRescueItem->Columns()->Add()->SetWidth(350);

    btnDeleteRestore =
        NewButton(this, restore, "btnDeleteRestore", OtherButtonBounds, TButtonKind::Secondary);
    btnRestoreBackup =
        NewButton(this, restore, "btnRestoreBackup", MainButtonBounds, TButtonKind::Primary);
}

void TfrmMain::CreateAboutPage() {
    TImagePanel* page = ImagePanelOtherInfo =
        NewPanel(this, TabSheetOtherInfo, "ImagePanelOtherInfo", TopPageBounds, PageColor);
    // The About page has no sub-pages: its tab stands alone and does nothing.
    btnTabSheetAbout = NewButton(this, page, "btnTabSheetAbout", TabBounds(0), TButtonKind::Tab);
    btnTabSheetAbout->SetVisible(false);
    labAppName = NewLabel(this, page, "labAppName", Bounds(24, 24, 620, 32), TTextKind::Title);
    labAppName->Font()->SetSize(18);
    labAppVersion =
        NewLabel(this, page, "labAppVersion", Bounds(24, 64, 620, 16), TTextKind::Muted);
    labCopyright = NewLabel(this, page, "labCopyright", Bounds(24, 86, 620, 16), TTextKind::Text);
    labHomePage = NewLabel(this, page, "labHomePage", Bounds(24, 124, 400, 16), TTextKind::Link);
    labSupportMail =
        NewLabel(this, page, "labSupportMail", Bounds(24, 146, 400, 16), TTextKind::Link);
    labGUIBy = NewLabel(this, page, "labGUIBy", Bounds(24, 184, 110, 16), TTextKind::Muted);
    labOstrel = NewLabel(this, page, "labOstrel", Bounds(134, 184, 300, 16), TTextKind::Link);
    labCopyRightWarning =
        NewLabel(this, page, "labCopyRightWarning", Bounds(24, 500, 668, 48), TTextKind::Muted);
}

void TfrmMain::CreateComponents() {
    TrayIcon = new TTrayIcon(this);
    TrayIcon->SetName("TrayIcon");
    TrayIcon->SetCycleInterval(400);
    TrayIcon->SetCycleIcons(false);
    TrayIcon->SetWantEnterExitEvents(true);
    TrayIcon->SetHint(ProductName);
    if (Application->Icon()) TrayIcon->SetIcon(Application->Icon());

    Timer = new TTimer(this);
    Timer->SetName("Timer");
    Timer->SetEnabled(false);
    Timer->SetInterval(500);

    ImageList = new TImageList(this);
    ImageList->SetName("ImageList");
    ImageList->SetSize(32, 32);
    ImageListRescue = new TImageList(this);
    ImageListRescue->SetName("ImageListRescue");
    ImageListRescue->SetSize(32, 32);
    imgMaster = new TImageList(this);
    imgMaster->SetName("imgMaster");
    imgMaster->SetSize(16, 16);
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    TBitmap picture;
    picture.LoadFromResourceName(instance, RescueItemResource);
    ImageListRescue->AddMasked(&picture, clFuchsia);
    picture.LoadFromResourceName(instance, ResultEntryResource);
    imgMaster->AddMasked(&picture, clFuchsia);
    ListViewRescueItem->SetSmallImages(ImageListRescue);
    VT->SetImages(imgMaster);

    ActionList = new TActionList(this);
    ActionList->SetName("ActionList");
    ActionMin = NewAction(this, ActionList, "ActionMin");
    ActionHelp = NewAction(this, ActionList, "ActionHelp");
    ActionClose = NewAction(this, ActionList, "ActionClose");
    ActionAbout = NewAction(this, ActionList, "ActionAbout");
    ActionStartScanNow = NewAction(this, ActionList, "ActionStartScanNow");
    ActionHelpContent = NewAction(this, ActionList, "ActionHelpContent");
    ActionHelpContent->SetShortCut(VK_F1);
    ActionQuickStart = NewAction(this, ActionList, "ActionQuickStart");
    ActionOnlineResources = NewAction(this, ActionList, "ActionOnlineResources");
    ActionContactTechnicalSupport = NewAction(this, ActionList, "ActionContactTechnicalSupport");

    PopupMenuHelp = new TPopupMenu(this);
    PopupMenuHelp->SetName("PopupMenuHelp");
    TMenuItem* items = PopupMenuHelp->Items();
    MenuHelpContent = NewMenuItem(this, items, "MenuHelpContent");
    MenuHelpContent->SetAction(ActionHelpContent);
    MenuQuickStart = NewMenuItem(this, items, "MenuQuickStart");
    MenuQuickStart->SetAction(ActionQuickStart);
    NewMenuItem(this, items, "N1")->SetCaption("-");
    LanguagesMI = NewMenuItem(this, items, "LanguagesMI");
    NewMenuItem(this, items, "N2")->SetCaption("-");
    MenuOnlineResources = NewMenuItem(this, items, "MenuOnlineResources");
    MenuOnlineResources->SetAction(ActionOnlineResources);
    MenuContactTechnicalSupport = NewMenuItem(this, items, "MenuContactTechnicalSupport");
    MenuContactTechnicalSupport->SetAction(ActionContactTechnicalSupport);
    NewMenuItem(this, items, "N3")->SetCaption("-");
    MenuAbout = NewMenuItem(this, items, "MenuAbout");
    MenuAbout->SetAction(ActionAbout);

    btnMin->SetAction(ActionMin);
    btnHelp->SetAction(ActionHelp);
    btnClose->SetAction(ActionClose);
}
