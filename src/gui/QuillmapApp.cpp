// QuillmapApp: the program's parts, their wiring, start-up and exit.
#include "gui/QuillmapApp.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFontDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QStandardPaths>
#include <QStyledItemDelegate>
#include <QTimer>

#include "app/ClipboardCommands.h"
#include "app/CommandIds.h"
#include "app/CommandRouter.h"
#include "app/CommandTargetList.h"
#include "app/FileAssociation.h"
#include "app/LinkCommands.h"
#include "app/MainFrame.h"
#include "app/MarkCommandTarget.h"
#include "app/PaneCommands.h"
#include "app/RecentFileList.h"
#include "app/SearchTargets.h"
#include "editing/BranchClipboard.h"
#include "app/TimestampCommands.h"
#include "app/TextOutputCommands.h"
#include "editing/KeyTable.h"
#include "editing/LinkFiles.h"
#include "editing/BranchVisibility.h"
#include "editing/KeyTable.h"
#include "editing/MarkCommands.h"
#include "editing/QEditView.h"
#include "editing/QTreeView.h"
#include "editing/QuillmapDoc.h"
#include "editing/SearchCommands.h"
#include "editing/SplitMerge.h"
#include "gui/MainWindow.h"
#include "output/TextOutput.h"
#include "gui/QtClipboard.h"
#include "gui/QtDialogs.h"
#include "gui/QtEditControl.h"
#include "gui/QtPrompt.h"
#include "gui/QtTreeControl.h"
#include "gui/SingleInstance.h"
#include "platform/Clock.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "res/Strings.h"

namespace qm {
namespace {

// Qt keys as the virtual-key codes that key bindings and the panes use.
int VirtualKeyOf(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kKeyEnter;
    case Qt::Key_Delete:
      return kKeyDelete;
    default:
      break;
  }
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 0x70 + (qtKey - Qt::Key_F1);
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;  // same codes
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return qtKey;
  return 0;
}

KeyPress KeyPressOf(const QKeyEvent& event) {
  const Qt::KeyboardModifiers mods = event.modifiers();
  return KeyPress{VirtualKeyOf(event.key()), (mods & Qt::AltModifier) != 0,
                  (mods & Qt::ShiftModifier) != 0, (mods & Qt::ControlModifier) != 0};
}

// Calls a function for the events of one widget.
class EventHook : public QObject {
 public:
  using Handler = std::function<bool(QEvent*)>;
  EventHook(QObject* watched, Handler handler) : QObject(watched), m_handler(std::move(handler)) {
    watched->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override { return m_handler(event); }

 private:
  Handler m_handler;
};

// A pane's font from its settings section ("Font" for the tree, "EFont"
// for the body); the old default face is not on this system, so an unset
// face keeps the desktop's.
struct FontSettings {
  const StringSetting& face;
  const IntSetting& point;
  const IntSetting& weight;
  const IntSetting& italic;
  const IntSetting& underline;
  const IntSetting& charSet;
};
const FontSettings kTreeFont{settings::kFontFaceName,  settings::kFontPoint,
                             settings::kFontWeight,    settings::kFontItalic,
                             settings::kFontUnderline, settings::kFontCharSet};
const FontSettings kBodyFont{settings::kEFontFaceName,  settings::kEFontPoint,
                             settings::kEFontWeight,    settings::kEFontItalic,
                             settings::kEFontUnderline, settings::kEFontCharSet};

QFont FontFromSettings(const SettingsStore& store, const FontSettings& keys, QFont font) {
  // Unset face and size keep the desktop's: the stored defaults name a face
  // this system does not have.
  const QString face = Read(store, keys.face, QString());
  if (!face.isEmpty()) font.setFamily(face);
  const int point = Read(store, keys.point, 0);
  if (point > 0) font.setPointSize(point);
  font.setBold(Read(store, keys.weight) > 599);
  font.setItalic(Read(store, keys.italic) != 0);
  font.setUnderline(Read(store, keys.underline) != 0);
  return font;
}

// 0x00BBGGRR as stored.
QColor ColourOf(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

// A context menu of existing command actions; 0 stands for a separator.
// Commands the window does not offer are left out, and so is any separator
// they would leave at an end or doubled.
void ShowContextMenu(MainWindow& window, QWidget* over, const QPoint& at,
                     std::initializer_list<int> ids) {
  window.RefreshCommandStates();
  QMenu menu(over);
  bool separatorDue = false;
  for (const int id : ids) {
    if (id == 0) {
      separatorDue = !menu.actions().isEmpty();
    } else if (QAction* action = window.ActionOf(id)) {
      if (separatorDue) menu.addSeparator();
      separatorDue = false;
      menu.addAction(action);
    }
  }
  menu.exec(over->mapToGlobal(at));
}

// Hands the text of a finished in-place label edit on instead of writing it
// into the item: the outline store decides what the label shows.
class LabelDelegate : public QStyledItemDelegate {
 public:
  LabelDelegate(QObject* parent, std::function<void(const QString&)> onEdited)
      : QStyledItemDelegate(parent), m_onEdited(std::move(onEdited)) {}
  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex&) const override {
    if (const auto* line = qobject_cast<QLineEdit*>(editor)) m_onEdited(line->text());
  }

 private:
  std::function<void(const QString&)> m_onEdited;
};

}  // namespace

// Members in construction order: widgets before the behaviour that uses them.
struct QuillmapApp::Parts {
  explicit Parts(SettingsStore& store, PaneHost& host)
      : settings(store),
        window(router),
        prompt(&window),
        dialogs(&window),
        document(settings, clock, prompt, dialogs),
        treeControl(*window.TreeWidget()),
        editControl(*window.BodyWidget()),
        frame(settings, prompt, window),
        tree(document, settings, clock, prompt, dialogs, host, keys),
        body(document, editControl, settings, prompt, dialogs, host, keys),
        recent(0) {}

