#pragma once

class QLineEdit;

namespace ui {

// A single-line entry that a screen reader meets whole. Qt's own interface reports every
// text attribute run as empty, which makes Orca drop the last character ("24." for
// "24.9"); and an entry reached by Tab reports its caret before its focus, which makes
// Orca's first visit silent.
//
// Qt keeps the first interface it makes for an entry, and makes one as soon as an entry
// created with a screen reader running reports anything: install before the first entry.
void installEntryAccessibility();
// Once per entry, as soon as it is created.
void makeEntryAccessible(QLineEdit* entry);

}  // namespace ui
