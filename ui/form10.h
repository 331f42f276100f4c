#pragma once

#include <QWidget>

namespace ui {

// The outline drawing window: one picture box, Picture1, showing the dimensioned drawing of
// the air end unscaled. It has no handlers of its own.
class Form10 final : public QWidget {
  Q_OBJECT

 public:
  Form10();
};

// Click on "Air End" in the main window: shows the drawing window, modeless and without an
// owner. The window is created on the first click and kept for the rest of the run, so a
// window closed with its close box comes back unchanged and there is never more than one.
void Command4_Click();

}  // namespace ui
