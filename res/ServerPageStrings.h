// The texts of the server's browser pages: the sign-in form, the list of
// outlines, an outline's page and the refusals, shown as they stand.
#pragma once

#include <QStringView>

namespace qm::res {

inline constexpr QStringView kPageSiteName = u"クイルマップ for Web";
inline constexpr QStringView kPageSignInTitle = u"サインイン";
inline constexpr QStringView kPageMail = u"メールアドレス";
inline constexpr QStringView kPagePassword = u"パスワード";
inline constexpr QStringView kPageSignIn = u"サインイン";
inline constexpr QStringView kPageSignOut = u"サインアウト";
inline constexpr QStringView kPageWrongAccount = u"メールアドレスかパスワードが違います。";
inline constexpr QStringView kPageTooManyAttempts =
    u"サインインの失敗が続いたため、しばらく受け付けません。10分ほど待ってからもう一度お試しくださ"
    u"い。";
inline constexpr QStringView kPageOutlines = u"アウトライン";
inline constexpr QStringView kPageNoOutlines =
    u"保存されたアウトラインはまだありません。デスクトップ版の「ネット」メニューから保存できます。";
inline constexpr QStringView kPageUpdated = u"更新日時";
inline constexpr QStringView kPageSize = u"サイズ";
inline constexpr QStringView kPageBytes = u"%1 バイト";
inline constexpr QStringView kPageBackToList = u"一覧へ戻る";
inline constexpr QStringView kPageDownload = u"ダウンロード（.qmp）";
inline constexpr QStringView kPageSignedInAs = u"サインイン中：";
inline constexpr QStringView kPageChecked = u"チェック済み";
inline constexpr QStringView kPageStruck = u"取り消し線";
inline constexpr QStringView kPageNotFound = u"アウトラインが見つかりません。";
inline constexpr QStringView kPageNotFoundTitle = u"見つかりません";
inline constexpr QStringView kPageUnreadable =
    u"このアウトラインは大きすぎるか壊れているため表示できません。ダウンロードしてデスクトップ版で"
    u"開いてください。";
inline constexpr QStringView kPageServerError =
    u"サーバーで問題が起きました。しばらくしてからもう一度お試しください。";
inline constexpr QStringView kPageErrorTitle = u"エラー";
inline constexpr QStringView kPageForbiddenOrigin =
    u"このフォームは別のサイトから送られたため受け付けません。";
inline constexpr QStringView kPageBadRequest = u"リクエストの形式が正しくありません。";

}  // namespace qm::res
