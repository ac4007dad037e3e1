// TBSkiner.cpp - the skin loader's readers, text forms and walk.
#include <app/TBSkiner.h>
#include <app/globals.h>
#include <classlib/ComCtrls.h>
#include <classlib/IniFiles.h>
#include <classlib/Pictures.h>
#include <classlib/SysUtils.h>
#include <widgets/pages/PageControlEx.h>
#include <widgets/panels/ImagePanel.h>

#include <memory>

namespace {

// The walk's choice for a child of the form, an image panel, a tab sheet or
// a page (a tab sheet stands only on a page control, so among the form's
// children there is none).
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
    for (int i = 0; i < form->ControlCount(); ++i) ApplySkinToChild(*skiner, form->Controls(i));
}

TBSkinerDLL::TBSkinerDLL(const std::string& folder, const std::string& section)
    : FSkinFolder(folder.empty() ? AppSettings.SkinPath : folder),
      FSkinSection(section.empty() ? DefaultSkinSection : section) {
    if (!FSkinFolder.empty() && FSkinFolder.back() != '\\') FSkinFolder += '\\';
}

// The skin file is looked for once per file name; a new name starts over.
const TMemIniFile* TBSkinerDLL::SkinFile() const {
    const std::string& file = AppSettings.SkinFilePath;
    if (!FSkinFile || FSkinFile->FileName() != file) {
        FSkinFile = std::make_unique<TMemIniFile>(file);
        FSkinFileExists = FileExists(file);
    }
    return FSkinFileExists ? FSkinFile.get() : nullptr;
}

std::string TBSkinerDLL::ReadSkinString(const std::string& section, const std::string& key,
                                        const std::string& def) const {
    const TMemIniFile* skin = SkinFile();
    return skin ? skin->ReadString(section, key, def) : "error";
}

int32_t TBSkinerDLL::ReadSkinInteger(const std::string& section, const std::string& key,
                                     int32_t def) const {
    const TMemIniFile* skin = SkinFile();
    return skin ? skin->ReadInteger(section, key, def) : 0;
}

bool TBSkinerDLL::ReadSkinBool(const std::string& section, const std::string& key, bool def) const {
    const TMemIniFile* skin = SkinFile();
    return skin && skin->ReadBool(section, key, def);
}

void TBSkinerDLL::LoadPicture(const std::string& path, TPicture* picture) const {
    auto found = FPictures.find(path);
    if (found == FPictures.end()) {
        auto read = std::make_unique<TPicture>();
        read->LoadFromFile(path);
        found = FPictures.emplace(path, std::move(read)).first;
    }
    picture->Assign(found->second.get());
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
