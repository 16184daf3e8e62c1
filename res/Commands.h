// The command table, the top menus and the two command-bar layouts.
//
// Every command the window offers is one row of kCommands: its numeric id,
// its menu text, the top menu it belongs to, its group inside that menu and
// its flags. Table order is menu order; a separator stands where the group
// changes. Menus, the command bar, key bindings and tests are all derived from
// these rows, so a command is added here once and nowhere else.
//
// Ids are stable: key definition files store them, so an id is never
// renumbered or reused for another command. A row with an empty menu text is
// a command that no menu shows (the command bar or a key may still send it).
// Commands of features that do not exist yet get their rows when the feature
// arrives; until then the command bars still list their buttons, which stay
// disabled because nothing handles them.
#pragma once

#include <QStringView>

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
// "System"/"SoftKeyMenu" is set.
inline constexpr QStringView kSoftKeyMenuTitles[] = {u"メニュー(&M)", u"ツリー(&T)"};

// Flags of a command row.
inline constexpr unsigned kCheckMark = 1u << 0;    // the menu item can carry a check mark
inline constexpr unsigned kBarOnly = 1u << 1;      // has a text (for the button) but no menu item
inline constexpr unsigned kRecentFiles = 1u << 2;  // stands for the recent-file entries
inline constexpr unsigned kMarkEntries = 1u << 3;  // stands for the marked nodes' entries

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

// The recent-file entries take consecutive ids from kRecentFileFirstId, one
// per entry, up to the largest list the settings allow. Their texts are
// kRecentFileNumberFormat with the entry's number (from 1) followed by the
// file's display name.
inline constexpr int kRecentFileFirstId = 57616;
inline constexpr int kRecentFileCapacity = 10;
inline constexpr QStringView kRecentFileNumberFormat = u"&%d ";

// The marks menu lists the nodes marked 1, in outline order, with
// consecutive ids from kMarkEntryFirstId, at most kMarkEntryCapacity.
inline constexpr int kMarkEntryFirstId = 32847;
inline constexpr int kMarkEntryCapacity = 40;

// Submenu titles.
inline constexpr QStringView kMarksSubmenu = u"マーク(&X)";
inline constexpr QStringView kCheckFilterSubmenu = u"チェックツリーの表示(&K)";

