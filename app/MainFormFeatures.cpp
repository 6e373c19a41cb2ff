#include "app/MainFormFeatures.h"

#include "editor/CorvaletForm.h"
#include "editor/Documents.h"
#include "editor/EditCommands.h"
#include "editor/ElementNavigation.h"
#include "editor/FindReplace.h"
#include "generators/TableCommands.h"
#include "publish/InternalBrowser.h"
#include "site/DownloadEstimate.h"
#include "site/FilePane.h"
#include "site/ReportPane.h"
#include "tags/TagButtons.h"
#include "tags/TagInsertion.h"

#include <memory>

void MakeMainFormFeatures(THTMLEMainForm& form) {
    // First: the other features place their items and buttons among theirs, and those that
    // disable the document commands while they show something do so after these set them.
    form.Documents = form.AddFeature(std::make_unique<TDocuments>(form));
    form.EditCommands = form.AddFeature(std::make_unique<TEditCommands>(form));
    // Before the internal browser, which turns their commands off while it shows.
    form.ElementNavigation = form.AddFeature(std::make_unique<TElementNavigation>(form));
    form.FindReplace = form.AddFeature(std::make_unique<TFindReplace>(form));
    form.TagInsertion = form.AddFeature(std::make_unique<TTagInsertion>(form));
    form.TagButtons = form.AddFeature(std::make_unique<TTagButtons>(form));
    form.TableCommands = form.AddFeature(std::make_unique<TTableCommands>(form));
    // Before the report pane, which shows over it, and before the file pane, which puts Include
    // Multimedia before its Work Offline.
    form.InternalBrowser = form.AddFeature(std::make_unique<TInternalBrowser>(form));
    form.FilePane = form.AddFeature(std::make_unique<TFilePane>(form));
    form.ReportPane = form.AddFeature(std::make_unique<TReportPane>(form));
    // After the file pane: its item follows the pane's Multi-Publish.
    form.DownloadEstimate = form.AddFeature(std::make_unique<TDownloadEstimate>(form));
}
