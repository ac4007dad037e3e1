// RegIniFile.cpp - the settings-store component's setters.
#include <widgets/frames/RegIniFile.h>

template <class T>
void TKitRegIniFile::Change(T& field, const T& value) {
    if (field == value) return;
    field = value;
    FRefreshNeeded = true;
}

void TKitRegIniFile::SetPath(const std::string& value) { Change(FPath, value); }
void TKitRegIniFile::SetPathType(TKitPathType value) { Change(FPathType, value); }
void TKitRegIniFile::SetRegKey(TKitRegKey value) { Change(FRegKey, value); }
void TKitRegIniFile::SetRegAccess(TKitRegAccess value) { Change(FRegAccess, value); }
void TKitRegIniFile::SetSpecialFolder(TKitSpecialFolder value) { Change(FSpecialFolder, value); }
