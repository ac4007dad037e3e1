// Exceptions.cpp - the catch-all of platform callbacks and the platform's
// error texts.
#include <classlib/SysUtils.h>

#include "Consts.h"

std::function<void(const std::exception& error)> ApplicationHandleException;

static void Report(const std::exception& error) noexcept {
    try {
        if (ApplicationHandleException) {
            ApplicationHandleException(error);
            return;
        }
    } catch (...) {
        // The handler's own failure must not escape into the platform either.
    }
    OutputDebugStringA(error.what());
}

void HandleCallbackException() noexcept {
    try {
        throw;
    } catch (const std::exception& error) {
        Report(error);
    } catch (...) {
        Report(Exception(SUnknownException));
    }
}

std::string SysErrorMessage(DWORD error) {
    char* buffer = nullptr;
    DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text(buffer ? buffer : "", buffer ? length : 0);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (static_cast<unsigned char>(text.back()) <= ' ' || text.back() == '.'))
        text.pop_back();
    return text;
}
