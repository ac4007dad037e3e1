// RunScan.cpp - the startup category: each command of the machine's Run key
// must start a program that exists.
#include "FileUtil.h"
#include "Scanners.h"
#include "ValueListScan.h"

namespace {

// The command is cut to its program, which is looked for as the command
// processor would; the target is the command as stored.
ValueVerdict TestRunValue(const ListedValue& value) {
    return {value.name, value.data, CommandTargetExists(value.data.c_str(), true, true)};
}

}  // namespace

DWORD ScanRunValues() {
    // Run entries are tagged with the fonts category, as the help entries are.
    static const ValueListScan scan = {
        ScanEntryCode{ScanFonts} | EntryKindValue | ReasonFileMissing, true, false, TestRunValue};
    return ScanMachineValueList("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", scan);
}
