// KeyTable: the user's key bindings as the panes see them — a key press in,
// a command id out.
//
// Key codes are the virtual-key codes that key definition files store; the
// window maps its own keys to them before asking. CommandFor returns the
// bound command id, or 0 when the key is not bound. NoKeyBindings is the
// table before any key definition file has been read. Implementations must
// outlive the panes that hold them.
#pragma once

namespace qm {

// Virtual-key codes the panes treat specially when the key is not bound.
inline constexpr int kKeyEnter = 0x0D;
inline constexpr int kKeyDelete = 0x2E;

struct KeyPress {
  int code = 0;
  bool alt = false;
  bool shift = false;
  bool ctrl = false;

  bool IsPlain() const { return !alt && !shift && !ctrl; }
};

class KeyTable {
 public:
  virtual ~KeyTable() = default;
  KeyTable(const KeyTable&) = delete;
  KeyTable& operator=(const KeyTable&) = delete;

  virtual int CommandFor(const KeyPress& key) const = 0;

 protected:
  KeyTable() = default;
};

class NoKeyBindings final : public KeyTable {
 public:
  NoKeyBindings() = default;
  int CommandFor(const KeyPress&) const override { return 0; }
};

}  // namespace qm
