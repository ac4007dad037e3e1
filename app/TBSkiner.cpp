// TBSkiner.cpp - the skin loader's readers, text forms and walk.
#include <app/TBSkiner.h>
#include <app/globals.h>
#include <classlib/ComCtrls.h>
#include <classlib/IniFiles.h>
#include <classlib/SysUtils.h>
#include <widgets/pages/PageControlEx.h>
#include <widgets/panels/ImagePanel.h>

#include <memory>

namespace {

// The characters the platform's profile reader trims from names.
constexpr const char* ProfileBlanks = " \t\r\n\v\f\x1a";

std::string TrimProfileName(const std::string& name) {
    const size_t first = name.find_first_not_of(ProfileBlanks);
    if (first == std::string::npos) return "";
    return name.substr(first, name.find_last_not_of(ProfileBlanks) - first + 1);
}

// Names compare without regard to the case of ASCII letters, as the
// platform's profile reader compares them.
std::string ProfileNameKey(const std::string& name) {
    std::string key = TrimProfileName(name);
    for (char& c : key)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return key;
}

// A value in matching single or double quotes loses them.
std::string WithoutQuotes(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// A default as the platform gives it back: its trailing blanks (not its
// first character) dropped, then its quotes.
std::string ProfileDefault(const std::string& def) {
    size_t end = def.size();
    while (end > 1 && def[end - 1] == ' ') --end;
    return WithoutQuotes(def.substr(0, end));
}

// Every line of the section as the platform parsed it ("name=value", or a
// name alone), zero-separated, in file order; comment lines are left out.
std::string ReadProfileSection(const std::string& file, const std::string& section) {
    std::string buffer;
    DWORD size = 64 * 1024;
    DWORD length = 0;
    for (;;) {
        buffer.assign(size, '\0');
        length = GetPrivateProfileSectionA(section.c_str(), buffer.data(), size, file.c_str());
        // A full buffer comes back as size - 2 characters.
        if (length < size - 2) break;
        size *= 2;
    }
    buffer.resize(length);
    return buffer;
}

// The walk's choice for a child of an image panel, tab sheet or page.
void ApplySkinToChild(TBSkinerDLL& skiner, TControl* child) {
    if (auto* panel = dynamic_cast<TImagePanel*>(child))
        skiner.ApplySkinToContainer(panel);
    else if (auto* pages = dynamic_cast<TPageControlEx*>(child))
        skiner.ApplySkinToPageControl(pages);
    else if (auto* sheet = dynamic_cast<TTabSheet*>(child))
        skiner.ApplySkinToContainer(sheet);
    else
        skiner.ApplySkinToControl(child);
}

}  // namespace

void SkinerDLL::ApplySkinToForm(TForm* form, const std::string& folder,
                                const std::string& section) {
    auto skiner = std::make_unique<TBSkinerDLL>(folder, section);
    form->SetDoubleBuffered(true);
    for (int i = 0; i < form->ControlCount(); ++i) {
        TControl* child = form->Controls(i);
        if (auto* panel = dynamic_cast<TImagePanel*>(child))
            skiner->ApplySkinToContainer(panel);
        else if (auto* pages = dynamic_cast<TPageControlEx*>(child))
            skiner->ApplySkinToPageControl(pages);
        else
            skiner->ApplySkinToControl(child);
    }
}

TBSkinerDLL::TBSkinerDLL(const std::string& folder, const std::string& section)
    : FSkinFolder(folder.empty() ? AppSettings.SkinPath : folder),
      FSkinSection(section.empty() ? DefaultSkinSection : section) {
    if (!FSkinFolder.empty() && FSkinFolder.back() != '\\') FSkinFolder += '\\';
}

std::optional<std::string> TBSkinerDLL::ProfileString(const std::string& section,
                                                      const std::string& key,
                                                      const std::string& def) const {
    const std::string& file = AppSettings.SkinFilePath;
    if (!FFileChecked || FReadFile != file) {
        FFileChecked = true;
        FReadFile = file;
        FReadFileExists = FileExists(file);
        FSections.clear();
    }
    if (!FReadFileExists) return std::nullopt;
    const std::string name = ProfileNameKey(key);
    // The section read leaves out comment lines, which the platform still
    // finds by name; no key of the walk begins with their ";".
    if (!name.empty() && name.front() == ';') return TIniFile(file).ReadString(section, key, def);
    auto [found, added] = FSections.try_emplace(ProfileNameKey(section));
    if (added) found->second = ReadSectionKeys(file, section);
    const TSectionKeys& keys = found->second;
    const auto value = keys.find(name);
    if (value == keys.end() || !value->second) return ProfileDefault(def);
    return WithoutQuotes(*value->second);
}

TBSkinerDLL::TSectionKeys TBSkinerDLL::ReadSectionKeys(const std::string& file,
                                                       const std::string& section) {
    TSectionKeys keys;
    const std::string lines = ReadProfileSection(file, TrimProfileName(section));
    for (size_t at = 0; at < lines.size(); at = lines.find('\0', at) + 1) {
        const std::string line = lines.c_str() + at;
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            keys.try_emplace(ProfileNameKey(line), std::nullopt);
        else
            keys.try_emplace(ProfileNameKey(line.substr(0, equals)), line.substr(equals + 1));
    }
    return keys;
}

std::string TBSkinerDLL::ReadSkinString(const std::string& section, const std::string& key,
                                        const std::string& def) const {
    return ProfileString(section, key, def).value_or("error");
}

int32_t TBSkinerDLL::ReadSkinInteger(const std::string& section, const std::string& key,
                                     int32_t def) const {
    const std::optional<std::string> text = ProfileString(section, key, "");
    return text ? StrToIntDef(*text, def) : 0;
}

bool TBSkinerDLL::ReadSkinBool(const std::string& section, const std::string& key, bool def) const {
    const std::optional<std::string> text = ProfileString(section, key, "");
    return text && StrToIntDef(*text, def ? 1 : 0) != 0;
}

void TBSkinerDLL::ApplySkinToContainer(TWinControl* container) {
    ApplySkinToControl(container);
    for (int i = 0; i < container->ControlCount(); ++i)
        ApplySkinToChild(*this, container->Controls(i));
}

void TBSkinerDLL::ApplySkinToPageControl(TPageControlEx* pageControl) {
    ApplySkinToControl(pageControl);
    for (int page = 0; page < pageControl->PageCount(); ++page) {
        TTabSheet* sheet = pageControl->Pages(page);
        for (int i = 0; i < sheet->ControlCount(); ++i) ApplySkinToChild(*this, sheet->Controls(i));
    }
}

std::string NormaliseSkinText(const std::string& text) {
    std::string trimmed = Trim(text);
    std::string single;
    for (char c : trimmed)
        if (!(c == ' ' && !single.empty() && single.back() == ' ')) single += c;
    std::string result;
    for (size_t i = 0; i < single.size();) {
        if (single.compare(i, 3, "#13") == 0) {
            result += "\r\n";
            i += 3;
        } else {
            result += single[i++];
        }
    }
    return result;
}

TFontStyles ParseFontStyleLetters(const std::string& text) {
    std::string letters = UpperCase(text);
    TFontStyles styles;
    auto has = [&](char letter) { return letters.find(letter) != std::string::npos; };
    if (has('B')) styles.Include(fsBold);
    if (has('I')) styles.Include(fsItalic);
    if (has('U')) styles.Include(fsUnderline);
    if (has('S')) styles.Include(fsStrikeOut);
    return styles;
}
