// MainWindow: menus, command bar and splitter around the two panes.
#include "gui/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include "app/CommandRouter.h"
#include "app/CommandTable.h"
#include "app/MenuModel.h"
#include "gui/CommandIcons.h"
#include "res/Strings.h"

namespace qm {

MainWindow::MainWindow(CommandRouter& router)
    : m_router(router),
      m_splitter(new QSplitter(this)),
      m_tree(new QTreeWidget(m_splitter)),
      m_body(new QPlainTextEdit(m_splitter)) {
  setObjectName(QStringLiteral("mainWindow"));
  setWindowTitle(res::kWindowTitle.toString());
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
  } else if (!text.isEmpty()) {
    action->setText(text);
  }
  return action;
}

void MainWindow::RunCommand(int id) {
  m_router.Execute(id);
  RefreshCommandStates();
}

void MainWindow::BuildMenus(const QStringList& recentNames) {
  m_recentNames = recentNames;
  RebuildMenuBar();
}

void MainWindow::SetMarkLabels(const QStringList& labels) {
  if (labels == m_markLabels) return;
  m_markLabels = labels;
  RebuildMenuBar();
}

void MainWindow::AddMenuItems(QMenu* menu, const std::vector<MenuItem>& items) {
  for (const MenuItem& item : items) {
    if (item.separator) {
      menu->addSeparator();
    } else if (!item.children.empty()) {
      QMenu* submenu = menu->addMenu(item.text);
      submenu->setObjectName(QStringLiteral("submenu_") + item.text);
      AddMenuItems(submenu, item.children);
      connect(submenu, &QMenu::aboutToShow, this, &MainWindow::RefreshCommandStates);
    } else {
      QAction* action = ActionFor(item.id, item.text);
      action->setCheckable(item.checkable);
      menu->addAction(action);
    }
  }
}

void MainWindow::RebuildMenuBar() {
  menuBar()->clear();
  const MenuContent content{m_recentNames, m_markLabels,
                            [this](int id) { return m_router.HandlerOf(id) != nullptr; }};
  // The soft-key menus are kept up to date either way: their buttons show them.
  const QList<MenuModel> softKeys = BuildSoftKeyMenus(content);
  for (int i = 0; i < 2; ++i) {
    QMenu*& menu = m_softKeyMenus[i];
    if (menu == nullptr) {
      menu = new QMenu(this);
      menu->setObjectName(QStringLiteral("softKeyMenu%1").arg(i));
      connect(menu, &QMenu::aboutToShow, this, &MainWindow::RefreshCommandStates);
    }
    menu->clear();
    menu->setTitle(softKeys[i].title);
    AddMenuItems(menu, std::vector<MenuItem>(softKeys[i].items.begin(), softKeys[i].items.end()));
  }
  if (m_softKeyMenuBar) {
    for (QMenu* menu : m_softKeyMenus) menuBar()->addMenu(menu);
  } else {
    for (const MenuModel& model : BuildMenuBar(content)) {
      QMenu* menu = menuBar()->addMenu(model.title);
      menu->setObjectName(QStringLiteral("menu%1").arg(static_cast<int>(model.menu)));
      AddMenuItems(menu, std::vector<MenuItem>(model.items.begin(), model.items.end()));
      connect(menu, &QMenu::aboutToShow, this, &MainWindow::RefreshCommandStates);
    }
  }
  RefreshCommandStates();
}

void MainWindow::BuildCommandBar() {
  delete m_commandBar;
  m_commandBar = addToolBar(QString());
  m_commandBar->setObjectName(QStringLiteral("commandBar"));
  m_commandBar->setMovable(false);
  m_commandBar->setIconSize(QSize(16, 16));
  // With the soft-key menu bar the command bar carries no buttons, as the
  // soft keys replace them.
  if (!m_softKeyMenuBar) {
    const QSize screen = ScreenSize();
    for (const res::CommandBarButton& button : CommandBarFor(screen.width(), screen.height())) {
      if (button.id == 0) {
        m_commandBar->addSeparator();
        continue;
      }
      const res::CommandInfo* info = FindCommand(button.id);
      QAction* action = ActionFor(button.id, QString());
      if (action->text().isEmpty() && info != nullptr) action->setText(info->menuText.toString());
      action->setIcon(CommandIcons::Icon(button.id));
      m_commandBar->addAction(action);
    }
    // The two soft keys, at the far end as on the handheld.
    QWidget* spacer = new QWidget(m_commandBar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_commandBar->addWidget(spacer);
    for (int i = 0; i < 2; ++i) {
      auto* button = new QToolButton(m_commandBar);
      button->setObjectName(QStringLiteral("softKey%1").arg(i));
      button->setText(res::kSoftKeyMenuTitles[i].toString());
      button->setToolButtonStyle(Qt::ToolButtonTextOnly);
      button->setPopupMode(QToolButton::InstantPopup);
      button->setMenu(m_softKeyMenus[i]);
      m_commandBar->addWidget(button);
    }
  }
  RefreshCommandStates();
}

void MainWindow::RefreshCommandStates() {
  const CommandStates states = m_router.UpdateAll();
  for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
    const CommandState state = states.value(it.key());
    it.value()->setEnabled(state.enabled);
    if (it.value()->isCheckable()) it.value()->setChecked(state.checked);
  }
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

QSize MainWindow::ScreenSize() const {
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry().size() : QSize(1024, 768);
}

QSize MainWindow::ClientSize() const { return m_splitter->size(); }

void MainWindow::CreateSplitter(bool rows, int firstSize) {
  m_splitter->setOrientation(rows ? Qt::Vertical : Qt::Horizontal);
  const int whole = rows ? m_splitter->height() : m_splitter->width();
  m_splitter->setSizes({firstSize, qMax(1, whole - firstSize)});
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

bool MainWindow::OpenManual() {
  // Installed beside the program, or in the source tree while developing.
  const QString programDir = QCoreApplication::applicationDirPath();
  for (const QString& candidate : {programDir + QStringLiteral("/../share/quillmap/manual.html"),
                                   QStringLiteral(QM_DOCS_DIR "/manual.html")}) {
    if (QFileInfo::exists(candidate)) {
      QUrl url = QUrl::fromLocalFile(QFileInfo(candidate).canonicalFilePath());
      url.setFragment(QStringLiteral("Main_Contents"));
      return QDesktopServices::openUrl(url);
    }
  }
  return false;
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
  if (resizeHandler) resizeHandler(m_splitter->size());
}

}  // namespace qm
