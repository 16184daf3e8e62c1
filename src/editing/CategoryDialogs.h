// CategoryDialogs: the category dialog and the category edit dialog as the
// category editor sees them, and CategoryListSession, the dialog's hold on
// the list it edits.
//
// Implementations: the Qt dialogs in the window, a scripted fake in tests.
// Not thread-safe: the user-interface thread owns them.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace qm {

// A category as the category edit dialog shows and returns it.
struct CategoryEntryText {
  QString name;
  QString memo;
};

// The category dialog's hold on the list it edits. The list is edited in
// place: every button acts through one call at once, and the dialog shows
// Names() and Selected() again afterwards. Close is called exactly once, as
// the dialog goes, whether by its close button or by cancelling.
class CategoryListSession {
 public:
  virtual ~CategoryListSession() = default;
  CategoryListSession(const CategoryListSession&) = delete;
  CategoryListSession& operator=(const CategoryListSession&) = delete;

  virtual QStringList Names() const = 0;
  // The selected row, or -1 for none.
  virtual int Selected() const = 0;
  // A row outside the list selects none.
  virtual void Select(int row) = 0;
  virtual void Add() = 0;
  // Edit, Delete, MoveUp and MoveDown act on the selected row and do
  // nothing without one or when the move is impossible.
  virtual void Edit() = 0;
  virtual void Delete() = 0;
  virtual void MoveUp() = 0;
  virtual void MoveDown() = 0;
  // The texts written before and after a category name.
  virtual QString Before() const = 0;
  virtual QString After() const = 0;
  virtual void Close(const QString& before, const QString& after) = 0;

 protected:
  CategoryListSession() = default;
};

class CategoryDialogs {
 public:
  virtual ~CategoryDialogs() = default;
  CategoryDialogs(const CategoryDialogs&) = delete;
  CategoryDialogs& operator=(const CategoryDialogs&) = delete;

  // The category dialog, working on session until it closes.
  virtual void EditCategories(CategoryListSession& session) = 0;
  // The category edit dialog, empty for a new category. On OK returns the
  // texts as typed; on cancel returns nothing.
  virtual std::optional<CategoryEntryText> EditCategoryEntry(const CategoryEntryText& request) = 0;

 protected:
  CategoryDialogs() = default;
};

}  // namespace qm
