// RescueBatch.h - what the writers ask of the running batch (RescueFileBatch
// in RescueFile.h): one open file, opened by the first writer that needs it,
// its records gathered by one RecordWriter. Every call needs a batch alive.
#pragma once

#include <windows.h>

class RecordBody;

// Opens the running batch's file when no writer has yet. Returns 0 or the
// batch's first error of opening or writing its file.
DWORD OpenBatchFile();
// Appends the record to the running batch's file (opening it first). Returns
// 0 or the error, which also stays the batch's error when it is the first.
DWORD AddToBatch(const RecordBody& body);
// Pumps the caller's messages, paced over the whole batch; the tree writers
// call it once per subkey they save.
void PaceBatch();
