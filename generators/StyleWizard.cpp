#include "generators/StyleWizard.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "editor/HelpPointer.h"
#include "generators/CSSMain.h"
#include "platform/Events.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "tags/HTMLGlobal.h"
#include "tags/TagButtons.h"
#include "tags/TagInsertion.h"
#include "widgets/QmToolbars.h"

namespace {

const String StyleStart = "<STYLE";
const String StyleEnd = "</STYLE>";
const String HeadEnd = "</HEAD>";
const String CommentStart = "<!--";
const String CommentEnd = "-->";

// The rules of a block's text from "<STYLE" up to "</STYLE>": inside the comment when there is
// one, else after the start tag.
String BlockRules(const String& inner) {
    String rules = inner;
    if (size_t open = rules.find(CommentStart); open != String::npos) {
        rules.erase(0, open + CommentStart.size());
        if (size_t close = rules.find(CommentEnd); close != String::npos)
            rules.erase(close);
    } else if (size_t tagEnd = rules.find('>'); tagEnd != String::npos) {
        rules.erase(0, tagEnd + 1);
    }
    return Trim(rules);
}

} // namespace

TStyleBlock FindStyleBlock(const String& page) {
    const String upper = UpperCase(page);
    TStyleBlock block;
    size_t start = upper.find(StyleStart);
    if (start == String::npos)
        return block;
    size_t end = upper.find(StyleEnd, start + StyleStart.size());
    if (end == String::npos)
        return block;
    block.Found = true;
    block.Start = start;
    block.Length = end + StyleEnd.size() - start;
    block.Rules = BlockRules(page.substr(start, end - start));
    return block;
}

size_t NewStyleBlockPlace(const String& page) {
    return UpperCase(page).find(HeadEnd);
}

void TStyleWizard::Bind() {
    Form.TagButtons->StyleWizardButton->OnClick = Handler(this, &TStyleWizard::CSSButtonClick);
}

// The page stays as it is while the wizard is open, so Cancel, a closed window or a failure
// leaves it exactly as it was; only OK replaces the block the wizard was given.
void TStyleWizard::CSSButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::CSSButtonClick) || !Form.AnyDocumentOpen())
        return;
    TRichEdit* editor = Form.GetMemo(-1);
    TDialogGuard<TCSSMainForm> dialog(CSSMainForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    const TStyleBlock block = FindStyleBlock(editor->Text());
    if (block.Found) {
        dialog->OKButton->SetEnabled(true);
        dialog->AddStyleCheck->SetChecked(true);
        dialog->StyleMemo->SetText(block.Rules);
        dialog->StyleMemo->SetSelStart(static_cast<int>(block.Rules.size()));
    }
    if (dialog.ShowModal() != mrOk)
        return;
    PutStyleSheet(block, GlobalForm->ResultText);
}

void TStyleWizard::PutStyleSheet(const TStyleBlock& block, const String& styleSheet) {
    TRichEdit* editor = Form.GetMemo(-1);
    if (block.Found) {
        editor->SetSelStart(static_cast<int>(block.Start));
        editor->SetSelLength(static_cast<int>(block.Length));
        editor->SetSelText("");
        Form.TagInsertion->InsertWhole(styleSheet, "", 0);
        return;
    }
    size_t place = NewStyleBlockPlace(editor->Text());
    if (place == String::npos) {
        Form.TagInsertion->InsertWhole(styleSheet, "", 0);
        ShowMessage("The page has no HEAD section, so the style sheet was put in at the caret.");
        return;
    }
    editor->SetSelStart(static_cast<int>(place));
    editor->SetSelLength(0);
    Form.TagInsertion->InsertWhole(styleSheet + "\r\n", "", 0);
}
