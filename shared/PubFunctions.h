// PubFunctions.h - string helpers shared by the main program and the
// defragmentation tool.
//
//   EnsureTrailingBackslash   a folder path with one "\" at its end
//   ConvertLineBreaks         the "#13" line-break codec of the language texts
#pragma once

#include <string>
#include <string_view>

// The path unchanged when its last character is "\", else the path followed
// by "\". The test steps over double-byte characters, whose trail byte may
// equal "\" in the ANSI code page. An empty path gives "\".
std::string EnsureTrailingBackslash(std::string_view path);

// Language texts store a line break as the three characters "#13". Both ways
// first trim the text (characters of code 32 and below at either end).
// Decoding turns every "#13" into CR LF; encoding turns every CR LF pair, then
// every lone LF, then every lone CR into "#13", so no CR or LF is left.
std::string ConvertLineBreaks(std::string_view text, bool decode);
