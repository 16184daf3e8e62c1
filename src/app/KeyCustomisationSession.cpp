// KeyCustomisationSession: the key customisation dialog's behaviour.
#include "app/KeyCustomisationSession.h"

#include <iterator>

#include "app/KeyBindings.h"
#include "editing/FileDialogs.h"
#include "platform/Prompt.h"
#include "res/KeyStrings.h"

namespace qm {
namespace {

constexpr int kKeyCount = static_cast<int>(std::size(res::kKeyNames));
constexpr int kCommandCount = static_cast<int>(std::size(res::kKeyCommandNames));

void Tell(Prompt& prompt, const QString& message) {
  if (!message.isEmpty()) prompt.Ask(message, PromptButtons::Ok, PromptIcon::Warning);
}

}  // namespace

KeyCustomisationSession::KeyCustomisationSession(CKeyBindingTable& table, Prompt& prompt,
                                                 FileDialogs& files,
                                                 std::function<void()> bindingsChanged)
    : m_table(table),
      m_prompt(prompt),
      m_files(files),
      m_bindingsChanged(std::move(bindingsChanged)) {}

QStringList KeyCustomisationSession::KeyListTexts() const {
  const QString prefix = KeyPrefix(m_alt, m_shift, m_ctrl);
  QStringList texts;
  texts.reserve(kKeyCount);
  for (const res::KeyName& key : res::kKeyNames) texts.append(prefix + key.name.toString());
  return texts;
}

QStringList KeyCustomisationSession::CommandListTexts() {
  QStringList texts{res::kKeyNoCommand.toString()};
  for (const res::KeyCommandName& entry : res::kKeyCommandNames) {
    texts.append(entry.name.toString());
  }
  return texts;
}

void KeyCustomisationSession::SelectKey(int row) {
  if (row >= 0 && row < kKeyCount) m_keyRow = row;
}

void KeyCustomisationSession::SetModifiers(bool ctrl, bool shift, bool alt) {
  m_ctrl = ctrl;
  m_shift = shift;
  m_alt = alt;
}

int KeyCustomisationSession::SelectedKeyCode() const { return res::kKeyNames[m_keyRow].code; }

int KeyCustomisationSession::CommandRow() const {
  const int command = m_table.LookUp(SelectedKeyCode(), m_alt, m_shift, m_ctrl);
  return command == 0 ? 0 : CommandNameRow(command) + 1;
}

void KeyCustomisationSession::ChooseCommandRow(int row) {
  if (row < 0 || row > kCommandCount) return;
  const int command = row == 0 ? 0 : res::kKeyCommandNames[row - 1].command;
  m_table.Choose(SelectedKeyCode(), m_alt, m_shift, m_ctrl, command);
  if (m_bindingsChanged) m_bindingsChanged();
}

void KeyCustomisationSession::SaveToChosenFile() {
  SaveFileRequest request;
  request.kind = SaveDialogKind::Standard;
  request.title = res::kKeyFileDialogTitle.toString();
  request.proposedName = res::kKeyFileInitialName.toString();
  request.defaultExtension = res::kKeyFileExtension.toString();
  request.filters = res::kKeyFileFilter.toString();
  const std::optional<QString> path = m_files.ChooseSaveFileName(request);
  if (!path) return;
  Tell(m_prompt, KeyFileSaveErrorText(m_table.Save(*path)));
}

void KeyCustomisationSession::LoadFromChosenFile() {
  OpenFileRequest request;
  request.title = res::kKeyFileDialogTitle.toString();
  request.initialName = res::kKeyFileInitialName.toString();
  request.defaultExtension = res::kKeyFileExtension.toString();
  request.filters = res::kKeyFileFilter.toString();
  const std::optional<QString> path = m_files.ChooseOpenFileName(request);
  if (!path) return;
  const KeyFileResult result = m_table.Load(*path);
  if (result && m_bindingsChanged) m_bindingsChanged();
  Tell(m_prompt, KeyFileLoadErrorText(result));
}

void KeyCustomisationSession::Ok() { Tell(m_prompt, KeyFileSaveErrorText(m_table.Save())); }

}  // namespace qm
