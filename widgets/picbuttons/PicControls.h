// PicControls.h - where a picture button puts its caption and its picture.
//
//   TPicTextAlign  caption: nine positions, the middle row again as
//                  taCenter, taLeft, taRight, or taCustom at (TextX, TextY)
//   TPicAlign      picture: the same positions with the pa prefix
//
// TPicTextAlign is a scoped enumeration: its taCenter, taLeft and taRight
// would otherwise clash with the class library's TAlignment.
#pragma once

#include <cstdint>

enum class TPicTextAlign : uint8_t {
    taTopLeft,
    taTopCenter,
    taTopRight,
    taMiddleLeft,
    taMiddleCenter,
    taMiddleRight,
    taBottomLeft,
    taBottomCenter,
    taBottomRight,
    taCenter,
    taLeft,
    taRight,
    taCustom
};

enum TPicAlign : uint8_t {
    paTopLeft,
    paTopCenter,
    paTopRight,
    paMiddleLeft,
    paMiddleCenter,
    paMiddleRight,
    paBottomLeft,
    paBottomCenter,
    paBottomRight,
    paCenter,
    paLeft,
    paRight,
    paCustom
};
