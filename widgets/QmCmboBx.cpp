#include "widgets/QmCmboBx.h"

#include "platform/Forms.h"

#include <algorithm>

namespace {

constexpr int MaxEditPosition = 65535;
constexpr int GlyphSize = 12;
// The pixels of this colour in a kind picture show the item's background.
constexpr TColor GlyphTransparent = clOlive;
constexpr int MaxFaceName = 32;
constexpr int MaxSelectedFontName = 255;

enum TKindGlyph { kgTrueType, kgFixedPitch, kgTrueTypeFixed, kgPrinter };
const char* const KindGlyphNames[] = {"QM_TRUETYPE", "QM_FIXEDPITCH", "QM_TRUETYPEFIXED",
                                      "QM_PRINTER"};

bool IsSearchKey(WORD key) {
    return key == VK_ESCAPE || (key >= VK_PRIOR && key <= VK_DOWN);
}

} // namespace

// ---- TQmCustomComboBox

TQmCustomComboBox::TQmCustomComboBox(TComponent* AOwner) : TComboBox(AOwner) {}

int TQmCustomComboBox::FindPrefixItem(const String& text) const {
    if (text.empty())
        return -1;
    for (int i = 0; i < Items().Count(); ++i)
        if (SameText(Items().Get(i).substr(0, text.size()), text))
            return i;
    return -1;
}

void TQmCustomComboBox::SetEditSelStart(int position) {
    if (position < 0 || position > MaxEditPosition)
        throw ERangeError("Range check error");
    SetSelStart(position);
}

void TQmCustomComboBox::SetEditSelLength(int length) {
    if (length < 0 || EditSelStart() + length > MaxEditPosition)
        throw ERangeError("Range check error");
    SetSelLength(length);
}

void TQmCustomComboBox::NotifyCloseUp() {
    if (OnCloseUp)
        OnCloseUp(this);
}

void TQmCustomComboBox::Beep() const {
    if (FBeepOnInvalidKey)
        MessageBeep(0);
}

// The framework's own step for a character, which raises OnKeyPress.
void TQmCustomComboBox::KeyPressStep(char key) {
    KeyPress(key);
}

void TQmCustomComboBox::Unselect() {
    SetItemIndex(-1);
}

void TQmCustomComboBox::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_KEYDOWN:
        if (Style() == csDropDownList ? ListKey(Message)
                                      : EditKeyDown(static_cast<WORD>(Message.WParam))) {
            Message.WParam = 0;
            return;
        }
        break;
    case WM_CHAR:
        if (Style() == csDropDownList ? ListKey(Message) : EditChar(Message))
            return;
        break;
    case WM_LBUTTONDOWN:
        if (Style() == csDropDown)
            FSearchText = Text();
        break;
    case WM_KILLFOCUS:
        TComboBox::WndProc(Message);
        FSearchText.clear();
        return;
    case CN_COMMAND:
        TComboBox::WndProc(Message);
        if (HIWORD(Message.WParam) == CBN_CLOSEUP)
            NotifyCloseUp();
        else if (HIWORD(Message.WParam) == CBN_EDITCHANGE && FCompleteAfterEdit) {
            // A paste or a cut has changed the text: complete what is there now.
            FCompleteAfterEdit = false;
            FSearchText = Text();
            AutoComplete();
        }
        return;
    default:
        break;
    }
    TComboBox::WndProc(Message);
}

// ---- Keys of a box without an edit part

bool TQmCustomComboBox::ListKey(TMessage& Message) {
    if (Message.Msg == WM_KEYDOWN) {
        if (IsSearchKey(static_cast<WORD>(Message.WParam)))
            FSearchText.clear();
        return false;
    }
    ListChar(static_cast<char>(Message.WParam));
    return true;
}

void TQmCustomComboBox::ListChar(char key) {
    auto code = static_cast<unsigned char>(key);
    if (code >= 32) {
        SearchList(FSearchText + key);
    } else if (code == VK_BACK) {
        if (FSearchText.empty()) {
            Beep();
            SearchList(FSearchText);
            return;
        }
        FSearchText.pop_back();
        if (!FSearchText.empty()) {
            SearchList(FSearchText);
            return;
        }
        Unselect();
        Click();
        Change();
        FSearchText.clear();
        KeyPressStep(key);
    } else if (code == VK_ESCAPE) {
        Unselect();
        Click();
        Change();
    }
}

