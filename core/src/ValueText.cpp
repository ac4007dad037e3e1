// ValueText.cpp - registry values read as text.
#include "ValueText.h"

#include <cstring>

#include "Registry.h"

LONG ReadValueText(HKEY key, const char* subkey, const char* valueName, std::string* text,
                   DWORD* type) {
    char buffer[RegNameSize];
    DWORD size = sizeof buffer;
    DWORD valueType = REG_NONE;
    LONG error =
        QueryValue(key, subkey, valueName, &valueType, reinterpret_cast<BYTE*>(buffer), &size);
    if (type) *type = valueType;
    // Data stored without its closing zero ends where the read ended.
    text->assign(buffer, error == ERROR_SUCCESS ? strnlen(buffer, size) : 0);
    return error;
}

std::string DefaultValueText(HKEY key, const char* subkey) {
    std::string text;
    ReadValueText(key, subkey, nullptr, &text, nullptr);
    return text;
}
