// CMainFrame: split layout per orientation and the frame's commands.
#include "app/MainFrame.h"

#include <QStandardPaths>

#include "app/CommandIds.h"
#include "platform/Prompt.h"
#include "platform/SettingsStore.h"
#include "res/Strings.h"

namespace qm {
namespace {

const QString kView = QStringLiteral("View");
const QString kSystem = QStringLiteral("System");

struct FrameState {
  int splitSetting;
  bool readingMode;
  bool softKeyMenu;
};

}  // namespace

CMainFrame::CMainFrame(SettingsStore& settings, Prompt& prompt, FrameHost& host)
    : m_settings(settings), m_prompt(prompt), m_host(host) {
  auto commands = std::make_unique<CommandSet<FrameState>>([this] {
    return FrameState{m_splitSetting,
                      m_settings.ReadInt(kSystem, QStringLiteral("ViewMode"), 0) != 0,
                      m_settings.ReadInt(kSystem, QStringLiteral("SoftKeyMenu"), 0) != 0};
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

QString CMainFrame::Suffix() const {
  return IsLandscape() ? QStringLiteral("Land") : QStringLiteral("Port");
}

int CMainFrame::StoredFirstSize() const {
  const QSize client = m_host.ClientSize();
  return m_rows ? m_settings.ReadInt(kView, QStringLiteral("Row") + Suffix(), client.height() / 2)
                : m_settings.ReadInt(kView, QStringLiteral("Colum") + Suffix(), client.width() / 2);
}

void CMainFrame::CreateClient() {
  m_splitSetting = m_settings.ReadInt(kView, QStringLiteral("SplPos"), kSplitAutomatic);
  m_rows = m_splitSetting == kSplitRows || (m_splitSetting == kSplitAutomatic && !IsLandscape());

  const int oldColumn = m_settings.ReadInt(kView, QStringLiteral("Colum"), 0);
  const int oldRow = m_settings.ReadInt(kView, QStringLiteral("Row"), 0);
  if (oldColumn != 0 || oldRow != 0) {
    m_settings.WriteInt(kView, QStringLiteral("Colum") + Suffix(), oldColumn);
    m_settings.WriteInt(kView, QStringLiteral("Row") + Suffix(), oldRow);
    m_settings.WriteInt(kView, QStringLiteral("Colum"), 0);
    m_settings.WriteInt(kView, QStringLiteral("Row"), 0);
  }
  m_host.CreateSplitter(m_rows, StoredFirstSize());
  m_host.ActivatePane(Pane::Tree);
  m_created = true;
}

void CMainFrame::OnDestroy() {
  if (!m_created) return;
  m_settings.WriteInt(kView, (m_rows ? QStringLiteral("Row") : QStringLiteral("Colum")) + Suffix(),
                      m_host.FirstPaneSize());
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
  m_settings.WriteInt(kView, QStringLiteral("TreeText"), 1);
}

void CMainFrame::ShowTextOnly() {
  const QSize client = m_host.ClientSize();
  m_host.SetPaneSizes(0, m_rows ? client.height() : client.width());
  m_host.ActivatePane(Pane::Body);
  m_settings.WriteInt(kView, QStringLiteral("TreeText"), 2);
}

void CMainFrame::ShowBoth() {
  const QSize client = m_host.ClientSize();
  if (m_rows) {
    m_host.SetPaneSizes(client.height() / 2, client.height() / 2);
  } else {
    const int fifth = client.width() / 5;
    m_host.SetPaneSizes(fifth * 2, fifth * 3);
  }
  m_settings.WriteInt(kView, QStringLiteral("TreeText"), 0);
}

void CMainFrame::SetSplitOrientation(int setting) {
  m_settings.WriteInt(kView, QStringLiteral("SplPos"), setting);
  if (setting == kSplitAutomatic) {
    m_splitSetting = setting;
    return;
  }
  m_prompt.Ask(res::kTakesEffectNextWindow.toString(), PromptButtons::Ok, PromptIcon::Information);
}

void CMainFrame::ToggleReadingMode() {
  const int mode = m_settings.ReadInt(kSystem, QStringLiteral("ViewMode"), 0);
  m_settings.WriteInt(kSystem, QStringLiteral("ViewMode"), mode != 0 ? 0 : 1);
}

void CMainFrame::ToggleSoftKeyMenu() {
  const int flag = m_settings.ReadInt(kSystem, QStringLiteral("SoftKeyMenu"), 0);
  m_settings.WriteInt(kSystem, QStringLiteral("SoftKeyMenu"), flag != 0 ? 0 : 1);
  m_prompt.Ask(res::kTakesEffectNextStart.toString(), PromptButtons::Ok, PromptIcon::Information);
}

void CMainFrame::ChooseInitialFolder() {
  const QString start =
      m_settings.ReadString(kSystem, QStringLiteral("InitDir"),
                            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  if (const auto folder = m_host.ChooseFolder(res::kChooseInitialFolder.toString(), start)) {
    m_settings.WriteString(kSystem, QStringLiteral("InitDir"), *folder);
  }
}

void CMainFrame::ShowHelp() { m_host.OpenManual(); }

}  // namespace qm
