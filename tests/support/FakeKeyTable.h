// FakeKeyTable: key bindings a test sets; without any, no key is bound.
#pragma once

#include <map>
#include <tuple>

#include "editing/KeyTable.h"

namespace qm::test {

class FakeKeyTable : public KeyTable {
 public:
  int CommandFor(const KeyPress& key) const override {
    const auto found = m_bindings.find(Key(key));
    return found == m_bindings.end() ? 0 : found->second;
  }

  void Bind(const KeyPress& key, int commandId) { m_bindings[Key(key)] = commandId; }

 private:
  using Chord = std::tuple<int, bool, bool, bool>;
  static Chord Key(const KeyPress& key) { return {key.code, key.alt, key.shift, key.ctrl}; }

  std::map<Chord, int> m_bindings;
};

}  // namespace qm::test