inline constexpr CommandInfo kCommands[] = {
    // File.
    {57600, u"", TopMenu::File, 0, 0},  // new: on the command bar and keys only
    {57601, u"開く(&O)...", TopMenu::File, 0, 0},
    {32795, u"再読込(&L)", TopMenu::File, 0, 0},
    {57603, u"上書き保存(&S)", TopMenu::File, 1, 0},
    {57604, u"名前を付けて保存(&A)...", TopMenu::File, 1, 0},
    // Text output.
    {32773, u"テキスト出力(&M)...", TopMenu::File, 2, 0},
    {32815, u"テキストコピー(&T)", TopMenu::File, 2, 0},
    {32774, u"テキスト出力形式(&F)...", TopMenu::File, 2, 0},
    {32784, u"関連づけ(&R)", TopMenu::File, 3, 0},
    // The popup anchors to its command-bar button; the menu lists the same
    // files itself through the recent-file row below.
    {33033, u"最近使ったファイル", TopMenu::File, 4, kBarOnly},
    {kRecentFileFirstId, u"", TopMenu::File, 4, kRecentFiles},
    {32793, u"確認終了", TopMenu::File, 5, 0},

    // Edit.
    {57643, u"アンドゥ(&U)", TopMenu::Edit, 0, 0},
    {57635, u"切り取り(&T)", TopMenu::Edit, 1, 0},
    {57634, u"コピー(&C)", TopMenu::Edit, 1, 0},
    {57637, u"貼り付け(&P)", TopMenu::Edit, 1, 0},
    {57642, u"すべての範囲を選択(&A)", TopMenu::Edit, 2, 0},
    {32836, u"テキストエリアにファイル挿入(&K)...", TopMenu::Edit, 3, 0},
    {33017, u"テキストエリアをファイル保存(&L)...", TopMenu::Edit, 3, 0},
    {57636, u"文字列の検索(&F)...", TopMenu::Edit, 4, 0},
    {33222, u"次を検索(&N)", TopMenu::Edit, 4, 0},
    {32817, u"前を検索(&V)", TopMenu::Edit, 4, 0},
    {33031, u"検索して選択", TopMenu::Edit, 4, 0},
    {33233, u"検索リスト(&L)...", TopMenu::Edit, 4, 0},
    {33218, u"このツリーへのリンク(&Q)", TopMenu::Edit, 5, 0},

    // Tree.
    {32768, u"追加 - 下の階層(&A)...", TopMenu::Tree, 0, 0},
    {32823, u"追加 - 同じ階層(&W)...", TopMenu::Tree, 0, 0},
    {32769, u"修正(&E)...", TopMenu::Tree, 0, 0},
    {32794, u"ツリーのF2での修正", TopMenu::Tree, 0, 0},
    {32770, u"削除(&D)", TopMenu::Tree, 0, 0},
    {32775, u"一つ上へ移動(&M)", TopMenu::Tree, 1, 0},
    {32776, u"一つ下へ移動(&N)", TopMenu::Tree, 1, 0},
    {32777, u"階層を上げる(&L)", TopMenu::Tree, 1, 0},
    {32778, u"階層を下げる(&R)", TopMenu::Tree, 1, 0},
    {32840, u"分割(&P)...", TopMenu::Tree, 2, 0},
    {33025, u"現在位置以下を分割(&T)", TopMenu::Tree, 2, 0},
    {33026, u"結合(&I)", TopMenu::Tree, 2, 0},
    {32811, u"チェックの設定/解除(&K)", TopMenu::Tree, 3, 0},
    {32813, u"削除線の指定(&S)", TopMenu::Tree, 3, 0},
    {32846, u"ﾏｰｸの設定・解除(&Z)", TopMenu::Tree, 4, 0, kMarksSubmenu},
    {33005, u"この下のﾏｰｸを全て解除(&D)...", TopMenu::Tree, 4, 0, kMarksSubmenu},
    {33047, u"次のﾏｰｸへ(&N)", TopMenu::Tree, 5, 0, kMarksSubmenu},
    {33048, u"前のﾏｰｸへ(&P)", TopMenu::Tree, 5, 0, kMarksSubmenu},
    {kMarkEntryFirstId, u"", TopMenu::Tree, 6, kMarkEntries, kMarksSubmenu},
    {32772, u"リンクファイルを開く(&V)", TopMenu::Tree, 5, 0},
    {33211, u"カテゴリ設定(&G)...", TopMenu::Tree, 6, 0},

    // View.
    {32802, u"ツリーのみ表示(&T)", TopMenu::View, 0, 0},
    {32803, u"テキストのみ表示(&E)", TopMenu::View, 0, 0},
    {32804, u"両方表示(&D)", TopMenu::View, 0, 0},
    {33018, u"切り替え(&G)", TopMenu::View, 0, 0},
    {32845, u"編集エリア切替(&Z)", TopMenu::View, 0, 0},
    {33225, u"章立て文字を表示切り替え(&Q)", TopMenu::View, 1, kCheckMark},
    {33223, u"縦長時、閲覧用モード(&V)", TopMenu::View, 2, kCheckMark},
    {32819, u"この下を表示(&V)", TopMenu::View, 3, 0},
    {32821, u"この下を全て表示(&C)", TopMenu::View, 3, 0},
    {32820, u"この下を非表示(&Z)", TopMenu::View, 3, 0},
    {33240, u"全て表示", TopMenu::View, 4, kCheckMark, kCheckFilterSubmenu},
    {33241, u"チェックツリーのみ表示", TopMenu::View, 4, kCheckMark, kCheckFilterSubmenu},
    {33242, u"チェックツリー以外表示", TopMenu::View, 4, kCheckMark, kCheckFilterSubmenu},
    {33229, u"表示しない(&N)", TopMenu::View, 5, kCheckMark},
    {33230, u"更新日の表示(&M)", TopMenu::View, 5, kCheckMark},
    {33231, u"作成日の表示(&C)", TopMenu::View, 5, kCheckMark},
    {33232, u"最新更新ツリー(&U)...", TopMenu::View, 6, 0},

    // Settings.
    {32782, u"フォント(&F)...", TopMenu::Settings, 0, 0},
    {32798, u"上下に分割(&V)", TopMenu::Settings, 1, kCheckMark},
    {32799, u"左右に分割(&H)", TopMenu::Settings, 1, kCheckMark},
    {33186, u"自動(&A)", TopMenu::Settings, 1, kCheckMark},
    {32789, u"初期フォルダ(&I)...", TopMenu::Settings, 2, 0},
    {33228, u"ソフトキーメニュー(&S)", TopMenu::Settings, 2, kCheckMark},

    // Help.
    {57670, u"ヘルプ(&H)", TopMenu::Help, 0, 0},
    {57664, u"ﾊﾞｰｼﾞｮﾝ情報(&A)", TopMenu::Help, 1, 0},
};

// One button of a command-bar layout, or a separator (id 0). image is the
// button's index in the layout's own image strip.
struct CommandBarButton {
  int id;
  int image;
};

inline constexpr CommandBarButton kCommandBarSeparator = {0, -1};

// For screens in landscape at least 640 pixels wide.
// clang-format off
inline constexpr CommandBarButton kWideCommandBar[] = {
    kCommandBarSeparator,
    {57600, 0},  // new
    {57601, 1},  // open
    {57603, 2},  // save
    {33033, 3},  // recent files
    kCommandBarSeparator,
    {57635, 4},  // cut
    {57634, 5},  // copy
    {57637, 6},  // paste
    kCommandBarSeparator,
    {32768, 7},  // add child
    {32823, 8},  // add sibling
    {32770, 9},  // delete branch
    kCommandBarSeparator,
    {32772, 10},  // open link file
    kCommandBarSeparator,
    {32775, 11},  // move up
    {32776, 12},  // move down
    {32777, 13},  // level up
    {32778, 14},  // level down
    kCommandBarSeparator,
};

// For every other screen.
inline constexpr CommandBarButton kNarrowCommandBar[] = {
    kCommandBarSeparator,
    {32768, 0},  // add child
    {32823, 1},  // add sibling
    {57636, 2},  // find
    {33222, 3},  // find next
    {32817, 4},  // find previous
    {32811, 5},  // toggle check
    kCommandBarSeparator,
    {32775, 6},  // move up
    {32776, 7},  // move down
    {32777, 8},  // level up
    {32778, 9},  // level down
    kCommandBarSeparator,
};
// clang-format on

// The narrowest screen that gets the wide layout (in landscape).
inline constexpr int kWideCommandBarMinWidth = 640;

}  // namespace qm::res
