// DesktopApp: the Qt ports, the window and the workspace, and the wiring
// from the widgets' events to the panes.
#include "gui/DesktopApp.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTimer>

#include "app/CommandRouter.h"
#include "app/FileAssociation.h"
#include "app/Workspace.h"
#include "gui/DesktopHosts.h"
#include "gui/KeyCodes.h"
#include "gui/KeychainSecretStore.h"
#include "gui/MainWindow.h"
#include "gui/QtClipboard.h"
#include "gui/QtDialogs.h"
#include "gui/QtEditControl.h"
#include "gui/QtPrompt.h"
#include "gui/QtTransferWait.h"
#include "gui/QtTreeControl.h"
#include "gui/SingleInstance.h"
#include "net/QtHttpClient.h"
#include "platform/Clock.h"
#include "platform/ConnectionManager.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "res/Strings.h"

namespace qm {
namespace {

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

// Members in construction order: widgets and ports before the behaviour
// that uses them.
struct DesktopApp::Members {
  explicit Members(SettingsStore& store)
      : settings(store),
        window(router),
        prompt(&window),
        dialogs(&window, &store),
        treeControl(*window.TreeWidget()),
        editControl(*window.BodyWidget()),
        hosts(window),
        association(QCoreApplication::applicationFilePath()),
        transferWait(&window),
        workspace({settings, clock, prompt, DialogPorts::Of(dialogs), treeControl, editControl,
                   clipboard, launcher, hosts, hosts, window, association, router,
                   WebPorts{http, transferWait, connections, QString(), &keyring}}) {}

