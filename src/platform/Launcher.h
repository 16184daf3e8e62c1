// Launcher: opens a file with the program the desktop associates with it.
//
// The window implements it through the desktop's URL handler; tests record
// the paths. Returns whether the desktop accepted the request (it cannot
// tell whether the program then succeeds). Callers hold a reference; the
// implementation must outlive them. Not thread-safe: the user-interface
// thread owns it.
#pragma once

#include <QString>

namespace qm {

class Launcher {
 public:
  virtual ~Launcher() = default;
  Launcher(const Launcher&) = delete;
  Launcher& operator=(const Launcher&) = delete;

  // path is an absolute file path or a URL with a scheme.
  virtual bool Launch(const QString& path) = 0;

 protected:
  Launcher() = default;
};

}  // namespace qm
