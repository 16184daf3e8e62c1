// SystemClock: the host's wall clock.
#include <QDateTime>

#include "platform/Clock.h"

namespace qm {

qint32 SystemClock::Now() const { return static_cast<qint32>(QDateTime::currentSecsSinceEpoch()); }

}  // namespace qm
