// WorkspaceFixture: the whole behaviour over fakes, as the window layer
// builds it over Qt, for tests that drive it through the router as menus
// and keys do. Each test gets its own temporary folder (also the desktop's
// data folder, where the file association goes) and settings in memory.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/CommandRouter.h"
#include "app/FileAssociation.h"
#include "app/Workspace.h"
#include "platform/ConnectionManager.h"
#include "platform/MemorySettingsStore.h"
#include "support/FakeApplicationHost.h"
#include "support/FakeClipboard.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeEditControl.h"
#include "support/FakeFrameHost.h"
#include "support/FakeHttpClient.h"
#include "support/FakeLauncher.h"
#include "support/FakePaneHost.h"
#include "support/FakePrompt.h"
#include "support/ReportingTreeControl.h"
#include "support/StoreFixture.h"

namespace qm::test {

class WorkspaceFixture : public ::testing::Test {
 protected:
  WorkspaceFixture() {
    treeControl.view = &workspace.TreePane();
    edit.onTextChanged = [this] { workspace.BodyPane().OnTextChanged(); };
  }

  // An outline file in the test's folder with these nodes (see LoadOutline).
  QString WriteOutline(const char* name, std::initializer_list<const char*> nodes) {
    CTreeStore store(settings, clock);
    LoadOutline(store, nodes);
    const QString file = dir.filePath(QString::fromUtf8(name));
    EXPECT_TRUE(store.SaveOutline(file));
    return file;
  }
  // Starts the program on an outline of these nodes, kept as path.
  void StartOn(std::initializer_list<const char*> nodes) {
    path = WriteOutline("notes.qmp", nodes);
    workspace.App().Start(path);
  }
  CTreeStore& Store() { return workspace.Document().Store(); }
  void Select(const char* readable) {
    treeControl.SelectItem(Store().GetItem(Store().FindPath(P(readable))));
  }
  void Focus(Pane pane) { router.SetFocusedPane(pane); }

  QTemporaryDir dir;
  QString path;
  bool dataHomeSet = qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toUtf8());
  MemorySettingsStore settings;
  FakeClock clock;
  FakePrompt prompt;
  FakeDialogs dialogs;
  ReportingTreeControl treeControl;
  FakeEditControl edit;
  FakeClipboard clipboard;
  FakeLauncher launcher;
  FakePaneHost paneHost;
  FakeApplicationHost appHost;
  FakeFrameHost frameHost;
  FileAssociation association{QStringLiteral("/usr/bin/quillmap")};
  CommandRouter router;
  FakeHttpClient http;
  FakeTransferWait transferWait;
  AlwaysConnected connections;
  Workspace workspace{{settings, clock, prompt, DialogPorts::Of(dialogs), treeControl, edit,
                       clipboard, launcher, paneHost, appHost, frameHost, association, router,
                       WebPorts{http, transferWait, connections, dir.path()}}};
};

}  // namespace qm::test
