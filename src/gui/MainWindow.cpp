// MainWindow: menus, context menus, command bar and splitter around the two panes.
#include "gui/MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include "app/CommandRouter.h"
#include "app/CommandTable.h"
#include "app/KeyBindings.h"
#include "app/MainFrame.h"
#include "gui/CommandIcons.h"

namespace qm {
namespace {}  // namespace

MainWindow::MainWindow(CommandRouter& router)
    : m_router(router),
      m_splitter(new QSplitter(this)),
      m_tree(new QTreeWidget(m_splitter)),
      m_body(new QPlainTextEdit(m_splitter)) {
  setObjectName(QStringLiteral("mainWindow"));
  setWindowTitle(CMainFrame::WindowTitle());
  m_splitter->setObjectName(QStringLiteral("splitter"));
  m_splitter->setChildrenCollapsible(true);
  m_tree->setObjectName(QStringLiteral("treePane"));
  m_body->setObjectName(QStringLiteral("bodyPane"));
  setCentralWidget(m_splitter);
}

QAction* MainWindow::ActionFor(int id, const QString& text) {
  QAction*& action = m_actions[id];
  if (action == nullptr) {
    action = new QAction(text, this);
    action->setObjectName(QStringLiteral("cmd%1").arg(id));
    connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    ShowKeyText(id, action);
  }
  return action;
}

void MainWindow::SetKeyTextSource(std::function<QString(int id)> keyTextFor) {
  m_keyTextFor = std::move(keyTextFor);
  RefreshKeyTexts();
}

void MainWindow::RefreshKeyTexts() {
  for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) ShowKeyText(it.key(), *it);
}

void MainWindow::ShowKeyText(int id, QAction* action) const {
  // Qt shows the text after a tab as the item's shortcut; the key itself
  // reaches the command through the key bindings, not through Qt.
  // Slots show file names and node titles, which may hold tabs themselves.
  const bool slot = (id >= kCmdRecentFileFirst && id < kCmdRecentFileFirst + kRecentFileCapacity) ||
                    (id >= kCmdMarkEntryFirst && id < kCmdMarkEntryFirst + kMarkEntryCapacity);
  if (m_keyTextFor && !slot && !action->text().isEmpty()) {
    action->setText(MenuTextWithKey(action->text(), m_keyTextFor(id)));
  }
}

void MainWindow::RunCommand(int id) {
  m_router.Execute(id);
  RefreshCommandStates();
}

QMenu* MainWindow::AddMenu(QMenu* parent, const QString& title,
                           const std::vector<MenuItem>& items) {
  QMenu* menu = parent != nullptr ? parent->addMenu(title) : new QMenu(title, this);
  AddMenuItems(menu, items);
  connect(menu, &QMenu::aboutToShow, this, &MainWindow::RefreshCommandStates);
  return menu;
}

void MainWindow::AddMenuItems(QMenu* menu, const std::vector<MenuItem>& items) {
  for (const MenuItem& item : items) {
    if (item.separator) {
      menu->addSeparator();
    } else if (!item.children.empty()) {
      AddMenu(menu, item.text, item.children)
          ->setObjectName(QStringLiteral("submenu_") + WithoutAccessKey(item.text));
    } else {
      QAction* action = ActionFor(item.id, item.text);
      action->setCheckable(item.checkable);
      // A slot shows only once the program has something to put there.
      if (item.slot) action->setVisible(!action->text().isEmpty());
      menu->addAction(action);
    }
  }
}

void MainWindow::BuildMenus(bool softKeyMenuBar) {
  m_softKeyMenuBar = softKeyMenuBar;
  const OfferedCommands offered = [this](int id) { return m_router.IsOffered(id); };
  // The soft-key menus exist either way: their buttons or the menu bar show them.
  const QList<MenuModel> softKeys = BuildSoftKeyMenus(offered);
  for (int i = 0; i < 2; ++i) {
    m_softKeyMenus[i] =
        AddMenu(nullptr, softKeys[i].title, {softKeys[i].items.begin(), softKeys[i].items.end()});
    m_softKeyMenus[i]->setObjectName(QStringLiteral("softKeyMenu%1").arg(i));
  }
  if (m_softKeyMenuBar) {
    for (QMenu* menu : m_softKeyMenus) menuBar()->addMenu(menu);
  } else {
    for (const MenuModel& model : BuildMenuBar(offered)) {
      QMenu* menu = AddMenu(nullptr, model.title, {model.items.begin(), model.items.end()});
      menu->setObjectName(QStringLiteral("menu%1").arg(static_cast<int>(model.menu)));
      menuBar()->addMenu(menu);
    }
  }
  BuildCommandBar();
  RefreshCommandStates();
}

