// The stored filter texts as Qt name filters, the file dialogs set up from
// their requests, and the save dialog's answers around existing files and
// missing folders.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "gui/QtDialogs.h"
#include "res/Strings.h"
#include "support/OffscreenApp.h"

namespace qm {
namespace {

class QtDialogsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureOffscreenApp(); }

  QtDialogsTest() {
    save.kind = SaveDialogKind::FileBrowser;
    save.title = res::kSaveAsTitle.toString();
    save.proposedName = QStringLiteral("memo.qmp");
    save.defaultExtension = QStringLiteral("qmp");
    save.filters = res::kSaveAsFilters.toString();
    save.initialFolder = folder.path();
  }

  void Touch(const QString& name) {
    QFile file(folder.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }

  // The folder's files a filter lists, matched case-sensitively as a
  // native dialog on this system matches them.
  QStringList Listed(const StoredFilter& filter) const {
    QStringList patterns;
    for (const QString& pattern : filter.patterns) patterns << QtPatternsFor(pattern);
    return QDir(folder.path())
        .entryList(patterns, QDir::Files | QDir::CaseSensitive, QDir::Name | QDir::IgnoreCase);
  }

  // Clicks button in the message box that the next step opens.
  static void AnswerNextBox(QMessageBox::StandardButton button, QString* text) {
    QTimer::singleShot(0, [button, text] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      *text = box->text();
      QAbstractButton* answer = box->button(button);
      (answer != nullptr ? answer : box->buttons().value(0))->click();
    });
  }

  static QDialog* ActiveDialog() {
    return qobject_cast<QDialog*>(QApplication::activeModalWidget());
  }

  QTemporaryDir folder;
  SaveFileRequest save;
};

TEST_F(QtDialogsTest, StoredFiltersBecomeLabelledQtFiltersInBothCases) {
  const std::vector<StoredFilter> insert = ParseStoredFilters(res::kInsertFileFilters);
  ASSERT_EQ(insert.size(), 2u);
  EXPECT_EQ(insert[0].patterns, QStringList{"*.TXT"});
  EXPECT_EQ(insert[1].label, QStringLiteral("全てのﾌｧｲﾙ(*.*)"));  // blanks trimmed
  EXPECT_EQ(QtNameFilters(res::kInsertFileFilters),
            (QStringList{QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.TXT) (*.TXT *.txt)"),
                         QStringLiteral("全てのﾌｧｲﾙ(*.*) (*)")}));
  EXPECT_EQ(QtNameFilters(res::kSaveAsFilters).at(0),
            QStringLiteral("Quillmapﾌｧｲﾙ(*.qmp) (*.qmp *.QMP)"));
  EXPECT_EQ(QtNameFilters(u"Web |*.htm; *.Html|"),
            QStringList{QStringLiteral("Web (*.htm *.HTM *.Html *.html *.HTML)")});
  EXPECT_TRUE(ParseStoredFilters(u"||").empty());
  EXPECT_EQ(ParseStoredFilters(u"A |*.a||B |*.b||").size(), 1u) << "an empty label ends the list";
}

TEST_F(QtDialogsTest, FiltersListTheFilesTheyName) {
  for (const char* name : {"a.txt", "B.TXT", "c.htm", "d.qmp", "noext"}) Touch(name);
  const std::vector<StoredFilter> insert = ParseStoredFilters(res::kInsertFileFilters);
  EXPECT_EQ(Listed(insert[0]), (QStringList{"a.txt", "B.TXT"}));
  EXPECT_EQ(Listed(insert[1]), (QStringList{"a.txt", "B.TXT", "c.htm", "d.qmp", "noext"}));
  const std::vector<StoredFilter> text = ParseStoredFilters(res::kSaveTextAreaFilters);
  EXPECT_EQ(Listed(text[0]), (QStringList{"a.txt", "B.TXT"}));
  EXPECT_EQ(Listed(text[1]), QStringList{"c.htm"});
}

