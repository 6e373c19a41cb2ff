#include "app/MainFormFeatures.h"

#include "editor/CorvaletForm.h"
#include "editor/ElementNavigation.h"
#include "editor/FindReplace.h"
#include "site/DownloadEstimate.h"
#include "site/ReportPane.h"

#include <memory>

void MakeMainFormFeatures(THTMLEMainForm& form) {
    form.ElementNavigation = form.AddFeature(std::make_unique<TElementNavigation>(form));
    form.FindReplace = form.AddFeature(std::make_unique<TFindReplace>(form));
    form.ReportPane = form.AddFeature(std::make_unique<TReportPane>(form));
    form.DownloadEstimate = form.AddFeature(std::make_unique<TDownloadEstimate>(form));
}
