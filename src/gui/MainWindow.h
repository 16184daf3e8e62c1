// MainWindow: the program's one top-level window — the menu bar, the
// soft-key menus, the context menus and the command bar, all built from the
// command table, and the splitter that holds the tree pane's and the body
// pane's widgets. It is the FrameHost of CMainFrame and hands every command
// to the command router.
//
// The menus are built once, with every command something handles; the
// recent files and the marked nodes fill slots that stay hidden while
// empty. Enabled and checked states come from the router each time a menu
// opens and soon after anything that may change them (ScheduleRefresh), so
// they always follow the pane that has the focus. The command bar takes the
// wide or narrow layout by the window's shape.
//
// The router and the pane widgets are not owned except through Qt's
// parent/child ownership of widgets. closeHandler, when set, decides whether
// the window may close (unsaved changes).
#pragma once

#include <QAction>
#include <QHash>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTreeWidget>
#include <functional>
#include <span>

#include "app/FrameHost.h"
#include "app/MenuModel.h"

class QToolBar;

namespace qm {

class CommandRouter;

class MainWindow : public QMainWindow, public FrameHost {
 public:
  explicit MainWindow(CommandRouter& router);

  QTreeWidget* TreeWidget() const { return m_tree; }
  QPlainTextEdit* BodyWidget() const { return m_body; }

  // Builds the menus and the command bar. With softKeyMenuBar the menu bar
  // holds just the two soft-key menus and the command bar no buttons
  // ("System"/"SoftKeyMenu", read at start). Call once every command
  // target is registered with the router.
  void BuildMenus(bool softKeyMenuBar);
  // The recent files' display names, most recent first.
  void SetRecentFiles(const QStringList& displayNames);
  // The marks menu's entries: the marked nodes' labels in outline order.
  void SetMarkLabels(const QStringList& labels);
  // The window title for the document, with the unsaved-changes marker.
  void SetDocumentTitle(const QString& title, bool modified);
  QMenu* SoftKeyMenu(int i) const { return m_softKeyMenus[i]; }
  // A pane's context menu at a point of the screen; short screens leave
  // out the commands meant for tall ones.
  void ShowContextMenu(Pane pane, const QPoint& globalPosition);
  // The context menu as it would show now (for ShowContextMenu and tests).
  std::unique_ptr<QMenu> MakeContextMenu(Pane pane);

  // Where menu items find the key text they show after a tab (empty: none).
  void SetKeyTextSource(std::function<QString(int id)> keyTextFor);
  // Shows every command's key text again; the bindings changed.
  void RefreshKeyTexts();

  // Asks the router for every command's state and shows it.
  void RefreshCommandStates();
  // Refreshes once control returns to the event loop; calls in between
  // cost nothing more.
  void ScheduleRefresh();
  // The action of a command (menu item or button), or nullptr.
  QAction* ActionOf(int id) const { return m_actions.value(id); }
  // Runs a command as the menu would.
  void RunCommand(int id);
  // Where a popup for a command-bar button goes: just below the button's
  // left edge (the window's top-left when the button is not shown).
  QPoint PopupPointFor(int id) const;
  // The recent files as a popup under their command-bar button.
  void PopUpRecentFiles();

  std::function<bool()> closeHandler;
  std::function<void()> destroyHandler;
  std::function<void(QSize)> resizeHandler;

  // FrameHost.
  QSize ScreenSize() const override;
  QSize WindowSize() const override;
  QSize ClientSize() const override;
  void CreateSplitter(bool rows, int firstSize) override;
  void SetSplitRows(bool rows) override;
  int FirstPaneSize() const override;
  void SetPaneSizes(int first, int second) override;
  void ActivatePane(Pane pane) override;
  std::optional<QString> ChooseFolder(const QString& prompt, const QString& start) override;
  QByteArray Placement() const override;
  bool RestorePlacement(const QByteArray& placement) override;
  void ResizeWindow(QSize size) override;
  QString ManualPath() const override;
  bool OpenManual(const QString& path) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QAction* ActionFor(int id, const QString& text);
  void ShowKeyText(int id, QAction* action) const;
  QMenu* AddMenu(QMenu* parent, const QString& title, const std::vector<MenuItem>& items);
  void AddMenuItems(QMenu* menu, const std::vector<MenuItem>& items);
  void FillSlots(int firstId, int capacity, const QStringList& texts);
  void BuildCommandBar();

  CommandRouter& m_router;
  QSplitter* m_splitter;
  QTreeWidget* m_tree;
  QPlainTextEdit* m_body;
  QToolBar* m_commandBar = nullptr;
  std::span<const res::CommandBarButton> m_barLayout;
  QHash<int, QAction*> m_actions;
  std::function<QString(int)> m_keyTextFor;
  bool m_softKeyMenuBar = false;
  bool m_refreshDue = false;
  QMenu* m_softKeyMenus[2] = {};
};

}  // namespace qm
