#include "ui/CellDelegate.h"

#include <QAbstractItemView>
#include <QPainter>
#include <limits>
#include <utility>

#include "ui/CellTextModel.h"

namespace ui {
namespace {

constexpr int kLine = kGridLineWidth;
constexpr int kTextInset = 2;
// Cells hold text of any length, but no cell is ever wide enough to show more than this.
constexpr qsizetype kPaintedChars = 2048;

// A view marks its current cell in the option only while it has the focus, yet the current
// cell stays plain inside the highlighted range either way; the view the option is for knows.
bool IsCurrent(const QStyleOptionViewItem& option, const QModelIndex& index) {
  const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
  return view != nullptr && view->currentIndex() == index;
}

// A view hands every cell the colours of an active window; the cells of an inactive one take
// its inactive colours, as the headings above them do.
QPalette CellColours(const QStyleOptionViewItem& option) {
  QPalette colours = option.palette;
  const bool enabled = option.state & QStyle::State_Enabled;
  if (enabled && option.widget != nullptr && !option.widget->isActiveWindow()) {
    colours.setCurrentColorGroup(QPalette::Inactive);
  }
  return colours;
}

}  // namespace

void PaintCell(QPainter* painter, const QRect& section, const QColor& face, const QColor& line,
               const QColor& ink, const QString& text) {
  const QRect cell = section.adjusted(0, 0, -kLine, -kLine);
  painter->fillRect(QRect(cell.right() + 1, section.top(), kLine, section.height()), line);
  painter->fillRect(QRect(section.left(), cell.bottom() + 1, section.width(), kLine), line);
  painter->fillRect(cell, face);
  painter->setPen(ink);
  painter->drawText(cell.adjusted(kTextInset, 0, 0, 0),
                    Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                    text.left(kPaintedChars));
}

CellDelegate::CellDelegate(EditorMade editorMade, QObject* parent)
    : QStyledItemDelegate(parent), editorMade_(std::move(editorMade)) {}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                    const QModelIndex& index) const {
  auto* editor = new QLineEdit(parent);
  editor->setFrame(false);
  // While typing, a screen reader's user still hears which column and row they are in.
  const QString heading = index.model()->headerData(index.column(), Qt::Horizontal).toString();
  editor->setAccessibleName(
      QStringLiteral("%1, row %2").arg(heading).arg(CellTextModel::PosOf(index).row));
  editor->setMaxLength(std::numeric_limits<int>::max());
  connect(editor, &QLineEdit::textEdited, this, &CellDelegate::CommitEdit);
  editorMade_(editor);
  return editor;
}

void CellDelegate::CommitEdit() {
  emit commitData(static_cast<QWidget*>(sender()));
}

void CellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  auto* line = static_cast<QLineEdit*>(editor);
  const QString text = index.data(Qt::EditRole).toString();
  if (line->text() != text) {
    line->setText(text);
  }
}

void CellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
  model->setData(index, static_cast<const QLineEdit*>(editor)->text(), Qt::EditRole);
}

void CellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                        const QModelIndex& /*index*/) const {
  editor->setGeometry(option.rect.adjusted(0, 0, -kLine, -kLine));
}

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
  const QPalette colours = CellColours(option);
  const bool highlighted = (option.state & QStyle::State_Selected) && !IsCurrent(option, index);
  painter->save();
  painter->setFont(option.font);
  PaintCell(painter, option.rect, colours.color(highlighted ? QPalette::Highlight : QPalette::Base),
            colours.color(QPalette::Dark),
            colours.color(highlighted ? QPalette::HighlightedText : QPalette::Text),
            index.data(Qt::DisplayRole).toString());
  if (option.state & QStyle::State_HasFocus) {
    // Drawn half a pixel in from the cell's edges, the line stays inside the cell at any
    // scale, where the cell's own repaint wipes it.
    painter->setPen(QPen(colours.color(QPalette::Text), 1, Qt::DotLine));
    painter->drawRect(QRectF(option.rect).adjusted(0.5, 0.5, -kLine - 0.5, -kLine - 0.5));
  }
  painter->restore();
}

// Qt's own handling would close the editor on Tab, Escape and a lost focus.
bool CellDelegate::eventFilter(QObject* /*watched*/, QEvent* /*event*/) {
  return false;
}

}  // namespace ui
