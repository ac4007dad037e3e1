// SoundScan.h - the inner step of the sound scan.
#pragma once

#include <optional>
#include <string>

// The display label of an event: the default value of its subkey under
// HKEY_CURRENT_USER\AppEvents\EventLabels; none when the key, the subkey or
// the value is missing or can't be read.
std::optional<std::string> ReadEventLabel(const char* eventName);
