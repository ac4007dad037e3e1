// The skin keys of each control class: values read into the right
// properties, the defaults a skin without keys applies, the orders that
// decide a result (size after height, pictures before sizes, the window
// skin's colour last), and the shipped default skin on controls of the
// names it uses.
#include <app/TBSkiner.h>
#include <classlib/ComCtrls.h>
#include <classlib/ExtCtrls.h>
#include <classlib/IniFiles.h>
#include <classlib/StdCtrls.h>
#include <classlib/SysUtils.h>
#include <widgets/buttons/CheckBox.h>
#include <widgets/pages/PageControlEx.h>
#include <widgets/panels/ImagePanel.h>
#include <widgets/panels/WindowSkin.h>
#include <widgets/picbuttons/PicButton.h>
#include <widgets/progress/ProgressBar.h>
#include <widgets/tree/VirtualTrees.h>

#include <set>

#include "SkinFixture.h"

namespace {

// What the font group gives a font whose keys are all absent.
void ExpectDefaultFont(const TFont* font) {
    EXPECT_EQ(font->Charset(), 1);
    EXPECT_EQ(font->Color(), clWindowText);
    EXPECT_EQ(font->Name(), "Tahoma");
    EXPECT_EQ(font->Pitch(), fpDefault);
    EXPECT_EQ(font->Size(), 8);
    EXPECT_TRUE(font->Style() == TFontStyles{});
}

// A font far from every default.
void Disturb(TFont* font) {
    font->SetCharset(0);
    font->SetColor(clRed);
    font->SetName("Courier New");
    font->SetPitch(fpFixed);
    font->SetSize(14);
    font->SetStyle({fsBold, fsUnderline});
}

// Far from the defaults of the text and state keys.
void Disturb(TControl* control) {
    Disturb(control->Font());
    control->SetBounds(11, 12, 130, 40);
    control->SetHint("design hint");
    control->SetShowHint(true);
    control->SetCursor(crHandPoint);
    control->SetColor(clLime);
    control->SetEnabled(false);
    control->SetVisible(false);
}

void ExpectDefaultState(const TControl* control, TCursor cursor = crDefault) {
    EXPECT_TRUE(control->Enabled());
    EXPECT_TRUE(control->Visible());
    EXPECT_FALSE(control->ShowHint());
    EXPECT_EQ(control->Cursor(), cursor);
    EXPECT_EQ(control->Hint(), "design hint");
}

using SkinBlockTest = SkinTest;

TEST_F(SkinBlockTest, WithoutKeysEachClassTakesItsDefaults) {
    WriteSkin("Unrelated=1\r\n");
    auto box = Add<TKitCheckBox>("Box");
    auto bar = Add<TKitProgressBar>("Bar");
    auto list = Add<TListView>("List");
    auto label = Add<TLabel>("Label");
    auto image = Add<TImage>("Image");
    auto panel = Add<TImagePanel>("Panel");
    auto pages = Add<TPageControlEx>("Pages");
    for (TControl* control :
         std::initializer_list<TControl*>{box, bar, list, label, image, panel, pages})
        Disturb(control);
    box->SetTransparent(false);
    label->SetAutoSize(true);
    label->SetTransparent(false);
    image->SetAutoSize(false);
    image->SetTransparent(false);
    panel->SetAutoSize(true);
    panel->SetTransparent(true);
    panel->SetBorderWidth(4);
    Apply();

    for (TControl* control :
         std::initializer_list<TControl*>{box, bar, list, label, panel, pages}) {
        SCOPED_TRACE(control->Name());
        ExpectDefaultFont(control->Font());
        // No bounds key moves or sizes anything.
        EXPECT_EQ(control->Left(), 11);
        EXPECT_EQ(control->Top(), 12);
        EXPECT_EQ(control->Height(), 40);
    }
    for (TControl* control :
         std::initializer_list<TControl*>{box, bar, list, label, image, panel}) {
        SCOPED_TRACE(control->Name());
        ExpectDefaultState(control);
    }
    EXPECT_TRUE(pages->Enabled());
    EXPECT_TRUE(pages->Visible());
    EXPECT_EQ(pages->Cursor(), crHandPoint);  // no cursor key for page controls
    EXPECT_EQ(bar->Color(), clLime);          // nor a colour key for progress bars
    EXPECT_EQ(label->Color(), clLime);

    EXPECT_EQ(box->Color(), clBtnFace);
    EXPECT_TRUE(box->Transparent());
    EXPECT_EQ(list->Color(), clBtnFace);
    EXPECT_FALSE(label->AutoSize());
    EXPECT_TRUE(label->Transparent());
    EXPECT_TRUE(image->AutoSize());
    EXPECT_TRUE(image->Transparent());
    EXPECT_EQ(image->Font()->Name(), "Courier New");  // images have no font keys
    EXPECT_FALSE(panel->AutoSize());
    EXPECT_FALSE(panel->Transparent());
    EXPECT_EQ(panel->BorderWidth(), 0);
    EXPECT_EQ(panel->Color(), clBtnFace);
}

TEST_F(SkinBlockTest, CheckBoxKeys) {
    WriteSkin(
        "KITCHECKBOX_Box_TEXT=  Scan   fonts \r\nKITCHECKBOX_Box_HINT=Fonts#13list\r\n"
        "KITCHECKBOX_Box_SHOWHINT=1\r\nKITCHECKBOX_Box_COLOR=clYellow\r\n"
        "KITCHECKBOX_Box_CURSOR=-4\r\nKITCHECKBOX_Box_TRANSPARENT=0\r\n"
        "KITCHECKBOX_Box_FONT_CHARSET=0\r\nKITCHECKBOX_Box_FONT_COLOR=$00112233\r\n"
        "KITCHECKBOX_Box_FONT_NAME=Arial\r\nKITCHECKBOX_Box_FONT_PITCH=1\r\n"
        "KITCHECKBOX_Box_FONT_SIZE=10\r\nKITCHECKBOX_Box_FONT_STYLE=bs\r\n"
        "KITCHECKBOX_Box_LEFT=0\r\nKITCHECKBOX_Box_TOP=20\r\nKITCHECKBOX_Box_WIDTH=150\r\n"
        "KITCHECKBOX_Box_HEIGHT=0\r\nKITCHECKBOX_Box_ENABLE=0\r\nKITCHECKBOX_Box_VISIBLE=0\r\n");
    auto box = Add<TKitCheckBox>("Box");
    box->SetBounds(33, 44, 100, 17);
    Apply();
    EXPECT_EQ(box->Caption(), "Scan fonts");
    EXPECT_EQ(box->Hint(), "Fonts\r\nlist");
    EXPECT_TRUE(box->ShowHint());
    EXPECT_EQ(box->Color(), clYellow);
    EXPECT_EQ(box->Cursor(), crIBeam);
    EXPECT_FALSE(box->Transparent());
    EXPECT_EQ(box->Font()->Charset(), 0);
    EXPECT_EQ(box->Font()->Color(), 0x00112233);
    EXPECT_EQ(box->Font()->Name(), "Arial");
    EXPECT_EQ(box->Font()->Pitch(), fpVariable);
    EXPECT_EQ(box->Font()->Size(), 10);
    EXPECT_TRUE(box->Font()->Style() == (TFontStyles{fsBold, fsStrikeOut}));
    // A bounds key of 0 leaves the form's value.
    EXPECT_EQ(box->Left(), 33);
    EXPECT_EQ(box->Top(), 20);
    EXPECT_EQ(box->Width(), 150);
    EXPECT_EQ(box->Height(), 17);
    EXPECT_FALSE(box->Enabled());
    EXPECT_FALSE(box->Visible());
}

TEST_F(SkinBlockTest, LabelFontEndsAtTheSizeKeyOrEightPointsTreeKeepsItsHeight) {
    WriteSkin(
        "LABEL_Label_FONT_HEIGHT=-20\r\n"
        "VIRTUALSTRINGTREE_Tree_FONT_HEIGHT=-20\r\n"
        "VIRTUALSTRINGTREE_Tree_SELECTEDFONT_HEIGHT=-20\r\n"
        "VIRTUALSTRINGTREE_Tree_SELECTEDDESCFONT_HEIGHT=-30\r\n"
        "VIRTUALSTRINGTREE_Tree_SELECTEDDESCFONT_SIZE=12\r\n");
    auto label = Add<TLabel>("Label");
    auto tree = Add<TVirtualStringTree>("Tree");
    Apply();
    EXPECT_EQ(label->Font()->Size(), 8);
    EXPECT_EQ(label->Font()->Height(), -11);
    EXPECT_EQ(tree->Font()->Height(), -20);
    EXPECT_EQ(tree->SelectedFont()->Height(), -20);
    // A size given overrides the height.
    EXPECT_EQ(tree->SelectedDescFont()->Size(), 12);
    EXPECT_EQ(tree->SelectedDescFont()->Height(), -16);
}

TEST_F(SkinBlockTest, LabelKeys) {
    WriteSkin(
        "LABEL_Label_TEXT=Last scan:\r\nLABEL_Label_AUTOSIZE=1\r\nLABEL_Label_TRANSPARENT=0\r\n"
        "LABEL_Label_FONT_SIZE=9\r\nLABEL_Label_LEFT=5\r\nLABEL_Label_TOP=6\r\n");
    auto label = Add<TLabel>("Label");
    label->SetCursor(crHandPoint);
    Apply();
    EXPECT_EQ(label->Caption(), "Last scan:");
    EXPECT_TRUE(label->AutoSize());
    EXPECT_FALSE(label->Transparent());
    EXPECT_EQ(label->Font()->Size(), 9);
    EXPECT_EQ(label->Left(), 5);
    EXPECT_EQ(label->Top(), 6);
    // The form's hand cursor gives way to the default.
    EXPECT_EQ(label->Cursor(), crDefault);
}

TEST_F(SkinBlockTest, ListViewAndProgressBarKeys) {
    WriteSkin(
        "LISTVIEW_List_HINT=Rescue items\r\nLISTVIEW_List_COLOR=clWindow\r\n"
        "LISTVIEW_List_CURSOR=-11\r\nLISTVIEW_List_HEIGHT=90\r\n"
        "KITPROGRESSBAR_Bar_HINT=Progress\r\nKITPROGRESSBAR_Bar_SHOWHINT=1\r\n"
        "KITPROGRESSBAR_Bar_CURSOR=-3\r\nKITPROGRESSBAR_Bar_FONT_NAME=Verdana\r\n"
        "KITPROGRESSBAR_Bar_WIDTH=300\r\nKITPROGRESSBAR_Bar_VISIBLE=0\r\n");
    auto list = Add<TListView>("List");
    auto bar = Add<TKitProgressBar>("Bar");
    Apply();
    EXPECT_EQ(list->Hint(), "Rescue items");
    EXPECT_EQ(list->Color(), clWindow);
    EXPECT_EQ(list->Cursor(), crHourGlass);
    EXPECT_EQ(list->Height(), 90);
    EXPECT_EQ(bar->Hint(), "Progress");
    EXPECT_TRUE(bar->ShowHint());
    EXPECT_EQ(bar->Cursor(), crCross);
    EXPECT_EQ(bar->Font()->Name(), "Verdana");
    EXPECT_EQ(bar->Width(), 300);
    EXPECT_FALSE(bar->Visible());
}

TEST_F(SkinBlockTest, PicButtonWithOnlyItsNormalPictureTakesThatPicturesSize) {
    WriteSkin("PicButton_Button_NORMALBMP=" + Picture("Normal.bmp", 40, 24) + "\r\n");
    auto button = Add<TPicButton>("Button");
    Disturb(button);
    button->PicMouseHover()->LoadFromFile(Folder.Path() + Picture("DesignHover.bmp", 7, 5));
    Apply();
    EXPECT_EQ(button->PicNormal()->Width(), 40);
    EXPECT_EQ(button->Width(), 40);
    EXPECT_EQ(button->Height(), 24);
    EXPECT_EQ(button->Left(), 11);
    EXPECT_EQ(button->PicMouseHover()->Width(), 7);
    EXPECT_TRUE(button->PicMouseDown()->Graphic() == nullptr);
    ExpectDefaultFont(button->Font());
    // Picture buttons have no cursor key.
    ExpectDefaultState(button, crHandPoint);
}

TEST_F(SkinBlockTest, PicButtonKeys) {
    WriteSkin("PicButton_Button_TEXT=Start #13Scan\r\nPicButton_Button_NORMALBMP=" +
              Picture("N.bmp", 40, 24) + "\r\nPicButton_Button_ONBMP=" + Picture("O.bmp", 41, 24) +
              "\r\nPicButton_Button_DOWNBMP=" + Picture("D.bmp", 42, 24) +
              "\r\nPicButton_Button_DISABLEDBMP=" + Picture("X.bmp", 43, 24) +
              "\r\nPicButton_Button_LEFT=70\r\nPicButton_Button_TOP=80\r\n"
              "PicButton_Button_WIDTH=90\r\nPicButton_Button_ENABLE=0\r\n");
    auto button = Add<TPicButton>("Button");
    Apply();
    EXPECT_EQ(button->Caption(), "Start \r\nScan");
    EXPECT_EQ(button->PicMouseHover()->Width(), 41);
    EXPECT_EQ(button->PicMouseDown()->Width(), 42);
    EXPECT_EQ(button->PicDisabled()->Width(), 43);
    EXPECT_EQ(button->BoundsRect(), Bounds(70, 80, 90, 24));
    EXPECT_FALSE(button->Enabled());
}

TEST_F(SkinBlockTest, APictureNamedByManyControlsIsReadOncePerWalkAndEachHasItsOwnCopy) {
    const COLORREF red = RGB(200, 10, 10);
    WriteSkin("PicButton_A_NORMALBMP=" + Picture("Shared.bmp", 30, 20, red) +
              "\r\nPicButton_B_NORMALBMP=Shared.bmp\r\nPicButton_B_ONBMP=Shared.bmp\r\n"
              "IMAGE_C_BMP=Shared.bmp\r\n");
    auto a = Add<TPicButton>("A");
    auto b = Add<TPicButton>("B");
    auto c = Add<TImage>("C");
    Apply();
    for (TPicture* picture : {a->PicNormal(), b->PicNormal(), b->PicMouseHover(), c->Picture()}) {
        ASSERT_EQ(picture->Width(), 30);
        EXPECT_EQ(picture->Height(), 20);
        EXPECT_EQ(picture->Bitmap()->Canvas()->Pixels(29, 19), static_cast<TColor>(red));
    }
    EXPECT_EQ(b->BoundsRect().right - b->BoundsRect().left, 30);
    a->PicNormal()->Bitmap()->Canvas()->SetPixels(29, 19, clLime);
    EXPECT_EQ(b->PicNormal()->Bitmap()->Canvas()->Pixels(29, 19), static_cast<TColor>(red));
    EXPECT_EQ(b->PicMouseHover()->Bitmap()->Canvas()->Pixels(29, 19), static_cast<TColor>(red));

    // One walk reads a file once; the next walk reads it again.
    const std::string path = Folder.Path() + "Shared.bmp";
    TPicture first, second, later;
    {
        TBSkinerDLL walk(AppSettings.SkinPath, "FORMMAIN");
        walk.LoadPicture(path, &first);
        Picture("Shared.bmp", 8, 6);
        walk.LoadPicture(path, &second);
    }
    EXPECT_EQ(second.Width(), 30);
    TBSkinerDLL(AppSettings.SkinPath, "FORMMAIN").LoadPicture(path, &later);
    EXPECT_EQ(later.Width(), 8);

    // A file that cannot be read is not kept: it fails again.
    Folder.File("Broken.bmp", "not a bitmap");
    TBSkinerDLL walk(AppSettings.SkinPath, "FORMMAIN");
    for (int i = 0; i < 2; ++i)
        EXPECT_THROW(walk.LoadPicture(Folder.Path() + "Broken.bmp", &later), EInvalidGraphic);
    EXPECT_EQ(later.Width(), 8);
}

TEST_F(SkinBlockTest, ImageTakesItsPictureAndItsSize) {
    WriteSkin("IMAGE_Icon_BMP=" + Picture("Icon.bmp", 32, 30) +
              "\r\nIMAGE_Icon_TOP=9\r\nIMAGE_Icon_HINT=COM\r\n");
    auto image = Add<TImage>("Icon");
    image->SetBounds(4, 5, 100, 100);
    Apply();
    EXPECT_EQ(image->Picture()->Width(), 32);
    EXPECT_EQ(image->BoundsRect(), Bounds(4, 9, 32, 30));
    EXPECT_EQ(image->Hint(), "COM");
    // With AutoSize switched off and a size of its own.
    WriteSkin("IMAGE_Icon_BMP=" + Picture("Wide.bmp", 64, 16) +
              "\r\nIMAGE_Icon_AUTOSIZE=0\r\nIMAGE_Icon_HEIGHT=50\r\n");
    Apply();
    EXPECT_FALSE(image->AutoSize());
    EXPECT_EQ(image->Width(), 64);  // the picture's width as the default
    EXPECT_EQ(image->Height(), 50);
}

TEST_F(SkinBlockTest, ImagePanelKeysInTheirOrder) {
    WriteSkin(
        "IMAGEPANEL_Panel_TEXT=Overview\r\nIMAGEPANEL_Panel_AUTOSIZE=0\r\n"
        "IMAGEPANEL_Panel_TRANSPARENT=1\r\nIMAGEPANEL_Panel_COLOR=clWhite\r\n"
        "IMAGEPANEL_Panel_BORDERWIDTH=3\r\nIMAGEPANEL_Panel_CURSOR=-21\r\n"
        "IMAGEPANEL_Panel_BMP=" +
        Picture("Page.bmp", 60, 45) + "\r\nIMAGEPANEL_Panel_WIDTH=100\r\n");
    auto panel = Add<TImagePanel>("Panel");
    panel->SetBounds(1, 2, 300, 200);
    panel->SetAutoSize(true);
    Apply();
    EXPECT_EQ(panel->Caption(), "Overview");
    EXPECT_FALSE(panel->AutoSize());
    EXPECT_TRUE(panel->Transparent());
    EXPECT_EQ(panel->Color(), clWhite);
    EXPECT_EQ(panel->BorderWidth(), 3);
    EXPECT_EQ(panel->Cursor(), crHandPoint);
    EXPECT_EQ(panel->Picture()->Width(), 60);
    // The width as the key says, the height as the picture's.
    EXPECT_EQ(panel->BoundsRect(), Bounds(1, 2, 100, 45));
}

// The main window's order: its controls made (the check box fitting its
// caption as its window is made), the skin applied, then the language texts.
TEST_F(SkinBlockTest, TheSkinsSizesStayAndALongerCaptionThenRefitsOnOneLine) {
    WriteSkin("KITCHECKBOX_Box_WIDTH=300\r\nIMAGEPANEL_Panel_AUTOSIZE=1\r\nIMAGEPANEL_Panel_BMP=" +
              Picture("Page.bmp", 60, 45) +
              "\r\nIMAGEPANEL_Panel_WIDTH=100\r\nIMAGEPANEL_Panel_HEIGHT=80\r\n");
    auto box = Add<TKitCheckBox>("Box");
    box->SetBounds(10, 10, 50, 17);
    box->SetCaption("Fonts");
    auto panel = Add<TImagePanel>("Panel");
    panel->SetBounds(10, 40, 200, 150);
    Form->HandleNeeded();
    const int fitted = box->Width();
    Apply();
    EXPECT_EQ(box->Width(), 300);
    EXPECT_EQ(panel->BoundsRect(), Bounds(10, 40, 100, 80));
    Form->SetBounds(100, 100, 420, 320);
    Form->Realign();
    EXPECT_EQ(box->Width(), 300);
    EXPECT_EQ(panel->BoundsRect(), Bounds(10, 40, 100, 80));

    const std::string caption = "Scan the history lists of the programs";
    box->SetCaption(caption);
    const TSize text = TextSizeIn(box->Font(), caption);
    EXPECT_GT(text.cx + 19, fitted);
    EXPECT_EQ(box->BoundsRect(), Bounds(10, 10, text.cx + 19, std::max<int>(15, text.cy + 2)));
    // The panel takes the size of a picture loaded later.
    panel->Picture()->LoadFromFile(Folder.Path() + Picture("Other.bmp", 30, 20));
    EXPECT_EQ(panel->BoundsRect(), Bounds(10, 40, 30, 20));
}

TEST_F(SkinBlockTest, PageControlKeys) {
    WriteSkin(
        "PAGECONTROLEX_Pages_LEFT=190\r\nPAGECONTROLEX_Pages_HEIGHT=$200\r\n"
        "PAGECONTROLEX_Pages_FONT_STYLE=i\r\n");
    auto pages = Add<TPageControlEx>("Pages");
    pages->SetBounds(0, 48, 700, 500);
    Apply();
    EXPECT_EQ(pages->BoundsRect(), Bounds(190, 48, 700, 512));
    EXPECT_TRUE(pages->Font()->Style() == TFontStyles{fsItalic});
}

class WindowSkinBlockTest : public SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        Skin = Add<TWindowSkin>("WindowSkin");
        Skin->SetBounds(50, 60, 200, 100);
    }
    TWindowSkin* Skin = nullptr;
};

