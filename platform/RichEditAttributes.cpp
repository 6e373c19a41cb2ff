#include "platform/RichEdit.h"

#include <algorithm>

namespace {

// The rich edit's tab stops when none are set: every half inch.
constexpr int DefaultTabSpacing = 36;
constexpr int MaxTabStops = 32;

} // namespace

// ---- Text attributes

TColor TTextAttributes::Color() const {
    TRichEdit::TCharFormat format = FEdit.SelFormat();
    return format.HasColor ? format.Color : FEdit.Font().Color();
}

void TTextAttributes::SetColor(TColor value) {
    FEdit.ChangeSelFormat([value](TRichEdit::TCharFormat& format) {
        format.HasColor = true;
        format.Color = value;
    });
}

TFontStyles TTextAttributes::Style() const {
    TRichEdit::TCharFormat format = FEdit.SelFormat();
    return format.HasStyle ? TFontStyles::FromBits(format.StyleBits) : FEdit.Font().Style();
}

void TTextAttributes::SetStyle(TFontStyles value) {
    FEdit.ChangeSelFormat([value](TRichEdit::TCharFormat& format) {
        format.HasStyle = true;
        format.StyleBits = value.Bits();
    });
}

String TTextAttributes::Name() const {
    TRichEdit::TCharFormat format = FEdit.SelFormat();
    return format.Name.empty() ? FEdit.Font().Name() : format.Name;
}

void TTextAttributes::SetName(const String& value) {
    FEdit.ChangeSelFormat([value](TRichEdit::TCharFormat& format) { format.Name = value; });
}

int TTextAttributes::Size() const {
    TRichEdit::TCharFormat format = FEdit.SelFormat();
    return format.Size == 0 ? FEdit.Font().Size() : format.Size;
}

void TTextAttributes::SetSize(int value) {
    FEdit.ChangeSelFormat([value](TRichEdit::TCharFormat& format) { format.Size = value; });
}

void TTextAttributes::Assign(const TFont& font) {
    FEdit.ChangeSelFormat([&font](TRichEdit::TCharFormat& format) {
        format = TRichEdit::TCharFormat{true,        font.Color(), true, font.Style().Bits(),
                                        font.Name(), font.Size()};
    });
}

// ---- Paragraph attributes

void TParaAttributes::SetFirstIndent(int value) {
    if (Change(FFirstIndent, value))
        FEdit.ApplyParagraph();
}

void TParaAttributes::SetLeftIndent(int value) {
    if (Change(FLeftIndent, value))
        FEdit.ApplyParagraph();
}

void TParaAttributes::SetRightIndent(int value) {
    if (Change(FRightIndent, value))
        FEdit.ApplyParagraph();
}

void TParaAttributes::SetTabCount(int value) {
    FTabs.resize(static_cast<size_t>(std::clamp(value, 0, MaxTabStops)), 0);
    FEdit.ApplyParagraph();
}

int TParaAttributes::Tab(int index) const {
    return index >= 0 && index < TabCount() ? FTabs[static_cast<size_t>(index)] : 0;
}

void TParaAttributes::SetTab(int index, int value) {
    if (index < 0 || index >= MaxTabStops)
        return;
    if (index >= TabCount())
        FTabs.resize(static_cast<size_t>(index) + 1, 0);
    FTabs[static_cast<size_t>(index)] = value;
    FEdit.ApplyParagraph();
}

int TParaAttributes::TabSpacing() const {
    int spacing = FTabs.size() >= 2   ? FTabs[1] - FTabs[0]
                  : FTabs.size() == 1 ? FTabs[0] - std::max(FFirstIndent, 0)
                                      : DefaultTabSpacing;
    return spacing > 0 ? spacing : DefaultTabSpacing;
}
