#pragma once

// Real pointer input for the desktop tests: xdotool moves the X server's own pointer on
// the display that with_display.sh names, so events take the window system's whole path.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace desktoptest {

inline bool xdotool(const QStringList& arguments) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("DISPLAY"), qEnvironmentVariable("QNTE_POINTER_DISPLAY"));
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral("xdotool"), arguments);
  return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
         process.exitCode() == 0;
}

// Moves the pointer to a screen position in device pixels and clicks there.
inline bool clickAt(QPoint screen, int clicks = 1) {
  return xdotool({QStringLiteral("mousemove"), QString::number(screen.x()),
                  QString::number(screen.y()), QStringLiteral("click"), QStringLiteral("--repeat"),
                  QString::number(clicks), QStringLiteral("--delay"), QStringLiteral("80"),
                  QStringLiteral("1")});
}

inline bool moveTo(QPoint screen) {
  return xdotool(
      {QStringLiteral("mousemove"), QString::number(screen.x()), QString::number(screen.y())});
}

}  // namespace desktoptest
