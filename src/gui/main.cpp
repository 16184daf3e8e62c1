// quillmap: the outliner's desktop window.
#include <QApplication>
#include <QGuiApplication>
#include <QTimer>
#include <cstdio>

#include "gui/DesktopApp.h"
#include "gui/MainWindow.h"
#include "gui/Translations.h"
#include "platform/QSettingsStore.h"
#include "res/Strings.h"

int main(int argc, char** argv) {
  // Without a display Qt would abort with a message about plug-ins; say
  // what to do instead.
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    std::fprintf(stderr, "%s\n", qm::res::kNoDisplay.toString().toLocal8Bit().constData());
    return 1;
  }
  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName(QStringLiteral("Vorel"));
  QCoreApplication::setApplicationName(QStringLiteral("Quillmap"));
  QCoreApplication::setApplicationVersion(QStringLiteral(QM_VERSION));
  qm::InstallQtTranslations(app);
  qm::QSettingsStore settings;
  qm::DesktopApp program(settings);
  const QStringList arguments = QCoreApplication::arguments();
  // QUILLMAP_SCREENSHOT=FILE.png: show the window, save a picture of it and
  // end (for the manual and the README; works off screen too).
  const QString screenshot = qEnvironmentVariable("QUILLMAP_SCREENSHOT");
  if (!program.Start(arguments.value(1), screenshot.isEmpty())) return 0;
  if (!screenshot.isEmpty()) {
    QTimer::singleShot(800, &app, [&program, screenshot] {
      const bool saved = program.Window().grab().save(screenshot);
      QCoreApplication::exit(saved ? 0 : 1);
    });
  }
  return app.exec();
}
