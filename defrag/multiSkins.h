// multiSkins.h - the tool's section of the skin file and the routines that
// place and fill the progress window's picture.
//
//   TToolSkin, ToolSkin          the placement and picture of the progress window
//   LoadToolSkin                 reads the section, writing it first when needed
//   WriteToolSkinDefaults        writes "Flag" and the values in use
//   ParseImagePlacement          "Left, Top, Width, Height[, Visible]"
//   ApplyImagePlacement          sets an image's bounds (and hides it) from that text
//   LoadImagePicture             loads an image's picture from the skin folder
#pragma once

#include <classlib/Controls.h>

#include <string>
#include <string_view>

class TImage;

struct TToolSkin {
    std::string Pos = "0, 0, 183, 391";  // an image placement
    std::string PicBackGround = "imgProgress.bmp";
};

extern TToolSkin ToolSkin;

// Reads the tool's section of ToolPaths.SkinFilePath into ToolSkin (see
// LoadToolSection); a key the section lacks keeps the value in use. True when
// both values were read.
bool LoadToolSkin();
// Writes "Flag" = 1 and both values in use into the tool's section of the
// skin file (creating it). False when a write failed.
bool WriteToolSkinDefaults();

// The integers of a placement text, cut at commas: Left, Top, Width, Height
// and an optional fifth field Visible (-1 when it is not a number). False,
// with nothing set, for fewer than four fields; one of the first four that is
// not a number raises EConvertError.
struct TImagePlacement {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int Visible = -1;
};
bool ParseImagePlacement(std::string_view text, TImagePlacement& placement);

// Sets the image's Left, Top, Width and Height from the text and hides it
// when Visible is 0 (nothing ever shows it). False, changing nothing, for an
// empty or short text; EConvertError from a field that is not a number.
bool ApplyImagePlacement(TControl* image, std::string_view text);

// Loads folder + fileName into the image's picture when that file exists;
// "None" in any case clears the picture first. False for an empty file name
// or a file that does not load.
bool LoadImagePicture(TImage* image, const std::string& folder, const std::string& fileName);
