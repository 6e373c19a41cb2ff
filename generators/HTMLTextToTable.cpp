#include "generators/HTMLTextToTable.h"

#include "editor/CorvaletForm.h"
#include "generators/TableHTML.h"
#include "platform/Events.h"
#include "platform/StdCtrls.h"

TTextToTableForm* TextToTableForm = nullptr;

namespace {

constexpr int MaxPatternColumns = 50;

TEdit* AddSeparatorEdit(TTextToTableForm* form, const String& name, const String& caption,
                        const String& value, int top) {
    auto* label = NewControl<TLabel>(form, form, "", 8, top + 4, 200, 13);
    label->SetCaption(caption);
    auto* edit = NewControl<TEdit>(form, form, name, 216, top, 30, 21);
    edit->SetText(value);
    return edit;
}

TCheckBox* AddCheck(TTextToTableForm* form, const String& name, const String& caption, int top,
                    bool checked) {
    auto* check = NewControl<TCheckBox>(form, form, name, 8, top, 240, 17);
    check->SetCaption(caption);
    check->SetChecked(checked);
    return check;
}

char FirstCharOr(const TEdit* edit, char fallback) {
    return edit->Text().empty() ? fallback : edit->Text()[0];
}

bool IsBlank(char c) {
    return IsBlankChar(c);
}

// Characters of 32 and less, blanks and control characters, at both ends.
String TrimControls(const String& line) {
    size_t start = 0;
    size_t end = line.size();
    while (start < end && static_cast<unsigned char>(line[start]) <= 32)
        ++start;
    while (end > start && static_cast<unsigned char>(line[end - 1]) <= 32)
        --end;
    return line.substr(start, end - start);
}

void CutTrailingBlanks(String& text) {
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32)
        text.pop_back();
}

struct TPatternMark {
    char Mark;
    bool NoBreak;
};

std::vector<TPatternMark> ReadPattern(const String& pattern, const TTextTableOptions& options) {
    std::vector<TPatternMark> marks;
    size_t pos = 0;
    while (pos < pattern.size() && static_cast<int>(marks.size()) < MaxPatternColumns) {
        TPatternMark mark{pattern[pos], false};
        if (pos + 1 < pattern.size() && pattern[pos + 1] == options.NoBreak) {
            mark.NoBreak = true;
            ++pos;
        }
        marks.push_back(mark);
        ++pos;
        while (pos < pattern.size() && IsBlank(pattern[pos]))
            ++pos;
    }
    return marks;
}

// One line rebuilt with a separator before each cell; cells end at a tab or two blanks.
String RebuildLine(const String& line, const std::vector<TPatternMark>& marks,
                   const TTextTableOptions& options) {
    String out;
    size_t pos = 0;
    size_t column = 0;
    while (pos < line.size()) {
        out += '\t';
        if (options.IsSeparator(line[pos])) {
            out += line[pos++];
            if (pos < line.size() && line[pos] == options.NoBreak)
                out += line[pos++];
        } else if (column < marks.size()) {
            out += marks[column].Mark;
            if (marks[column].NoBreak)
                out += options.NoBreak;
        } else
            out += options.Left; // a cell beyond the pattern's columns
        ++column;
        while (pos < line.size() && line[pos] != '\t' &&
               !(IsBlank(line[pos]) && pos + 1 < line.size() && IsBlank(line[pos + 1])))
            out += line[pos++];
        while (pos < line.size() && IsBlank(line[pos]))
            ++pos;
    }
    return out + "\r\n";
}

class TTableGenerator {
public:
    TTableGenerator(const String& marked, const TTextTableOptions& options, const String& indent)
        : FText(TrimTrailingBlanks(marked)), FOptions(options), FIndent(indent) {
        FRowStart = FIndent + "<TR" +
                    (FOptions.VertAlign != "MIDDLE" ? " VALIGN=" + FOptions.VertAlign : "") +
                    "><TD";
    }

