// InterfaceScan.cpp - interface registrations below
// HKEY_CLASSES_ROOT\Interface: empty keys, and the type library and proxy
// class they name.
#include "ComScan.h"
#include "FileUtil.h"
#include "ValueText.h"

namespace {

struct InterfaceKey {
    HKEY key;
    std::string path;
    std::string title;
    double percent;
};

// A present subkey whose default value is not a text names nothing, and
// counts as invalid.
void TestReference(const InterfaceKey& iface, const char* subkey, const char* under,
                   uint32_t reason) {
    RegKey reference;
    if (reference.Open(iface.key, subkey) != ERROR_SUCCESS) return;
    std::string value;
    DWORD type = REG_NONE;
    bool named = ReadValueText(reference.Get(), nullptr, nullptr, &value, &type) == ERROR_SUCCESS &&
                 IsStringType(type);
    ReportComKey(iface.title, iface.path + "\\" + subkey, named ? value.c_str() : nullptr, reason,
                 iface.percent, !named || !KeyExists(HKEY_CLASSES_ROOT, under, value.c_str()));
}

LONG ScanInterfaceKey(HKEY key, const char* name, double percent) {
    KeyInfo info;
    if (LONG error = QueryKeyInfo(key, nullptr, &info)) return error;
    InterfaceKey iface{key, std::string("HKEY_CLASSES_ROOT\\Interface\\") + name,
                       DefaultValueText(key, nullptr), percent};
    bool empty = info.valueCount == 0 && info.subkeyCount == 0;
    ReportComKey(iface.title, iface.path, nullptr, ReasonEmptyKey, percent, empty);
    if (empty) return ERROR_SUCCESS;
    TestReference(iface, "TypeLib", "TypeLib", ReasonTypeLibMissing);
    TestReference(iface, "ProxyStubclsid32", "CLSID", ReasonClsidMissing);
    g_engine.walkPump.Step();
    return ERROR_SUCCESS;
}

}  // namespace

DWORD ScanInterfaceKeys() { return ForEachComKey("Interface", ScanInterfaceKey); }
