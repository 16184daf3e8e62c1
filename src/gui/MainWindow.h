// MainWindow: the program's one top-level window — the menu bar and the
// command bar built from the command table, and the splitter that holds the
// tree pane's and the body pane's widgets. It is the FrameHost of CMainFrame
// and hands every command to the command router; enabled and checked states
// come from the router each time they may have changed.
//
// The router, the frame behaviour and the pane widgets are not owned except
// through Qt's parent/child ownership of widgets. closeHandler, when set,
// decides whether the window may close (unsaved changes).
#pragma once

#include <QAction>
#include <QHash>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTreeWidget>
#include <functional>

#include "app/FrameHost.h"
#include "app/MenuModel.h"

namespace qm {

class CommandRouter;

class MainWindow : public QMainWindow, public FrameHost {
 public:
  explicit MainWindow(CommandRouter& router);

  QTreeWidget* TreeWidget() const { return m_tree; }
  QPlainTextEdit* BodyWidget() const { return m_body; }

  // (Re)builds the menus; recentNames are the recent files' display names.
  // Only commands something handles are offered.
  void BuildMenus(const QStringList& recentNames);
  // The marks menu's entries: the marked nodes' labels in outline order.
  void SetMarkLabels(const QStringList& labels);
  // Builds the command bar in the layout that suits the screen, with the two
  // soft-key buttons at its end.
  void BuildCommandBar();
  // With on, the menu bar holds just the two soft-key menus and the command
  // bar no buttons ("System"/"SoftKeyMenu"). Call before building either.
  void SetSoftKeyMenuBar(bool on) { m_softKeyMenuBar = on; }
  QMenu* SoftKeyMenu(int i) const { return m_softKeyMenus[i]; }
  // Asks the router for every command's state and shows it.
  void RefreshCommandStates();
  // The action of a command (menu item or button), or nullptr.
  QAction* ActionOf(int id) const { return m_actions.value(id); }
  // Runs a command as the menu would.
  void RunCommand(int id);
  // Where a popup for a command-bar button goes: just below the button's
  // left edge (the window's top-left when the button is not shown).
  QPoint PopupPointFor(int id) const;

  std::function<bool()> closeHandler;
  std::function<void()> destroyHandler;
  std::function<void(QSize)> resizeHandler;

  // FrameHost.
  QSize ScreenSize() const override;
  QSize ClientSize() const override;
  void CreateSplitter(bool rows, int firstSize) override;
  int FirstPaneSize() const override;
  void SetPaneSizes(int first, int second) override;
  void ActivatePane(Pane pane) override;
  std::optional<QString> ChooseFolder(const QString& prompt, const QString& start) override;
  bool OpenManual() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QAction* ActionFor(int id, const QString& text);
  void RebuildMenuBar();
  void AddMenuItems(QMenu* menu, const std::vector<MenuItem>& items);

  CommandRouter& m_router;
  QSplitter* m_splitter;
  QTreeWidget* m_tree;
  QPlainTextEdit* m_body;
  QToolBar* m_commandBar = nullptr;
  QHash<int, QAction*> m_actions;
  QStringList m_recentNames;
  QStringList m_markLabels;
  bool m_softKeyMenuBar = false;
  QMenu* m_softKeyMenus[2] = {};
};

}  // namespace qm
