// CCategoryList: parsing, writing and display texts of a document's categories.
#include "model/CategoryList.h"

#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "res/Strings.h"

namespace qm {

CCategoryList::CCategoryList()
    : m_before(res::kDefaultCategoryBefore.toString()),
      m_after(res::kDefaultCategoryAfter.toString()) {}

CCategoryList::CCategoryList(const SettingsStore& settings)
    : m_before(Read(settings, settings::kCategoryStrBefore)),
      m_after(Read(settings, settings::kCategoryStrAfter)) {}

bool CCategoryList::ParseLine(QStringView key, const QString& value) {
  if (key == u"CategoryName") {
    m_entries.append(Category{value, QString()});
    return true;
  }
  if (key == u"CategoryMemo") {
    // A memo belongs to the name before it; without one there is nothing to attach it to.
    if (!m_entries.isEmpty()) m_entries.last().memo = value;
    return true;
  }
  return false;
}

void CCategoryList::Write(QString& out) const {
  for (const Category& entry : m_entries) {
    out += u"CategoryName=";
    out += entry.name;
    out += u'\n';
    out += u"CategoryMemo=";
    out += entry.memo;
    out += u'\n';
  }
}

QString CCategoryList::Name(int n) const {
  // Nodes may carry numbers beyond the list (an edited file, a lost entry); those show
  // no category rather than reading past the end.
  if (n <= 0 || n > Count()) return QString();
  return m_entries[n - 1].name;
}

QString CCategoryList::DisplayText(int n) const {
  const QString name = Name(n);
  if (name.isEmpty()) return QString();
  return m_before + name + m_after;
}

void CCategoryList::SaveTexts(SettingsStore& settings) const {
  qm::Write(settings, settings::kCategoryStrBefore, m_before);
  qm::Write(settings, settings::kCategoryStrAfter, m_after);
}

}  // namespace qm
