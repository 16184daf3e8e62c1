// Every text the program shows or writes as its own, one named constant each.
//
// The texts are used exactly as they stand; nothing else in the source tree
// spells a user-visible text inline. QStringView constants cost nothing at
// start-up and convert to QString where a copy is needed.
#pragma once

#include <QStringView>

namespace qm::res {

// Messages.
inline constexpr QStringView kCannotWrite = u"書き込みできません";
inline constexpr QStringView kFileNotFound = u"ファイルが見つかりません";
inline constexpr QStringView kCannotOpenFile = u"ファイルが開けません";
inline constexpr QStringView kApplyToChildren = u"子ツリーもすべて同じ状態にしますか？";
inline constexpr QStringView kSetItemImageError = u"Err:SetItemImage";
inline constexpr QStringView kUnencodableCharacters =
    u"次の文字はファイルに保存できません（「?」に置き換わります）：";
inline constexpr QStringView kUndecodableBytes =
    u"文字として読めないバイトがありました（「\uFFFD」に置き換えました）：";
inline constexpr QStringView kNodesReplaced = u"階層の合わないツリーを親の下に置き直しました：";
inline constexpr QStringView kFormatNotYetSupported = u"この形式の読み書きはまだできません";

// The command-line tool's own lines.
inline constexpr QStringView kCliUsage =
    u"usage: quillmap-cli dump FILE [--wz] [--set SECTION/NAME=VALUE]...\n"
    u"       quillmap-cli convert IN OUT [--wz] [--lossy] [--force] [--set SECTION/NAME=VALUE]...\n"
    u"       quillmap-cli export IN OUT [--node INDEX] [--clipboard] [--wz] [--lossy]"
    u" [--set SECTION/NAME=VALUE]...\n"
    u"       quillmap-cli web list [--password-stdin] [--set SECTION/NAME=VALUE]...\n"
    u"       quillmap-cli web open ID OUT [--password-stdin] [--set SECTION/NAME=VALUE]...\n"
    u"       quillmap-cli web save IN --title TITLE [--password-stdin]"
    u" [--set SECTION/NAME=VALUE]...\n"
    u"       quillmap-cli web update IN ID [--title TITLE] [--password-stdin]"
    u" [--set SECTION/NAME=VALUE]...\n";
inline constexpr QStringView kCliLossyHint = u"（--lossy を付けると「?」に置き換えて保存します）";
inline constexpr QStringView kCliCannotWriteOutput = u"標準出力に書き込めません";
inline constexpr QStringView kCliKeepsLossyInput =
    u"読み込めなかった部分があるため、読み込んだファイルには上書きしません"
    u"（--force を付けると上書きします）：";
inline constexpr QStringView kCliNothingRead = u"ツリーとして読める内容がありません：";
// The web verbs: a refusal that came without a message, a failure nothing
// else explained, and --password-stdin with nothing to read.
inline constexpr QStringView kCliWebRefused = u"サーバーに断られました：エラー番号 ";
inline constexpr QStringView kCliWebFailed = u"ネットの操作に失敗しました";
inline constexpr QStringView kCliNoPasswordInput = u"標準入力からパスワードを読めません";
inline constexpr QStringView kCliBadSetting =
    u"--set には SECTION/NAME=VALUE の形で指定してください：";

// Titles.
inline constexpr QStringView kUntitledTop = u"（無題）";

// Flag names of a node.
inline constexpr QStringView kCheck = u"チェック";
inline constexpr QStringView kStrike = u"削除線";
inline constexpr QStringView kTitleOutputChapterAndTitle = u"章立て文字+タイトル";
inline constexpr QStringView kTitleOutputTitleOnly = u"タイトルのみ";
inline constexpr QStringView kTitleOutputNoTitle = u"タイトル無し";

// Defaults of the document settings block and the category texts.
inline constexpr QStringView kDefaultHtmlHomeStr = u"ホーム";
inline constexpr QStringView kDefaultHtmlReturnStr = u" に戻る";
inline constexpr QStringView kDefaultCategoryBefore = u"【";
inline constexpr QStringView kDefaultCategoryAfter = u"】";

// Names of the chapter number kinds, in kind order (0 to 11); kind 12 is
// built from kCustomKindOpen, its first entries and kCustomKindClose.
inline constexpr QStringView kNumberKindNames[] = {
    u"数字（1,2,3・・）",          u"全角数字（１,２,３・・）",
    u"ローマ数字（Ⅰ,II,III・・）", u"英大文字（A,B,C・・）",
    u"英小文字（a,b,b・・）",      u"丸付き数字（①,②,③・・）",
    u"漢数字（一,二,三・・）",     u"なし",
    u"半角カナ（ｱ,ｲ,ｳ・・）",      u"全角カナ（ア,イ,ウ・・）",
    u"ひらがな（あ,い,う・・）",   u"章番号（1-1,1-2,2-3・・）",
};
inline constexpr QStringView kCustomKindOpen = u"カスタム（";
inline constexpr QStringView kCustomKindClose = u"・・)";

// The document: new, open, save and the questions around them.
inline constexpr QStringView kUntitledFileName = u"(無題).qmp";
inline constexpr QStringView kAskSaveChanges = u"%1 への変更を保存しますか？";
inline constexpr QStringView kSaveRefusedUseSaveAs =
    u"ファイルが開けません。名前を付けて保存で保存してください";
inline constexpr QStringView kDocumentSaveFailed = u"ﾄﾞｷｭﾒﾝﾄの保存に失敗しました。";
inline constexpr QStringView kSaveAsTitle = u"名前を付けて保存";
inline constexpr QStringView kSaveAsFilters =
    u"Quillmapﾌｧｲﾙ(*.qmp) |*.qmp|Textﾌｧｲﾙ(*.txt) |*.txt||";
inline constexpr QStringView kAskSaveUnencodable =
    u"次の文字はファイルに保存できません：%1\n「?」に置き換えて保存しますか？";
// Another program changed the document's file since it was opened or saved.
inline constexpr QStringView kAskOverwriteChangedFile =
    u"「%1」はほかのプログラムで変更されています。上書きしますか？";
inline constexpr QStringView kAskReloadChangedFile =
    u"「%1」はほかのプログラムで変更されました。読み込み直しますか？";
inline constexpr QStringView kChangesWillBeLost = u"（この文書への変更は失われます）";
inline constexpr QStringView kAskOverwriteLossyFile =
    u"「%1」には読み込めなかった部分があります。上書きすると元のファイルの内容が失われます。"
    u"保存しますか？";
inline constexpr QStringView kWebDocumentNotYetSupported =
    u"ネットのファイルはまだ開いたり保存したりできません";

// The application: start-up and the file association.
inline constexpr QStringView kFileTypeName = u"Quillmapファイル";
// The desktop's menu entry and the file type's description outside Japanese.
inline constexpr QStringView kProgramName = u"Quillmap";
inline constexpr QStringView kProgramComment = u"Outliner";
inline constexpr QStringView kFileTypeDescription = u"Quillmap outline";
inline constexpr QStringView kAskAssociate = u"関連づけしますか？";

// The main frame.
inline constexpr QStringView kWindowTitle = u"Quillmap for CE";
inline constexpr QStringView kTakesEffectNextWindow =
    u"この設定は次にウィンドウを開いたときから有効です";
inline constexpr QStringView kTakesEffectNextStart = u"この設定は次回起動時から有効です";
inline constexpr QStringView kChooseInitialFolder = u"初期ディレクトリを設定してください";
// The window title while a document is open: its name, the modified marker
// ("[*]", shown as "*" while there are unsaved changes) and the program's
// title.
inline constexpr QStringView kDocumentWindowTitle = u"%1[*] - %2";
// A second start found the running window stuck and opens its own.
inline constexpr QStringView kOtherWindowNotResponding =
    u"起動中のクイルマップが応答しないため、新しいウィンドウで開きました";
inline constexpr QStringView kHelpNotFound = u"ヘルプファイルが見つかりません";
inline constexpr QStringView kHelpCannotOpen =
    u"ヘルプを表示できません。次のファイルをブラウザで開いてください：\n%1";

// The body pane.
// The title a node gets when it has none to take (an empty first body line).
inline constexpr QStringView kUntitledNode = u"(無題)";
inline constexpr QStringView kAskDeleteTitleLines =
    u"ツリータイトルと一致するテキストエリアの一行目を削除しますか？";
inline constexpr QStringView kInsertFileTitle = u"ﾌｧｲﾙ名の入力";
inline constexpr QStringView kInsertFileFilters = u"ﾃｷｽﾄﾌｧｲﾙ(*.TXT) |*.TXT| 全てのﾌｧｲﾙ(*.*) |*.*||";
inline constexpr QStringView kSaveTextAreaTitle = u"ファイル名の入力";
inline constexpr QStringView kSaveTextAreaFilters =
    u"ﾃｷｽﾄﾌｧｲﾙ(*.txt) |*.TXT|HTMLﾌｧｲﾙ(*.htm) |*.htm||";

// Buttons of the program's message boxes.
inline constexpr QStringView kButtonOk = u"OK";
inline constexpr QStringView kButtonCancel = u"キャンセル";
inline constexpr QStringView kButtonYes = u"はい(&Y)";
inline constexpr QStringView kButtonNo = u"いいえ(&N)";

// The tree pane and the node edit dialog.
inline constexpr QStringView kNoCategory = u"未設定";
inline constexpr QStringView kNoTitleEntered = u"タイトルが入力されていません";
inline constexpr QStringView kCannotDeleteTop = u"トップ階層は削除できません";
inline constexpr QStringView kAskDeleteTree = u"ツリーを削除します";
inline constexpr QStringView kAskReload = u"ファイルを再読み込みしますか？";
inline constexpr QStringView kReloadNewFile = u"エラー：新規ファイルです";
inline constexpr QStringView kAskQuit = u"クイルマップを終了します";

// The node edit dialog's controls.
inline constexpr QStringView kNodeEditDialogTitle = u"ツリーの設定";
inline constexpr QStringView kNodeEditTitleLabel = u"タイトル(&T):";
inline constexpr QStringView kNodeEditLinkLabel = u"リンクファイル(&L):";
inline constexpr QStringView kNodeEditOutputLabel = u"出力(&O):";
inline constexpr QStringView kNodeEditCategoryLabel = u"カテゴリ(&C):";
inline constexpr QStringView kNodeEditUpdatedLabel = u"更新日時:";

// The file dialogs.
inline constexpr QStringView kFolderNotFound = u"フォルダが見つかりません";

// The application's own dialogs.
inline constexpr QStringView kOpenTitle = u"開く";
inline constexpr QStringView kOpenFilters =
    u"Quillmapﾌｧｲﾙ(*.qmp) |*.qmp|Textﾌｧｲﾙ(*.txt) |*.txt|wzﾌｧｲﾙ(*.mem) |*.mem|全てのﾌｧｲﾙ(*.*) "
    u"|*.*||";
inline constexpr QStringView kVersionInfo = u"Quillmap %1\nアウトラインエディタ";
inline constexpr QStringView kNoDisplay =
    u"画面（ディスプレイ）に接続できません。画面のない環境では xvfb-run quillmap FILE "
    u"のように起動してください。";

// Search: the search dialog, the search list and what a search reports.
inline constexpr QStringView kNotFound = u"見つかりません";
inline constexpr QStringView kSearchDialogTitle = u"検索";
inline constexpr QStringView kSearchListDialogTitle = u"検索リスト";
inline constexpr QStringView kSearchCaseSensitive = u"大文字小文字を区別する(&O)";
inline constexpr QStringView kSearchInTitles = u"ツリータイトル(&T)";
inline constexpr QStringView kSearchInBodies = u"テキストエリア(&E)";
inline constexpr QStringView kSearchInLinks = u"リンクファイル(&L)";
inline constexpr QStringView kSearchStart = u"検索開始";
inline constexpr QStringView kSearchCancel = u"ｷｬﾝｾﾙ";
inline constexpr QStringView kSearchResultsTitle = u"検索一覧";
inline constexpr QStringView kSearchResultsJump = u"ジャンプ";
inline constexpr QStringView kSearchResultsClose = u"閉じる";
// Link files: opening, creating and choosing a node's link file.
inline constexpr QStringView kAskLaunchLink = u"リンクファイルを起動しますか？";
inline constexpr QStringView kLinkIsRelative = u"リンクが相対パスです。ファイルを保存してください";
inline constexpr QStringView kLinkNodeNotFound = u"リンク先のツリーが見つかりません";
inline constexpr QStringView kNoLinkFileTitle = u"リンクファイルが設定されていません";
inline constexpr QStringView kLinkFileNameLabel =
    u"以下のファイル名でリンクファイルを設定します(&F):";
inline constexpr QStringView kNewLinkFileTitle = u"新規リンクファイル";
inline constexpr QStringView kNewLinkFileMessage =
    u"ファイルがありません。ファイルを以下の設定で新規に作成します。";
inline constexpr QStringView kNewLinkFileWriteTitle = u"一行目にタイトルを出力(&T)";
inline constexpr QStringView kNewLinkFileWriteBody = u"編集エリア内容を出力(&B)";
inline constexpr QStringView kCannotCreateFile = u"ファイルを作成できません";
inline constexpr QStringView kFileAlreadyExists = u"既にファイルは存在します";
inline constexpr QStringView kSetLinkFileFirst = u"ファイルを設定してください";
inline constexpr QStringView kAskRemoveLink = u"リンクファイルの設定を解除しますか？";
inline constexpr QStringView kLinkOpenButton = u"開く(&O)...";
inline constexpr QStringView kLinkNewButton = u"新規(&N)";
inline constexpr QStringView kLinkDeleteButton = u"削除(&D)...";
inline constexpr QStringView kLinkBrowseButton = u"参照(&R)";
// The browse dialog's filter is built from these, the user's pattern
// ("System"/"LinkExt") standing after the second.
inline constexpr QStringView kLinkFilterOutline = u"ｸｲﾙﾏｯﾌﾟﾌｧｲﾙ(*.qmp)|*.qmp|";
inline constexpr QStringView kLinkFilterUser = u"ﾕｰｻﾞ設定ﾌｧｲﾙ|";
inline constexpr QStringView kLinkFilterAll = u"| 全てのﾌｧｲﾙ(*.*) |*.*||";
// Branch clipboard: copy, cut and paste of branches and plain text.
inline constexpr QStringView kSelectInsertPlace = u"挿入場所を選択してください";
inline constexpr QStringView kPasteDialogTitle = u"貼り付け";
inline constexpr QStringView kPasteDialogPrompt = u"貼り付ける位置を選んでください";
inline constexpr QStringView kPasteBelow = u"下の階層(&D)";
inline constexpr QStringView kPasteSameLevel = u"同じ階層(&S)";
inline constexpr QStringView kPasteDontAskAgain = u"今後、このダイアログを表示しない(&V)";
inline constexpr QStringView kTextPasteDialogTitle = u"テキストの貼り付け";
inline constexpr QStringView kTextPasteMessage =
    u"貼り付けようとしているデータはQuillmapデータではなく、テキストデータです。";
inline constexpr QStringView kTextPasteNodePerLine = u"一行一ツリーとする(&T)";
inline constexpr QStringView kTextPasteTitleAndRest =
    u"先頭行をツリータイトルとし、残りはテキストとする(&E)";
inline constexpr QStringView kTextPasteTitleAndAll =
    u"先頭行をツリータイトルとし、全行をテキストとする(&F)";
inline constexpr QStringView kTextPasteOneNode = u"全行を１ツリーにする(&A)";

// Split and merge.
inline constexpr QStringView kSplitDialogTitle = u"ツリーの分割";
inline constexpr QStringView kSplitDropFirstLine = u"最初の一行を削除(&D)";
inline constexpr QStringView kSplitMoveCaret = u"カーソルを分割ツリーに移動(&N)";
inline constexpr QStringView kSplitSameLevel = u"同じ階層に追加(&A)";
inline constexpr QStringView kSplitDontAskAgain = u"分割時、このﾀﾞｲｱﾛｸﾞを出さない(&S)";
// Timestamps display, the latest-updated list and the category dialogs.
inline constexpr QStringView kNoUpdatedTrees = u"更新情報のあるツリーがありません";
inline constexpr QStringView kLatestUpdatedTitle = u"最新更新ツリー";
inline constexpr QStringView kLatestUpdatedTimeColumn = u"更新時間";
inline constexpr QStringView kLatestUpdatedTitleColumn = u"タイトル";
inline constexpr QStringView kButtonJump = u"ジャンプ";
inline constexpr QStringView kButtonClose = u"閉じる";
inline constexpr QStringView kCategoriesTitle = u"カテゴリ設定";
inline constexpr QStringView kCategoryAddButton = u"追加(&A)...";
inline constexpr QStringView kCategoryEditButton = u"修正(&E)...";
inline constexpr QStringView kCategoryDeleteButton = u"削除(&D)...";
inline constexpr QStringView kCategoryUpButton = u"一つ上へ";
inline constexpr QStringView kCategoryDownButton = u"一つ下へ...";
inline constexpr QStringView kCategoryBeforeLabel = u"前文字:";
inline constexpr QStringView kCategoryAfterLabel = u"後文字:";
inline constexpr QStringView kCategoryEntryTitle = u"カテゴリ編集";
inline constexpr QStringView kCategoryNameLabel = u"カテゴリ名(&N):";
inline constexpr QStringView kCategoryMemoLabel = u"説明(&M):";
inline constexpr QStringView kAskDeleteCategory =
    u"%1を削除します。現在、このカテゴリに設定されているツリーは全て未設定になります。"
    u"よろしいですか？";
inline constexpr QStringView kCategoryListFull = u"カテゴリは99個までしか登録できません";

// Marks, checks and branch visibility.
inline constexpr QStringView kAskClearMarksInBranch = u"配下のﾏｰｸを全て削除しますか？";
// Plain-text and memo files: opening and saving.
inline constexpr QStringView kCannotOpenDestination = u"保存先ファイルが開けません";
inline constexpr QStringView kCannotCreateOutputFile = u"出力ファイルが作れません";
inline constexpr QStringView kAskSaveOverTextFile =
    u"テキストファイルです。テキストファイルにそのまま保存するとテキストファイルの形式が変更されま"
    u"す。保存を続行しますか？";
inline constexpr QStringView kFilterShowsCheckedOnly = u"「チェックツリーのみ表示」";
inline constexpr QStringView kFilterShowsUncheckedOnly = u"「チェックツリー以外表示」";
inline constexpr QStringView kFilterBlocksTextSave =
    u"になっています。解除しないと保存できません。\n";
inline constexpr QStringView kFilterHowToShowAll =
    u"[表示]-[チェックツリーの表示]-[全て表示]を行ってください";
inline constexpr QStringView kCliTextFileQuestionDeclined =
    u"System/bTextFile が 0 でないため、テキストファイルには保存しません"
    u"（--set System/bTextFile=0 を付けると保存します）";
// Text output.
inline constexpr QStringView kTextOutputTitle = u"出力ファイル名の指定";
inline constexpr QStringView kTextOutputFilters =
    u"ﾃｷｽﾄﾌｧｲﾙ(*.txt) |*.TXT|HTMLﾌｧｲﾙ(*.html) |*.html||";
// The output format dialog: its lists in value order, then its labels.
inline constexpr QStringView kTextFormatTitle = u"出力形式";
inline constexpr QStringView kTextFormNames[] = {
    u"章立て",       u"章番号で章立て",       u"インデントのみ",
    u"そのまま出力", u"HTML（マークリスト）", u"HTML（番号リスト）",
};
inline constexpr QStringView kTextIndentNames[] = {u"スペース", u"タブ", u"なし"};
inline constexpr QStringView kTextFormLabel = u"形式";
inline constexpr QStringView kTextIndentLabel = u"インデント";
inline constexpr QStringView kTextSelectOnly = u"選択したツリーのみ出力";
inline constexpr QStringView kTextFileOut = u"リンクファイルを出力";
inline constexpr QStringView kTextEditOut = u"テキストエリアを出力";
inline constexpr QStringView kTextSpace = u"全ツリーに空白行挿入";
inline constexpr QStringView kTextTSpace = u"第一階層に空白行挿入";
inline constexpr QStringView kTextWidthLabel = u"折返し数";
inline constexpr QStringView kTextSeparatorLabel = u"章区切";
inline constexpr QStringView kTextTabNoLabel = u"タブ数";
inline constexpr QStringView kTextSpaceNoLabel = u"スペース数";
inline constexpr QStringView kCliNoSuchNode = u"--node の番号のツリーがありません：";

// Files: reasons and refusals.
// A reason follows the program's own message, as in "書き込みできません（理由：…）".
inline constexpr QStringView kFileReason = u"（理由：%1）";
inline constexpr QStringView kFileReasonNotFound = u"ファイルがありません";
inline constexpr QStringView kFileReasonPermissionDenied = u"アクセスが許可されていません";
inline constexpr QStringView kFileReasonIsFolder = u"フォルダです";
inline constexpr QStringView kFileReasonNotRegularFile = u"通常のファイルではありません";
inline constexpr QStringView kFileReasonTooLarge = u"ファイルが大きすぎます";
inline constexpr QStringView kFileReasonExists = u"同じ名前のファイルがあります";
inline constexpr QStringView kFileReasonReadError = u"読み込み中にエラーが発生しました";
inline constexpr QStringView kFileReasonDiskFull = u"ディスクがいっぱいです";
inline constexpr QStringView kFileReasonReadOnly = u"読み取り専用の場所です";
inline constexpr QStringView kFileReasonSyncFailed = u"ディスクへの書き込みを確認できませんでした";
inline constexpr QStringView kFileReasonFolderSyncFailed =
    u"ディスクへの書き込みを確認できず、停電などで保存した内容が失われるおそれがあります";
// %1 the reason, %2 the path of the copy that holds what was being saved.
inline constexpr QStringView kFileReasonKeptCopy = u"%1。保存する内容は %2 に残してあります";

// Reading outlines: losses and limits.
inline constexpr QStringView kReadTooLarge =
    u"ファイルの大きさに比べて大きすぎるツリーになるため、このファイルは読み込めません"
    u"（ファイルが壊れている可能性があります）";
inline constexpr QStringView kUndecodableCount = u"（%1 文字）";
inline constexpr QStringView kUndecodableAsBytes = u"［%1］";
inline constexpr QStringView kLinesUnread =
    u"読み込めなかった行があります（上書き保存するとなくなります）：%1 行";
inline constexpr QStringView kUnreadLineNumbers = u"（%1 行目）";
inline constexpr QStringView kCharactersDropped =
    u"ツリーに入れられない制御文字を取り除きました：%1 文字";
inline constexpr QStringView kSettingsUnclosed =
    u"設定部分の終わりの行がなかったため、ツリーの行が現れたところから先をツリーとして読みました";
inline constexpr QStringView kBodyUnclosed =
    u"テキストの終わりの行がありませんでした（ファイルが途中で切れている可能性があります）";
inline constexpr QStringView kHexBytePrefix = u"0x";
inline constexpr QStringView kListSeparator = u"、";
inline constexpr QStringView kListContinues = u"…";

}  // namespace qm::res
