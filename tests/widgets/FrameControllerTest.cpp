// The frame controller: registration, pushes by name or by FramingChanged,
// the lock, the setters' side effects, assignment, loading and the
// references it keeps and gives.
#include <classlib/Controls.h>
#include <classlib/SysUtils.h>
#include <gtest/gtest.h>
#include <widgets/frames/FrameController.h>
#include <widgets/frames/PublishedProperties.h>
#include <widgets/frames/RegIniFile.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using TWrite = std::pair<std::string, int64_t>;
using TWrites = std::vector<TWrite>;

// A component that publishes the properties named in its table and records
// every write into them.
class TPublishingProbe : public TControl, public IPublishedProperties {
public:
    explicit TPublishingProbe(TComponent* owner, std::map<std::string, int64_t> published = {})
        : TControl(owner), Values(std::move(published)) {
        for (std::string_view name :
             {"Color", "FocusColor", "DisabledColor", "ReadOnlyColor", "ReadOnlyColorOnFocus",
              "ParentColor", "FlatButtonColor", "FlatButtons", "FrameColor", "FrameHotColor",
              "FrameHotTrack", "FrameHotStyle", "FrameSides", "FrameStyle", "FrameVisible",
              "FramingPreference"})
            Values.try_emplace(std::string(name), -1);
    }

    std::optional<TOrdinalProperty> PublishedProperty(std::string_view name) override {
        auto found = Values.find(std::string(name));
        if (found == Values.end()) return std::nullopt;
        int64_t* value = &found->second;
        std::string key = found->first;
        return TOrdinalProperty{[value] { return *value; },
                                [this, value, key](int64_t v) {
                                    *value = v;
                                    Writes.emplace_back(key, v);
                                }};
    }

    std::map<std::string, int64_t> Values;
    TWrites Writes;
};

// A component told of changes, keeping its controller as a kit control does.
class TClientProbe : public TControl, public IFrameControllerClient {
public:
    using TControl::TControl;
    ~TClientProbe() override {
        if (Controller) Controller->UnregisterControl(this);
    }
    void Attach(TKitFrameController* controller) {
        Controller = controller;
        controller->FreeNotification(this);
        controller->RegisterControl(this);
    }
    void FramingChanged() override { ++Calls; }

    TKitFrameController* Controller = nullptr;
    int Calls = 0;

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TControl::Notification(component, operation);
        if (operation == opRemove && component == Controller) Controller = nullptr;
    }
};

std::vector<std::string> Names(const TWrites& writes) {
    std::vector<std::string> names;
    for (const auto& write : writes) names.push_back(write.first);
    return names;
}

const std::vector<std::string> FullPush{
    "ParentColor",          "Color",         "DisabledColor",   "ReadOnlyColor",
    "ReadOnlyColorOnFocus", "FocusColor",    "FlatButtonColor", "FlatButtons",
    "FrameColor",           "FrameHotColor", "FrameHotTrack",   "FrameHotStyle",
    "FrameSides",           "FrameStyle",    "FrameVisible",    "FramingPreference"};

class FrameControllerTest : public ::testing::Test {
protected:
    TComponent Form{nullptr};
    TKitFrameController* Controller = new TKitFrameController(&Form);
};

}  // namespace

TEST_F(FrameControllerTest, StartsWithTheDefaults) {
    const TKitFrameControllerSettings& s = Controller->Settings();
    EXPECT_EQ(s.Color, clWindow);
    EXPECT_FALSE(s.ParentColor);
    EXPECT_EQ(s.DisabledColor, clBtnFace);
    EXPECT_EQ(s.ReadOnlyColor, clInfoBk);
    EXPECT_FALSE(s.ReadOnlyColorOnFocus);
    EXPECT_EQ(s.FlatButtonColor, clBtnFace);
    EXPECT_TRUE(s.FlatButtons);
    EXPECT_EQ(s.FocusColor, clWindow);
    EXPECT_EQ(s.FrameColor, clBtnShadow);
    EXPECT_EQ(s.FrameHotColor, clBtnShadow);
    EXPECT_EQ(s.FrameHotStyle, fsFlatBold);
    EXPECT_FALSE(s.FrameHotTrack);
    EXPECT_EQ(s.FrameSides, AllSides);
    EXPECT_EQ(s.FrameStyle, fsFlat);
    EXPECT_FALSE(s.FrameVisible);
    EXPECT_EQ(s.FramingPreference, fpXPThemes);
    EXPECT_EQ(Controller->RegIniFile(), nullptr);
    EXPECT_EQ(Controller->RegisteredCount(), 0);
}

