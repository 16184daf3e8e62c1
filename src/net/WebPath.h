// Web paths: how a document kept on the web outline service is named on this
// machine, "net:" + file id + ";" + title. A path without a file id
// ("net:;title") names an outline not stored yet. The title is everything
// after the first ";", so it may hold ";" itself.
#pragma once

#include <QString>
#include <QStringView>

namespace qm {

// True exactly when name begins with "net:" (case-sensitive).
bool IsWebPath(QStringView name);

// True when name begins with "net:;": an outline the service has no id for yet.
bool IsNewWebPath(QStringView name);

// The text after the first ";", or the whole name when it has none.
QString WebPathTitle(QStringView webPath);

// The text between the first ":" and the first ";"; empty without a ";".
QString WebPathFileId(QStringView webPath);

// "net:" + fileId + ";" + title.
QString MakeWebPath(const QString& fileId, const QString& title);

}  // namespace qm
