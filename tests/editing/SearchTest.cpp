// Search: matching with the case rule, the node searches over an outline,
// and the search commands of both panes with the dialog, the recent words
// and the search list.
#include <QStringList>
#include <vector>

#include "editing/Search.h"
#include "editing/SearchCommands.h"
#include "res/Strings.h"
#include "support/PanesFixture.h"

namespace qm::test {
namespace {

// ---- Matching ----

TEST(SearchMatching, CaseRuleFoldsLettersOfEveryWidth) {
  EXPECT_EQ(FindWord(u"xxabc", u"ABC", false), 2);
  EXPECT_EQ(FindWord(u"xxabc", u"ABC", true), -1);
  // Full-width letters fold like their narrow cousins, but stay full-width.
  EXPECT_EQ(FindWord(u"メモＡｂｃ", u"ａＢＣ", false), 2);
  EXPECT_EQ(FindWord(u"メモＡｂｃ", u"ａＢＣ", true), -1);
  EXPECT_EQ(FindWord(u"ABC", u"ＡＢＣ", false), -1);
  EXPECT_EQ(FindWordBefore(u"abcABC", u"abc", true, 6), 0);
}

TEST(SearchMatching, BoundsAndTheEmptyWord) {
  EXPECT_EQ(FindWord(u"abc", u"", false), -1);
  EXPECT_EQ(FindWordBefore(u"abc", u"", false, 3), -1);
  EXPECT_EQ(FindWord(u"abcabc", u"abc", false, 1), 3);
  EXPECT_EQ(FindWord(u"abc", u"abc", false, 7), -1);
  // Backward takes only occurrences that end before the given end.
  EXPECT_EQ(FindWordBefore(u"abcABC", u"abc", false, 6), 3);
  EXPECT_EQ(FindWordBefore(u"abcABC", u"abc", false, 5), 0);
  EXPECT_EQ(FindWordBefore(u"abcABC", u"abc", false, 2), -1);
  EXPECT_EQ(SearchedTitle(P("Root/Child") + QChar(2) + "hidden"), u"Child");
}

// ---- Node searches ----

using NodeSearch = StoreFixture;

SearchQuery Query(const char* word, bool titles = true, bool bodies = true, bool links = false,
                  bool caseSensitive = false) {
  return SearchQuery{QString::fromUtf8(word), caseSensitive, titles, bodies, links};
}

TEST_F(NodeSearch, ForwardSkipsTheStartTitleButNotTheStartBody) {
  Build({"Root", "Root/plan", "Root/other=the plan", "Root/plan B"});
  EXPECT_EQ(SearchForward(store, Query("plan"), 1, true).index, 1);
  const NodeMatch next = SearchForward(store, Query("plan"), 1, false);
  EXPECT_EQ(next.index, 2);
  EXPECT_TRUE(next.inBody);
  EXPECT_EQ(SearchForward(store, Query("plan"), 2, false).index, 2);
  EXPECT_EQ(SearchForward(store, Query("plan", true, false), 2, false).index, 3);
  EXPECT_EQ(SearchForward(store, Query("plan"), 4, true).index, -1);
  // A title is its own path component, not its ancestors' titles.
  EXPECT_EQ(SearchForward(store, Query("Root"), 1, true).index, -1);
  EXPECT_EQ(SearchBackward(store, Query("Root"), 3).index, 0);
}

TEST_F(NodeSearch, BackwardTestsTheBodyBeforeTheTitle) {
  Build({"R=word", "R/word=a word", "R/x"});
  const NodeMatch match = SearchBackward(store, Query("word"), 2);
  EXPECT_EQ(match.index, 1);
  EXPECT_TRUE(match.inBody);
  EXPECT_FALSE(SearchBackward(store, Query("word", true, false), 2).inBody);
  EXPECT_EQ(SearchBackward(store, Query("word"), -1).index, -1);
}

TEST_F(NodeSearch, CaseInsensitiveFindsTitlesBodiesAndLinksBothWays) {
  Build({"R", "R/abc", "R/x=..abc..", "R/y", "R/z"});
  store.SetLink(Index("R/y"), "abc.txt");
  const SearchQuery any = Query("ABC", true, true, true);
  EXPECT_EQ(SearchForward(store, any, 0, true).index, 1);
  EXPECT_EQ(SearchForward(store, any, 1, false).index, 2);
  EXPECT_EQ(SearchForward(store, any, 3, true).index, 3);
  EXPECT_EQ(SearchForward(store, Query("ABC"), 3, true).index, -1);  // links not asked for
  EXPECT_EQ(SearchBackward(store, any, 4).index, 3);
  EXPECT_EQ(SearchBackward(store, any, 2).index, 2);
  EXPECT_EQ(SearchBackward(store, any, 1).index, 1);
  const SearchQuery exact = Query("ABC", true, true, true, true);
  EXPECT_EQ(SearchForward(store, exact, 0, true).index, -1);
  EXPECT_EQ(SearchBackward(store, exact, 4).index, -1);
  EXPECT_EQ(CollectMatches(store, any), (std::vector<int>{1, 2, 3}));
}

// ---- The commands of both panes ----

class SearchPanes : public PanesFixture {
 protected:
  static SearchAnswer Answer(const char* word, bool titles = true, bool bodies = true,
                             bool links = false, bool caseSensitive = false) {
    return SearchAnswer{QString::fromUtf8(word), caseSensitive, titles, bodies, links};
  }
  QString SelectedText() const {
    return edit.Text().mid(edit.SelectionStart(), edit.SelectionEnd() - edit.SelectionStart());
  }
  int Setting(const char* name) const {
    return settings.ReadInt(QStringLiteral("System"), QString::fromUtf8(name), -1);
  }
  QString Word(int number) const {
    return settings.ReadString(QStringLiteral("Search"), QStringLiteral("str%1").arg(number), {});
  }
  bool SaidNotFound() const { return prompt.Asked() == QStringList{res::kNotFound.toString()}; }