TEST_F(FrameControllerTest, RegisteringPushesEverySettingOnceInItsOrder) {
    auto probe = new TPublishingProbe(&Form);
    Controller->RegisterControl(probe);
    Controller->RegisterControl(probe);
    EXPECT_EQ(Controller->RegisteredCount(), 1);
    EXPECT_EQ(Names(probe->Writes), FullPush);
    EXPECT_EQ(probe->Values["Color"], clWindow);
    EXPECT_EQ(probe->Values["FrameSides"], 15);
    EXPECT_EQ(probe->Values["FrameHotStyle"], fsFlatBold);
    EXPECT_EQ(probe->Values["FlatButtons"], 1);
}

TEST_F(FrameControllerTest, RegisteringWhileLockedStillPushesToTheNewControl) {
    auto first = new TPublishingProbe(&Form);
    Controller->RegisterControl(first);
    first->Writes.clear();
    Controller->LockPushes();
    auto second = new TPublishingProbe(&Form);
    Controller->RegisterControl(second);
    EXPECT_EQ(Names(second->Writes), FullPush);
    Controller->SetFrameColor(clRed);
    EXPECT_TRUE(first->Writes.empty());
}

TEST_F(FrameControllerTest, TheLastUnregistrationEmptiesTheListAndANewOneStartsIt) {
    auto probe = new TPublishingProbe(&Form);
    Controller->RegisterControl(probe);
    Controller->UnregisterControl(probe);
    Controller->UnregisterControl(probe);
    EXPECT_EQ(Controller->RegisteredCount(), 0);
    probe->Writes.clear();
    Controller->SetFrameColor(clRed);
    EXPECT_TRUE(probe->Writes.empty());
    Controller->RegisterControl(probe);
    EXPECT_EQ(Controller->RegisteredCount(), 1);
    EXPECT_EQ(probe->Values["FrameColor"], clRed);
}

TEST_F(FrameControllerTest, EachSetterPushesItsOwnSettingOnlyWhenItChanges) {
    auto probe = new TPublishingProbe(&Form);
    Controller->RegisterControl(probe);
    struct TCase {
        const char* name;
        std::function<void()> set;
        int64_t expected;
    };
    const std::vector<TCase> cases{
        {"DisabledColor", [&] { Controller->SetDisabledColor(clRed); }, clRed},
        {"ReadOnlyColor", [&] { Controller->SetReadOnlyColor(clLime); }, clLime},
        {"ReadOnlyColorOnFocus", [&] { Controller->SetReadOnlyColorOnFocus(true); }, 1},
        {"FlatButtonColor", [&] { Controller->SetFlatButtonColor(clBlue); }, clBlue},
        {"FlatButtons", [&] { Controller->SetFlatButtons(false); }, 0},
        {"FocusColor", [&] { Controller->SetFocusColor(clYellow); }, clYellow},
        {"FrameColor", [&] { Controller->SetFrameColor(clNavy); }, clNavy},
        {"FrameHotColor", [&] { Controller->SetFrameHotColor(clMaroon); }, clMaroon},
        {"FrameHotStyle", [&] { Controller->SetFrameHotStyle(fsRaised); }, fsRaised},
        {"FrameSides",
         [&] {
             Controller->SetFrameSides(TSides{sdLeft, sdBottom});
         },
         9},
        {"FrameStyle", [&] { Controller->SetFrameStyle(fsGroove); }, fsGroove},
        {"FrameVisible", [&] { Controller->SetFrameVisible(true); }, 1},
        {"FramingPreference", [&] { Controller->SetFramingPreference(fpCustomFraming); },
         fpCustomFraming},
    };
    for (const TCase& c : cases) {
        probe->Writes.clear();
        c.set();
        c.set();
        EXPECT_EQ(probe->Writes, (TWrites{{c.name, c.expected}})) << c.name;
    }
}

