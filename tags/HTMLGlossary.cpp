#include "tags/HTMLGlossary.h"

#include "editor/EditorPreferences.h"
#include "platform/RichEdit.h"

TGlossaryForm* GlossaryForm = nullptr;

TGlossaryForm::TGlossaryForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("GlossaryForm");
        SetCaption("Quiltmarker");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        GlossaryMemo = NewControl<TRichEdit>(this, this, "GlossaryMemo");
        GlossaryMemo->SetPlainText(true);
        GlossaryMemo->SetScrollBars(ssBoth);
        GlossaryMemo->SetWantTabs(true);
    });
    GlossaryEditor = GlossaryMemo;
}

TGlossaryForm::~TGlossaryForm() {
    if (GlossaryEditor == GlossaryMemo)
        GlossaryEditor = nullptr;
}
