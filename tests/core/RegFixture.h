// RegFixture.h - registry, file and environment fixtures for the engine
// tests: a key tree of the test's own, removed when the test ends, a key
// refused for a while, scratch folders, files read back whole or line by
// line, and environment variables set for one test.
#pragma once

#include <windows.h>
// After windows.h, which the platform headers below need.
#include <gtest/gtest.h>
#include <sddl.h>
#include <support/Files.h>

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

// The running test's name, safe for a key or file name.
inline std::string TestName() {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
        if (c == '/' || c == '\\') c = '_';
    return name;
}

// Sets an environment variable for one test and puts the old value back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : FName(name) {
        char old[32767];
        DWORD length = GetEnvironmentVariableA(name, old, sizeof old);
        FHad = length > 0 && length < sizeof old;
        if (FHad) FOld.assign(old, length);
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~ScopedVariable() { SetEnvironmentVariableA(FName, FHad ? FOld.c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* FName;
    bool FHad = false;
    std::string FOld;
};

inline bool KeyPresent(HKEY root, const std::string& subkey) {
    HKEY key;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// A key a test works in, named by its root and subkey: its paths, and whether
// keys and values below it are there.
class TestKeyPlace {
public:
    TestKeyPlace(HKEY root, const char* rootName, std::string subkey)
        : FRoot(root), FSubkey(std::move(subkey)), FPath(std::string(rootName) + "\\" + FSubkey) {}

    // Full text path of the key or of one below it ("HKEY_...\...").
    std::string Path(const std::string& below = {}) const {
        return below.empty() ? FPath : FPath + "\\" + below;
    }
    std::string Subkey(const std::string& below = {}) const {
        return below.empty() ? FSubkey : FSubkey + "\\" + below;
    }
    HKEY Root() const { return FRoot; }

    bool Exists(const std::string& below = {}) const { return KeyPresent(FRoot, Subkey(below)); }
    bool HasValue(const std::string& below, const char* name) const {
        return RegGetValueA(FRoot, Subkey(below).c_str(), name, RRF_RT_ANY, nullptr, nullptr,
                            nullptr) == ERROR_SUCCESS;
    }

protected:
    HKEY FRoot;
    std::string FSubkey;
    std::string FPath;
};

// A key below a root, created for the test and deleted with everything below
// it when the fixture goes.
class ScratchKey : public TestKeyPlace {
public:
    ScratchKey(HKEY root, const char* rootName, const std::string& parent)
        : TestKeyPlace(root, rootName, parent + "\\Holvane-" + TestName()) {
        RegDeleteTreeA(FRoot, FSubkey.c_str());
    }
    ~ScratchKey() { RegDeleteTreeA(FRoot, FSubkey.c_str()); }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    void CreateKey(const std::string& below) const {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(FRoot, Subkey(below).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    void SetString(const std::string& below, const char* name, const std::string& data,
                   DWORD type = REG_SZ) const {
        ASSERT_EQ(RegSetKeyValueA(FRoot, Subkey(below).c_str(), name, type, data.c_str(),
                                  static_cast<DWORD>(data.size() + 1)),
                  ERROR_SUCCESS);
    }
};

// An existing key made readable but not openable for full access, as for a
// user without administrator rights, until the object goes. The handle is
// opened before the change, so it may put the key's own access list back.
class RefusedKey {
public:
    RefusedKey(HKEY root, const std::string& subkey) {
        EXPECT_EQ(RegOpenKeyExA(root, subkey.c_str(), 0, READ_CONTROL | WRITE_DAC, &FKey),
                  ERROR_SUCCESS)
            << subkey;
        DWORD size = 0;
        RegGetKeySecurity(FKey, DACL_SECURITY_INFORMATION, nullptr, &size);
        FSaved.resize(size);
        EXPECT_EQ(RegGetKeySecurity(FKey, DACL_SECURITY_INFORMATION, FSaved.data(), &size),
                  ERROR_SUCCESS);
        PSECURITY_DESCRIPTOR refused = nullptr;
        EXPECT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(
            "D:(D;;KA;;;WD)(A;;KR;;;WD)", SDDL_REVISION_1, &refused, nullptr));
        EXPECT_EQ(RegSetKeySecurity(FKey, DACL_SECURITY_INFORMATION, refused), ERROR_SUCCESS);
        LocalFree(refused);
    }
    ~RefusedKey() {
        RegSetKeySecurity(FKey, DACL_SECURITY_INFORMATION, FSaved.data());
        RegCloseKey(FKey);
    }
    RefusedKey(const RefusedKey&) = delete;
    RefusedKey& operator=(const RefusedKey&) = delete;

private:
    HKEY FKey = nullptr;
    std::vector<BYTE> FSaved;
};

// A folder of the test's own in the temp folder, removed with its files.
class ScratchFolder {
public:
    ScratchFolder() {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        FPath = std::string(temp) + "holvane-" + TestName() + "\\";
        RemoveFolder(FPath);
        CreateDirectoryA(FPath.c_str(), nullptr);
    }
    ~ScratchFolder() { RemoveFolder(FPath); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return FPath; }
    std::string File(const std::string& name, const std::string& content = "x") const {
        std::string path = FPath + name;
        HANDLE file =
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
        return path;
    }
    std::string Folder(const std::string& name) const {
        std::string path = FPath + name;
        CreateDirectoryA(path.c_str(), nullptr);
        return path;
    }

private:
    std::string FPath;
};

// The whole content of a file, as bytes.
inline std::string ReadFileText(const std::string& path) { return ReadWholeFile(path); }

// The lines of an ini file's text (without line ends), in file order.
inline std::vector<std::string> FileLines(const std::string& path) {
    std::vector<std::string> lines;
    std::istringstream text(ReadFileText(path));
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}
