#include "widgets/QmCombos.h"

#include "platform/Events.h"

#include <algorithm>
#include <array>

namespace {

struct TStandardColour {
    TColor Color;
    const char* Name;
};

const std::array<TStandardColour, 16> StandardColours = {{
    {clBlack, "Black"},
    {clMaroon, "Maroon"},
    {clGreen, "Green"},
    {clOlive, "Olive"},
    {clNavy, "Navy"},
    {clPurple, "Purple"},
    {clTeal, "Teal"},
    {clGray, "Gray"},
    {clSilver, "Silver"},
    {clRed, "Red"},
    {clLime, "Lime"},
    {clYellow, "Yellow"},
    {clBlue, "Blue"},
    {clFuchsia, "Fuchsia"},
    {clAqua, "Aqua"},
    {clWhite, "White"},
}};

// The item's data holds its colour, as the framework keeps a number in an item's object.
TObject* ColourData(TColor colour) {
    return reinterpret_cast<TObject*>(static_cast<uintptr_t>(colour));
}

// A colour typed as a number: decimal, or hexadecimal after "$", "x" or "0x".
bool ParseColourNumber(const String& text, TColor& colour) {
    String number = text;
    if (!number.empty() && (number[0] == 'x' || number[0] == 'X'))
        number = "$" + number.substr(1);
    int value = 0;
    if (!TryStrToInt(number, value))
        return false;
    colour = static_cast<TColor>(value);
    return true;
}

} // namespace

// ---- TOwnerDrawComboBox

TOwnerDrawComboBox::TOwnerDrawComboBox(TComponent* AOwner) : TComboBox(AOwner) {
    TComboBox::SetStyle(csDropDownList);
    DrawItemsWith(
        FCanvas, [this](int index, const TRect& rect) { DrawItem(index, rect); },
        ItemHeightForFont());
}

void TOwnerDrawComboBox::SetStyle(TOwnerDrawComboStyle value) {
    if (value == Style())
        return;
    TComboBox::SetStyle(value);
    RecreateWnd();
}

int TOwnerDrawComboBox::ItemHeightForFont() {
    TCanvas screen;
    screen.Font().Assign(Font());
    return std::max(screen.TextHeight("Pp") + 1, 9);
}

void TOwnerDrawComboBox::ApplyItemHeight() {
    SetItemHeight(ItemHeightForFont());
}

void TOwnerDrawComboBox::CreateWnd() {
    ApplyItemHeight();
}

void TOwnerDrawComboBox::WndProc(TMessage& Message) {
    TComboBox::WndProc(Message);
    if (Message.Msg == CM_FONTCHANGED) {
        ApplyItemHeight();
        RecreateWnd();
    }
}

// ---- TColorComboBox

TColorComboBox::TColorComboBox(TComponent* AOwner)
    : TOwnerDrawComboBox(AOwner), FColorNames(std::make_unique<TStringList>()) {
    FColorNames->OnChange = Handler(this, &TColorComboBox::ColorNamesChanged);
    CreateWnd();
}

TColorComboBox::~TColorComboBox() {
    FColorNames->OnChange = nullptr;
}

void TColorComboBox::CreateWnd() {
    TOwnerDrawComboBox::CreateWnd();
    FillColorList();
    SetColorValue(FColorValue);
}

void TColorComboBox::FillColorList() {
    Items().BeginUpdate();
    Items().Clear();
    for (int i = 0; i < std::ssize(StandardColours); ++i) {
        String name = i < FColorNames->Count() ? FColorNames->Get(i) : String();
        if (name.empty())
            name = StandardColours[i].Name;
        Items().AddObject(name, ColourData(StandardColours[i].Color));
    }
    Items().EndUpdate();
}

TColor TColorComboBox::ItemColor(int index) const {
    return static_cast<TColor>(reinterpret_cast<uintptr_t>(Items().GetObject(index)));
}

TColor TColorComboBox::ColorValue() const {
    if (Style() == csDropDownList || ItemIndex() >= 0)
        return FColorValue;
    const String text = Text();
    int named = Items().IndexOf(text);
    if (named >= 0)
        return ItemColor(named);
    TColor typed = FColorValue;
    return ParseColourNumber(text, typed) ? typed : FColorValue;
}

void TColorComboBox::SetColorValue(TColor value) {
    if (ItemIndex() >= 0 && value == FColorValue)
        return;
    FColorValue = value;
    for (int i = 0; i < Items().Count(); ++i)
        if (ItemColor(i) == value) {
            if (ItemIndex() != i)
                SetItemIndex(i);
            NotifyChange();
            return;
        }
    if (Style() == csDropDownList) {
        SetItemIndex(-1);
    } else {
        String ident = ColorToString(value);
        SetText(ident.starts_with("cl") ? ident.substr(2) : ident);
    }
    NotifyChange();
}

void TColorComboBox::SetColorNames(const TStrings& value) {
    FColorNames->Assign(value);
}

void TColorComboBox::ColorNamesChanged(TObject* /*Sender*/) {
    FColorValue = ColorValue();
    RecreateWnd();
}

void TColorComboBox::SetDisplayNames(bool value) {
    if (::Change(FDisplayNames, value))
        Invalidate();
}

void TColorComboBox::NotifyChange() {
    if (!IsLoading() && OnChange)
        OnChange(this);
}

void TColorComboBox::Click() {
    if (ItemIndex() >= 0)
        SetColorValue(ItemColor(ItemIndex()));
    TOwnerDrawComboBox::Click();
}

// Typing in an editable style changes the colour only when the text reads as another one; a text
// that reads exactly as an item's name has chosen that item.
void TColorComboBox::Change() {
    TColor typed = ItemIndex() >= 0 ? ItemColor(ItemIndex()) : ColorValue();
    if (typed == FColorValue)
        return;
    FColorValue = typed;
    NotifyChange();
}

void TColorComboBox::DrawItem(int index, const TRect& rect) {
    TCanvas& canvas = Canvas();
    canvas.FillRect(rect);
    TRect swatch{rect.Left + 2, rect.Top + 2, FDisplayNames ? rect.Left + 24 : rect.Right - 3,
                 rect.Bottom - 2};
    TColor brush = canvas.Brush().Color();
    canvas.Pen().SetColor(clWindowText);
    canvas.Brush().SetColor(ItemColor(index));
    canvas.Rectangle(swatch);
    canvas.Brush().SetColor(brush);
    if (!FDisplayNames)
        return;
    const String name = Items().Get(index);
    const int left = rect.Left + 28;
    canvas.TextRect(TRect{left, rect.Top, rect.Right, rect.Bottom}, left,
                    rect.Top + (rect.Height() - canvas.TextHeight(name)) / 2, name);
}
