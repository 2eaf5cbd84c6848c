#include "ui/SHMHelp.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTextBrowser>
#include <QUrl>
#include <utility>

#include "ui/Appearance.h"
#include "ui/WindowFrame.h"

namespace ui {
namespace {

constexpr QSize kClientSize{789, 556};
constexpr QRect kViewGeometry{8, 8, 769, 505};
constexpr QRect kCloseButtonGeometry{704, 520, 75, 25};

// A user guide is a few dozen kilobytes. Rendering grows to hundreds of megabytes and seconds
// per few megabytes, so anything far beyond a guide's size is not loaded at all.
constexpr qint64 kLargestHelpPage = 1024 * 1024;

// Title bar with the close box only: a fixed dialog frame, no minimise or maximise box.
constexpr Qt::WindowFlags kDialogFrame = Qt::Dialog | Qt::CustomizeWindowHint |
                                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowCloseButtonHint;

}  // namespace

THelpForm::THelpForm(QWidget* mainWindow, const QString& helpFolder)
    : QWidget(nullptr, kDialogFrame),
      WebBrowser1(new QTextBrowser(this)),
      BitBtn1(new QPushButton(QStringLiteral("&Close"), this)),
      mainForm(mainWindow) {
  setWindowTitle(QStringLiteral("Help"));
  setAttribute(Qt::WA_QuitOnClose, false);
  setFixedSize(kClientSize);
  setFont(MakeFont(Face::Tahoma, 11));
  setBackgroundRole(QPalette::Button);
  setAutoFillBackground(true);

  WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
  WebBrowser1->setAccessibleName(QStringLiteral("Shiftmeter user guide"));
  WebBrowser1->setGeometry(kViewGeometry);
  // Local pages open in the view; web addresses go to the user's browser.
  WebBrowser1->setOpenExternalLinks(true);

  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setGeometry(kCloseButtonGeometry);
  // Neither default nor cancel button: Enter and Escape leave the window alone.
  BitBtn1->setAutoDefault(false);
  BitBtn1->setDefault(false);
  connect(BitBtn1, &QPushButton::clicked, this, &QWidget::close);

  setTabOrder(WebBrowser1, BitBtn1);
  FormCreate(helpFolder);
}

void THelpForm::FormCreate(const QString& helpFolder) {
  const QString helpPath = QDir(helpFolder).absoluteFilePath(QStringLiteral("Help.html"));
  const QFileInfo page(helpPath);
  // A directory, a pipe or a device under that name would block the read or never end it.
  if (page.exists() && (!page.isFile() || page.size() > kLargestHelpPage)) {
    return;
  }
  // A missing or unreadable page is the view's matter: it shows nothing, and no box appears.
  pendingPage = QUrl::fromLocalFile(helpPath);
  // Reading and laying out the guide takes about as long as building and drawing the whole main
  // window, so the view opens it from the event loop once the main window has been painted; a
  // window that is already on screen, or no window at all, has nothing to wait for.
  if (mainForm != nullptr && !mainForm->isVisible()) {
    mainForm->installEventFilter(this);
  } else {
    QMetaObject::invokeMethod(this, &THelpForm::OpenPendingPage, Qt::QueuedConnection);
  }
}

bool THelpForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == mainForm && event->type() == QEvent::Paint) {
    mainForm->removeEventFilter(this);
    QMetaObject::invokeMethod(this, &THelpForm::OpenPendingPage, Qt::QueuedConnection);
  }
  return QWidget::eventFilter(watched, event);
}

void THelpForm::OpenPendingPage() {
  if (!pendingPage.isEmpty()) {
    WebBrowser1->setSource(std::exchange(pendingPage, QUrl()));
  }
}

void THelpForm::showEvent(QShowEvent* event) {
  OpenPendingPage();
  // The style draws its stock icon in about the time the whole help window takes to build, so
  // the button gets it only when someone first looks at the window.
  if (BitBtn1->icon().isNull()) {
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
  }
  if (!event->spontaneous() && centreOnNextShow) {
    centreOnNextShow = false;
    CentreOverMainForm();
  }
  QWidget::showEvent(event);
}

void THelpForm::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (!event->spontaneous()) {
    ReturnFocusTo(mainForm);
  }
}

// The window manager draws the same frame around both windows, so the main window's frame
// tells how large ours will be before it exists.
void THelpForm::CentreOverMainForm() {
  if (mainForm.isNull()) {
    return;
  }
  const QMargins frame = FrameMargins(mainForm);
  // Never off the top or left of the desktop's origin.
  CentreFrameOver(this, mainForm->geometry().marginsAdded(frame), frame, QPoint(0, 0));
}

}  // namespace ui
