// OldPropReader.h - reads a property that older form descriptions still
// hold and that nothing uses any more, and drops its value.
#pragma once

#include <classlib/SysUtils.h>

#include <string>
#include <string_view>

class TKitOldPropReader {
public:
    explicit TKitOldPropReader(std::string name) : FName(std::move(name)) {}

    const std::string& Name() const { return FName; }
    // True when name is this reader's property; the caller then drops the value.
    bool Reads(std::string_view name) const { return SameText(name, FName); }

private:
    std::string FName;
};
