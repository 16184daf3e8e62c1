// FakeClipboard: one string, as the system clipboard's text.
#pragma once

#include "platform/Clipboard.h"

namespace qm::test {

class FakeClipboard : public Clipboard {
 public:
  std::optional<QString> Text() const override {
    if (m_text.isEmpty()) return std::nullopt;
    return m_text;
  }
  void SetText(const QString& text) override {
    m_text = text;
    ++m_writes;
  }
  int Writes() const { return m_writes; }

 private:
  QString m_text;
  int m_writes = 0;
};

}  // namespace qm::test
