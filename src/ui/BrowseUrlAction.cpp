#include "ui/BrowseUrlAction.h"

#include <QDesktopServices>
#include <utility>

namespace ui {

BrowseUrlAction::BrowseUrlAction(const QString& name, QUrl url, QObject* owner)
    : QObject(owner), url_(std::move(url)) {
  setObjectName(name);
}

bool BrowseUrlAction::Execute() const {
  return Enabled() && QDesktopServices::openUrl(url_);
}

}  // namespace ui
