// ValueListScan.h - the steps the fonts, help-file, shared-file and Run scans
// share: walk the values of one key, test each, report each.
#pragma once

#include <string>

#include "tresk.h"

// One value of a list as it enumerated: its name and, for the scans of
// string values, its data up to the first zero.
struct ListedValue {
    std::string name;
    std::string data;
};

// What the test of one value found.
struct ValueVerdict {
    std::string title;   // what the user reads
    std::string target;  // what the value points at
    bool valid;
};

// The rows in which the value-list scans differ.
struct ValueListScan {
    ScanEntryCode code;
    // Only REG_SZ and REG_EXPAND_SZ values, with their data; otherwise every
    // value, by name alone.
    bool stringValues;
    // A key whose information can't be read ends the scan with that error
    // rather than with 0.
    bool keyInfoErrorIsResult;
    ValueVerdict (*test)(const ListedValue& value);
};

// Opens parent\subkey for full access and reports every value it tests under
// keyPath, with the percentage of its index among all the key's values,
// pumping messages after each report. Returns the error of the open (or of
// reading the key's information, when the scan asks for it), else 0.
LONG ScanValueList(HKEY parent, const char* subkey, const std::string& keyPath,
                   const ValueListScan& scan);
// The same for a key under HKEY_LOCAL_MACHINE, reported by its full path.
LONG ScanMachineValueList(const char* subkey, const ValueListScan& scan);

// The string data expanded as the environment says.
std::string ExpandedData(const ListedValue& value);

// One pass of the help-file scan over the subkey "Help" or "HelpHTML" of an
// open "SOFTWARE\Microsoft\Windows" key: 0, or the error of opening it.
DWORD ScanHelpFileValues(HKEY windowsKey, const char* subkey);
