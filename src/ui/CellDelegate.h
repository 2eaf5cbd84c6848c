#pragma once

#include <QLineEdit>
#include <QStyledItemDelegate>
#include <functional>

namespace ui {

// Width of the lines between a grid's cells, drawn at each cell's right and bottom edges.
inline constexpr int kGridLineWidth = 2;

// Fills a cell's section with its face and its grid lines and writes its text, as the cells and
// the headings alike are drawn.
void PaintCell(QPainter* painter, const QRect& section, const QColor& face, const QColor& line,
               const QColor& ink, const QString& text);

// Paints the cells of a view and makes its in-place editor, whose every edit it commits at once:
// the program recalculates before every move between cells and must find the typed text in the
// cell. The view, not the delegate, decides which keys close the editor or move the cell: the
// delegate handles none of the editor's events.
class CellDelegate : public QStyledItemDelegate {
 public:
  using EditorMade = std::function<void(QLineEdit* editor)>;

  CellDelegate(EditorMade editorMade, QObject* parent);

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;
  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const override;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CommitEdit();

  EditorMade editorMade_;
};

}  // namespace ui
