#pragma once
// The applet, multimedia and DIV/SPAN dialogs of the tag bar, and the empty style block; the
// DIV/SPAN dialog offers the classes of the active page's style block.

#include "editor/MainFormFeature.h"

class TStrings;

class TObjectDialogs : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    void Bind() override;

    void AppletButtonClick(TObject* Sender);
    void SoundButtonClick(TObject* Sender);
    void DivButtonClick(TObject* Sender);
    void SpanButtonClick(TObject* Sender);
    void StyleButtonClick(TObject* Sender);
    // The class names that the active page's style block defines, in order, duplicates kept;
    // empty with no page open or no style block.
    void GetStyleClasses(TStrings& list) const;

private:
    void RunDivDialog(const String& elementName);
};
