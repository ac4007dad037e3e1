// Texts that depend on the user's locale and code page. Each case runs in a
// process of its own started with that locale (see CMakeLists.txt) and is
// skipped in any other.
#include <classlib/SysUtils.h>
#include <gtest/gtest.h>

TEST(LocaleText, GermanDateText) {
    if (GetUserDefaultLCID() != MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT))
        GTEST_SKIP() << "needs the German locale";
    TDateTime time = EncodeDate(2007, 3, 1) + EncodeTime(9, 5, 3, 0);
    // The long time format is the user's own setting (09:05:03 or 9:05:03).
    SYSTEMTIME fields = DateTimeToSystemTime(time);
    char longTime[80];
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &fields, nullptr, longTime, sizeof longTime);
    EXPECT_EQ(FormatDateTime("dddd, mmmm dd, yyyy - tt", time),
              std::string("Donnerstag, M\xE4rz 01, 2007 - ") + longTime);
    EXPECT_EQ(FormatDateTime("ddd, mmm", time), "Do., M\xE4r");
}

TEST(LocaleText, DoubleBytePathsInCodePage932) {
    if (GetACP() != 932) GTEST_SKIP() << "needs code page 932";
    // The second byte of 0x95 0x5C is a backslash, but no path separator.
    const std::string name = "\x95\x5C";
    EXPECT_EQ(ExtractFileName("C:\\dir\\" + name), name);
    EXPECT_EQ(ExtractFilePath("C:\\dir\\" + name), "C:\\dir\\");
    EXPECT_EQ(IncludeTrailingBackslash("C:\\" + name), "C:\\" + name + "\\");
    EXPECT_EQ(ExtractFileExt("C:\\dir\\a." + name), "." + name);
}
