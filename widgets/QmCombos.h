#pragma once
// Combo boxes that draw their own items: a base whose item height follows its font, and a colour
// picker listing the sixteen standard colours, each as a swatch beside its name. In an editable
// style a colour can also be typed, by name or as a number.

#include "platform/Graphics.h"
#include "platform/StdCtrls.h"

#include <memory>

// csSimple has no form of its own here: it edits like csDropDown.
using TOwnerDrawComboStyle = TComboBoxStyle;

class TOwnerDrawComboBox : public TComboBox {
public:
    explicit TOwnerDrawComboBox(TComponent* AOwner);

    TOwnerDrawComboStyle Style() const { return TComboBox::Style(); }
    void SetStyle(TOwnerDrawComboStyle value);

    using TComboBox::ItemHeight;
    // The text height of the font plus one pixel, never below 9.
    int ItemHeightForFont();
    void ApplyItemHeight();

protected:
    // Builds what the box shows; run again whenever the box is re-created.
    virtual void CreateWnd();
    void RecreateWnd() { CreateWnd(); }
    // Draws the item at index in rect on Canvas, whose brush has the colour of the item's state.
    virtual void DrawItem(int index, const TRect& rect) = 0;
    void WndProc(TMessage& Message) override;
    TCanvas& Canvas() { return FCanvas; }

private:
    TCanvas FCanvas;
};

class TColorComboBox : public TOwnerDrawComboBox {
public:
    explicit TColorComboBox(TComponent* AOwner);
    ~TColorComboBox() override;

    // The chosen colour. In an editable style with no item chosen, the typed text counts: an
    // item's name, else a number (decimal, or hexadecimal after "$", "x" or "0x").
    TColor ColorValue() const;
    void SetColorValue(TColor value);
    // Names that replace the standard ones by position; an empty or missing line keeps it.
    TStrings& ColorNames() { return *FColorNames; }
    void SetColorNames(const TStrings& value);
    bool DisplayNames() const { return FDisplayNames; }
    void SetDisplayNames(bool value);

    // The colour an item stands for.
    TColor ItemColor(int index) const;

    void Click() override;
    void DrawItem(int index, const TRect& rect) override;

protected:
    void CreateWnd() override;
    void Change() override;

private:
    void FillColorList();
    void ColorNamesChanged(TObject* Sender);
    void NotifyChange();

    TColor FColorValue = clBlack;
    std::unique_ptr<TStringList> FColorNames;
    bool FDisplayNames = true;
};
