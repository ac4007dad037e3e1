// multiLangs.cpp - the tool's section of the language file.
#include <classlib/SysUtils.h>
#include <defrag/globals.h>
#include <defrag/multiLangs.h>

TToolTexts ToolTexts;

namespace {

struct TTextKey {
    const char* Name;
    std::string TToolTexts::*Text;
};

constexpr TTextKey AnalyzingRegistryKey{"IDS_PROGRESS_LABEL_AnalyzingRegistry",
                                        &TToolTexts::AnalyzingRegistry};
constexpr TTextKey PleaseWaitKey{"IDS_PROGRESS_LABEL_PleaseWait", &TToolTexts::PleaseWait};
constexpr TTextKey AnalysisCompletedKey{"IDS_PROGRESS_LABEL_AnalysisCompleted",
                                        &TToolTexts::AnalysisCompleted};
constexpr TTextKey WriteFileErrorKey{"IDS_MESSAGEBOX_WARNING_WriteFileError",
                                     &TToolTexts::WriteFileError};
constexpr TTextKey RebootKey{"IDS_MESSAGEBOX_WARNING_Reboot", &TToolTexts::Reboot};

// The write-failure format comes first, so that a later failure is told in
// the file's own words.
constexpr TTextKey ReadOrder[] = {WriteFileErrorKey, AnalyzingRegistryKey, PleaseWaitKey,
                                  AnalysisCompletedKey, RebootKey};
// The section as a translator finds it: the window's texts, then the messages.
constexpr TTextKey WriteOrder[] = {AnalyzingRegistryKey, PleaseWaitKey, AnalysisCompletedKey,
                                   WriteFileErrorKey, RebootKey};

void ReadTexts(const TIniFile& ini) {
    for (const TTextKey& key : ReadOrder)
        ToolTexts.*key.Text = ini.ReadString(ToolSection, key.Name, ToolTexts.*key.Text);
}

}  // namespace

bool LoadToolLanguage() {
    return LoadToolSection(ToolPaths.LanguageFilePath, WriteToolLanguageDefaults, ReadTexts,
                           WriteFailureText);
}

bool WriteToolLanguageDefaults() {
    return WriteToolSection(ToolPaths.LanguageFilePath, [](const TIniFile& ini) {
        for (const TTextKey& key : WriteOrder)
            ini.WriteString(ToolSection, key.Name, ToolTexts.*key.Text);
    });
}

// The only text the tool fills: used when it takes one file name as the
// built-in text does, so that the message never raises nor drops the name.
std::string WriteFailureText(const std::string& fileName) {
    const std::string builtIn = TToolTexts{}.WriteFileError;
    const bool fits = SameFormatArguments(ToolTexts.WriteFileError, builtIn);
    return Format(fits ? ToolTexts.WriteFileError : builtIn, {fileName});
}
