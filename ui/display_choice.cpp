#include "ui/display_choice.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QtGlobal>

namespace ui {
namespace {

bool set(const char* name) { return !qEnvironmentVariableIsEmpty(name); }

// libwayland's own default when WAYLAND_DISPLAY is unset.
bool waylandSocketFound() {
  if (set("WAYLAND_DISPLAY")) return true;
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  return !runtime.isEmpty() &&
         QFileInfo(QDir(runtime).filePath(QStringLiteral("wayland-0"))).exists();
}

// The context's strings are static in the code that logged them.
struct HeldMessage {
  QtMsgType type;
  const char* file;
  int line;
  const char* function;
  const char* category;
  QString text;
};

QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage> held;

void holdStartMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    // Qt has said that it cannot find the plugin: a display is there, Qt's support for it
    // is not.
    const auto namesMissingPlugin = [](const QString& said) {
      return said.contains(QLatin1String("Could not find the Qt platform plugin"));
    };
    const bool pluginMissing =
        namesMissingPlugin(text) || std::ranges::any_of(held, [&](const HeldMessage& message) {
          return namesMissingPlugin(message.text);
        });
    std::fprintf(stderr, "%s\n", pluginMissing ? missingPluginMessage() : noDisplayMessage());
    std::fflush(stderr);
    std::_Exit(1);
  }
  held.push_back({type, context.file, context.line, context.function, context.category, text});
}

}  // namespace

const char* noDisplayMessage() {
  return "qnte418grafik: no display found; start it inside a graphical session (X11 or Wayland), "
         "where DISPLAY or WAYLAND_DISPLAY is set";
}

const char* missingPluginMessage() {
  return "qnte418grafik: Qt cannot show windows on this display; on Wayland install qt6-wayland, "
         "or start it where DISPLAY names an X display";
}

bool chooseDisplay() {
  if (set("QT_QPA_PLATFORM")) return true;
  if (set("DISPLAY")) return true;
  if (!waylandSocketFound()) return false;
  qputenv("QT_QPA_PLATFORM", "wayland");
  return true;
}

void guardDisplayStart() { previousHandler = qInstallMessageHandler(holdStartMessages); }

void endDisplayStart() {
  qInstallMessageHandler(previousHandler);
  for (const HeldMessage& message : std::exchange(held, {})) {
    const QMessageLogContext context(message.file, message.line, message.function,
                                     message.category);
    qt_message_output(message.type, context, message.text);
  }
}

}  // namespace ui
