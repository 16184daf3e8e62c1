// ReadBudget: the one bound on how much outline a reader of outside data may
// build from a text, shared by the outline file, plain-text, memo and branch
// text readers.
//
// A node's path repeats the titles of all its ancestors, so a small text can
// ask for an outline far larger than itself: one long title above many short
// lines (or lines whose paths must be re-placed under it) multiplies the long
// title by the line count. Every reader counts what it builds, in UTF-16
// units, before it builds it, and gives up once the count passes the limit:
//
//   limit = kMultiple * text size + kAllowance
//   count = paths + bodies + links + kNodeUnits for every node
//
// kNodeUnits stands for the node record itself (the record, its heap blocks
// and its slot in the store, about 256 bytes), so a flood of empty lines is
// bounded as well as a flood of long paths. kMultiple leaves room for
// ordinary files: a node line the outline writer writes takes at least 21
// units besides its title, which buys 336 units, room for the record and a
// path a few levels deep; deeper outlines and tiny headings use the
// allowance. kAllowance (32 Mi units, 64 MiB) lets small files build deep
// outlines of any ordinary size. The most a refused text can have built is
// the limit itself: 2 bytes * (16 * size + 32 Mi), about 77 MB for a 400 KB
// text.
#pragma once

#include <QtGlobal>
#include <algorithm>
#include <limits>

namespace qm {

class CDirData;
class CTreeStore;

class ReadBudget {
 public:
  static constexpr qsizetype kMultiple = 16;
  static constexpr qsizetype kAllowance = qsizetype{32} << 20;
  static constexpr qsizetype kNodeUnits = 128;

  // The budget for a text of textSize UTF-16 units.
  explicit ReadBudget(qsizetype textSize) : m_left(LimitFor(textSize)) {}

  static constexpr qsizetype LimitFor(qsizetype textSize) {
    constexpr qsizetype kMaxSize = (std::numeric_limits<qsizetype>::max() - kAllowance) / kMultiple;
    return kMultiple * std::min(textSize, kMaxSize) + kAllowance;
  }

  // Counts units about to be built. False once the count has passed the
  // limit; it stays false.
  bool Spend(qsizetype units) {
    m_left -= units;
    return m_left >= 0;
  }
  // Counts a node's record, path, body and link.
  bool SpendNode(const CDirData& node);

  bool Exceeded() const { return m_left < 0; }

  // What the budget counts for a node, and for every node of a store: the
  // size to compare with LimitFor.
  static qsizetype NodeSize(const CDirData& node);
  static qsizetype OutlineSize(const CTreeStore& store);

 private:
  qsizetype m_left;
};

}  // namespace qm
