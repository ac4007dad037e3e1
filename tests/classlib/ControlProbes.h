// ControlProbes.h - small controls for the tests: they paint one colour and
// write what happens to them into a log.
#pragma once

#include <classlib/Controls.h>

#include <string>
#include <vector>

using TLog = std::vector<std::string>;

inline bool Contains(const TLog& log, const std::string& line) {
    return std::find(log.begin(), log.end(), line) != log.end();
}

// Records mouse, focus and notification events under a tag.
template <class Base>
class TLogged : public Base {
public:
    TLogged(TComponent* owner, TWinControl* parent, TRect bounds, std::string tag, TLog* log)
        : Base(owner), Tag(std::move(tag)), Log(log) {
        this->SetBounds(bounds.left, bounds.top, bounds.right - bounds.left,
                        bounds.bottom - bounds.top);
        this->SetParent(parent);
    }
    ~TLogged() override { Write("deleted"); }

    std::string Tag;
    TLog* Log;
    TWinControl* LastFocused = nullptr;
    int FocusNews = 0;
    bool TakeEnter = false;
    char Accelerator = 0;

    void Write(const std::string& what) {
        if (Log) Log->push_back(Tag + " " + what);
    }
    void Click() override {
        Write("click");
        Base::Click();
    }
    void DblClick() override {
        Write("dblclick");
        Base::DblClick();
    }

protected:
    void MouseEnter() override { Write("enter"); }
    void MouseLeave() override { Write("leave"); }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
        Write("down " + std::to_string(button) + (shift.Contains(ssDouble) ? " double" : "") +
              " at " + std::to_string(x) + "," + std::to_string(y));
        Base::MouseDown(button, shift, x, y);
    }
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override {
        Write("up " + std::to_string(button) + " at " + std::to_string(x) + "," +
              std::to_string(y));
        Base::MouseUp(button, shift, x, y);
    }
    void TextChanged() override { Write("text " + this->Caption()); }
    void EnabledChanged() override {
        Write(this->Enabled() ? "enabled" : "disabled");
        Base::EnabledChanged();
    }
    void FontChanged() override {
        Write("font");
        Base::FontChanged();
    }
    void ColorChanged() override {
        Write("color");
        Base::ColorChanged();
    }
    void FocusChanged(TWinControl* focused) override {
        LastFocused = focused;
        ++FocusNews;
        Base::FocusChanged(focused);
    }
    bool DialogKey(WORD key, TShiftState shift) override {
        if (TakeEnter && key == VK_RETURN) {
            Write("dialog enter");
            return true;
        }
        return Base::DialogKey(key, shift);
    }
    bool DialogChar(char key, TShiftState shift) override {
        if (IsAccel(key, this->Caption())) {
            Write(std::string("accelerator ") + key);
            return true;
        }
        return Base::DialogChar(key, shift);
    }
};

// A windowless control painting one colour over (and beyond) its bounds.
class TSwatch : public TLogged<TGraphicControl> {
public:
    TSwatch(TComponent* owner, TWinControl* parent, TRect bounds, TColor fill,
            std::string tag = "swatch", TLog* log = nullptr)
        : TLogged(owner, parent, bounds, std::move(tag), log), Fill(fill) {}

    TColor Fill;
    int Paints = 0;

protected:
    void Paint() override {
        ++Paints;
        Canvas()->Brush()->SetColor(Fill);
        // Wider than the control: the parent's clipping must hold it in.
        Canvas()->FillRect(Rect(-40, -40, Width() + 40, Height() + 40));
    }
};

// A windowed container: its erase fills its Color, its children sit on it.
class TBox : public TLogged<TCustomControl> {
public:
    TBox(TComponent* owner, TWinControl* parent, TRect bounds, TColor color,
         std::string tag = "box", TLog* log = nullptr)
        : TLogged(owner, parent, bounds, std::move(tag), log) {
        SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
        SetColor(color);
    }
};