  CSearchCommands search{doc, edit, settings, prompt, dialogs, host};
};

TEST_F(SearchPanes, FindWithOnlyLinkNamesFindsTheFirstLinkThatHoldsTheWord) {
  Build({"R=plan", "R/plan notes", "R/A", "R/B"});
  Store().SetLink(Index("R/A"), "/home/u/Plan.txt");
  Store().SetLink(Index("R/B"), "plan");
  dialogs.ScriptSearch({Answer("plan", false, false, true)});
  search.TreeFind();
  EXPECT_EQ(Selected(), "R/A");
  EXPECT_EQ(Current(), "R/A");
  EXPECT_TRUE(prompt.Asked().isEmpty());
  EXPECT_EQ(host.focus, QString());  // a link match leaves the focus in the tree
  // The tree pane's Find stores every choice and the word.
  EXPECT_EQ(Setting("TitleSearch"), 0);
  EXPECT_EQ(Setting("TextAreaSearch"), 0);
  EXPECT_EQ(Setting("LinkNameSearch"), 1);
  EXPECT_EQ(Setting("ISearch"), 0);
  EXPECT_EQ(Setting("Title"), 0);
  EXPECT_EQ(Word(1), "plan");
  EXPECT_EQ(dialogs.SearchRequests().at(0).caption, res::kSearchDialogTitle.toString());
}

TEST_F(SearchPanes, FindNextInTheTreeStaysOnANodeWhoseBodyHoldsTheWord) {
  Build({"R", "R/word=xx word yy word", "R/word too"});
  dialogs.ScriptSearch({Answer("word")});
  search.TreeFind();
  ASSERT_EQ(Selected(), "R/word");  // by its title
  edit.MoveCaret(static_cast<int>(edit.Text().size()));
  search.TreeFindNext();
  EXPECT_EQ(Selected(), "R/word");
  EXPECT_EQ(edit.SelectionStart(), 3);
  EXPECT_EQ(edit.SelectionEnd(), 7);
  EXPECT_EQ(host.focus, "B");
}

TEST_F(SearchPanes, FindNextInTheBodyGoesThroughTheBodyThenOnToTheNextNode) {
  Build({"R=word and word", "R/a", "R/b=no", "R/c=last word", "R/d"});
  dialogs.ScriptSearch({Answer("WORD", false)});
  search.BodyFind();
  EXPECT_EQ(Selected(), "R");
  EXPECT_EQ(edit.SelectionStart(), 0);
  search.BodyFindNext();
  EXPECT_EQ(edit.SelectionStart(), 9);
  search.BodyFindNext();
  EXPECT_EQ(Selected(), "R/c");
  EXPECT_EQ(SelectedText(), "word");
  EXPECT_EQ(host.focus, "B");
  search.BodyFindNext();
  EXPECT_TRUE(SaidNotFound());
  EXPECT_EQ(Selected(), "R/c");
  EXPECT_EQ(SelectedText(), "word");  // the editor keeps its selection
}

TEST_F(SearchPanes, FindPreviousInTheBodyAtTheFirstMatchMovesToThePreviousMatchingNode) {
  Build({"R", "R/a=word one word two", "R/b", "R/c=x word"});
  Select("R/c");
  dialogs.ScriptSearch({Answer("word", false)});
  search.BodyFind();
  ASSERT_EQ(edit.SelectionStart(), 2);
  search.BodyFindPrevious();
  EXPECT_EQ(Selected(), "R/a");
  EXPECT_EQ(edit.SelectionStart(), 9);  // the last occurrence in that body
  EXPECT_EQ(edit.SelectionEnd(), 13);
  EXPECT_EQ(host.focus, "TB");
  search.BodyFindPrevious();
  EXPECT_EQ(Selected(), "R/a");
  EXPECT_EQ(edit.SelectionStart(), 0);
  search.BodyFindPrevious();
  EXPECT_TRUE(SaidNotFound());
  EXPECT_EQ(Selected(), "R/a");
}

TEST_F(SearchPanes, SearchesSeeUnsavedTypingAndLeaveTheSelectionWhenNothingIsFound) {
  Build({"R", "R/a=old"});
  Select("R/a");
  edit.Type("new ");
  dialogs.ScriptSearch({Answer("new"), Answer("missing")});
  search.TreeFind();
  EXPECT_EQ(Selected(), "R/a");
  EXPECT_EQ(Body("R/a"), "new old");
  EXPECT_EQ(SelectedText(), "new");
  search.TreeFind();
  EXPECT_TRUE(SaidNotFound());
  EXPECT_EQ(Selected(), "R/a");
  EXPECT_EQ(SelectedText(), "new");
  EXPECT_GT(host.waitCursors, 0);
  EXPECT_EQ(host.waiting, 0);
}

TEST_F(SearchPanes, BodyFindStartsAtTheCaretAndLeavesCaseAndTitleKeysAlone) {
  Build({"R=word one word"});
  edit.MoveCaret(2);
  dialogs.ScriptSearch({Answer("WORD", false, true, true, true)});
  search.BodyFind();
  EXPECT_TRUE(SaidNotFound());  // case-sensitive, and the first "word" lies before the caret
  EXPECT_EQ(Setting("ISearch"), -1);
  EXPECT_EQ(Setting("Title"), -1);
  EXPECT_EQ(Setting("TitleSearch"), 0);
  EXPECT_EQ(Setting("TextAreaSearch"), 1);
  EXPECT_EQ(Setting("LinkNameSearch"), 1);
  EXPECT_EQ(Word(1), "WORD");
  EXPECT_TRUE(search.Query().caseSensitive);

  prompt.ClearAsked();
  dialogs.ScriptSearch({Answer("word", false)});
  search.BodyFind();
  EXPECT_EQ(edit.SelectionStart(), 9);
}

TEST_F(SearchPanes, TheDialogStartsFromTheStoredChoicesAndRecentWords) {
  settings.WriteInt(QStringLiteral("System"), QStringLiteral("ISearch"), 1);
  settings.WriteInt(QStringLiteral("System"), QStringLiteral("Title"), 1);
  settings.WriteInt(QStringLiteral("System"), QStringLiteral("LinkNameSearch"), 1);
  settings.WriteString(QStringLiteral("Search"), QStringLiteral("str1"), QStringLiteral("new"));
  settings.WriteString(QStringLiteral("Search"), QStringLiteral("str2"), QStringLiteral("old"));
  CSearchCommands fresh(doc, edit, settings, prompt, dialogs, host);
  Build({"R"});
  fresh.TreeFind();  // cancelled
  ASSERT_EQ(dialogs.SearchRequests().size(), 1u);
  const SearchRequest& request = dialogs.SearchRequests().back();
  EXPECT_EQ(request.word, "new");
  EXPECT_EQ(request.recentWords, (QStringList{"new", "old"}));
  EXPECT_TRUE(request.caseSensitive);
  EXPECT_FALSE(request.inTitles);  // "Title" 1 and no "TitleSearch"
  EXPECT_TRUE(request.inBodies);
  EXPECT_TRUE(request.inLinks);
  EXPECT_TRUE(prompt.Asked().isEmpty());
  EXPECT_EQ(Setting("TextAreaSearch"), -1);  // a cancelled dialog writes nothing
}

TEST_F(SearchPanes, RecentWordsKeepTheTwentyNewestWithoutRepeats) {
  Build({"R"});
  for (const char* word : {"1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10", "11",
                           "12", "13", "14", "15", "16", "17", "18", "19", "20", "21", "5"}) {
    dialogs.ScriptSearch({Answer(word)});
    search.TreeFind();
  }
  EXPECT_EQ(Word(1), "5");
  EXPECT_EQ(Word(2), "21");
  EXPECT_EQ(Word(18), "4");
  EXPECT_EQ(Word(20), "2");
  EXPECT_EQ(Word(21), QString());
}

TEST_F(SearchPanes, AnEmptyWordFindsNothingAndIsNotRemembered) {
  Build({"R=text"});
  dialogs.ScriptSearch({Answer("")});
  search.TreeFind();
  EXPECT_TRUE(SaidNotFound());
  EXPECT_EQ(Word(1), QString());
  EXPECT_FALSE(search.SelectNextMatchInBody());
  EXPECT_EQ(edit.SelectionEnd(), 0);
}

TEST_F(SearchPanes, SearchListProposesTheBodySelectionAndJumpsToTheChosenNode) {
  Build({"R", "R/a=Idea one\r\nmore", "R/a/deep=idea", "R/b", "R/idea"});
  doc.Store().CollapseAll(0);
  Select("R/a");
  edit.SetSelection(0, 10);  // "Idea one" and the line break
  dialogs.ScriptSearch({Answer("idea")});
  dialogs.ScriptSearchList({1});
  search.SearchList();
  EXPECT_EQ(dialogs.SearchRequests().at(0).word, "Idea one");
  EXPECT_EQ(dialogs.SearchRequests().at(0).caption, res::kSearchListDialogTitle.toString());
  ASSERT_EQ(dialogs.SearchListRequests().size(), 1u);
  EXPECT_EQ(dialogs.SearchListRequests().at(0).entries, (QStringList{"a", "deep", "idea"}));
  EXPECT_EQ(Selected(), "R/a/deep");
  EXPECT_EQ(Current(), "R/a/deep");
  EXPECT_EQ(edit.Text(), "idea");
  EXPECT_EQ(Node("R/a/deep").m_bExpand, 1);  // opened to be seen
  EXPECT_EQ(Setting("ISearch"), 0);

  // Closing the list leaves the selection; nothing found shows no list.
  dialogs.ScriptSearch({Answer("idea"), Answer("nowhere")});
  search.SearchList();
  EXPECT_EQ(Selected(), "R/a/deep");
  search.SearchList();
  EXPECT_TRUE(SaidNotFound());
  EXPECT_EQ(dialogs.SearchListRequests().size(), 2u);
}

}  // namespace
}  // namespace qm::test
