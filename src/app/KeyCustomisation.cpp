// CKeyCustomisation: key bindings at start, at exit, in the frame and in
// the customisation dialog.
#include "app/KeyCustomisation.h"

#include "app/CommandTarget.h"
#include "app/KeyCustomisationDialogs.h"
#include "app/KeyCustomisationSession.h"
#include "platform/Prompt.h"
#include "res/CommandIds.h"

namespace qm {

CKeyCustomisation::CKeyCustomisation(SettingsStore& settings, Prompt& prompt, FileDialogs& files,
                                     KeyCustomisationDialogs& dialogs)
    : m_prompt(prompt), m_files(files), m_dialogs(dialogs), m_table(settings) {}

CKeyCustomisation::~CKeyCustomisation() = default;

KeyFileResult CKeyCustomisation::Start(const QString& programFolder) {
  const KeyFileResult result = m_table.LoadAtStart(programFolder);
  BindingsChanged();
  const bool missing = result.error == KeyFileResult::Error::File &&
                       result.failure.kind == FileFailure::Kind::NotFound;
  if (!result && !missing) {
    m_prompt.Ask(KeyFileLoadErrorText(result), PromptButtons::Ok, PromptIcon::Warning);
  }
  return result;
}

void CKeyCustomisation::Exit() {
  m_editArea.Clear();
  m_table.StorePath();
}

void CKeyCustomisation::BindingsChanged() {
  m_editArea.Rebuild(m_table);
  if (m_bindingsChanged) m_bindingsChanged();
}

int CKeyCustomisation::FrameCommandFor(Pane focused, const KeyPress& key) const {
  if (key.code == 0) return 0;
  if (focused == Pane::Body && !m_editArea.Contains(key)) return 0;
  return m_table.CommandFor(key);
}

QString CKeyCustomisation::MenuKeyTextFor(int command) const {
  QString text = m_table.KeyTextFor(command);
  if (text.isEmpty() && command == kCmdFindNext) text = m_table.KeyTextFor(kCmdRepeatFind);
  return text;
}

void CKeyCustomisation::Customise() {
  KeyCustomisationSession session(m_table, m_prompt, m_files, [this] {
    if (m_bindingsChanged) m_bindingsChanged();
  });
  m_dialogs.CustomiseKeys(session);
  BindingsChanged();
}

std::unique_ptr<CommandTarget> CKeyCustomisation::MakeCommands() {
  auto commands = std::make_unique<CommandSet<int>>();
  commands->Add(kCmdKeyCustomisation, [this] { Customise(); });
  return commands;
}

}  // namespace qm
