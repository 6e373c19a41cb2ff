#pragma once
// Table from text: the dialog that asks for the separators and options, and the steps that turn
// selected lines into marked text and marked text into a TABLE element.

#include "platform/Forms.h"

#include <vector>

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;

class TTextToTableForm : public TForm {
public:
    explicit TTextToTableForm(TComponent* AOwner);

    TEdit* ColSepEdit = nullptr;
    TEdit* RAColSepEdit = nullptr;
    TEdit* CAColSepEdit = nullptr;
    TEdit* NoBreakSymbolEdit = nullptr;
    TComboBox* VertAlignCombo = nullptr;
    TCheckBox* TopIsTemplateCheck = nullptr;
    TCheckBox* HeaderCheck = nullptr;
    TCheckBox* CompactFormatCheck = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;

    void OKButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);
    void TopIsTemplateCheckClick(TObject* Sender);
};

extern TTextToTableForm* TextToTableForm;

// The separators and options that the dialog gives.
struct TTextTableOptions {
    char Left = '#';
    char Right = ']';
    char Centre = '[';
    char NoBreak = '~';
    String VertAlign = "MIDDLE";
    bool Header = false;

    bool IsSeparator(char c) const { return c == Left || c == Right || c == Centre; }
    // The dialog's choices; an empty edit gives its default character.
    static TTextTableOptions From(const TTextToTableForm& form);
};

// The lines of a text; CR LF, a lone LF and a lone CR each end a line.
std::vector<String> TextLines(const String& text);
// The selection as the command works on it: empty lines at both ends dropped, inner empty lines
// a single blank, joined with CR LF; empty when nothing is left.
String TableSourceText(const String& selected);
// The first line that holds more than blanks, trimmed; empty when there is none.
String PatternLineOf(const String& text);
// Whether a line follows the pattern line (the first that holds more than blanks).
bool HasLinesUnderPattern(const String& text);
// The lines after the pattern line, rebuilt cell by cell with the pattern's marks. False when
// there is no line after the pattern line.
bool ConvertByPattern(String& text, const TTextTableOptions& options);
// Every line trimmed and begun with a separator: the marked text.
String MarkedText(const String& text, const TTextTableOptions& options);
// The marked text as a TABLE element, rows indented with indent.
String TableFromMarkedText(const String& marked, const TTextTableOptions& options,
                           const String& indent);
