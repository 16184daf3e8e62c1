// KeyCustomisationDialogs: the key customisation dialog as the program sees
// it — a window over a KeyCustomisationSession, which holds all of the
// dialog's behaviour.
//
// Implementations: the Qt dialog in the window, a scripted fake in tests.
// Not thread-safe: the user-interface thread owns it.
#pragma once

namespace qm {

class KeyCustomisationSession;

class KeyCustomisationDialogs {
 public:
  virtual ~KeyCustomisationDialogs() = default;
  KeyCustomisationDialogs(const KeyCustomisationDialogs&) = delete;
  KeyCustomisationDialogs& operator=(const KeyCustomisationDialogs&) = delete;

  // Shows the dialog until the user closes it. Every choice goes to session
  // as it is made (the bindings change at once); "OK" calls session.Ok()
  // before closing, "ｷｬﾝｾﾙ" just closes.
  virtual void CustomiseKeys(KeyCustomisationSession& session) = 0;

 protected:
  KeyCustomisationDialogs() = default;
};

}  // namespace qm
