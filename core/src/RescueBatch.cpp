// RescueBatch.cpp - the batch that the writers append to: one open file,
// opened by the first writer that needs it, finished by the batch that was
// made first.
#include "RescueBatch.h"

#include <optional>
#include <string>
#include <utility>

#include "FileUtil.h"
#include "RescueFile.h"
#include "RescueRecords.h"

namespace {

struct BatchState {
    BatchState(std::string name, int openMode) : fileName(std::move(name)), mode(openMode) {}
    std::string fileName;
    int mode;
    FileHandle file;
    RecordWriter writer;
    DWORD error = 0;  // the first failure of opening or writing the file
    PacedPump pump;   // once per subkey of the trees saved
};
std::optional<BatchState> g_batch;

DWORD OpenRescueFile(const char* fileName, int mode, FileHandle* file) {
    if (!fileName || !*fileName) return ERROR_INVALID_PARAMETER;
    if (mode != RescueCreateNew && mode != RescueAppend) return ERROR_INVALID_PARAMETER;
    HANDLE handle = CreateFileA(
        fileName, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
        mode == RescueCreateNew ? CREATE_ALWAYS : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return LastErrorOr(ERROR_OPEN_FAILED);
    file->Reset(handle);
    return ERROR_SUCCESS;
}

}  // namespace

DWORD OpenBatchFile() {
    BatchState& batch = *g_batch;
    if (batch.error || batch.file) return batch.error;
    DWORD error = OpenRescueFile(batch.fileName.c_str(), batch.mode, &batch.file);
    if (!error) error = batch.writer.Begin(batch.file.Get(), batch.mode);
    if (error) batch.error = error;
    return error;
}

DWORD AddToBatch(const RecordBody& body) {
    if (DWORD error = OpenBatchFile()) return error;
    DWORD error = g_batch->writer.Add(body);
    if (error && !g_batch->error) g_batch->error = error;
    return error;
}

void PaceBatch() { g_batch->pump.Step(); }

RescueFileBatch::RescueFileBatch(const char* fileName, int mode) {
    if (g_batch) return;  // the running batch takes this one's records
    g_batch.emplace(fileName ? fileName : "", mode);
    FOwner = true;
}

RescueFileBatch::~RescueFileBatch() {
    if (!FOwner) return;
    Finish();
    g_batch.reset();
}

DWORD RescueFileBatch::Finish() {
    if (!g_batch) return ERROR_SUCCESS;
    if (FOwner && g_batch->file) {
        DWORD error = g_batch->writer.Finish();
        if (!g_batch->error) g_batch->error = error;
        g_batch->file.Reset();
    }
    return g_batch->error;
}
