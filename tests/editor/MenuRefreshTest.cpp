// The Edit menu and the pages' pop-up menu as they drop down, with the caret in a start tag, an
// end tag, a comment, outside tags, and without a page.

#include "MainWindowSupport.h"
#include "TestSupport.h"
#include "editor/ElementNavigation.h"
#include "editor/FindReplace.h"
#include "editor/TagColouring.h"
#include "editor/TextTransforms.h"
#include "publish/MultiPublishing.h"
#include "tags/TagAttributes.h"
#include "widgets/QmToolbars.h"

#include <gtest/gtest.h>

#include <optional>

using namespace MainWindowSupport;

namespace {

// The window with a page holding the text, "|" marking the caret; no page without a text.
std::unique_ptr<THTMLEMainForm> WindowWithCaret(const std::optional<String>& marked) {
    auto form = MakeMainWindow();
    if (!marked)
        return form;
    size_t caret = marked->find('|');
    String text = *marked;
    text.erase(caret, 1);
    UsePage(*form, 0, "/a.htm", text);
    form->UpdateDocumentCommands();
    form->GetMemo(-1)->SetSelStart(static_cast<int>(caret));
    return form;
}

// The Edit menu's items that need a page, or help-pointer mode.
std::vector<TMenuItem*> PageItems(THTMLEMainForm& form) {
    const TElementNavigation& navigation = *form.ElementNavigation;
    const TTextTransforms& transforms = *form.TextTransforms;
    return {navigation.GoTo1,
            form.EditCommands->SelectAll2,
            navigation.Extendhighlight1,
            form.ColourTags1,
            transforms.ChangeCase1,
            form.TagColouring->RemoveTextFormatting2,
            transforms.RemoveLinespaces1,
            transforms.TagCase1,
            transforms.RemoveIndents1,
            transforms.Indent1,
            transforms.Unindent1,
            navigation.SetBookmark1,
            form.FindReplace->Find1,
            form.FindReplace->Replace1,
            form.WordWrap1};
}

} // namespace

TEST(MenuRefresh, AttributesFollowTheTagAtTheCaret) {
    struct Case {
        const char* Situation;
        std::optional<String> Text;
        bool InsertAttribute;
        const char* PopupCaption;
        bool PopupAttributes;
    };
    const Case cases[] = {
        {"no page", std::nullopt, false, "Attrib&utes...", false},
        {"outside tags", "<p>te|xt</p>", false, "Attrib&utes...", false},
        {"in a start tag", "<td al|ign=left>x</td>", true, "Attrib&utes for <TD>...", true},
        {"in an end tag", "<td>x</t|d>", true, "Attributes...", false},
        {"in a comment", "<!-- a| -->", false, "Attrib&utes...", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Situation);
        auto form = WindowWithCaret(c.Text);
        const TTagAttributes& attributes = *form->TagAttributes;
        attributes.InsertAttribute1->SetEnabled(!c.InsertAttribute);
        attributes.Attributes1->SetEnabled(!c.PopupAttributes);
        attributes.Attributes1->SetCaption("?");
        form->Edit1->Click();
        EXPECT_EQ(attributes.InsertAttribute1->Enabled(), c.InsertAttribute);
        form->MainPopupMenu->Popup(0, 0);
        EXPECT_EQ(attributes.Attributes1->Caption(), c.PopupCaption);
        EXPECT_EQ(attributes.Attributes1->Enabled(), c.PopupAttributes);
    }
}

// Without a page only help-pointer mode offers them, so that the user can point at them.
TEST(MenuRefresh, EditMenuOffersThePageCommandsWithAPageOrInHelpMode) {
    struct Case {
        const char* Situation;
        std::optional<String> Text;
        bool Help;
        bool Enabled;
    };
    const Case cases[] = {
        {"no page", std::nullopt, false, false},
        {"no page, help-pointer mode", std::nullopt, true, true},
        {"a page, outside tags", "a|b", false, true},
        {"a page, in a tag", "<b|>", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Situation);
        auto form = WindowWithCaret(c.Text);
        for (TMenuItem* item : PageItems(*form))
            item->SetEnabled(!c.Enabled);
        form->ElementNavigation->BookmarkButton->SetEnabled(true);
        Screen->SetCursor(c.Help ? crHelp : crDefault);
        form->Edit1->Click();
        Screen->SetCursor(crDefault);
        for (TMenuItem* item : PageItems(*form))
            EXPECT_EQ(item->Enabled(), c.Enabled) << item->Name();
        EXPECT_EQ(form->ElementNavigation->BookmarkButton->Enabled(), c.Enabled);
    }
}

TEST(MenuRefresh, ShowDatesPublishedNeedsAPageWithAMajorStamp) {
    struct Case {
        const char* Situation;
        std::optional<String> Text;
        bool Enabled;
    };
    const Case cases[] = {
        {"no page", std::nullopt, false},
        {"a page without stamps", "<p>|x</p>", false},
        {"a minor stamp only", "|x\r\n<!-- LR 45000 LR -->", false},
        {"a major stamp", "|x\r\n<!-- LR 45000 LR --><!-- LMR 45000 LMR -->", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Situation);
        auto form = WindowWithCaret(c.Text);
        form->MultiPublishing->ShowDatesPublished1->SetEnabled(!c.Enabled);
        form->MainPopupMenu->Popup(0, 0);
        EXPECT_EQ(form->MultiPublishing->ShowDatesPublished1->Enabled(), c.Enabled);
    }
}
