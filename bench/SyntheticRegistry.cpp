// SyntheticRegistry.cpp - the synthetic registry of the scan benchmark.
//
// Server files: server s is missing when s % 3 == 0 and is named by a bare
// name that needs the search-path walk when s % 2 == 0 (found in the "bin"
// folder, first on the path), else by its quoted full path in one of the
// "apps" folders (100 servers each). Classes name server (index % serverNames),
// so each server file serves classes / serverNames classes. References
// between keys (ProgIDs, type libraries, proxy classes, current versions)
// miss one time in three.
#include "SyntheticRegistry.h"

#include <support/Files.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace {

std::string Format(const char* format, unsigned number) {
    char text[64];
    snprintf(text, sizeof text, format, number);
    return text;
}

std::string ClassId(unsigned i) { return Format("{HolvaneBench-%05u}", i); }
std::string LibraryId(unsigned i) { return Format("{HolvaneBench-Lib-%05u}", i); }
std::string InterfaceId(unsigned i) { return Format("{HolvaneBench-If-%05u}", i); }
std::string ProgId(unsigned i) { return Format("HolvaneBench.Class%05u", i); }
std::string ExtensionName(unsigned i) { return Format(".hvb%05u", i); }

bool IsMissing(unsigned server) { return server % 3 == 0; }
bool IsBare(unsigned server) { return server % 2 == 0; }

std::string AppFolder(unsigned server) {
    return SyntheticFolder() + Format("apps\\app%03u\\", server / 100);
}
std::string ServerFile(unsigned server, const char* extension) {
    std::string name = Format("hvbsrv%05u", server) + extension;
    return IsBare(server) ? name : AppFolder(server) + name;
}

std::string InprocLine(unsigned server) {
    std::string file = ServerFile(server, ".dll");
    return IsBare(server) ? file : "\"" + file + "\"";
}
std::string LocalLine(unsigned server) {
    std::string file = ServerFile(server, ".exe");
    return IsBare(server) ? file + " -Embedding" : "\"" + file + "\" /Automation";
}
std::string IconLine(unsigned server) { return ServerFile(server, ".dll") + ",1"; }

// A reference into a range one half larger than what exists: a third miss.
unsigned Reference(unsigned i, unsigned existing) {
    unsigned range = existing + existing / 2;
    return range ? i % range : 0;
}

void SetValue(const std::string& subkey, const char* name, const std::string& data,
              DWORD type = REG_SZ) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create HKEY_CLASSES_ROOT\\" + subkey);
    if (name || !data.empty())
        RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>(data.size() + 1));
    RegCloseKey(key);
}
void CreateKey(const std::string& subkey) { SetValue(subkey, nullptr, ""); }

void MakeFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + path);
    CloseHandle(file);
}

void MakeServerFiles(const SyntheticShape& shape) {
    CreateDirectoryA(SyntheticFolder().c_str(), nullptr);
    CreateDirectoryA((SyntheticFolder() + "bin").c_str(), nullptr);
    CreateDirectoryA((SyntheticFolder() + "apps").c_str(), nullptr);
    for (unsigned s = 0; s < shape.serverNames; ++s) {
        CreateDirectoryA(AppFolder(s).c_str(), nullptr);
        if (IsMissing(s)) continue;
        std::string folder = IsBare(s) ? SyntheticFolder() + "bin\\" : "";
        MakeFile(folder + ServerFile(s, ".dll"));
        MakeFile(folder + ServerFile(s, ".exe"));
    }
}

void MakeClasses(const SyntheticShape& shape) {
    unsigned progIds = shape.fileTypeRoots - shape.fileTypeRoots / 2;
    for (unsigned i = 0; i < shape.classes; ++i) {
        std::string key = "CLSID\\" + ClassId(i);
        unsigned server = i % shape.serverNames;
        SetValue(key, nullptr, Format("Holvane bench class %u", i));
        SetValue(key + "\\InprocServer32", nullptr, InprocLine(server));
        if (i % 4 == 0) SetValue(key + "\\LocalServer", nullptr, LocalLine(server));
        if (i % 4 == 2) SetValue(key + "\\DefaultIcon", nullptr, IconLine(server));
        if (i % 4 == 1)
            SetValue(key + "\\TypeLib", nullptr, LibraryId(Reference(i, shape.typeLibs)));
        if (i % 2 == 0) SetValue(key + "\\ProgID", nullptr, ProgId(Reference(i, progIds)));
    }
}

void MakeTypeLibs(const SyntheticShape& shape) {
    for (unsigned l = 0; l < shape.typeLibs; ++l) {
        std::string version = "TypeLib\\" + LibraryId(l) + "\\1.0";
        std::string folder = AppFolder(l % shape.serverNames);
        std::string file = folder + Format("hvblib%05u.tlb", l);
        if (!IsMissing(l)) MakeFile(file);
        SetValue("TypeLib\\" + LibraryId(l), nullptr, Format("Holvane bench library %u", l));
        SetValue(version, nullptr, Format("Holvane bench library %u", l));
        SetValue(version + "\\0\\win32", nullptr, file);
        SetValue(version + "\\FLAGS", nullptr, "0");
        SetValue(version + "\\HELPDIR", nullptr, IsMissing(l) ? folder + "help" : folder);
    }
}

