// RescueItems.h - the rescue index: one ini section per rescue item, named
// after the item's creation time, with its entry count and rescue file.
#pragma once

#include <string>

#include "tresk.h"

// The rescue file of an item made at the given local time: the rescue folder,
// then the FILETIME's low and high halves in decimal, then ".rrs".
std::string RescueFileName(const char* rescueFolder, const FILETIME& created);

// Writes the item's section ("Count", "FileName"; "Description" removed when
// the item has none). Returns 0; 87 for a null item or index path, or when
// the section name cannot be made; or the error that kept the index from
// being changed, which leaves it as it was.
DWORD WriteRescueIndexEntry(const RescueItem* item, const char* indexPath);