TEST_F(WindowSkinBlockTest, WithoutAGlyphTheEdgesAreAlwaysApplied) {
    WriteSkin("WINDOWSKIN_WindowSkin_LEFT=0\r\nWINDOWSKIN_WindowSkin_WIDTH=120\r\n");
    Apply();
    EXPECT_EQ(Skin->BoundsRect(), Bounds(0, 0, 120, 100));
    EXPECT_EQ(Skin->TransparentColor(), clFuchsia);

    WriteSkin(
        "WINDOWSKIN_WindowSkin_LEFT=30\r\nWINDOWSKIN_WindowSkin_TOP=$10\r\n"
        "WINDOWSKIN_WindowSkin_TRANSPARENTCOLOR=clLime\r\n");
    Apply();
    EXPECT_EQ(Skin->BoundsRect(), Bounds(30, 16, 120, 100));
    EXPECT_EQ(Skin->TransparentColor(), clLime);
}

TEST_F(WindowSkinBlockTest, AGlyphShapesTheFormAndPutsTheControlAtTheOrigin) {
    WriteSkin("WINDOWSKIN_WindowSkin_BMP=" + Picture("Window.bmp", 90, 70) +
              "\r\nWINDOWSKIN_WindowSkin_LEFT=30\r\nWINDOWSKIN_WindowSkin_TOP=40\r\n"
              "WINDOWSKIN_WindowSkin_WIDTH=500\r\n");
    int changes = 0;
    Skin->OnRegionChanged = [&](TObject*) { ++changes; };
    Apply();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Skin->BoundsRect(), Bounds(0, 0, 90, 70));
    EXPECT_EQ(Form->ClientWidth(), 90);
    EXPECT_EQ(Form->ClientHeight(), 70);
}

