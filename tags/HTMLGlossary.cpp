#include "tags/HTMLGlossary.h"

#include "platform/RichEdit.h"

TGlossaryForm* GlossaryForm = nullptr;

TGlossaryForm::TGlossaryForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("GlossaryForm");
        SetCaption("Quiltmarker");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        GlossaryMemo = new TRichEdit(this);
        GlossaryMemo->SetName("GlossaryMemo");
        GlossaryMemo->SetParent(this);
        GlossaryMemo->SetPlainText(true);
        GlossaryMemo->SetScrollBars(ssBoth);
        GlossaryMemo->SetWantTabs(true);
    });
}
