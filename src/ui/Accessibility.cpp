#include "ui/Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
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

QAccessibleInterface* MakeAccessible(const QString& className, QObject* object) {
  if (!object->isWidgetType()) {
    return nullptr;
  }
  auto* widget = static_cast<QWidget*>(object);
  if (className == QLatin1String("ui::ClickableLabel")) {
    return new LinkAccessible(static_cast<ClickableLabel*>(widget));
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
  QAccessibleEvent shown(verdict, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
}

}  // namespace ui
