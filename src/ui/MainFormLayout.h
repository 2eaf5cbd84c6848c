#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>
#include <vector>

#include "ui/Appearance.h"

// The main window's form description: every control's name, place, font and colour, in client
// pixels of the window as laid out. The window's code builds its controls from these and gives
// them their texts and their behaviour.
namespace ui::main_form {

struct FontSpec {
  Face face;
  int pixelSize;
  int style = kRegular;
};

// A label that takes the size of its text, placed by its top-left corner.
struct TextSpec {
  const char* name;
  QPoint at;
  FontSpec font;
  QColor colour;
};

struct PictureSpec {
  const char* name;
  QRect box;
  const char* resource;
  QSize size;
  const char* spoken;
};

struct ButtonSpec {
  const char* name;
  QRect box;
  const char* caption;
  const char* spoken;
};

// One side of the window: a panel with a title line, a grid, and a box showing its total.
struct GridPanelSpec {
  const char* panel;
  QRect panelBox;
  std::array<const char*, 3> titleLabels;
  std::array<int, 3> titleLefts;
  const char* titleWord;
  QColor ink;
  const char* grid;
  int gridWidth;
  int cols;
  int rows;  // the heading row included
  std::vector<int> widths;
  const char* gridSpoken;
  const char* group;
  QRect groupBox;
  const char* caption;
  const char* total;
};

// What every control takes unless it says otherwise.
extern const FontSpec kWindowFont;
extern const QColor kBlack;
extern const QColor kGrey;
extern const QColor kSilver;

// The header: the logo, the title, the product picture and the links.
extern const PictureSpec kLogo;
extern const TextSpec kTitle;
extern const TextSpec kShortSiteLink;
extern const TextSpec kLongSiteLink;
extern const TextSpec kAdvancedLink;
extern const TextSpec kBroughtBy;
extern const PictureSpec kProductPicture;

// The grid panels and what they share.
extern const GridPanelSpec kNeededPanel;
extern const GridPanelSpec kStaffPanel;
// The title line of each panel and the caption of its total box.
extern const FontSpec kCaptionFont;
constexpr int kTitleTop = 16;
extern const FontSpec kGridFont;
constexpr int kGridRowHeight = 24;
extern const FontSpec kTotalFont;
// The grid inside its panel, and the total inside its box below the caption.
QRect GridBox(const GridPanelSpec& panel);
QRect TotalBox(const GridPanelSpec& panel);

// The footer: the buttons and the verdict strip.
extern const ButtonSpec kHelpButton;
extern const ButtonSpec kClearButton;
extern const ButtonSpec kPurchaseButton;
extern const char* const kStripName;
extern const QRect kStripBox;
extern const char* const kVerdictName;
extern const QRect kVerdictBox;
extern const FontSpec kVerdictFont;

}  // namespace ui::main_form