    String Generate() {
        FOut.reserve(FText.size() * 2 + 64);
        FOut = "<TABLE>";
        FHeading = FOptions.Header;
        FOut += FHeading ? FIndent + "<TR><TH" : FRowStart;
        StartRow(true);
        while (FPos < FText.size()) {
            char c = FText[FPos];
            if (FOptions.IsSeparator(c))
                NextCell(c);
            else if (c == '\n') {
                CutTrailingBlanks(FOut);
                FOut += FHeading ? "</TH>" : "</TD>";
                FOut += "</TR>\r\n";
                FOut += FRowStart;
                FHeading = false;
                ++FPos;
                StartRow(false);
            } else {
                if (c != '\r')
                    FOut += c;
                ++FPos;
            }
        }
        FOut += FHeading ? "</TH>" : "</TD>";
        return FOut + "</TR>\r\n</TABLE>\r\n";
    }

private:
    String FText;
    const TTextTableOptions& FOptions;
    String FIndent;
    String FRowStart;
    String FOut;
    size_t FPos = 0;
    bool FHeading = false;

    bool At(char c) const { return FPos < FText.size() && FText[FPos] == c; }
    void SkipBlanksAndTabs() {
        while (At(' ') || At('\t'))
            ++FPos;
    }
    // A no-break cell becomes the designer's no-wrap mark.
    void TakeNoBreak() {
        if (At(FOptions.NoBreak)) {
            FOut += " NOWRAP";
            ++FPos;
        }
    }
    void StartRow(bool first) {
        if (first)
            SkipBlanksAndTabs();
        if (At(FOptions.Left))
            ++FPos;
        if (At(FOptions.Right)) {
            FOut += " ALIGN=RIGHT";
            ++FPos;
        } else if (At(FOptions.Centre)) {
            FOut += " ALIGN=CENTER";
            ++FPos;
        }
        TakeNoBreak();
        FOut += ">";
    }
    void NextCell(char separator) {
        CutTrailingBlanks(FOut);
        FOut += FHeading ? "</TH><TH" : "</TD><TD";
        if (separator == FOptions.Right)
            FOut += " ALIGN=RIGHT";
        else if (separator == FOptions.Centre)
            FOut += " ALIGN=CENTER";
        ++FPos;
        TakeNoBreak();
        FOut += ">";
        SkipBlanksAndTabs();
    }
};

} // namespace

TTextToTableForm::TTextToTableForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("TextToTableForm");
        SetCaption("Quiltmarker - Text to Table");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(270);
        SetClientHeight(260);
        ColSepEdit = AddSeparatorEdit(this, "ColSepEdit", "&Left-align column separator", "#", 8);
        RAColSepEdit =
            AddSeparatorEdit(this, "RAColSepEdit", "&Right-align column separator", "]", 34);
        CAColSepEdit =
            AddSeparatorEdit(this, "CAColSepEdit", "&Centre-align column separator", "[", 60);
        NoBreakSymbolEdit =
            AddSeparatorEdit(this, "NoBreakSymbolEdit", "&Non-breaking symbol", "~", 86);
        auto* label = NewControl<TLabel>(this, this, "", 8, 116, 120, 13);
        label->SetCaption("&Vertical alignment");
        VertAlignCombo = NewControl<TComboBox>(this, this, "VertAlignCombo", 150, 112, 96, 21);
        for (const char* item : {"TOP", "MIDDLE", "BOTTOM", "BASELINE"})
            VertAlignCombo->Items().Add(item);
        VertAlignCombo->SetText("MIDDLE");
        TopIsTemplateCheck =
            AddCheck(this, "TopIsTemplateCheck", "Use top row as &pattern", 142, false);
        TopIsTemplateCheck->OnClick = Handler(this, &TTextToTableForm::TopIsTemplateCheckClick);
        HeaderCheck = AddCheck(this, "HeaderCheck", "Top row of table is &header", 164, false);
        CompactFormatCheck = AddCheck(this, "CompactFormatCheck", "C&ompact format", 186, true);
        OKButton = NewControl<TButton>(this, this, "OKButton", 90, 224, 75, 25);
        OKButton->SetCaption("OK");
        OKButton->SetDefault(true);
        OKButton->OnClick = Handler(this, &TTextToTableForm::OKButtonClick);
        CancelButton = NewControl<TButton>(this, this, "CancelButton", 172, 224, 75, 25);
        CancelButton->SetCaption("Cancel");
        CancelButton->SetCancel(true);
        CancelButton->OnClick = Handler(this, &TTextToTableForm::CancelButtonClick);
    });
}

