// Input as the window system delivers it, for tests that drive widgets.
#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QMouseEvent>

namespace qm::test {

// A double click on index of view: press, release, double click, release.
inline void DoubleClick(QAbstractItemView* view, const QModelIndex& index) {
  const QPointF at(view->visualRect(index).center());
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                  QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, view->viewport()->mapToGlobal(at), Qt::LeftButton, held, {});
    QApplication::sendEvent(view->viewport(), &event);
  }
}

}  // namespace qm::test
