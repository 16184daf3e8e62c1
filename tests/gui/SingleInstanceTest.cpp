// A second start hands its file to the running program and ends; with no
// program running, the start becomes the running one.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "gui/SingleInstance.h"

namespace qm {
namespace {

TEST(SingleInstance, SecondStartHandsItsFileToTheFirst) {
  int argc = 1;
  char name[] = "single";
  char* argv[] = {name, nullptr};
  QCoreApplication* app = QCoreApplication::instance();
  std::unique_ptr<QCoreApplication> own;
  if (app == nullptr) own = std::make_unique<QCoreApplication>(argc, argv);

  const QString socketName =
      QStringLiteral("quillmap-test-%1").arg(QCoreApplication::applicationPid());
  SingleInstance second(socketName);
  EXPECT_FALSE(second.HandOffToRunning(QStringLiteral("/tmp/a.qmp"), 200));  // nobody runs

  SingleInstance first(socketName);
  QStringList received;
  ASSERT_TRUE(first.Listen([&](const QString& file) { received << file; }));
  EXPECT_TRUE(second.HandOffToRunning(QStringLiteral("/tmp/ノート.qmp")));
  EXPECT_TRUE(second.HandOffToRunning(QString()));
  QElapsedTimer timer;
  timer.start();
  while (received.size() < 2 && timer.elapsed() < 5000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  EXPECT_EQ(received, (QStringList{QStringLiteral("/tmp/ノート.qmp"), QString()}));
}

}  // namespace
}  // namespace qm
