#include "editor/PageLayout.h"

#include "platform/Registry.h"
#include "platform/RichEdit.h"
#include "services/ProgramSettings.h"

TPageLayout ReadPageLayout(const TRegistry& reg) {
    TPageLayout layout;
    ReadSetting(reg, "Left Margin", layout.LeftMargin);
    ReadSetting(reg, "Left Indent", layout.LeftIndent);
    ReadSetting(reg, "Right Margin", layout.RightMargin);
    ReadSetting(reg, "TabWidth", layout.TabWidth);
    return layout;
}

TPageLayout StoredPageLayout() {
    TRegistry reg;
    return reg.OpenKey(ProductKey, false) ? ReadPageLayout(reg) : TPageLayout();
}

void SetParagraphIndents(TRichEdit* editor, const TPageLayout& layout) {
    editor->Paragraph().SetFirstIndent(layout.LeftMargin);
    editor->Paragraph().SetLeftIndent(layout.LeftIndent);
    editor->Paragraph().SetRightIndent(layout.RightMargin);
}

void SetPageWordWrap(TRichEdit* editor, bool wrap) {
    editor->SetWordWrap(wrap);
    editor->SetScrollBars(wrap ? ssVertical : ssBoth);
}
