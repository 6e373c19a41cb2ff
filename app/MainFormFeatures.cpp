#include "app/MainFormFeatures.h"

#include "editor/CorvaletForm.h"
#include "publish/InternalBrowser.h"
#include "site/DownloadEstimate.h"

#include <memory>

void MakeMainFormFeatures(THTMLEMainForm& form) {
    form.DownloadEstimate = form.AddFeature(std::make_unique<TDownloadEstimate>(form));
    // Last among the features whose commands it turns off while it shows, and before those whose
    // panes show over it.
    form.InternalBrowser = form.AddFeature(std::make_unique<TInternalBrowser>(form));
}
