// The power actions through replaced platform calls: the call each kind makes
// and the shutdown privilege enabled around it, never the real calls.
#include <gtest/gtest.h>

#include "ToolFixture.h"
#include "WindowFixture.h"

namespace {

class PowerActions : public ToolTest {};

}  // namespace

TEST_F(PowerActions, RebootAsksForEwxRebootWithTheShutdownPrivilegeEnabledAroundIt) {
    ASSERT_TRUE(SetProcessPrivilege("SeShutdownPrivilege", false));
    ASSERT_FALSE(ShutdownEnabled());
    DoPowerAction(3);
    ASSERT_EQ(PowerLog.size(), 1u);
    EXPECT_EQ(PowerLog[0].Name, "ExitWindowsEx");
    EXPECT_EQ(PowerLog[0].First, static_cast<UINT>(EWX_REBOOT));
    EXPECT_EQ(PowerLog[0].Second, 0u);
    EXPECT_TRUE(PowerLog[0].PrivilegeEnabled);
    EXPECT_FALSE(ShutdownEnabled());
}

TEST_F(PowerActions, EachKindMakesItsOwnCall) {
    struct TCase {
        int Kind;
        std::string Name;
        UINT First, Second;
    };
    const TCase cases[] = {
        {1, "ExitWindowsEx", 9, 0},
        {2, "ExitWindowsEx", 8, 0},
        {4, "SetSystemPowerState", FALSE, FALSE},
        {5, "SetSystemPowerState", TRUE, FALSE},
    };
    for (const TCase& c : cases) {
        PowerLog.clear();
        DoPowerAction(c.Kind);
        ASSERT_EQ(PowerLog.size(), 1u) << c.Kind;
        EXPECT_EQ(PowerLog[0].Name, c.Name) << c.Kind;
        EXPECT_EQ(PowerLog[0].First, c.First) << c.Kind;
        EXPECT_EQ(PowerLog[0].Second, c.Second) << c.Kind;
        EXPECT_TRUE(PowerLog[0].PrivilegeEnabled) << c.Kind;
    }
    EXPECT_FALSE(ShutdownEnabled());
}

TEST_F(PowerActions, KindZeroEndsTheApplicationAndUnknownKindsDoNothing) {
    TScopedApplication application;
    for (int kind : {-1, 6, 100}) DoPowerAction(kind);
    EXPECT_FALSE(application->Terminated());
    DoPowerAction(0);
    EXPECT_TRUE(application->Terminated());
    EXPECT_TRUE(PowerLog.empty());
}

TEST_F(PowerActions, PrivilegesAreSwitchedByName) {
    EXPECT_TRUE(SetProcessPrivilege("SeShutdownPrivilege", true));
    EXPECT_TRUE(ShutdownEnabled());
    EXPECT_TRUE(SetProcessPrivilege("SeShutdownPrivilege", false));
    EXPECT_FALSE(ShutdownEnabled());
    EXPECT_FALSE(SetProcessPrivilege("SeNoSuchPrivilege", true));
}
