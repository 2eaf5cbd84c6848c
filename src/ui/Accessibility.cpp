#include "ui/Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QWidget>

#include "ui/ClickableLabel.h"

namespace ui {
namespace {

// A label or picture that a click follows to a web page.
class LinkAccessible : public QAccessibleWidget {
 public:
  explicit LinkAccessible(ClickableLabel* link) : QAccessibleWidget(link, QAccessible::Link) {}

  QStringList actionNames() const override { return {pressAction()}; }

  void doAction(const QString& action) override {
    if (action == pressAction()) {
      emit static_cast<ClickableLabel*>(widget())->clicked();
    }
  }

  QStringList keyBindingsForAction(const QString& /*action*/) const override { return {}; }
};

// Screen readers speak a notification when it is shown, wherever the focus is.
class NotificationAccessible : public QAccessibleWidget {
 public:
  explicit NotificationAccessible(QWidget* widget)
      : QAccessibleWidget(widget, QAccessible::Notification) {}
};

// The help page: a read-only document whose text a screen reader walks. The page's plain text
// stands in for the view's inner text, which carries the rich-text engine's frame markers.
class DocumentAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit DocumentAccessible(QTextBrowser* view)
      : QAccessibleWidget(view, QAccessible::Document) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) {
      return static_cast<QAccessibleTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(int startOffset, int endOffset) const override {
    return PlainText().mid(startOffset, endOffset - startOffset);
  }
  int characterCount() const override { return static_cast<int>(PlainText().size()); }

  // Nothing is selected or edited, and there is no caret to move.
  void selection(int /*selectionIndex*/, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = 0;
  }
  int selectionCount() const override { return 0; }
  void addSelection(int /*startOffset*/, int /*endOffset*/) override {}
  void removeSelection(int /*selectionIndex*/) override {}
  void setSelection(int /*selectionIndex*/, int /*startOffset*/, int /*endOffset*/) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int /*position*/) override {}
  QRect characterRect(int /*offset*/) const override { return {}; }
  int offsetAtPoint(const QPoint& /*point*/) const override { return -1; }
  void scrollToSubstring(int /*startIndex*/, int /*endIndex*/) override {}
  QString attributes(int offset, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = offset;
    return {};
  }

 private:
  QString PlainText() const {
    return static_cast<const QTextBrowser*>(widget())->document()->toPlainText();
  }
};

QAccessibleInterface* MakeAccessible(const QString& className, QObject* object) {
  if (!object->isWidgetType()) {
    return nullptr;
  }
  auto* widget = static_cast<QWidget*>(object);
  if (className == QLatin1String("ui::ClickableLabel")) {
    return new LinkAccessible(static_cast<ClickableLabel*>(widget));
  }
  if (className == QLatin1String("QTextBrowser")) {
    return new DocumentAccessible(static_cast<QTextBrowser*>(widget));
  }
  if (className == QLatin1String("ui::VerdictLabel")) {
    return new NotificationAccessible(widget);
  }
  if (className == QLatin1String("ui::TMainForm") || className == QLatin1String("ui::THelpForm")) {
    return new QAccessibleWidget(widget, QAccessible::Window);
  }
  return nullptr;
}

}  // namespace

void InstallAccessibleInterfaces() {
  QAccessible::installFactory(MakeAccessible);
}

void AnnounceVerdict(QWidget* verdict) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
  // An announcement is spoken as it stands, after what the reader is saying now.
  QAccessibleAnnouncementEvent announcement(verdict, verdict->accessibleName());
  QAccessible::updateAccessibility(&announcement);
#else
  // Before announcements existed, a notification that is shown again was the way.
  QAccessibleEvent shown(verdict, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
#endif
}

}  // namespace ui
