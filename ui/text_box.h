#pragma once

#include <QLineEdit>

namespace ui {

// A single-line text box that stays small however long it is used: it takes at most
// `maxLength` characters, and its undo history keeps only the last few edits. QLineEdit
// records every character it ever took or gave up, and frees the record only when the
// program sets the text, which it never does for the belt-drive entries.
class TextBox final : public QLineEdit {
 public:
  TextBox(int maxLength, QWidget* parent);

 private:
  void forgetOldEdits();

  int edits_ = 0;
};

}  // namespace ui