void MainWindow::FillSlots(int firstId, int capacity, const QStringList& texts) {
  for (int i = 0; i < capacity; ++i) {
    QAction* action = ActionOf(firstId + i);
    if (action == nullptr) continue;
    action->setText(i < texts.size() ? texts[i] : QString());
    action->setVisible(i < texts.size());
  }
  ScheduleRefresh();
}

void MainWindow::SetRecentFiles(const QStringList& displayNames) {
  QStringList texts;
  for (int i = 0; i < displayNames.size() && i < kRecentFileCapacity; ++i) {
    texts << RecentFileMenuText(i + 1, displayNames[i]);
  }
  // Before the menus exist the texts wait in the actions made for them.
  for (int i = 0; i < kRecentFileCapacity; ++i) ActionFor(kCmdRecentFileFirst + i, QString());
  FillSlots(kCmdRecentFileFirst, kRecentFileCapacity, texts);
}

void MainWindow::SetMarkLabels(const QStringList& labels) {
  QStringList texts;
  for (int i = 0; i < labels.size() && i < kMarkEntryCapacity; ++i) {
    texts << MarkEntryMenuText(labels[i]);
  }
  for (int i = 0; i < kMarkEntryCapacity; ++i) ActionFor(kCmdMarkEntryFirst + i, QString());
  FillSlots(kCmdMarkEntryFirst, kMarkEntryCapacity, texts);
}

void MainWindow::SetDocumentTitle(const QString& title, bool modified) {
  setWindowTitle(CMainFrame::WindowTitleFor(title));
  setWindowModified(modified);
}

void MainWindow::BuildCommandBar() {
  const QSize window = WindowSize();
  m_barLayout = CommandBarFor(window.width(), window.height());
  delete m_commandBar;
  m_commandBar = addToolBar(QString());
  m_commandBar->setObjectName(QStringLiteral("commandBar"));
  m_commandBar->setMovable(false);
  m_commandBar->setIconSize(QSize(16, 16));
  // With the soft-key menu bar the command bar carries no buttons, as the
  // soft keys replace them.
  if (m_softKeyMenuBar) return;
  for (const res::CommandBarButton& button : m_barLayout) {
    if (button.id == 0) {
      m_commandBar->addSeparator();
      continue;
    }
    const res::CommandInfo* info = FindCommand(button.id);
    const QString text = info != nullptr ? info->menuText.toString() : QString();
    QAction* action = ActionFor(button.id, text);
    action->setIcon(CommandIcons::Icon(button.id));
    action->setToolTip(PlainCommandText(button.id));
    m_commandBar->addAction(action);
  }
  // The two soft keys, at the far end as on the handheld. Their access keys
  // belong to the menu bar's menus.
  QWidget* spacer = new QWidget(m_commandBar);
  spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  m_commandBar->addWidget(spacer);
  for (int i = 0; i < 2; ++i) {
    auto* button = new QToolButton(m_commandBar);
    button->setObjectName(QStringLiteral("softKey%1").arg(i));
    button->setText(WithoutAccessKey(res::kSoftKeyMenuTitles[i]));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setMenu(m_softKeyMenus[i]);
    m_commandBar->addWidget(button);
  }
}

std::unique_ptr<QMenu> MainWindow::MakeContextMenu(Pane pane) {
  const std::span<const res::ContextMenuEntry> entries =
      pane == Pane::Tree ? std::span<const res::ContextMenuEntry>(res::kTreeContextMenu)
                         : std::span<const res::ContextMenuEntry>(res::kBodyContextMenu);
  const bool tallScreen = ScreenSize().height() > res::kShortContextMenuMaxHeight;
  auto menu = std::make_unique<QMenu>(this);
  menu->setObjectName(pane == Pane::Tree ? QStringLiteral("treeContextMenu")
                                         : QStringLiteral("bodyContextMenu"));
  for (const MenuItem& item : BuildContextMenu(
           entries, [this](int id) { return m_router.IsOffered(id); }, tallScreen)) {
    if (item.separator) {
      menu->addSeparator();
    } else {
      QAction* action = ActionFor(item.id, item.text);
      action->setCheckable(item.checkable);
      menu->addAction(action);
    }
  }
  RefreshCommandStates();
  return menu;
}