class TreeBlockTest : public SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        Tree = Add<TVirtualStringTree>("VT");
        Tree->SetBounds(24, 56, 300, 200);
        Tree->SetColor(0x00123456);
        Tree->Colors()->SetBorderColor(clLime);
        Tree->Colors()->SetHotColor(0x00654321);
        Tree->SetMargin(7);
        Tree->SetTextMargin(9);
        Tree->SetDefaultNodeHeight(33);
        Tree->SetBackgroundOffsetX(3);
        Tree->SetBackgroundOffsetY(5);
        for (TFont* font : {Tree->Font(), Tree->SelectedFont(), Tree->SelectedDescFont()}) {
            Disturb(font);
            font->SetColor(0x00ABCDEF);
        }
        Tree->SetHint("design hint");
        Tree->SetShowHint(true);
        Tree->SetCursor(crHandPoint);
        Tree->SetHotCursor(crHandPoint);
        Tree->SetEnabled(false);
        Tree->SetVisible(false);
    }
    TVirtualStringTree* Tree = nullptr;
};

TEST_F(TreeBlockTest, WithoutKeysTheTreeKeepsItsValuesButTheFontsFaceAndStyle) {
    WriteSkin("Unrelated=1\r\n");
    Apply();
    EXPECT_EQ(Tree->BoundsRect(), Bounds(24, 56, 300, 200));
    EXPECT_EQ(Tree->Color(), 0x00123456);
    EXPECT_EQ(Tree->Colors()->BorderColor(), clLime);
    EXPECT_EQ(Tree->Colors()->HotColor(), 0x00654321);
    EXPECT_EQ(Tree->Colors()->UnfocusedSelectionBorderColor(), clBtnFace);
    EXPECT_EQ(Tree->Margin(), 7);
    EXPECT_EQ(Tree->TextMargin(), 9);
    EXPECT_EQ(Tree->DefaultNodeHeight(), 33);
    EXPECT_EQ(Tree->BackgroundOffsetX(), 3);
    EXPECT_EQ(Tree->BackgroundOffsetY(), 5);
    for (TFont* font : {Tree->Font(), Tree->SelectedFont(), Tree->SelectedDescFont()}) {
        EXPECT_EQ(font->Color(), 0x00ABCDEF);
        EXPECT_EQ(font->Size(), 14);
        EXPECT_EQ(font->Name(), "Tahoma");
        EXPECT_EQ(font->Charset(), 1);
        EXPECT_EQ(font->Pitch(), fpDefault);
        EXPECT_TRUE(font->Style() == TFontStyles{});
    }
    EXPECT_TRUE(Tree->ShowDescription());
    EXPECT_EQ(Tree->Cursor(), crDefault);
    EXPECT_EQ(Tree->HotCursor(), crDefault);
    EXPECT_FALSE(Tree->ShowHint());
    EXPECT_EQ(Tree->Hint(), "design hint");
    EXPECT_TRUE(Tree->Enabled());
    EXPECT_TRUE(Tree->Visible());
}

