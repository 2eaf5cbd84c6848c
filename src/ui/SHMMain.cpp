#include "ui/SHMMain.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QStyle>
#include <span>
#include <string_view>

#include "calc/grid_shape.h"
#include "calc/recalc.h"
#include "ui/Accessibility.h"
#include "ui/Appearance.h"
#include "ui/BevelPanel.h"
#include "ui/BrowseUrlAction.h"
#include "ui/CellGridView.h"
#include "ui/CellTextModel.h"
#include "ui/ClickableLabel.h"
#include "ui/FailureReport.h"
#include "ui/MainFormControls.h"
#include "ui/ModelCellGrid.h"
#include "ui/VerdictLabel.h"
#include "ui/WindowFrame.h"

namespace ui {
namespace {

// The maker's site: the home page is its root address, scheme and host only.
constexpr char kHomePage[] = "https://www.rostavel.com";
constexpr char kProductPagePath[] = "/SHM.html";
constexpr char kWebServerPrefix[] = "www.";

QString LongSiteName() {
  return QUrl(QString::fromLatin1(kHomePage)).host();
}

QString ShortSiteName() {
  const QString host = LongSiteName();
  const QString prefix = QString::fromLatin1(kWebServerPrefix);
  return host.startsWith(prefix) ? host.mid(prefix.size()) : host;
}

using main_form::GridPanel;
using main_form::KeepApart;
using main_form::MakeButton;
using main_form::MakeFont;
using main_form::MakeGridPanel;
using main_form::MakeLabel;
using main_form::MakeLink;
using main_form::MakePanel;
using main_form::MakePicture;
using main_form::MakeResultLabel;
using main_form::SetTextColour;
using main_form::ShowSpoken;

void WriteHeadings(CellTextModel& cells, std::span<const std::string_view> headings) {
  for (std::size_t col = 0; col < headings.size(); ++col) {
    cells.SetCell(static_cast<int>(col), 0, QString::fromLatin1(QByteArrayView(headings[col])));
  }
}

void ClearDataRows(CellTextModel& cells) {
  for (int row = 1; row < cells.RowCount(); ++row) {
    for (int col = 0; col < cells.ColCount(); ++col) {
      cells.SetCell(col, row, QString());
    }
  }
}

// The toolkit calls the window's handlers through here, so that a failure is reported before
// it could unwind through the toolkit's own frames.
template <class Handler>
auto ReportingFailures(Handler handler) {
  return [handler] { RunGuarded(handler); };
}

}  // namespace

TMainForm::TMainForm(QWidget* parent) : QWidget(parent), confirmation_(AskToClear) {
  InstallAccessibleInterfaces();
  InstallBundledFonts();
  setWindowTitle(QStringLiteral("Shiftmeter from Rostavel"));
  setWindowIcon(MainIcon());
  setFont(MakeFont(main_form::kWindowFont));
  QPalette colours = palette();
  colours.setColor(QPalette::Window, colours.color(QPalette::Button));
  setPalette(colours);
  setFixedSize(kDesignedClientSize);
  if (const QScreen* desktop = QGuiApplication::primaryScreen()) {
    const QRect area = desktop->geometry();
    move(CentredTopLeft(area, kOuterSize, area.topLeft()));
  }

  BuildHeader();
  BuildGridPanels();
  BuildFooter();
  SetTabOrder();
  NeededHoursList->setFocus();
  RunGuarded([this] { FormCreate(this); });
}

// The logo and the link labels of the header, and the footer's link line.
void TMainForm::BuildHeader() {
  Image1 = MakePicture<ClickableLabel>(this, main_form::kLogo);
  Image1->setCursor(Qt::PointingHandCursor);
  QLabel* title = MakeLabel(this, main_form::kTitle, QStringLiteral("Shiftmeter"));
  title->setCursor(Qt::PointingHandCursor);
  Label4 = MakeLink(this, main_form::kShortSiteLink, ShortSiteName());
  Label5 = MakeLink(this, main_form::kLongSiteLink, LongSiteName());
  Label6 = MakeLink(this, main_form::kAdvancedLink,
                    QStringLiteral("For an advanced scheduling solution click here: "));
  Label7 = MakeLink(this, main_form::kBroughtBy, QStringLiteral("Brought to you by"));
  KeepApart(Label6, Label5, 0);
  KeepApart(Label7, Label4, 4);
  MakePicture<QLabel>(this, main_form::kProductPicture);

  connect(Image1, &ClickableLabel::clicked, this,
          ReportingFailures([this] { Image1Click(Image1); }));
  for (ClickableLabel* link : {Label4, Label5, Label6, Label7}) {
    connect(link, &ClickableLabel::clicked, this,
            ReportingFailures([this, link] { Label4Click(link); }));
  }
}

void TMainForm::BuildGridPanels() {
  const GridPanel needed = MakeGridPanel(this, main_form::kNeededPanel);
  neededCells_ = needed.cells;
  NeededHoursList = needed.grid;
  HrsNeeded = needed.total;
  const GridPanel staff = MakeGridPanel(this, main_form::kStaffPanel);
  staffCells_ = staff.cells;
  EmployeeHoursList = staff.grid;
  HrsAvail = staff.total;
  NeededHoursList->SetOnSelectCell(GuardedSelectCell(&TMainForm::NeededHoursListSelectCell));
  EmployeeHoursList->SetOnSelectCell(GuardedSelectCell(&TMainForm::EmployeeHoursListSelectCell));
}

// The Help, Clear and Purchase buttons and the verdict strip.
void TMainForm::BuildFooter() {
  BitBtn1 = MakeButton(this, main_form::kHelpButton);
  BitBtn1->setIcon(style()->standardIcon(QStyle::SP_TitleBarContextHelpButton));
  BevelPanel* strip = MakePanel(this, main_form::kStripName, main_form::kStripBox, Bevel::Raised,
                                Bevel::Lowered, 1);
  Message = MakeResultLabel<VerdictLabel>(strip->Client(), main_form::kVerdictName,
                                          main_form::kVerdictBox, MakeFont(main_form::kVerdictFont),
                                          main_form::kBlack, Qt::AlignHCenter | Qt::AlignTop);
  Message->setAutoFillBackground(true);
  QPalette verdict = Message->palette();
  verdict.setColor(QPalette::Window, main_form::kBlack);
  Message->setPalette(verdict);
  btnClear = MakeButton(this, main_form::kClearButton);
  Button1 = MakeButton(this, main_form::kPurchaseButton);

  connect(BitBtn1, &QPushButton::clicked, this,
          ReportingFailures([this] { BitBtn1Click(BitBtn1); }));
  connect(btnClear, &QPushButton::clicked, this,
          ReportingFailures([this] { btnClearClick(btnClear); }));
  connect(Button1, &QPushButton::clicked, this,
          ReportingFailures([this] { Button1Click(Button1); }));
}

void TMainForm::SetTabOrder() {
  setTabOrder(NeededHoursList, EmployeeHoursList);
  setTabOrder(EmployeeHoursList, Button1);
  setTabOrder(Button1, btnClear);
  setTabOrder(btnClear, BitBtn1);
}

void TMainForm::FormCreate(QObject* /*sender*/) {
  const QUrl home(QString::fromLatin1(kHomePage));
  HomePageAction = new BrowseUrlAction(QStringLiteral("HomePageAction"), home, this);
  ProductPageAction = new BrowseUrlAction(
      QStringLiteral("ProductPageAction"),
      QUrl(QString::fromLatin1(kHomePage) + QString::fromLatin1(kProductPagePath)), this);
  WriteHeadings(*neededCells_, calc::needed_grid::kHeadings);
  WriteHeadings(*staffCells_, calc::staff_grid::kHeadings);
  ReCalc();
}

bool TMainForm::ReCalc() {
  ModelCellGrid needed(*neededCells_);
  ModelCellGrid staff(*staffCells_);
  const calc::ReCalcResult result = calc::ReCalc(needed, staff);
  // Every result is shown, and the verdict spoken once when any of them changed.
  const bool neededChanged = ShowSpoken(HrsNeeded, QString::fromStdString(result.hrsNeeded),
                                        QStringLiteral("Total man-hours needed"));
  const bool availChanged = ShowSpoken(HrsAvail, QString::fromStdString(result.hrsAvail),
                                       QStringLiteral("Total man-hours available"));
  const bool verdictChanged = ShowSpoken(Message, QString::fromStdString(result.message));
  if (neededChanged || availChanged || verdictChanged) {
    AnnounceVerdict(Message);
  }
  const calc::Rgb& colour = result.messageColour;
  SetTextColour(Message, QColor(colour.r, colour.g, colour.b));
  return result.ok;
}

// A move whose handler failed does not happen.
std::function<void(QObject*, int, int, bool&)> TMainForm::GuardedSelectCell(
    SelectCellMethod handler) {
  return [this, handler](QObject* sender, int col, int row, bool& canSelect) {
    if (!RunGuarded([&] { (this->*handler)(sender, col, row, canSelect); })) {
      canSelect = false;
    }
  };
}

void TMainForm::NeededHoursListSelectCell(QObject* /*sender*/, int /*col*/, int /*row*/,
                                          bool& canSelect) {
  if (!ReCalc()) {
    canSelect = false;
  }
}

void TMainForm::EmployeeHoursListSelectCell(QObject* /*sender*/, int /*col*/, int /*row*/,
                                            bool& canSelect) {
  if (!ReCalc()) {
    canSelect = false;
  }
}

void TMainForm::btnClearClick(QObject* /*sender*/) {
  if (!confirmation_(this)) {
    return;
  }
  ClearDataRows(*neededCells_);
  ClearDataRows(*staffCells_);
  ReCalc();
  for (CellGridView* grid : {NeededHoursList, EmployeeHoursList}) {
    grid->SetCurrentRow(1);
    grid->SetCurrentColumn(0);
  }
}

void TMainForm::BitBtn1Click(QObject* /*sender*/) {
  if (helpForm_.isNull()) {
    return;
  }
  BringToFront(helpForm_);
}

void TMainForm::FormCanResize(QObject* /*sender*/, int& /*newWidth*/, int& /*newHeight*/,
                              bool& resize) {
  resize = false;
}

void TMainForm::Image1Click(QObject* /*sender*/) {
  HomePageAction->Execute();
}

void TMainForm::Label4Click(QObject* /*sender*/) {
  HomePageAction->Execute();
}

void TMainForm::Button1Click(QObject* /*sender*/) {
  ProductPageAction->Execute();
}

bool TMainForm::SizeChangeAllowed(QSize size) {
  const QSize outer = size.grownBy(FrameMargins(this));
  int newWidth = outer.width();
  int newHeight = outer.height();
  bool resize = true;
  FormCanResize(this, newWidth, newHeight, resize);
  return resize;
}

// The inside keeps its laid-out size whatever frame the platform draws around it.
void TMainForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (event->size() != kDesignedClientSize && !SizeChangeAllowed(event->size())) {
    resize(kDesignedClientSize);
  }
}

void TMainForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  constexpr Qt::WindowStates kEnlarged = Qt::WindowMaximized | Qt::WindowFullScreen;
  if (event->type() != QEvent::WindowStateChange || !(windowState() & kEnlarged)) {
    return;
  }
  const QSize screenSize = screen() != nullptr ? screen()->availableGeometry().size() : size();
  if (!SizeChangeAllowed(screenSize)) {
    setWindowState(windowState() & ~kEnlarged);
  }
}

namespace {

// A modal question centred by its frame on the screen of the window that asks it.
class ScreenCentredBox : public QMessageBox {
 public:
  ScreenCentredBox(const QString& title, const QString& question, QWidget* asker)
      : QMessageBox(QMessageBox::Question, title, question), asker_(asker) {}

 protected:
  // The box knows its own size only here, just before it appears.
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    const QScreen* screen = asker_ != nullptr ? asker_->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr || event->spontaneous()) {
      return;
    }
    const QMargins frame = asker_ != nullptr ? FrameMargins(asker_) : QMargins();
    CentreFrameOver(this, screen->geometry(), frame, screen->geometry().topLeft());
  }

 private:
  QPointer<QWidget> asker_;
};

}  // namespace

bool AskToClear(QWidget* asker) {
  ScreenCentredBox box(QStringLiteral("Confirm"),
                       QStringLiteral("Are you sure you want to clear the calculator?"), asker);
  // One role for both keeps them in this order, Yes then No, whatever the desktop's habit.
  QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::ActionRole);
  QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::ActionRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(no);
  box.exec();
  ReturnFocusTo(asker);
  return box.clickedButton() == yes;
}

}  // namespace ui
