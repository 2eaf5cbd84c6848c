#pragma once

#include <QLabel>

namespace ui {

// The verdict strip's text: centred across and standing on one baseline below the top, so
// that it keeps its place whatever characters it holds (a character that the font lacks comes
// from a fallback font with other heights, which would move a laid-out line).
class VerdictLabel : public QLabel {
  Q_OBJECT

 public:
  explicit VerdictLabel(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace ui