void TQmCustomComboBox::SearchList(const String& text) {
    int found = FindPrefixItem(text);
    if (found < 0) {
        Beep();
        return;
    }
    SetItemIndex(found);
    FSearchText = text;
    Click();
    Change();
    KeyPressStep(text.empty() ? '\0' : text.back());
}

// ---- Keys typed into the edit part

bool TQmCustomComboBox::EditKeyDown(WORD key) {
    switch (key) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
        FSearchText.clear();
        return false;
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_RIGHT:
        FSearchText = Text();
        return false;
    case 'V':
    case 'X':
        // A paste or a cut: the text it leaves is completed once the edit has changed.
        if (!CurrentShiftState().Contains(ssCtrl))
            return false;
        if (key == 'X' && Style() == csDropDown)
            ReselectTail();
        FCompleteAfterEdit = true;
        return false;
    case VK_DELETE:
        FSearchText = Text();
        FSearchText.erase(std::min<size_t>(SelStart(), FSearchText.size()),
                          std::max(SelLength(), 1));
        return AutoComplete();
    default:
        return false;
    }
}

bool TQmCustomComboBox::EditChar(TMessage& Message) {
    auto key = static_cast<char>(Message.WParam);
    auto code = static_cast<unsigned char>(key);
    if (code == VK_ESCAPE) {
        Unselect();
        FSearchText.clear();
        Click();
        Change();
        KeyPressStep(key);
        return true;
    }
    if (code == VK_BACK) {
        String text = FSearchText;
        if (text.empty()) {
            Beep();
        } else {
            size_t caret = std::min<size_t>(SelStart(), text.size());
            if (caret >= text.size())
                text.erase(caret - 1, 1);
            else if (SelLength() > 0)
                text.erase(caret, SelLength());
            else if (caret > 0)
                text.erase(caret - 1, 1);
            if (text.empty()) {
                Unselect();
                FSearchText.clear();
                Click();
                Change();
                KeyPressStep(key);
            }
        }
        FSearchText = text;
        return AutoComplete();
    }
    if (code < 32)
        return false;
    KeyPressStep(key);
    if (key == '\0')
        return true;
    size_t caret = std::min<size_t>(SelStart(), FSearchText.size());
    if (SelLength() > 0 && caret < FSearchText.size())
        FSearchText.erase(caret, SelLength());
    FSearchText.insert(caret, 1, key);
    if (AutoComplete())
        return true;
    // Typed as it is, without a second OnKeyPress.
    DefaultHandler(Message);
    return true;
}

bool TQmCustomComboBox::AutoComplete() {
    int found = FindPrefixItem(FSearchText);
    if (found < 0)
        return false;
    SetItemIndex(found);
    Click();
    Change();
    KeyPressStep('\0');
    SetEditSelStart(static_cast<int>(FSearchText.size()));
    SetEditSelLength(static_cast<int>(Items().Get(found).size() - FSearchText.size()));
    return true;
}

void TQmCustomComboBox::ReselectTail() {
    SetEditSelStart(static_cast<int>(std::min(FSearchText.size(), Text().size())));
    SetEditSelLength(static_cast<int>(Text().size()) - EditSelStart());
}

// ---- TQmFontComboBox

TQmFontComboBox::TQmFontComboBox(TComponent* AOwner)
    : TQmCustomComboBox(AOwner), FFont(std::make_unique<TFont>()) {
    SetStyle(csDropDownList);
    SetSorted(true);
    FFont->SetSize(8);
    DrawItemsWith(
        FCanvas, [this](int index, const TRect& rect) { DrawItem(index, rect); },
        std::max(FCanvas.TextHeight("Pp"), GlyphSize) + 2);
    LoadGlyphs();
    FillFontList();
}

TQmFontComboBox::~TQmFontComboBox() = default;

