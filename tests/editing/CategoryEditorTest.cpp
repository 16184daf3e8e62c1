// Behaviour of the category dialog's list editing, with the nodes renumbered
// along, and of the category settings command around it.
#include <optional>
#include <vector>

#include "editing/CategoryEditor.h"
#include "res/Strings.h"
#include "support/PanesFixture.h"

namespace qm::test {
namespace {

class Categories : public TreePaneFixture {
 protected:
  // R with one child "n<number>" per category number, and the named categories.
  void BuildWith(std::initializer_list<const char*> names, std::initializer_list<int> numbers) {
    Build({"R"});
    for (const char* name : names) Store().Categories().Entries() << Category{name, {}};
    for (const int n : numbers) {
      const int added = Store().InsertChild(0, QStringLiteral("n%1").arg(n), {}, {}, 0, 0);
      Store().GetNode(added).SetCategory(n);
      Store().RefreshItemText(added);
    }
    editor.emplace(Store(), dialogs, prompt, settings, [this] { ++snapshots; });
  }
  std::vector<int> Numbers() {
    std::vector<int> numbers;
    for (int i = 1; i < Store().GetCount(); ++i)
      numbers.push_back(Store().GetNode(i).GetCategory());
    return numbers;
  }

  int snapshots = 0;
  std::optional<CCategoryEditor> editor;
  CCategorySettings command{doc, tree, settings, prompt, dialogs};
};

TEST_F(Categories, DeletingTheSecondOfThreeRenumbersTheNodesAfterIt) {
  BuildWith({"a", "b", "c"}, {1, 2, 3, 0, 2, 200});
  editor->Select(1);
  prompt.Script({PromptAnswer::Cancel});
  editor->Delete();
  EXPECT_FALSE(editor->EntriesChanged());
  editor->Delete();
  EXPECT_EQ(prompt.Asked().at(1), res::kAskDeleteCategory.toString().arg("b"));
  EXPECT_EQ(editor->Names(), (QStringList{"a", "c"}));
  EXPECT_EQ(Numbers(), (std::vector<int>{1, 0, 2, 0, 0, 200}));
  EXPECT_EQ(editor->Selected(), 1);  // the one that moved into the place
  editor->Delete();                  // the last: the new last is selected
  EXPECT_EQ(editor->Selected(), 0);
  EXPECT_EQ(Numbers(), (std::vector<int>{1, 0, 0, 0, 0, 200}));
  EXPECT_EQ(snapshots, 1);
}

TEST_F(Categories, MovingExchangesTheNumbersOfTheTwoCategoriesOnly) {
  // 100 lies beyond the list; it must not be taken for a spare number.
  BuildWith({"a", "b", "c"}, {1, 2, 3, 100, 0});
  EXPECT_EQ(editor->Selected(), 0);
  editor->MoveUp();  // the first cannot go up
  EXPECT_FALSE(editor->EntriesChanged());
  editor->MoveDown();
  EXPECT_EQ(editor->Names(), (QStringList{"b", "a", "c"}));
  EXPECT_EQ(Numbers(), (std::vector<int>{2, 1, 3, 100, 0}));
  editor->MoveDown();
  editor->MoveDown();  // the last cannot go down
  EXPECT_EQ(Numbers(), (std::vector<int>{3, 1, 2, 100, 0}));
  editor->MoveUp();
  EXPECT_EQ(editor->Names(), (QStringList{"b", "a", "c"}));
  EXPECT_EQ(editor->Selected(), 1);
}

TEST_F(Categories, AddAndEditKeepNameAndMemoOnOneLine) {
  BuildWith({}, {});
  editor->Add();  // cancelled
  dialogs.ScriptCategoryEntry({CategoryEntryText{"Work", "the\r\noffice"},
                               CategoryEntryText{"Work", "theoffice"},
                               CategoryEntryText{"Job", "paid"}});
  editor->Add();
  EXPECT_EQ(editor->Selected(), 0);
  editor->Edit();  // unchanged: no change
  EXPECT_EQ(snapshots, 1);
  editor->Edit();
  EXPECT_EQ(dialogs.CategoryEntryRequests().back().memo, "theoffice");
  EXPECT_EQ(Store().Categories().Entries(), QList<Category>{(Category{"Job", "paid"})});
}

TEST_F(Categories, TheNinetyNinthIsTheLast) {
  BuildWith({}, {});
  for (int i = 0; i < 98; ++i) Store().Categories().Entries() << Category{"c", {}};
  dialogs.ScriptCategoryEntry({CategoryEntryText{"last", {}}, CategoryEntryText{"more", {}}});
  editor->Add();
  editor->Add();
  EXPECT_EQ(Store().Categories().Name(99), "last");
  EXPECT_EQ(Store().Categories().Count(), 99);
  EXPECT_EQ(prompt.Asked(), QStringList{res::kCategoryListFull.toString()});
}

TEST_F(Categories, ChangedListRelabelsTheTreeOnTheSameNodeAndCanBeUndone) {
  BuildWith({"a", "b"}, {1, 2});
  Select("R/n2");
  body.text = "typed";
  dialogs.ScriptCategories([](CategoryListSession& session) { session.Delete(); });
  command.Run();
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "n1", "【b】n2"}));
  EXPECT_EQ(Selected(), "R/n2");
  EXPECT_EQ(doc.CurrentNode(), 2);
  EXPECT_TRUE(doc.IsModified());
  tree.Undo();
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "【a】n1", "【b】n2"}));
  EXPECT_EQ(Store().GetBody(2), "typed");
}

TEST_F(Categories, NewTextsAreStoredShownAtOnceAndSurviveUndoWithoutModifying) {
  BuildWith({"a"}, {1});
  doc.TakeSnapshot();
  dialogs.CloseCategoriesWith("[", "]");
  command.Run();
  EXPECT_EQ(settings.ReadString("System", "CategoryStrBefore", {}), "[");
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "[a]n1"}));
  EXPECT_FALSE(doc.IsModified());
  tree.Undo();
  EXPECT_EQ(pane.Texts(), (QStringList{"R", "[a]n1"}));
}

}  // namespace
}  // namespace qm::test