TEST_F(FrameControllerTest, ColorCarriesAnEqualFocusColorAlongButPushesOnlyColor) {
    auto probe = new TPublishingProbe(&Form);
    Controller->RegisterControl(probe);
    probe->Writes.clear();
    Controller->SetColor(clAqua);
    EXPECT_EQ(Controller->FocusColor(), clAqua);
    EXPECT_EQ(probe->Writes, (TWrites{{"Color", clAqua}}));

    Controller->SetFocusColor(clYellow);
    Controller->SetColor(clRed);
    EXPECT_EQ(Controller->FocusColor(), clYellow);
}

TEST_F(FrameControllerTest, ParentColorOffPushesParentColorThenColor) {
    auto probe = new TPublishingProbe(&Form);
    Controller->RegisterControl(probe);
    Controller->SetParentColor(true);
    probe->Writes.clear();
    // A full push of a controller that follows its parent gives no colour.
    Controller->LockPushes();
    Controller->UnlockPushes();
    EXPECT_EQ(std::count(probe->Writes.begin(), probe->Writes.end(), TWrite{"Color", clWindow}), 0);
    probe->Writes.clear();
    Controller->SetParentColor(false);
    EXPECT_EQ(probe->Writes, (TWrites{{"ParentColor", 0}, {"Color", clWindow}}));
    // Writing the colour takes the controller off its parent's colour.
    Controller->SetParentColor(true);
    Controller->SetColor(clRed);
    EXPECT_FALSE(Controller->ParentColor());
}

TEST_F(FrameControllerTest, NestedLocksHoldPushesUntilTheLastUnlock) {
    auto probe = new TPublishingProbe(&Form);
    Controller->RegisterControl(probe);
    probe->Writes.clear();
    Controller->LockPushes();
    Controller->LockPushes();
    Controller->SetFrameColor(clRed);
    Controller->UnlockPushes();
    EXPECT_TRUE(probe->Writes.empty());
    Controller->UnlockPushes();
    EXPECT_EQ(Names(probe->Writes), FullPush);
    // An unlock too many pushes again and leaves the lock open.
    probe->Writes.clear();
    Controller->UnlockPushes();
    Controller->SetFrameStyle(fsBump);
    EXPECT_EQ(probe->Writes.back(), (TWrite{"FrameStyle", fsBump}));
}

TEST_F(FrameControllerTest, NotificationsChooseWhatAControlTakes) {
    const int64_t withoutColor = 0xFFFF & ~(1 << fcpColor);
    auto choosy = new TPublishingProbe(
        &Form, {{"FrameControllerNotifications", withoutColor}, {"Color", clPurple}});
    Controller->RegisterControl(choosy);
    Controller->SetColor(clRed);
    EXPECT_EQ(choosy->Values["Color"], clPurple);
    const std::vector<std::string> written = Names(choosy->Writes);
    EXPECT_EQ(std::count(written.begin(), written.end(), "Color"), 0);
    EXPECT_EQ(choosy->Writes.size(), FullPush.size() - 1);
}

