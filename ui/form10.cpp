#include "ui/form10.h"

#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QString>

#include "layout/form10_layout.h"
#include "ui/embedded_pictures.h"
#include "ui/fixed_size.h"
#include "ui/named_font.h"
#include "ui/window_gone.h"

namespace ui {

Form10::Form10() {
  const layout::Form10Layout& design = layout::kForm10Layout;
  setObjectName(QStringLiteral("Form10"));
  // Caption, icon and close box; no minimise or maximise box.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle(
      QString::fromUtf8(design.caption.data(), static_cast<qsizetype>(design.caption.size())));
  setWindowIcon(embeddedWindowIcon());
  keepFixedSize(this, QSize(design.clientWidth, design.clientHeight));
  closeWhenDestroyedOutside(this);
  setAccessibleName(QStringLiteral("QNTe418 air end outline drawing"));

  auto* picture1 = new QLabel(this);
  picture1->setObjectName(QStringLiteral("Picture1"));
  picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  picture1->setLineWidth(design.pictureBorder);
  picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  picture1->setFont(namedFont());
  picture1->setFocusPolicy(Qt::StrongFocus);
  picture1->setPixmap(QPixmap::fromImage(embeddedPicture(kOutlineDrawingPicture)));
  picture1->setGeometry(design.pictureLeft, design.pictureTop, design.pictureWidth,
                        design.pictureHeight);
  picture1->setAccessibleName(QStringLiteral("Outline drawing"));
  picture1->setAccessibleDescription(QStringLiteral(
      "Dimensioned outline of the air end: side view with the drive shaft to the left, view on the "
      "drive-end flange with four bolt holes, and a section through the shaft end with its "
      "keyway."));
}

void Command4_Click() {
  // The one reference for the whole run. It is never deleted: closing only hides the window.
  // QPointer, so that a window destroyed by anyone else is simply made again.
  static QPointer<Form10> form10;
  if (form10.isNull()) form10 = new Form10();
  form10->show();
  form10->raise();
  form10->activateWindow();
}

}  // namespace ui
