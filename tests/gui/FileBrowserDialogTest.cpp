// The file browser window off screen: what it lists, sorting by a header
// and keeping that choice, OK with a bad name or over an existing file, and
// the open-other-folder and Save As commands going through it.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>

#include "gui/FileBrowserDialog.h"
#include "platform/FolderListing.h"
#include "platform/MemorySettingsStore.h"
#include "platform/SettingsTable.h"
#include "res/CommandIds.h"
#include "res/FileBrowserStrings.h"
#include "res/Strings.h"
#include "support/WindowFixture.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

// The name column's texts, top to bottom.
QStringList Names(const QTreeView* list) {
  QStringList names;
  const QAbstractItemModel* model = list->model();
  for (int row = 0; row < model->rowCount(); ++row) names << model->index(row, 0).data().toString();
  return names;
}

int RowOf(const QTreeView* list, const QString& name) {
  const int row = static_cast<int>(Names(list).indexOf(name));
  if (row < 0) ADD_FAILURE() << "no row " << name.toStdString();
  return row;
}

void PressEnter(QWidget* widget) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
}

class FileBrowserDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureOffscreenApp(); }

  void Write(const QString& name, int bytes) {
    QFile file(folder.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(bytes, 'x'));
  }

  FileBrowserRequest Request() const {
    FileBrowserRequest request;
    request.initialFolder = folder.path();
    request.defaultExtension = u"qmp"_s;
    return request;
  }

  // Clicks the next message box's button and keeps its text.
  void AnswerNextBox(QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [this, button] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      messages << box->text();
      box->button(button)->click();
    });
  }

  QTemporaryDir folder;
  MemorySettingsStore settings;
  SystemFolderLister lister;
  test::ModalGuard guard;
  QStringList messages;
};

TEST_F(FileBrowserDialogTest, ListsFoldersFirstThenTheFilesTheFilterLets) {
  ASSERT_TRUE(QDir(folder.path()).mkdir(u"zeta"_s));
  ASSERT_TRUE(QDir(folder.path()).mkdir(u"alpha"_s));
  Write(u"b.qmp"_s, 3);
  Write(u"a.txt"_s, 1);
  Write(u".hidden.qmp"_s, 1);
  FileBrowserRequest request = Request();
  request.filterText = res::kOpenFilters.toString();
  request.initialName = u"*.qmp"_s;
  FileBrowserDialog dialog(request, {}, settings, lister);

  EXPECT_EQ(dialog.windowTitle(), res::kFileBrowserTitle.toString());
  EXPECT_EQ(test::Find<QLineEdit>(&dialog, "folderEdit")->text(), QDir(folder.path()).path());
  EXPECT_EQ(test::Find<QLineEdit>(&dialog, "nameEdit")->text(), u"*.qmp"_s);
  auto* list = test::Find<QTreeView>(&dialog, "fileList");
  EXPECT_EQ(Names(list), (QStringList{u"[..]"_s, u"[alpha]"_s, u"[zeta]"_s, u"b.qmp"_s}));
  EXPECT_EQ(list->model()->index(3, 2).data().toString(), u"3"_s);
  EXPECT_EQ(list->model()->index(3, 3).data().toString(), u"qmp"_s);
  EXPECT_EQ(list->model()->headerData(1, Qt::Horizontal).toString(),
            res::kFileBrowserDateColumn.toString());

  // Another filter lists its files; choosing a file row names it.
  auto* filters = test::Find<QComboBox>(&dialog, "filterList");
  ASSERT_EQ(filters->count(), 4);
  filters->setCurrentIndex(3);
  emit filters->activated(3);
  EXPECT_EQ(Names(list),
            (QStringList{u"[..]"_s, u"[alpha]"_s, u"[zeta]"_s, u"a.txt"_s, u"b.qmp"_s}));
  list->setCurrentIndex(list->model()->index(3, 0));
  EXPECT_EQ(test::Find<QLineEdit>(&dialog, "nameEdit")->text(), u"a.txt"_s);
}

TEST_F(FileBrowserDialogTest, AHeaderClickSortsAndTheChoiceIsKeptForTheNextTime) {
  Write(u"small.qmp"_s, 1);
  Write(u"large.qmp"_s, 30);
  Write(u"middle.qmp"_s, 10);
  {
    FileBrowserDialog dialog(Request(), {}, settings, lister);
    auto* list = test::Find<QTreeView>(&dialog, "fileList");
    emit list->header()->sectionClicked(2);
    EXPECT_EQ(Names(list).mid(1), (QStringList{u"small.qmp"_s, u"middle.qmp"_s, u"large.qmp"_s}));
    emit list->header()->sectionClicked(2);  // again: the other way round
    EXPECT_EQ(Names(list).mid(1), (QStringList{u"large.qmp"_s, u"middle.qmp"_s, u"small.qmp"_s}));
    EXPECT_EQ(list->header()->sortIndicatorOrder(), Qt::DescendingOrder);
    dialog.reject();
  }
  EXPECT_EQ(Read(settings, settings::kFileSelectSortItem), 2);
  EXPECT_EQ(Read(settings, settings::kFileSelectSortMode), 1);

  FileBrowserDialog again(Request(), {}, settings, lister);
  auto* list = test::Find<QTreeView>(&again, "fileList");
  EXPECT_EQ(Names(list).mid(1), (QStringList{u"large.qmp"_s, u"middle.qmp"_s, u"small.qmp"_s}));
  EXPECT_EQ(list->header()->sortIndicatorSection(), 2);
}

