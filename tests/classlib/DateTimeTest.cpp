// TDateTime arithmetic, its platform forms, and date texts in the locale.
#include <classlib/SysUtils.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

SYSTEMTIME Fields(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                  int msec = 0) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    time.wSecond = static_cast<WORD>(second);
    time.wMilliseconds = static_cast<WORD>(msec);
    return time;
}

void ExpectSameFields(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    EXPECT_EQ(a.wYear, b.wYear);
    EXPECT_EQ(a.wMonth, b.wMonth);
    EXPECT_EQ(a.wDay, b.wDay);
    EXPECT_EQ(a.wHour, b.wHour);
    EXPECT_EQ(a.wMinute, b.wMinute);
    EXPECT_EQ(a.wSecond, b.wSecond);
    EXPECT_EQ(a.wMilliseconds, b.wMilliseconds);
}

}  // namespace

TEST(DateTime, DaysCountFromTheLastDaysOf1899) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2007, 3, 1), 39142.0);
    EXPECT_EQ(EncodeDate(1899, 12, 29), -1.0);
    EXPECT_DOUBLE_EQ(EncodeTime(18, 0, 0, 0), 0.75);
    EXPECT_THROW(EncodeDate(2007, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(2007, 13, 1), EConvertError);
    EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_NO_THROW(EncodeDate(2000, 2, 29));
    EXPECT_THROW(EncodeDate(1900, 2, 29), EConvertError);
}

TEST(DateTime, CalendarFieldsSurviveTheRoundTrip) {
    for (const SYSTEMTIME& time :
         {Fields(2007, 3, 1, 9, 5, 3, 0), Fields(2000, 2, 29, 23, 59, 59, 999), Fields(1600, 3, 1),
          Fields(1, 1, 1), Fields(9999, 12, 31, 12, 0, 0, 1), Fields(1899, 12, 30, 0, 0, 0, 1),
          Fields(1850, 6, 15, 6, 30)}) {
        SYSTEMTIME back = DateTimeToSystemTime(SystemTimeToDateTime(time));
        ExpectSameFields(back, time);
    }
    EXPECT_EQ(DateTimeToSystemTime(EncodeDate(2007, 3, 1)).wDayOfWeek, 4);  // Thursday
    // Before 1899 the fraction still counts forward from the day's start.
    SYSTEMTIME early = DateTimeToSystemTime(-1.25);
    ExpectSameFields(early, Fields(1899, 12, 29, 6));
    // A time that rounds up to midnight starts the next day.
    ExpectSameFields(DateTimeToSystemTime(EncodeDate(2007, 3, 1) + 0.9999999999),
                     Fields(2007, 3, 2));
    EXPECT_THROW(DateTimeToSystemTime(std::nan("")), EConvertError);
    EXPECT_THROW(DateTimeToSystemTime(1e300), EConvertError);
}

TEST(DateTime, FileTimesConvertWithoutATimeZoneStep) {
    SYSTEMTIME fields = Fields(2007, 3, 1, 9, 5, 3, 250);
    FILETIME time{};
    ASSERT_TRUE(SystemTimeToFileTime(&fields, &time));
    TDateTime value = FileTimeToDateTime(time);
    EXPECT_DOUBLE_EQ(value, SystemTimeToDateTime(fields));
    FILETIME back = DateTimeToFileTime(value);
    EXPECT_EQ(back.dwLowDateTime, time.dwLowDateTime);
    EXPECT_EQ(back.dwHighDateTime, time.dwHighDateTime);
    EXPECT_THROW(FileTimeToDateTime(FILETIME{0xFFFFFFFF, 0xFFFFFFFF}), EConvertError);

    SYSTEMTIME before, after;
    GetLocalTime(&before);
    TDateTime now = Now();
    GetLocalTime(&after);
    EXPECT_GE(now, SystemTimeToDateTime(before));
    EXPECT_LE(now, SystemTimeToDateTime(after));
}

TEST(DateTimeText, NamesAndTimeComeFromTheUsersLocale) {
    TDateTime time = EncodeDate(2007, 3, 1) + EncodeTime(9, 5, 3, 0);
    SYSTEMTIME fields = DateTimeToSystemTime(time);
    char day[80], month[80], longTime[80], shortTime[80];
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDAYNAME4, day, sizeof day);
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME3, month, sizeof month);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &fields, nullptr, longTime, sizeof longTime);
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &fields, nullptr, shortTime,
                   sizeof shortTime);
    EXPECT_EQ(FormatDateTime("dddd, mmmm dd, yyyy - tt", time),
              std::string(day) + ", " + month + " 01, 2007 - " + longTime);
    EXPECT_EQ(FormatDateTime("t", time), shortTime);
    EXPECT_EQ(FormatDateTime("d/m/yy hh:nn:ss 'dddd' \"mm\"", time), "1/3/07 09:05:03 dddd mm");
    // The names of the English locale, as the program's default texts show them.
    if (GetUserDefaultLangID() == MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)) {
        EXPECT_EQ(FormatDateTime("dddd, mmmm dd, yyyy", time), "Thursday, March 01, 2007");
        EXPECT_EQ(FormatDateTime("ddd mmm", time), "Thu Mar");
    }
}
