#include "app/MainFormFeatures.h"

#include "editor/CorvaletForm.h"
#include "editor/ElementNavigation.h"
#include "editor/FindReplace.h"
#include "publish/InternalBrowser.h"
#include "site/DownloadEstimate.h"
#include "site/ReportPane.h"
#include "tags/TagButtons.h"
#include "tags/TagInsertion.h"

#include <memory>

void MakeMainFormFeatures(THTMLEMainForm& form) {
    // Before the internal browser, which turns their commands off while it shows.
    form.ElementNavigation = form.AddFeature(std::make_unique<TElementNavigation>(form));
    form.FindReplace = form.AddFeature(std::make_unique<TFindReplace>(form));
    form.TagInsertion = form.AddFeature(std::make_unique<TTagInsertion>(form));
    form.TagButtons = form.AddFeature(std::make_unique<TTagButtons>(form));
    // Before the report pane, which shows over it.
    form.InternalBrowser = form.AddFeature(std::make_unique<TInternalBrowser>(form));
    form.ReportPane = form.AddFeature(std::make_unique<TReportPane>(form));
    form.DownloadEstimate = form.AddFeature(std::make_unique<TDownloadEstimate>(form));
}
