// The desktop's sheets through the checks every front end's sheet passes: the print path's
// painting onto a PDF, and a drive's "Save PDF…" in the drive selection window, its reference
// and file name typed into the dialogs as a user types them.

#include "ui/sheet_output.h"

#include <QDate>
#include <QFileDialog>
#include <QInputDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "resources/embedded_chart.h"
#include "tests/support/form4_probe.h"
#include "tests/support/selection_probe.h"
#include "ui/form4.h"
#include "ui/named_font.h"

using namespace uitest;

namespace {

constexpr const char* kReference = "ACME <pumps> & Co";

// Runs the shared sheet checks on `pdf` against the core's drawing of `content`.
QString sheetFaults(const QString& pdf, const chart::SheetContent& content, const QString& folder) {
  const QString expected = folder + QStringLiteral("/expected.svg");
  QFile svg(expected);
  if (!svg.open(QIODevice::WriteOnly)) return QStringLiteral("cannot write ") + expected;
  svg.write(QByteArray::fromStdString(
      chart::sheetSvg(chart::drawSheet(content), embedded::chartRaster())));
  svg.close();
  QProcess check;
  check.start(QStringLiteral("/usr/bin/python3"),
              {QStringLiteral(QNTE_RESOURCE_DIR "/../tests/support/sheet_check.py"),
               QStringLiteral("--chart"), QStringLiteral(QNTE_RESOURCE_DIR "/chart.bmp"),
               QStringLiteral("--expect"), expected, pdf});
  check.waitForFinished(120'000);
  return check.exitCode() == 0 ? QString() : QString::fromUtf8(check.readAll());
}

// Answers the dialogs a sheet asks, as a user does: the reference, then where to save.
void answerDialogs(const QString& path) {
  QTimer::singleShot(50, [path] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* ask = qobject_cast<QInputDialog*>(modal)) {
      ask->setTextValue(QString::fromUtf8(kReference));
      ask->accept();
    } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
      files->selectFile(path);
      static_cast<QDialog*>(files)->accept();  // the dialog's own, as its Save button calls it
      return;
    }
    answerDialogs(path);
  });
}

}  // namespace

class SheetOutputTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    ui::installNamedFont();
    QVERIFY(folder_.isValid());
  }

  // What Ctrl+P prints, painted as it paints a printer's page, into a PDF.
  void printedReading_passesTheSheetChecks() {
    ui::Form4 form;
    form.show();
    clickChart(form, QPointF(299, 199));  // 5000 1/min, 25.0 kW
    const chart::SheetContent content{
        .reading = form.logic().reading(), .reference = kReference, .date = "2026-12-09"};
    const QString pdf = folder_.path() + QStringLiteral("/printed.pdf");
    {
      QPdfWriter writer(pdf);
      writer.setPageSize(QPageSize(QPageSize::A4));
      writer.setPageMargins(QMarginsF());
      writer.setResolution(1200);
      QPainter painter(&writer);
      ui::paintSheet(painter, writer, chart::drawSheet(content), form.raster());
    }
    QCOMPARE(sheetFaults(pdf, content, folder_.path()), QString());
  }

  // A drive's "Save PDF…": the same file as the command line writes.
  void savedDrive_passesTheSheetChecks() {
    ui::Form4 form;
    form.show();
    ui::SelectionWindow window(form);
    window.show();
    enterDuty(window, dutyTexts("4.5", "8"));
    const QString pdf = folder_.path() + QStringLiteral("/saved.pdf");
    const chart::DriveProposal& first = window.selection().motors.front().drives.front();
    QPushButton* save = nullptr;
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
      if (!save && button->text() == qText(chart::kSavePdfButton)) save = button;
    }
    QVERIFY(save);
    answerDialogs(pdf);
    save->click();
    const chart::SheetContent content{
        .reading = first.reading,
        .duty = &window.duty(),
        .drive = &first,
        .reference = kReference,
        .date = QDate::currentDate().toString(Qt::ISODate).toStdString()};
    QCOMPARE(sheetFaults(pdf, content, folder_.path()), QString());
  }

 private:
  QTemporaryDir folder_;
};

QTEST_MAIN(SheetOutputTest)
#include "sheet_output_test.moc"
