// RescueIndex.h - changes of the rescue index, each made whole or not at all.
//
// The platform's profile functions rewrite an ini file in place, emptying it
// first: a crash or a full disk during one of them would cut the index and
// unlist the items of earlier repairs, whose rescue files could then never
// be written back. So every change is made with the same profile functions
// on a copy beside the index (its name with ".new" appended), checked as it
// stands on disk, flushed, and put in the index's place by one rename. The
// index is thus always the old one or the new one, and its bytes are those
// the profile functions give. A copy left behind by a crash is never read:
// the next change starts again from the index.
#pragma once

#include <windows.h>

#include <string>

// One rescue item's section: "Count" and "FileName" written, "Description"
// written or, when null, removed.
struct RescueIndexSection {
    std::string name;
    std::string count;
    std::string fileName;
    const char* description;
};

// Writes the section into the index, keeping every other section as it was.
// Returns 0, or the error that kept the new index from being made, in which
// case the index is untouched.
DWORD WriteIndexSection(const char* indexPath, const RescueIndexSection& section);

// Removes the section (its first occurrence) from the index; the same
// results as WriteIndexSection.
DWORD RemoveIndexSection(const char* indexPath, const std::string& section);

// Where a change of the index is made before it takes the index's place.
std::string IndexScratchPath(const char* indexPath);
