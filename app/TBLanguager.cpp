// TBLanguager.cpp - the language texts and their file.
#include <app/TBLanguager.h>
#include <app/globals.h>
#include <classlib/IniFiles.h>
#include <classlib/SysUtils.h>

#include <optional>
#include <vector>

namespace {

constexpr const char* SCannotSaveLanguage = "Cann't save language file %s";

constexpr size_t SectionSize(std::string_view section, bool writtenOnly) {
    size_t count = 0;
    for (const TLanguageDefault& text : LanguageDefaults)
        if (section == text.Section && (text.Written || !writtenOnly)) ++count;
    return count;
}

// The texts a new file does not get come after every text it gets.
constexpr bool WrittenFirst() {
    for (size_t i = 1; i < LanguageTextCount; ++i)
        if (LanguageDefaults[i].Written && !LanguageDefaults[i - 1].Written) return false;
    return true;
}

// The sections follow each other, so a file written in table order keeps them whole.
constexpr bool SectionsInOrder() {
    for (size_t i = 0; i < LanguageTextCount; ++i)
        if (std::string_view(LanguageDefaults[i].Section) !=
            (i < SectionSize(FormMainSection, false) ? FormMainSection : MessageSection))
            return false;
    return true;
}

// Keys are unique over both sections, so a key alone names its text.
consteval bool KeysUnique() {
    for (size_t i = 0; i < LanguageTextCount; ++i)
        if (LanguageKeyIndex(LanguageDefaults[i].Key) != i) return false;
    return true;
}

static_assert(SectionSize(FormMainSection, true) == 79 && SectionSize(MessageSection, true) == 35);
static_assert(WrittenFirst());
static_assert(SectionsInOrder());
static_assert(KeysUnique());

// A text the program fills (its built-in text takes arguments) is taken from
// the file only when it takes the same arguments, in the same order and of
// the same kinds; otherwise the built-in text stands in for it, decoded as if
// read from the built-in file. The program thus never formats a text that
// could raise or read past its arguments. A text the program does not fill
// is shown as it stands, a "%" in it too.
std::string FittingText(const TLanguageDefault& builtIn, std::string loaded) {
    const std::optional<std::vector<TFormatConversion>> filled = FormatConversions(builtIn.Text);
    if (!filled || filled->empty() || SameFormatArguments(loaded, builtIn.Text)) return loaded;
    return ConvertLineBreaks(builtIn.Text, true);
}

}  // namespace

TLanguageTexts LanguageTexts;

TLanguageTexts::TLanguageTexts() {
    FTexts.reserve(LanguageTextCount);
    for (const TLanguageDefault& text : LanguageDefaults) FTexts.emplace_back(text.Text);
}

const std::string* TLanguageTexts::Find(std::string_view key) const {
    for (size_t i = 0; i < LanguageTextCount; ++i)
        if (key == LanguageDefaults[i].Key) return &FTexts[i];
    return nullptr;
}

bool LoadLanguage() {
    const std::string& path = AppSettings.LanguageFilePath;
    if (!FileExists(path) && !WriteDefaultLanguage()) {
        OwnerlessMessageBox(Format(SCannotSaveLanguage, {path}), SWriteFileError, MB_ICONERROR);
        return false;
    }
    try {
        // Each section read from the file once, every key from memory.
        TMemIniFile ini(path);
        for (size_t i = 0; i < LanguageTextCount; ++i) {
            const TLanguageDefault& text = LanguageDefaults[i];
            std::string stored = ini.ReadString(text.Section, text.Key, LanguageTexts.At(i));
            LanguageTexts.SetAt(i, FittingText(text, ConvertLineBreaks(stored, true)));
        }
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool WriteDefaultLanguage() {
    try {
        TIniFile ini(AppSettings.LanguageFilePath);
        for (size_t i = 0; i < LanguageTextCount; ++i) {
            const TLanguageDefault& text = LanguageDefaults[i];
            if (!text.Written) continue;
            ini.WriteString(text.Section, text.Key, ConvertLineBreaks(LanguageTexts.At(i), false));
        }
    } catch (const std::exception&) {
        return false;
    }
    return true;
}