TEST_F(TreeBlockTest, KeysReachEveryProperty) {
    WriteSkin(
        "VIRTUALSTRINGTREE_VT_SHOWDESCRIPTION=0\r\n"
        "VIRTUALSTRINGTREE_VT_BACKGROUNDBMP=" +
        Picture("Back.bmp", 8, 8) +
        "\r\nVIRTUALSTRINGTREE_VT_BACKGROUNDOFFSETX=-2\r\n"
        "VIRTUALSTRINGTREE_VT_SELECTEDPICTUREBMP=" +
        Picture("Row.bmp", 100, 30) +
        "\r\nVIRTUALSTRINGTREE_VT_HOTCURSOR=-21\r\n"
        "VIRTUALSTRINGTREE_VT_DEFAULTNODEHEIGHT=30\r\nVIRTUALSTRINGTREE_VT_MARGIN=0\r\n"
        "VIRTUALSTRINGTREE_VT_SELECTEDFONT_STYLE=B\r\n"
        "VIRTUALSTRINGTREE_VT_SELECTEDDESCFONT_COLOR=clGray\r\n"
        "VIRTUALSTRINGTREE_VT_COLOR=clWhite\r\n"
        "VIRTUALSTRINGTREE_VT_COLORS_BORDERCOLOR=$E9E3DD\r\n"
        "VIRTUALSTRINGTREE_VT_COLORS_TREELINECOLOR=clSilver\r\n"
        "VIRTUALSTRINGTREE_VT_LEFT=0\r\nVIRTUALSTRINGTREE_VT_HEIGHT=370\r\n");
    Apply();
    EXPECT_FALSE(Tree->ShowDescription());
    EXPECT_EQ(Tree->Background()->Width(), 8);
    EXPECT_EQ(Tree->BackgroundOffsetX(), -2);
    EXPECT_EQ(Tree->SelectedPicture()->Width(), 100);
    EXPECT_EQ(Tree->HotCursor(), crHandPoint);
    EXPECT_EQ(Tree->DefaultNodeHeight(), 30);
    EXPECT_EQ(Tree->Margin(), 0);
    EXPECT_TRUE(Tree->SelectedFont()->Style() == TFontStyles{fsBold});
    EXPECT_EQ(Tree->SelectedDescFont()->Color(), clGray);
    EXPECT_EQ(Tree->Color(), clWhite);
    EXPECT_EQ(Tree->Colors()->BorderColor(), 0x00E9E3DD);
    EXPECT_EQ(Tree->Colors()->TreeLineColor(), clSilver);
    EXPECT_EQ(Tree->Colors()->HotColor(), 0x00654321);
    // The tree's bounds keys are applied even when 0.
    EXPECT_EQ(Tree->BoundsRect(), Bounds(0, 56, 300, 370));
}

