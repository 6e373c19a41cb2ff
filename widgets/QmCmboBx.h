#pragma once
// A combo box that finds an item as its first letters are typed, beeping at a key that matches
// none, and a font list built on it: the desktop's font families, by kind, each with a small
// picture of its kind.

#include "platform/Graphics.h"
#include "platform/StdCtrls.h"

#include <array>
#include <memory>

class TQmCustomComboBox : public TComboBox {
public:
    explicit TQmCustomComboBox(TComponent* AOwner);

    bool BeepOnInvalidKey() const { return FBeepOnInvalidKey; }
    void SetBeepOnInvalidKey(bool value) { FBeepOnInvalidKey = value; }
    // The first letters typed so far.
    const String& SearchText() const { return FSearchText; }

    // The first item that begins with text, case ignored; -1 for none and for an empty text.
    int FindPrefixItem(const String& text) const;

    // The selection in the edit part; positions run from 0 to 65535, others raise ERangeError.
    int EditSelStart() const { return SelStart(); }
    int EditSelLength() const { return SelLength(); }
    void SetEditSelStart(int position);
    void SetEditSelLength(int length);

    TNotifyEvent OnCloseUp;

protected:
    void WndProc(TMessage& Message) override;
    void NotifyCloseUp();

private:
    // The keys of a box without an edit part; true when the key went no further.
    bool ListKey(TMessage& Message);
    void ListChar(char key);
    void SearchList(const String& text);
    // The keys typed into the edit part; true when consumed.
    bool EditKeyDown(WORD key);
    bool EditChar(TMessage& Message);
    bool AutoComplete();
    void ReselectTail();
    void Unselect();
    void Beep() const;
    void KeyPressStep(char key);

    bool FBeepOnInvalidKey = true;
    String FSearchText;
    bool FCompleteAfterEdit = false;
};

enum TFontDevice { fdScreen, fdPrinter };
enum TFontType { ftAll, ftTrueType, ftFixedPitch, ftPrinter };

class TQmFontComboBox : public TQmCustomComboBox {
public:
    explicit TQmFontComboBox(TComponent* AOwner);
    ~TQmFontComboBox() override;

    TFontDevice FontDevice() const { return FFontDevice; }
    void SetFontDevice(TFontDevice value);
    TFontType FontType() const { return FFontType; }
    void SetFontType(TFontType value);
    // The chosen family, "" for none; setting chooses the item of that name, or none.
    String FontName() const { return Text(); }
    void SetFontName(const String& value);
    int FontSize() const { return FFontSize; }
    void SetFontSize(int value) { FFontSize = value; }
    TFontStyles FontStyle() const { return FFontStyle; }
    void SetFontStyle(TFontStyles value) { FFontStyle = value; }

    // The chosen family at FontSize and FontStyle, owned by the box; nullptr when none is chosen.
    TFont* SelectedFont();
    // The pitch-and-family bits of an item's family.
    uint8_t ItemKind(int index) const;
    // The picture of an item's kind: "QM_TRUETYPEFIXED", "QM_TRUETYPE", "QM_FIXEDPITCH",
    // "QM_PRINTER", or "" for none.
    String KindGlyphName(int index) const;

    void DrawItem(int index, const TRect& rect);

private:
    void RecreateWnd();
    void FillFontList();
    void LoadGlyphs();
    TBitmap* KindGlyph(int index);

    TFontDevice FFontDevice = fdScreen;
    TFontType FFontType = ftAll;
    int FFontSize = 8;
    TFontStyles FFontStyle;
    std::unique_ptr<TFont> FFont;
    std::array<std::unique_ptr<TBitmap>, 4> FGlyphs;
    TCanvas FCanvas;
};