TEST_F(FrameControllerTest, AControlSkipsWhatItDoesNotPublish) {
    class TNarrowProbe : public TPublishingProbe {
    public:
        using TPublishingProbe::TPublishingProbe;
        std::optional<TOrdinalProperty> PublishedProperty(std::string_view name) override {
            if (name != "FrameColor") return std::nullopt;
            return TPublishingProbe::PublishedProperty(name);
        }
    };
    auto narrow = new TNarrowProbe(&Form);
    Controller->RegisterControl(narrow);
    Controller->SetColor(clRed);
    EXPECT_EQ(narrow->Writes, (TWrites{{"FrameColor", clBtnShadow}}));
}

TEST_F(FrameControllerTest, AClientIsToldOfEveryChangeAndNothingIsWritten) {
    auto client = new TClientProbe(&Form);
    client->Attach(Controller);
    EXPECT_EQ(client->Calls, 1);
    Controller->SetColor(clRed);
    Controller->SetFrameHotTrack(true);  // FrameVisible, then FrameHotTrack
    Controller->SetFrameHotTrack(true);
    EXPECT_EQ(client->Calls, 4);
    Controller->SetParentColor(true);
    Controller->SetParentColor(false);  // ParentColor, then Color
    EXPECT_EQ(client->Calls, 7);
}

TEST_F(FrameControllerTest, HotTrackingFramesAllSidesExceptWhileLoading) {
    auto probe = new TPublishingProbe(&Form);
    Controller->RegisterControl(probe);
    Controller->SetFrameSides(TSides{sdTop});
    probe->Writes.clear();
    Controller->SetFrameHotTrack(true);
    EXPECT_TRUE(Controller->FrameVisible());
    EXPECT_EQ(Controller->FrameSides(), AllSides);
    EXPECT_EQ(probe->Writes, (TWrites{{"FrameVisible", 1}, {"FrameHotTrack", 1}}));

    TKitFrameController loading(nullptr);
    loading.BeginLoading();
    loading.SetFrameSides(TSides{sdLeft});
    loading.SetFrameHotTrack(true);
    EXPECT_EQ(loading.FrameSides(), TSides{sdLeft});
    loading.EndLoading();
}

TEST_F(FrameControllerTest, LoadingEndsWithOneFullPush) {
    Controller->BeginLoading();
    auto probe = new TPublishingProbe(&Form);
    Controller->RegisterControl(probe);
    probe->Writes.clear();
    Controller->EndLoading();
    EXPECT_EQ(Names(probe->Writes), FullPush);
}

TEST_F(FrameControllerTest, AssignCopiesTheSettingsWithOneFullPush) {
    TKitFrameController source(nullptr);
    source.SetColor(clRed);
    source.SetFrameHotTrack(true);
    source.SetFrameStyle(fsGroove);
    TKitRegIniFile store(nullptr);
    source.SetRegIniFile(&store);

    auto probe = new TPublishingProbe(&Form);
    Controller->RegisterControl(probe);
    probe->Writes.clear();
    Controller->Assign(&source);
    EXPECT_EQ(Names(probe->Writes), FullPush);
    EXPECT_EQ(Controller->Color(), clRed);
    EXPECT_EQ(Controller->FocusColor(), clRed);
    EXPECT_TRUE(Controller->FrameHotTrack());
    EXPECT_TRUE(Controller->FrameVisible());
    EXPECT_EQ(Controller->FrameStyle(), fsGroove);
    EXPECT_EQ(Controller->RegIniFile(), nullptr);
}

TEST_F(FrameControllerTest, AssigningAnythingElseRaisesTheAssignmentError) {
    TKitRegIniFile store(nullptr);
    try {
        Controller->Assign(&store);
        FAIL() << "no error";
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "Cannot assign a TKitRegIniFile to a TKitFrameController");
    }
}

TEST_F(FrameControllerTest, OnlyControlsTakeSettings) {
    // A component that is no control is registered but never written.
    class TNotAControl : public TComponent, public IPublishedProperties {
    public:
        using TComponent::TComponent;
        std::optional<TOrdinalProperty> PublishedProperty(std::string_view) override {
            ADD_FAILURE() << "asked for a property";
            return std::nullopt;
        }
    };
    auto component = new TNotAControl(&Form);
    Controller->RegisterControl(component);
    Controller->SetColor(clRed);
    EXPECT_TRUE(Controller->IsRegistered(component));
}

