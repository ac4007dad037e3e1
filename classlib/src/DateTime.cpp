// DateTime.cpp - TDateTime (days since 1899-12-30) to and from calendar
// fields, and date texts in the user's locale.
#include <classlib/SysUtils.h>

#include <cmath>

#include "Consts.h"

namespace {

constexpr int64_t MSecsPerDay = 86400000;
// 1899-12-30 counted from 1970-01-01.
constexpr int64_t DateDelta = -25569;
// 0001-01-01 and 9999-12-31.
constexpr double MinDateTime = -693593;
constexpr double MaxDateTime = 2958465;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's method).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yoe = y - era * 400;
    int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t doe = z - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// A locale text of the user, however long.
std::string LocaleText(LCTYPE type) {
    int size = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, nullptr, 0);
    if (size <= 0) return {};
    std::string text(static_cast<size_t>(size), '\0');
    size = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text.data(), size);
    text.resize(size > 0 ? static_cast<size_t>(size) - 1 : 0);
    return text;
}

// The time in the user's own time format.
std::string TimeText(const SYSTEMTIME& time, DWORD flags) {
    int size = GetTimeFormatA(LOCALE_USER_DEFAULT, flags, &time, nullptr, nullptr, 0);
    if (size <= 0) return {};
    std::string text(static_cast<size_t>(size), '\0');
    size = GetTimeFormatA(LOCALE_USER_DEFAULT, flags, &time, nullptr, text.data(), size);
    text.resize(size > 0 ? static_cast<size_t>(size) - 1 : 0);
    return text;
}

std::string TwoDigits(int value) {
    std::string text = std::to_string(value);
    return text.size() < 2 ? "0" + text : text;
}

// One run of a format letter ("dddd") as text.
std::string Field(char letter, size_t count, const SYSTEMTIME& time) {
    // SYSTEMTIME counts days from Sunday = 0; the locale's names from Monday.
    int weekday = (time.wDayOfWeek + 6) % 7;
    switch (letter) {
        case 'd':
            if (count == 1) return std::to_string(time.wDay);
            if (count == 2) return TwoDigits(time.wDay);
            if (count == 3) return LocaleText(LOCALE_SABBREVDAYNAME1 + weekday);
            return LocaleText(LOCALE_SDAYNAME1 + weekday);
        case 'm':
            if (count == 1) return std::to_string(time.wMonth);
            if (count == 2) return TwoDigits(time.wMonth);
            if (count == 3) return LocaleText(LOCALE_SABBREVMONTHNAME1 + time.wMonth - 1);
            return LocaleText(LOCALE_SMONTHNAME1 + time.wMonth - 1);
        case 'y':
            return count <= 2 ? TwoDigits(time.wYear % 100) : std::to_string(time.wYear);
        case 'h':
            return count == 1 ? std::to_string(time.wHour) : TwoDigits(time.wHour);
        case 'n':
            return count == 1 ? std::to_string(time.wMinute) : TwoDigits(time.wMinute);
        case 's':
            return count == 1 ? std::to_string(time.wSecond) : TwoDigits(time.wSecond);
        default:  // 't'
            return TimeText(time, count == 1 ? TIME_NOSECONDS : 0);
    }
}

}  // namespace

TDateTime EncodeDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        throw EConvertError(SDateEncodeError);
    return static_cast<TDateTime>(DaysFromCivil(year, month, day) - DateDelta);
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        msec < 0 || msec > 999)
        throw EConvertError(STimeEncodeError);
    int64_t ms = ((hour * 60LL + minute) * 60 + second) * 1000 + msec;
    return static_cast<TDateTime>(ms) / MSecsPerDay;
}

TDateTime SystemTimeToDateTime(const SYSTEMTIME& time) {
    TDateTime date = EncodeDate(time.wYear, time.wMonth, time.wDay);
    TDateTime ofDay = EncodeTime(time.wHour, time.wMinute, time.wSecond, time.wMilliseconds);
    // Before 1899-12-30 the fraction counts away from zero: -1.25 is 1899-12-29 06:00.
    return date < 0 ? date - ofDay : date + ofDay;
}

SYSTEMTIME DateTimeToSystemTime(TDateTime time) {
    // Years 1 to 9999 only (also keeps NaN and huge values out of the casts).
    if (!(time > MinDateTime - 1 && time < MaxDateTime + 1)) throw EConvertError(SDateEncodeError);
    // The whole part counts days, the fraction (its size, also before 1899)
    // the time of day; a time that rounds to midnight begins the next day.
    double whole = std::trunc(time);
    int64_t day = static_cast<int64_t>(whole);
    int64_t ms = std::llround(std::fabs(time - whole) * MSecsPerDay);
    if (ms >= MSecsPerDay) {
        ms -= MSecsPerDay;
        ++day;
    }
    SYSTEMTIME result{};
    int year = 0, month = 0, dayOfMonth = 0;
    CivilFromDays(day + DateDelta, year, month, dayOfMonth);
    result.wYear = static_cast<WORD>(year);
    result.wMonth = static_cast<WORD>(month);
    result.wDay = static_cast<WORD>(dayOfMonth);
    // 1970-01-01 was a Thursday.
    result.wDayOfWeek = static_cast<WORD>(((day + DateDelta) % 7 + 11) % 7);
    result.wHour = static_cast<WORD>(ms / 3600000);
    result.wMinute = static_cast<WORD>(ms / 60000 % 60);
    result.wSecond = static_cast<WORD>(ms / 1000 % 60);
    result.wMilliseconds = static_cast<WORD>(ms % 1000);
    return result;
}

TDateTime FileTimeToDateTime(const FILETIME& time) {
    SYSTEMTIME fields;
    if (!FileTimeToSystemTime(&time, &fields)) throw EConvertError(SInvalidFileTime);
    return SystemTimeToDateTime(fields);
}

FILETIME DateTimeToFileTime(TDateTime time) {
    SYSTEMTIME fields = DateTimeToSystemTime(time);
    FILETIME result{};
    if (!SystemTimeToFileTime(&fields, &result)) throw EConvertError(SInvalidFileTime);
    return result;
}

TDateTime Now() {
    SYSTEMTIME time;
    GetLocalTime(&time);
    return SystemTimeToDateTime(time);
}

std::string FormatDateTime(std::string_view format, TDateTime time) {
    SYSTEMTIME fields = DateTimeToSystemTime(time);
    std::string result;
    size_t i = 0;
    while (i < format.size()) {
        char c = format[i];
        if (c == '\'' || c == '"') {
            size_t end = format.find(c, i + 1);
            if (end == std::string_view::npos) end = format.size();
            result.append(format.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        char letter = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if (std::string_view("dmyhnst").find(letter) == std::string_view::npos) {
            result += c;
            ++i;
            continue;
        }
        size_t count = 0;
        while (i < format.size() && (format[i] | 0x20) == letter) {
            ++count;
            ++i;
        }
        result += Field(letter, count, fields);
    }
    return result;
}
