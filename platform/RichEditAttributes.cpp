#include "platform/RichEdit.h"
#include "platform/RichEditPeer.h"

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

// ---- The formatting of single bytes, and marks

TColor TRichEdit::ColorAt(int position) const {
    TCharFormat format = FormatAt(position);
    return format.HasColor ? format.Color : Font().Color();
}

TFontStyles TRichEdit::StyleAt(int position) const {
    TCharFormat format = FormatAt(position);
    return format.HasStyle ? TFontStyles::FromBits(format.StyleBits) : Font().Style();
}

bool TRichEdit::ShowMarks() const {
    return Sci().ViewWS() != TSciWhiteSpace::Invisible;
}

void TRichEdit::SetShowMarks(bool value) {
    Sci().SetViewWS(value ? TSciWhiteSpace::VisibleAlways : TSciWhiteSpace::Invisible);
    Sci().SetViewEOL(value);
    ApplyMarksColor();
}

void TRichEdit::ApplyMarksColor() {
    Sci().SetWhitespaceFore(true, ColorToRGB(Font().Color()));
}

// ---- Formatting many runs

TRunFormatter::TRunFormatter(TRichEdit& edit, int start, int end)
    : FEdit(edit), FStart(std::clamp(start, 0, edit.GetTextLen())),
      FStyles(edit.Sci().StylesOf(FStart, std::clamp(end, FStart, edit.GetTextLen()))),
      FGeneration(edit.FStyleGeneration) {
    FEdit.FPendingStyles = &FStyles;
}

TRunFormatter::TRunFormatter(TRichEdit& edit, int start, int end, TColor color, TFontStyles style)
    : FEdit(edit), FStart(std::clamp(start, 0, edit.GetTextLen())),
      FGeneration(edit.FStyleGeneration) {
    FEdit.FPendingStyles = &FStyles;
    int stop = std::clamp(end, FStart, edit.GetTextLen());
    if (FEdit.FormatsKeepFont()) {
        TRichEdit::TCharFormat format{true, color, true, style.Bits(), "", 0};
        FStyles.assign(static_cast<size_t>(stop - FStart),
                       static_cast<char>(FEdit.StyleFor(format)));
    } else {
        FStyles = FEdit.Sci().StylesOf(FStart, stop);
        Format(FStart, stop, color, style);
    }
}

bool TRichEdit::FormatsKeepFont() const {
    return std::all_of(FStyles.begin(), FStyles.end(), [](const auto& entry) {
        return entry.first.Name.empty() && entry.first.Size == 0;
    });
}

TRunFormatter::~TRunFormatter() {
    Apply();
}

void TRunFormatter::Apply() {
    if (FApplied)
        return;
    FApplied = true;
    FEdit.FPendingStyles = nullptr;
    if (!FStyles.empty())
        FEdit.Sci().SetStylesOf(FStart, FStyles);
}

TRunFormatter::TMapping& TRunFormatter::MappingFor(TColor color, uint64_t styleBits) {
    for (TMapping& mapping : FMappings)
        if (mapping.Color == color && mapping.StyleBits == styleBits)
            return mapping;
    TMapping& mapping = FMappings.emplace_back(TMapping{color, styleBits, {}});
    mapping.Styles.fill(-1);
    return mapping;
}

short TRunFormatter::NewStyle(TMapping& mapping, unsigned char old) {
    if (mapping.Styles[old] < 0) {
        TRichEdit::TCharFormat format = FEdit.FormatOf(old);
        format.HasColor = true;
        format.Color = mapping.Color;
        format.HasStyle = true;
        format.StyleBits = mapping.StyleBits;
        int style = FEdit.StyleFor(format);
        // Numbers given back while finding a free one may stand for other formats now.
        if (FEdit.FStyleGeneration != FGeneration) {
            FGeneration = FEdit.FStyleGeneration;
            for (TMapping& each : FMappings)
                each.Styles.fill(-1);
        }
        mapping.Styles[old] = static_cast<short>(style);
    }
    return mapping.Styles[old];
}

void TRunFormatter::Format(int start, int end, TColor color, TFontStyles style) {
    int from = std::max(start - FStart, 0);
    int to = std::min(end - FStart, static_cast<int>(FStyles.size()));
    if (from >= to || FApplied)
        return;
    TMapping& mapping = MappingFor(color, style.Bits());
    for (int i = from; i < to; ++i) {
        char& cell = FStyles[static_cast<size_t>(i)];
        auto old = static_cast<unsigned char>(cell);
        short known = mapping.Styles[old];
        cell = static_cast<char>(known >= 0 ? known : NewStyle(mapping, old));
    }
}
