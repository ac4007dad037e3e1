// Ownership, free notifications, names, loading and Assign of the component model.
#include <classlib/Classes.h>
#include <classlib/Pictures.h>
#include <classlib/SysUtils.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A component that writes what happens to it into a shared log.
class TProbe : public TComponent {
public:
    TProbe(TComponent* owner, std::string tag, std::vector<std::string>& log)
        : TComponent(owner), FTag(std::move(tag)), FLog(log) {}
    ~TProbe() override {
        FLog.push_back("delete " + FTag +
                       (ComponentState().Contains(csDestroying) ? " destroying" : ""));
    }

    // A reference to a component it does not own, dropped when that one goes.
    TComponent* Watched = nullptr;
    void Watch(TComponent* other) {
        Watched = other;
        other->FreeNotification(this);
    }

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        // The component comes or goes half made: it is only compared.
        if (operation == opInsert) {
            FLog.push_back(FTag + " sees insert");
        } else {
            FLog.push_back(FTag + " sees removal");
            if (component == Watched) Watched = nullptr;
        }
    }
    void Loaded() override {
        TComponent::Loaded();
        FLog.push_back("loaded " + FTag);
    }

private:
    std::string FTag;
    std::vector<std::string>& FLog;
};

bool Contains(const std::vector<std::string>& log, const std::string& line) {
    return std::find(log.begin(), log.end(), line) != log.end();
}

}  // namespace

TEST(ComponentOwnership, OwnerDeletesOwnedLastMadeFirstAndMarksThemDestroying) {
    std::vector<std::string> log;
    {
        TProbe owner(nullptr, "owner", log);
        new TProbe(&owner, "a", log);
        auto b = new TProbe(&owner, "b", log);
        new TProbe(b, "b1", log);
        EXPECT_EQ(owner.ComponentCount(), 2);
        EXPECT_EQ(owner.Components(1), b);
        EXPECT_EQ(b->Owner(), &owner);
        log.clear();
    }
    // b goes first, with what it owns; each was marked before its delete ran.
    std::vector<std::string> deletes;
    for (const std::string& line : log)
        if (line.rfind("delete", 0) == 0) deletes.push_back(line);
    EXPECT_EQ(deletes, (std::vector<std::string>{"delete owner", "delete b destroying",
                                                 "delete b1 destroying", "delete a destroying"}));
}

TEST(ComponentOwnership, DeletingAnOwnedComponentLeavesTheOwnerAndTellsTheSiblings) {
    std::vector<std::string> log;
    TProbe owner(nullptr, "owner", log);
    auto a = new TProbe(&owner, "a", log);
    log.clear();
    new TProbe(&owner, "b", log);
    EXPECT_TRUE(Contains(log, "a sees insert"));
    EXPECT_TRUE(Contains(log, "owner sees insert"));
    log.clear();
    delete a;
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_TRUE(Contains(log, "b sees removal"));
    EXPECT_TRUE(Contains(log, "owner sees removal"));
}

TEST(ComponentOwnership, InsertingIntoAnotherOwnerMovesTheComponent) {
    std::vector<std::string> log;
    TProbe first(nullptr, "first", log), second(nullptr, "second", log);
    auto child = new TProbe(&first, "child", log);
    second.InsertComponent(child);
    EXPECT_EQ(first.ComponentCount(), 0);
    EXPECT_EQ(second.ComponentCount(), 1);
    EXPECT_EQ(child->Owner(), &second);
    second.RemoveComponent(child);
    EXPECT_EQ(child->Owner(), nullptr);
    delete child;
    EXPECT_EQ(second.ComponentCount(), 0);
}

TEST(FreeNotification, TheWatcherForgetsAComponentThatGoes) {
    std::vector<std::string> log;
    TProbe left(nullptr, "left", log), right(nullptr, "right", log);
    auto list = new TProbe(&right, "list", log);
    auto watcher = std::make_unique<TProbe>(&left, "watcher", log);
    watcher->Watch(list);
    delete list;
    EXPECT_EQ(watcher->Watched, nullptr);
    EXPECT_TRUE(Contains(log, "watcher sees removal"));
}

TEST(FreeNotification, AWatcherThatGoesFirstIsNeverCalledAgain) {
    std::vector<std::string> log;
    auto list = std::make_unique<TProbe>(nullptr, "list", log);
    auto early = std::make_unique<TProbe>(nullptr, "early", log);
    auto late = std::make_unique<TProbe>(nullptr, "late", log);
    early->Watch(list.get());
    late->Watch(list.get());
    early.reset();
    log.clear();
    list.reset();
    // Only the watcher still alive hears of it (a call into the freed one
    // would not come back).
    EXPECT_EQ(log, (std::vector<std::string>{"delete list", "late sees removal"}));
}

TEST(FreeNotification, RemovedNotificationsAreNotSent) {
    std::vector<std::string> log;
    auto list = std::make_unique<TProbe>(nullptr, "list", log);
    TProbe watcher(nullptr, "watcher", log);
    watcher.Watch(list.get());
    watcher.FreeNotification(list.get());  // asking twice keeps one entry
    watcher.RemoveFreeNotification(list.get());
    log.clear();
    list.reset();
    EXPECT_FALSE(Contains(log, "watcher sees removal"));
}

TEST(ComponentName, NamesAreUniqueAmongSiblingsWithoutRegardToCase) {
    std::vector<std::string> log;
    TProbe form(nullptr, "form", log), other(nullptr, "other", log);
    auto first = new TProbe(&form, "1", log);
    auto second = new TProbe(&form, "2", log);
    auto elsewhere = new TProbe(&other, "3", log);
    first->SetName("btnClose");
    first->SetName("btnClose");
    elsewhere->SetName("btnClose");
    second->SetName("");
    try {
        second->SetName("BTNCLOSE");
        FAIL() << "a second BTNCLOSE was accepted";
    } catch (const EComponentError& error) {
        EXPECT_EQ(error.Message(), "A component named BTNCLOSE already exists");
    }
    EXPECT_EQ(second->Name(), "");
}

TEST(ComponentLoading, LoadingMarksEverythingAndLoadedRunsOwnerFirst) {
    std::vector<std::string> log;
    TProbe form(nullptr, "form", log);
    auto early = new TProbe(&form, "early", log);
    form.BeginLoading();
    auto late = new TProbe(&form, "late", log);
    new TProbe(late, "inner", log);
    for (TComponent* component : {static_cast<TComponent*>(&form), static_cast<TComponent*>(early),
                                  static_cast<TComponent*>(late)})
        EXPECT_TRUE(component->ComponentState().Contains(csLoading));
    log.clear();
    form.EndLoading();
    EXPECT_EQ(log, (std::vector<std::string>{"loaded form", "loaded early", "loaded late",
                                             "loaded inner"}));
    EXPECT_FALSE(late->ComponentState().Contains(csLoading));
}

TEST(Assign, UnrelatedClassesRaiseTheAssignErrorWithBothNames) {
    TFont font;
    TBitmap bitmap;
    struct TCase {
        TPersistent* dest;
        const TPersistent* source;
        const char* message;
    } cases[] = {
        {&bitmap, &font, "Cannot assign a TFont to a TBitmap"},
        {&font, &bitmap, "Cannot assign a TBitmap to a TFont"},
        {&font, nullptr, "Cannot assign a nil to a TFont"},
    };
    for (const TCase& c : cases) {
        try {
            c.dest->Assign(c.source);
            ADD_FAILURE() << c.message;
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.Message(), c.message);
        }
    }
    std::vector<std::string> log;
    EXPECT_EQ(TProbe(nullptr, "x", log).ClassName(), "TProbe");
}
