// FieldCuts: a line of the stored formats cut at the first occurrence of
// each of its field marks, as the readers have always cut them.
//
// The text before the first cut is the head (a path); a field runs from
// just after its mark to the next cut, whichever mark that is. A mark that
// occurs again later is part of the field it falls in. Views only: the text
// must outlive the object.
#pragma once

#include <QStringView>
#include <array>

namespace qm {

template <size_t N>
class FieldCuts {
 public:
  FieldCuts(QStringView text, const std::array<char16_t, N>& marks) : m_text(text) {
    m_at.fill(-1);
    const char16_t* data = text.utf16();
    for (qsizetype i = 0; i < text.size(); ++i) {
      if (data[i] > 0x08) continue;  // every mark is a control character below U+0009
      for (size_t f = 0; f < N; ++f) {
        if (data[i] == marks[f] && m_at[f] < 0) m_at[f] = i;
      }
    }
  }

  QStringView Head() const { return m_text.first(NextCut(-1)); }
  // field is the index of the mark in the array given at construction.
  bool Has(size_t field) const { return m_at[field] >= 0; }
  QStringView Field(size_t field) const {
    const qsizetype start = m_at[field] + 1;
    return m_text.sliced(start, NextCut(start - 1) - start);
  }

 private:
  qsizetype NextCut(qsizetype after) const {
    qsizetype cut = m_text.size();
    for (qsizetype at : m_at) {
      if (at > after && at < cut) cut = at;
    }
    return cut;
  }

  QStringView m_text;
  std::array<qsizetype, N> m_at{};
};

}  // namespace qm
