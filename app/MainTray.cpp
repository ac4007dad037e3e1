// MainTray.cpp - minimising to the notification area and coming back, the
// help button's menu with the two help pages, and the product's links.
#include <app/HTMLHelp_Decl.h>
#include <app/TBLanguager.h>
#include <app/globals.h>
#include <app/main.h>
#include <classlib/SysUtils.h>

namespace {

constexpr const char* HelpFileName = "help.chm";
constexpr const char* HelpPageSeparator = "::/";
constexpr const char* HelpContentPage = "Introduction.htm";
constexpr const char* QuickStartPage = "The user interface (Overview).htm";
constexpr UINT DisplayTopicCommand = 0;  // HH_DISPLAY_TOPIC
constexpr uint8_t BalloonSeconds = 10;

void ShowHelpPage(TfrmMain* form, const char* page) {
    CallHtmlHelp(form->Handle(), AppSettings.ExePath + HelpFileName + HelpPageSeparator + page,
                 DisplayTopicCommand, 0);
}

}  // namespace

void TfrmMain::ActionMinExecute(TObject*) {
    Application->Minimize();
    TrayIcon->SetIcon(Application->Icon());
    TrayIcon->HideMainForm();
    TrayIcon->SetIconVisible(true);
    TrayIcon->ShowBalloonHint(LanguageTexts["ShowBalloonsHint"],
                              Format(LanguageTexts["ShowBalloonsText"], {ProductName}), bitInfo,
                              BalloonSeconds);
}

void TfrmMain::TrayIconDblClick(TObject*) {
    TrayIcon->ShowMainForm();
    TrayIcon->SetIconVisible(false);
}

void TfrmMain::ActionHelpExecute(TObject*) {
    POINT cursor{};
    GetCursorPos(&cursor);
    PopupMenuHelp->Popup(cursor.x, cursor.y);
}

void TfrmMain::ActionHelpContentExecute(TObject*) { ShowHelpPage(this, HelpContentPage); }

void TfrmMain::ActionQuickStartExecute(TObject*) { ShowHelpPage(this, QuickStartPage); }

void TfrmMain::ActionOnlineResourcesExecute(TObject*) { OpenLink(ProductHomePage); }

void TfrmMain::ActionContactTechnicalSupportExecute(TObject*) {
    OpenLink(std::string("mailto:") + ProductSupportMail);
}

void TfrmMain::labHomePageClick(TObject*) { OpenLink(labHomePage->Caption()); }

void TfrmMain::labSupportMailClick(TObject* sender) {
    ActionContactTechnicalSupportExecute(sender);
}

void TfrmMain::labOstrelClick(TObject*) { OpenLink("http://" + labOstrel->Caption()); }
