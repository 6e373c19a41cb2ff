// Each dialog button of the tag bar opens its own dialog.

#include "ElementDialogSupport.h"
#include "widgets/QmToolbars.h"

#include <typeinfo>

using namespace ElementDialogSupport;

class DialogButtonsTest : public ElementDialogTest {};

TEST_F(DialogButtonsTest, EachDialogButtonOpensItsDialog) {
    OpenPage("<HTML><HEAD></HEAD><BODY>text</BODY></HTML>", 26, 4);
    const std::pair<TQmToolbarButton * THTMLEMainForm::*, const char*> buttons[] = {
        {&THTMLEMainForm::LinkButton, "LinkForm"},
        {&THTMLEMainForm::ImageButton, "ImageForm"},
        {&THTMLEMainForm::FaceButton, "HTMLFontTagForm"},
        {&THTMLEMainForm::BaseFontButton, "HTMLFontTagForm"},
        {&THTMLEMainForm::MailToButton, "MailToForm"},
        {&THTMLEMainForm::RuleButton, "RuleForm"},
        {&THTMLEMainForm::MetaButton, "HTMLMetaForm"},
        {&THTMLEMainForm::AppletButton, "AppletForm"},
        {&THTMLEMainForm::SoundButton, "SoundForm"},
        {&THTMLEMainForm::DivButton, "DivForm"},
        {&THTMLEMainForm::SpanButton, "DivForm"},
    };
    for (const auto& [member, formName] : buttons) {
        SCOPED_TRACE(formName);
        String shown;
        TestHooks::AnswerModal([&shown](TForm& form) {
            shown = form.Name();
            form.SetModalResult(mrCancel);
        });
        TestHooks::ClickMouse(*((*Main).*member), 3, 3, mbLeft, {});
        EXPECT_EQ(shown, formName);
    }
    EXPECT_EQ(PageText(), "<HTML><HEAD></HEAD><BODY>text</BODY></HTML>");
}
