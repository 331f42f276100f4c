#include "ui/text_box.h"

namespace ui {
namespace {

constexpr int kEditsKept = 32;

}  // namespace

TextBox::TextBox(int maxLength, QWidget* parent) : QLineEdit(parent) {
  setMaxLength(maxLength);
  connect(this, &QLineEdit::textEdited, this, [this] { forgetOldEdits(); });
}

// Setting the same text empties the history and changes nothing else that shows; the
// cursor and the selection are put back.
void TextBox::forgetOldEdits() {
  if (++edits_ < kEditsKept) return;
  edits_ = 0;
  const int cursor = cursorPosition();
  const int selectionStart = this->selectionStart();
  const int selectionLength = selectionEnd() - selectionStart;
  setText(text());
  if (selectionStart >= 0 && selectionLength > 0) {
    // Selected backwards when the cursor stands at the start.
    if (cursor == selectionStart) {
      setSelection(selectionStart + selectionLength, -selectionLength);
    } else {
      setSelection(selectionStart, selectionLength);
    }
  } else {
    setCursorPosition(cursor);
  }
}

}  // namespace ui
