// SysUtils.h - the library's exceptions and its text, number, date and path
// routines. Texts are ANSI in the system code page, as the platform's ...A
// calls take them.
//
//   Exception              base of every error the library raises: a message
//     EConvertError        a text that is no number or colour, a date out of range,
//                          a "Cannot assign a %s to a %s"
//       EFormatError       a format text that does not fit its arguments
//     EInvalidOperation    an operation that the object's state does not allow
//     EOutOfResources      the platform refused a GDI or window resource
//     EFOpenError          a file that cannot be opened
//     EInvalidGraphic      a picture file or format that the graphics cannot use
//     EComponentError      a component name already in use
//     ERegistryException   a registry value that cannot be written or read
//     EIniFileException    an ini file that cannot be written
//   HandleCallbackException  the catch-all of a platform callback
//   TFormatArg, Format     "%s", "%d", "%u", "%%" over typed arguments
//   TFormatConversion, FormatConversions, SameFormatArguments
//                          what a format text takes from its arguments
//   StrToInt, StrToIntDef, TryStrToInt
//   Trim, UpperCase, AnsiUpperCase, SameText, SysErrorMessage
//   TDateTime              days since 1899-12-30 as a double, with EncodeDate,
//                          EncodeTime, Now, SYSTEMTIME and FILETIME conversions
//                          and FormatDateTime from the user's locale
//   ExtractFilePath, ExtractFileName, ExtractFileExt, IncludeTrailingBackslash,
//   FileExists, DirectoryExists, ForceDirectories
#pragma once

#include <windows.h>

#include <concepts>
#include <cstdint>
#include <exception>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

// --- Exceptions -------------------------------------------------------------

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : FMessage(std::move(message)) {}
    const std::string& Message() const noexcept { return FMessage; }
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    std::string FMessage;
};

class EConvertError : public Exception {
public:
    using Exception::Exception;
};
class EFormatError : public EConvertError {
public:
    using EConvertError::EConvertError;
};
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};
class EOutOfResources : public Exception {
public:
    using Exception::Exception;
};
class EFOpenError : public Exception {
public:
    using Exception::Exception;
};
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};
class EComponentError : public Exception {
public:
    using Exception::Exception;
};
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};
class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

// An exception must not unwind through the platform's own frames. A window
// procedure or other callback of the library catches everything and calls
// HandleCallbackException from its catch block; it hands the exception to
// ApplicationHandleException, which the application object sets to show its
// error box. Without one the message goes to the debug output.
extern std::function<void(const std::exception& error)> ApplicationHandleException;
void HandleCallbackException() noexcept;

// --- Format -------------------------------------------------------------------

// One argument of Format: an integer of any width, or a text.
class TFormatArg {
public:
    template <std::integral T>
    TFormatArg(T value)
        : FIsText(false),
          FIsUnsigned(std::is_unsigned_v<T>),
          FInteger(static_cast<int64_t>(value)) {}
    TFormatArg(const char* text) : FText(text ? text : "") {}
    TFormatArg(const std::string& text) : FText(text) {}
    TFormatArg(std::string_view text) : FText(text) {}

    bool IsText() const { return FIsText; }
    bool IsUnsigned() const { return FIsUnsigned; }
    int64_t Integer() const { return FInteger; }
    std::string_view Text() const { return FText; }

private:
    bool FIsText = true;
    bool FIsUnsigned = false;
    int64_t FInteger = 0;
    std::string_view FText;
};

// Fills a format text: "%%" is a percent sign; every other specifier is
// "%" [index ":"] ["-"] [width] ["." precision] type, with type d (signed
// decimal; the precision is the least number of digits), u (unsigned decimal;
// a negative 32-bit value reads as its unsigned twin) or s (text; the
// precision is the most characters taken). The width pads with blanks, on the
// right after "-"; "%02d" is width 2, not zero padding. An index picks the
// argument (from 0) and the following specifiers go on from there. Widths
// and precisions above 4096 are refused.
// A specifier that is malformed or does not fit its argument raises
// EFormatError "Format '%s' invalid or incompatible with argument"; one
// without an argument "No argument for format '%s'". Unused arguments are
// ignored. A translator's wrong text therefore never reads past the list,
// and no specifier writes through an argument (there is no "%n").
std::string Format(std::string_view format, std::initializer_list<TFormatArg> args = {});

