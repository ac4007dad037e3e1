// TBLanguager.h - the main program's user-interface texts and the language
// file they are loaded from.
//
//   TLanguageKey     a key of the texts, checked when the program is compiled
//   TLanguageTexts   one current text per key, starting with the built-in English
//   LanguageTexts    the process's texts, read by every window and message
//   LoadLanguage, WriteDefaultLanguage
//
// The language file (AppSettings.LanguageFilePath) holds the sections
// "FORMMAIN" and "Message"; a key the file lacks keeps the text loaded
// before it. Texts are stored with "#13" for a line break and held with
// CR LF once loaded. A text the program fills with Format always takes the
// arguments its built-in text takes.
#pragma once

#include <app/LanguageDefaults.h>

#include <string>
#include <string_view>
#include <vector>

// The place of key in LanguageDefaults; a name that is no key stops the
// compilation.
consteval size_t LanguageKeyIndex(std::string_view key) {
    for (size_t i = 0; i < LanguageTextCount; ++i)
        if (key == LanguageDefaults[i].Key) return i;
    throw "not a key of the language texts";
}

class TLanguageKey {
public:
    consteval TLanguageKey(const char* key) : FIndex(LanguageKeyIndex(key)) {}
    size_t Index() const { return FIndex; }

private:
    size_t FIndex;
};

class TLanguageTexts {
public:
    // The built-in texts.
    TLanguageTexts();

    // The current text of a key written in the code: LanguageTexts["StopScan"].
    const std::string& operator[](TLanguageKey key) const { return FTexts[key.Index()]; }
    // The current text of a key made at run time (from a control's name), or
    // nullptr when there is no such key. Names match exactly.
    const std::string* Find(std::string_view key) const;

    // The texts by their place in LanguageDefaults (file order).
    const std::string& At(size_t index) const { return FTexts.at(index); }
    void SetAt(size_t index, std::string text) { FTexts.at(index) = std::move(text); }

private:
    std::vector<std::string> FTexts;
};

extern TLanguageTexts LanguageTexts;

// Loads LanguageTexts from AppSettings.LanguageFilePath, writing the current
// texts there first when the file does not exist. Every key is read with its
// current text as the default and decoded ("#13" to CR LF, trimmed); each
// section is read from the file once and its keys answered from memory. A
// text whose built-in text is a format (it has a "%s", "%d" or "%u") is taken
// only when it has the same conversions (SameFormatArguments); a text that
// does not fit gets the built-in English text, silently and for that key
// alone, so that no text the program formats can raise. False after the
// message that the file cannot be written (the texts stay as they were) or
// when reading failed (the texts read so far stay).
bool LoadLanguage();
// Writes the current texts, encoded, into AppSettings.LanguageFilePath:
// section "FORMMAIN", then "Message", each in file order. False at the first
// write that fails.
bool WriteDefaultLanguage();
