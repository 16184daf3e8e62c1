// The save questions' texts and buttons.
#include "editing/SaveConsent.h"

#include "platform/Prompt.h"
#include "res/Strings.h"

namespace qm {

bool AgreeToLoseCharacters(Prompt& prompt, const QString& unencodable) {
  return prompt.Ask(res::kAskSaveUnencodable.toString().arg(unencodable), PromptButtons::OkCancel,
                    PromptIcon::Warning) == PromptAnswer::Ok;
}

bool AgreeToPlainTextSave(Prompt& prompt) {
  return prompt.Ask(res::kAskSaveOverTextFile.toString(), PromptButtons::OkCancel,
                    PromptIcon::Question) == PromptAnswer::Ok;
}

}  // namespace qm
