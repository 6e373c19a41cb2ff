#include "app/MainFormFeatures.h"

#include "editor/CorvaletForm.h"
#include "site/DownloadEstimate.h"
#include "site/FilePane.h"

#include <memory>

void MakeMainFormFeatures(THTMLEMainForm& form) {
    form.FilePane = form.AddFeature(std::make_unique<TFilePane>(form));
    form.DownloadEstimate = form.AddFeature(std::make_unique<TDownloadEstimate>(form));
}