TEST_F(SkinBlockTest, APlainPanelIsLeftAsTheFormMadeIt) {
    WriteSkin(
        "IMAGEPANEL_Plain_COLOR=clRed\r\nIMAGEPANEL_Plain_LEFT=9\r\n"
        "LABEL_Plain_VISIBLE=0\r\n");
    auto plain = Add<TPanel>("Plain");
    plain->SetBounds(3, 4, 50, 60);
    plain->SetColor(clLime);
    Apply();
    EXPECT_EQ(plain->BoundsRect(), Bounds(3, 4, 50, 60));
    EXPECT_EQ(plain->Color(), clLime);
    EXPECT_TRUE(plain->Visible());
}

// An applier that records every key the walk asks for.
class TRecordingSkiner : public TBSkinerDLL {
public:
    using TBSkinerDLL::TBSkinerDLL;

    std::string ReadSkinString(const std::string& section, const std::string& key,
                               const std::string& def) const override {
        Keys.insert(UpperCase(key));
        return TBSkinerDLL::ReadSkinString(section, key, def);
    }
    int32_t ReadSkinInteger(const std::string& section, const std::string& key,
                            int32_t def) const override {
        Keys.insert(UpperCase(key));
        return TBSkinerDLL::ReadSkinInteger(section, key, def);
    }
    bool ReadSkinBool(const std::string& section, const std::string& key, bool def) const override {
        Keys.insert(UpperCase(key));
        return TBSkinerDLL::ReadSkinBool(section, key, def);
    }

