// FixedPrompt: the same answer to every question.
#include "platform/Prompt.h"

namespace qm {

PromptAnswer FixedPrompt::Ask(const QString&, PromptButtons buttons, PromptIcon) {
  switch (buttons) {
    case PromptButtons::Ok:
      return PromptAnswer::Ok;
    case PromptButtons::OkCancel:
      return m_agree ? PromptAnswer::Ok : PromptAnswer::Cancel;
    case PromptButtons::YesNo:
      return m_agree ? PromptAnswer::Yes : PromptAnswer::No;
    case PromptButtons::YesNoCancel:
      return m_agree ? PromptAnswer::Yes : PromptAnswer::Cancel;
  }
  return PromptAnswer::Cancel;
}

}  // namespace qm
