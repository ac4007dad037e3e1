// Format.cpp - format texts filled from typed arguments; a specifier that
// does not fit its argument raises instead of reading past the list.
#include <classlib/SysUtils.h>

#include "Consts.h"

namespace {

constexpr int MaxField = 4096;

struct TSpecifier {
    bool leftJustify = false;
    int width = 0;
    int precision = -1;
    char type = 0;
};

class TFormatter {
public:
    TFormatter(std::string_view format, std::initializer_list<TFormatArg> args)
        : FFormat(format), FArgs(args) {}

    std::string Run() {
        while (FPos < FFormat.size()) {
            char c = FFormat[FPos++];
            if (c != '%') {
                FResult += c;
            } else if (Peek() == '%') {
                ++FPos;
                FResult += '%';
            } else {
                Convert(ReadSpecifier());
            }
        }
        return FResult;
    }

private:
    [[noreturn]] void Invalid() const { throw EFormatError(Format(SInvalidFormat, {FFormat})); }

    char Peek() const { return FPos < FFormat.size() ? FFormat[FPos] : '\0'; }

    // Digits as a number, or -1 when there are none; a number above MaxField
    // makes the whole format invalid.
    int ReadNumber() {
        int value = -1;
        while (Peek() >= '0' && Peek() <= '9') {
            value = (value < 0 ? 0 : value * 10) + (FFormat[FPos++] - '0');
            if (value > MaxField) Invalid();
        }
        return value;
    }

    TSpecifier ReadSpecifier() {
        TSpecifier spec;
        int number = ReadNumber();
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
            number = ReadNumber();
        }
        spec.width = number < 0 ? 0 : number;
        if (Peek() == '.') {
            ++FPos;
            int precision = ReadNumber();
            spec.precision = precision < 0 ? 0 : precision;
        }
        char type = Peek();
        if (type >= 'A' && type <= 'Z') type = static_cast<char>(type - 'A' + 'a');
        if (type != 'd' && type != 'u' && type != 's') Invalid();
        ++FPos;
        spec.type = type;
        return spec;
    }

    const TFormatArg& NextArgument() {
        if (FNext >= FArgs.size()) throw EFormatError(Format(SArgumentMissing, {FFormat}));
        return FArgs.begin()[FNext++];
    }

    void Convert(const TSpecifier& spec) {
        const TFormatArg& arg = NextArgument();
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
    size_t FPos = 0;
    size_t FNext = 0;
    std::string FResult;
};

}  // namespace

std::string Format(std::string_view format, std::initializer_list<TFormatArg> args) {
    return TFormatter(format, args).Run();
}
