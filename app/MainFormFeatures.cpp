#include "app/MainFormFeatures.h"

#include "editor/CorvaletForm.h"
#include "editor/ElementNavigation.h"
#include "editor/FindReplace.h"
#include "generators/TableCommands.h"
#include "publish/InternalBrowser.h"
#include "site/DownloadEstimate.h"
#include "site/FilePane.h"
#include "site/GlobalFindReplace.h"
#include "site/ImageIndexing.h"
#include "site/ReportPane.h"
#include "site/SiteAnalysing.h"
#include "site/TagChecking.h"
#include "tags/TagButtons.h"
#include "tags/TagInsertion.h"

#include <memory>

void MakeMainFormFeatures(THTMLEMainForm& form) {
    // Before the internal browser, which turns their commands off while it shows.
    form.ElementNavigation = form.AddFeature(std::make_unique<TElementNavigation>(form));
    form.FindReplace = form.AddFeature(std::make_unique<TFindReplace>(form));
    form.TagInsertion = form.AddFeature(std::make_unique<TTagInsertion>(form));
    form.TagButtons = form.AddFeature(std::make_unique<TTagButtons>(form));
    form.TableCommands = form.AddFeature(std::make_unique<TTableCommands>(form));
    form.TagChecking = form.AddFeature(std::make_unique<TTagChecking>(form));
    // Before the report pane, which shows over it, and before the file pane, which puts Include
    // Multimedia before its Work Offline.
    form.InternalBrowser = form.AddFeature(std::make_unique<TInternalBrowser>(form));
    form.FilePane = form.AddFeature(std::make_unique<TFilePane>(form));
    form.ReportPane = form.AddFeature(std::make_unique<TReportPane>(form));
    // After the file pane: its item follows the pane's Multi-Publish.
    form.DownloadEstimate = form.AddFeature(std::make_unique<TDownloadEstimate>(form));
    form.SiteAnalyser = form.AddFeature(std::make_unique<TSiteAnalyser>(form));
    form.ImageIndex = form.AddFeature(std::make_unique<TImageIndex>(form));
    form.GlobalFindReplace = form.AddFeature(std::make_unique<TGlobalFindReplace>(form));
}
