// The command-bar icons: every button of both layouts gets its own picture
// at both sizes, with a disabled form, and other commands get none.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QSet>
#include <span>
#include <vector>

#include "gui/CommandIcons.h"
#include "res/CommandIds.h"
#include "res/Commands.h"

namespace qm {
namespace {

class CommandIconsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "qm_gui_test";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (QApplication::instance() == nullptr) new QApplication(argc, argv);
  }

  // The distinct commands of both command-bar layouts, in layout order.
  static std::vector<int> BarCommands() {
    std::vector<int> ids;
    QSet<int> seen;
    for (const auto& layout : {std::span<const res::CommandBarButton>(res::kWideCommandBar),
                               std::span<const res::CommandBarButton>(res::kNarrowCommandBar)}) {
      for (const res::CommandBarButton& button : layout) {
        if (button.id != 0 && !seen.contains(button.id)) {
          seen.insert(button.id);
          ids.push_back(button.id);
        }
      }
    }
    return ids;
  }

  static bool HasInk(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (qAlpha(image.pixel(x, y)) > 0) return true;
      }
    }
    return false;
  }
};

TEST_F(CommandIconsTest, EveryBarButtonIsDrawnAtBothSizes) {
  const std::vector<int> ids = BarCommands();
  EXPECT_EQ(ids.size(), 19u);
  for (int id : ids) {
    SCOPED_TRACE(id);
    const QIcon icon = CommandIcons::Icon(id);
    ASSERT_FALSE(icon.isNull());
    for (int size : {16, 32}) {
      const QPixmap pixmap = icon.pixmap(size);
      EXPECT_EQ(pixmap.size(), QSize(size, size));
      EXPECT_TRUE(HasInk(pixmap.toImage()));
    }
  }
}

TEST_F(CommandIconsTest, IconsDifferFromEachOther) {
  const std::vector<int> ids = BarCommands();
  std::vector<QImage> images;
  for (int id : ids) images.push_back(CommandIcons::Icon(id).pixmap(16).toImage());
  for (size_t i = 0; i < images.size(); ++i) {
    for (size_t j = i + 1; j < images.size(); ++j) {
      EXPECT_NE(images[i], images[j]) << ids[i] << " and " << ids[j];
    }
  }
}

TEST_F(CommandIconsTest, DisabledFormIsDerived) {
  for (int id : BarCommands()) {
    const QIcon icon = CommandIcons::Icon(id);
    const QImage normal = icon.pixmap(32).toImage();
    const QImage disabled = icon.pixmap(32, QIcon::Disabled).toImage();
    EXPECT_EQ(disabled.size(), QSize(32, 32)) << id;
    EXPECT_NE(disabled, normal) << id;
  }
}

TEST_F(CommandIconsTest, CommandsOffTheBarsHaveNoIcon) {
  EXPECT_TRUE(CommandIcons::Icon(0).isNull());
  EXPECT_TRUE(CommandIcons::Icon(-1).isNull());
  EXPECT_TRUE(CommandIcons::Icon(kCmdFont).isNull());
  EXPECT_TRUE(CommandIcons::Icon(kCmdRecentFileFirst).isNull());
}

}  // namespace
}  // namespace qm
