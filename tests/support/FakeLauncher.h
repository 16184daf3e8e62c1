// FakeLauncher: records what would have been opened, and accepts it unless
// told to refuse.
#pragma once

#include <QStringList>

#include "platform/Launcher.h"

namespace qm::test {

class FakeLauncher : public Launcher {
 public:
  bool Launch(const QString& path) override {
    m_launched.append(path);
    return m_accept;
  }
  void SetAccept(bool accept) { m_accept = accept; }
  const QStringList& Launched() const { return m_launched; }

 private:
  QStringList m_launched;
  bool m_accept = true;
};

}  // namespace qm::test
