// TimestampDialogs: the latest-updated list as the timestamp commands see it.
//
// Implementations: the Qt dialog in the window, a scripted fake in tests.
// Not thread-safe: the user-interface thread owns it.
#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace qm {

// One row of the latest-updated list: a node's updated time as shown beside
// titles, its title without chapter or category text, and its body.
struct LatestUpdatedRow {
  QString time;
  QString title;
  QString body;
};

struct LatestUpdatedRequest {
  std::vector<LatestUpdatedRow> rows;  // newest first; never empty
};

class TimestampDialogs {
 public:
  virtual ~TimestampDialogs() = default;
  TimestampDialogs(const TimestampDialogs&) = delete;
  TimestampDialogs& operator=(const TimestampDialogs&) = delete;

  // On jump returns the chosen row; on close returns nothing.
  virtual std::optional<int> ChooseLatestUpdated(const LatestUpdatedRequest& request) = 0;

 protected:
  TimestampDialogs() = default;
};

}  // namespace qm
