// Long use: pasting a long text into an entry again and again must leave the program's
// memory where it was. Fails as soon as the growth passes the bound, so a regression does
// not eat the machine first.

#include <unistd.h>

#include <fstream>
#include <memory>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include "tests/support/form4_probe.h"
#include "ui/form4.h"
#include "ui/named_font.h"

using namespace uitest;

namespace {

long residentBytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  long resident = 0;
  statm >> pages >> resident;
  return resident * sysconf(_SC_PAGESIZE);
}

// AddressSanitizer holds freed memory back in quarantine: the resident size says nothing.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kResidentSizeMeans = false;
#else
constexpr bool kResidentSizeMeans = true;
#endif

constexpr int kPastes = 1000;
constexpr long kGrowthBound = 2L * 1024 * 1024;

}  // namespace

class LongUseTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { ui::installNamedFont(); }

  void pastes_keepMemoryFlat_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Text5"})
      QTest::newRow(name) << name;
  }

  // Select all, paste a 10 000-character text, as a user would who pastes into a field
  // that the program never rewrites.
  void pastes_keepMemoryFlat() {
    QFETCH(QString, name);
    ui::Form4 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* edit = find<QLineEdit>(form, name.toStdString());
    edit->setFocus();
    QApplication::clipboard()->setText(QString(10000, QLatin1Char('7')));
    const auto paste = [edit] {
      QTest::keySequence(edit, QKeySequence::SelectAll);
      QTest::keySequence(edit, QKeySequence::Paste);
    };
    for (int i = 0; i < 50; ++i) paste();
    const long before = residentBytes();
    for (int i = 1; i <= kPastes; ++i) {
      paste();
      if (kResidentSizeMeans && i % 50 == 0) {
        const long growth = residentBytes() - before;
        QVERIFY2(
            growth < kGrowthBound,
            qPrintable(QStringLiteral("%1 kB more after %2 pastes").arg(growth / 1024).arg(i)));
      }
    }
    QCOMPARE(edit->text().size(), qsizetype{::layout::kTextBoxMaxLength});
  }
};

QTEST_MAIN(LongUseTest)
#include "long_use_test.moc"
