// DamagedLanguage.h - a language file as a hurried translator writes it.
// Every text that the program fills is translated: some with their
// placeholders right, in other forms that the class library takes (a width,
// a precision, an index, %u for %d, "%%"), the others wrong: one too many or
// too few, another kind, a "%n", a lone "%", another argument or order, a
// width or a specifier that the class library refuses. Every other text is
// "DE " and its English text, a few with a literal "%" or placeholders of
// their own; the product name stays as it is.
#pragma once

#include <app/LanguageDefaults.h>
#include <app/globals.h>
#include <gtest/gtest.h>
#include <shared/PubFunctions.h>

#include <string>
#include <string_view>

struct TDamagedText {
    const char* Key;
    const char* Stored;
    bool Fits;  // the program takes it; else it keeps the English text
};

inline constexpr TDamagedText DamagedTexts[] = {
    {"IDS_MAINWND_CHECKBOX_chkSettingsStartScanWhenStarts", "Beim Start von %d suchen", false},
    {"IDS_MAINWND_LABEL_labTabSheetRestoreRegistryDetail",
     "%s macht alles rueckgaengig, zu 100% sicher: %s", false},
    {"AttentionErrorFound", "Achtung: %s Probleme gefunden", false},
    {"ScanResultsErrorFound", "Suchergebnis (%d Probleme)", true},
    {"InvalidRegistryEntries", "%d ungueltige Eintraege gefunden.#13Klicken Sie auf %s.", false},
    {"ScanItemPath", "Pfad: %s", true},
    {"ScanItemTitle", "Titel: %s (%s)", false},
    {"ScanItemEntryName", "Name: %s%n", false},
    {"ScanItemTarget", "Ziel: %.300s", true},
    // The program passes the target too, but the built-in text takes only the key.
    {"ParseErrorEmptyKey", "Leerer Schluessel %s mit Ziel %s", false},
    {"ParseErrorPathNotFound", "In %0:s fehlt die Datei %1:s.", true},
    {"ParseErrorMissingRootItem", "In %s fehlt ein Dateityp.", true},
    {"ParseErrorMissingCLSID", "In %1:s fehlt eine ClassID.", false},
    {"ParseErrorMissingTypeLibItem", "In %*s fehlt eine TypeLib.", false},
    {"ParseErrorTitle", "Ziel: %3:s Name: %2:s Pfad: %1:s Titel: %0:s", false},
    {"ConfirmBackup", "%d Eintraege gefunden.#13Sicherung anlegen?", false},
    {"ShowBalloonsText", "%-8s wurde zu 100%% minimiert.", true},
    {"OptionInvalidEntries", "Ungueltige Eintraege bis heute: %u", true},
    {"OptionErrorFixed", "Behobene Fehler bis heute: %s", false},
    {"OptionFoundDetail", "%d gefunden, %d behoben, %d offen", false},
    {"OptionErrorFound", "Achtung: %.2d Probleme", true},
    {"OptionScanResult", "Suchergebnis: %99999d", false},
    {"RescueItem", "%d Eintraege vom %s", false},
    {"BackupFailed", "Sicherung fehlgeschlagen (Fehler %d).", true},
    {"RepairFailed", "Reparatur fehlgeschlagen (Fehler %s).", false},
    // Texts the program does not fill, shown as they stand.
    {"IDS_MAINWND_LABEL_labInRed", "DE 100% rot: %s %d", true},
    {"StopScan", "DE Wirklich zu 50% %n anhalten?", true},
    {"RepairingComplete", "DE Repairing 100% Complete!", true},
};

inline const TDamagedText* FindDamagedText(std::string_view key) {
    for (const TDamagedText& text : DamagedTexts)
        if (key == text.Key) return &text;
    return nullptr;
}

inline bool IsFormatText(const TLanguageDefault& text) {
    return std::string_view(text.Text).find('%') != std::string_view::npos;
}

// The value the file holds for a key. A text the program fills that the
// table does not name (one added later) gets a placeholder too many.
inline std::string DamagedStored(const TLanguageDefault& text) {
    if (const TDamagedText* damaged = FindDamagedText(text.Key)) return damaged->Stored;
    if (IsFormatText(text)) return std::string("DE ") + text.Text + " %s %d";
    if (std::string_view(text.Text) == ProductName) return text.Text;
    return std::string("DE ") + text.Text;
}

// The text the program holds for a key once it has read the file.
inline std::string DamagedLoaded(const TLanguageDefault& text) {
    const TDamagedText* damaged = FindDamagedText(text.Key);
    const bool taken = damaged ? damaged->Fits : !IsFormatText(text);
    return ConvertLineBreaks(taken ? DamagedStored(text) : std::string(text.Text), true);
}

inline const TLanguageDefault& LanguageDefault(std::string_view key) {
    for (const TLanguageDefault& text : LanguageDefaults)
        if (key == text.Key) return text;
    ADD_FAILURE() << "no language key " << key;
    return LanguageDefaults[0];
}

inline std::string DamagedLoaded(std::string_view key) {
    return DamagedLoaded(LanguageDefault(key));
}

// The whole file: both sections, every key of each.
inline std::string DamagedLanguageFile() {
    std::string file;
    for (const char* section : {FormMainSection, MessageSection}) {
        file += std::string("[") + section + "]\r\n";
        for (const TLanguageDefault& text : LanguageDefaults)
            if (std::string_view(text.Section) == section)
                file += std::string(text.Key) + "=" + DamagedStored(text) + "\r\n";
    }
    return file;
}
