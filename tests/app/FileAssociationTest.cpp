// Behaviour of the file association: what is written where, and the silent
// start-up form that never overwrites an existing registration.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/FileAssociation.h"
#include "platform/FileIo.h"

namespace qm {
namespace {

class FileAssociationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home.isValid());
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
  }
  void TearDown() override { qunsetenv("XDG_DATA_HOME"); }

  QTemporaryDir home;
};

TEST_F(FileAssociationTest, RegisterWritesTheTypeAndTheDesktopEntry) {
  FileAssociation association(QStringLiteral("/opt/my apps/quillmap"));
  EXPECT_FALSE(association.IsRegistered());
  ASSERT_TRUE(association.Register());
  EXPECT_TRUE(association.IsRegistered());
  const QByteArray mime = *ReadWholeFile(association.MimePackagePath());
  EXPECT_TRUE(mime.contains("<glob pattern=\"*.qmp\"/>"));
  const QByteArray desktop = *ReadWholeFile(association.DesktopEntryPath());
  EXPECT_TRUE(desktop.contains("Exec=\"/opt/my apps/quillmap\" %f\n"));
  EXPECT_TRUE(desktop.contains("MimeType=application/x-quillmap;"));
}

TEST_F(FileAssociationTest, SilentFormLeavesAnExistingRegistrationAlone) {
  FileAssociation first(QStringLiteral("/usr/bin/other"));
  ASSERT_TRUE(first.Register());
  FileAssociation second(QStringLiteral("/usr/bin/quillmap"));
  ASSERT_TRUE(second.RegisterIfMissing());
  EXPECT_TRUE(ReadWholeFile(second.DesktopEntryPath())->contains("/usr/bin/other"));
  ASSERT_TRUE(second.Register());  // the command writes again whatever is there
  EXPECT_TRUE(ReadWholeFile(second.DesktopEntryPath())->contains("/usr/bin/quillmap"));
}

}  // namespace
}  // namespace qm
