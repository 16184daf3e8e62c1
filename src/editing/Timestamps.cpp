// CTimestamps: switching the timestamp display and the latest-updated list.
#include "editing/Timestamps.h"

#include "editing/DocumentView.h"
#include "editing/LatestUpdated.h"
#include "editing/QuillmapDoc.h"
#include "editing/TimestampDialogs.h"
#include "editing/TreePane.h"
#include "model/TimeText.h"
#include "model/TreeStore.h"
#include "platform/Prompt.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "res/Strings.h"

namespace qm {

CTimestamps::CTimestamps(CQuillmapDoc& doc, CQTreeView& tree, SettingsStore& settings,
                         Prompt& prompt, TimestampDialogs& dialogs)
    : m_doc(doc), m_tree(tree), m_settings(settings), m_prompt(prompt), m_dialogs(dialogs) {}

int CTimestamps::DisplayMode() const { return m_doc.Store().TimeDisplay(); }

void CTimestamps::SetDisplayMode(int mode) {
  if (mode < CTreeStore::kTimeDisplayNone || mode > CTreeStore::kTimeDisplayCreated) return;
  // Handed over first, so that the updated time shown is the one it earns.
  m_doc.WriteBodyBack();
  CTreeStore& store = m_doc.Store();
  int selected = store.GetSelected();
  if (selected < 0) selected = m_doc.CurrentNode();
  store.SetTimeDisplay(mode);
  m_tree.RebuildAndSelect(selected);
  Write(m_settings, settings::kViewTime, mode);
  m_doc.UpdateAllViews(nullptr, kHintAll);
}

void CTimestamps::ShowLatestUpdated() {
  m_doc.WriteBodyBack();
  const CTreeStore& store = m_doc.Store();
  const std::vector<int> latest = CollectLatestUpdated(store);
  if (latest.empty()) {
    m_prompt.Ask(res::kNoUpdatedTrees.toString(), PromptButtons::Ok, PromptIcon::Information);
    return;
  }
  LatestUpdatedRequest request;
  request.rows.reserve(latest.size());
  QStringList paths;
  paths.reserve(static_cast<qsizetype>(latest.size()));
  for (const int i : latest) {
    request.rows.push_back(
        {FormatDisplayTime(store.GetNode(i).m_tmUpdate), store.GetTitle(i), store.GetBody(i)});
    paths << store.GetPath(i);
  }
  const std::optional<int> chosen = m_dialogs.ChooseLatestUpdated(request);
  if (!chosen || *chosen < 0 || *chosen >= paths.size()) return;

  // Siblings may share a title, so the listed position is what names the
  // node; the path only confirms it, in case the outline changed meanwhile.
  const int listed = latest[static_cast<size_t>(*chosen)];
  const QString& path = paths[*chosen];
  if (listed < store.GetCount() && store.GetPath(listed) == path) {
    JumpTo(listed);
  } else if (const int found = store.FindPath(path); found >= 0) {
    JumpTo(found);
  }
}

void CTimestamps::JumpTo(int index) {
  // Reveal opens every collapsed ancestor and selects the node.
  m_doc.Store().Reveal(index);
  m_doc.SetCurrentNode(index);
  m_doc.UpdateAllViews(nullptr, kHintAll);
}

}  // namespace qm