    mutable std::set<std::string> Keys;
};

// The shipped skin, on a form holding a control of the right class for each
// name its keys use.
class DefaultSkinTest : public SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        AppSettings.SkinPath = ProgramFolder() + "..\\dist\\Skins\\";
        AppSettings.SkinFilePath = AppSettings.SkinPath + SkinFileName;
        ASSERT_TRUE(FileExists(AppSettings.SkinFilePath)) << AppSettings.SkinFilePath;
        for (const std::string& key : TIniFile(AppSettings.SkinFilePath).ReadSection("FORMMAIN"))
            AddControlFor(key);
    }

    // The control a key names, made once: the class by the key's prefix, the
    // name up to the next "_".
    void AddControlFor(const std::string& key) {
        static const struct {
            const char* prefix;
            TControl* (*make)(TComponent* owner);
        } classes[] = {
            {"PAGECONTROLEX_", [](TComponent* o) -> TControl* { return new TPageControlEx(o); }},
            {"KITCHECKBOX_", [](TComponent* o) -> TControl* { return new TKitCheckBox(o); }},
            {"KITPROGRESSBAR_", [](TComponent* o) -> TControl* { return new TKitProgressBar(o); }},
            {"LISTVIEW_", [](TComponent* o) -> TControl* { return new TListView(o); }},
            {"LABEL_", [](TComponent* o) -> TControl* { return new TLabel(o); }},
            {"WINDOWSKIN_", [](TComponent* o) -> TControl* { return new TWindowSkin(o); }},
            {"IMAGE_", [](TComponent* o) -> TControl* { return new TImage(o); }},
            {"PicButton_", [](TComponent* o) -> TControl* { return new TPicButton(o); }},
            {"IMAGEPANEL_", [](TComponent* o) -> TControl* { return new TImagePanel(o); }},
            {"VIRTUALSTRINGTREE_",
             [](TComponent* o) -> TControl* { return new TVirtualStringTree(o); }},
        };
        for (const auto& c : classes) {
            std::string prefix = c.prefix;
            if (key.compare(0, prefix.size(), prefix) != 0) continue;
            std::string name =
                key.substr(prefix.size(), key.find('_', prefix.size()) - prefix.size());
            if (!Names.insert(name).second) return;
            TControl* control = c.make(Form.get());
            control->SetName(name);
            control->SetParent(Form.get());
            return;
        }
    }

    std::set<std::string> Names;
};

