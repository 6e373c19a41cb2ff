#include "app/MainFormFeatures.h"

#include "editor/CorvaletForm.h"
#include "site/DownloadEstimate.h"

#include <memory>

void MakeMainFormFeatures(THTMLEMainForm& form) {
    form.DownloadEstimate = form.AddFeature(std::make_unique<TDownloadEstimate>(form));
}
