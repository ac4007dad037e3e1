// ValueListScan.cpp - the common walk of the value-list scans.
#include "ValueListScan.h"

#include <cstring>

#include "Engine.h"
#include "FileUtil.h"
#include "Registry.h"

namespace {

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// Reads value index of key. A name or data that doesn't fit 520 bytes, or a
// value of the wrong type for a string scan, gives false.
bool EnumListedValue(HKEY key, DWORD index, bool stringValues, ListedValue* value) {
    char name[RegNameSize];
    DWORD nameSize = RegNameSize;
    if (!stringValues) {
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            return false;
        value->name.assign(name, nameSize);
        value->data.clear();
        return true;
    }
    // One byte past the platform's limit, so that data stored without its
    // zero still ends within the buffer.
    char data[RegNameSize + 1];
    DWORD dataSize = RegNameSize;
    DWORD type = REG_NONE;
    if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data),
                      &dataSize) != ERROR_SUCCESS ||
        !IsStringType(type))
        return false;
    value->name.assign(name, nameSize);
    value->data.assign(data, strnlen(data, dataSize < RegNameSize ? dataSize : RegNameSize));
    return true;
}

}  // namespace

LONG ScanValueList(HKEY parent, const char* subkey, const std::string& keyPath,
                   const ValueListScan& scan) {
    RegKey key;
    if (LONG error = key.Open(parent, subkey)) return error;
    KeyInfo info;
    if (LONG error = QueryKeyInfo(key.Get(), nullptr, &info))
        return scan.keyInfoErrorIsResult ? error : 0;
    ListedValue value;
    for (DWORD index = 0; index < info.valueCount && !StopRequested(); ++index) {
        if (!EnumListedValue(key.Get(), index, scan.stringValues, &value)) continue;
        ValueVerdict verdict = scan.test(value);
        ReportEntry(verdict.title.c_str(), keyPath.c_str(), value.name.c_str(),
                    verdict.target.c_str(), scan.code, ProgressPercent(index, info.valueCount),
                    !verdict.valid);
        PumpMessages();
    }
    return 0;
}

LONG ScanMachineValueList(const char* subkey, const ValueListScan& scan) {
    return ScanValueList(HKEY_LOCAL_MACHINE, subkey, std::string("HKEY_LOCAL_MACHINE\\") + subkey,
                         scan);
}

std::string ExpandedData(const ListedValue& value) { return ExpandEnvironment(value.data.c_str()); }
