#pragma once
// The date, time and user-definition commands: their buttons stand on the tag bar's Publish page,
// and each opens the date/time dialog on its own page and puts the chosen text into the page.

#include "editor/MainFormFeature.h"

class TDateCommands : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    void Bind() override;

    void DateButtonClick(TObject* Sender);
    void TimeButtonClick(TObject* Sender);
    void MiscButtonClick(TObject* Sender);

private:
    enum class TStampPage { Date, Time, Misc };
    // Shows the dialog on its page and, after OK, puts the chosen text into the page.
    void InsertStamp(TStampPage page);
};