  SettingsStore& settings;
  SystemClock clock;
  NoKeyBindings keys;
  CommandRouter router;
  MainWindow window;
  QtPrompt prompt;
  QtDialogs dialogs;
  CQuillmapDoc document;
  QtTreeControl treeControl;
  QtEditControl editControl;
  CMainFrame frame;
  CQTreeView tree;
  CQEditView body;
  RecentFileList recent;
  QtClipboard clipboard;
  QtLauncher launcher;
  // Each feature adds the commands it gives a pane as one member.
  CommandTargetList treeCommands;
  CommandTargetList bodyCommands;
  CommandTargetList documentCommands;
  std::unique_ptr<CommandTarget> applicationCommands;
  SingleInstance instance;
  // Link files.
  std::unique_ptr<CLinkFiles> links;
  bool selectionEventsOn = false;
  bool shuttingDown = false;
  // Branch clipboard, split and merge.
  std::unique_ptr<CBranchClipboard> branchClipboard;
  std::unique_ptr<CSplitMerge> splitMerge;
  // Marks, checks and branch visibility.
  MarkCommands marks{document, prompt};
  BranchVisibility visibility{document, marks};
};

QuillmapApp::QuillmapApp(SettingsStore& settings) : m(std::make_unique<Parts>(settings, *this)) {
  Parts& p = *m;
  p.document.Store().SetPane(&p.treeControl);
  p.document.Store().SetTextFileRenderer(PlainTextFileRenderer(p.settings));
  p.document.SetRecentFileSink([this](const QString& path) {
    m->recent.Add(path);
    m->window.BuildMenus(m->recent.DisplayNames());
  });

  // Commands: the focused pane first, then the document, frame, application.
  QPlainTextEdit* editor = p.window.BodyWidget();
  p.treeCommands.Add(MakeTreePaneCommands(p.tree));
  p.bodyCommands.Add(MakeBodyPaneCommands(
      p.body, p.tree,
      EditorActions{[editor] { editor->cut(); }, [editor] { editor->copy(); },
                    [editor] { editor->paste(); }, [editor] { editor->selectAll(); },
                    [editor] { editor->setFocus(); },
                    [editor] { return editor->textCursor().hasSelection(); }}));
  // Search: one search shared by both panes.
  SearchTargets search = MakeSearchTargets(std::make_shared<CSearchCommands>(
      p.document, p.editControl, p.settings, p.prompt, p.dialogs, *this));
  p.treeCommands.Add(std::move(search.tree));
  p.bodyCommands.Add(std::move(search.body));
  // Link files: opening another outline goes the way the open command does.
  p.links = std::make_unique<CLinkFiles>(p.document, p.settings, p.clock, p.prompt, p.dialogs,
                                         p.launcher, p.clipboard,
                                         [this](const QString& path) { return OpenFile(path); });
  p.treeCommands.Add(MakeLinkTreeCommands(*p.links));
  p.tree.SetLinkActionsFactory([this](int node) { return m->links->ActionsFor(node); });
  // Branch clipboard (tree pane), split and merge (both panes).
  p.branchClipboard = std::make_unique<CBranchClipboard>(p.document, p.tree, p.clipboard,
                                                         p.settings, p.prompt, p.dialogs, *this);
  p.splitMerge = std::make_unique<CSplitMerge>(p.document, p.tree, p.editControl, p.settings,
                                               p.dialogs, *this);
  p.treeCommands.Add(MakeClipboardTreeCommands(*p.branchClipboard));
  p.treeCommands.Add(MakeSplitMergeCommands(*p.splitMerge));
  p.bodyCommands.Add(MakeSplitMergeCommands(*p.splitMerge));
  // Marks, checks and branch visibility; the marks menu follows the list.
  p.treeCommands.Add(MakeMarkCommands(p.marks, p.visibility));
  p.marks.SetLabelsSink([this](const QStringList& labels) { m->window.SetMarkLabels(labels); });
  p.tree.SetMarksMenuRebuild([this] { m->marks.RebuildMarksMenu(); });
  p.documentCommands.Add(MakeDocumentCommands(p.document));
  // Timestamps and categories.
  p.documentCommands.Add(
      MakeTimestampCommands(p.document, p.tree, p.settings, p.prompt, p.dialogs));
  p.documentCommands.Add(MakeCategoryCommands(p.document, p.tree, p.settings, p.prompt, p.dialogs));
  // Text output.
  p.treeCommands.Add(
      MakeTextOutputCommands(p.document, p.settings, p.clock, p.prompt, p.dialogs, p.clipboard));
  auto application = std::make_unique<CommandSet<int>>();
  application->Add(kCmdNew, [this] {
    if (!m->document.SaveModified()) return;
    m->document.NewDocument();
    m->tree.InitialLoad();
    m->body.InitialLoad();
  });
  application->Add(kCmdOpen, [this] {
    OpenFileRequest request;
    request.title = res::kOpenTitle.toString();
    request.defaultExtension = QStringLiteral("qmp");
    request.initialName = QStringLiteral("*.qmp");
    request.filters = res::kOpenFilters.toString();
    request.initialFolder =
        Read(m->settings, settings::kInitDir,
             QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    // The filter the user left chosen is remembered; the memo filter (the
    // third) opens that one file as a memo file whatever its name.
    const int remembered = Read(m->settings, settings::kFileOpenType);
    if (const auto answer = m->dialogs.ChooseDocumentToOpen(request, remembered - 1)) {
      const int chosen = answer->filterIndex + 1;
      if (chosen > 0) Write(m->settings, settings::kFileOpenType, chosen);
      OpenFile(answer->path, chosen == 3);
    }
  });
  for (int i = 0; i <= kCmdRecentFileLast - kCmdRecentFileFirst; ++i) {
    application->Add(
        kCmdRecentFileFirst + i,
        [this, i] {
          if (i < m->recent.Entries().size()) OpenFile(m->recent.Entries()[i]);
        },
        [this, i](const int&) { return EnabledIf(i < m->recent.Entries().size()); });
  }
  application->Add(kCmdAssociateFileType, [this] {
    if (m->prompt.Ask(res::kAskAssociate.toString(), PromptButtons::OkCancel,
                      PromptIcon::Question) == PromptAnswer::Ok) {
      FileAssociation(QCoreApplication::applicationFilePath()).Register();
    }
  });
  // The font of the pane that has the focus: the dialog starts on the
  // current face, size and boldness; the choice is applied and kept.
  application->Add(kCmdFont, [this] {
    const bool body = m->window.BodyWidget()->hasFocus();
    if (body) m->document.WriteBodyBack();
    QWidget* pane = body ? static_cast<QWidget*>(m->window.BodyWidget())
                         : static_cast<QWidget*>(m->window.TreeWidget());
    bool ok = false;
    QFont font = QFontDialog::getFont(&ok, pane->font(), &m->window);
    if (!ok) return;
    font.setWeight(font.bold() ? QFont::Bold : QFont::Normal);
    pane->setFont(font);
    const FontSettings& keys = body ? kBodyFont : kTreeFont;
    Write(m->settings, keys.face, font.family());
    Write(m->settings, keys.point, font.pointSize());
    Write(m->settings, keys.weight, font.bold() ? 700 : 400);
    Write(m->settings, keys.italic, font.italic() ? 1 : 0);
    Write(m->settings, keys.underline, font.underline() ? 1 : 0);
    Write(m->settings, keys.charSet, keys.charSet.fallback);  // kept for older readers
  });
  // The command-bar button that lists the recent files under itself.
  application->Add(
      kCmdRecentFilePopup,
      [this] {
        QMenu menu(&m->window);
        const QStringList names = m->recent.DisplayNames();
        for (int i = 0; i < names.size(); ++i) {
          if (QAction* action = m->window.ActionOf(kCmdRecentFileFirst + i)) menu.addAction(action);
        }
        menu.exec(m->window.PopupPointFor(kCmdRecentFilePopup));
      },
      [this](const int&) { return EnabledIf(!m->recent.Entries().isEmpty()); });
  // Starts editing the selected node's label in place (F2 does the same).
  application->Add(
      kCmdEditLabel,
      [this] {
        QTreeWidget* tree = m->window.TreeWidget();
        if (tree->currentItem() != nullptr) tree->editItem(tree->currentItem());
      },
      [this](const int&) {
        return EnabledIf(m->window.TreeWidget()->hasFocus() &&
                         m->window.TreeWidget()->currentItem() != nullptr);
      });
  application->Add(kCmdVersionInfo, [this] {
    m->prompt.Ask(res::kVersionInfo.toString().arg(QCoreApplication::applicationVersion()),
                  PromptButtons::Ok, PromptIcon::Information);
  });
  p.applicationCommands = std::move(application);
  p.router.SetDocument(&p.documentCommands);
  p.router.SetFrame(&p.frame.Commands());
  p.router.SetApplication(p.applicationCommands.get());
  p.router.SetFocusedPane(&p.treeCommands);

  QTreeWidget* treeWidget = p.window.TreeWidget();
  treeWidget->setEditTriggers(QAbstractItemView::SelectedClicked |
                              QAbstractItemView::EditKeyPressed);
  // Selection: leaving a node writes its body back, arriving loads the new one.
  QObject::connect(treeWidget, &QTreeWidget::currentItemChanged, treeWidget,
                   [this](QTreeWidgetItem* current, QTreeWidgetItem* previous) {
                     if (!m->selectionEventsOn) return;
                     m->tree.OnSelectionChanging(QtTreeControl::HandleOf(previous));
                     m->tree.OnSelectionChanged(QtTreeControl::HandleOf(current));
                     m->window.RefreshCommandStates();
                   });
  QObject::connect(treeWidget, &QTreeWidget::itemExpanded, treeWidget, [this](QTreeWidgetItem* it) {
    if (!m->shuttingDown) m->tree.OnItemExpanded(QtTreeControl::HandleOf(it), true);
  });
  QObject::connect(treeWidget, &QTreeWidget::itemCollapsed, treeWidget,
                   [this](QTreeWidgetItem* it) {
                     if (!m->shuttingDown) {
                       m->tree.OnItemExpanded(QtTreeControl::HandleOf(it), false);
                     }
                   });
  QObject::connect(treeWidget, &QTreeWidget::itemDoubleClicked, treeWidget,
                   [this](QTreeWidgetItem*, int) {
                     m->tree.OnDoubleTap();
                     m->window.RefreshCommandStates();
                   });
  // A finished label edit goes to the pane; the store sets the label itself.
  treeWidget->setItemDelegate(new LabelDelegate(treeWidget, [this](const QString& text) {
    m->tree.OnLabelEdited(text);
    m->window.RefreshCommandStates();
  }));
  // Tap-and-hold (right click): the tree's menu; small screens leave out
  // the level commands.
  treeWidget->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(treeWidget, &QWidget::customContextMenuRequested, treeWidget,
                   [this, treeWidget](const QPoint& at) {
                     // Small screens get the menu without the level commands.
                     if (m->window.ScreenSize().height() <= 240) {
                       ShowContextMenu(m->window, treeWidget->viewport(), at,
                                       {kCmdEditNode, kCmdOpenLinkFile, 0, kCmdCut, kCmdCopy,
                                        kCmdPaste, 0, kCmdAddChild, kCmdAddSibling, 0,
                                        kCmdShowWholeBranch, 0, kCmdToggleCheck});
                     } else {
                       ShowContextMenu(m->window, treeWidget->viewport(), at,
                                       {kCmdEditNode, kCmdOpenLinkFile, 0, kCmdCut, kCmdCopy,
                                        kCmdPaste, 0, kCmdAddChild, kCmdAddSibling, 0,
                                        kCmdLevelUp, kCmdLevelDown, kCmdShowWholeBranch, 0,
                                        kCmdToggleCheck});
                     }
                   });
  editor->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(editor, &QWidget::customContextMenuRequested, editor,
                   [this, editor](const QPoint& at) {
                     ShowContextMenu(m->window, editor->viewport(), at,
                                     {kCmdUndo, 0, kCmdCut, kCmdCopy, kCmdPaste, 0, kCmdSelectAll});
                   });
  new EventHook(treeWidget, [this](QEvent* event) {
    if (m->shuttingDown || event->type() != QEvent::KeyPress) return false;
    const bool used = m->tree.OnKey(KeyPressOf(*static_cast<QKeyEvent*>(event)));
    if (used) m->window.RefreshCommandStates();
    return used;
  });

  // The body pane.
  QObject::connect(editor, &QPlainTextEdit::textChanged, editor, [this] {
    if (!m->shuttingDown) m->body.OnTextChanged();
  });
  new EventHook(editor, [this, editor](QEvent* event) {
    if (m->shuttingDown) return false;
    if (event->type() == QEvent::FocusOut) m->body.OnFocusLost();
    if (event->type() == QEvent::FocusIn) m->body.OnFocusGained();
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const KeyPress press = KeyPressOf(*key);
    if (m->body.OnKeyDown(press)) return true;
    if (press.code == kKeyEnter && press.IsPlain()) {
      m->body.OnEnter();
      return true;
    }
    QTimer::singleShot(0, editor, [this, code = press.code] { m->body.OnKeyHandled(code); });
    return false;
  });

  // Commands go to the pane that has the focus.
  QObject::connect(qApp, &QApplication::focusChanged, &p.window, [this](QWidget*, QWidget* now) {
    if (m->shuttingDown) return;
    if (now == m->window.TreeWidget()) {
      m->router.SetFocusedPane(&m->treeCommands);
    } else if (now == m->window.BodyWidget()) {
      m->router.SetFocusedPane(&m->bodyCommands);
    }
    m->window.RefreshCommandStates();
  });

  p.window.closeHandler = [this] { return m->document.CanCloseFrame(); };
  p.window.destroyHandler = [this] {
    m->frame.OnDestroy();
    m->recent.Save(m->settings);
  };
  p.window.resizeHandler = [this](QSize client) { m->frame.OnSize(client); };
}

QuillmapApp::~QuillmapApp() {
  // The widgets outlive the behaviour behind them by a little: from here on
  // their events (focus changes while the window goes) reach nothing.
  m->shuttingDown = true;
  m->selectionEventsOn = false;
}

MainWindow& QuillmapApp::Window() { return m->window; }
CQuillmapDoc& QuillmapApp::Document() { return m->document; }
CommandRouter& QuillmapApp::Router() { return m->router; }

bool QuillmapApp::Start(const QString& file, bool singleInstance) {
  Parts& p = *m;
  if (singleInstance) {
    if (p.instance.HandOffToRunning(file.isEmpty() ? QString()
                                                   : QFileInfo(file).absoluteFilePath())) {
      return false;
    }
    p.instance.Listen([this](const QString& handed) {
      if (!handed.isEmpty()) OpenFile(handed);
      m->window.showNormal();
      m->window.raise();
      m->window.activateWindow();
    });
  }

  const QSize screen = p.window.ScreenSize();
  const bool landscape = screen.width() > screen.height();
  p.recent = RecentFileList(Read(p.settings, settings::kMru, landscape ? 10 : 5));
  p.recent.Load(p.settings);
  FileAssociation(QCoreApplication::applicationFilePath()).RegisterIfMissing();

  // The soft-key menu setting takes effect at start only.
  p.window.SetSoftKeyMenuBar(Read(p.settings, settings::kSoftKeyMenu) != 0);
  p.window.BuildMenus(p.recent.DisplayNames());
  p.window.BuildCommandBar();
  p.window.TreeWidget()->setFont(
      FontFromSettings(p.settings, kTreeFont, p.window.TreeWidget()->font()));
  QPlainTextEdit* editor = p.window.BodyWidget();
  editor->setFont(FontFromSettings(p.settings, kBodyFont, editor->font()));
  const BodyPaneColours colours = p.body.Colours();
  QPalette palette = editor->palette();
  palette.setColor(QPalette::Text, ColourOf(colours.text));
  palette.setColor(QPalette::Base, ColourOf(colours.back));
  editor->setPalette(palette);
  p.window.resize(screen.width() * 3 / 4, screen.height() * 3 / 4);
  p.window.show();
  QCoreApplication::processEvents();
  p.frame.CreateClient();

  const QString last = Read(p.settings, settings::kLastFile);
  if (!file.isEmpty()) {
    p.document.OpenDocument(file);
  } else if (Read(p.settings, settings::kReopenLastFile) != 0 && !last.isEmpty()) {
    p.document.OpenDocument(last);
  } else {
    p.document.NewDocument();
  }
  p.tree.InitialLoad();
  p.body.InitialLoad();
  p.selectionEventsOn = true;
  p.window.RefreshCommandStates();
  return true;
}

bool QuillmapApp::OpenFile(const QString& path, bool asMemo) {
  if (!m->document.SaveModified()) return false;
  m->selectionEventsOn = false;
  m->document.OpenDocument(path, asMemo);
  m->tree.InitialLoad();
  m->body.InitialLoad();
  m->selectionEventsOn = true;
  m->window.RefreshCommandStates();
  return true;
}

void QuillmapApp::FocusBodyPane() { m->window.BodyWidget()->setFocus(); }
void QuillmapApp::FocusTreePane() { m->window.TreeWidget()->setFocus(); }
bool QuillmapApp::BodyPaneHasFocus() const { return m->window.BodyWidget()->hasFocus(); }
void QuillmapApp::SendToFrame(int commandId) {
  QTimer::singleShot(0, &m->window, [this, commandId] { m->window.RunCommand(commandId); });
}
void QuillmapApp::CloseMainWindow() {
  QTimer::singleShot(0, &m->window, [this] { m->window.close(); });
}
void QuillmapApp::SetWaitCursor(bool on) {
  if (on) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}
bool QuillmapApp::IsLandscape() const { return m->frame.IsLandscape(); }

}  // namespace qm