// The kind of argument a specifier takes: d and u an integer, s a text.
enum TFormatArgKind { fkInteger, fkText };

// One specifier of a format text: the argument it takes (from 0) and its kind.
struct TFormatConversion {
    size_t Argument;
    TFormatArgKind Kind;
    bool operator==(const TFormatConversion&) const = default;
};

// The specifiers of a format text, in the order Format fills them, read by
// Format's own parser; "%%" is no specifier. Nothing when a specifier is
// malformed: Format raises EFormatError on that text whatever its arguments.
// Format fills the text exactly when every conversion has its argument, of
// its kind.
std::optional<std::vector<TFormatConversion>> FormatConversions(std::string_view format);

// Whether text is well formed and takes the same arguments as model: as many
// conversions, each taking the same argument with the same kind, in the same
// order. Format then fills text with every argument list it fills model with;
// widths, precisions and the literal text may differ.
bool SameFormatArguments(std::string_view text, std::string_view model);

// --- Numbers and texts --------------------------------------------------------

// A 32-bit integer: leading blanks, an optional sign, then decimal digits, or
// hexadecimal digits after "$", "0x" or "0X" (up to $FFFFFFFF, which wraps to
// a negative value). Anything else, also trailing blanks, raises EConvertError
// "'%s' is not a valid integer value".
int StrToInt(std::string_view text);
int StrToIntDef(std::string_view text, int defaultValue);
bool TryStrToInt(std::string_view text, int& value);

// Without the leading and trailing characters of code 32 and below.
std::string Trim(std::string_view text);
// ASCII letters only, as file names and keys want them.
std::string UpperCase(std::string_view text);
// Every letter, by the user's locale.
std::string AnsiUpperCase(std::string_view text);
// Equal without regard to the case of ASCII letters (identifiers and names).
bool SameText(std::string_view a, std::string_view b);
// The platform's text for an error number, without the closing period.
std::string SysErrorMessage(DWORD error);

// --- Dates and times ----------------------------------------------------------

// Days since 1899-12-30 00:00; the fraction is the time of day.
using TDateTime = double;

// EConvertError for a day that does not exist or a year outside 1..9999.
TDateTime EncodeDate(int year, int month, int day);
// EConvertError for an hour above 23, a minute or second above 59, ms above 999.
TDateTime EncodeTime(int hour, int minute, int second, int msec);
TDateTime SystemTimeToDateTime(const SYSTEMTIME& time);
SYSTEMTIME DateTimeToSystemTime(TDateTime time);
// The calendar fields as they stand: no time-zone step either way (the
// program stores local times in FILETIME form). EConvertError for a FILETIME
// the platform cannot convert.
TDateTime FileTimeToDateTime(const FILETIME& time);
FILETIME DateTimeToFileTime(TDateTime time);
// The local date and time.
TDateTime Now();

// Formats a date and time with the user's locale: d, dd (day, two digits),
// ddd, dddd (short and full day name), m, mm, mmm, mmmm (month likewise), yy,
// yyyy, h, hh, n, nn (minute), s, ss, t (short time), tt (long time, the
// user's own format); letters count without regard to case; text in single
// or double quotes and every other character stand as they are.
// "dddd, mmmm dd, yyyy - tt" gives "Thursday, March 01, 2007 - 9:05:03 AM".
std::string FormatDateTime(std::string_view format, TDateTime time);

// --- Paths ----------------------------------------------------------------------
// Searches for "\" and ":" are double-byte aware in the ANSI code page.

// Up to and with the last "\" or ":"; empty without one.
std::string ExtractFilePath(std::string_view path);
std::string ExtractFileName(std::string_view path);
// From the last "." of the file name on ("." included); empty without one.
std::string ExtractFileExt(std::string_view path);
// The path with one "\" at its end ("\" for an empty path).
std::string IncludeTrailingBackslash(std::string_view path);
// A file that is not a folder.
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Creates the folder and every missing parent; true when it exists afterwards.
bool ForceDirectories(const std::string& path);