TEST_F(FileBrowserDialogTest, OkWithAnInvalidNameSaysSoAndStays) {
  FileBrowserDialog dialog(Request(), {}, settings, lister);
  dialog.show();
  for (const QString& name : {u"*.qmp"_s, QString()}) {
    test::Find<QLineEdit>(&dialog, "nameEdit")->setText(name);
    AnswerNextBox(QMessageBox::Ok);
    test::Find<QPushButton>(&dialog, "okButton")->click();
    EXPECT_TRUE(dialog.isVisible());
  }
  EXPECT_EQ(messages, (QStringList{res::kEnterValidFileName.toString(),
                                   res::kEnterValidFileName.toString()}));
  EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST_F(FileBrowserDialogTest, SavingOverAnExistingFileAsksAndNoKeepsTheDialogOpen) {
  Write(u"notes.qmp"_s, 1);
  FileBrowserRequest request = Request();
  request.forSaving = true;
  request.promptOverwrite = true;
  request.initialName = u"notes"_s;  // the default extension makes it the existing file
  FileBrowserDialog dialog(request, u"名前を付けて保存"_s, settings, lister);
  dialog.show();
  const QString path = QDir(folder.path()).filePath(u"notes.qmp"_s);

  AnswerNextBox(QMessageBox::No);
  dialog.accept();
  EXPECT_TRUE(dialog.isVisible());
  AnswerNextBox(QMessageBox::Yes);
  dialog.accept();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(messages, QStringList(2, res::kConfirmOverwriteFile.arg(path)));
  EXPECT_EQ(dialog.ChosenPath(), path);
}

// ---- In the program ----

using FileBrowserWindowTest = test::WindowFixture;

TEST_F(FileBrowserWindowTest, OpenOtherFolderEntersASubfolderAndOpensTheFileThere) {
  const QString sub = dir.filePath(u"sub"_s);
  ASSERT_TRUE(QDir().mkpath(sub));
  const QString deep = QDir(sub).filePath(u"deep.qmp"_s);
  ASSERT_TRUE(QFile::copy(path, deep));
  settings.WriteString(u"System"_s, u"InitDir"_s, dir.path());
  settings.WriteInt(u"System"_s, u"FileOpenType"_s, 2);  // the text filter, 1-based
  Start();
  QString title;
  int startFilter = -1;
  test::WhenModalShows([&title, &startFilter](QWidget* modal) {
    auto* dialog = dynamic_cast<FileBrowserDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    title = dialog->windowTitle();
    auto* filters = test::Find<QComboBox>(dialog, "filterList");
    startFilter = filters->currentIndex();
    filters->setCurrentIndex(0);
    emit filters->activated(0);
    auto* list = test::Find<QTreeView>(dialog, "fileList");
    emit list->doubleClicked(list->model()->index(RowOf(list, u"[sub]"_s), 0));
    list->setCurrentIndex(list->model()->index(RowOf(list, u"deep.qmp"_s), 0));
    PressEnter(list);
  });
  Window().RunCommand(kCmdOpenOtherFolder);
  EXPECT_EQ(title, res::kOpenTitle.toString());
  EXPECT_EQ(startFilter, 1);
  EXPECT_EQ(QFileInfo(Document().PathName()).canonicalFilePath(),
            QFileInfo(deep).canonicalFilePath());
  EXPECT_EQ(settings.ReadInt(u"System"_s, u"FileOpenType"_s, 0), 1);
}

TEST_F(FileBrowserWindowTest, SaveAsGoesThroughTheBrowserInTheChosenFolder) {
  settings.WriteString(u"System"_s, u"InitDir"_s, dir.path());
  Start();
  test::WhenModalShows([](QWidget* modal) {
    auto* dialog = dynamic_cast<FileBrowserDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    test::Find<QLineEdit>(dialog, "nameEdit")->setText(u"copy"_s);
    test::Find<QPushButton>(dialog, "okButton")->click();
  });
  Window().RunCommand(kCmdSaveAs);
  const QString copy = dir.filePath(u"copy.qmp"_s);
  EXPECT_TRUE(QFile::exists(copy));
  EXPECT_EQ(QFileInfo(Document().PathName()).canonicalFilePath(),
            QFileInfo(copy).canonicalFilePath());
}

}  // namespace
}  // namespace qm
