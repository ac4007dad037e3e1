// multiSkins.cpp - the tool's section of the skin file, and the placement and
// picture of the progress window's image.
#include <classlib/ExtCtrls.h>
#include <classlib/SysUtils.h>
#include <defrag/globals.h>
#include <defrag/multiLangs.h>
#include <defrag/multiSkins.h>

#include <exception>

TToolSkin ToolSkin;

namespace {

constexpr const char* PosKey = "SK_PROGRESS_Pos";
constexpr const char* PicBackGroundKey = "SK_PROGRESS_PicBackGround";

void ReadSkin(const TIniFile& ini) {
    ToolSkin.Pos = ini.ReadString(ToolSection, PosKey, ToolSkin.Pos);
    ToolSkin.PicBackGround = ini.ReadString(ToolSection, PicBackGroundKey, ToolSkin.PicBackGround);
}

}  // namespace

bool LoadToolSkin() {
    return LoadToolSection(ToolPaths.SkinFilePath, WriteToolSkinDefaults, ReadSkin,
                           WriteFailureText);
}

bool WriteToolSkinDefaults() {
    return WriteToolSection(ToolPaths.SkinFilePath, [](const TIniFile& ini) {
        ini.WriteString(ToolSection, PosKey, ToolSkin.Pos);
        ini.WriteString(ToolSection, PicBackGroundKey, ToolSkin.PicBackGround);
    });
}

bool ParseImagePlacement(std::string_view text, TImagePlacement& placement) {
    std::vector<std::string> fields = SplitText(text, ",", true);
    if (fields.size() < 4) return false;
    TImagePlacement parsed = placement;
    parsed.Left = StrToInt(fields[0]);
    parsed.Top = StrToInt(fields[1]);
    parsed.Width = StrToInt(fields[2]);
    parsed.Height = StrToInt(fields[3]);
    if (fields.size() > 4) parsed.Visible = StrToIntDef(fields[4], -1);
    placement = parsed;
    return true;
}

bool ApplyImagePlacement(TControl* image, std::string_view text) {
    if (text.empty()) return false;
    TImagePlacement placement;
    if (!ParseImagePlacement(text, placement)) return false;
    image->SetLeft(placement.Left);
    image->SetTop(placement.Top);
    image->SetWidth(placement.Width);
    image->SetHeight(placement.Height);
    if (placement.Visible == 0) image->Hide();
    return true;
}

bool LoadImagePicture(TImage* image, const std::string& folder, const std::string& fileName) {
    if (fileName.empty()) return false;
    try {
        if (SameText(fileName, "None")) image->Picture()->Assign(nullptr);
        if (FileExists(folder + fileName)) image->Picture()->LoadFromFile(folder + fileName);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}
