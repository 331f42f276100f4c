#pragma once

class QWidget;

namespace ui {

// Closes a top-level window whose X window another client destroyed. Qt does not notice
// that, counts the window as open for ever, and so the program would outlive its last
// window. Under other window systems this does nothing.
void closeWhenDestroyedOutside(QWidget* window);

}  // namespace ui
