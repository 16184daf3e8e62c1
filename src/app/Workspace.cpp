// Workspace: the behaviour objects and the command chain that reaches them.
#include "app/Workspace.h"

#include "app/ApplicationHost.h"
#include "app/ClipboardCommands.h"
#include "app/CommandRouter.h"
#include "app/DateInsertion.h"
#include "app/LinkCommands.h"
#include "app/MarkCommandTarget.h"
#include "app/PaneCommands.h"
#include "app/SearchTargets.h"
#include "app/SettingsCommands.h"
#include "app/SettingsSheet.h"
#include "app/TextOutputCommands.h"
#include "app/TimestampCommands.h"
#include "app/WebCommands.h"
#include "editing/BranchClipboard.h"
#include "editing/BranchVisibility.h"
#include "editing/LinkFiles.h"
#include "editing/MarkCommands.h"
#include "editing/SearchCommands.h"
#include "editing/SplitMerge.h"
#include "editing/WebAccess.h"
#include "output/TextOutput.h"

namespace qm {

Workspace::Workspace(const WorkspacePorts& ports)
    : m_router(ports.router),
      m_web(std::make_unique<WebAccess>(WebAccessPorts{
          ports.settings, ports.web.http, ports.web.wait, ports.web.connections, ports.prompt,
          ports.clock, ports.dialogs.web, ports.web.tempFolder, ports.web.secrets})),
      m_document(ports.settings, ports.clock, ports.prompt, ports.dialogs.files),
      m_keys(ports.settings, ports.prompt, ports.dialogs.files, ports.dialogs.keys),
      m_tree(m_document, ports.settings, ports.clock, ports.prompt, ports.dialogs.nodeEdit,
             ports.paneHost, m_keys.Table()),
      m_body(m_document, ports.editControl, ports.settings, ports.prompt, ports.dialogs.files,
             ports.paneHost, m_keys.Table()),
      m_frame(ports.settings, ports.prompt, ports.frameHost),
      m_app({m_document, m_tree, m_body, ports.settings, ports.prompt, ports.dialogs.files,
             ports.appHost, ports.router, ports.association}) {
  m_document.SetWebAccess(m_web.get());
  CTreeStore& store = m_document.Store();
  store.SetPane(&ports.treeControl);
  store.SetTextFileRenderer(PlainTextFileRenderer(ports.settings));
  m_document.SetStateSink([this, &host = ports.appHost] {
    host.ShowDocumentTitle(m_document.Title(), m_document.IsModified());
  });

  // Link files: opening another outline goes the way the open command does.
  m_links = std::make_unique<CLinkFiles>(
      m_document, ports.settings, ports.clock, ports.prompt, ports.dialogs.links,
      ports.dialogs.files, ports.launcher, ports.clipboard,
      [this](const QString& path) { return m_app.OpenFile(path); });
  m_tree.SetLinkActionsFactory([this](int node) { return m_links->ActionsFor(node); });
  m_branchClipboard =
      std::make_unique<CBranchClipboard>(m_document, m_tree, ports.clipboard, ports.settings,
                                         ports.prompt, ports.dialogs.paste, ports.paneHost);
  m_splitMerge = std::make_unique<CSplitMerge>(m_document, m_tree, ports.editControl,
                                               ports.settings, ports.dialogs.split, ports.paneHost);
  // Marks; the marks menu follows the list.
  m_marks = std::make_unique<MarkCommands>(m_document, ports.prompt);
  m_visibility = std::make_unique<BranchVisibility>(m_document, *m_marks);
  m_marks->SetLabelsSink(
      [&host = ports.appHost](const QStringList& labels) { host.ShowMarkedNodes(labels); });
  m_tree.SetMarksMenuRebuild([this] { m_marks->RebuildMarksMenu(); });

  RegisterCommands(ports);
}

Workspace::~Workspace() {
  // The chain must not name targets that go with this object.
  m_router.SetPaneTarget(Pane::Tree, nullptr);
  m_router.SetPaneTarget(Pane::Body, nullptr);
  m_router.SetDocument(nullptr);
  m_router.SetFrame(nullptr);
  m_router.SetApplication(nullptr);
  m_document.SetStateSink({});
  m_document.SetWebAccess(nullptr);
}

void Workspace::RegisterCommands(const WorkspacePorts& ports) {
  m_treeCommands.Add(MakeTreePaneCommands(m_tree));
  m_bodyCommands.Add(MakeBodyPaneCommands(m_document, m_body, m_tree, ports.editControl));
  // One search, shared by both panes.
  SearchTargets search = MakeSearchTargets(
      std::make_shared<CSearchCommands>(m_document, ports.editControl, ports.settings, ports.prompt,
                                        ports.dialogs.search, ports.paneHost));
  m_treeCommands.Add(std::move(search.tree));
  m_bodyCommands.Add(std::move(search.body));
  m_treeCommands.Add(MakeLinkTreeCommands(*m_links));
  m_treeCommands.Add(MakeClipboardTreeCommands(*m_branchClipboard));
  m_treeCommands.Add(MakeSplitMergeCommands(*m_splitMerge));
  m_bodyCommands.Add(MakeSplitMergeCommands(*m_splitMerge));
  m_treeCommands.Add(MakeMarkCommands(*m_marks, *m_visibility));
  m_treeCommands.Add(MakeTextOutputCommands(m_document, ports.settings, ports.clock, ports.prompt,
                                            ports.dialogs.textOutput, ports.dialogs.files,
                                            ports.clipboard));
  // The settings sheet: run from the tree pane, forwarded by the body pane.
  SettingsTargets settingsSheet =
      MakeSettingsTargets(std::make_shared<SettingsSheet>(SettingsSheet::Parts{
                              m_document, m_body, ports.editControl, ports.settings,
                              ports.dialogs.settingsSheet, ports.appHost}),
                          m_body);
  m_treeCommands.Add(std::move(settingsSheet.tree));
  m_bodyCommands.Add(std::move(settingsSheet.body));
  m_treeCommands.Add(m_keys.MakeCommands());
  m_documentCommands.Add(MakeDocumentCommands(m_document));
  m_documentCommands.Add(MakeWebCommands(
      m_document, *m_web, [this](const QString& path) { return m_app.OpenFile(path); }));
  m_documentCommands.Add(MakeTimestampCommands(m_document, m_tree, ports.settings, ports.prompt,
                                               ports.dialogs.timestamps));
  m_documentCommands.Add(MakeCategoryCommands(m_document, m_tree, ports.settings, ports.prompt,
                                              ports.dialogs.categories));

  // Dates: the body pane inserts them, the node edit dialog puts one before
  // the title, the frame edits their format.
  auto dates = std::make_shared<DateInsertion>(m_body, ports.editControl, ports.settings,
                                               ports.clock, ports.dialogs.dates);
  m_bodyCommands.Add(MakeDateBodyCommands(dates));
  m_tree.SetTitleDating(
      [dates](const QString& title) { return dates->TitleWithPickedDate(title); });
  m_frameCommands.AddBorrowed(m_frame.Commands());
  m_frameCommands.Add(MakeDateFrameCommands(dates));

  m_router.SetPaneTarget(Pane::Tree, &m_treeCommands);
  m_router.SetPaneTarget(Pane::Body, &m_bodyCommands);
  m_router.SetDocument(&m_documentCommands);
  m_router.SetFrame(&m_frameCommands);
  m_router.SetApplication(&m_app.Commands());
}

}  // namespace qm
