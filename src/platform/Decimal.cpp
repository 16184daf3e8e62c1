// ReadDecimal: leading-number reading with saturation.
#include "platform/Decimal.h"

#include <algorithm>
#include <limits>

namespace qm {

qint32 ReadDecimal(QStringView text) {
  qsizetype i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  qint64 value = 0;
  constexpr qint64 kLimit = qint64{std::numeric_limits<qint32>::max()} + 1;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = std::min(kLimit, value * 10 + (text[i].unicode() - u'0'));
  }
  if (negative) return static_cast<qint32>(-value);
  return static_cast<qint32>(std::min<qint64>(value, std::numeric_limits<qint32>::max()));
}

}  // namespace qm
