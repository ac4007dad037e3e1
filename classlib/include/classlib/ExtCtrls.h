// ExtCtrls.h - panels, images and the timer component.
//
//   TCustomPanel, TPanel  a windowed container with bevels, a border band and
//                         a one-line caption
//   TImage                a windowless picture: AutoSize, Stretch, Center,
//                         Transparent
//   TTimer                OnTimer every Interval milliseconds while Enabled
#pragma once

#include <classlib/Classes.h>
#include <classlib/Controls.h>
#include <classlib/Pictures.h>
#include <classlib/UtilWindow.h>

#include <memory>

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// Paints, from the outside in: the outer bevel, BorderWidth pixels of Color,
// the inner bevel (each bevel BevelWidth pixels), then Color under the
// caption, which sits on one line, vertically centred, placed by Alignment.
// Aligned children share what lies inside the bevels and the border band.
class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* owner);

    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut value) { SetFrame(FBevelOuter, value); }
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut value) { SetFrame(FBevelInner, value); }
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int value) { SetFrame(FBevelWidth, value); }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value) { SetFrame(FBorderWidth, value); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);

protected:
    void Paint() override;
    void AdjustClientRect(TRect& rect) override;
    void TextChanged() override { Invalidate(); }

private:
    template <class T>
    void SetFrame(T& field, T value) {
        if (ChangeAndInvalidate(field, value)) Realign();
    }

    TBevelCut FBevelOuter = bvRaised;
    TBevelCut FBevelInner = bvNone;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TAlignment FAlignment = taCenter;
};

class TPanel : public TCustomPanel {
public:
    using TCustomPanel::TCustomPanel;
};

// Draws its picture at the top left at its own size, stretched over the
// control (Stretch) or centred (Center). Transparent is handed to the
// picture's bitmap (its transparent colour is left undrawn); icons and
// metafiles are always transparent. With AutoSize the control takes the
// picture's size whenever the picture changes.
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(const TPicture* value) { FPicture->Assign(value); }
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);

protected:
    void Paint() override;
    void AdjustSize() override;
    // The picture changed: size, transparency and opacity follow it.
    virtual void PictureChanged();

private:
    TRect DestRect() const;

    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FTransparent = false;
};

// Ticks through a hidden window of its own, on the thread that made it, from
// that thread's message loop. It runs while Enabled and Interval is not 0
// (a new timer is enabled, 1000 ms); an exception from OnTimer goes to the
// application's error handling and the timer goes on.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner = nullptr);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    // Starting (or restarting) makes the next tick one full interval away.
    void SetEnabled(bool value);
    UINT Interval() const { return FInterval; }
    void SetInterval(UINT value);

    TNotifyEvent OnTimer;

protected:
    // Fires OnTimer.
    virtual void Timer();

private:
    void UpdateTimer();

    std::unique_ptr<TUtilityWindow> FWindow;
    bool FEnabled = true;
    UINT FInterval = 1000;
    bool FRunning = false;
};
