#pragma once

class QLineEdit;
class QWidget;

namespace ui {

// A single-line entry that a screen reader meets whole. Qt's own interface reports every
// text attribute run as empty, which makes Orca drop the last character ("24." for
// "24.9"); and an entry reached by Tab reports its caret before its focus, which makes
// Orca's first visit silent.
QLineEdit* createAccessibleEntry(QWidget* parent);

}  // namespace ui
