// The texts of the settings sheet: its title, the five page captions, every
// control's label, the two double-tap lists and the message of its check.
//
// Kept apart from Strings.h so that the sheet's texts change without
// rebuilding everything. Used exactly as they stand; messages use Qt's %1
// placeholders. The sheet's OK and Cancel buttons say kButtonOk and
// kButtonCancel of Strings.h; the question asked when the first line stops
// being the title is kAskDeleteTitleLines there.
#pragma once

#include <QStringView>

namespace qm::res {

inline constexpr QStringView kSettingsSheetTitle = u"設定";

// Page captions, in the order the pages stand.
inline constexpr QStringView kSettingsViewPage = u"表示";
inline constexpr QStringView kSettingsBehaviourPage = u"動作";
inline constexpr QStringView kSettingsEditPage = u"テキスト編集";
inline constexpr QStringView kSettingsFilePage = u"ファイル";
inline constexpr QStringView kSettingsColourPage = u"色";

// 表示.
inline constexpr QStringView kSettingsTreeIndent = u"ツリーの階層間隔(&L):";
inline constexpr QStringView kSettingsSplitDialog = u"分割時、ダイアログの表示(&S)";
inline constexpr QStringView kSettingsPasteDialog = u"貼付時、ダイアログの表示(&P)";

// 動作.
inline constexpr QStringView kSettingsAddMove = u"追加時に追加先へ移動(&A)";
inline constexpr QStringView kSettingsAddNoTitle = u"追加時にタイトル入力しない(&I)";
inline constexpr QStringView kSettingsAddUntitled = u"ツリー追加時に(無題)を表示(&N)";
inline constexpr QStringView kSettingsFirstLineIsTitle = u"一行目をタイトルとする(&S)";
inline constexpr QStringView kSettingsAutoFirst = u"起動時に前回のツリー位置(&C)";
inline constexpr QStringView kSettingsFirstCursor = u"テキストエリアのカーソル復帰(&T)";
inline constexpr QStringView kSettingsSingleInstance = u"複数起動しない(H/PCのみ)(&F)";
inline constexpr QStringView kSettingsDoubleTap = u"ダブルタップ(&M):";
inline constexpr QStringView kSettingsOkFrame = u"右上のOKで終了(次回起動時から)";
inline constexpr QStringView kSettingsParentDoubleTap = u"親ツリー(&P):";
// The double-tap list, in the order of System/DblClk's values 0, 1, 2.
inline constexpr QStringView kDoubleTapChoices[] = {u"標準の処理", u"常に修正",
                                                    u"常にリンクファイル"};
// The list for nodes with children, in the order of System/FolderDblClk's values 0, 1.
inline constexpr QStringView kParentDoubleTapChoices[] = {u"編集画面", u"開閉のみ"};

// テキスト編集.
inline constexpr QStringView kSettingsTabStop = u"タブ数(&T):";
inline constexpr QStringView kSettingsEditMargin = u"編集エリアの余白(&E):";
inline constexpr QStringView kSettingsImeOn = u"IMEの自動ON(&I)";
inline constexpr QStringView kSettingsAutoIndent = u"オートインデント(&A)";

// ファイル.
inline constexpr QStringView kSettingsLinkCheck = u"リンクファイルの確認(&D)";
inline constexpr QStringView kSettingsLinkFromRoot = u"リンクファイル参照はルートから(&P)";
inline constexpr QStringView kSettingsLinkExtension = u"リンクファイル拡張子(&L):";
inline constexpr QStringView kSettingsRecentFiles = u"最近使ったファイルの数(&N):";
inline constexpr QStringView kSettingsReopenLastFile = u"前回ファイルを記憶(&G)";
inline constexpr QStringView kSettingsWarnTextFile = u"テキストファイル保存時に警告(&T)";
inline constexpr QStringView kSettingsStandardSaveDialog = u"P/PC保存時ダイアログを標準に(&S)";
inline constexpr QStringView kSettingsLinkWithEnter = u"リンクファイルをEnterで開く(&E)";

// 色.
inline constexpr QStringView kSettingsBackColour = u"ﾃｷｽﾄ背景色(&X)...";
inline constexpr QStringView kSettingsTextColour = u"ﾃｷｽﾄ色(&Z)...";

// A number outside the range its field accepts: %1 the lowest, %2 the
// highest value.
inline constexpr QStringView kIntegerRangeMessage = u"%1 から %2 までの整数を入力してください。";

}  // namespace qm::res
