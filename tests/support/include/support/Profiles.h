// Profiles.h - ini files and the clock as the tests of rescue items read them.
//
//   IniSectionNames     the sections of an ini file, in file order
//   WaitForNextSecond   returns once the local clock shows the next second
//
// The core library names a rescue item by the second it was made in, and two
// items of one second share a section of the rescue index: tests that make
// items one after the other wait for the next second between them.
#pragma once

#include <string>
#include <vector>

// Empty for a file that is missing or holds no section.
std::vector<std::string> IniSectionNames(const std::string& path);

void WaitForNextSecond();
