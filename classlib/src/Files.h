// Files.h - reading the files that the graphics classes load.
#pragma once

#include <string>

// EFOpenError "Cannot open file "%s". <reason>" unless the file can be read.
void CheckFileReadable(const std::string& fileName);
// The whole file; empty when it is larger than limit. EFOpenError as above.
std::string ReadFileBytes(const std::string& fileName, size_t limit);
