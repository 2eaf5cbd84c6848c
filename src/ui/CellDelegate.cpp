#include "ui/CellDelegate.h"

#include <QPainter>
#include <limits>
#include <utility>

namespace ui {
namespace {

constexpr int kLine = kGridLineWidth;
constexpr int kTextInset = 2;
// Cells hold text of any length, but no cell is ever wide enough to show more than this.
constexpr qsizetype kPaintedChars = 2048;

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

CellDelegate::CellDelegate(CellTextModel& cells, QAbstractItemView& view, EditorMade editorMade)
    : QStyledItemDelegate(&view), cells_(cells), view_(view), editorMade_(std::move(editorMade)) {}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                    const QModelIndex& index) const {
  auto* editor = new QLineEdit(parent);
  editor->setFrame(false);
  // While typing, a screen reader's user still hears which column and row they are in.
  const CellPos pos = CellTextModel::PosOf(index);
  editor->setAccessibleName(QStringLiteral("%1, row %2").arg(cells_.Cell(pos.col, 0)).arg(pos.row));
  editor->setMaxLength(std::numeric_limits<int>::max());
  CellTextModel* cells = &cells_;
  const QPersistentModelIndex cell(index);
  connect(editor, &QLineEdit::textEdited, editor, [cells, cell](const QString& text) {
    if (cell.isValid()) {
      cells->setData(cell, text, Qt::EditRole);
    }
  });
  editorMade_(editor);
  return editor;
}

void CellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  auto* line = static_cast<QLineEdit*>(editor);
  const QString text = index.data(Qt::EditRole).toString();
  if (line->text() != text) {
    line->setText(text);
  }
}

// The cell already holds every keystroke, so closing the editor writes nothing.
void CellDelegate::setModelData(QWidget* /*editor*/, QAbstractItemModel* /*model*/,
                                const QModelIndex& /*index*/) const {}

void CellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                        const QModelIndex& /*index*/) const {
  editor->setGeometry(option.rect.adjusted(0, 0, -kLine, -kLine));
}

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
  const QPalette& colours = view_.palette();
  const bool current = index == view_.currentIndex();
  const bool highlighted = (option.state & QStyle::State_Selected) && !current;
  painter->save();
  painter->setFont(view_.font());
  PaintCell(painter, option.rect, colours.color(highlighted ? QPalette::Highlight : QPalette::Base),
            colours.color(QPalette::Dark),
            colours.color(highlighted ? QPalette::HighlightedText : QPalette::Text),
            index.data(Qt::DisplayRole).toString());
  if (current && view_.hasFocus()) {
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
