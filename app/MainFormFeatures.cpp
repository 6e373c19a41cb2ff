#include "app/MainFormFeatures.h"

#include "editor/CorvaletForm.h"
#include "editor/ElementNavigation.h"
#include "editor/FindReplace.h"
#include "generators/TableCommands.h"
#include "publish/AppButtons.h"
#include "publish/ExternalBrowsers.h"
#include "publish/InternalBrowser.h"
#include "publish/MultiPublishing.h"
#include "publish/PublishCommands.h"
#include "site/DownloadEstimate.h"
#include "site/FilePane.h"
#include "site/ReportPane.h"
#include "tags/TagButtons.h"
#include "tags/TagInsertion.h"

#include <memory>

void MakeMainFormFeatures(THTMLEMainForm& form) {
    // First, as the window always built them: their buttons follow the standard toolbar's own, the
    // external browsers' items in Set up follow the publisher's, the internal browser's item goes
    // before theirs in View, and it turns the multi-publishing commands off while it shows.
    form.PublishCommands = form.AddFeature(std::make_unique<TPublishCommands>(form));
    form.MultiPublishing = form.AddFeature(std::make_unique<TMultiPublishing>(form));
    form.ExternalBrowsers = form.AddFeature(std::make_unique<TExternalBrowsers>(form));
    // Before the internal browser, which turns their commands off while it shows.
    form.ElementNavigation = form.AddFeature(std::make_unique<TElementNavigation>(form));
    form.FindReplace = form.AddFeature(std::make_unique<TFindReplace>(form));
    form.TagInsertion = form.AddFeature(std::make_unique<TTagInsertion>(form));
    form.TagButtons = form.AddFeature(std::make_unique<TTagButtons>(form));
    // After the tag buttons, whose Apps page holds its buttons.
    form.AppButtons = form.AddFeature(std::make_unique<TAppButtons>(form));
    form.TableCommands = form.AddFeature(std::make_unique<TTableCommands>(form));
    // Before the report pane, which shows over it, and before the file pane, which puts Include
    // Multimedia before its Work Offline.
    form.InternalBrowser = form.AddFeature(std::make_unique<TInternalBrowser>(form));
    form.FilePane = form.AddFeature(std::make_unique<TFilePane>(form));
    form.ReportPane = form.AddFeature(std::make_unique<TReportPane>(form));
    // After the file pane: its item follows the pane's Multi-Publish.
    form.DownloadEstimate = form.AddFeature(std::make_unique<TDownloadEstimate>(form));
}
