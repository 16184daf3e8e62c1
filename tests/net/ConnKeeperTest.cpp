// The connection keeper: the quick check, the worker's statuses, and the
// messages of each way a link attempt ends.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>

#include "net/ConnKeeper.h"
#include "res/NetStrings.h"
#include "support/FakeConnectionManager.h"
#include "support/FakePrompt.h"
#include "support/QtPrinting.h"

namespace qm {

using namespace Qt::StringLiterals;
namespace {

using test::FakeConnectionManager;

const QString kHost = QStringLiteral("http://account.example:8642");

class ConnKeeperTest : public ::testing::Test {
 protected:
  ConnKeeperTest() {
    // Each of the user-interface thread's pauses hands the worker the next
    // scripted status and waits until the worker has taken it.
    keeper.SetPause([this](int) {
      ++pauses;
      if (script.isEmpty()) return;
      const quint32 status = script.takeFirst();
      manager.Deliver(status);
      QElapsedTimer timer;
      timer.start();
      while (keeper.WorkerStatus() != status && keeper.WorkerRunning() && timer.elapsed() < 5000) {
        QThread::msleep(1);
      }
    });
  }

  QStringList Failed() const { return {res::kAutoConnectFailed.toString()}; }

  FakeConnectionManager manager;
  test::FakePrompt prompt;
  CConnKeeper keeper{manager, prompt};
  QList<quint32> script;
  int pauses = 0;
};

TEST(ConnKeeperDefaultTest, AHostWithoutAConnectionManagerAlwaysHasALink) {
  AlwaysConnected manager;
  test::FakePrompt prompt;
  CConnKeeper keeper(manager, prompt);
  EXPECT_TRUE(keeper.EnsureConnection(kHost));
  EXPECT_FALSE(keeper.WorkerRunning());
  EXPECT_TRUE(prompt.Asked().isEmpty());
}

TEST_F(ConnKeeperTest, TheFirstRequestRaisesALinkThroughTheWorkerAndLaterOnesOnlyCheck) {
  script = {0x40, 0x41, kLinkConnected};
  EXPECT_TRUE(keeper.EnsureConnection(kHost));
  EXPECT_TRUE(keeper.WorkerRunning());  // the link stays held
  FakeConnectionManager::Counts counts = manager.Snapshot();
  EXPECT_EQ(counts.checks, 0);  // nothing mapped yet: no quick check
  EXPECT_EQ(counts.requests, 1);
  EXPECT_EQ(counts.mapped, QList<QString>{u"http://account.example"_s});
  EXPECT_EQ(pauses, 3);

  // Connected, or a link that could be raised (0x23): the quick check suffices.
  for (const quint32 answer : {kLinkConnected, kLinkDisabled}) {
    manager.checkAnswer = answer;
    EXPECT_TRUE(keeper.EnsureConnection(kHost));
  }
  counts = manager.Snapshot();
  EXPECT_EQ(counts.checks, 2);
  EXPECT_EQ(counts.requests, 1);
  EXPECT_TRUE(prompt.Asked().isEmpty());

  keeper.Disconnect();
  EXPECT_FALSE(keeper.WorkerRunning());
  counts = manager.Snapshot();
  EXPECT_EQ(counts.releases, 1);
  EXPECT_FALSE(counts.lastKeepCached);
}

TEST_F(ConnKeeperTest, AFailedOrCancelledAttemptShowsBothReports) {
  for (const quint32 status : {kLinkFailed, kLinkCancelled, quint32{0x24}}) {
    prompt.ClearAsked();
    script = {0x40, status};
    manager.checkAnswer.reset();  // the quick check times out
    EXPECT_FALSE(keeper.EnsureConnection(kHost));
    EXPECT_EQ(prompt.Asked(), Failed());
    EXPECT_EQ(manager.Snapshot().reported.last(), status);
    EXPECT_FALSE(keeper.WorkerRunning());
  }
  EXPECT_EQ(manager.Snapshot().releases, 3);
}

TEST_F(ConnKeeperTest, AHostThatCannotBeMappedFailsAtOnce) {
  manager.mapSucceeds = false;
  EXPECT_FALSE(keeper.EnsureConnection(kHost));
  EXPECT_EQ(prompt.Asked(), Failed());
  EXPECT_EQ(manager.Snapshot().requests, 0);
  EXPECT_EQ(pauses, 0);
}

TEST_F(ConnKeeperTest, AnAttemptThatCannotStartOrBeReadEndsTheWait) {
  manager.requestSucceeds = false;
  EXPECT_FALSE(keeper.EnsureConnection(kHost));
  EXPECT_EQ(prompt.Asked(), Failed());
  EXPECT_EQ(manager.Snapshot().reported, QList<quint32>{kLinkFailed});

  prompt.ClearAsked();
  manager.requestSucceeds = true;
  manager.statusReadFails = true;
  script = {0x40};
  EXPECT_FALSE(keeper.EnsureConnection(kHost));
  EXPECT_EQ(prompt.Asked(), Failed());
}

TEST_F(ConnKeeperTest, ALinkThatNeverComesUpIsGivenUp) {
  EXPECT_FALSE(keeper.EnsureConnection(kHost));  // no status ever comes
  EXPECT_EQ(pauses, CConnKeeper::kGiveUpMs / CConnKeeper::kPollMs);
  EXPECT_EQ(prompt.Asked(), Failed());
  EXPECT_FALSE(keeper.WorkerRunning());
}

TEST_F(ConnKeeperTest, ADroppedLinkEndsTheWorkerAndTheNextRequestRaisesANewOne) {
  script = {kLinkConnected};
  ASSERT_TRUE(keeper.EnsureConnection(kHost));
  manager.Deliver(kLinkDisconnected);
  QElapsedTimer timer;
  timer.start();
  while (keeper.WorkerRunning() && timer.elapsed() < 5000) QThread::msleep(1);
  EXPECT_FALSE(keeper.WorkerRunning());
  EXPECT_TRUE(manager.Snapshot().lastKeepCached);  // a normal disconnection
  EXPECT_TRUE(manager.Snapshot().reported.isEmpty());

  script = {kLinkConnected};
  EXPECT_TRUE(keeper.EnsureConnection(kHost));
  EXPECT_EQ(manager.Snapshot().requests, 2);
  EXPECT_TRUE(prompt.Asked().isEmpty());
}

TEST_F(ConnKeeperTest, DisconnectWithoutAWorkerDoesNothing) {
  keeper.Disconnect();
  keeper.ShutDown();
  EXPECT_EQ(manager.Snapshot().releases, 0);
  EXPECT_TRUE(prompt.Asked().isEmpty());
}

}  // namespace
}  // namespace qm
