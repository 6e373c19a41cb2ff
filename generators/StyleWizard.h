#pragma once
// The style sheet wizard's command: the page's first STYLE block goes to the wizard, and what
// the wizard gives back takes its place.

#include "editor/MainFormFeature.h"

#include <cstddef>

// The first STYLE block of a page and the rules the wizard is given from it.
struct TStyleBlock {
    bool Found = false;
    size_t Start = 0;  // the "<" of "<STYLE", from 0
    size_t Length = 0; // through the ">" of "</STYLE>"
    String Rules;      // without the start tag and comment marks, trimmed
};

// Finds "<STYLE" and the first "</STYLE>" after it, in any letter case.
TStyleBlock FindStyleBlock(const String& page);
// Where a new STYLE block goes in a page without one: before "</HEAD>"; npos when the page has
// no HEAD to hold it.
size_t NewStyleBlockPlace(const String& page);

class TStyleWizard : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    void Bind() override;

    void CSSButtonClick(TObject* Sender);

private:
    void PutStyleSheet(const TStyleBlock& block, const String& styleSheet);
};
