// Prompt: message boxes, the one way behaviour code asks or tells the user.
//
// Ask shows text with the given buttons and returns the button chosen. A
// message with only OK returns Ok. Implementations: the Qt message box in the
// window, a scripted fake in tests.
#pragma once

#include <QString>

namespace qm {

enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptIcon { None, Information, Warning, Error, Question };
enum class PromptAnswer { Ok, Cancel, Yes, No };

class Prompt {
 public:
  virtual ~Prompt() = default;
  Prompt(const Prompt&) = delete;
  Prompt& operator=(const Prompt&) = delete;

  virtual PromptAnswer Ask(const QString& text, PromptButtons buttons,
                           PromptIcon icon = PromptIcon::None) = 0;

 protected:
  Prompt() = default;
};

}  // namespace qm
