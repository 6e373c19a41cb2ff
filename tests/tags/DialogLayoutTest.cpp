// Every element dialog lays its controls out inside their frames, so that no control is cut off:
// each lies within its parent's client area.

#include "ElementDialogSupport.h"
#include "platform/Controls.h"
#include "tags/HTMLAppletForm.h"
#include "tags/HTMLAttForm.h"
#include "tags/HTMLBodyForm.h"
#include "tags/HTMLDivForm.h"
#include "tags/HTMLFontTag.h"
#include "tags/HTMLFormForm.h"
#include "tags/HTMLFrameWizForm1.h"
#include "tags/HTMLGlossary.h"
#include "tags/HTMLIFrame.h"
#include "tags/HTMLImage.h"
#include "tags/HTMLLink.h"
#include "tags/HTMLListForm.h"
#include "tags/HTMLMailToForm.h"
#include "tags/HTMLMeta.h"
#include "tags/HTMLRuleForm.h"
#include "tags/HTMLSelectForm.h"
#include "tags/HTMLSizeForm.h"
#include "tags/HTMLSoundForm.h"
#include "tags/UserDefForm.h"

#include <memory>

using namespace ElementDialogSupport;

namespace {

class DialogLayoutTest : public ElementDialogTest {};

// The names of the controls that pass their parent's client area on the form.
String ControlsCutOff(const TForm& form) {
    String cut;
    for (int i = 0; i < form.ComponentCount(); ++i) {
        auto* control = dynamic_cast<TControl*>(form.Components(i));
        if (!control || !control->Parent())
            continue;
        const TWinControl* parent = control->Parent();
        if (control->Left() < 0 || control->Top() < 0 ||
            control->Left() + control->Width() > parent->ClientWidth() ||
            control->Top() + control->Height() > parent->ClientHeight())
            cut += control->Name() + " ";
    }
    return cut;
}

template <typename TDialog> std::unique_ptr<TForm> Make() {
    return std::make_unique<TDialog>(nullptr);
}

} // namespace

TEST_F(DialogLayoutTest, NoControlPassesItsParentsClientArea) {
    const std::pair<const char*, std::unique_ptr<TForm> (*)()> dialogs[] = {
        {"link", Make<TLinkForm>},
        {"image", Make<TImageForm>},
        {"font", Make<THTMLFontTagForm>},
        {"mailto", Make<TMailToForm>},
        {"rule", Make<TRuleForm>},
        {"META", Make<THTMLMetaForm>},
        {"list", Make<TListForm>},
        {"attribute", Make<TAttForm>},
        {"applet", Make<TAppletForm>},
        {"sound", Make<TSoundForm>},
        {"DIV", Make<TDivForm>},
        {"glossary", Make<TGlossaryForm>},
        {"user button", Make<THTMLEUserDefForm>},
        {"FORM", Make<TFormForm>},
        {"form control", Make<TSizeForm>},
        {"drop-down list", Make<TSelectForm>},
        {"BODY", Make<TBodyForm>},
        {"frames", Make<TFrameWizForm>},
        {"inline frame", Make<TIFrameForm>},
    };
    for (const auto& [name, make] : dialogs) {
        SCOPED_TRACE(name);
        std::unique_ptr<TForm> form = make();
        EXPECT_EQ(ControlsCutOff(*form), "");
    }
}
