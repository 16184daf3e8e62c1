// FileFixture: the file tests' common ground — a temporary folder of the
// test's own, a fake file system that passes every call through to the
// real one until a test makes it fail, and files put and read without the
// code under test.
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/FileIo.h"
#include "support/FakeFileSystem.h"
#include "support/QtPrinting.h"

namespace qm::test {

class FileFixture : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

  QString Path(const QString& name) const { return m_dir.filePath(name); }
  // Writes bytes to path: replacing it, or as mode says (Append).
  static void Put(const QString& path, const QByteArray& bytes, QIODevice::OpenMode mode = {}) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | mode));
    ASSERT_EQ(file.write(bytes), bytes.size());
  }
  static QByteArray Content(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
  }

  QTemporaryDir m_dir;
  FakeFileSystem m_fs;
};

}  // namespace qm::test
