// Tests of CCategoryList: reading and writing entries, names, display texts and user texts.
#include <gtest/gtest.h>

#include "model/CategoryList.h"
#include "platform/MemorySettingsStore.h"
#include "res/Strings.h"

namespace qm {
namespace {

using namespace Qt::StringLiterals;

TEST(CategoryListTest, MemoAttachesToTheNameBeforeIt) {
  CCategoryList list;
  EXPECT_TRUE(list.ParseLine(u"CategoryMemo", u"orphan"_s));
  EXPECT_TRUE(list.ParseLine(u"CategoryName", u"A"_s));
  EXPECT_TRUE(list.ParseLine(u"CategoryMemo", u"x"_s));
  EXPECT_TRUE(list.ParseLine(u"CategoryName", u"B"_s));
  EXPECT_FALSE(list.ParseLine(u"CategoryOther", u"y"_s));
  EXPECT_FALSE(list.ParseLine(u"categoryname", u"C"_s));

  const QList<Category> expected{{u"A"_s, u"x"_s}, {u"B"_s, QString()}};
  EXPECT_EQ(list.Entries(), expected);

  QString out;
  list.Write(out);
  EXPECT_EQ(out, u"CategoryName=A\nCategoryMemo=x\nCategoryName=B\nCategoryMemo=\n"_s);
}

TEST(CategoryListTest, NamesAndDisplayTextsOnlyInsideTheList) {
  CCategoryList list;
  list.ParseLine(u"CategoryName", u"Work"_s);
  list.ParseLine(u"CategoryName", QString());

  EXPECT_EQ(list.Name(1), u"Work");
  EXPECT_EQ(list.DisplayText(1), res::kDefaultCategoryBefore.toString() + u"Work"_s +
                                     res::kDefaultCategoryAfter.toString());
  for (int n : {-1, 0, 2, 3, 255}) {
    EXPECT_TRUE(list.DisplayText(n).isEmpty()) << n;
  }
  EXPECT_TRUE(list.Name(3).isEmpty());
}

TEST(CategoryListTest, TextsComeFromAndGoBackToTheStore) {
  MemorySettingsStore store;
  EXPECT_EQ(CCategoryList(store), CCategoryList());

  store.WriteString(u"System"_s, u"CategoryStrBefore"_s, u"["_s);
  CCategoryList list(store);
  EXPECT_EQ(list.Before(), u"[");
  EXPECT_EQ(list.After(), res::kDefaultCategoryAfter);

  list.SetAfter(u"]"_s);
  list.SaveTexts(store);
  EXPECT_EQ(store.ReadString(u"System"_s, u"CategoryStrAfter"_s, QString()), u"]");
  EXPECT_EQ(CCategoryList(store).After(), u"]");
}

}  // namespace
}  // namespace qm
