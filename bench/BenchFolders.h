// BenchFolders.h - the scratch program folders of the benchmarks: copied
// from the installed one and removed with everything in them.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <stdexcept>
#include <string>

// Copies the files of from (ending with "\") into to, subfolders included.
inline void CopyFolder(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((from + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) throw std::runtime_error("no folder at " + from);
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CopyFolder(from + name + "\\", to + name + "\\");
        else if (!CopyFileA((from + name).c_str(), (to + name).c_str(), FALSE))
            throw std::runtime_error("cannot copy " + from + name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// Removes folder (ending with "\") and everything in it.
inline void RemoveFolder(const std::string& folder) {
    std::string list = folder.substr(0, folder.size() - 1);
    list.append(2, '\0');
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = list.c_str();
    operation.fFlags = FOF_NO_UI;
    SHFileOperationA(&operation);
}
