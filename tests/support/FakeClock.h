// FakeClock: a clock that says what the test sets.
#pragma once

#include "platform/Clock.h"

namespace qm::test {

class FakeClock : public Clock {
 public:
  explicit FakeClock(qint32 now = 1700000000) : m_now(now) {}
  qint32 Now() const override { return m_now; }
  void Set(qint32 now) { m_now = now; }
  void Advance(qint32 seconds) { m_now += seconds; }

 private:
  qint32 m_now;
};

}  // namespace qm::test
