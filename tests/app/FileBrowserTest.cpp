// The file browser's behaviour over an in-memory folder tree.
#include <gtest/gtest.h>

#include "app/FileBrowser.h"
#include "platform/MemorySettingsStore.h"
#include "platform/SettingsTable.h"
#include "res/FileBrowserStrings.h"
#include "support/FakeFolderLister.h"
#include "support/QtPrinting.h"

namespace qm {
namespace {

constexpr qint64 kMarch2010 = 1267765650;    // 2010/03/05 14:07:30 in Tokyo
constexpr qint64 kNewYearsEve = 1262271540;  // 2009/12/31 23:59 in Tokyo

QStringList Names(const CFileBrowser& browser) {
  QStringList names;
  for (const CFileObj& entry : browser.Entries()) names.append(FileRowTexts(entry)[0]);
  return names;
}

QString Selected(const CFileBrowser& browser) {
  const int index = browser.SelectedIndex();
  return index < 0 ? QString() : browser.Entries()[static_cast<std::size_t>(index)].FullName();
}

class FileBrowserTest : public ::testing::Test {
 protected:
  FileBrowserTest() {
    lister.AddFolder("/")
        .AddSubfolder("/", "docs")
        .AddSubfolder("/docs", "old", kNewYearsEve)
        .AddSubfolder("/docs", "Zeta", kMarch2010)
        .AddSubfolder("/docs", ".git")
        .AddFile("/docs", "b.qmp", 10, kMarch2010)
        .AddFile("/docs", "A.QMP", 9, kNewYearsEve)
        .AddFile("/docs", "notes.txt", 200, kNewYearsEve)
        .AddFile("/docs", "c.tar.gz", 5, kMarch2010)
        .AddFile("/docs", "README", 1, kMarch2010)
        .AddFile("/docs", ".hidden.qmp", 1, kMarch2010);
  }

  CFileBrowser Make(QString folder = "/docs", QString filter = {}, int filterIndex = 0) {
    FileBrowserRequest request;
    request.initialFolder = folder;
    request.filterText = filter;
    request.filterIndex = filterIndex;
    request.defaultExtension = "qmp";
    return CFileBrowser(request, settings, lister);
  }

