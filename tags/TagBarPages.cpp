// The tag bar's pages: the page control under the toolbars with its thirteen pages, the buttons
// that stand on them for commands of their own (the hidden ones, the user and the application
// buttons), and the bar's state as the window is created and its commands are refreshed.

#include "tags/TagButtons.h"

#include "editor/FontSettings.h"
#include "platform/FileUtils.h"
#include "platform/Registry.h"
#include "services/ProgramSettings.h"
#include "widgets/QmToolbars.h"

#include <algorithm>

namespace {

using F = TTagButtons;

struct TPage {
    TTabSheet* TTagButtons::*Member;
    const char* Name;
    const char* Caption;
    THelpContext Help; // 0: none
};

const TPage Pages[] = {
    {&F::CommonSheet, "CommonSheet", "Common", HelpContexts::CommonSheet},
    {&F::LayoutPage, "LayoutPage", "Layout", HelpContexts::LayoutPage},
    {&F::FontSheet, "FontSheet", "Fonts", HelpContexts::FontSheet},
    {&F::ListSheet, "ListSheet", "Lists", HelpContexts::ListSheet},
    {&F::TablesPage, "TablesPage", "Tables", HelpContexts::TablesPage},
    {&F::FormSheet, "FormSheet", "Forms", HelpContexts::FormSheet},
    {&F::FramesPage, "FramesPage", "Frames", HelpContexts::FramesPage},
    {&F::CharSheet, "CharSheet", "Chars", HelpContexts::CharSheet},
    {&F::StyleSheet, "StyleSheet", "Style", 0},
    {&F::ScriptsSheet, "ScriptsSheet", "Scripts", 0},
    {&F::SpecialSheet, "SpecialSheet", "Publish", HelpContexts::SpecialSheet},
    {&F::ApplicationPage, "ApplicationPage", "Apps", HelpContexts::ApplicationPage},
    {&F::UserSheet, "UserSheet", "User", 0},
};

struct THiddenButton {
    TQmToolbarButton* TTagButtons::*Member;
    const char* Name;
    const char* Caption;
    const char* Hint;
};

// The image map's button and the text transformations' buttons, at the start of the Common page.
const THiddenButton HiddenButtons[] = {
    {&F::ImageMapButton, "ImageMapButton", "Map", "ImageMap"},
    {&F::PerlCommentButton, "PerlCommentButton", "#", "Perl Comment (#)"},
    {&F::PerlNoCommentButton, "PerlNoCommentButton", "-#", "Remove Perl Comments"},
    {&F::ReplaceAnglesButton, "ReplaceAnglesButton", "<>", "Change < & > to codes"},
};

// Buttons shown only once the window's creation has decided so; a tag of 1000 or more keeps a
// button out of the tag-bar layout meanwhile.
const int OutOfLayout = 1000;
// The fixed size of the hidden, user and application buttons.
const int FixedButtonSize = 25;

} // namespace

// The pages fill their panel right of the toolbars.
void TTagButtons::BuildTagBar() {
    ButtonsPage = NewControl<TPageControl>(&Form, Form.ButtonsPagePanel, "ButtonsPage");
    ButtonsPage->SetAlign(alClient);
    for (const TPage& page : Pages) {
        TTabSheet* sheet = NewComponent<TTabSheet>(&Form, page.Name);
        sheet->SetPageControl(ButtonsPage);
        sheet->SetCaption(page.Caption);
        sheet->SetHelpContext(page.Help);
        this->*page.Member = sheet;
    }
    int left = 0;
    for (const THiddenButton& hidden : HiddenButtons) {
        auto* button = NewControl<TQmToolbarButton>(&Form, CommonSheet, hidden.Name);
        button->SetBounds(left, 0, FixedButtonSize, FixedButtonSize);
        button->SetCaption(hidden.Caption);
        button->SetHint(hidden.Hint);
        button->SetVisible(false);
        button->SetTag(OutOfLayout);
        this->*hidden.Member = button;
        left += FixedButtonSize;
    }
    for (int i = 0; i < std::ssize(UserButtons); ++i) {
        String number = IntToStr(i + 1);
        auto* button = NewControl<TQmToolbarButton>(&Form, UserSheet, "User" + number + "Button");
        button->SetBounds(i * FixedButtonSize, 0, FixedButtonSize, FixedButtonSize);
        button->SetCaption(number);
        button->SetHint("User defineable");
        button->SetTag(i + 1);
        UserButtons[i] = button;
    }
    for (int i = 0; i < std::ssize(AppButtons); ++i) {
        String number = IntToStr(i + 1);
        auto* button = NewControl<TQmToolbarButton>(&Form, ApplicationPage, "AppButton" + number);
        button->SetBounds(i * FixedButtonSize, 0, FixedButtonSize, FixedButtonSize);
        button->SetCaption(number);
        button->Font().SetStyle(fsBold);
        button->SetTag(i);
        AppButtons[i] = button;
    }
}

// The window's creation starts on the Common page and shows the buttons kept hidden until then.
void TTagButtons::ReadSettings() {
    ButtonsPage->SetActivePage(CommonSheet);
    // The image-map button joins the layout too: kept out of it, scrolling would hide it for good.
    for (TQmToolbarButton* button :
         {ImageMapButton, PerlCommentButton, PerlNoCommentButton, ReplaceAnglesButton}) {
        button->SetVisible(true);
        button->SetTag(0);
    }
    ReadUserButtons();
}

void TTagButtons::ReadUserButtons() {
    TRegistry reg;
    if (!reg.OpenKey(ProductSubKey("UserDef"), false))
        return;
    const int buttonCount = static_cast<int>(UserButtons.size());
    int count = buttonCount;
    ReadSetting(reg, "Buttons", count);
    count = std::min(count, buttonCount);
    for (int number = 1; number <= count; ++number) {
        String hint;
        ReadSetting(reg, "UserDef" + IntToStr(number) + "Hint", hint);
        UserButtons[number - 1]->SetHint(hint.empty() ? String("Undefined") : hint);
    }
    for (int number = 1; number <= count; ++number) {
        String caption;
        ReadSetting(reg, "UserDef" + IntToStr(number) + "Text", caption);
        if (caption.empty())
            caption = IntToStr(number);
        TQmToolbarButton* button = UserButtons[number - 1];
        button->SetCaption(caption);
        button->Font().SetName(caption != IntToStr(number) ? "Small Fonts" : DefaultFontName);
        button->Font().SetStyle({});
    }
    for (int number = 1; number <= count; ++number) {
        String glyph;
        ReadSetting(reg, "UserDef" + IntToStr(number) + "Glyph", glyph);
        if (!glyph.empty() && FileExists(glyph))
            Form.LoadButtonGlyph(UserButtons[number - 1], glyph);
    }
}

// An open page enables the bar. While the window forces its commands on (help-pointer mode) the
// bar is enabled too, and once it stops the bar is as it was before.
void TTagButtons::UpdateCommands() {
    const bool forced = Form.ForceCommandsEnabled;
    if (forced && !CommandsForced)
        ButtonsPageWasEnabled = ButtonsPage->Enabled();
    if (Form.AnyDocumentOpen() || forced)
        ButtonsPage->SetEnabled(true);
    if (!forced && CommandsForced)
        ButtonsPage->SetEnabled(ButtonsPageWasEnabled);
    CommandsForced = forced;
}
