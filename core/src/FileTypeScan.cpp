// FileTypeScan.cpp - the file-type category: every root key of
// HKEY_CLASSES_ROOT once. An extension key must name an existing class or
// hold something; a class key must not point at a missing CLSID, icon file or
// current-version class.
#include <string>

#include "Engine.h"
#include "FileUtil.h"
#include "Scanners.h"
#include "SubkeyWalk.h"
#include "ValueText.h"

namespace {

// Root keys that are registrations of other kinds, not classes.
const char* const kSkippedNames[] = {"CLSID",     "TypeLib",   "AppID",   "Applications",
                                     "Installer", "Interface", "Software"};

bool IsSkippedName(const char* name) {
    for (const char* skipped : kSkippedNames)
        if (CompareNoCase(name, skipped) == 0) return true;
    return false;
}

void ReportFileType(const std::string& title, const std::string& keyPath, const char* target,
                    uint32_t reason, double percent, bool invalid) {
    constexpr uint32_t kFileTypeKey = uint32_t{ScanFileTypes} | uint32_t{EntryKindKey};
    ReportEntry(title.c_str(), keyPath.c_str(), nullptr, target, kFileTypeKey | reason, percent,
                invalid);
}

// What the four checks share: the subkey of HKEY_CLASSES_ROOT\{name} they
// look at, the title of its reports, and the read of its default value.
struct ClassSubkey {
    std::string title;
    std::string keyPath;
    std::string value;
    LONG read = ERROR_FILE_NOT_FOUND;
    double percent = 0;

    void Report(const char* target, uint32_t reason, bool invalid) const {
        ReportFileType(title, keyPath, target, reason, percent, invalid);
    }
    void ReportValue(uint32_t reason, bool invalid) const {
        Report(value.c_str(), reason, invalid);
    }
};

// False when the subkey doesn't exist. fixedTitle null: the title is the
// class key's default value.
bool ReadClassSubkey(const char* name, const char* subkey, const char* fixedTitle, double percent,
                     ClassSubkey* out) {
    if (!KeyExists(HKEY_CLASSES_ROOT, name, subkey)) return false;
    out->title = fixedTitle ? fixedTitle : DefaultValueText(HKEY_CLASSES_ROOT, name);
    std::string relative = std::string(name) + "\\" + subkey;
    out->keyPath = "HKEY_CLASSES_ROOT\\" + relative;
    out->read = ReadValueText(HKEY_CLASSES_ROOT, relative.c_str(), nullptr, &out->value, nullptr);
    out->percent = percent;
    return true;
}

bool ClassExists(const std::string& progId) {
    return KeyExists(HKEY_CLASSES_ROOT, nullptr, progId.c_str());
}

bool ClsidExists(const std::string& clsid) {
    return KeyExists(HKEY_CLASSES_ROOT, "CLSID", clsid.c_str());
}

// Each check returns 2 when its subkey doesn't exist, else the result of
// reading the subkey's default value.

// A subkey whose default value names another key: reported when the value
// could be read, invalid when exists says the named key is missing.
LONG CheckReference(const char* name, const char* subkey, const char* fixedTitle, double percent,
                    uint32_t reason, bool (*exists)(const std::string&)) {
    ClassSubkey reference;
    if (!ReadClassSubkey(name, subkey, fixedTitle, percent, &reference))
        return ERROR_FILE_NOT_FOUND;
    if (reference.read == ERROR_SUCCESS) reference.ReportValue(reason, !exists(reference.value));
    return reference.read;
}

LONG CheckPersistentHandler(const char* name, double percent) {
    return CheckReference(name, "PersistentHandler", "PersistentHandler", percent,
                          ReasonClsidMissing, ClsidExists);
}

LONG CheckClassClsid(const char* name, double percent) {
    return CheckReference(name, "CLSID", nullptr, percent, ReasonClsidMissing, ClsidExists);
}

LONG CheckClassCurVer(const char* name, double percent) {
    return CheckReference(name, "CurVer", nullptr, percent, ReasonClassMissing, ClassExists);
}

// A DefaultIcon key without a default value names no icon at all.
LONG CheckClassDefaultIcon(const char* name, double percent) {
    ClassSubkey icon;
    if (!ReadClassSubkey(name, "DefaultIcon", nullptr, percent, &icon)) return ERROR_FILE_NOT_FOUND;
    if (icon.read == ERROR_FILE_NOT_FOUND)
        icon.Report(nullptr, ReasonEmptyKey, true);
    else if (icon.read == ERROR_SUCCESS)
        icon.ReportValue(ReasonFileMissing, !CommandTargetExists(icon.value.c_str(), true, true));
    return icon.read;
}

// An extension key names its class in its default value (read whatever its
// type); without one it must at least hold something.
void ScanExtensionKey(const char* name, const std::string& keyPath, double percent) {
    std::string title = std::string(name) + " file(*" + name + ")";
    std::string progId;
    LONG read = ReadValueText(HKEY_CLASSES_ROOT, name, nullptr, &progId, nullptr);
    if (read == ERROR_FILE_NOT_FOUND) {
        // A key whose information can't be read counts as not empty.
        KeyInfo info;
        bool empty = QueryKeyInfo(HKEY_CLASSES_ROOT, name, &info) == ERROR_SUCCESS &&
                     info.valueCount == 0 && info.subkeyCount == 0;
        ReportFileType(title, keyPath, nullptr, ReasonEmptyKey, percent, empty);
    } else if (read == ERROR_SUCCESS) {
        ReportFileType(title, keyPath, progId.c_str(), ReasonClassMissing, percent,
                       !ClassExists(progId));
        CheckPersistentHandler(name, percent);
        g_engine.walkPump.Step();
    }
}

void ScanClassKey(const char* name, double percent) {
    if (!IsSkippedName(name)) {
        CheckClassClsid(name, percent);
        CheckClassDefaultIcon(name, percent);
        CheckClassCurVer(name, percent);
    }
    g_engine.walkPump.Step();
}

}  // namespace

DWORD ScanFileTypeKeys() {
    KeyInfo info;
    if (LONG error = QueryKeyInfo(HKEY_CLASSES_ROOT, nullptr, &info)) return error;
    return ForEachSubkeyName(
        HKEY_CLASSES_ROOT, info.subkeyCount, [&](const char* name, DWORD index) -> LONG {
            double percent = ProgressPercentFileTypes(index, info.subkeyCount);
            if (name[0] == '.')
                ScanExtensionKey(name, std::string("HKEY_CLASSES_ROOT\\") + name, percent);
            else
                ScanClassKey(name, percent);
            return ERROR_SUCCESS;
        });
}