TEST_F(FrameControllerTest, ReferencesEndWithWhatTheyReferTo) {
    auto store = new TKitRegIniFile(&Form);
    Controller->SetRegIniFile(store);
    EXPECT_EQ(Controller->RegIniFile(), store);
    delete store;
    EXPECT_EQ(Controller->RegIniFile(), nullptr);

    // A registered control that goes away without leaving is forgotten.
    auto probe = new TPublishingProbe(&Form);
    Controller->RegisterControl(probe);
    delete probe;
    EXPECT_EQ(Controller->RegisteredCount(), 0);
    Controller->SetFrameColor(clRed);

    // A control leaves when it goes, and forgets a controller that goes first.
    auto client = new TClientProbe(&Form);
    client->Attach(Controller);
    delete client;
    EXPECT_EQ(Controller->RegisteredCount(), 0);
    client = new TClientProbe(&Form);
    client->Attach(Controller);
    delete Controller;
    EXPECT_EQ(client->Controller, nullptr);
}

TEST_F(FrameControllerTest, OlderDescriptionsAreReadIntoTodaysSettings) {
    Controller->BeginLoading();
    EXPECT_TRUE(Controller->ReadObsoleteProperty("FrameFlat", "True"));
    EXPECT_TRUE(Controller->FrameHotTrack());
    EXPECT_TRUE(Controller->FrameVisible());
    EXPECT_EQ(Controller->FrameStyle(), fsStatus);
    EXPECT_EQ(Controller->FrameHotStyle(), fsLowered);

    EXPECT_TRUE(Controller->ReadObsoleteProperty("FrameFocusStyle", "fsButtonUp"));
    EXPECT_EQ(Controller->FrameHotStyle(), fsButtonUp);
    EXPECT_TRUE(Controller->ReadObsoleteProperty("FrameFocusStyle", "fsNoSuchStyle"));
    EXPECT_EQ(Controller->FrameHotStyle(), fsButtonUp);

    EXPECT_TRUE(Controller->ReadObsoleteProperty("FrameFlatStyle", "fsFlat"));
    EXPECT_FALSE(Controller->ReadObsoleteProperty("FrameWidth", "2"));
    EXPECT_TRUE(Controller->ReadObsoleteProperty("FrameFlat", "False"));
    EXPECT_FALSE(Controller->FrameHotTrack());
    EXPECT_EQ(Controller->FrameStyle(), fsStatus);
    Controller->EndLoading();
}

TEST(KitRegIniFile, HoldsItsSettingsAndAsksForARefreshWhenOneChanges) {
    TKitRegIniFile store(nullptr);
    EXPECT_EQ(store.Path(), "");
    EXPECT_EQ(store.PathType(), ptIniFile);
    EXPECT_EQ(store.RegKey(), hkeyCurrentUser);
    EXPECT_EQ(store.RegAccess(), TKitRegAccess{keyAllAccess});
    EXPECT_EQ(store.SpecialFolder(), sfNone);
    EXPECT_TRUE(store.RefreshNeeded());
    store.SetPath("Software\\Holvane");
    store.SetPathType(ptRegistry);
    store.SetRegKey(hkeyLocalMachine);
    store.SetRegAccess(TKitRegAccess{keyRead});
    store.SetSpecialFolder(sfUserDocuments);
    EXPECT_EQ(store.Path(), "Software\\Holvane");
    EXPECT_EQ(store.PathType(), ptRegistry);
    EXPECT_EQ(store.RegKey(), hkeyLocalMachine);
    EXPECT_EQ(store.RegAccess(), TKitRegAccess{keyRead});
    EXPECT_EQ(store.SpecialFolder(), sfUserDocuments);
    EXPECT_TRUE(store.RefreshNeeded());
}
