// The one QApplication of the widget tests, drawn off screen: no display is
// ever needed.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace qm::test {

inline void EnsureOffscreenApp() {
  static int argc = 1;
  static char name[] = "qm_gui_test";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (QApplication::instance() == nullptr) new QApplication(argc, argv);
}

// Closes every modal window should a scripted step miss its own, so that a
// failing test ends instead of waiting for ever.
class ModalGuard {
 public:
  ModalGuard() {
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [] {
      while (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    m_timer.start(10000);
  }

 private:
  QTimer m_timer;
};

}  // namespace qm::test
