#include "app/MainFormFeatures.h"

#include "editor/CorvaletForm.h"
#include "editor/ElementNavigation.h"
#include "site/DownloadEstimate.h"
#include "site/ReportPane.h"

#include <memory>

void MakeMainFormFeatures(THTMLEMainForm& form) {
    form.ElementNavigation = form.AddFeature(std::make_unique<TElementNavigation>(form));
    form.ReportPane = form.AddFeature(std::make_unique<TReportPane>(form));
    form.DownloadEstimate = form.AddFeature(std::make_unique<TDownloadEstimate>(form));
}
