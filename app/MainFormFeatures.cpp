#include "app/MainFormFeatures.h"

#include "editor/CorvaletForm.h"
#include "publish/InternalBrowser.h"
#include "site/DownloadEstimate.h"
#include "site/ReportPane.h"

#include <memory>

void MakeMainFormFeatures(THTMLEMainForm& form) {
    // Before the report pane, which shows over it.
    form.InternalBrowser = form.AddFeature(std::make_unique<TInternalBrowser>(form));
    form.ReportPane = form.AddFeature(std::make_unique<TReportPane>(form));
    form.DownloadEstimate = form.AddFeature(std::make_unique<TDownloadEstimate>(form));
}
