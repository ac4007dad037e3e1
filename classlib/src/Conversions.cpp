// Conversions.cpp - integers from text, trimming and case.
#include <classlib/SysUtils.h>

#include "Consts.h"

namespace {

int DigitValue(char c, unsigned base) {
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value >= 0 && static_cast<unsigned>(value) < base ? value : -1;
}

}  // namespace

bool TryStrToInt(std::string_view text, int& value) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    unsigned base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        i += 1;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    // Hexadecimal covers all 32 bits; decimal stays within the signed range.
    const uint64_t limit = base == 16 ? 0xFFFFFFFFu : (negative ? 0x80000000u : 0x7FFFFFFFu);
    uint64_t magnitude = 0;
    size_t start = i;
    for (; i < text.size(); ++i) {
        int digit = DigitValue(text[i], base);
        if (digit < 0) return false;
        magnitude = magnitude * base + static_cast<unsigned>(digit);
        if (magnitude > limit) return false;
    }
    if (i == start) return false;
    uint32_t bits = static_cast<uint32_t>(magnitude);
    if (negative) bits = 0u - bits;
    value = static_cast<int32_t>(bits);
    return true;
}

int StrToInt(std::string_view text) {
    int value = 0;
    if (!TryStrToInt(text, value)) throw EConvertError(Format(SInvalidInteger, {text}));
    return value;
}

int StrToIntDef(std::string_view text, int defaultValue) {
    int value = 0;
    return TryStrToInt(text, value) ? value : defaultValue;
}

std::string Trim(std::string_view text) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return std::string(text);
}

std::string UpperCase(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return result;
}

std::string AnsiUpperCase(std::string_view text) {
    std::string result(text);
    if (!result.empty()) CharUpperBuffA(result.data(), static_cast<DWORD>(result.size()));
    return result;
}

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}
