// ClsidScan.cpp - class registrations below HKEY_CLASSES_ROOT\CLSID: their
// server and icon files, type library and ProgID.
#include "ComScan.h"
#include "FileUtil.h"
#include "ValueText.h"

namespace {

struct ClassKey {
    HKEY key;
    std::string path;
    std::string title;
    double percent;
};

// Reads the default value of the class's subkey when it is of one of the
// accepted types; an absent subkey or value is not tested.
bool ReadSubkeyValue(const ClassKey& cls, const char* subkey, bool acceptExpand,
                     std::string* value) {
    DWORD type = REG_NONE;
    if (ReadValueText(cls.key, subkey, nullptr, value, &type) != ERROR_SUCCESS) return false;
    return type == REG_SZ || (acceptExpand && type == REG_EXPAND_SZ);
}

// A server or icon file, found the way the shell would run or load it.
void TestFileSubkey(const ClassKey& cls, const char* subkey) {
    std::string value;
    if (!ReadSubkeyValue(cls, subkey, true, &value)) return;
    ReportComKey(cls.title, cls.path + "\\" + subkey, value.c_str(), ReasonFileMissing, cls.percent,
                 !CommandTargetExists(value.c_str(), true, true));
}

// A key the subkey's value names below HKEY_CLASSES_ROOT\under (null: the
// root itself).
void TestKeySubkey(const ClassKey& cls, const char* subkey, const char* under, uint32_t reason) {
    std::string value;
    if (!ReadSubkeyValue(cls, subkey, false, &value)) return;
    ReportComKey(cls.title, cls.path + "\\" + subkey, value.c_str(), reason, cls.percent,
                 !KeyExists(HKEY_CLASSES_ROOT, under, value.c_str()));
}

LONG ScanClassKey(HKEY key, const char* name, double percent) {
    ClassKey cls{key, std::string("HKEY_CLASSES_ROOT\\CLSID\\") + name,
                 DefaultValueText(key, nullptr), percent};
    TestFileSubkey(cls, "InprocServer32");
    TestFileSubkey(cls, "LocalServer");
    TestKeySubkey(cls, "TypeLib", "TypeLib", ReasonTypeLibMissing);
    TestKeySubkey(cls, "ProgID", nullptr, ReasonClassMissing);
    TestFileSubkey(cls, "DefaultIcon");
    g_engine.walkPump.Step();
    return ERROR_SUCCESS;
}

}  // namespace

DWORD ScanClsidKeys() { return ForEachComKey("CLSID", ScanClassKey); }
