// RegAreas.h - registry fixtures in the fixed areas that scans look at: the
// values and keys a test adds to a shared key (Fonts, Run, Uninstall,
// RecentDocs ...) and keys below HKEY_CLASSES_ROOT, each removed with the
// test, and the data of a RecentDocs value. They need only the platform, so
// the engine's tests and the main program's share them.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "RegFixture.h"

// A name of the running test's own, for values, keys and files in shared areas.
inline std::string OwnName(const std::string& name = {}) {
    std::string own = "Holvane-" + TestName();
    return name.empty() ? own : own + "-" + name;
}

// Full access, creating what is missing.
inline HKEY CreateKeyForTest(HKEY root, const std::string& subkey) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS)
        << subkey;
    return key;
}

// A fixed key that a scan looks at (Fonts, Run, Uninstall ...) with the values
// and subkeys the test puts there. Only what the test added is removed
// afterwards, and the key itself, with the parents made for it, when the test
// had to make it.
class RegArea : public TestKeyPlace {
public:
    RegArea(HKEY root, const char* rootName, const std::string& subkey)
        : TestKeyPlace(root, rootName, subkey) {
        for (size_t end = subkey.find('\\');; end = subkey.find('\\', end + 1)) {
            std::string part = subkey.substr(0, end);
            if (!KeyPresent(root, part)) {
                FMadeFrom = part;
                break;
            }
            if (end == std::string::npos) break;
        }
        RegCloseKey(CreateKeyForTest(root, subkey));
    }
    ~RegArea() {
        for (const std::string& key : FOwnKeys) RegDeleteTreeA(FRoot, Subkey(key).c_str());
        for (const std::string& value : FOwnValues)
            RegDeleteKeyValueA(FRoot, FSubkey.c_str(), value.c_str());
        if (!FMadeFrom.empty()) RegDeleteTreeA(FRoot, FMadeFrom.c_str());
    }
    RegArea(const RegArea&) = delete;
    RegArea& operator=(const RegArea&) = delete;

    bool MadeByTest() const { return !FMadeFrom.empty(); }

    // Makes area\below; the first part of below must be a name of the test's
    // own, and goes with the test.
    void CreateKey(const std::string& below) {
        std::string first = below.substr(0, below.find('\\'));
        if (std::find(FOwnKeys.begin(), FOwnKeys.end(), first) == FOwnKeys.end())
            FOwnKeys.push_back(first);
        RegCloseKey(CreateKeyForTest(FRoot, Subkey(below)));
    }
    // Sets a value of area\below (empty below: of the area key itself, where
    // the value goes with the test); a null name sets the default value.
    void SetValue(const std::string& below, const char* name, DWORD type, const void* data,
                  size_t size) {
        if (below.empty() && name) FOwnValues.emplace_back(name);
        if (!below.empty()) CreateKey(below);
        ASSERT_EQ(RegSetKeyValueA(FRoot, Subkey(below).c_str(), name, type, data,
                                  static_cast<DWORD>(size)),
                  ERROR_SUCCESS)
            << Subkey(below) << " " << (name ? name : "(default)");
    }
    void SetString(const std::string& below, const char* name, const std::string& text,
                   DWORD type = REG_SZ) {
        SetValue(below, name, type, text.c_str(), text.size() + 1);
    }
    void SetDword(const std::string& below, const char* name, DWORD value) {
        SetValue(below, name, REG_DWORD, &value, sizeof value);
    }

private:
    std::string FMadeFrom;  // the first part of the path the test had to make
    std::vector<std::string> FOwnKeys;
    std::vector<std::string> FOwnValues;
};

// Keys below HKEY_CLASSES_ROOT that one test makes; each owned key is removed
// with everything below it when the fixture goes (and first, in case a test
// that crashed left it behind). Names of the test's own come from OwnName.
class ClassesKeys {
public:
    ClassesKeys() = default;
    ~ClassesKeys() {
        for (const std::string& owned : FOwned) RegDeleteTreeA(HKEY_CLASSES_ROOT, owned.c_str());
    }
    ClassesKeys(const ClassesKeys&) = delete;
    ClassesKeys& operator=(const ClassesKeys&) = delete;

    // Marks a key (a path below HKEY_CLASSES_ROOT) as the test's own.
    std::string Own(const std::string& subkey) {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, subkey.c_str());
        FOwned.push_back(subkey);
        return subkey;
    }
    void Create(const std::string& subkey) const {
        RegCloseKey(CreateKeyForTest(HKEY_CLASSES_ROOT, subkey));
    }
    // Sets a value (null name: the default value), making the key as needed.
    void Set(const std::string& subkey, const char* name, const std::string& data,
             DWORD type = REG_SZ) const {
        DWORD size = static_cast<DWORD>(data.size() + (type == REG_BINARY ? 0 : 1));
        ASSERT_EQ(
            RegSetKeyValueA(HKEY_CLASSES_ROOT, subkey.c_str(), name, type, data.c_str(), size),
            ERROR_SUCCESS);
    }
    void SetDword(const std::string& subkey, const char* name, DWORD data) const {
        ASSERT_EQ(
            RegSetKeyValueA(HKEY_CLASSES_ROOT, subkey.c_str(), name, REG_DWORD, &data, sizeof data),
            ERROR_SUCCESS);
    }

private:
    std::vector<std::string> FOwned;
};

// ---- RecentDocs data

inline const BYTE kAnsiType = 0x32;
inline const BYTE kWideType = 0x31;

inline void AppendUtf16(std::string* data, const std::wstring& text) {
    for (wchar_t c : text) {
        data->push_back(static_cast<char>(c & 0xFF));
        data->push_back(static_cast<char>(c >> 8));
    }
    data->append(2, '\0');
}

// A RecentDocs value's data: the document name, the shell item's size, the
// item type, eleven bytes that are not read, and the shortcut name (ANSI for
// type 0x32, else UTF-16).
inline std::string RecentDocData(const std::wstring& document, BYTE type,
                                 const std::string& shortcut) {
    std::string data;
    AppendUtf16(&data, document);
    data += "\x20";
    data.push_back('\0');
    data.push_back(static_cast<char>(type));
    data.append(11, '\x11');
    if (type == kAnsiType) {
        data += shortcut;
        data.push_back('\0');
    } else {
        // Bytes taken as Latin-1, which code page 1252 matches for the
        // letters the tests use.
        std::wstring wide;
        for (unsigned char c : shortcut) wide.push_back(c);
        AppendUtf16(&data, wide);
    }
    return data;
}
