#include "app/MainFormFeatures.h"

#include "editor/CorvaletForm.h"
#include "site/DownloadEstimate.h"
#include "tags/TagButtons.h"
#include "tags/TagInsertion.h"

#include <memory>

void MakeMainFormFeatures(THTMLEMainForm& form) {
    form.TagInsertion = form.AddFeature(std::make_unique<TTagInsertion>(form));
    form.TagButtons = form.AddFeature(std::make_unique<TTagButtons>(form));
    form.DownloadEstimate = form.AddFeature(std::make_unique<TDownloadEstimate>(form));
}
