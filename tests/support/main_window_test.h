#pragma once

#include <memory>

#include <QObject>

#include "ui/form4.h"

namespace uitest {

// A Qt Test class whose every test function meets the main window shown and exposed on its
// screen, as the program opens it, and closed again after it. A test adds its own setting up
// in opened() and takes it away in closing().
class MainWindowTest : public QObject {
  Q_OBJECT

 protected:
  virtual void opened() {}
  virtual void closing() {}

  std::unique_ptr<ui::Form4> form_;

 private slots:
  void initTestCase();
  void init();
  void cleanup();
};

}  // namespace uitest
