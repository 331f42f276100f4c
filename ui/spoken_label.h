#pragma once

#include <functional>

#include <QString>

class QLabel;

namespace ui {

// Gives a label the name a screen reader hears, built by `name` only when a reader asks for
// it: a read-out rewritten on every reading would otherwise build its words every time.
// Tell readers of a new name with QAccessible::NameChanged; the label no longer does.
void nameWhenAsked(QLabel* label, std::function<QString()> name);

}  // namespace ui
