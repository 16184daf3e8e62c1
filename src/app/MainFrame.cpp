// CMainFrame: split layout per orientation and the frame's commands.
#include "app/MainFrame.h"

#include <QStandardPaths>

#include "app/CommandIds.h"
#include "platform/Prompt.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "res/Strings.h"

namespace qm {
namespace {

// An unset split orientation is automatic.
static_assert(settings::kSplPos.fallback == CMainFrame::kSplitAutomatic);

struct FrameState {
  int splitSetting;
  bool readingMode;
  bool softKeyMenu;
};

}  // namespace

CMainFrame::CMainFrame(SettingsStore& settings, Prompt& prompt, FrameHost& host)
    : m_settings(settings), m_prompt(prompt), m_host(host) {
  auto commands = std::make_unique<CommandSet<FrameState>>([this] {
    return FrameState{m_splitSetting, Read(m_settings, settings::kViewMode) != 0,
                      Read(m_settings, settings::kSoftKeyMenu) != 0};
  });
  commands->Add(kCmdTreeOnly, [this] { ShowTreeOnly(); });
  commands->Add(kCmdTextOnly, [this] { ShowTextOnly(); });
  commands->Add(kCmdBothPanes, [this] { ShowBoth(); });
  commands->Add(
      kCmdSplitTopBottom, [this] { SetSplitOrientation(kSplitRows); },
      [](const FrameState& s) { return CheckedIf(s.splitSetting == kSplitRows); });
  commands->Add(
      kCmdSplitLeftRight, [this] { SetSplitOrientation(kSplitColumns); },
      [](const FrameState& s) { return CheckedIf(s.splitSetting == kSplitColumns); });
  commands->Add(
      kCmdSplitAutomatic, [this] { SetSplitOrientation(kSplitAutomatic); },
      [](const FrameState& s) { return CheckedIf(s.splitSetting == kSplitAutomatic); });
  commands->Add(kCmdInitialFolder, [this] { ChooseInitialFolder(); });
  commands->Add(
      kCmdToggleReadingMode, [this] { ToggleReadingMode(); },
      [](const FrameState& s) { return CheckedIf(s.readingMode); });
  commands->Add(
      kCmdToggleSoftKeyMenu, [this] { ToggleSoftKeyMenu(); },
      [](const FrameState& s) { return CheckedIf(s.softKeyMenu); });
  commands->Add(kCmdHelp, [this] { ShowHelp(); });
  m_commands = std::move(commands);
}

CMainFrame::~CMainFrame() = default;

QString CMainFrame::WindowTitle() { return res::kWindowTitle.toString(); }

CommandTarget& CMainFrame::Commands() { return *m_commands; }

bool CMainFrame::IsLandscape() const {
  const QSize screen = m_host.ScreenSize();
  return screen.width() > screen.height();  // a square screen counts as portrait
}

const IntSetting& CMainFrame::FirstSizeSetting(bool rows) const {
  if (rows) return IsLandscape() ? settings::kRowLand : settings::kRowPort;
  return IsLandscape() ? settings::kColumLand : settings::kColumPort;
}

int CMainFrame::StoredFirstSize() const {
  const QSize client = m_host.ClientSize();
  return Read(m_settings, FirstSizeSetting(m_rows),
              m_rows ? client.height() / 2 : client.width() / 2);
}

void CMainFrame::CreateClient() {
  m_splitSetting = Read(m_settings, settings::kSplPos);
  m_rows = m_splitSetting == kSplitRows || (m_splitSetting == kSplitAutomatic && !IsLandscape());

  const int oldColumn = Read(m_settings, settings::kColum);
  const int oldRow = Read(m_settings, settings::kRow);
  if (oldColumn != 0 || oldRow != 0) {
    Write(m_settings, FirstSizeSetting(false), oldColumn);
    Write(m_settings, FirstSizeSetting(true), oldRow);
    Write(m_settings, settings::kColum, 0);
    Write(m_settings, settings::kRow, 0);
  }
  m_host.CreateSplitter(m_rows, StoredFirstSize());
  m_host.ActivatePane(Pane::Tree);
  m_created = true;
}

void CMainFrame::OnDestroy() {
  if (!m_created) return;
  Write(m_settings, FirstSizeSetting(m_rows), m_host.FirstPaneSize());
}

void CMainFrame::OnSize(QSize client) {
  if (m_created && m_lastWidth != -1 && client.width() != m_lastWidth) {
    const int first = StoredFirstSize();
    const int whole = m_rows ? client.height() : client.width();
    m_host.SetPaneSizes(first, qMax(0, whole - first));
  }
  m_lastWidth = client.width();
}

void CMainFrame::ShowTreeOnly() {
  const QSize client = m_host.ClientSize();
  m_host.SetPaneSizes(m_rows ? client.height() : client.width(), 0);
  m_host.ActivatePane(Pane::Tree);
  Write(m_settings, settings::kTreeText, 1);
}

void CMainFrame::ShowTextOnly() {
  const QSize client = m_host.ClientSize();
  m_host.SetPaneSizes(0, m_rows ? client.height() : client.width());
  m_host.ActivatePane(Pane::Body);
  Write(m_settings, settings::kTreeText, 2);
}

void CMainFrame::ShowBoth() {
  const QSize client = m_host.ClientSize();
  if (m_rows) {
    m_host.SetPaneSizes(client.height() / 2, client.height() / 2);
  } else {
    const int fifth = client.width() / 5;
    m_host.SetPaneSizes(fifth * 2, fifth * 3);
  }
  Write(m_settings, settings::kTreeText, 0);
}

void CMainFrame::SetSplitOrientation(int setting) {
  Write(m_settings, settings::kSplPos, setting);
  if (setting == kSplitAutomatic) {
    m_splitSetting = setting;
    return;
  }
  m_prompt.Ask(res::kTakesEffectNextWindow.toString(), PromptButtons::Ok, PromptIcon::Information);
}

void CMainFrame::ToggleReadingMode() {
  const int mode = Read(m_settings, settings::kViewMode);
  Write(m_settings, settings::kViewMode, mode != 0 ? 0 : 1);
}

void CMainFrame::ToggleSoftKeyMenu() {
  const int flag = Read(m_settings, settings::kSoftKeyMenu);
  Write(m_settings, settings::kSoftKeyMenu, flag != 0 ? 0 : 1);
  m_prompt.Ask(res::kTakesEffectNextStart.toString(), PromptButtons::Ok, PromptIcon::Information);
}

void CMainFrame::ChooseInitialFolder() {
  const QString start = Read(m_settings, settings::kInitDir,
                             QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  if (const auto folder = m_host.ChooseFolder(res::kChooseInitialFolder.toString(), start)) {
    Write(m_settings, settings::kInitDir, *folder);
  }
}

void CMainFrame::ShowHelp() { m_host.OpenManual(); }

}  // namespace qm
