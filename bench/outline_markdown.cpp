// qm_outline_markdown N OUT.md: the generated N-node outline as a nested
// Markdown list (titles as items, bodies as paragraphs under them), the
// same text an outside converter can be timed on.
#include <QFile>
#include <QString>
#include <cstdio>
#include <cstdlib>

#include "OutlineGenerator.h"
#include "model/TreeStore.h"

int main(int argc, char** argv) {
  const int size = argc == 3 ? std::atoi(argv[1]) : 0;
  if (size < 1) {
    std::fprintf(stderr, "usage: %s N OUT.md\n", argv[0]);
    return 2;
  }
  qm::bench::StoreHost host;
  qm::CTreeStore store(host.settings, host.clock);
  qm::bench::GenerateOutline(store, size);
  QString text = QStringLiteral("# ") + store.GetTitle(0) + QStringLiteral("\n\n");
  for (int i = 1; i < store.GetCount(); ++i) {
    const QString indent(2 * (store.GetLevel(i) - 1), u' ');
    text += indent + QStringLiteral("- ") + store.GetTitle(i) + u'\n';
    const QString body = QString(store.GetBody(i)).remove(u'\r').trimmed();
    if (body.isEmpty()) continue;
    text += u'\n';
    for (const QString& line : body.split(u'\n'))
      text += indent + QStringLiteral("  ") + line + u'\n';
    text += u'\n';
  }
  QFile file(QString::fromLocal8Bit(argv[2]));
  if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0) {
    std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
    return 1;
  }
  std::printf("%d nodes written to %s\n", store.GetCount(), argv[2]);
  return 0;
}
