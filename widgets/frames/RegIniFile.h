// RegIniFile.h - a component naming a settings store: an ini file or a
// registry key.
//
//   TKitPathType, TKitRegKey, TKitRegAccessKey / TKitRegAccess, TKitSpecialFolder
//   TKitRegIniFile   Path, PathType, RegKey, RegAccess, SpecialFolder
//
// The frame controller only keeps a reference to one. A changed setting
// marks the store to be opened again before its next use (RefreshNeeded).
#pragma once

#include <classlib/Classes.h>

#include <cstdint>
#include <string>

enum TKitPathType : uint8_t { ptIniFile, ptRegistry };
enum TKitRegKey : uint8_t {
    hkeyClassesRoot,
    hkeyCurrentUser,
    hkeyLocalMachine,
    hkeyUsers,
    hkeyPerformanceData,
    hkeyCurrentConfig,
    hkeyDynData
};
enum TKitRegAccessKey : uint8_t {
    keyQueryValue,
    keySetValue,
    keyCreateSubKey,
    keyEnumerateSubKeys,
    keyNotify,
    keyCreateLink,
    keyRead,
    keyWrite,
    keyExecute,
    keyAllAccess
};
using TKitRegAccess = TSet<TKitRegAccessKey>;
enum TKitSpecialFolder : uint8_t {
    sfNone,
    sfUserAppDataRoaming,
    sfUserAppDataLocal,
    sfUserDocuments,
    sfProgramData
};

class TKitRegIniFile : public TComponent {
public:
    explicit TKitRegIniFile(TComponent* owner) : TComponent(owner) {}

    const std::string& Path() const { return FPath; }
    TKitPathType PathType() const { return FPathType; }
    TKitRegKey RegKey() const { return FRegKey; }
    TKitRegAccess RegAccess() const { return FRegAccess; }
    TKitSpecialFolder SpecialFolder() const { return FSpecialFolder; }
    bool RefreshNeeded() const { return FRefreshNeeded; }

    virtual void SetPath(const std::string& value);
    virtual void SetPathType(TKitPathType value);
    virtual void SetRegKey(TKitRegKey value);
    virtual void SetRegAccess(TKitRegAccess value);
    virtual void SetSpecialFolder(TKitSpecialFolder value);

private:
    template <class T>
    void Change(T& field, const T& value);

    std::string FPath;
    TKitPathType FPathType = ptIniFile;
    TKitRegKey FRegKey = hkeyCurrentUser;
    TKitRegAccess FRegAccess{keyAllAccess};
    TKitSpecialFolder FSpecialFolder = sfNone;
    bool FRefreshNeeded = true;
};
