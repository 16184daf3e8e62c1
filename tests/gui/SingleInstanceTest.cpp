// A second start hands its file to the running program and ends; with no
// program running it becomes the running one; a running program that does
// not answer is left alone and the new start opens its own window.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMutex>
#include <QThread>
#include <atomic>

#include "gui/SingleInstance.h"

namespace qm {
namespace {

class SingleInstanceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "single";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) new QCoreApplication(argc, argv);
  }
  const QString socketName =
      QStringLiteral("quillmap-test-%1").arg(QCoreApplication::applicationPid());
};

TEST_F(SingleInstanceTest, ASecondStartHandsItsFilesToTheRunningOne) {
  SingleInstance second(socketName);
  EXPECT_EQ(second.HandOffToRunning(QStringLiteral("/tmp/a.qmp"), 200),
            SingleInstance::HandOff::NobodyRunning);

  // The running program, with an event loop of its own as a real one has.
  QMutex mutex;
  QStringList received;
  std::atomic<bool> listening = false;
  std::atomic<bool> stop = false;
  std::unique_ptr<QThread> running(QThread::create([&] {
    SingleInstance first(socketName);
    listening = first.Listen([&](const QString& file) {
      const QMutexLocker lock(&mutex);
      received << file;
    });
    while (!stop) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }));
  running->start();
  while (!listening) QThread::msleep(5);

  EXPECT_EQ(second.HandOffToRunning(QStringLiteral("/tmp/ノート.qmp")),
            SingleInstance::HandOff::Taken);
  EXPECT_EQ(second.HandOffToRunning(QString()), SingleInstance::HandOff::Taken);
  QElapsedTimer timer;
  timer.start();
  for (bool done = false; !done && timer.elapsed() < 5000; QThread::msleep(10)) {
    const QMutexLocker lock(&mutex);
    done = received.size() == 2;
  }
  stop = true;
  running->wait();
  EXPECT_EQ(received, (QStringList{QStringLiteral("/tmp/ノート.qmp"), QString()}));
}

// The first program listens but its event loop never runs again, as when it
// is stuck: the system still takes the connection, nobody answers.
TEST_F(SingleInstanceTest, AStuckRunningProgramIsLeftAloneWithinTheTimeOut) {
  SingleInstance first(socketName + QStringLiteral("-stuck"));
  ASSERT_TRUE(first.Listen([](const QString&) { ADD_FAILURE() << "a stuck program answered"; }));
  SingleInstance second(socketName + QStringLiteral("-stuck"));
  QElapsedTimer timer;
  timer.start();
  EXPECT_EQ(second.HandOffToRunning(QStringLiteral("/tmp/a.qmp"), 300),
            SingleInstance::HandOff::NotResponding);
  EXPECT_LT(timer.elapsed(), 2000);
}

}  // namespace
}  // namespace qm