void TTextToTableForm::OKButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrOk);
}

void TTextToTableForm::CancelButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrCancel);
}

void TTextToTableForm::TopIsTemplateCheckClick(TObject* /*Sender*/) {
    HeaderCheck->SetCaption(TopIsTemplateCheck->Checked() ? "2nd row is &header"
                                                          : "Top row of table is &header");
}

TTextTableOptions TTextTableOptions::From(const TTextToTableForm& form) {
    TTextTableOptions options;
    options.Left = FirstCharOr(form.ColSepEdit, '#');
    options.Right = FirstCharOr(form.RAColSepEdit, ']');
    options.Centre = FirstCharOr(form.CAColSepEdit, '[');
    options.NoBreak = FirstCharOr(form.NoBreakSymbolEdit, '~');
    options.VertAlign = form.VertAlignCombo->Text();
    options.Header = form.HeaderCheck->Checked();
    return options;
}

std::vector<String> TextLines(const String& text) {
    std::vector<String> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    lines.push_back(text.substr(start));
    return lines;
}

String TableSourceText(const String& selected) {
    std::vector<String> lines = TextLines(selected);
    size_t first = 0;
    size_t last = lines.size();
    while (first < last && lines[first].empty())
        ++first;
    while (last > first && lines[last - 1].empty())
        --last;
    String text;
    for (size_t i = first; i < last; ++i) {
        if (i > first)
            text += "\r\n";
        text += lines[i].empty() ? String(" ") : lines[i];
    }
    return text;
}

String PatternLineOf(const String& text) {
    for (const String& line : TextLines(text)) {
        String trimmed = TrimControls(line);
        if (!trimmed.empty())
            return trimmed;
    }
    return "";
}

namespace {

// The index of the pattern line: the first line that holds more than blanks.
size_t PatternLineIndex(const std::vector<String>& lines) {
    size_t first = 0;
    while (first < lines.size() && TrimControls(lines[first]).empty())
        ++first;
    return first;
}

} // namespace

bool HasLinesUnderPattern(const String& text) {
    std::vector<String> lines = TextLines(text);
    return lines.size() - PatternLineIndex(lines) >= 2;
}

bool ConvertByPattern(String& text, const TTextTableOptions& options) {
    std::vector<String> lines = TextLines(text);
    size_t first = PatternLineIndex(lines);
    if (lines.size() - first < 2)
        return false;
    std::vector<TPatternMark> marks = ReadPattern(TrimControls(lines[first]), options);
    String rebuilt;
    for (size_t i = first + 1; i < lines.size(); ++i)
        rebuilt += RebuildLine(TrimControls(lines[i]), marks, options);
    text = rebuilt;
    return true;
}

String MarkedText(const String& text, const TTextTableOptions& options) {
    String marked;
    std::vector<String> lines = TextLines(text);
    // A text that ends with a line break has no further row after it.
    if (lines.size() > 1 && lines.back().empty())
        lines.pop_back();
    for (size_t i = 0; i < lines.size(); ++i) {
        String line = TrimControls(lines[i]);
        if (line.empty())
            line = " ";
        if (!options.IsSeparator(line[0]))
            line.insert(line.begin(), options.Left);
        if (i > 0)
            marked += "\r\n";
        marked += line;
    }
    return marked;
}

String TableFromMarkedText(const String& marked, const TTextTableOptions& options,
                           const String& indent) {
    return TTableGenerator(marked, options, indent).Generate();
}
