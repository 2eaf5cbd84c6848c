#include "ui/MainFormControls.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <array>

#include "ui/CellGridView.h"
#include "ui/CellTextModel.h"
#include "ui/ClickableLabel.h"

namespace ui::main_form {
namespace {

// The look the layout gives the total boxes, a caption above the box that holds the total: the
// style Qt picks on Linux. Windows's own style would draw the caption into the frame line.
QStyle* TotalBoxStyle() {
  static QStyle* const style = [] {
    QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"));
    fusion->setParent(qApp);
    return fusion;
  }();
  return style;
}

QGroupBox* MakeTotalBox(QWidget* parent, const char* name, const QRect& box,
                        const QString& caption) {
  auto* group = new QGroupBox(caption, parent);
  group->setObjectName(QString::fromLatin1(name));
  group->setGeometry(box);
  group->setFont(MakeFont(kCaptionFont));
  group->setStyle(TotalBoxStyle());
  return group;
}

CellGridView* MakeGrid(QWidget* parent, CellTextModel& cells, const GridPanelSpec& layout) {
  auto* grid = new CellGridView(cells, parent);
  grid->setObjectName(QString::fromLatin1(layout.grid));
  grid->setAccessibleName(QString::fromLatin1(layout.gridSpoken));
  grid->setFont(MakeFont(kGridFont));
  QPalette colours = grid->palette();
  colours.setColor(QPalette::Base, kSilver);
  colours.setColor(QPalette::Text, layout.ink);
  colours.setColor(QPalette::Dark, kGrey);
  grid->setPalette(colours);
  grid->SetRowHeight(kGridRowHeight);
  grid->SetColumnWidths(layout.widths);
  grid->setGeometry(GridBox(layout));
  return grid;
}

// A push button that Enter presses, as Space does, while it has the keyboard focus.
class PushButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (enter && plain) {
      if (!event->isAutoRepeat()) {
        click();
      }
      return;
    }
    QPushButton::keyPressEvent(event);
  }
};

}  // namespace

void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette colours = widget->palette();
  colours.setColor(QPalette::WindowText, colour);
  widget->setPalette(colours);
}

bool ShowSpoken(QLabel* label, const QString& text, const QString& caption) {
  const QString spoken = caption.isEmpty() ? text : caption + QStringLiteral(": ") + text;
  if (label->text() == text && label->accessibleName() == spoken) {
    return false;
  }
  label->setText(text);
  label->setAccessibleName(spoken);
  return true;
}

QFont MakeFont(const FontSpec& font) {
  return MakeFont(font.face, font.pixelSize, font.style);
}

void KeepApart(const QWidget* leading, QWidget* following, int gap) {
  const int earliest = leading->geometry().right() + 1 + gap;
  if (following->x() < earliest) {
    following->move(earliest, following->y());
  }
}

ClickableLabel* MakeLink(QWidget* parent, const TextSpec& spec, const QString& text) {
  auto* link = MakeLabel<ClickableLabel>(parent, spec, text);
  link->setCursor(Qt::PointingHandCursor);
  return link;
}

BevelPanel* MakePanel(QWidget* parent, const char* name, const QRect& box, Bevel outer, Bevel inner,
                      int gap) {
  auto* panel = new BevelPanel(outer, inner, gap, parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setGeometry(box);
  return panel;
}

GridPanel MakeGridPanel(QWidget* window, const GridPanelSpec& layout) {
  auto* panel = MakePanel(window, layout.panel, layout.panelBox, Bevel::Raised, Bevel::Raised, 0);
  // A window deletes its children in the order they were made: made after the panel, the cells
  // outlive the grid inside it that shows them.
  auto* cells = new CellTextModel(layout.cols, layout.rows, window);
  QWidget* inside = panel->Client();
  const std::array<QString, 3> words{QStringLiteral("Man-Hours"),
                                     QString::fromLatin1(layout.titleWord),
                                     QStringLiteral("per week")};
  const std::array<QColor, 3> colours{kBlack, layout.ink, kBlack};
  for (std::size_t i = 0; i < words.size(); ++i) {
    const TextSpec title{
        layout.titleLabels[i], {layout.titleLefts[i], kTitleTop}, kCaptionFont, colours[i]};
    MakeLabel(inside, title, words[i]);
  }
  auto* grid = MakeGrid(inside, *cells, layout);
  auto* group =
      MakeTotalBox(inside, layout.group, layout.groupBox, QString::fromLatin1(layout.caption));
  auto* total = MakeResultLabel(group, layout.total, TotalBox(layout), MakeFont(kTotalFont),
                                layout.ink, Qt::AlignCenter);
  return {panel, cells, grid, total};
}

QPushButton* MakeButton(QWidget* parent, const ButtonSpec& spec) {
  auto* button = new PushButton(QString::fromLatin1(spec.caption), parent);
  button->setObjectName(QString::fromLatin1(spec.name));
  button->setGeometry(spec.box);
  button->setAutoDefault(false);
  button->setAccessibleName(QString::fromLatin1(spec.spoken));
  return button;
}

}  // namespace ui::main_form
