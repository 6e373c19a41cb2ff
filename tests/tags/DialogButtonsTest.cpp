// Each dialog button of the tag bar opens its own dialog.

#include "ElementDialogSupport.h"
#include "tags/HTMLGlossary.h"
#include "tags/TagButtons.h"
#include "widgets/QmToolbars.h"

#include <typeinfo>

using namespace ElementDialogSupport;

class DialogButtonsTest : public ElementDialogTest {};

TEST_F(DialogButtonsTest, EachDialogButtonOpensItsDialog) {
    OpenPage("<HTML><HEAD></HEAD><BODY>text</BODY></HTML>", 26, 4);
    const std::pair<TQmToolbarButton * TTagButtons::*, const char*> buttons[] = {
        {&TTagButtons::LinkButton, "LinkForm"},
        {&TTagButtons::ImageButton, "ImageForm"},
        {&TTagButtons::FaceButton, "HTMLFontTagForm"},
        {&TTagButtons::BaseFontButton, "HTMLFontTagForm"},
        {&TTagButtons::MailToButton, "MailToForm"},
        {&TTagButtons::RuleButton, "RuleForm"},
        {&TTagButtons::MetaButton, "HTMLMetaForm"},
        {&TTagButtons::AppletButton, "AppletForm"},
        {&TTagButtons::SoundButton, "SoundForm"},
        {&TTagButtons::DivButton, "DivForm"},
        {&TTagButtons::SpanButton, "DivForm"},
        {&TTagButtons::GlossaryButton, "GlossaryForm"},
    };
    for (const auto& [member, formName] : buttons) {
        SCOPED_TRACE(formName);
        String shown;
        TestHooks::AnswerModal([&shown](TForm& form) {
            shown = form.Name();
            form.SetModalResult(mrCancel);
        });
        TestHooks::ClickMouse(*(Main->TagButtons->*member), 3, 3, mbLeft, {});
        EXPECT_EQ(shown, formName);
    }
    EXPECT_EQ(PageText(), "<HTML><HEAD></HEAD><BODY>text</BODY></HTML>");
    delete GlossaryForm; // made at start-up in the program, by its button here
    GlossaryForm = nullptr;
}
