#include "app/MainFormFeatures.h"

#include "editor/Autosave.h"
#include "editor/CorvaletForm.h"
#include "editor/Documents.h"
#include "editor/EditCommands.h"
#include "editor/EditorKeys.h"
#include "editor/EditorPreferences.h"
#include "editor/ElementNavigation.h"
#include "editor/FindReplace.h"
#include "editor/FontCommand.h"
#include "editor/PrintCommands.h"
#include "editor/ReferenceHelp.h"
#include "editor/TagColouring.h"
#include "editor/Templates.h"
#include "editor/TextTransforms.h"
#include "generators/DateCommands.h"
#include "generators/ImageMapCommand.h"
#include "generators/ScriptCommands.h"
#include "generators/StyleWizard.h"
#include "generators/TableCommands.h"
#include "publish/AppButtons.h"
#include "publish/ExternalBrowsers.h"
#include "publish/InternalBrowser.h"
#include "publish/MultiPublishing.h"
#include "publish/PublishCommands.h"
#include "site/DownloadEstimate.h"
#include "site/FilePane.h"
#include "site/GlobalFindReplace.h"
#include "site/ImageIndexing.h"
#include "site/ReportPane.h"
#include "site/SiteAnalysing.h"
#include "site/TagChecking.h"
#include "tags/DroppedFiles.h"
#include "tags/ElementDialogs.h"
#include "tags/FormDialogs.h"
#include "tags/ObjectDialogs.h"
#include "tags/PageStructureDialogs.h"
#include "tags/SpecialCharacters.h"
#include "tags/TagAttributes.h"
#include "tags/TagButtons.h"
#include "tags/TagInsertion.h"
#include "tags/UserTexts.h"
#include "tags/WindowLayout.h"

#include <memory>

void MakeMainFormFeatures(THTMLEMainForm& form) {
    // First: the other features place their items and buttons among theirs, and those that
    // disable the document commands while they show something do so after these set them.
    form.Documents = form.AddFeature(std::make_unique<TDocuments>(form));
    // Right after the documents: its items go into their New and Open menus and after their
    // Save As, and the printing items follow its own.
    form.Templates = form.AddFeature(std::make_unique<TTemplates>(form));
    form.EditCommands = form.AddFeature(std::make_unique<TEditCommands>(form));
    // Before element navigation, which places its items around Indent and Unindent, and before
    // the internal browser, which turns their commands off while it shows.
    form.TextTransforms = form.AddFeature(std::make_unique<TTextTransforms>(form));
    // Before element navigation, which adds its own step to the editors' mouse presses.
    form.EditorKeys = form.AddFeature(std::make_unique<TEditorKeys>(form));
    // Next, as the window always built them: their buttons follow the standard toolbar's own, the
    // external browsers' items in Set up follow the publisher's, the internal browser's item goes
    // before theirs in View, and it turns the multi-publishing commands off while it shows.
    form.PublishCommands = form.AddFeature(std::make_unique<TPublishCommands>(form));
    form.MultiPublishing = form.AddFeature(std::make_unique<TMultiPublishing>(form));
    form.ExternalBrowsers = form.AddFeature(std::make_unique<TExternalBrowsers>(form));
    // Before the internal browser, which turns their commands off while it shows.
    form.ElementNavigation = form.AddFeature(std::make_unique<TElementNavigation>(form));
    form.FindReplace = form.AddFeature(std::make_unique<TFindReplace>(form));
    // Before tag insertion, whose Repeat Last Tag items follow Remove Text Formatting.
    form.TagColouring = form.AddFeature(std::make_unique<TTagColouring>(form));
    form.TagInsertion = form.AddFeature(std::make_unique<TTagInsertion>(form));
    form.TagButtons = form.AddFeature(std::make_unique<TTagButtons>(form));
    // After the tag buttons, whose Apps page holds its buttons.
    form.AppButtons = form.AddFeature(std::make_unique<TAppButtons>(form));
    // After the tag buttons, whose pages it scrolls, and the application buttons, after whose
    // reading the window state is restored once more; before the internal browser, which is left
    // before the window's state is kept at closing, and after the documents, which close their
    // pages after that.
    form.WindowLayout = form.AddFeature(std::make_unique<TWindowLayout>(form));
    form.TableCommands = form.AddFeature(std::make_unique<TTableCommands>(form));
    form.AddFeature(std::make_unique<TImageMapCommand>(form));
    form.DateCommands = form.AddFeature(std::make_unique<TDateCommands>(form));
    // After the tag buttons, whose Scripts button drops its menu down.
    form.ScriptCommands = form.AddFeature(std::make_unique<TScriptCommands>(form));
    form.AddFeature(std::make_unique<TStyleWizard>(form));
    form.ElementDialogs = form.AddFeature(std::make_unique<TElementDialogs>(form));
    form.ObjectDialogs = form.AddFeature(std::make_unique<TObjectDialogs>(form));
    form.UserTexts = form.AddFeature(std::make_unique<TUserTexts>(form));
    form.FormDialogs = form.AddFeature(std::make_unique<TFormDialogs>(form));
    form.PageStructureDialogs = form.AddFeature(std::make_unique<TPageStructureDialogs>(form));
    // After the tag buttons, whose Chars page and lists it fills, and tag insertion, whose
    // shortcut items it serves.
    form.SpecialCharacters = form.AddFeature(std::make_unique<TSpecialCharacters>(form));
    form.DroppedFiles = form.AddFeature(std::make_unique<TDroppedFiles>(form));
    // Before the internal browser, which turns its commands off while it shows.
    form.PrintCommands = form.AddFeature(std::make_unique<TPrintCommands>(form));
    form.FontCommand = form.AddFeature(std::make_unique<TFontCommand>(form));
    form.ReferenceHelp = form.AddFeature(std::make_unique<TReferenceHelp>(form));
    // After reference help: Default Extension follows its Help Files at the end of Set up.
    form.EditorPreferences = form.AddFeature(std::make_unique<TEditorPreferences>(form));
    form.Autosave = form.AddFeature(std::make_unique<TAutosave>(form));
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
    // Last: its pop-up item goes before the download estimate's, and its Edit item comes last.
    form.TagAttributes = form.AddFeature(std::make_unique<TTagAttributes>(form));
}