TEST_F(QtDialogsTest, SaveDialogIsSetUpFromTheRequest) {
  QFileDialog dialog;
  ConfigureSaveDialog(dialog, save);
  EXPECT_EQ(dialog.windowTitle(), save.title);
  EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
  EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
  EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
  EXPECT_TRUE(dialog.testOption(QFileDialog::HideNameFilterDetails));
  EXPECT_EQ(dialog.nameFilters(), QtNameFilters(res::kSaveAsFilters));
  EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("qmp"));
  EXPECT_EQ(QDir(dialog.directory()).canonicalPath(), QDir(folder.path()).canonicalPath());
  EXPECT_EQ(QFileInfo(dialog.selectedFiles().value(0)).fileName(), save.proposedName);

  // The added extension follows the chosen filter, named in full or by label.
  emit dialog.filterSelected(dialog.nameFilters().at(1));
  EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("txt"));
  emit dialog.filterSelected(QStringLiteral("Quillmapﾌｧｲﾙ(*.qmp)"));
  EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("qmp"));
  const std::vector<StoredFilter> text = ParseStoredFilters(res::kSaveTextAreaFilters);
  EXPECT_EQ(SuffixForFilter(text[0], QStringLiteral("txt")), QStringLiteral("txt"));
  EXPECT_EQ(SuffixForFilter(text[1], QStringLiteral("txt")), QStringLiteral("htm"));
  EXPECT_EQ(SuffixForFilter(text[1], QString()), QString());

  save.kind = SaveDialogKind::Standard;
  save.initialFolder = QStringLiteral("\\My Documents");  // not a folder here
  QFileDialog standard;
  ConfigureSaveDialog(standard, save);
  EXPECT_FALSE(standard.testOption(QFileDialog::DontUseNativeDialog));
  EXPECT_TRUE(standard.directory().exists());
}

TEST_F(QtDialogsTest, OpenDialogTakesAPatternAsTheFilterNotAsAName) {
  OpenFileRequest request;
  request.initialName = QStringLiteral("*.txt");  // the filter's pattern in another case
  request.defaultExtension = QStringLiteral("TXT");
  request.filters = res::kInsertFileFilters.toString();
  request.initialFolder = folder.path();
  QFileDialog dialog;
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  ConfigureOpenDialog(dialog, request);
  EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
  EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
  EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("TXT"));
  // With the details hidden the dialog names its filters by their labels.
  EXPECT_EQ(dialog.selectedNameFilter(), QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.TXT)"));
  for (const QString& file : dialog.selectedFiles()) EXPECT_FALSE(file.contains(u'*'));
}

TEST_F(QtDialogsTest, SaveAsksBeforeReplacingAndAddsTheExtension) {
  test::ModalGuard guard;
  Touch(QStringLiteral("memo.qmp"));
  save.proposedName = QStringLiteral("memo");  // the extension comes from the dialog
  QString refused;
  QString agreed;
  QTimer::singleShot(0, [&] {
    QDialog* dialog = ActiveDialog();
    ASSERT_NE(dialog, nullptr);
    AnswerNextBox(QMessageBox::No, &refused);
    dialog->accept();
    EXPECT_TRUE(dialog->isVisible()) << "No keeps the dialog open";
    AnswerNextBox(QMessageBox::Yes, &agreed);
    dialog->accept();
  });
  QtDialogs dialogs;
  const std::optional<QString> path = dialogs.ChooseSaveFileName(save);
  EXPECT_FALSE(refused.isEmpty());
  EXPECT_FALSE(agreed.isEmpty());
  ASSERT_TRUE(path.has_value());
  EXPECT_EQ(QFileInfo(*path).canonicalFilePath(),
            QFileInfo(folder.filePath(QStringLiteral("memo.qmp"))).canonicalFilePath());
}

TEST_F(QtDialogsTest, SaveRefusesANameInAFolderThatDoesNotExist) {
  test::ModalGuard guard;
  save.proposedName = QStringLiteral("nowhere/memo.qmp");
  QString message;
  QTimer::singleShot(0, [&] {
    QDialog* dialog = ActiveDialog();
    ASSERT_NE(dialog, nullptr);
    AnswerNextBox(QMessageBox::Ok, &message);
    // The dialog comes back after the message; then the user gives up.
    QTimer::singleShot(50, [] {
      if (QDialog* again = ActiveDialog()) again->reject();
    });
    dialog->accept();
  });
  QtDialogs dialogs;
  EXPECT_FALSE(dialogs.ChooseSaveFileName(save).has_value());
  EXPECT_EQ(message, res::kFolderNotFound.toString());
}

}  // namespace
}  // namespace qm
