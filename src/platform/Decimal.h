// ReadDecimal: the leading decimal number of a text, read the forgiving way
// the stored formats were always read: leading blanks skipped, an optional
// sign, digits up to the first other character; no digits gives 0. Values
// beyond 32 bits saturate instead of overflowing.
#pragma once

#include <QStringView>
#include <QtGlobal>

namespace qm {

qint32 ReadDecimal(QStringView text);

}  // namespace qm
