// SharedDllScan.cpp - the shared-file category: each value of the SharedDlls
// key is named after the full path of a shared file, which must exist.
#include "FileUtil.h"
#include "Scanners.h"
#include "ValueListScan.h"

namespace {

// The name is the file; the data (the share count) is not read.
ValueVerdict TestSharedDllValue(const ListedValue& value) {
    std::string title = value.name;
    FileNameOfPath(title);
    return {title, value.name, FileExists(value.name.c_str(), false)};
}

}  // namespace

DWORD ScanSharedDllValues() {
    static const ValueListScan scan = {
        ScanEntryCode{ScanSharedFiles} | EntryKindValue | ReasonFileMissing, false, false,
        TestSharedDllValue};
    return ScanMachineValueList("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls", scan);
}
