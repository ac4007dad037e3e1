// Picture.cpp - the graphic base and the picture that holds one graphic,
// chosen by file extension.
#include <classlib/Pictures.h>
#include <classlib/SysUtils.h>

#include <typeinfo>

#include "Consts.h"

void TGraphic::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    Changed();
}

std::unique_ptr<TGraphic> TGraphic::Clone() const {
    std::unique_ptr<TGraphic> copy = NewEmpty();
    copy->Assign(this);
    return copy;
}

void TGraphic::Changed() {
    if (OnChange) OnChange(this);
}

namespace {

struct TPictureFormat {
    const char* extension;
    std::unique_ptr<TGraphic> (*create)();
};

template <class T>
std::unique_ptr<TGraphic> Create() {
    return std::make_unique<T>();
}

constexpr TPictureFormat PictureFormats[] = {
    {"bmp", Create<TBitmap>},
    {"ico", Create<TIcon>},
    {"emf", Create<TMetafile>},
    {"wmf", Create<TMetafile>},
};

}  // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Assign(const TPersistent* source) {
    if (source == this) return;
    if (!source) return SetGraphic(nullptr);
    if (auto picture = dynamic_cast<const TPicture*>(source)) return SetGraphic(picture->Graphic());
    if (auto graphic = dynamic_cast<const TGraphic*>(source)) return SetGraphic(graphic);
    TPersistent::Assign(source);
}

void TPicture::AssignTo(TPersistent* dest) const {
    // A graphic takes the picture's graphic when it is of the same kind.
    if (FGraphic && typeid(*FGraphic) == typeid(*dest)) return dest->Assign(FGraphic.get());
    TPersistent::AssignTo(dest);
}

void TPicture::SetGraphic(const TGraphic* graphic) { Take(graphic ? graphic->Clone() : nullptr); }

template <class T>
T* TPicture::ForceType() {
    if (!dynamic_cast<T*>(FGraphic.get())) Take(std::make_unique<T>());
    return static_cast<T*>(FGraphic.get());
}

TBitmap* TPicture::Bitmap() { return ForceType<TBitmap>(); }
TIcon* TPicture::Icon() { return ForceType<TIcon>(); }
TMetafile* TPicture::Metafile() { return ForceType<TMetafile>(); }

void TPicture::LoadFromFile(const std::string& fileName) {
    std::string extension = ExtractFileExt(fileName);
    if (!extension.empty()) extension.erase(0, 1);
    for (const TPictureFormat& format : PictureFormats) {
        if (!SameText(extension, format.extension)) continue;
        std::unique_ptr<TGraphic> graphic = format.create();
        graphic->LoadFromFile(fileName);
        return Take(std::move(graphic));
    }
    throw EInvalidGraphic(Format(SUnknownExtension, {extension}));
}

void TPicture::Take(std::unique_ptr<TGraphic> graphic) {
    FGraphic = std::move(graphic);
    if (FGraphic) FGraphic->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::Changed() {
    if (OnChange) OnChange(this);
}
