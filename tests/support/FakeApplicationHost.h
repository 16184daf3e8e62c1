// FakeApplicationHost: the window as the application object sees it, with
// what it was asked to show recorded and the font dialog's answer scripted.
#pragma once

#include <map>

#include "app/ApplicationHost.h"

namespace qm::test {

class FakeApplicationHost : public ApplicationHost {
 public:
  void ShowDocumentTitle(const QString& shownTitle, bool shownModified) override {
    title = shownTitle;
    modified = shownModified;
  }
  void ShowRecentFiles(const QStringList& names) override { recentFiles = names; }
  void ShowMarkedNodes(const QStringList& labels) override { markedNodes = labels; }
  void PopUpRecentFiles() override { ++popups; }
  PaneFont FontOf(Pane pane) const override {
    const auto it = fonts.find(pane);
    return it != fonts.end() ? it->second : PaneFont{QStringLiteral("Desktop"), 10};
  }
  std::optional<PaneFont> ChooseFont(const PaneFont& current) override {
    fontDialogStartedOn = current;
    return fontChoice;
  }
  void SetFont(Pane pane, const PaneFont& font) override { fonts[pane] = font; }
  bool IsScreenLandscape() const override { return screenLandscape; }
  int TreeIndent() const override { return treeIndent; }
  void SetTreeIndent(int pixels) override { treeIndent = pixels; }
  void SetBodyColours(int text, int back) override {
    bodyTextColour = text;
    bodyBackColour = back;
  }

  QString title;
  bool modified = false;
  QStringList recentFiles;
  QStringList markedNodes;
  int popups = 0;
  std::map<Pane, PaneFont> fonts;
  std::optional<PaneFont> fontChoice;  // the font dialog's answer; nothing is Cancel
  PaneFont fontDialogStartedOn;
  bool screenLandscape = true;
  int treeIndent = 20;      // the desktop's own until something sets it
  int bodyTextColour = -1;  // -1: never set
  int bodyBackColour = -1;
};

}  // namespace qm::test
