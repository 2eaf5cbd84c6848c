// The smallest Qt Widgets program comparable with Shiftmeter: one window holding two empty
// 6-column table widgets. Start-up time and memory of the real program are measured against it.

#include <QApplication>
#include <QHBoxLayout>
#include <QTableWidget>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Bare Qt window"));
  auto* layout = new QHBoxLayout(&window);
  layout->addWidget(new QTableWidget(15, 6));
  layout->addWidget(new QTableWidget(10, 6));
  window.resize(787, 554);
  window.show();
  return QApplication::exec();
}
