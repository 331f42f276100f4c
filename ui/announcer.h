#pragma once

#include <functional>
#include <string>

#include <QWidget>

namespace ui {

// Says a new reading to a screen reader without taking the focus: an invisible
// notification object that is shown afresh with each announcement, which Orca speaks
// whatever control has the focus. Readings are collected until the user's action is
// over: the event loop is idle and no mouse button is held, so a click that moves both
// lines is said once and a drag only where it ends.
class Announcer final : public QWidget {
  Q_OBJECT

 public:
  // `words` gives what to say, or an empty text when nothing has changed.
  Announcer(QWidget* parent, std::function<std::string()> words);

  // The reading may have changed; announce it once the action is over.
  void readingChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void deliver();
  void announce(const QString& words);

  std::function<std::string()> words_;
  bool scheduled_ = false;
  bool waitingForRelease_ = false;
};

}  // namespace ui
