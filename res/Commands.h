// The command table, the top menus, the context menus and the two
// command-bar layouts.
//
// Every command the window offers is one row of kCommands: its id (named in
// res/CommandIds.h), its menu text, the top menu it belongs to, its group
// inside that menu and its flags. Table order is menu order; a separator
// stands where the group changes. Menus, the context menus, the command bar,
// key bindings and tests are all derived from these rows, so a command is
// added here once and nowhere else. A row with an empty menu text is a
// command that no menu shows (a key may still send it). Commands of features
// that do not exist yet get their rows when the feature arrives; until then
// the command bars still list their buttons, which stay disabled because
// nothing handles them.
#pragma once

#include <QStringView>

#include "res/CommandIds.h"

namespace qm::res {

// Top menus of the menu bar, in menu-bar order.
enum class TopMenu { File, Edit, Tree, View, Net, Settings, Help };

inline constexpr QStringView kTopMenuTitles[] = {
    u"ファイル(&F)", u"編集(&E)", u"ツリー(&T)", u"表示(&V)",
    u"ネット(&N)",   u"設定(&S)", u"ヘルプ(&H)",
};

// The two soft-key menus (the narrow menu set): the first holds every top
// menu but the tree menu as submenus, the second is the tree menu itself.
// They stand on two command-bar buttons, or make up the whole menu bar when
// "System"/"SoftKeyMenu" is set. The buttons show the titles without their
// access keys, which belong to the menu bar's own menus.
inline constexpr QStringView kSoftKeyMenuTitles[] = {u"メニュー(&M)", u"ツリー(&T)"};

// Flags of a command row.
inline constexpr unsigned kCheckMark = 1u << 0;     // the menu item can carry a check mark
inline constexpr unsigned kNotInMenuBar = 1u << 1;  // a text for a button or a context menu only
inline constexpr unsigned kRecentFiles = 1u << 2;   // stands for the recent-file entries
inline constexpr unsigned kMarkEntries = 1u << 3;   // stands for the marked nodes' entries

struct CommandInfo {
  int id;
  QStringView menuText;  // empty: no menu shows the command
  TopMenu menu;
  int group;  // ascending inside a top menu; a change of group is a separator
  unsigned flags;
  // Rows naming the same submenu of one top menu form that submenu, which
  // stands where its first row is; their groups separate inside it.
  QStringView submenu = {};
};

// The recent-file entries take the ids from kCmdRecentFileFirst, one per
// entry. Their texts are the entry's number (from 1) with its last digit as
// the access key, a blank and the file's display name.
//
// The marks menu lists the nodes marked 1, in outline order, with the ids
// from kCmdMarkEntryFirst, at most kMarkEntryCapacity of them.

// Submenu titles. Each menu's access keys are unique; these titles were
// chosen so, and they gather commands whose own keys would meet others.
inline constexpr QStringView kMarksSubmenu = u"ﾏｰｸ(&X)";
inline constexpr QStringView kTextAreaFileSubmenu = u"テキストエリアのファイル(&X)";
inline constexpr QStringView kBranchVisibilitySubmenu = u"この下の表示(&B)";
inline constexpr QStringView kCheckFilterSubmenu = u"チェックツリーの表示(&K)";

inline constexpr CommandInfo kCommands[] = {
    // File.
    {kCmdNew, u"新規(&N)", TopMenu::File, 0, 0},
    {kCmdOpen, u"開く(&O)...", TopMenu::File, 0, 0},
    {kCmdOpenOtherFolder, u"その他のフォルダを開く(&H)...", TopMenu::File, 0, 0},
    {kCmdReload, u"再読込(&L)", TopMenu::File, 0, 0},
    {kCmdSave, u"上書き保存(&S)", TopMenu::File, 1, 0},
    {kCmdSaveAs, u"名前を付けて保存(&A)...", TopMenu::File, 1, 0},
    {kCmdTextOutput, u"テキスト出力(&M)...", TopMenu::File, 2, 0},
    {kCmdTextCopy, u"テキストコピー(&T)", TopMenu::File, 2, 0},
    {kCmdTextOutputFormat, u"テキスト出力形式(&F)...", TopMenu::File, 2, 0},
    {kCmdAssociateFileType, u"関連づけ(&R)", TopMenu::File, 3, 0},
    // The popup anchors to its command-bar button; the menu lists the same
    // files itself through the recent-file row below.
    {kCmdRecentFilePopup, u"最近使ったファイル", TopMenu::File, 4, kNotInMenuBar},
    {kCmdRecentFileFirst, u"", TopMenu::File, 4, kRecentFiles},
    {kCmdQuitWithConfirmation, u"確認終了", TopMenu::File, 5, 0},
    {kCmdExit, u"終了(&X)", TopMenu::File, 5, 0},

    // Edit.
    {kCmdUndo, u"アンドゥ(&U)", TopMenu::Edit, 0, 0},
    {kCmdCut, u"切り取り(&T)", TopMenu::Edit, 1, 0},
    {kCmdCopy, u"コピー(&C)", TopMenu::Edit, 1, 0},
    {kCmdPaste, u"貼り付け(&P)", TopMenu::Edit, 1, 0},
    {kCmdSelectAll, u"すべての範囲を選択(&A)", TopMenu::Edit, 2, 0},
    {kCmdInsertFile, u"テキストエリアにファイル挿入(&K)...", TopMenu::Edit, 3, 0,
     kTextAreaFileSubmenu},
    {kCmdSaveTextArea, u"テキストエリアをファイル保存(&L)...", TopMenu::Edit, 3, 0,
     kTextAreaFileSubmenu},
    {kCmdFind, u"文字列の検索(&F)...", TopMenu::Edit, 4, 0},
    {kCmdFindNext, u"次を検索(&N)", TopMenu::Edit, 4, 0},
    {kCmdFindPrevious, u"前を検索(&V)", TopMenu::Edit, 4, 0},
    // Find next under the name key bindings know it by; no menu shows it.
    {kCmdRepeatFind, u"", TopMenu::Edit, 4, 0},
    {kCmdSelectNextMatch, u"検索して選択", TopMenu::Edit, 4, 0},
    {kCmdSearchList, u"検索リスト(&L)...", TopMenu::Edit, 4, 0},
    {kCmdLinkToNode, u"このツリーへのリンク(&Q)", TopMenu::Edit, 5, 0},
    {kCmdInsertDateTime, u"日付時刻の挿入(&D)", TopMenu::Edit, 6, 0},
    {kCmdInsertDate, u"日付の挿入(&E)...", TopMenu::Edit, 6, 0},

    // Tree.
    {kCmdAddChild, u"追加 - 下の階層(&A)...", TopMenu::Tree, 0, 0},
    {kCmdAddSibling, u"追加 - 同じ階層(&W)...", TopMenu::Tree, 0, 0},
    {kCmdEditNode, u"修正(&E)...", TopMenu::Tree, 0, 0},
    {kCmdEditLabel, u"ツリーのF2での修正", TopMenu::Tree, 0, 0},
    {kCmdDeleteBranch, u"削除(&D)", TopMenu::Tree, 0, 0},
    {kCmdMoveUp, u"一つ上へ移動(&M)", TopMenu::Tree, 1, 0},
    {kCmdMoveDown, u"一つ下へ移動(&N)", TopMenu::Tree, 1, 0},
    {kCmdLevelUp, u"階層を上げる(&L)", TopMenu::Tree, 1, 0},
    {kCmdLevelDown, u"階層を下げる(&R)", TopMenu::Tree, 1, 0},
    {kCmdSplit, u"分割(&P)...", TopMenu::Tree, 2, 0},
    {kCmdSplitBelowCaret, u"現在位置以下を分割(&T)", TopMenu::Tree, 2, 0},
    {kCmdMerge, u"結合(&I)", TopMenu::Tree, 2, 0},
    {kCmdToggleCheck, u"チェックの設定/解除(&K)", TopMenu::Tree, 3, 0},
    {kCmdToggleStrike, u"削除線の指定(&S)", TopMenu::Tree, 3, 0},
    {kCmdToggleMark, u"ﾏｰｸの設定・解除(&Z)", TopMenu::Tree, 4, 0, kMarksSubmenu},
    {kCmdClearMarksInBranch, u"この下のﾏｰｸを全て解除(&D)...", TopMenu::Tree, 4, 0, kMarksSubmenu},
    {kCmdNextMark, u"次のﾏｰｸへ(&N)", TopMenu::Tree, 5, 0, kMarksSubmenu},
    {kCmdPreviousMark, u"前のﾏｰｸへ(&P)", TopMenu::Tree, 5, 0, kMarksSubmenu},
    {kCmdMarkEntryFirst, u"", TopMenu::Tree, 6, kMarkEntries, kMarksSubmenu},
    {kCmdOpenLinkFile, u"リンクファイルを開く(&V)", TopMenu::Tree, 5, 0},
    {kCmdCategories, u"カテゴリ設定(&G)...", TopMenu::Tree, 6, 0},

    // View.
    {kCmdTreeOnly, u"ツリーのみ表示(&T)", TopMenu::View, 0, 0},
    {kCmdTextOnly, u"テキストのみ表示(&E)", TopMenu::View, 0, 0},
    {kCmdBothPanes, u"両方表示(&D)", TopMenu::View, 0, 0},
    {kCmdShowOtherPaneOnly, u"切り替え(&G)", TopMenu::View, 0, 0},
    {kCmdSwitchPanes, u"編集エリア切替(&Z)", TopMenu::View, 0, 0},
    {kCmdTreeOnlyFromBody, u"ツリーのみ表示(&N)", TopMenu::View, 0, kNotInMenuBar},
    {kCmdToggleChapterCharacters, u"章立て文字を表示切り替え(&Q)", TopMenu::View, 1, kCheckMark},
    {kCmdToggleReadingMode, u"縦長時、閲覧用モード(&V)", TopMenu::View, 2, kCheckMark},
    {kCmdShowChildren, u"この下を表示(&V)", TopMenu::View, 3, 0, kBranchVisibilitySubmenu},
    {kCmdShowWholeBranch, u"この下を全て表示(&C)", TopMenu::View, 3, 0, kBranchVisibilitySubmenu},
    {kCmdHideBranch, u"この下を非表示(&Z)", TopMenu::View, 3, 0, kBranchVisibilitySubmenu},
    {kCmdShowAllChecks, u"全て表示", TopMenu::View, 4, kCheckMark, kCheckFilterSubmenu},
    {kCmdShowCheckedOnly, u"チェックツリーのみ表示", TopMenu::View, 4, kCheckMark,
     kCheckFilterSubmenu},
    {kCmdShowUncheckedOnly, u"チェックツリー以外表示", TopMenu::View, 4, kCheckMark,
     kCheckFilterSubmenu},
    {kCmdTimeDisplayNone, u"表示しない(&N)", TopMenu::View, 5, kCheckMark},
    {kCmdTimeDisplayUpdated, u"更新日の表示(&M)", TopMenu::View, 5, kCheckMark},
    {kCmdTimeDisplayCreated, u"作成日の表示(&C)", TopMenu::View, 5, kCheckMark},
    {kCmdLatestUpdated, u"最新更新ツリー(&U)...", TopMenu::View, 6, 0},

    // Net.
    {kCmdOpenFromWeb, u"クイルマップ for Webから開く(&O)...", TopMenu::Net, 0, 0},
    {kCmdSaveToWeb, u"ネットのファイルとして保存(&A)...", TopMenu::Net, 0, 0},
    {kCmdDisconnect, u"切断(&D)", TopMenu::Net, 1, 0},
    {kCmdWebAccount, u"Webアカウント設定(&W)...", TopMenu::Net, 2, 0},

    // Settings.
    {kCmdSettings, u"設定(&C)...", TopMenu::Settings, 0, 0},
    {kCmdFont, u"フォント(&F)...", TopMenu::Settings, 0, 0},
    {kCmdSplitTopBottom, u"上下に分割(&V)", TopMenu::Settings, 1, kCheckMark},
    {kCmdSplitLeftRight, u"左右に分割(&H)", TopMenu::Settings, 1, kCheckMark},
    {kCmdSplitAutomatic, u"自動(&A)", TopMenu::Settings, 1, kCheckMark},
    {kCmdInitialFolder, u"初期フォルダ(&I)...", TopMenu::Settings, 2, 0},
    {kCmdToggleSoftKeyMenu, u"ソフトキーメニュー(&S)", TopMenu::Settings, 2, kCheckMark},
    {kCmdDateFormat, u"日付挿入形式(&D)...", TopMenu::Settings, 3, 0},
    {kCmdKeyCustomisation, u"キーカスタマイズ(&K)...", TopMenu::Settings, 3, 0},

    // Help.
    {kCmdHelp, u"ヘルプ(&H)", TopMenu::Help, 0, 0},
    {kCmdVersionInfo, u"ﾊﾞｰｼﾞｮﾝ情報(&A)", TopMenu::Help, 1, 0},
};

// One entry of a context menu: a command shown with its row's text, or a
// separator (id 0). Entries marked tallScreenOnly are left out on screens
// at most kShortContextMenuMaxHeight pixels high. Commands nothing handles
// are left out, with the separators they would strand.
struct ContextMenuEntry {
  int id;
  bool tallScreenOnly = false;
};

inline constexpr ContextMenuEntry kContextMenuSeparator = {0};
inline constexpr int kShortContextMenuMaxHeight = 240;

// clang-format off
// Tap-and-hold (right click) on the tree pane.
inline constexpr ContextMenuEntry kTreeContextMenu[] = {
    {kCmdEditNode}, {kCmdOpenLinkFile},
    kContextMenuSeparator,
    {kCmdCut}, {kCmdCopy}, {kCmdPaste},
    kContextMenuSeparator,
    {kCmdAddChild}, {kCmdAddSibling},
    kContextMenuSeparator,
    {kCmdLevelUp, true}, {kCmdLevelDown, true}, {kCmdShowWholeBranch},
    kContextMenuSeparator,
    {kCmdToggleCheck},
};

// Tap-and-hold (right click) on the body pane.
inline constexpr ContextMenuEntry kBodyContextMenu[] = {
    {kCmdUndo},
    kContextMenuSeparator,
    {kCmdCut}, {kCmdCopy}, {kCmdPaste},
    kContextMenuSeparator,
    {kCmdSelectAll},
    kContextMenuSeparator,
    {kCmdInsertDateTime},
    kContextMenuSeparator,
    {kCmdTreeOnlyFromBody},
};

// One button of a command-bar layout, or a separator (id 0). image is the
// button's index in the layout's own image strip.
struct CommandBarButton {
  int id;
  int image;
};

inline constexpr CommandBarButton kCommandBarSeparator = {0, -1};

// For windows in landscape at least 640 pixels wide.
inline constexpr CommandBarButton kWideCommandBar[] = {
    kCommandBarSeparator,
    {kCmdNew, 0}, {kCmdOpen, 1}, {kCmdSave, 2}, {kCmdRecentFilePopup, 3},
    kCommandBarSeparator,
    {kCmdCut, 4}, {kCmdCopy, 5}, {kCmdPaste, 6},
    kCommandBarSeparator,
    {kCmdAddChild, 7}, {kCmdAddSibling, 8}, {kCmdDeleteBranch, 9},
    kCommandBarSeparator,
    {kCmdOpenLinkFile, 10},
    kCommandBarSeparator,
    {kCmdMoveUp, 11}, {kCmdMoveDown, 12}, {kCmdLevelUp, 13}, {kCmdLevelDown, 14},
    kCommandBarSeparator,
};

// For every other window.
inline constexpr CommandBarButton kNarrowCommandBar[] = {
    kCommandBarSeparator,
    {kCmdAddChild, 0}, {kCmdAddSibling, 1},
    {kCmdFind, 2}, {kCmdFindNext, 3}, {kCmdFindPrevious, 4},
    {kCmdToggleCheck, 5},
    kCommandBarSeparator,
    {kCmdMoveUp, 6}, {kCmdMoveDown, 7}, {kCmdLevelUp, 8}, {kCmdLevelDown, 9},
    kCommandBarSeparator,
};
// clang-format on

// The narrowest window that gets the wide layout (in landscape).
inline constexpr int kWideCommandBarMinWidth = 640;

}  // namespace qm::res
