// Metafile.cpp - enhanced metafiles, read from .emf files or converted from
// .wmf files (with or without the placeable header), and played on a canvas.
#include <classlib/Pictures.h>
#include <classlib/SysUtils.h>

#include <cstring>

#include "Consts.h"
#include "Files.h"
#include "GdiCheck.h"

namespace {

constexpr size_t MaxMetafileBytes = 256u << 20;
constexpr DWORD PlaceableKey = 0x9AC6CDD7;
constexpr size_t PlaceableHeaderBytes = 22;

#pragma pack(push, 2)
struct TPlaceableHeader {
    DWORD key;
    WORD handle;
    SHORT left, top, right, bottom;
    WORD unitsPerInch;
    DWORD reserved;
    WORD checksum;
};
#pragma pack(pop)
static_assert(sizeof(TPlaceableHeader) == PlaceableHeaderBytes);

template <class T>
T ReadAt(const std::string& bytes, size_t offset) {
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

// The first record is the header, whose signature lies at offset 40.
bool IsEnhanced(const std::string& bytes) {
    return bytes.size() >= 44 && ReadAt<DWORD>(bytes, 0) == EMR_HEADER &&
           ReadAt<DWORD>(bytes, 40) == ENHMETA_SIGNATURE;
}

bool IsPlainWmf(const std::string& bytes, size_t offset) {
    if (bytes.size() < offset + sizeof(METAHEADER)) return false;
    METAHEADER header = ReadAt<METAHEADER>(bytes, offset);
    return (header.mtType == 1 || header.mtType == 2) && header.mtHeaderSize == 9;
}

// The size in screen pixels of a length in hundredths of a millimetre.
int PixelsOf(LONG hundredthsOfMm) { return MulDiv(hundredthsOfMm, ScreenPixelsPerInch(), 2540); }

SIZE FrameSize(HENHMETAFILE metafile) {
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(metafile, sizeof header, &header);
    return {PixelsOf(header.rclFrame.right - header.rclFrame.left),
            PixelsOf(header.rclFrame.bottom - header.rclFrame.top)};
}

}  // namespace

void TMetafile::Assign(const TPersistent* source) {
    if (source == this) return;
    auto metafile = dynamic_cast<const TMetafile*>(source);
    if (!metafile && source) return TGraphic::Assign(source);
    TOwnedEnhMetafile copy;
    if (metafile && metafile->FHandle)
        copy.Reset(CheckGdi(CopyEnhMetaFileA(metafile->FHandle.Get(), nullptr)));
    Take(std::move(copy), metafile ? metafile->FEnhanced : true, metafile ? metafile->FWidth : 0,
         metafile ? metafile->FHeight : 0);
}

void TMetafile::SetHandle(HENHMETAFILE metafile) {
    SIZE size = metafile ? FrameSize(metafile) : SIZE{};
    Take(TOwnedEnhMetafile(metafile), true, size.cx, size.cy);
}

void TMetafile::LoadFromFile(const std::string& fileName) {
    const std::string bytes = ReadFileBytes(fileName, MaxMetafileBytes);
    const auto data = reinterpret_cast<const BYTE*>(bytes.data());
    if (IsEnhanced(bytes)) {
        TOwnedEnhMetafile metafile(SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), data));
        if (!metafile) throw EInvalidGraphic(SInvalidMetafile);
        SIZE size = FrameSize(metafile.Get());
        return Take(std::move(metafile), true, size.cx, size.cy);
    }
    if (bytes.size() >= PlaceableHeaderBytes && ReadAt<DWORD>(bytes, 0) == PlaceableKey) {
        // The header gives the picture's size in its own units per inch.
        TPlaceableHeader header = ReadAt<TPlaceableHeader>(bytes, 0);
        int width = header.right - header.left, height = header.bottom - header.top;
        if (header.unitsPerInch == 0 || !IsPlainWmf(bytes, PlaceableHeaderBytes))
            throw EInvalidGraphic(SInvalidMetafile);
        METAFILEPICT picture{MM_ANISOTROPIC, MulDiv(width, 2540, header.unitsPerInch),
                             MulDiv(height, 2540, header.unitsPerInch), nullptr};
        TOwnedEnhMetafile metafile(
            SetWinMetaFileBits(static_cast<UINT>(bytes.size() - PlaceableHeaderBytes),
                               data + PlaceableHeaderBytes, nullptr, &picture));
        if (!metafile) throw EInvalidGraphic(SInvalidMetafile);
        return Take(std::move(metafile), false,
                    MulDiv(width, ScreenPixelsPerInch(), header.unitsPerInch),
                    MulDiv(height, ScreenPixelsPerInch(), header.unitsPerInch));
    }
    if (!IsPlainWmf(bytes, 0)) throw EInvalidGraphic(SInvalidMetafile);
    TOwnedEnhMetafile metafile(
        SetWinMetaFileBits(static_cast<UINT>(bytes.size()), data, nullptr, nullptr));
    if (!metafile) throw EInvalidGraphic(SInvalidMetafile);
    SIZE size = FrameSize(metafile.Get());
    Take(std::move(metafile), false, size.cx, size.cy);
}

void TMetafile::Draw(TCanvas* canvas, const TRect& rect) {
    PlayEnhMetaFile(canvas->Handle(), FHandle.Get(), &rect);
}

void TMetafile::Take(TOwnedEnhMetafile metafile, bool enhanced, int width, int height) {
    FHandle = std::move(metafile);
    FEnhanced = enhanced;
    FWidth = FHandle ? width : 0;
    FHeight = FHandle ? height : 0;
    Changed();
}
