#pragma once

#include <QWidget>

namespace ui {

enum class Bevel { None, Raised, Lowered };

// A panel with a single-line (sunken, two pixels) border and an outer and an inner bevel
// inside it, `gap` pixels apart. Its children go into Client(), the area inside the border,
// so their positions count from there.
class BevelPanel : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kBorderWidth = 2;

  BevelPanel(Bevel outer, Bevel inner, int gap, QWidget* parent = nullptr);

  QWidget* Client() const { return client_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  Bevel outer_;
  Bevel inner_;
  int gap_;
  QWidget* client_;
};

}  // namespace ui
