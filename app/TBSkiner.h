// TBSkiner.h - the skin loader: gives a window its look from the skin file
// (AppSettings.SkinFilePath).
//
//   SkinerDLL      the form-level object the main window keeps; ApplySkinToForm
//   TBSkinerDLL    the applier of one walk: its folder and section, the three
//                  readers, and ApplySkinToControl (one control by its class)
//   NormaliseSkinText, ParseFontStyleLetters   captions and hints, font styles
//
// Skin keys are class prefix + control name + property suffix
// ("KITCHECKBOX_" + "CheckBoxFonts" + "_FONT_NAME"). The readers always read
// AppSettings.SkinFilePath, and picture names are joined to
// AppSettings.SkinPath, whatever folder an applier was given. An applier
// reads the skin file through a TMemIniFile: a section once, at its first
// key, every key of it answered from memory as the platform's profile reader
// answers it; a skin of a thousand keys so costs one file read instead of a
// thousand. A picture file named by several controls is read and decoded
// once per walk; each control gets its own copy. A bad colour text or a
// picture of no known format
// ends the walk with the class library's error; what was set before it
// stays set.
#pragma once

#include <classlib/Classes.h>
#include <classlib/Controls.h>
#include <classlib/Forms.h>
#include <classlib/Graphics.h>
#include <classlib/IniFiles.h>
#include <classlib/Pictures.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>

class TPageControlEx;

// The section an applier reads when it is made without one.
inline constexpr const char* DefaultSkinSection = "SKINPARAM";

class SkinerDLL : public TObject {
public:
    // Skins every control of form that the walk reaches: image panels and
    // tab sheets are entered, page controls of the kit page by page, any
    // other container is skinned as one control (if its class has keys) and
    // not entered. Sets the form's DoubleBuffered first.
    void ApplySkinToForm(TForm* form, const std::string& folder, const std::string& section);
};

class TBSkinerDLL : public TObject {
public:
    // folder gets a trailing "\" (AppSettings.SkinPath when empty); an empty
    // section reads "SKINPARAM".
    TBSkinerDLL(const std::string& folder, const std::string& section);

    const std::string& SkinFolder() const { return FSkinFolder; }
    const std::string& SkinSection() const { return FSkinSection; }

    // The readers are virtual so that a check of a skin file can see every
    // key the walk asks for.
    // The key's text, or def when it is absent; "error" when there is no skin file.
    virtual std::string ReadSkinString(const std::string& section, const std::string& key,
                                       const std::string& def) const;
    // Decimal or "$" hexadecimal; other text reads as def; 0 without a skin file.
    virtual int32_t ReadSkinInteger(const std::string& section, const std::string& key,
                                    int32_t def) const;
    // An integer as above, not 0 being true; false without a skin file.
    virtual bool ReadSkinBool(const std::string& section, const std::string& key, bool def) const;

    // Sets control's properties from the keys of its class in SkinSection;
    // a control of a class without keys is left alone.
    void ApplySkinToControl(TControl* control);

    // Gives picture a copy of the picture file, read the first time the
    // walk names it (a file that fails to load raises its error each time
    // and is not kept).
    void LoadPicture(const std::string& path, TPicture* picture) const;

    // The walk below the form, pre-order: an image panel or tab sheet is
    // skinned, then its children; a page control of the kit is skinned, then
    // the children of each page in page order (the pages themselves are not).
    void ApplySkinToContainer(TWinControl* container);
    void ApplySkinToPageControl(TPageControlEx* pageControl);

private:
    // The skin file read a section at a time, or nullptr when there is none.
    const TMemIniFile* SkinFile() const;

    std::string FSkinFolder;
    std::string FSkinSection;
    mutable std::unique_ptr<TMemIniFile> FSkinFile;
    mutable bool FSkinFileExists = false;
    // The pictures read so far, by file name.
    mutable std::map<std::string, std::unique_ptr<TPicture>> FPictures;
};

// Trims characters up to code 32 from both ends, makes each run of blanks one
// blank, then turns every "#13" into CR LF.
std::string NormaliseSkinText(const std::string& text);
// The styles whose letters (B, I, U, S, any case) the text holds anywhere.
TFontStyles ParseFontStyleLetters(const std::string& text);
