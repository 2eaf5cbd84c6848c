#include <QApplication>
#include <QDesktopServices>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "ui/CellGridView.h"
#include "ui/SHMMain.h"
#include "ui/WindowFrame.h"
#include "ui_test_support.h"
#include "url_recorder.h"

using ui::CellGridView;
using ui::CellPos;
using ui::TMainForm;
using ui_test::Press;
using ui_test::Type;

namespace {

const QString kVerdictOnEmptyGrids = QStringLiteral("You have 0 extra man-hours");

QColor TextColour(const QWidget* widget) {
  return widget->palette().color(QPalette::WindowText);
}

// Answers the next modal box that opens with a key, after checking what it asks.
void AnswerNextBoxWith(Qt::Key key, QString* seenText = nullptr) {
  QTimer::singleShot(0, [key, seenText] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      return;
    }
    if (seenText != nullptr) {
      *seenText = box->text();
    }
    QTest::keyClick(box, key);
  });
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TMainForm> form_;
  UrlRecorder urls_;

  template <class T>
  T* Find(const char* name) const {
    return ui_test::Find<T>(*form_, name);
  }
  CellGridView* Needed() const { return ui_test::NeededGrid(*form_); }
  CellGridView* Staff() const { return ui_test::StaffGrid(*form_); }
  QString Text(const char* label) const { return Find<QLabel>(label)->text(); }

  void ExpectError() {
    QCOMPARE(Text("HrsNeeded"), QString("ERROR"));
    QCOMPARE(Text("HrsAvail"), QString("ERROR"));
    QCOMPARE(Text("Message"), QString("ERROR"));
    QCOMPARE(TextColour(Find<QLabel>("Message")), QColor(255, 0, 0));
  }

 private slots:
  void initTestCase() { QDesktopServices::setUrlHandler(QStringLiteral("https"), &urls_, "Open"); }

  void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }

  void init() {
    form_ = std::make_unique<TMainForm>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    urls_.opened.clear();
  }

  void cleanup() { form_.reset(); }

  void startsWithHeadingsZerosAndTheGreenVerdict() {
    const QStringList needed{"Shift Desc", "#", "#Emp", "Start Time", "End Time", "Total Hrs"};
    const QStringList staff{"Group Desc", "#Emp", "Hrs / Wk", "Total Hrs"};
    QCOMPARE(Needed()->Cells().ColCount(), 6);
    QCOMPARE(Needed()->Cells().RowCount(), 15);
    QCOMPARE(Staff()->Cells().ColCount(), 4);
    QCOMPARE(Staff()->Cells().RowCount(), 10);
    for (int col = 0; col < 6; ++col) {
      QCOMPARE(Needed()->Cells().Cell(col, 0), needed[col]);
    }
    for (int col = 0; col < 4; ++col) {
      QCOMPARE(Staff()->Cells().Cell(col, 0), staff[col]);
    }
    QCOMPARE(Text("HrsNeeded"), QString("0"));
    QCOMPARE(Text("HrsAvail"), QString("0"));
    QCOMPARE(Text("Message"), kVerdictOnEmptyGrids);
    QCOMPARE(TextColour(Find<QLabel>("Message")), QColor(0, 255, 0));
    QCOMPARE(Find<QLabel>("Message")->palette().color(QPalette::Window), QColor(0, 0, 0));
    QCOMPARE(form_->windowTitle(), QString("Shiftmeter from Rostavel"));
  }

  void focusStartsOnTheNeededGridAtColumn0OfRow1() {
    QCOMPARE(QApplication::focusWidget(), Needed());
    QCOMPARE(Needed()->CurrentCell(), (CellPos{0, 1}));
    QVERIFY(!Needed()->EditorOpen());
  }

  void controlsStandWhereTheyWereLaidOut_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("box");
    QTest::addColumn<QString>("panel");
    const auto row = [](const char* name, QRect box, const char* panel = "") {
      QTest::newRow(name) << name << box << panel;
    };
    row("Panel1", {16, 64, 417, 393});
    row("Panel2", {448, 64, 318, 393});
    row("Panel3", {16, 464, 753, 47});
    row("NeededHoursList", {8, 48, 393, 265}, "Panel1");
    row("EmployeeHoursList", {8, 48, 297, 265}, "Panel2");
    row("GroupBox1", {16, 320, 393, 65}, "Panel1");
    row("GroupBox2", {12, 320, 301, 65}, "Panel2");
    row("HrsNeeded", {2, 21, 389, 42});
    row("HrsAvail", {2, 21, 297, 42});
    row("Message", {3, 3, 743, 37}, "Panel3");
    row("Image1", {-8, 0, 225, 57});
    row("Image2", {592, 8, 33, 41});
    row("Button1", {536, 520, 75, 25});
    row("btnClear", {615, 520, 75, 25});
    row("BitBtn1", {694, 520, 75, 25});
  }

  void controlsStandWhereTheyWereLaidOut() {
    QFETCH(QString, name);
    QFETCH(QRect, box);
    QFETCH(QString, panel);
    const auto* widget = form_->findChild<QWidget*>(name);
    QVERIFY(widget != nullptr);
    QCOMPARE(widget->geometry(), box);
    if (!panel.isEmpty()) {
      // Inside a panel, positions count from within its two-pixel border.
      QCOMPARE(widget->parentWidget()->parentWidget()->objectName(), panel);
      QCOMPARE(widget->parentWidget()->pos(), QPoint(2, 2));
    }
  }

  // Whatever frame the platform adds outside, the inside keeps the laid-out size.
  void insideKeepsItsLaidOutSize() { QCOMPARE(form_->size(), TMainForm::kDesignedClientSize); }

  void labelsSizeToTheirTextFromTheirPlace_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QString>("text");
    QTest::newRow("Label1") << "Label1" << QPoint(8, 16) << "Man-Hours";
    QTest::newRow("Label8") << "Label8" << QPoint(90, 16) << "NEEDED";
    QTest::newRow("Label10") << "Label10" << QPoint(92, 16) << "AVAILABLE";
    QTest::newRow("Label3") << "Label3" << QPoint(224, 8) << "Shiftmeter";
    QTest::newRow("Label6") << "Label6" << QPoint(16, 516)
                            << "For an advanced scheduling solution click here: ";
    QTest::newRow("Label7") << "Label7" << QPoint(472, 44) << "Brought to you by";
  }

  void labelsSizeToTheirTextFromTheirPlace() {
    QFETCH(QString, name);
    QFETCH(QPoint, at);
    QFETCH(QString, text);
    const auto* label = form_->findChild<QLabel*>(name);
    QVERIFY(label != nullptr);
    QCOMPARE(label->pos(), at);
    QCOMPARE(label->text(), text);
    QCOMPARE(label->size(), label->sizeHint());
  }

  void textsOnOneLineDoNotRunIntoEachOther_data() {
    QTest::addColumn<QString>("leading");
    QTest::addColumn<QString>("following");
    QTest::addColumn<int>("laidOutLeft");
    QTest::addColumn<int>("gap");
    QTest::newRow("footer") << "Label6"
                            << "Label5" << 355 << 0;
    QTest::newRow("header") << "Label7"
                            << "Label4" << 576 << 4;
  }

  void textsOnOneLineDoNotRunIntoEachOther() {
    QFETCH(QString, leading);
    QFETCH(QString, following);
    QFETCH(int, laidOutLeft);
    QFETCH(int, gap);
    const auto* lead = form_->findChild<QLabel*>(leading);
    const auto* next = form_->findChild<QLabel*>(following);
    QCOMPARE(next->y(), lead->y());
    QVERIFY(next->x() >= laidOutLeft);
    QVERIFY2(lead->geometry().right() + gap < next->x(),
             qPrintable(QString("%1 ends at %2, %3 starts at %4")
                            .arg(leading)
                            .arg(lead->geometry().right())
                            .arg(following)
                            .arg(next->x())));
  }

  void fontsAndColoursAreTheLaidOutOnes_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("families");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QColor>("colour");
    const QStringList tahoma{"Tahoma", "DejaVu Sans"};
    const QStringList times{"Times New Roman", "Liberation Serif"};
    QTest::newRow("Label3") << "Label3" << QStringList{"Century Gothic", "URW Gothic"} << 35 << true
                            << QColor(0, 128, 128);
    QTest::newRow("Label8") << "Label8" << times << 16 << true << QColor(0, 0, 255);
    QTest::newRow("Label10") << "Label10" << times << 16 << true << QColor(0, 128, 0);
    QTest::newRow("HrsNeeded") << "HrsNeeded" << times << 29 << true << QColor(0, 0, 255);
    QTest::newRow("HrsAvail") << "HrsAvail" << times << 29 << true << QColor(0, 128, 0);
    QTest::newRow("Label5") << "Label5" << tahoma << 16 << false << QColor(0, 0, 255);
    QTest::newRow("Label7") << "Label7" << tahoma << 13 << false << QColor(0, 0, 0);
    QTest::newRow("Message") << "Message" << tahoma << 27 << false << QColor(0, 255, 0);
  }

  void fontsAndColoursAreTheLaidOutOnes() {
    QFETCH(QString, name);
    QFETCH(QStringList, families);
    QFETCH(int, pixelSize);
    QFETCH(bool, bold);
    QFETCH(QColor, colour);
    const auto* label = form_->findChild<QLabel*>(name);
    QVERIFY(label != nullptr);
    // Fonts found through fontconfig may carry their foundry: "URW Gothic [UKWN]".
    const QString family = QFontInfo(label->font()).family().section(QStringLiteral(" ["), 0, 0);
    QVERIFY2(families.contains(family), qPrintable(family));
    QCOMPARE(label->font().pixelSize(), pixelSize);
    QCOMPARE(label->font().bold(), bold);
    QCOMPARE(TextColour(label), colour);
  }

  void gridsHaveTheirColumnWidthsAndColours() {
    const std::vector<int> needed{106, 18, 40, 68, 70, 58};
    for (int col = 0; col < 6; ++col) {
      QCOMPARE(Needed()->columnWidth(col), needed[static_cast<std::size_t>(col)] + 2);
    }
    QCOMPARE(Staff()->columnWidth(2), 72 + 2);
    QCOMPARE(Needed()->rowHeight(0), 24 + 2);
    QCOMPARE(Needed()->palette().color(QPalette::Base), QColor(192, 192, 192));
    QCOMPARE(Needed()->palette().color(QPalette::Text), QColor(0, 0, 255));
    QCOMPARE(Staff()->palette().color(QPalette::Text), QColor(0, 128, 0));
    QCOMPARE(Needed()->font().pixelSize(), 13);
  }

  void everyGridLabelAndButtonCanBeNamedByAScreenReader() {
    const QList<QWidget*> widgets = form_->findChildren<QWidget*>();
    int checked = 0;
    for (QWidget* widget : widgets) {
      const bool spoken = qobject_cast<QLabel*>(widget) != nullptr ||
                          qobject_cast<QPushButton*>(widget) != nullptr ||
                          qobject_cast<CellGridView*>(widget) != nullptr;
      if (spoken) {
        QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
        ++checked;
      }
    }
    QCOMPARE(checked, 21);
    QVERIFY(Find<QLabel>("HrsNeeded")->accessibleName().endsWith(": 0"));
  }

  void focusGoesGridGridPurchaseClearHelpAndTabStaysInAGrid() {
    Press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Needed());
    Find<QPushButton>("Button1")->setFocus();
    Press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Find<QPushButton>("btnClear"));
    Press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Find<QPushButton>("BitBtn1"));
    Press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Needed());
    Find<QPushButton>("Button1")->setFocus();
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), Staff());
  }

  void unreadableEntryRefusesTheMoveUntilCorrected() {
    Press(Qt::Key_Right);
    Type("abc");
    Press(Qt::Key_Down);
    QCOMPARE(Needed()->CurrentCell(), (CellPos{1, 1}));
    ExpectError();
    QVERIFY(Needed()->EditorOpen());
    QCOMPARE(Needed()->Editor()->text(), QString("abc"));
    for (int i = 0; i < 3; ++i) {
      Press(Qt::Key_Backspace);
    }
    Type("3");
    Press(Qt::Key_Down);
    QCOMPARE(Needed()->CurrentCell(), (CellPos{1, 2}));
    QCOMPARE(Text("HrsNeeded"), QString("0"));
    QCOMPARE(Text("Message"), kVerdictOnEmptyGrids);
    QCOMPARE(Needed()->Cells().Cell(3, 1), QString("12:00 am"));
  }

  void readableTimeIsRenderedAgainOnTab() {
    Press(Qt::Key_End);
    Press(Qt::Key_Left);
    Press(Qt::Key_Left);
    QCOMPARE(Needed()->CurrentCell(), (CellPos{3, 1}));
    Type("9:30");
    Press(Qt::Key_Tab);
    QCOMPARE(Needed()->Cells().Cell(3, 1), QString("9:30 am"));
    QCOMPARE(Needed()->CurrentCell(), (CellPos{4, 1}));
  }

  void tabAndShiftTabWrapAroundAfterRecalculating() {
    Press(Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(Needed()->CurrentCell(), (CellPos{5, 14}));
    Staff()->Cells().SetCell(1, 1, "3");
    Staff()->Cells().SetCell(2, 1, "37.5");
    Press(Qt::Key_Tab);
    QCOMPARE(Needed()->CurrentCell(), (CellPos{0, 1}));
    QCOMPARE(Text("HrsAvail"), QString("112.5"));
    Staff()->Cells().SetCell(1, 1, "2");
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(Needed()->CurrentCell(), (CellPos{5, 14}));
    QCOMPARE(Text("HrsAvail"), QString("75"));
  }

  void enterOpensAndClosesWithoutRecalculating() {
    Staff()->Cells().SetCell(1, 1, "3");
    Staff()->Cells().SetCell(2, 1, "40");
    Press(Qt::Key_Return);
    QVERIFY(Needed()->EditorOpen());
    Press(Qt::Key_Return);
    QVERIFY(!Needed()->EditorOpen());
    QCOMPARE(Text("HrsAvail"), QString("0"));
    QCOMPARE(Needed()->CurrentCell(), (CellPos{0, 1}));
  }

  void clickIntoTheOtherGridWithAnUnreadableEntry() {
    Press(Qt::Key_Right);
    Type("abc");
    ui_test::ClickCell(*Staff(), {2, 3});
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Staff()));
    QCOMPARE(Staff()->CurrentCell(), (CellPos{0, 1}));
    ExpectError();
    QVERIFY(!Needed()->EditorOpen());
    QCOMPARE(Needed()->Cells().Cell(1, 1), QString("abc"));
    Needed()->Cells().SetCell(1, 1, "4");  // readable now, but nothing recalculates until a move
    ui_test::ClickCell(*Staff(), {0, 1});
    QVERIFY(Staff()->EditorOpen());
    ExpectError();
  }

  void clearAnsweredNoOrEscapeChangesNothing() {
    Needed()->Cells().SetCell(1, 2, "5");
    form_->SetConfirmation([](QWidget*) { return false; });
    QTest::mouseClick(Find<QPushButton>("btnClear"), Qt::LeftButton);
    QCOMPARE(Needed()->Cells().Cell(1, 2), QString("5"));
    QCOMPARE(Text("HrsNeeded"), QString("0"));
    form_->SetConfirmation(ui::AskToClear);
    QString asked;
    AnswerNextBoxWith(Qt::Key_Escape, &asked);
    QTest::mouseClick(Find<QPushButton>("btnClear"), Qt::LeftButton);
    QCOMPARE(asked, QString("Are you sure you want to clear the calculator?"));
    QCOMPARE(Needed()->Cells().Cell(1, 2), QString("5"));
    QCOMPARE(Text("HrsNeeded"), QString("0"));
  }

  void clearAnsweredYesEmptiesBothGridsAndGoesBackToRow1() {
    Needed()->Cells().SetCell(0, 14, "night");
    Needed()->Cells().SetCell(1, 3, "abc");
    Staff()->Cells().SetCell(3, 9, "99");
    Staff()->setFocus();
    Press(Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(Staff()->CurrentCell(), (CellPos{0, 1}));  // refused: "abc" cannot be read
    Needed()->Cells().SetCell(1, 3, "2");
    Press(Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(Staff()->CurrentCell(), (CellPos{3, 9}));
    form_->SetConfirmation([](QWidget*) { return true; });
    QTest::mouseClick(Find<QPushButton>("btnClear"), Qt::LeftButton);
    for (CellGridView* grid : {Needed(), Staff()}) {
      for (int row = 1; row < grid->Cells().RowCount(); ++row) {
        for (int col = 0; col < grid->Cells().ColCount(); ++col) {
          QCOMPARE(grid->Cells().Cell(col, row), QString());
        }
      }
      QCOMPARE(grid->CurrentCell(), (CellPos{0, 1}));
      QCOMPARE(grid->selectionModel()->selectedIndexes().size(), 1);
    }
    QCOMPARE(Needed()->Cells().Cell(0, 0), QString("Shift Desc"));
    QCOMPARE(Text("HrsNeeded"), QString("0"));
    QCOMPARE(Text("HrsAvail"), QString("0"));
    QCOMPARE(Text("Message"), kVerdictOnEmptyGrids);
  }

  void clearQuestionIsYesThenNoWithYesAsDefaultAndCloseMeaningNo() {
    QMessageBox* seen = nullptr;
    QTimer::singleShot(0, [&seen] {
      seen = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(seen != nullptr);
      QCOMPARE(seen->windowTitle(), QString("Confirm"));
      QCOMPARE(seen->icon(), QMessageBox::Question);
      const QList<QAbstractButton*> buttons = seen->buttons();
      QCOMPARE(buttons.size(), 2);
      QCOMPARE(buttons[0]->text(), QString("&Yes"));
      QCOMPARE(buttons[1]->text(), QString("&No"));
      QCOMPARE(seen->defaultButton(), buttons[0]);
      QCOMPARE(seen->escapeButton(), buttons[1]);
      QTest::keyClick(seen, Qt::Key_Return);
    });
    QVERIFY(ui::AskToClear(form_.get()));
    QVERIFY(seen != nullptr);
    QTimer::singleShot(0, [] {
      if (QWidget* box = QApplication::activeModalWidget()) {
        box->close();  // as its close box does
      }
    });
    QVERIFY(!ui::AskToClear(form_.get()));
  }

  void windowSizeNeverChanges() {
    const QSize laidOut = form_->size();
    form_->resize(1000, 700);
    QCOMPARE(form_->size(), laidOut);
    form_->showMaximized();
    QTest::qWait(20);
    QCOMPARE(form_->size(), laidOut);
    QVERIFY(!form_->isMaximized());
    bool resize = true;
    int width = 900;
    int height = 700;
    form_->FormCanResize(form_.get(), width, height, resize);
    QVERIFY(!resize);
    QCOMPARE(width, 900);
  }

  void draggedColumnIsReadByItsNewPosition() {
    QHeaderView* heading = Needed()->horizontalHeader();
    const int y = heading->height() / 2;
    const QPoint start(heading->sectionViewportPosition(3) + 10, y);
    const QPoint drop(heading->sectionViewportPosition(4) + heading->sectionSize(4) - 5, y);
    QTest::mousePress(heading->viewport(), Qt::LeftButton, {}, start);
    for (int x = start.x(); x <= drop.x(); x += 10) {
      const QPointF at(x, y);
      QMouseEvent move(QEvent::MouseMove, at, heading->viewport()->mapToGlobal(at), Qt::NoButton,
                       Qt::LeftButton, {});
      QApplication::sendEvent(heading->viewport(), &move);
    }
    QTest::mouseRelease(heading->viewport(), Qt::LeftButton, {}, drop);
    QCOMPARE(Needed()->Cells().Cell(3, 0), QString("End Time"));
    QCOMPARE(Needed()->Cells().Cell(4, 0), QString("Start Time"));
    Needed()->Cells().SetCell(1, 1, "1");
    Needed()->Cells().SetCell(2, 1, "1");
    Needed()->Cells().SetCell(3, 1, "9:00 am");
    Needed()->Cells().SetCell(4, 1, "5:00 pm");
    Press(Qt::Key_Down);
    QCOMPARE(Text("HrsNeeded"), QString("8"));
  }

  void linksOpenTheMakersPages() {
    QCOMPARE(Text("Label4"), QString("rostavel.com"));
    QCOMPARE(Text("Label5"), QString("www.rostavel.com"));
    for (const char* name : {"Image1", "Label4", "Label5", "Label6", "Label7"}) {
      QTest::mouseClick(Find<QWidget>(name), Qt::LeftButton, {}, QPoint(3, 3));
    }
    QCOMPARE(urls_.opened.size(), 5);
    for (const QUrl& url : urls_.opened) {
      QCOMPARE(url, QUrl("https://www.rostavel.com"));
    }
    urls_.opened.clear();
    QTest::mouseClick(Find<QPushButton>("Button1"), Qt::LeftButton);
    QTest::mouseClick(Find<QPushButton>("Button1"), Qt::LeftButton);
    QCOMPARE(urls_.opened, (QList<QUrl>{QUrl("https://www.rostavel.com/SHM.html"),
                                        QUrl("https://www.rostavel.com/SHM.html")}));
    QCOMPARE(Text("Message"), kVerdictOnEmptyGrids);
  }

  void purchaseAnswersItsAcceleratorAndSpace() {
    Press(Qt::Key_P, Qt::AltModifier);
    QTRY_COMPARE(urls_.opened.size(), 1);
    Find<QPushButton>("Button1")->setFocus();
    Press(Qt::Key_Space);
    QTRY_COMPARE(urls_.opened.size(), 2);
    QCOMPARE(urls_.opened.back(), QUrl("https://www.rostavel.com/SHM.html"));
  }

  // As Space does, Enter presses the button that has the keyboard focus, and nothing else.
  void enterPressesTheFocusedButton() {
    QWidget help;
    form_->SetHelpForm(&help);
    const auto pressOn = [this](const char* button, Qt::Key key, Qt::KeyboardModifiers modifiers) {
      QTRY_VERIFY(form_->isActiveWindow());
      Find<QPushButton>(button)->setFocus();
      QTest::keyClick(Find<QPushButton>(button), key, modifiers);
    };
    QString asked;
    for (const Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter}) {
      const Qt::KeyboardModifiers pad =
          enter == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
      pressOn("Button1", enter, pad);
      QCOMPARE(urls_.opened.size(), enter == Qt::Key_Return ? 1 : 2);
      AnswerNextBoxWith(Qt::Key_Escape, &asked);
      pressOn("btnClear", enter, pad);
      QCOMPARE(asked, QString("Are you sure you want to clear the calculator?"));
      asked.clear();
      pressOn("BitBtn1", enter, pad);
      QVERIFY(help.isVisible());
      help.hide();
      form_->activateWindow();
    }
    pressOn("Button1", Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(urls_.opened.size(), 2);
  }

  void picturesAndTitleOpenNothingAndLinksNeedAClickInside() {
    QTest::mouseClick(Find<QWidget>("Image2"), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseClick(Find<QWidget>("Label3"), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseClick(Find<QWidget>("Label4"), Qt::RightButton, {}, QPoint(3, 3));
    auto* link = Find<QWidget>("Label4");
    QTest::mousePress(link, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(link->width() + 20, 3));
    QVERIFY(urls_.opened.isEmpty());
  }

  void linkActionsBelongToTheWindow() {
    const QStringList names{"HomePageAction", "ProductPageAction"};
    for (const QString& name : names) {
      QObject* action = form_->findChild<QObject*>(name, Qt::FindDirectChildrenOnly);
      QVERIFY(action != nullptr);
      QCOMPARE(action->parent(), form_.get());
    }
  }

  void helpShowsOneHelpWindowInFront() {
    QTest::mouseClick(Find<QPushButton>("BitBtn1"), Qt::LeftButton);  // no help window: nothing
    QWidget help;
    form_->SetHelpForm(&help);
    QTest::mouseClick(Find<QPushButton>("BitBtn1"), Qt::LeftButton);
    QVERIFY(help.isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), &help);
    form_->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(form_.get()));
    Press(Qt::Key_H, Qt::AltModifier);
    QTRY_COMPARE(QApplication::activeWindow(), &help);
    QCOMPARE(QApplication::topLevelWidgets().count(&help), 1);
  }

  // A narrow no-break space (French grouping) comes from a fallback font with other heights;
  // the verdict's letters stay where they were.
  void verdictKeepsItsPlaceWhateverItsCharacters() {
    auto* message = Find<QLabel>("Message");
    const auto topInkRow = [message](const QString& text) {
      message->setText(text);
      const QImage image = message->grab().toImage();
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
          if (image.pixelColor(x, y) != QColor(Qt::black)) {
            return y;
          }
        }
      }
      return -1;
    };
    const int plain = topInkRow(QStringLiteral("You need 1 234 more man-hours"));
    QVERIFY(plain > 0);
    QCOMPARE(topInkRow(QStringLiteral("You need 1\u202F234 more man-hours")), plain);
    QCOMPARE(topInkRow(QStringLiteral("ERROR")), plain);
  }

  void opensCentredOnTheDesktop_data() {
    QTest::addColumn<QRect>("desktop");
    QTest::addColumn<QPoint>("topLeft");
    QTest::newRow("wide") << QRect(0, 0, 1920, 1080) << QPoint(562, 246);
    QTest::newRow("odd") << QRect(0, 0, 1366, 769) << QPoint(285, 90);
    QTest::newRow("offset screen") << QRect(1920, 0, 1280, 1024) << QPoint(2162, 218);
    QTest::newRow("smaller than the window") << QRect(0, 0, 640, 480) << QPoint(0, 0);
    QTest::newRow("smaller, offset") << QRect(1920, 100, 640, 480) << QPoint(1920, 100);
  }

  void opensCentredOnTheDesktop() {
    QFETCH(QRect, desktop);
    QFETCH(QPoint, topLeft);
    QCOMPARE(ui::CentredTopLeft(desktop, TMainForm::kOuterSize, desktop.topLeft()), topLeft);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
