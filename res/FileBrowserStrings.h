// The file browser's texts, one named constant each, used exactly as they stand.
//
// Kept apart from res/Strings.h so that the browser's texts can change
// without rebuilding every file. The OK and Cancel buttons use
// res::kButtonOk and res::kButtonCancel from res/Strings.h.
#pragma once

#include <QStringView>

namespace qm::res {

// The dialog.
inline constexpr QStringView kFileBrowserTitle = u"ファイル選択";
inline constexpr QStringView kFileBrowserParentButton = u"↑";
inline constexpr QStringView kFileBrowserChooseFolderButton = u"...";

// The list's column headers, in column order.
inline constexpr QStringView kFileBrowserNameColumn = u"ファイル名";
inline constexpr QStringView kFileBrowserDateColumn = u"日付";
inline constexpr QStringView kFileBrowserSizeColumn = u"サイズ";
inline constexpr QStringView kFileBrowserTypeColumn = u"種類";

// What the size column shows for a folder (eight characters wide).
inline constexpr QStringView kFileBrowserFolderSize = u"   <DIR>";

// The filter offered when the caller gives none: "all files", every name.
inline constexpr QStringView kFileBrowserDefaultFilter = u"全てのファイル|*.*||";

// Messages.
inline constexpr QStringView kEnterValidFileName = u"正しいファイル名を入力してください";
// %1: the full path.
inline constexpr QStringView kConfirmOverwriteFile = u"%1は既に存在しています。\n上書きしますか？";
// %1: the folder; the failure's reason follows.
inline constexpr QStringView kCannotListFolder = u"フォルダ「%1」を開けません";

}  // namespace qm::res
