// VirtualStringTree.cpp - the string tree: each row's caption from
// OnGetText, and the focused row's caption in a font of its own with the
// wrapped description under it.
#include <algorithm>

#include "VirtualTrees.h"

namespace {

// The width of text in font, measured on dc without disturbing what the
// canvas that owns dc has selected.
int TextWidthIn(HDC dc, TFont* font, std::string_view text) {
    TSelectObject selected(dc, font->Handle());
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// The length in bytes of the character at text[at] (two for a double-byte one).
size_t CharLength(std::string_view text, size_t at) {
    return IsDBCSLeadByte(static_cast<BYTE>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

std::unique_ptr<TFont> TahomaFont() {
    auto font = std::make_unique<TFont>();
    font->SetName("Tahoma");
    return font;
}

}  // namespace

std::string WrapDescription(TCanvas* canvas, std::string_view text, int limit) {
    std::string lines;
    std::string_view rest = text;
    while (!rest.empty() && canvas->TextWidth(rest) > limit) {
        // The shortest start of the rest that is wider than the limit.
        size_t length = CharLength(rest, 0);
        while (length < rest.size() && canvas->TextWidth(rest.substr(0, length)) <= limit)
            length += CharLength(rest, length);
        lines.append(rest.substr(0, length)).push_back('\r');
        rest.remove_prefix(length);
    }
    lines.append(rest).push_back('\r');
    return lines;
}

TCustomVirtualStringTree::TCustomVirtualStringTree(TComponent* owner) : TBaseVirtualTree(owner) {
    FSelectedDescFont = TahomaFont();
    FSelectedFont = TahomaFont();
}

TCustomVirtualStringTree::~TCustomVirtualStringTree() {
    // No paint may find the fonts gone.
    DestroyHandle();
}

std::string TCustomVirtualStringTree::Text(PVirtualNode node) {
    std::string text;
    if (node && OnGetText) OnGetText(this, node, NoColumn, ttNormal, text);
    return text;
}

void TCustomVirtualStringTree::SetShowDescription(bool value) {
    ChangeAndInvalidate(FShowDescription, value);
}

void TCustomVirtualStringTree::SetSelectedDescription(const std::string& value) {
    ChangeAndInvalidate(FSelectedDescription, value);
}

void TCustomVirtualStringTree::SetSelectedDescFont(const TFont* value) {
    FSelectedDescFont->Assign(value);
    Invalidate();
}

void TCustomVirtualStringTree::SetSelectedFont(const TFont* value) {
    FSelectedFont->Assign(value);
    Invalidate();
}

bool TCustomVirtualStringTree::Described(PVirtualNode node, const std::string& caption) const {
    return !caption.empty() && FShowDescription && node == FocusedNode();
}

int TCustomVirtualStringTree::ContentWidth(TCanvas* canvas, PVirtualNode node) {
    const std::string caption = Text(node);
    if (caption.empty()) return 0;
    TFont* font = Described(node, caption) ? FSelectedFont.get() : Font();
    return TextWidthIn(canvas->Handle(), font, caption) + 2 * TextMargin();
}

void TCustomVirtualStringTree::PaintNodeText(const TVTPaintInfo& info) {
    const std::string caption = Text(info.Node);
    if (Described(info.Node, caption))
        PaintDescribedText(info, caption);
    else
        PaintPlainText(info, caption);
}

void TCustomVirtualStringTree::PaintPlainText(const TVTPaintInfo& info,
                                              const std::string& caption) {
    if (caption.empty()) return;
    TCanvas* canvas = info.Canvas;
    TFont* font = canvas->Font();
    font->SetColor(NodeTextColor(info.Node));
    const bool hot = HotTrack() && info.Node == HotNode();
    font->SetStyle(hot ? Font()->Style() + TFontStyles{fsUnderline} : Font()->Style());
    canvas->Brush()->SetStyle(bsClear);
    const TRect& cell = info.CellRect;
    const int height = info.Node->NodeHeight();
    const int y = cell.top + (height - canvas->TextHeight(caption)) / 2;
    canvas->TextRect(Rect(info.ContentRect.left, cell.top, cell.right, cell.bottom),
                     info.ContentRect.left + TextMargin(), y, caption);
}

void TCustomVirtualStringTree::PaintDescribedText(const TVTPaintInfo& info,
                                                  const std::string& caption) {
    TCanvas* canvas = info.Canvas;
    const auto height = static_cast<unsigned>(info.Node->NodeHeight());
    const int margin = TextMargin();
    const int left = info.ContentRect.left + margin;
    const int top = info.ContentRect.top;
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetFont(FSelectedFont.get());
    canvas->TextOut(left, top + static_cast<int>(height / 4) - margin, caption);
    // Measured in the caption's font, which the canvas still holds.
    const std::string wrapped =
        WrapDescription(canvas, FSelectedDescription, Width() - SelectedPicture()->Width() - 50);
    canvas->SetFont(FSelectedDescFont.get());
    const int lineTop = top + static_cast<int>(height / 2) - margin;
    int line = 0;
    size_t start = 0;
    while (start < wrapped.size()) {
        const size_t end = std::min(wrapped.find_first_of("\r\n", start), wrapped.size());
        if (end > start) {
            canvas->TextOut(left, lineTop - line * FSelectedDescFont->Height(),
                            std::string_view(wrapped).substr(start, end - start));
            ++line;
        }
        start = end + 1;
    }
    UseTreeFont(canvas);
}