void MakeInterfaces(const SyntheticShape& shape) {
    for (unsigned k = 0; k < shape.interfaces; ++k) {
        std::string key = "Interface\\" + InterfaceId(k);
        if (k % 10 == 9) {
            CreateKey(key);
            continue;
        }
        SetValue(key, nullptr, Format("IHolvaneBench%u", k));
        SetValue(key + "\\TypeLib", nullptr, LibraryId(Reference(k, shape.typeLibs)));
        SetValue(key + "\\ProxyStubClsid32", nullptr, ClassId(Reference(k, shape.classes)));
    }
}

void MakeFileTypes(const SyntheticShape& shape) {
    unsigned extensions = shape.fileTypeRoots / 2;
    unsigned classes = shape.fileTypeRoots - extensions;
    for (unsigned e = 0; e < extensions; ++e) {
        std::string key = ExtensionName(e);
        if (e % 10 == 9) {
            CreateKey(key + "\\ShellNew");
            continue;
        }
        SetValue(key, nullptr, ProgId(Reference(e, classes)));
        if (e % 4 == 0)
            SetValue(key + "\\PersistentHandler", nullptr,
                     ClassId(Reference(e * 7, shape.classes)));
    }
    for (unsigned c = 0; c < classes; ++c) {
        std::string key = ProgId(c);
        SetValue(key, nullptr, Format("Holvane bench file %u", c));
        SetValue(key + "\\DefaultIcon", nullptr, IconLine(c % shape.serverNames));
        if (c % 2 == 0) SetValue(key + "\\CLSID", nullptr, ClassId(Reference(c, shape.classes)));
        if (c % 4 == 1) SetValue(key + "\\CurVer", nullptr, ProgId(Reference(c + 1, classes)));
    }
}

bool IsSynthetic(const char* name) {
    return strstr(name, "HolvaneBench") != nullptr || strncmp(name, ".hvb", 4) == 0;
}

// Deletes the synthetic subkeys of HKEY_CLASSES_ROOT\parent (null: the root).
void RemoveBelow(const char* parent) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, parent, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    std::vector<std::string> names;
    char name[520];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        LONG error = RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (error == ERROR_NO_MORE_ITEMS) break;
        if (error == ERROR_SUCCESS && IsSynthetic(name)) names.push_back(name);
    }
    for (const std::string& synthetic : names) RegDeleteTreeA(key, synthetic.c_str());
    RegCloseKey(key);
}

}  // namespace

std::string SyntheticFolder() { return "C:\\holvane-bench\\"; }

void BuildSyntheticRegistry(const SyntheticShape& shape) {
    RemoveSyntheticRegistry();
    MakeServerFiles(shape);
    MakeClasses(shape);
    MakeTypeLibs(shape);
    MakeInterfaces(shape);
    MakeFileTypes(shape);
}

void RemoveSyntheticRegistry() {
    for (const char* parent : {"CLSID", "TypeLib", "Interface"}) RemoveBelow(parent);
    RemoveBelow(nullptr);
    RemoveFolder(SyntheticFolder());
}

std::string DescribeShape(const SyntheticShape& shape) {
    char text[400];
    snprintf(text, sizeof text,
             "%u classes naming %u server files (1 in 3 missing, 1 in 2 a bare name found "
             "through PATH x PATHEXT), %u type libraries, %u interfaces, %u file-type roots",
             shape.classes, shape.serverNames, shape.typeLibs, shape.interfaces,
             shape.fileTypeRoots);
    return text;
}

void PutSyntheticBinFirstOnPath() {
    char path[32767];
    DWORD length = GetEnvironmentVariableA("PATH", path, sizeof path);
    std::string value = SyntheticFolder() + "bin";
    if (length > 0 && length < sizeof path) value.append(";").append(path, length);
    SetEnvironmentVariableA("PATH", value.c_str());
}

bool ReadUnsignedOption(int argc, char** argv, int* at, const char* name, unsigned* value) {
    if (strcmp(argv[*at], name) != 0 || *at + 1 >= argc) return false;
    *value = static_cast<unsigned>(strtoul(argv[++*at], nullptr, 10));
    return true;
}

bool ReadShapeOption(int argc, char** argv, int* at, SyntheticShape* shape) {
    return ReadUnsignedOption(argc, argv, at, "--classes", &shape->classes) ||
           ReadUnsignedOption(argc, argv, at, "--servers", &shape->serverNames) ||
           ReadUnsignedOption(argc, argv, at, "--file-types", &shape->fileTypeRoots) ||
           ReadUnsignedOption(argc, argv, at, "--type-libs", &shape->typeLibs) ||
           ReadUnsignedOption(argc, argv, at, "--interfaces", &shape->interfaces);
}
