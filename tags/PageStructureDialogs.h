#pragma once
// The body, frames and inline-frame buttons of the tag bar: the BODY tag with its colours and
// background, FRAMESET and FRAME tags through the frames wizard, and the IFRAME element.

#include "editor/MainFormFeature.h"

class TRichEdit;

class TPageStructureDialogs : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    void Bind() override;

    // The page's own BODY start tag is taken out of service first: a bare one removed, one with
    // attributes turned into a comment.
    void BodyButtonClick(TObject* Sender);
    void FrameSetButtonClick(TObject* Sender);
    void FrameButtonClick(TObject* Sender);
    void IFrameButtonClick(TObject* Sender);

private:
    // The wizard in mode 1 (frameset) or 2 (frame).
    void RunFrameWizard(int mode);
    // The open page's editor; nullptr with no page open, never a closed page's.
    TRichEdit* OpenEditor() const;
};
