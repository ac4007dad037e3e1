// Files.h - reading the files that the graphics classes load.
#pragma once

#include <string>

// The whole file; empty when it is larger than limit. EFOpenError
// "Cannot open file "%s". <reason>" when it cannot be read.
std::string ReadFileBytes(const std::string& fileName, size_t limit);
