#pragma once

#include <QFont>
#include <QLabel>
#include <QString>

#include "ui/BevelPanel.h"
#include "ui/MainFormLayout.h"

class QPushButton;

namespace ui {

class CellGridView;
class CellTextModel;
class ClickableLabel;

// The main window's controls made from its form description.
namespace main_form {

void SetTextColour(QWidget* widget, const QColor& colour);
// Shows a text and lets a screen reader say what it is; answers whether anything changed.
bool ShowSpoken(QLabel* label, const QString& text, const QString& caption = {});
QFont MakeFont(const FontSpec& font);

template <class Label = QLabel>
Label* MakeLabel(QWidget* parent, const TextSpec& spec, const QString& text) {
  auto* label = new Label(parent);
  label->setObjectName(QString::fromLatin1(spec.name));
  label->setFont(MakeFont(spec.font));
  SetTextColour(label, spec.colour);
  ShowSpoken(label, text);
  label->adjustSize();
  label->move(spec.at);
  return label;
}

ClickableLabel* MakeLink(QWidget* parent, const TextSpec& spec, const QString& text);

// Where a stand-in font runs wider than the laid-out face, the text that follows a label on
// its line moves right rather than under it, keeping at least `gap` pixels between them.
void KeepApart(const QWidget* leading, QWidget* following, int gap);

template <class Label>
Label* MakePicture(QWidget* parent, const PictureSpec& spec) {
  auto* picture = new Label(parent);
  picture->setObjectName(QString::fromLatin1(spec.name));
  picture->setGeometry(spec.box);
  picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  picture->setPixmap(
      Picture(QString::fromLatin1(spec.resource), spec.size, parent->devicePixelRatioF()));
  picture->setAccessibleName(QString::fromLatin1(spec.spoken));
  return picture;
}

// A label of fixed size whose text the recalculation sets.
template <class Label = QLabel>
Label* MakeResultLabel(QWidget* parent, const char* name, const QRect& box, const QFont& font,
                       const QColor& colour, Qt::Alignment alignment) {
  auto* label = new Label(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(box);
  label->setFont(font);
  label->setAlignment(alignment);
  SetTextColour(label, colour);
  return label;
}

BevelPanel* MakePanel(QWidget* parent, const char* name, const QRect& box, Bevel outer, Bevel inner,
                      int gap);

struct GridPanel {
  BevelPanel* panel;
  CellTextModel* cells;
  CellGridView* grid;
  QLabel* total;
};

GridPanel MakeGridPanel(QWidget* window, const GridPanelSpec& layout);

// A push button that Enter presses, as Space does, while it has the keyboard focus.
QPushButton* MakeButton(QWidget* parent, const ButtonSpec& spec);

}  // namespace main_form
}  // namespace ui