void TQmFontComboBox::LoadGlyphs() {
    for (size_t i = 0; i < FGlyphs.size(); ++i) {
        FGlyphs[i] = std::make_unique<TBitmap>();
        FGlyphs[i]->LoadFromResourceName(HInstance, KindGlyphNames[i]);
    }
}

void TQmFontComboBox::SetFontDevice(TFontDevice value) {
    if (::Change(FFontDevice, value))
        RecreateWnd();
}

void TQmFontComboBox::SetFontType(TFontType value) {
    if (::Change(FFontType, value))
        RecreateWnd();
}

void TQmFontComboBox::RecreateWnd() {
    Items().Clear();
    FillFontList();
}

// There is one set of fonts for the screen and the printer here. ftPrinter selects no family.
void TQmFontComboBox::FillFontList() {
    Items().BeginUpdate();
    for (const TFontFamily& family : Screen->FontFamilies()) {
        bool listed = FFontType == ftAll ||
                      (FFontType == ftTrueType && (family.PitchAndFamily & TMPF_TRUETYPE)) ||
                      (FFontType == ftFixedPitch && !(family.PitchAndFamily & TMPF_FIXED_PITCH));
        if (listed)
            Items().AddObject(family.Name.substr(0, MaxFaceName),
                              reinterpret_cast<TObject*>(uintptr_t{family.PitchAndFamily}));
    }
    Items().EndUpdate();
}

void TQmFontComboBox::SetFontName(const String& value) {
    SetItemIndex(Items().IndexOf(value));
}

TFont* TQmFontComboBox::SelectedFont() {
    if (ItemIndex() < 0)
        return nullptr;
    FFont->SetName(Items().Get(ItemIndex()).substr(0, MaxSelectedFontName));
    FFont->SetSize(FFontSize);
    FFont->SetStyle(FFontStyle);
    return FFont.get();
}

uint8_t TQmFontComboBox::ItemKind(int index) const {
    return static_cast<uint8_t>(reinterpret_cast<uintptr_t>(Items().GetObject(index)));
}

String TQmFontComboBox::KindGlyphName(int index) const {
    uint8_t kind = ItemKind(index) & 0x0F;
    bool trueType = kind & TMPF_TRUETYPE;
    bool fixedPitch = !(kind & TMPF_FIXED_PITCH);
    if (trueType && fixedPitch)
        return KindGlyphNames[kgTrueTypeFixed];
    if (trueType)
        return KindGlyphNames[kgTrueType];
    if (fixedPitch)
        return KindGlyphNames[kgFixedPitch];
    return FFontDevice == fdPrinter ? KindGlyphNames[kgPrinter] : "";
}

TBitmap* TQmFontComboBox::KindGlyph(int index) {
    String name = KindGlyphName(index);
    for (size_t i = 0; i < FGlyphs.size(); ++i)
        if (name == KindGlyphNames[i])
            return FGlyphs[i].get();
    return nullptr;
}

void TQmFontComboBox::DrawItem(int index, const TRect& rect) {
    FCanvas.FillRect(rect);
    const int itemHeight = rect.Height();
    TBitmap work;
    work.SetSize(GlyphSize, GlyphSize);
    // The canvas brush has the colour of the item's state: the highlight for the chosen item.
    TColor background = FCanvas.Brush().Color();
    work.Canvas().Brush().SetColor(background);
    work.Canvas().FillRect(Rect(0, 0, GlyphSize, GlyphSize));
    if (TBitmap* glyph = KindGlyph(index); glyph && !glyph->Empty())
        for (int y = 0; y < std::min(glyph->Height(), GlyphSize); ++y)
            for (int x = 0; x < std::min(glyph->Width(), GlyphSize); ++x)
                if (TColor pixel = glyph->PixelAt(x, y); pixel != GlyphTransparent)
                    work.Canvas().SetPixels(x, y, pixel);
    FCanvas.Draw(rect.Left + 4, rect.Top + (itemHeight - GlyphSize) / 2, work);
    if (!Enabled())
        FCanvas.Font().SetColor(clGrayText);
    FCanvas.TextOut(rect.Left + 24, rect.Top + (itemHeight - FCanvas.TextHeight("Pp")) / 2,
                    Items().Get(index));
}