  SettingsStore& settings;
  SystemClock clock;
  CommandRouter router;
  MainWindow window;
  QtPrompt prompt;
  QtDialogs dialogs;
  QtTreeControl treeControl;
  QtEditControl editControl;
  QtClipboard clipboard;
  QtLauncher launcher;
  DesktopHosts hosts;
  FileAssociation association;
  // The web outline service: the desktop keeps its own network up, so every
  // link counts as available.
  QtHttpClient http;
  QtTransferWait transferWait;
  AlwaysConnected connections;
  KeychainSecretStore keyring;
  Workspace workspace;
  SingleInstance instance;
  // Set while the window goes: the widgets outlive the behaviour behind
  // them by a little, and their last events must reach nothing.
  bool shuttingDown = false;
};

DesktopApp::DesktopApp(SettingsStore& settings) : m(std::make_unique<Members>(settings)) {
  ConnectTreeWidget();
  ConnectBodyWidget();
  ConnectWindow();
}

DesktopApp::~DesktopApp() { m->shuttingDown = true; }

MainWindow& DesktopApp::Window() { return m->window; }
CQuillmapDoc& DesktopApp::Document() { return m->workspace.Document(); }
CommandRouter& DesktopApp::Router() { return m->router; }
Workspace& DesktopApp::Parts() { return m->workspace; }

void DesktopApp::ConnectTreeWidget() {
  QTreeWidget* widget = m->window.TreeWidget();
  CQTreeView& tree = m->workspace.TreePane();
  widget->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
  // Selection: leaving a node writes its body back, arriving loads the new one.
  QObject::connect(widget, &QTreeWidget::currentItemChanged, widget,
                   [this, &tree](QTreeWidgetItem* current, QTreeWidgetItem* previous) {
                     if (m->shuttingDown) return;
                     tree.OnSelectionChanging(QtTreeControl::HandleOf(previous));
                     tree.OnSelectionChanged(QtTreeControl::HandleOf(current));
                     m->window.ScheduleRefresh();
                   });
  QObject::connect(widget, &QTreeWidget::itemExpanded, widget, [this, &tree](QTreeWidgetItem* it) {
    if (!m->shuttingDown) tree.OnItemExpanded(QtTreeControl::HandleOf(it), true);
  });
  QObject::connect(widget, &QTreeWidget::itemCollapsed, widget, [this, &tree](QTreeWidgetItem* it) {
    if (!m->shuttingDown) tree.OnItemExpanded(QtTreeControl::HandleOf(it), false);
  });
  QObject::connect(widget, &QTreeWidget::itemDoubleClicked, widget,
                   [this, &tree](QTreeWidgetItem*, int) {
                     tree.OnDoubleTap();
                     m->window.ScheduleRefresh();
                   });
  // A finished label edit goes to the pane; the store sets the label itself.
  widget->setItemDelegate(new LabelDelegate(widget, [this, &tree](const QString& text) {
    tree.OnLabelEdited(text);
    m->window.ScheduleRefresh();
  }));
  // Tap-and-hold (right click): the tree's menu.
  widget->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(widget, &QWidget::customContextMenuRequested, widget,
                   [this, widget](const QPoint& at) {
                     m->window.ShowContextMenu(Pane::Tree, widget->viewport()->mapToGlobal(at));
                   });
  new EventHook(widget, [this, &tree, widget](QEvent* event) {
    if (m->shuttingDown || event->type() != QEvent::KeyPress) return false;
    // The label editor's own keys (its Return ends the edit) pass through
    // the tree on their way; they are the editor's, not the pane's.
    if (QApplication::focusWidget() != widget) return false;
    const KeyPress press = KeyPressOf(*static_cast<QKeyEvent*>(event));
    const bool used = RunFrameKey(Pane::Tree, press) || tree.OnKey(press);
    if (used) m->window.ScheduleRefresh();
    return used;
  });
}

bool DesktopApp::RunFrameKey(Pane focused, const KeyPress& press) {
  const int command = m->workspace.Keys().FrameCommandFor(focused, press);
  if (command == 0) return false;
  m->window.RunCommand(command);
  return true;
}

void DesktopApp::ConnectBodyWidget() {
  QPlainTextEdit* editor = m->window.BodyWidget();
  CQEditView& body = m->workspace.BodyPane();
  QObject::connect(editor, &QPlainTextEdit::textChanged, editor, [this, &body] {
    if (m->shuttingDown) return;
    body.OnTextChanged();
    m->window.ScheduleRefresh();
  });
  // Cut and copy follow the selection, undo the editor's history.
  QObject::connect(editor, &QPlainTextEdit::selectionChanged, &m->window,
                   &MainWindow::ScheduleRefresh);
  editor->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(editor, &QWidget::customContextMenuRequested, editor,
                   [this, editor](const QPoint& at) {
                     m->window.ShowContextMenu(Pane::Body, editor->viewport()->mapToGlobal(at));
                   });
  new EventHook(editor, [this, editor, &body](QEvent* event) {
    if (m->shuttingDown) return false;
    if (event->type() == QEvent::FocusOut) body.OnFocusLost();
    if (event->type() == QEvent::FocusIn) body.OnFocusGained();
    if (event->type() != QEvent::KeyPress) return false;
    const KeyPress press = KeyPressOf(*static_cast<QKeyEvent*>(event));
    if (RunFrameKey(Pane::Body, press) || body.OnKeyDown(press)) return true;
    if (press.code == kKeyEnter && press.IsPlain()) {
      body.OnEnter();
      return true;
    }
    QTimer::singleShot(0, editor, [this, &body, code = press.code] {
      if (!m->shuttingDown) body.OnKeyHandled(code);
    });
    return false;
  });
}

void DesktopApp::ConnectWindow() {
  // Commands go to the pane that has the focus (or had it last: a menu or
  // a dialog taking the focus leaves the pane where it was).
  QObject::connect(qApp, &QApplication::focusChanged, &m->window, [this](QWidget*, QWidget* now) {
    if (m->shuttingDown) return;
    if (now == m->window.TreeWidget()) m->router.SetFocusedPane(Pane::Tree);
    if (now == m->window.BodyWidget()) m->router.SetFocusedPane(Pane::Body);
    m->window.ScheduleRefresh();
  });
  // Coming back to the window is when another program's change to the
  // file is worth a question.
  QObject::connect(qApp, &QGuiApplication::applicationStateChanged, &m->window,
                   [this](Qt::ApplicationState state) {
                     if (!m->shuttingDown && state == Qt::ApplicationActive) {
                       m->workspace.App().CheckFileOnDisk();
                     }
                   });
  m->window.closeHandler = [this] { return m->workspace.Document().CanCloseFrame(); };
  m->window.destroyHandler = [this] {
    m->workspace.Frame().OnDestroy();
    m->workspace.Keys().Exit();
    m->workspace.App().Exit();
  };
  // Menu items show their keys after a tab, and follow every change.
  CKeyCustomisation& keys = m->workspace.Keys();
  m->window.SetKeyTextSource([&keys](int id) { return keys.MenuKeyTextFor(id); });
  keys.SetBindingsSink([this] { m->window.RefreshKeyTexts(); });
  m->window.resizeHandler = [this](QSize client) { m->workspace.Frame().OnSize(client); };
}

bool DesktopApp::Start(const QString& file, bool singleInstance) {
  bool othersStuck = false;
  if (singleInstance) {
    switch (m->instance.HandOffToRunning(file.isEmpty() ? QString()
                                                        : QFileInfo(file).absoluteFilePath())) {
      case SingleInstance::HandOff::Taken:
        return false;
      case SingleInstance::HandOff::NotResponding:
        // The running window is stuck: this one opens the file itself.
        othersStuck = true;
        break;
      case SingleInstance::HandOff::NobodyRunning:
        m->instance.Listen([this](const QString& handed) {
          if (!handed.isEmpty()) m->workspace.App().OpenFile(handed);
          m->window.showNormal();
          m->window.raise();
          m->window.activateWindow();
        });
        break;
    }
  }
  m->association.RegisterIfMissing();

  // The soft-key menu setting takes effect at start only.
  m->window.BuildMenus(Read(m->settings, settings::kSoftKeyMenu) != 0);
  m->workspace.Frame().RestorePlacement();
  m->window.show();
  QCoreApplication::processEvents();
  m->workspace.Frame().CreateClient();
  m->workspace.Keys().Start(QCoreApplication::applicationDirPath());
  m->workspace.App().Start(file);
  m->window.RefreshCommandStates();
  if (othersStuck) {
    m->prompt.Ask(res::kOtherWindowNotResponding.toString(), PromptButtons::Ok,
                  PromptIcon::Warning);
  }
  return true;
}

}  // namespace qm
