// FontScan.cpp - the fonts category: every font value must name a file that
// exists, as given or inside the Fonts folder.
#include "Engine.h"
#include "FileUtil.h"
#include "Scanners.h"
#include "ValueListScan.h"

namespace {

ValueVerdict TestFontValue(const ListedValue& value) {
    std::string file = ExpandedData(value);
    bool valid =
        FileExists(file.c_str(), false) || FileExists((g_engine.fontsFolder + file).c_str(), false);
    return {value.name, file, valid};
}

}  // namespace

DWORD ScanFontValues() {
    static const ValueListScan scan = {
        ScanEntryCode{ScanFonts} | EntryKindValue | ReasonFileMissing, true, true, TestFontValue};
    return ScanMachineValueList("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", scan);
}
