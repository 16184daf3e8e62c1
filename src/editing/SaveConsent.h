// The questions a save asks before it writes, asked the same way by every
// save path: whether characters the code page cannot hold may be written as
// "?", and whether an outline may be saved as plain text, which changes the
// file's format.
//
// WriteAskingBeforeLoss runs a write that first refuses to lose characters;
// when the write reports some, it asks once and, on OK, writes again with
// them replaced. The write returns an EncodedWrite or a FileReport (a
// store's save); RefusedCharacters reads either.
#pragma once

#include <QString>
#include <optional>
#include <type_traits>

#include "model/TreeStore.h"
#include "platform/EncodedFile.h"

namespace qm {

class Prompt;

// True when the user agreed to save with the characters listed in
// unencodable written as "?".
bool AgreeToLoseCharacters(Prompt& prompt, const QString& unencodable);
// True when the user agreed to save the outline as a plain-text file.
bool AgreeToPlainTextSave(Prompt& prompt);

// The characters a write refused to lose, or empty when it refused nothing.
inline QString RefusedCharacters(const EncodedWrite& written) {
  return written.status == EncodedWrite::Status::Unencodable ? written.unencodable : QString();
}
inline QString RefusedCharacters(const FileReport& report) {
  return report.error == FileReport::Error::Unencodable ? report.unencodable : QString();
}

// Returns what the last write returned, or nothing when the user declined
// the loss (then nothing was written).
template <typename Write>
auto WriteAskingBeforeLoss(Prompt& prompt, Write write)
    -> std::optional<std::invoke_result_t<Write, SaveLoss>> {
  auto result = write(SaveLoss::Refuse);
  const QString refused = RefusedCharacters(result);
  if (refused.isEmpty()) return result;
  if (!AgreeToLoseCharacters(prompt, refused)) return std::nullopt;
  return write(SaveLoss::Allow);
}

}  // namespace qm
