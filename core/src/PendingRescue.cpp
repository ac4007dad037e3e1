// PendingRescue.cpp - the rescue exports refuse their work until the rescue
// file code is in place.
#include "tresk.h"

extern "C" {

RescueNode* WINAPI TrkAllocRescueItems(const char*) { return nullptr; }
void WINAPI TrkFreeRescueItems() {}
int32_t WINAPI TrkDeleteRescue(RescueItem*, const char*) { return 0; }
int32_t WINAPI TrkRestoreRescue(RescueItem*) { return 0; }
uint32_t WINAPI TrkClean(SelectedEntry*, uint32_t) { return ERROR_INVALID_PARAMETER; }
uint32_t WINAPI TrkBackup(SelectedEntry*, uint32_t) { return ERROR_INVALID_PARAMETER; }

}  // extern "C"
