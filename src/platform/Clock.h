// Clock: the current time, injected so that tests get deterministic times.
//
// Times are seconds since 1970-01-01 UTC held in 32 bits, the program's own
// time form. SystemClock reads the host's clock.
#pragma once

#include <QtGlobal>

namespace qm {

class Clock {
 public:
  virtual ~Clock() = default;
  Clock(const Clock&) = delete;
  Clock& operator=(const Clock&) = delete;

  virtual qint32 Now() const = 0;

 protected:
  Clock() = default;
};

class SystemClock : public Clock {
 public:
  SystemClock() = default;
  qint32 Now() const override;
};

}  // namespace qm
