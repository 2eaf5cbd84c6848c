#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>
#include <vector>

class QLabel;
class QPushButton;

namespace ui {

class BrowseUrlAction;
class CellGridView;
class CellTextModel;
class ClickableLabel;

// The main window: the needed grid and the staff grid side by side, a total under each, the
// verdict across the bottom, and the Purchase, Clear and Help buttons. Every attempted cell
// move first recalculates both grids and is refused while an entry cannot be read.
class TMainForm : public QWidget {
  Q_OBJECT

 public:
  // Asks whether to clear the calculator; answers true for Yes.
  using Confirmation = std::function<bool(QWidget* asker)>;

  static constexpr QSize kOuterSize{795, 588};
  static constexpr QSize kDesignedClientSize{787, 554};

  explicit TMainForm(QWidget* parent = nullptr);

  void FormCreate(QObject* sender);
  void NeededHoursListSelectCell(QObject* sender, int col, int row, bool& canSelect);
  void EmployeeHoursListSelectCell(QObject* sender, int col, int row, bool& canSelect);
  void btnClearClick(QObject* sender);
  void BitBtn1Click(QObject* sender);
  void FormCanResize(QObject* sender, int& newWidth, int& newHeight, bool& resize);
  void Image1Click(QObject* sender);
  void Label4Click(QObject* sender);
  void Button1Click(QObject* sender);

  // Recalculates both grids into the result labels; answers whether every entry was read.
  bool ReCalc();

  void SetHelpForm(QWidget* helpForm) { helpForm_ = helpForm; }
  void SetConfirmation(Confirmation confirmation) { confirmation_ = std::move(confirmation); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void BuildHeader();
  using SelectCellMethod = void (TMainForm::*)(QObject*, int, int, bool&);

  void BuildGridPanels();
  std::function<void(QObject*, int, int, bool&)> GuardedSelectCell(SelectCellMethod handler);
  void BuildFooter();
  void SetTabOrder();
  bool SizeChangeAllowed(QSize size);

  ClickableLabel* Image1 = nullptr;
  ClickableLabel* Label4 = nullptr;
  ClickableLabel* Label5 = nullptr;
  ClickableLabel* Label6 = nullptr;
  ClickableLabel* Label7 = nullptr;
  CellGridView* NeededHoursList = nullptr;
  QLabel* HrsNeeded = nullptr;
  CellGridView* EmployeeHoursList = nullptr;
  QLabel* HrsAvail = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QLabel* Message = nullptr;
  QPushButton* btnClear = nullptr;
  QPushButton* Button1 = nullptr;
  BrowseUrlAction* HomePageAction = nullptr;
  BrowseUrlAction* ProductPageAction = nullptr;

  CellTextModel* neededCells_ = nullptr;
  CellTextModel* staffCells_ = nullptr;
  QPointer<QWidget> helpForm_;
  Confirmation confirmation_;
};

// Asks "Are you sure you want to clear the calculator?" in a modal box centred on the asker's
// screen, Yes being the default and No the answer to Escape or the close box; the keyboard
// goes back to the asker afterwards.
bool AskToClear(QWidget* asker);

}  // namespace ui
