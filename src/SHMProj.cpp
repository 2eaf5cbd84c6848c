// The program body: prepares the application, creates the windows and runs the event loop.

#include "ui/SHMHelp.h"
#include "ui/SHMMain.h"
#include "ui/ShiftmeterApplication.h"

int main(int argc, char** argv) {
  // Reads the regional format settings before any window exists.
  ui::ShiftmeterApplication application(argc, argv);

  ui::TMainForm mainForm;
  // Created hidden, right after the main window; a window of its own, destroyed before it.
  ui::THelpForm helpForm(&mainForm);
  mainForm.SetHelpForm(&helpForm);

  if (ui::StartMinimisedRequested(QCoreApplication::arguments())) {
    mainForm.showMinimized();
  } else {
    mainForm.show();
  }
  return QCoreApplication::exec();
}
