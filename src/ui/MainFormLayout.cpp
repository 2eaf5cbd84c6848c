#include "ui/MainFormLayout.h"

#include "calc/grid_shape.h"

namespace ui::main_form {
namespace {

const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 128, 0);
const QColor kTeal(0, 128, 128);

}  // namespace

const FontSpec kWindowFont{Face::Tahoma, 11};
const QColor kBlack(0, 0, 0);
const QColor kGrey(128, 128, 128);
const QColor kSilver(192, 192, 192);

const PictureSpec kLogo{"Image1", QRect(-8, 0, 225, 57), ":/assets/logo.png", QSize(227, 65),
                        "Rostavel home page"};
const TextSpec kTitle{"Label3", {224, 8}, {Face::CenturyGothic, 35, kBold}, kTeal};
const TextSpec kShortSiteLink{"Label4", {576, 44}, {Face::Tahoma, 13, kUnderline}, kBlue};
const TextSpec kLongSiteLink{"Label5", {355, 516}, {Face::Tahoma, 16, kUnderline}, kBlue};
const TextSpec kAdvancedLink{"Label6", {16, 516}, {Face::Tahoma, 16}, kBlack};
const TextSpec kBroughtBy{"Label7", {472, 44}, {Face::Tahoma, 13}, kBlack};
const PictureSpec kProductPicture{"Image2", QRect(592, 8, 33, 41), ":/assets/image2.png",
                                  QSize(32, 32), "Shiftmeter"};

const GridPanelSpec kNeededPanel{.panel = "Panel1",
                                 .panelBox = QRect(16, 64, 417, 393),
                                 .titleLabels = {"Label1", "Label8", "Label9"},
                                 .titleLefts = {8, 90, 160},
                                 .titleWord = "NEEDED",
                                 .ink = kBlue,
                                 .grid = "NeededHoursList",
                                 .gridWidth = 393,
                                 .cols = calc::needed_grid::kColCount,
                                 .rows = calc::needed_grid::kRowCount,
                                 .widths = {106, 18, 40, 68, 70, 58},
                                 .gridSpoken = "Shifts needed",
                                 .group = "GroupBox1",
                                 .groupBox = QRect(16, 320, 393, 65),
                                 .caption = "Total Man-Hours NEEDED",
                                 .total = "HrsNeeded"};
const GridPanelSpec kStaffPanel{.panel = "Panel2",
                                .panelBox = QRect(448, 64, 318, 393),
                                .titleLabels = {"Label2", "Label10", "Label11"},
                                .titleLefts = {8, 92, 190},
                                .titleWord = "AVAILABLE",
                                .ink = kGreen,
                                .grid = "EmployeeHoursList",
                                .gridWidth = 297,
                                .cols = calc::staff_grid::kColCount,
                                .rows = calc::staff_grid::kRowCount,
                                .widths = {108, 42, 72, 63},
                                .gridSpoken = "Staff available",
                                .group = "GroupBox2",
                                .groupBox = QRect(12, 320, 301, 65),
                                .caption = "Total Man-Hours AVAILABLE",
                                .total = "HrsAvail"};
const FontSpec kCaptionFont{Face::TimesNewRoman, 16, kBold};
const FontSpec kGridFont{Face::Tahoma, 13};
const FontSpec kTotalFont{Face::TimesNewRoman, 29, kBold};

QRect GridBox(const GridPanelSpec& panel) {
  return QRect(8, 48, panel.gridWidth, 265);
}

QRect TotalBox(const GridPanelSpec& panel) {
  return QRect(2, 21, panel.groupBox.width() - 4, 42);
}

const ButtonSpec kHelpButton{"BitBtn1", QRect(694, 520, 75, 25), "&Help", "Help"};
const ButtonSpec kClearButton{"btnClear", QRect(615, 520, 75, 25), "&Clear", "Clear"};
const ButtonSpec kPurchaseButton{"Button1", QRect(536, 520, 75, 25), "&Purchase", "Purchase"};
const char* const kStripName = "Panel3";
const QRect kStripBox(16, 464, 753, 47);
const char* const kVerdictName = "Message";
const QRect kVerdictBox(3, 3, 743, 37);
const FontSpec kVerdictFont{Face::Tahoma, 27};

}  // namespace ui::main_form