TEST_F(DefaultSkinTest, AppliesWithoutErrorAndEveryKeyIsRead) {
    ASSERT_GT(Names.size(), 100u);
    TRecordingSkiner skiner(AppSettings.SkinPath, "FORMMAIN");
    for (int i = 0; i < Form->ControlCount(); ++i)
        ASSERT_NO_THROW(skiner.ApplySkinToControl(Form->Controls(i))) << Form->Controls(i)->Name();
    for (const std::string& key : TIniFile(AppSettings.SkinFilePath).ReadSection("FORMMAIN")) {
        if (key == "Splash") continue;  // the splash window's own key
        EXPECT_EQ(skiner.Keys.count(UpperCase(key)), 1u) << key << " is not read";
    }
}

TEST_F(DefaultSkinTest, GivesTheWindowItsShape) {
    ASSERT_NO_THROW(Apply());
    auto skin = dynamic_cast<TWindowSkin*>(
        Form->Components(0)->Name() == "WindowSkin" ? Form->Components(0) : nullptr);
    ASSERT_NE(skin, nullptr);
    EXPECT_FALSE(skin->Glyph()->Empty());
    EXPECT_EQ(Form->ClientWidth(), skin->Glyph()->Width());
    EXPECT_EQ(Form->ClientHeight(), skin->Glyph()->Height());
}

}  // namespace
