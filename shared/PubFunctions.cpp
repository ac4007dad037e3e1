// PubFunctions.cpp - path and line-break helpers.
#include <classlib/SysUtils.h>
#include <shared/PubFunctions.h>

namespace {

constexpr std::string_view StoredLineBreak = "#13";

// Every occurrence of from, left to right, replaced by to. None of the
// replacements here can form a new occurrence with its neighbours, so one
// pass gives what replacing the first occurrence until none is left gives.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string result;
    result.reserve(text.size());
    size_t at = 0;
    for (size_t found; (found = text.find(from, at)) != std::string_view::npos;
         at = found + from.size()) {
        result.append(text, at, found - at);
        result.append(to);
    }
    result.append(text, at);
    return result;
}

}  // namespace

std::string EnsureTrailingBackslash(std::string_view path) {
    return IncludeTrailingBackslash(path);
}

std::string ConvertLineBreaks(std::string_view text, bool decode) {
    std::string trimmed = Trim(text);
    if (decode) return ReplaceAll(trimmed, StoredLineBreak, "\r\n");
    std::string pairs = ReplaceAll(trimmed, "\r\n", StoredLineBreak);
    return ReplaceAll(ReplaceAll(pairs, "\n", StoredLineBreak), "\r", StoredLineBreak);
}
