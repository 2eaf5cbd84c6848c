#pragma once

#include <QCoreApplication>
#include <QString>
#include <QWidget>

class QPushButton;
class QShowEvent;
class QTextBrowser;

namespace ui {

// The help window: the user guide "Help.html" from the program's folder in an HTML view,
// beside the main window and never blocking it. It is a separate top-level window parented to
// the main window, so it never keeps the program running on its own and goes when the main
// window goes; create it after the main window (or let the main window delete it).
// Closing it only hides it: the page, any link followed and the scroll position stay for the
// next showing.
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
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate(const QString& helpFolder);
  void CentreOverMainForm();

  QWidget* const mainForm;
  bool centreOnNextShow = true;
};

}  // namespace ui
