// CommandLine.cpp - decides whether the program or file a registry command
// line names exists, the way the shell would find it.
#include "FileUtil.h"

namespace {

// The text cut before its first blank, before its second blank, ... and
// last the whole text.
std::vector<std::string> BlankCuts(const std::string& text) {
    std::vector<std::string> cuts;
    for (size_t at = text.find(' '); at != std::string::npos; at = text.find(' ', at + 1))
        cuts.emplace_back(text, 0, at);
    cuts.push_back(text);
    return cuts;
}

// The PATHEXT extensions in order, then the bare name.
std::vector<std::string> ExtensionsToTry(bool usePathExt) {
    std::vector<std::string> extensions;
    if (usePathExt) extensions = SplitEnvironmentList("PATHEXT");
    extensions.emplace_back();
    return extensions;
}

bool FindAtPath(const std::string& text, bool usePathExt) {
    std::vector<std::string> cuts = BlankCuts(text);
    for (const std::string& extension : ExtensionsToTry(usePathExt))
        for (const std::string& cut : cuts)
            if (FileExists((cut + extension).c_str(), false)) return true;
    return false;
}

bool FindOnSearchPath(const std::string& text, bool usePathExt) {
    std::vector<std::string> cuts = BlankCuts(text);
    std::vector<std::string> extensions = ExtensionsToTry(usePathExt);
    for (std::string folder : SplitEnvironmentList("PATH")) {
        AppendBackslash(folder);
        for (const std::string& extension : extensions)
            for (const std::string& cut : cuts)
                if (FileExists((folder + cut + extension).c_str(), false)) return true;
    }
    return false;
}

bool IsPlaceholder(const std::string& text) {
    return text.compare(0, 2, "%1") == 0 && (text.size() == 2 || text[2] == ' ');
}

}  // namespace

bool CommandTargetExists(const char* commandLine, bool expandEnvironment, bool usePathExt) {
    if (!commandLine) return false;
    // None of the characters searched for here can be the trail byte of a
    // double-byte character, so a byte search is exact.
    std::string text(commandLine);
    text.resize(text.find(',') == std::string::npos ? text.size() : text.find(','));  // icon index
    text.resize(text.find('/') == std::string::npos ? text.size() : text.find('/'));  // a switch
    TrimChar(text, ' ');
    if (!text.empty() && text[0] == '"') {
        size_t closing = text.find('"', 1);
        if (closing == std::string::npos) return false;
        text.resize(closing);
        TrimChar(text, '"');
    }
    if (IsPlaceholder(text)) return true;
    if (expandEnvironment) text = ExpandEnvironment(text.c_str());
    if (text.size() >= 2 && text[1] == ':') return FindAtPath(text, usePathExt);
    return FindOnSearchPath(text, usePathExt);
}
