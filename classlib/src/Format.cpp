// Format.cpp - format texts filled from typed arguments; a specifier that
// does not fit its argument raises instead of reading past the list. One
// parser reads the specifiers for Format and for FormatConversions, so what
// the list of conversions tells is what Format does.
#include <classlib/SysUtils.h>

#include <algorithm>

#include "Consts.h"

namespace {

constexpr int MaxField = 4096;

struct TSpecifier {
    size_t argument = 0;
    bool leftJustify = false;
    int width = 0;
    int precision = -1;
    char type = 0;  // 'd', 'u' or 's'
};

// Reads a format text from left to right. Literal text goes to onText (a
// "%%" as one "%"), each specifier to onSpecifier with the argument it takes.
// At the first malformed specifier the reading stops with false, once
// everything before it has been handed on.
class TFormatParser {
public:
    explicit TFormatParser(std::string_view format) : FFormat(format) {}

    template <class TOnText, class TOnSpecifier>
    bool Parse(TOnText&& onText, TOnSpecifier&& onSpecifier) {
        while (FPos < FFormat.size()) {
            const size_t percent = std::min(FFormat.find('%', FPos), FFormat.size());
            if (percent > FPos) onText(FFormat.substr(FPos, percent - FPos));
            FPos = percent;
            if (FPos == FFormat.size()) break;
            ++FPos;
            if (Peek() == '%') {
                onText(FFormat.substr(FPos++, 1));
                continue;
            }
            TSpecifier spec;
            if (!ReadSpecifier(spec)) return false;
            onSpecifier(spec);
        }
        return true;
    }

private:
    char Peek() const { return FPos < FFormat.size() ? FFormat[FPos] : '\0'; }

    // Digits as a number, -1 when there are none; false for a number above
    // MaxField.
    bool ReadNumber(int& value) {
        value = -1;
        while (Peek() >= '0' && Peek() <= '9') {
            value = (value < 0 ? 0 : value * 10) + (FFormat[FPos++] - '0');
            if (value > MaxField) return false;
        }
        return true;
    }

    // "%" [index ":"] ["-"] [width] ["." precision] type, after the "%".
    bool ReadSpecifier(TSpecifier& spec) {
        int number = -1;
        if (!ReadNumber(number)) return false;
        if (number >= 0 && Peek() == ':') {
            ++FPos;
            FNext = static_cast<size_t>(number);
            number = -1;
        }
        if (number < 0) {
            if (Peek() == '-') {
                ++FPos;
                spec.leftJustify = true;
            }
            if (!ReadNumber(number)) return false;
        }
        spec.width = number < 0 ? 0 : number;
        if (Peek() == '.') {
            ++FPos;
            int precision = -1;
            if (!ReadNumber(precision)) return false;
            spec.precision = precision < 0 ? 0 : precision;
        }
        char type = Peek();
        if (type >= 'A' && type <= 'Z') type = static_cast<char>(type - 'A' + 'a');
        if (type != 'd' && type != 'u' && type != 's') return false;
        ++FPos;
        spec.type = type;
        spec.argument = FNext++;
        return true;
    }

    std::string_view FFormat;
    size_t FPos = 0;
    size_t FNext = 0;
};

class TFormatter {
public:
    TFormatter(std::string_view format, std::initializer_list<TFormatArg> args)
        : FFormat(format), FArgs(args) {}

    std::string Run() {
        const bool wellFormed =
            TFormatParser(FFormat).Parse([this](std::string_view text) { FResult += text; },
                                         [this](const TSpecifier& spec) { Convert(spec); });
        if (!wellFormed) Invalid();
        return FResult;
    }

private:
    [[noreturn]] void Invalid() const { throw EFormatError(Format(SInvalidFormat, {FFormat})); }

    const TFormatArg& Argument(const TSpecifier& spec) const {
        if (spec.argument >= FArgs.size()) throw EFormatError(Format(SArgumentMissing, {FFormat}));
        return FArgs.begin()[spec.argument];
    }

    void Convert(const TSpecifier& spec) {
        const TFormatArg& arg = Argument(spec);
        if ((spec.type == 's') != arg.IsText()) Invalid();
        std::string field;
        if (spec.type == 's') {
            std::string_view text = arg.Text();
            if (spec.precision >= 0 && text.size() > static_cast<size_t>(spec.precision))
                text = text.substr(0, static_cast<size_t>(spec.precision));
            field = text;
        } else {
            field = Number(arg, spec);
        }
        Pad(field, spec);
    }

    static std::string Number(const TFormatArg& arg, const TSpecifier& spec) {
        int64_t value = arg.Integer();
        bool negative = false;
        uint64_t magnitude = static_cast<uint64_t>(value);
        if (!arg.IsUnsigned() && value < 0) {
            if (spec.type == 'd') {
                negative = true;
                magnitude = 0 - magnitude;
            } else if (value >= INT32_MIN) {
                // %u of a negative 32-bit value is its unsigned twin.
                magnitude &= 0xFFFFFFFFu;
            }
        }
        std::string digits = std::to_string(magnitude);
        if (spec.precision > static_cast<int>(digits.size()))
            digits.insert(0, static_cast<size_t>(spec.precision) - digits.size(), '0');
        return negative ? "-" + digits : digits;
    }

    void Pad(const std::string& field, const TSpecifier& spec) {
        size_t fill = spec.width > static_cast<int>(field.size())
                          ? static_cast<size_t>(spec.width) - field.size()
                          : 0;
        if (!spec.leftJustify) FResult.append(fill, ' ');
        FResult += field;
        if (spec.leftJustify) FResult.append(fill, ' ');
    }

    std::string_view FFormat;
    std::initializer_list<TFormatArg> FArgs;
    std::string FResult;
};

}  // namespace

std::string Format(std::string_view format, std::initializer_list<TFormatArg> args) {
    return TFormatter(format, args).Run();
}

std::optional<std::vector<TFormatConversion>> FormatConversions(std::string_view format) {
    std::vector<TFormatConversion> conversions;
    const bool wellFormed = TFormatParser(format).Parse(
        [](std::string_view) {},
        [&conversions](const TSpecifier& spec) {
            conversions.push_back({spec.argument, spec.type == 's' ? fkText : fkInteger});
        });
    if (!wellFormed) return std::nullopt;
    return conversions;
}

bool SameFormatArguments(std::string_view text, std::string_view model) {
    const std::optional<std::vector<TFormatConversion>> taken = FormatConversions(text);
    return taken && taken == FormatConversions(model);
}
