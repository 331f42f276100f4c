#pragma once

namespace ui {

// Looks for a display before Qt starts, and picks Wayland where it is the only one: Qt
// would otherwise try X11 alone. Returns false when there is none at all.
bool chooseDisplay();

// Until the application object stands, Qt's complaints about a missing or dead display
// are held back; one that would abort instead prints noDisplayMessage(), or
// missingPluginMessage() where Qt lacks the plugin for the display, and exits with 1.
void guardDisplayStart();
void endDisplayStart();

const char* noDisplayMessage();
const char* missingPluginMessage();

}  // namespace ui
