// QtPrompt: the prompt port as modal message boxes over the main window,
// titled like the window and with the program's own button texts.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/Prompt.h"

namespace qm {

class QtPrompt : public Prompt {
 public:
  // parent: the window the boxes are modal to; may be null.
  explicit QtPrompt(QWidget* parent = nullptr) : m_parent(parent) {}
  void SetParent(QWidget* parent) { m_parent = parent; }

  PromptAnswer Ask(const QString& text, PromptButtons buttons, PromptIcon icon) override;

 private:
  QPointer<QWidget> m_parent;
};

}  // namespace qm
