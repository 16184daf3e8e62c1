// WindowFixture: the real program off screen on a copy of the sample
// outline, with the helpers its tests share: find nodes, answer the next
// modal window as a user would, and read what the window shows.
//
// Each test gets its own temporary folder (also the desktop's data folder,
// where the file association goes) and its own settings in memory.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

#include "app/Workspace.h"
#include "editing/QuillmapDoc.h"
#include "gui/DesktopApp.h"
#include "gui/MainWindow.h"
#include "model/TreeStore.h"
#include "platform/MemorySettingsStore.h"
#include "support/OffscreenApp.h"
#include "support/QtPrinting.h"

namespace qm::test {

// A control of a dialog by its object name; a test failure when missing.
template <typename T>
T* Find(const QObject* dialog, const char* name) {
  T* child = dialog->findChild<T*>(QLatin1String(name));
  if (child == nullptr) ADD_FAILURE() << "no control " << name;
  return child;
}

// Runs answer on the next modal window (or popup menu) once it is up.
inline void WhenModalShows(std::function<void(QWidget*)> answer) {
  QTimer::singleShot(0, [answer] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) modal = QApplication::activePopupWidget();
    ASSERT_NE(modal, nullptr);
    answer(modal);
  });
}

// Answers the modal dialogs that come up next, one step each, in order.
inline void AnswerInTurn(std::deque<std::function<void(QWidget*)>> steps) {
  if (steps.empty()) return;
  QTimer::singleShot(0, [steps = std::move(steps)]() mutable {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    auto step = std::move(steps.front());
    steps.pop_front();
    AnswerInTurn(std::move(steps));
    step(dialog);
  });
}

class WindowFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureOffscreenApp(); }

  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toUtf8());
    path = CopySample("notes.qmp");
  }

  // A writable copy of the sample outline in the test's folder.
  QString CopySample(const char* name) {
    const QString copy = dir.filePath(QString::fromUtf8(name));
    EXPECT_TRUE(QFile::copy(QStringLiteral(QM_SOURCE_DIR "/samples/sample.qmp"), copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    return copy;
  }

  // Starts the program on file (the sample's copy by default), the tree
  // pane focused as after a start.
  void Start(const QString& file = {}) { StartOn(file.isEmpty() ? path : file); }
  // Starts the program as without a file on the command line.
  void StartOn(const QString& file) {
    program = std::make_unique<DesktopApp>(settings);
    ASSERT_TRUE(program->Start(file, false));
    Window().activateWindow();
    Window().TreeWidget()->setFocus();
    QApplication::processEvents();
  }

  MainWindow& Window() { return program->Window(); }
  CQuillmapDoc& Document() { return program->Document(); }
  CTreeStore& Store() { return program->Document().Store(); }

  int IndexOf(const QString& title) {
    for (int i = 0; i < Store().GetCount(); ++i) {
      if (Store().GetTitle(i) == title) return i;
    }
    ADD_FAILURE() << "no node " << title.toStdString();
    return 0;
  }
  // Selects the node with this title in the focused tree, as a click would.
  void Select(const QString& title) {
    Window().TreeWidget()->setFocus();
    Store().Select(IndexOf(title));
    QApplication::processEvents();
  }
  QStringList Titles() {
    QStringList titles;
    for (int i = 0; i < Store().GetCount(); ++i) titles << Store().GetTitle(i);
    return titles;
  }

  // Clicks the next message box's button with this text and keeps its message.
  void AnswerMessage(QStringView button) {
    WhenModalShows([this, text = button.toString()](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      lastMessage = box->text();
      for (QAbstractButton* candidate : box->buttons()) {
        if (candidate->text() == text) {
          candidate->click();
          return;
        }
      }
      ADD_FAILURE() << "no button " << text.toStdString();
    });
  }
  // Opens another file as the open command does.
  bool OpenFile(const QString& file) { return program->Parts().App().OpenFile(file); }

  QTemporaryDir dir;
  QString path;
  MemorySettingsStore settings;
  ModalGuard guard;
  std::unique_ptr<DesktopApp> program;
  QString lastMessage;
};

}  // namespace qm::test
