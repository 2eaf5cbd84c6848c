// The program body: prepares the application, creates the windows and runs the event loop.

#include "ui/SHMMain.h"
#include "ui/ShiftmeterApplication.h"

int main(int argc, char** argv) {
  // Reads the regional format settings before any window exists.
  ui::ShiftmeterApplication application(argc, argv);

  ui::TMainForm mainForm;
  // The help window is created here, hidden, once it exists, and handed to
  // mainForm.SetHelpForm.

  if (ui::StartMinimisedRequested(QCoreApplication::arguments())) {
    mainForm.showMinimized();
  } else {
    mainForm.show();
  }
  return QCoreApplication::exec();
}
