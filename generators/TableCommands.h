#pragma once
// The table commands: Quick Table (the designer, on a new table or on the selected one), Table
// from text, and the column and cell dialogs. Their buttons stand on the tag-button bar; what
// they make goes into the page through tag insertion.

#include "editor/MainFormFeature.h"

class TTableCommands : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    void Bind() override;

    void MakeTableButtonClick(TObject* Sender);
    void TableFromTextButtonClick(TObject* Sender);
    void ColgroupButtonClick(TObject* Sender);
    // The cell dialog for "TH", "TR" or "TD": its tags go around the selection.
    void EditTableCellTag(const String& tagName);

private:
    // The table designer's content as TABLE HTML; the designer must exist.
    String WriteTableHTML(bool compact);
    // Reads a TABLE element into the designer; false when the text is not a table.
    bool ParseTableHTML(const String& text);
};
