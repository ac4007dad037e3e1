// SoundScan.cpp - the sounds category: the sound file of every event of every
// sound scheme must exist, as written or in the Windows Media folder.
//
// The tree is application \ event \ scheme below AppEvents\Schemes\Apps; the
// scheme subkey's default value names the sound.
#include "SoundScan.h"

#include <cstring>
#include <vector>

#include "Engine.h"
#include "FileUtil.h"
#include "Registry.h"
#include "Scanners.h"
#include "SubkeyWalk.h"

namespace {

const char kAppsKey[] = "AppEvents\\Schemes\\Apps";
const char kAppsPath[] = "HKEY_CURRENT_USER\\AppEvents\\Schemes\\Apps";
const char kEventLabelsKey[] = "AppEvents\\EventLabels";

// Where the walk stands: application i of m, event j of h, scheme k of s.
struct SoundPosition {
    DWORD i, m, j, h, k, s;
};

// The position of one scheme in the whole tree, as a percentage, reckoned
// with the event and scheme counts of the current application and event.
double SoundPercent(const SoundPosition& at) {
    uint64_t done = (uint64_t{at.i} + 1) * at.h * at.s + (uint64_t{at.j} + 1) * at.s + at.k + 1;
    uint64_t total = uint64_t{at.m} * at.h * at.s;
    double percent = static_cast<double>(done) / static_cast<double>(total) * 100.0;
    return percent > 100.0 ? 100.0 : percent;
}

// No sound (a text shorter than two characters) is valid too.
bool SoundExists(const std::string& sound) {
    return sound.size() < 2 || CommandTargetExists(sound.c_str(), true, true) ||
           CommandTargetExists((g_engine.mediaFolder + sound).c_str(), true, true);
}

// The scheme's default value when it is a string that fits 520 bytes.
bool ReadSchemeSound(HKEY scheme, std::string* sound) {
    // One byte past the platform's limit, so that data stored without its
    // zero still ends within the buffer.
    char data[RegNameSize + 1];
    DWORD size = RegNameSize;
    DWORD type = REG_NONE;
    if (QueryValue(scheme, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    sound->assign(data, strnlen(data, size < RegNameSize ? size : RegNameSize));
    return true;
}

void CheckSchemes(HKEY event, const char* appName, const char* eventName, SoundPosition at) {
    ForEachSubkey(event, at.s, [&](RegKey& scheme, const char* schemeName, DWORD k) {
        std::string sound;
        if (!ReadSchemeSound(scheme.Get(), &sound)) return;
        at.k = k;
        double percent = SoundPercent(at);
        bool valid = SoundExists(sound);
        std::optional<std::string> label = ReadEventLabel(eventName);
        std::string keyPath =
            std::string(kAppsPath) + "\\" + appName + "\\" + eventName + "\\" + schemeName;
        ReportEntry(label ? label->c_str() : nullptr, keyPath.c_str(), nullptr, sound.c_str(),
                    ScanEntryCode{ScanSounds} | EntryKindKey | ReasonFileMissing, percent, !valid);
        PumpMessages();
    });
}

void CheckEvents(HKEY app, const char* appName, SoundPosition at) {
    ForEachSubkey(app, at.h, [&](RegKey& event, const char* eventName, DWORD j) {
        at.j = j;
        at.s = SubkeyCount(event.Get());
        CheckSchemes(event.Get(), appName, eventName, at);
        event.Reset(nullptr);
        PumpMessages();
    });
}

}  // namespace

std::optional<std::string> ReadEventLabel(const char* eventName) {
    RegKey labels;
    if (labels.Open(HKEY_CURRENT_USER, kEventLabelsKey) != ERROR_SUCCESS) return std::nullopt;
    DWORD size = 0;
    if (QueryValue(labels.Get(), eventName, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<char> data(size + 1, '\0');
    if (QueryValue(labels.Get(), eventName, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()),
                   &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(data.data(), strnlen(data.data(), size));
}

DWORD ScanSoundKeys() {
    RegKey apps;
    if (LONG error = apps.Open(HKEY_CURRENT_USER, kAppsKey)) return error;
    SoundPosition at{};
    at.m = SubkeyCount(apps.Get());
    ForEachSubkey(apps.Get(), at.m, [&](RegKey& app, const char* appName, DWORD i) {
        at.i = i;
        at.h = SubkeyCount(app.Get());
        CheckEvents(app.Get(), appName, at);
        app.Reset(nullptr);
        PumpMessages();
    });
    return ERROR_SUCCESS;
}
