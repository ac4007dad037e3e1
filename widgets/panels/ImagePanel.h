// ImagePanel.h - the picture panels that fill the pages of the main window.
//
//   TImageDrawStyle    the picture once at the top left, stretched, or tiled
//   TCustomImagePanel  a panel painting its picture, optionally over its
//                      parent's background, and a one-line caption
//   TImagePanel        the panel as the windows and the skin loader use it
//
// Each paint goes through one buffered paint of the part being painted
// (TBufferedPaint) and one copy to the screen; the panel never erases its
// background by itself, so page switches and skin changes do not flicker.
// Without Transparent the panel's Color lies under the picture (and shows
// where a picture drawn once does not reach); with it, the parent's
// background does.
#pragma once

#include <classlib/ExtCtrls.h>
#include <classlib/Pictures.h>

#include <cstdint>
#include <memory>

enum TImageDrawStyle : uint8_t { idsNormal, idsStretch, idsTile };

class TCustomImagePanel : public TCustomPanel {
public:
    explicit TCustomImagePanel(TComponent* owner);
    ~TCustomImagePanel() override;

    // The panel's own picture; a change repaints it (and resizes it with AutoSize).
    TPicture* Picture() const { return FPicture.get(); }
    bool Transparent() const { return FTransparent; }
    // Also hands the flag to the picture's graphic (a transparent bitmap
    // leaves its transparent colour undrawn).
    virtual void SetTransparent(bool value);
    TImageDrawStyle DrawStyle() const { return FDrawStyle; }

protected:
    // Takes Color as the canvas's brush; a panel hosted in a window outside
    // the class library (ParentWindow) also fills its client area with it.
    virtual void FillBackground();
    // Called with the area the caption was last drawn in, before the panel
    // repaints for a new caption; nothing here.
    virtual void CaptionChanged(const TRect& area);
    // The picture changed.
    virtual void PictureChanged();

    void Paint() override;
    void Resize() override;
    void TextChanged() override;
    void WMEraseBkgnd(TMessage& message) override;
    // Nothing: the panel's AutoSize is its picture's size, taken when the
    // picture changes or AutoSize is set (ApplyAutoSize), never on a resize
    // or a layout pass, so that a size given afterwards (by the skin) stays;
    // nor the extent of its children.
    void AdjustSize() override {}

    // Unless aligned to the top, the bottom or the whole client area, the
    // width becomes the picture's; unless aligned to the left, the right or
    // the whole area, the height. Nothing without AutoSize.
    void ApplyAutoSize();
    // The part of the panel the current paint reaches (its clip box).
    TRect PaintedArea();
    void SyncPictureTransparency();
    bool HasGraphic() const;

    std::unique_ptr<TPicture> FPicture;
    bool FTransparent = false;
    TImageDrawStyle FDrawStyle = idsNormal;
    TRect FCaptionArea{};
};

class TImagePanel : public TCustomImagePanel {
public:
    using TCustomImagePanel::TCustomImagePanel;

    // Copies the picture (nullptr clears it).
    void SetPicture(const TPicture* value);
    // Also takes the picture's size when switched on (ApplyAutoSize);
    // switching it off leaves the size as it is.
    void SetAutoSize(bool value) override;
    void SetDrawStyle(TImageDrawStyle value);
};
