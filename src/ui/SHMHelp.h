#pragma once

#include <QCoreApplication>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

class QPushButton;
class QShowEvent;
class QTextBrowser;

namespace ui {

// The help window: the user guide "Help.html" from the program's folder in an HTML view,
// beside the main window and never blocking it. It is a top-level window of its own, with no
// parent, so that the main window can come in front of it; whoever creates it owns it. It never
// keeps the program running: closing the main window ends the program while it is open.
// Closing it only hides it: the page, any link followed and the scroll position stay for the
// next showing, and the keyboard goes back to the main window. The guide is chosen at creation;
// the view opens it from the event loop once the main window has first been painted (or when
// this window is shown, if that comes first), so that the main window's first appearance never
// waits for it.
class THelpForm : public QWidget {
  Q_OBJECT

 public:
  // The window first appears centred over mainWindow. The guide is looked for in helpFolder;
  // the program always leaves that at the folder of its executable, and tests point it elsewhere.
  explicit THelpForm(QWidget* mainWindow,
                     const QString& helpFolder = QCoreApplication::applicationDirPath());

  QTextBrowser* const WebBrowser1;
  QPushButton* const BitBtn1;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void FormCreate(const QString& helpFolder);
  void OpenPendingPage();
  void CentreOverMainForm();

  const QPointer<QWidget> mainForm;
  bool centreOnNextShow = true;
  QUrl pendingPage;
};

}  // namespace ui