void MainWindow::ShowContextMenu(Pane pane, const QPoint& globalPosition) {
  MakeContextMenu(pane)->exec(globalPosition);
}

void MainWindow::RefreshCommandStates() {
  m_refreshDue = false;
  const CommandStates states = m_router.UpdateAll();
  for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
    const CommandState state = states.value(it.key());
    it.value()->setEnabled(state.enabled);
    if (it.value()->isCheckable()) it.value()->setChecked(state.checked);
  }
}

void MainWindow::ScheduleRefresh() {
  if (m_refreshDue) return;
  m_refreshDue = true;
  QTimer::singleShot(0, this, [this] {
    if (m_refreshDue) RefreshCommandStates();
  });
}

QPoint MainWindow::PopupPointFor(int id) const {
  if (m_commandBar != nullptr) {
    if (QAction* action = ActionOf(id)) {
      if (QWidget* button = m_commandBar->widgetForAction(action)) {
        return button->mapToGlobal(QPoint(0, button->height() + 1));
      }
    }
  }
  return mapToGlobal(QPoint(0, 0));
}

void MainWindow::PopUpRecentFiles() {
  QMenu menu(this);
  menu.setObjectName(QStringLiteral("recentFilePopup"));
  for (int id = kCmdRecentFileFirst; id <= kCmdRecentFileLast; ++id) {
    QAction* action = ActionOf(id);
    if (action != nullptr && action->isVisible()) menu.addAction(action);
  }
  menu.exec(PopupPointFor(kCmdRecentFilePopup));
}

QSize MainWindow::ScreenSize() const {
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry().size() : QSize(1024, 768);
}

QSize MainWindow::WindowSize() const { return size(); }

QSize MainWindow::ClientSize() const { return m_splitter->size(); }

void MainWindow::CreateSplitter(bool rows, int firstSize) {
  m_splitter->setOrientation(rows ? Qt::Vertical : Qt::Horizontal);
  const int whole = rows ? m_splitter->height() : m_splitter->width();
  m_splitter->setSizes({firstSize, qMax(1, whole - firstSize)});
}

void MainWindow::SetSplitRows(bool rows) {
  m_splitter->setOrientation(rows ? Qt::Vertical : Qt::Horizontal);
}

int MainWindow::FirstPaneSize() const { return m_splitter->sizes().value(0); }

void MainWindow::SetPaneSizes(int first, int second) { m_splitter->setSizes({first, second}); }

void MainWindow::ActivatePane(Pane pane) {
  if (pane == Pane::Tree) {
    m_tree->setFocus();
  } else {
    m_body->setFocus();
  }
}

std::optional<QString> MainWindow::ChooseFolder(const QString& prompt, const QString& start) {
  const QString folder = QFileDialog::getExistingDirectory(this, prompt, start);
  if (folder.isEmpty()) return std::nullopt;
  return folder;
}

QByteArray MainWindow::Placement() const { return saveGeometry(); }

bool MainWindow::RestorePlacement(const QByteArray& placement) {
  return restoreGeometry(placement);
}

void MainWindow::ResizeWindow(QSize size) { resize(size); }

QString MainWindow::ManualPath() const {
  // Installed beside the program, or in the source tree while developing.
  const QString programDir = QCoreApplication::applicationDirPath();
  for (const QString& candidate : {programDir + QStringLiteral("/../share/quillmap/manual.html"),
                                   QStringLiteral(QM_DOCS_DIR "/manual.html")}) {
    if (QFileInfo::exists(candidate)) return QFileInfo(candidate).canonicalFilePath();
  }
  return {};
}

bool MainWindow::OpenManual(const QString& path) {
  QUrl url = QUrl::fromLocalFile(path);
  url.setFragment(QStringLiteral("Main_Contents"));
  return QDesktopServices::openUrl(url);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (closeHandler && !closeHandler()) {
    event->ignore();
    return;
  }
  if (destroyHandler) destroyHandler();
  event->accept();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (m_commandBar != nullptr) {
    const QSize window = WindowSize();
    if (CommandBarFor(window.width(), window.height()).data() != m_barLayout.data()) {
      BuildCommandBar();
      RefreshCommandStates();
    }
  }
  if (resizeHandler) resizeHandler(m_splitter->size());
}

}  // namespace qm
