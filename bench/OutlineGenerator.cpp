// Sample outline generator: a seeded random walk over levels with random Japanese texts.
#include "OutlineGenerator.h"

#include <QDir>
#include <QStringView>
#include <algorithm>
#include <memory>
#include <vector>

#include "model/DirData.h"
#include "model/OutlineFile.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"

namespace qm::bench {
namespace {

// Character pools; every character is in Shift_JIS (no backslash or tilde,
// whose mapping differs between Shift_JIS tables).
constexpr QStringView kKanji =
    u"日本語文書章節項目概要計画資料会議報告設計試験検討課題案件開発管理運用保守品質改善分析"
    u"調査結果手順方法作業予定進捗確認変更追加削除整理記録事例参考索引目次序論本論結論付録図表"
    u"時間場所人物社会経済歴史地理科学技術言語文化生活健康教育研究問題解決目的背景前提条件制約"
    u"第一二三四五六七八九十上中下新旧大小高低長短";
constexpr QStringView kHiragana =
    u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろ"
    u"わをんがぎぐげござじずぜぞだでどばびぶべぼぱぴぷぺぽゃゅょっ";
constexpr QStringView kKatakana =
    u"アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロ"
    u"ワヲンガギグゲゴザジズゼゾダデドバビブベボパピプペポャュョッー";
constexpr QStringView kAscii =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_.()";
constexpr QStringView kBodyPunctuation = u"、。「」・（）！？　";

// SplitMix64: small, fast and the same on every platform and library.
class Random {
 public:
  explicit Random(std::uint64_t seed) : m_state(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // Uniform in [low, high].
  int Between(int low, int high) {
    return low + static_cast<int>(Next() % static_cast<std::uint64_t>(high - low + 1));
  }
  // True with the given chance in percent.
  bool Percent(int chance) { return Between(0, 99) < chance; }
  QChar From(QStringView pool) { return pool[Between(0, static_cast<int>(pool.size()) - 1)]; }

 private:
  std::uint64_t m_state;
};

QChar MixedChar(Random& random) {
  const int kind = random.Between(0, 99);
  if (kind < 40) return random.From(kKanji);
  if (kind < 65) return random.From(kHiragana);
  if (kind < 80) return random.From(kKatakana);
  return random.From(kAscii);
}

QString Title(Random& random) {
  const int length = random.Between(5, 20);
  QString title;
  title.reserve(length);
  for (int i = 0; i < length; ++i) title += MixedChar(random);
  return title;
}

// 0-5 lines, each ending in CR LF as bodies are kept in memory; a third of
// the nodes have no body, and a few lines are empty.
QString Body(Random& random) {
  if (random.Percent(33)) return {};
  const int lines = random.Between(1, 5);
  QString body;
  for (int line = 0; line < lines; ++line) {
    if (!random.Percent(8)) {
      const int length = random.Between(4, 60);
      for (int i = 0; i < length; ++i) {
        body += random.Percent(7) ? random.From(kBodyPunctuation) : MixedChar(random);
      }
    }
    body += QStringLiteral("\r\n");
  }
  return body;
}

QString Link(Random& random, int index) {
  if (random.Percent(50)) {
    return QStringLiteral("資料/報告_%1.txt").arg(index);
  }
  return QStringLiteral("https://example.com/notes/%1.html").arg(index);
}

// Sakamoto's method; 0 = Sunday.
int DayOfWeek(int year, int month, int day) {
  static constexpr int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  return (year + year / 4 - year / 100 + year / 400 + kOffsets[month - 1] + day) % 7;
}

Stamp RandomStamp(Random& random) {
  Stamp stamp;
  stamp.year = static_cast<quint16>(random.Between(2015, 2025));
  stamp.month = static_cast<quint16>(random.Between(1, 12));
  stamp.day = static_cast<quint16>(random.Between(1, 28));
  stamp.dayOfWeek = static_cast<quint16>(DayOfWeek(stamp.year, stamp.month, stamp.day));
  stamp.hour = static_cast<quint16>(random.Between(0, 23));
  stamp.minute = static_cast<quint16>(random.Between(0, 59));
  stamp.second = static_cast<quint16>(random.Between(0, 59));
  stamp.milliseconds = static_cast<quint16>(random.Between(0, 999));
  return stamp;
}

// Everything of a node but its path.
void FillNode(CDirData& node, Random& random, int index) {
  node.m_strBody = Body(random);
  if (random.Percent(8)) node.m_strLink = Link(random, index);
  if (random.Percent(10)) node.m_nFlags |= kFlagChecked;
  if (random.Percent(4)) node.m_nFlags |= kFlagStruck;
  if (random.Percent(3)) {
    node.m_nFlags |= kFlagTitleOnly;
    if (random.Percent(33)) node.m_nFlags |= kFlagNoTitle;
  }
  if (random.Percent(6)) node.SetCategory(random.Between(1, 3));
  node.m_bExpand = random.Percent(75) ? 1 : 0;
  node.m_nMark = random.Percent(5) ? 1 : 0;
  node.m_nIdKind = 1;
  node.m_nIdHigh = random.Between(1, 0xFFFFFF);
  node.m_nIdLow = index & 0xFFFFFF;
  if (random.Percent(85)) {
    // 2015-01-01 .. 2025-01-01, updated up to a year after creation.
    const int created = random.Between(1420070400, 1735689600);
    node.SetCreateTime(created);
    node.SetUpdateTime(created + random.Between(0, 365 * 24 * 3600));
    if (random.Percent(20)) node.m_stStamp = RandomStamp(random);
  }
}

// The level of the next node of a branch whose top has level `top`, after a
// node of level `previous`: deeper, level or up, as outlines tend to go.
int NextLevel(Random& random, int top, int previous) {
  if (previous <= top) return top + 1;
  const int roll = random.Between(0, 99);
  if (roll < 40 && previous < kSampleMaxLevel) return previous + 1;
  if (roll < 80 || previous == top + 1) return previous;
  return random.Between(top + 1, previous - 1);
}

// Appends `count` nodes in pre-order: a top node of level `top` under
// ancestors[top - 1], then its branch.
void AppendBranch(CTreeStore& store, Random& random, std::vector<QString>& ancestors, int top,
                  int count) {
  int level = top;
  for (int made = 0; made < count; ++made) {
    if (made > 0) level = NextLevel(random, top, level);
    auto node = std::make_unique<CDirData>();
    node->m_strPath = ancestors[static_cast<size_t>(level) - 1] + kPathSeparator + Title(random);
    FillNode(*node, random, store.GetCount());
    ancestors.resize(static_cast<size_t>(level) + 1);
    ancestors[static_cast<size_t>(level)] = node->m_strPath;
    store.AppendLoaded(std::move(node));
  }
}

void StartOutline(CTreeStore& store, Random& random, const QString& rootTitle,
                  std::vector<QString>& ancestors) {
  store.Clear();
  for (const char16_t* name : {u"重要", u"保留", u"完了"}) {
    store.Categories().Entries().append({QString::fromUtf16(name), QStringLiteral("見本の分類")});
  }
  auto root = std::make_unique<CDirData>();
  root->m_strPath = rootTitle;
  FillNode(*root, random, 0);
  root->m_bExpand = 1;
  ancestors.assign(1, root->m_strPath);
  store.AppendLoaded(std::move(root));
}

void FinishOutline(CTreeStore& store) {
  if (store.FinishLoading(QStringLiteral("sample.qmp")) != 0) {
    qFatal("sample outline generator: a generated path did not fit the tree");
  }
}

}  // namespace

void GenerateOutline(CTreeStore& store, int nodes, std::uint64_t seed) {
  Random random(seed);
  std::vector<QString> ancestors;
  StartOutline(store, random, QStringLiteral("見本アウトライン%1").arg(nodes), ancestors);
  // Top-level branches of a few hundred nodes each, as long documents have.
  int left = nodes - 1;
  while (left > 0) {
    const int count = std::min(left, random.Between(1, 600));
    AppendBranch(store, random, ancestors, 1, count);
    left -= count;
  }
  FinishOutline(store);
}

void GenerateOutlineWithBranch(CTreeStore& store, int branchNodes, int sideNodes,
                               std::uint64_t seed) {
  Random random(seed);
  std::vector<QString> ancestors;
  StartOutline(store, random, QStringLiteral("改名用の見本%1").arg(branchNodes), ancestors);
  AppendBranch(store, random, ancestors, 1, sideNodes);
  AppendBranch(store, random, ancestors, 1, branchNodes);
  AppendBranch(store, random, ancestors, 1, sideNodes);
  FinishOutline(store);
}

int BranchTopIndex(const CTreeStore& store) { return store.GetBranchEnd(1, false); }

bool WriteSampleFile(const CTreeStore& store, const QString& path, QString* error) {
  CodePage codePage;
  QString unencodable;
  const QByteArray bytes = codePage.Encode(WriteOutlineText(store), &unencodable);
  if (!unencodable.isEmpty()) {
    if (error) *error = QStringLiteral("characters not in Shift_JIS: ") + unencodable;
    return false;
  }
  if (!WriteFileReplacing(path, bytes)) {
    if (error) *error = QStringLiteral("cannot write ") + path;
    return false;
  }
  return true;
}

QString MakeOutlineFile(const QString& folder, int nodes, QString* error) {
  StoreHost host;
  CTreeStore store(host.settings, host.clock);
  GenerateOutline(store, nodes);
  const QString path = QDir(folder).filePath(QStringLiteral("outline-%1.qmp").arg(nodes));
  return WriteSampleFile(store, path, error) ? path : QString();
}

QString MakeBranchOutlineFile(const QString& folder, int branchNodes, QString* error) {
  StoreHost host;
  CTreeStore store(host.settings, host.clock);
  GenerateOutlineWithBranch(store, branchNodes);
  const QString path = QDir(folder).filePath(QStringLiteral("branch-%1.qmp").arg(branchNodes));
  return WriteSampleFile(store, path, error) ? path : QString();
}

}  // namespace qm::bench