  FakeFolderLister lister;
  MemorySettingsStore settings;
};

const QString kOpenFilters =
    "Quillmapﾌｧｲﾙ(*.qmp) |*.qmp|Textﾌｧｲﾙ(*.txt) |*.txt|wzﾌｧｲﾙ(*.mem) |*.mem|"
    "全てのﾌｧｲﾙ(*.*) |*.*||";

TEST(FileFilterText, ParsesPairsUntilTheEmptyField) {
  const auto filters = ParseFilterText(kOpenFilters + "ignored|*.x|");
  ASSERT_EQ(filters.size(), 4u);
  EXPECT_EQ(filters[0].description, "Quillmapﾌｧｲﾙ(*.qmp) ");
  EXPECT_EQ(filters[0].patterns, QStringList{"*.qmp"});
  EXPECT_EQ(filters[3].patterns, QStringList{"*.*"});

  const auto several = ParseFilterText("Text|*.txt; *.log;|Orphan");
  ASSERT_EQ(several.size(), 1u);
  EXPECT_EQ(several[0].patterns, (QStringList{"*.txt", "*.log"}));
}

TEST(FileFilterText, NothingUsableFallsBackToAllFiles) {
  for (const QString text : {"", "|", "Only a description", "NoPatterns||"}) {
    const auto filters = ParseFilterText(text);
    ASSERT_EQ(filters.size(), 1u) << text.toStdString();
    EXPECT_EQ(filters[0].description, "全てのファイル");
    EXPECT_EQ(filters[0].patterns, QStringList{"*.*"});
  }
}

TEST(FilePattern, WildcardsIgnoreCaseAndStarDotStarTakesEveryName) {
  EXPECT_TRUE(MatchesFilePattern("A.QMP", "*.qmp"));
  EXPECT_TRUE(MatchesFilePattern("README", "*.*"));
  EXPECT_TRUE(MatchesFilePattern("note1.txt", "note?.*"));
  EXPECT_FALSE(MatchesFilePattern("note12.txt", "note?.txt"));
  EXPECT_FALSE(MatchesFilePattern("a.qmp.bak", "*.qmp"));
}

TEST(FileEntry, SplitsAtTheLastDotAndKeepsTheNameWhole) {
  const CFileObj twoDots = CFileObj::Make("c.tar.gz", false, 1, {});
  EXPECT_EQ(twoDots.baseName, "c.tar");
  EXPECT_EQ(twoDots.extension, "gz");
  EXPECT_EQ(twoDots.FullName(), "c.tar.gz");
  EXPECT_EQ(CFileObj::Make("README", false, 1, {}).extension, "");
  // A trailing dot must survive, or the row would name another file.
  EXPECT_EQ(CFileObj::Make("draft.", false, 1, {}).FullName(), "draft.");
  EXPECT_EQ(CFileObj::Make("..", true, 0, {}).FullName(), "..");
}

TEST(FileEntry, DateTextIsLocalTimeToTheMinute) {
  EXPECT_EQ(FileDateText(kMarch2010), "2010/03/05 14:07");
  EXPECT_EQ(FileDateText(0), "1970/01/01 09:00");
}

TEST_F(FileBrowserTest, ListsParentThenFoldersThenMatchingFilesWithoutHiddenOnes) {
  Write(settings, settings::kFileSelectSortItem, 9);      // out of range: by name
  CFileBrowser browser = Make("/docs", kOpenFilters, 7);  // out of range: the first
  ASSERT_TRUE(browser.Open().Ok());
  EXPECT_EQ(browser.FilterIndex(), 0);
  EXPECT_EQ(FileRowTexts(browser.Entries()[0]),
            (std::array<QString, kFileColumnCount>{"[..]", "", "   <DIR>", ""}));
  EXPECT_EQ(Names(browser), (QStringList{"[..]", "[old]", "[Zeta]", "A.QMP", "b.qmp"}));
  EXPECT_EQ(Selected(browser), "..");

  ASSERT_TRUE(browser.SetFilterIndex(3).Ok());
  EXPECT_EQ(Names(browser), (QStringList{"[..]", "[old]", "[Zeta]", "A.QMP", "b.qmp", "c.tar.gz",
                                         "notes.txt", "README"}));
}

TEST_F(FileBrowserTest, AFileMatchedByTwoPatternsIsOneRow) {
  CFileBrowser browser = Make("/docs", "Outlines|*.qmp;b.*;*.QMP||");
  browser.Open();
  EXPECT_EQ(Names(browser), (QStringList{"[..]", "[old]", "[Zeta]", "A.QMP", "b.qmp"}));
}

TEST_F(FileBrowserTest, RootHasNoParentEntryAndUpStaysThere) {
  CFileBrowser browser = Make("");
  ASSERT_TRUE(browser.Open().Ok());
  EXPECT_EQ(browser.CurrentFolder(), "/");
  EXPECT_EQ(Names(browser), QStringList{"[docs]"});
  ASSERT_TRUE(browser.GoUp().Ok());
  EXPECT_EQ(browser.CurrentFolder(), "/");
}

TEST_F(FileBrowserTest, EnteringAndLeavingFolders) {
  CFileBrowser browser = Make("/");
  browser.Open();
  ActivateResult entered = browser.ActivateEntry(0);  // [docs]
  EXPECT_EQ(entered.kind, ActivateResult::Kind::ChangedFolder);
  EXPECT_EQ(browser.CurrentFolder(), "/docs");

  browser.ActivateEntry(2);  // [Zeta]
  EXPECT_EQ(browser.CurrentFolder(), "/docs/Zeta");
  // ".." and "↑" both go up and select the folder just left.
  EXPECT_EQ(browser.ActivateEntry(0).kind, ActivateResult::Kind::ChangedFolder);
  EXPECT_EQ(browser.CurrentFolder(), "/docs");
  EXPECT_EQ(Selected(browser), "Zeta");
  browser.GoUp();
  EXPECT_EQ(browser.CurrentFolder(), "/");
  EXPECT_EQ(Selected(browser), "docs");

  ASSERT_TRUE(browser.ChangeFolder("/docs/old/").Ok());
  EXPECT_EQ(browser.CurrentFolder(), "/docs/old");
  EXPECT_EQ(browser.ActivateEntry(99).kind, ActivateResult::Kind::None);
}

TEST_F(FileBrowserTest, AFolderThatCannotBeListedLeavesTheUserWhereTheyWere) {
  lister.Fail("/docs/Zeta", EACCES);
  CFileBrowser browser = Make("/docs");
  browser.Open();
  const auto before = Names(browser);
  const ActivateResult refused = browser.ActivateEntry(2);  // [Zeta]
  EXPECT_EQ(refused.kind, ActivateResult::Kind::ChangedFolder);
  ASSERT_FALSE(refused.folder.Ok());
  EXPECT_EQ(refused.folder.failure.kind, FileFailure::Kind::PermissionDenied);
  EXPECT_TRUE(
      refused.folder.Message("/docs/Zeta").startsWith("フォルダ「/docs/Zeta」を開けません"));
  EXPECT_EQ(browser.CurrentFolder(), "/docs");
  EXPECT_EQ(Names(browser), before);
  EXPECT_FALSE(browser.ChangeFolder("/nowhere").Ok());
  EXPECT_EQ(browser.CurrentFolder(), "/docs");

  // A starting folder that is gone still shows where it was, with the way out.
  CFileBrowser lost = Make("/gone/away");
  EXPECT_EQ(lost.Open().failure.kind, FileFailure::Kind::NotFound);
  EXPECT_EQ(lost.CurrentFolder(), "/gone/away");
  EXPECT_EQ(Names(lost), QStringList{"[..]"});
}

TEST_F(FileBrowserTest, FoldersComeFirstInEveryColumnAndDirection) {
  CFileBrowser browser = Make("/docs", "All|*.*||");
  browser.Open();
  browser.SortByColumn(FileColumn::Size);
  EXPECT_EQ(Names(browser), (QStringList{"[..]", "[old]", "[Zeta]", "README", "c.tar.gz", "A.QMP",
                                         "b.qmp", "notes.txt"}));
  browser.SortByColumn(FileColumn::Size);  // same column again: descending
  EXPECT_TRUE(browser.SortDescending());
  EXPECT_EQ(Names(browser), (QStringList{"[Zeta]", "[old]", "[..]", "notes.txt", "b.qmp", "A.QMP",
                                         "c.tar.gz", "README"}));

  // The parent's 1996 date is older than every file's, yet it stays with the folders.
  browser.SortByColumn(FileColumn::Date);
  EXPECT_FALSE(browser.SortDescending());
  EXPECT_EQ(Names(browser).mid(0, 3), (QStringList{"[..]", "[old]", "[Zeta]"}));
  EXPECT_EQ(Names(browser).mid(3, 2), (QStringList{"A.QMP", "notes.txt"}));
  browser.SortByColumn(FileColumn::Date);
  EXPECT_EQ(Names(browser).mid(0, 3), (QStringList{"[Zeta]", "[old]", "[..]"}));

  // Type: the part after the last dot, then the name.
  browser.SortByColumn(FileColumn::Type);
  EXPECT_EQ(Names(browser), (QStringList{"[..]", "[old]", "[Zeta]", "README", "c.tar.gz", "A.QMP",
                                         "b.qmp", "notes.txt"}));
}

TEST_F(FileBrowserTest, SelectionFollowsItsEntryThroughASort) {
  FileBrowserRequest request;
  request.initialFolder = "/docs";
  request.initialName = "b.qmp";
  CFileBrowser browser(request, settings, lister);
  browser.Open();
  EXPECT_EQ(Selected(browser), "b.qmp");
  browser.SortByColumn(FileColumn::Size);
  browser.SortByColumn(FileColumn::Size);
  EXPECT_EQ(Selected(browser), "b.qmp");
  // The name edit is the caller's until a file row is chosen.
  EXPECT_EQ(browser.FileName(), "b.qmp");
  EXPECT_EQ(browser.SelectEntry(1), std::nullopt);  // a folder
  EXPECT_EQ(browser.FileName(), "b.qmp");
}

TEST_F(FileBrowserTest, SortChoiceIsReadAtStartAndWrittenBack) {
  Write(settings, settings::kFileSelectSortItem, 2);
  Write(settings, settings::kFileSelectSortMode, 1);
  CFileBrowser browser = Make();
  EXPECT_EQ(browser.SortColumn(), FileColumn::Size);
  EXPECT_TRUE(browser.SortDescending());
  browser.SortByColumn(FileColumn::Type);
  browser.SaveSortChoice(settings);
  EXPECT_EQ(Read(settings, settings::kFileSelectSortItem), 3);
  EXPECT_EQ(Read(settings, settings::kFileSelectSortMode), 0);
}

TEST_F(FileBrowserTest, OkRefusesEmptyNamesAndPatterns) {
  CFileBrowser browser = Make();
  for (const QString name : {"", "*.qmp", "a*"}) {
    browser.SetFileName(name);
    const AcceptResult result = browser.Accept();
    EXPECT_EQ(result.kind, AcceptResult::Kind::InvalidName) << name.toStdString();
    EXPECT_EQ(result.message, "正しいファイル名を入力してください");
  }
}

TEST_F(FileBrowserTest, OkAddsTheDefaultExtensionOnlyToANameWithoutOne) {
  CFileBrowser browser = Make("/docs", kOpenFilters, 1);
  browser.SetFileName("plan");
  AcceptResult result = browser.Accept();
  EXPECT_EQ(result.kind, AcceptResult::Kind::Accepted);
  EXPECT_EQ(result.path, "/docs/plan.qmp");
  EXPECT_EQ(result.filterIndex, 1);
  browser.SetFileName("plan.txt");
  EXPECT_EQ(browser.Accept().path, "/docs/plan.txt");
  browser.SetFileName("v1.2/plan");
  EXPECT_EQ(browser.Accept().path, "/docs/v1.2/plan.qmp");
  browser.SetFileName("/tmp/elsewhere.qmp");
  EXPECT_EQ(browser.Accept().path, "/tmp/elsewhere.qmp");

  CFileBrowser atRoot = Make("/");
  atRoot.SetFileName("plan");
  EXPECT_EQ(atRoot.Accept().path, "/plan.qmp");

  FileBrowserRequest noExtension;
  noExtension.initialFolder = "/docs";
  noExtension.initialName = "plan";
  EXPECT_EQ(CFileBrowser(noExtension, settings, lister).Accept().path, "/docs/plan");
}

TEST_F(FileBrowserTest, SavingOverAnExistingFileAsksOnlyWhenAskedTo) {
  FileBrowserRequest request;
  request.forSaving = true;
  request.initialFolder = "/docs";
  request.initialName = "b";
  request.defaultExtension = "qmp";
  EXPECT_EQ(CFileBrowser(request, settings, lister).Accept().kind, AcceptResult::Kind::Accepted);

  request.promptOverwrite = true;
  const AcceptResult asked = CFileBrowser(request, settings, lister).Accept();
  EXPECT_EQ(asked.kind, AcceptResult::Kind::ConfirmOverwrite);
  EXPECT_EQ(asked.path, "/docs/b.qmp");
  EXPECT_EQ(asked.message, "/docs/b.qmpは既に存在しています。\n上書きしますか？");

  request.initialName = "new";
  EXPECT_EQ(CFileBrowser(request, settings, lister).Accept().kind, AcceptResult::Kind::Accepted);
}

TEST_F(FileBrowserTest, OpeningChecksExistenceOnlyWhenTheFileMustExist) {
  FileBrowserRequest request;
  request.initialFolder = "/docs";
  request.initialName = "missing.qmp";
  request.promptOverwrite = true;  // means nothing when opening
  EXPECT_EQ(CFileBrowser(request, settings, lister).Accept().kind, AcceptResult::Kind::Accepted);
  request.fileMustExist = true;
  const AcceptResult missing = CFileBrowser(request, settings, lister).Accept();
  EXPECT_EQ(missing.kind, AcceptResult::Kind::NotFound);
  EXPECT_EQ(missing.message, "/docs/missing.qmp\nファイルが見つかりません");

  CFileBrowser browser(request, settings, lister);
  browser.Open();
  const ActivateResult chosen = browser.ActivateEntry(3);  // A.QMP
  EXPECT_EQ(chosen.kind, ActivateResult::Kind::ChoseFile);
  EXPECT_EQ(chosen.accept.kind, AcceptResult::Kind::Accepted);
  EXPECT_EQ(chosen.accept.path, "/docs/A.QMP");
  EXPECT_EQ(browser.FileName(), "A.QMP");
}

}  // namespace
}  // namespace qm
