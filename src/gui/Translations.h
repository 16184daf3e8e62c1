// Translations: Qt's own Japanese texts for the dialogs Qt draws itself (the
// file, font and colour dialogs, standard buttons), so that they speak the
// program's language whatever the desktop's locale.
#pragma once

class QCoreApplication;

namespace qm {

// Installs Qt's Japanese translations into app from the system's Qt
// translations folder. Returns false when they are not installed (the
// dialogs then keep Qt's English).
bool InstallQtTranslations(QCoreApplication& app);

}  // namespace qm
