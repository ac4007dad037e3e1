// multiLangs.h - the tool's texts and its section of the language file.
//
//   TToolTexts, ToolTexts        the five texts in use (built-in English first)
//   LoadToolLanguage             reads the section, writing it first when needed
//   WriteToolLanguageDefaults    writes "Flag" and the texts in use
//   WriteFailureText             the write-failure message for a file
//
// The texts are used exactly as stored: "#13" stays as those three characters.
#pragma once

#include <string>

struct TToolTexts {
    std::string AnalyzingRegistry = "Analyzing the registry";
    std::string PleaseWait = "Please Wait...";
    std::string AnalysisCompleted =
        "Your computer may not react for several minutes while the analysis is being "
        "completed.";
    // A format: the path of the file fills its "%s".
    std::string WriteFileError = "Save file %s failed!";
    std::string Reboot =
        "Registry Defrag needs to reboot your system. Press Yes to reboot now or No to "
        "manually reboot later.";
};

extern TToolTexts ToolTexts;

// Reads the tool's section of ToolPaths.LanguageFilePath into ToolTexts (see
// LoadToolSection); a key the section lacks keeps the text in use. True when
// the five texts were read.
bool LoadToolLanguage();
// Writes "Flag" = 1 and the five texts in use into the tool's section of the
// language file (creating it). False when a write failed.
bool WriteToolLanguageDefaults();

// ToolTexts.WriteFileError filled with fileName; a text that does not take
// the arguments the built-in text takes (SameFormatArguments: one "%s") gives
// the built-in message instead.
std::string WriteFailureText(const std::string& fileName);
