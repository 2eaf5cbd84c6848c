#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>

#include "calc/recalc.h"
#include "ui/CellGridView.h"

// What the window tests do as a user would: keys and typing go to whatever has the focus at
// that moment, as a real keyboard's would, and clicks land on a cell's centre.
namespace ui_test {

void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void Type(const QString& text);

QPoint CellCentre(const ui::CellGridView& grid, ui::CellPos cell);
// A click on the grid's cell itself, never on an editor open over it.
void ClickCell(ui::CellGridView& grid, ui::CellPos cell);

template <class T>
T* Find(const QObject& window, const char* name) {
  return window.findChild<T*>(QString::fromLatin1(name));
}

// A grid's texts, heading row included, row after row; and the same as a grid of the core's.
QStringList CellTexts(const ui::CellGridView& grid);
calc::MemoryCellGrid MemoryCopy(const ui::CellGridView& grid);

// The main window's two grids.
ui::CellGridView* NeededGrid(const QObject& form);
ui::CellGridView* StaffGrid(const QObject& form);

}  // namespace ui_test
