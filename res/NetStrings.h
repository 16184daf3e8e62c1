// The texts of the web outline service's client, one named constant each,
// used exactly as they stand: the transport's and the protocol's messages,
// the connection keeper's message and the two web dialogs.
#pragma once

#include <QStringView>

namespace qm::res {

// The transport. An address that cannot be parsed is shown as the address
// followed by kAddressParseFailed; a connection failure as
// kConnectionErrorPrefix followed by the transport's own text.
inline constexpr QStringView kAddressParseFailed = u"の解析に失敗しました";
inline constexpr QStringView kConnectionErrorPrefix = u"接続エラー：";
// The desktop's additions: a server that stops sending, and a text reply too
// large to be a message.
inline constexpr QStringView kTransferTimedOut = u"サーバーからの応答が途絶えました";
inline constexpr QStringView kReplyTooLarge = u"サーバーからの応答が大きすぎます";

// The protocol and the document's web side.
inline constexpr QStringView kNoWebAccount = u"アカウントの設定がされていません";
inline constexpr QStringView kUploadSizeLimit =
    u"サイズ制限：1MB以上のファイルはアップロードできません";
inline constexpr QStringView kOpenFromWebFailed = u"ネットからファイルを開くことに失敗しました";
// Saving to the web asks for the web file's title.
inline constexpr QStringView kWebTitlePrompt = u"タイトルを入力してください";

// No keyring takes the web password: it goes into the settings file instead.
inline constexpr QStringView kKeyringMissing =
    u"パスワードを保管するキーリングが見つからないため、パスワードは設定ファイルに保存します。";

// The connection keeper.
inline constexpr QStringView kAutoConnectFailed = u"自動接続に失敗しました";

// The web account dialog.
inline constexpr QStringView kWebAccountCaption = u"VorelWebアカウント設定";
inline constexpr QStringView kWebAccountMailLabel = u"メールアドレス:";
inline constexpr QStringView kWebAccountPasswordLabel = u"パスワード:";
inline constexpr QStringView kWebAccountHint = u"取得したVorel Webアカウントを設定してください。";
inline constexpr QStringView kWebAccountCancel = u"キャンセル";
// Shown in the password box in place of a stored password, which is never shown.
inline constexpr QStringView kWebPasswordPlaceholder = u"wertobunaxi";
// The desktop's addition: where the service is, one address per endpoint.
inline constexpr QStringView kWebAccountHostLabel = u"アカウントのサーバー:";
inline constexpr QStringView kWebServiceHostLabel = u"ファイルのサーバー:";

// The open-from-the-web dialog.
inline constexpr QStringView kWebOpenCaption = u"Vorel Webファイルから開く";
inline constexpr QStringView kWebOpenLabel = u"Vorel Webファイルから開く";
inline constexpr QStringView kWebOpenCancel = u"ｷｬﾝｾﾙ";

// The title asked for when the outline is saved to the web.
inline constexpr QStringView kWebTitleCaption = u"ネットのファイルとして保存";

// The desktop's progress window for a transfer that takes more than a moment.
inline constexpr QStringView kWebTransferCaption = u"Vorel Web";
inline constexpr QStringView kWebTransferProgress = u"通信中...";
inline constexpr QStringView kWebTransferCancel = u"キャンセル";

// The account dialog refuses a server address it could not use.
inline constexpr QStringView kWebHostAddressInvalid =
    u"http:// または https:// で始まるアドレスを入力してください";

}  // namespace qm::res
