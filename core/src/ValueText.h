// ValueText.h - registry values read as text, the way the scanners read them:
// into the engine's 520-byte buffer, whatever their type.
#pragma once

#include <windows.h>

#include <string>

// Reads the value (null valueName: the default value) of key\subkey (null or
// empty subkey: key itself) into text, up to its first zero. A value that
// doesn't fit 520 bytes fails with ERROR_MORE_DATA, like a missing one with
// ERROR_FILE_NOT_FOUND. type may be null.
LONG ReadValueText(HKEY key, const char* subkey, const char* valueName, std::string* text,
                   DWORD* type);

// The default value of key\subkey as text; empty when it can't be read.
std::string DefaultValueText(HKEY key, const char* subkey);

// REG_SZ or REG_EXPAND_SZ.
inline bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }
