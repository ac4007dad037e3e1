// TreskBinding.cpp - the records shared with the core library.
#include <app/TreskBinding.h>

#include <cstring>

TScanMonitor ScanMonitor;
EngineConfig AppEngineConfig{};

size_t WINAPI SafeStrLen(const char* text) { return text ? std::strlen(text) : 0; }
