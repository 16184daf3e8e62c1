// CMainFrame: split layout per orientation, the window's place, and the
// frame's commands.
#include "app/MainFrame.h"

#include <QStandardPaths>

#include "platform/Prompt.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "res/CommandIds.h"
#include "res/Strings.h"

namespace qm {
namespace {

// An unset split orientation is automatic.
static_assert(settings::kSplPos.fallback == CMainFrame::kSplitAutomatic);

struct FrameState {
  int storedSplit;
  bool readingMode;
  bool softKeyMenu;
};

}  // namespace

CMainFrame::CMainFrame(SettingsStore& settings, Prompt& prompt, FrameHost& host)
    : m_settings(settings), m_prompt(prompt), m_host(host) {
  auto commands = std::make_unique<CommandSet<FrameState>>([this] {
    return FrameState{Read(m_settings, settings::kSplPos),
                      Read(m_settings, settings::kViewMode) != 0,
                      Read(m_settings, settings::kSoftKeyMenu) != 0};
  });
  commands->Add(kCmdTreeOnly, [this] { ShowTreeOnly(); });
  commands->Add(kCmdTextOnly, [this] { ShowTextOnly(); });
  commands->Add(kCmdBothPanes, [this] { ShowBoth(); });
  // The ticks show the choice stored, which the next window takes.
  const std::pair<int, int> splits[] = {{kCmdSplitTopBottom, kSplitRows},
                                        {kCmdSplitLeftRight, kSplitColumns},
                                        {kCmdSplitAutomatic, kSplitAutomatic}};
  for (const auto& [id, split] : splits) {
    commands->Add(
        id, [this, split] { SetSplitOrientation(split); },
        [split](const FrameState& s) { return CheckedIf(s.storedSplit == split); });
  }
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

QString CMainFrame::WindowTitleFor(const QString& documentTitle) {
  return res::kDocumentWindowTitle.toString().arg(documentTitle, WindowTitle());
}

CommandTarget& CMainFrame::Commands() { return *m_commands; }

bool CMainFrame::IsLandscape() const {
  const QSize window = m_host.WindowSize();
  return window.width() > window.height();  // a square window counts as portrait
}

bool CMainFrame::WantsRows() const {
  return m_splitSetting == kSplitRows || (m_splitSetting == kSplitAutomatic && !m_landscape);
}

const IntSetting& CMainFrame::FirstSizeSetting(bool rows, bool landscape) const {
  if (rows) return landscape ? settings::kRowLand : settings::kRowPort;
  return landscape ? settings::kColumLand : settings::kColumPort;
}

int CMainFrame::StoredFirstSize() const {
  const QSize client = m_host.ClientSize();
  return Read(m_settings, FirstSizeSetting(m_rows, m_landscape),
              m_rows ? client.height() / 2 : client.width() / 2);
}

void CMainFrame::StoreFirstSize() const {
  Write(m_settings, FirstSizeSetting(m_rows, m_landscape), m_host.FirstPaneSize());
}

void CMainFrame::RestorePlacement() {
  const QByteArray stored =
      QByteArray::fromBase64(Read(m_settings, settings::kWindowGeometry).toLatin1());
  if (!stored.isEmpty() && m_host.RestorePlacement(stored)) return;
  const QSize screen = m_host.ScreenSize();
  m_host.ResizeWindow(QSize(screen.width() * 3 / 4, screen.height() * 3 / 4));
}

void CMainFrame::CreateClient() {
  m_splitSetting = Read(m_settings, settings::kSplPos);
  m_landscape = IsLandscape();
  m_rows = WantsRows();

  const int oldColumn = Read(m_settings, settings::kColum);
  const int oldRow = Read(m_settings, settings::kRow);
  if (oldColumn != 0 || oldRow != 0) {
    Write(m_settings, FirstSizeSetting(false, m_landscape), oldColumn);
    Write(m_settings, FirstSizeSetting(true, m_landscape), oldRow);
    Write(m_settings, settings::kColum, 0);
    Write(m_settings, settings::kRow, 0);
  }
  m_host.CreateSplitter(m_rows, StoredFirstSize());
  m_host.ActivatePane(Pane::Tree);
  m_created = true;
}

void CMainFrame::OnDestroy() {
  Write(m_settings, settings::kWindowGeometry, QString::fromLatin1(m_host.Placement().toBase64()));
  if (m_created) StoreFirstSize();
}

void CMainFrame::OnSize(QSize client) {
  if (!m_created || IsLandscape() == m_landscape) return;
  // The window turned: the old orientation keeps its pane size for when it
  // comes back, and the new one brings its own.
  StoreFirstSize();
  m_landscape = !m_landscape;
  if (WantsRows() != m_rows) {
    m_rows = !m_rows;
    m_host.SetSplitRows(m_rows);
  }
  const int first = StoredFirstSize();
  const int whole = m_rows ? client.height() : client.width();
  m_host.SetPaneSizes(first, qMax(0, whole - first));
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
  if (setting != kSplitAutomatic) {
    m_prompt.Ask(res::kTakesEffectNextWindow.toString(), PromptButtons::Ok,
                 PromptIcon::Information);
    return;
  }
  m_splitSetting = setting;
  if (!m_created || WantsRows() == m_rows) return;
  StoreFirstSize();
  m_rows = !m_rows;
  m_host.SetSplitRows(m_rows);
  const int first = StoredFirstSize();
  const QSize client = m_host.ClientSize();
  m_host.SetPaneSizes(first, qMax(0, (m_rows ? client.height() : client.width()) - first));
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

void CMainFrame::ShowHelp() {
  const QString manual = m_host.ManualPath();
  if (manual.isEmpty()) {
    Tell(res::kHelpNotFound.toString());
  } else if (!m_host.OpenManual(manual)) {
    Tell(res::kHelpCannotOpen.toString().arg(manual));
  }
}

void CMainFrame::Tell(const QString& text) {
  m_prompt.Ask(text, PromptButtons::Ok, PromptIcon::Warning);
}

}  // namespace qm
