// ProgressBar.h - the kit's progress bar.
//
//   TProgressChangeEvent    (Sender, Percent), fired when Percent changes
//   TKitCustomProgressBar   a windowless bar in one of three styles (solid,
//                           LED blocks, gradient), horizontal or vertical,
//                           inside its own frames or the platform's themed
//                           frame, with the percent as centred text
//   TKitProgressBar         the bar the program's windows place
//
// The bar turns vertical whenever it is made taller than wide. It takes a
// frame controller's settings through FramingChanged.
#pragma once

#include <classlib/Controls.h>
#include <widgets/common/KitTypes.h>
#include <widgets/frames/FrameController.h>

#include <cstdint>
#include <functional>

using TProgressChangeEvent = std::function<void(TObject* sender, int percent)>;

class TKitCustomProgressBar : public TGraphicControl, public IFrameControllerClient {
public:
    explicit TKitCustomProgressBar(TComponent* owner);
    ~TKitCustomProgressBar() override;

    TColor BackColor() const { return FBackColor; }
    virtual void SetBackColor(TColor value);
    TColor BackColorStop() const { return FBackColorStop; }
    void SetBackColorStop(TColor value);
    // Also the font colour.
    TColor BarColor() const { return FBarColor; }
    virtual void SetBarColor(TColor value);
    TColor BarColorStop() const { return FBarColorStop; }
    void SetBarColorStop(TColor value);
    // The LED style hides the percent and sets an interior gap of one; the
    // others show the percent without a gap.
    TBarStyle BarStyle() const { return FBarStyle; }
    virtual void SetBarStyle(TBarStyle value);
    int BevelWidth() const { return FBevelWidth; }
    virtual void SetBevelWidth(int value);
    TColor BorderColor() const { return FBorderColor; }
    virtual void SetBorderColor(TColor value);
    TFrameStyleEx BorderInner() const { return FBorderInner; }
    virtual void SetBorderInner(TFrameStyleEx value);
    TFrameStyleEx BorderOuter() const { return FBorderOuter; }
    virtual void SetBorderOuter(TFrameStyleEx value);
    int BorderWidth() const { return FBorderWidth; }
    virtual void SetBorderWidth(int value);
    TColor FlatColor() const { return FFlatColor; }
    virtual void SetFlatColor(TColor value);
    int FlatColorAdjustment() const { return FFlatColorAdjustment; }
    virtual void SetFlatColorAdjustment(int value);
    TGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TGradientDirection value);
    uint8_t InteriorOffset() const { return FInteriorOffset; }
    virtual void SetInteriorOffset(uint8_t value);
    int NumSegments() const { return FNumSegments; }
    // 1 .. 100.
    virtual void SetNumSegments(int value);
    TOrientation Orientation() const { return FOrientation; }
    virtual void SetOrientation(TOrientation value);
    // At most TotalParts; sets Percent from the two outside loading.
    uint32_t PartsComplete() const { return FPartsComplete; }
    virtual void SetPartsComplete(uint32_t value);
    // Any value; above 100 the bar is full and the text shows the value.
    uint16_t Percent() const { return FPercent; }
    virtual void SetPercent(uint16_t value);
    bool ShowPercent() const { return FShowPercent; }
    virtual void SetShowPercent(bool value);
    // Outside loading, starts the count again from 0.
    uint32_t TotalParts() const { return FTotalParts; }
    virtual void SetTotalParts(uint32_t value);
    bool ThemeAware() const { return FThemeAware; }
    virtual void SetThemeAware(bool value);

    TKitFrameController* FrameController() const { return FFrameController; }
    virtual void SetFrameController(TKitFrameController* value);
    TKitFrameControllerNotifications FrameControllerNotifications() const {
        return FFrameControllerNotifications;
    }
    void SetFrameControllerNotifications(TKitFrameControllerNotifications value) {
        FFrameControllerNotifications = value;
    }
    void FramingChanged() override;

    TProgressChangeEvent OnChange;

protected:
    // Fires OnChange.
    virtual void PercentChanged();
    void Paint() override;
    void ChangeBounds(int left, int top, int width, int height) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    // ChangeAndInvalidate, then painted at once.
    template <class T>
    void ChangeAndRepaint(T& field, T value);
    bool Loading() const { return ComponentState().Contains(csLoading); }
    // The client rectangle inside the frames and the interior gap, drawn on canvas.
    TRect PaintFrames(TCanvas* canvas);

    TColor FBackColor = clWhite;
    TColor FBackColorStop = clBtnFace;
    TColor FBarColor = clHighlight;
    TColor FBarColorStop = clHotLight;
    TBarStyle FBarStyle = bsTraditional;
    int FBevelWidth = 1;
    TColor FBorderColor = clBtnFace;
    TFrameStyleEx FBorderInner = fsNone;
    TFrameStyleEx FBorderOuter = fsLowered;
    int FBorderWidth = 0;
    TColor FFlatColor = clBtnShadow;
    int FFlatColorAdjustment = 30;
    TGradientDirection FGradientDirection = gdHorizontalCenter;
    uint8_t FInteriorOffset = 0;
    int FNumSegments = 20;
    TOrientation FOrientation = orHorizontal;
    uint32_t FPartsComplete = 0;
    uint16_t FPercent = 0;
    bool FShowPercent = true;
    uint32_t FTotalParts = 0;
    bool FThemeAware = true;
    TKitFrameController* FFrameController = nullptr;
    TKitFrameControllerNotifications FFrameControllerNotifications =
        AllFrameControllerNotifications;
};

class TKitProgressBar : public TKitCustomProgressBar {
public:
    using TKitCustomProgressBar::TKitCustomProgressBar;
};
