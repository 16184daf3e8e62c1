// FileBrowserDialog: the window of the program's own file dialog, a thin
// face over CFileBrowser, which decides everything it does.
//
// The window shows the current folder (read-only) with the "↑" (parent
// folder) and "..." (choose a folder) buttons, the four-column list of the
// folder's subfolders and matching files, the name edit, the filter list,
// and OK and Cancel. A click on a column header sorts by that column (a
// second click reverses it). A double click or Enter on a folder row enters
// the folder, on ".." goes up, on a file row chooses it as OK does. Choosing
// a file row copies its name into the name edit. OK goes through
// CFileBrowser::Accept: an invalid name or a missing file is reported and
// the dialog stays open; saving over an existing file is asked about first,
// and No keeps the dialog open. Closing it either way writes the sort choice
// to the settings (section FileSelect).
//
// The list is a model over the browser's entries, so a folder of thousands
// of files costs only the rows on screen. Object names: folderEdit,
// fileList, parentButton, chooseFolderButton, nameEdit, filterList,
// okButton, cancelButton.
//
// The settings and the lister must outlive the dialog. Not thread-safe: the
// user-interface thread owns it.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

#include "app/FileBrowser.h"

class QComboBox;
class QLineEdit;
class QTreeView;

namespace qm {

class FolderLister;
class QtPrompt;
class SettingsStore;

class FileBrowserDialog : public QDialog {
 public:
  // A caller's own condition on the chosen path: the message that refuses
  // it (the dialog stays open), or an empty text to let it through.
  using PathCheck = std::function<QString(const QString& path)>;

  // Lists the request's initial folder at once. title: the window title;
  // empty gives the browser's own.
  FileBrowserDialog(const FileBrowserRequest& request, const QString& title,
                    SettingsStore& settings, const FolderLister& lister, QWidget* parent = nullptr);
  ~FileBrowserDialog() override;

  // Runs on every path OK would close with, before the overwrite question.
  void SetPathCheck(PathCheck check) { m_pathCheck = std::move(check); }

  // After the dialog closed with OK: the full path and the filter chosen
  // (0-based).
  const QString& ChosenPath() const { return m_chosenPath; }
  int ChosenFilterIndex() const { return m_chosenFilter; }

  const CFileBrowser& Browser() const { return m_browser; }

  // OK: closes only when the name edit names an acceptable file.
  void accept() override;
  // Writes the sort choice, whichever way the dialog closes.
  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class ListModel;

  // Shows the browser's list, folder, sort and selection again.
  void ShowList();
  // Shows the list after a change of folder, and why it failed if it did.
  void AfterFolderChange(const FolderResult& result, const QString& folder);
  void ActivateRow(int row);
  void SortBy(int column);
  void ChooseFolder();
  void Finish(const AcceptResult& result);

  SettingsStore& m_settings;
  CFileBrowser m_browser;
  std::unique_ptr<QtPrompt> m_prompt;
  PathCheck m_pathCheck;
  ListModel* m_model;
  QLineEdit* m_folderEdit;
  QTreeView* m_list;
  QLineEdit* m_nameEdit;
  QComboBox* m_filterList;
  // Set while the window itself moves the list's current row, which is
  // not the user choosing a file.
  bool m_showing = false;
  QString m_chosenPath;
  int m_chosenFilter = 0;
};

}  // namespace qm
