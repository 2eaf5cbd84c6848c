#pragma once

#include <QObject>
#include <QUrl>

namespace ui {

// Opens one web address in the user's default browser.
class BrowseUrlAction : public QObject {
  Q_OBJECT

 public:
  BrowseUrlAction(const QString& name, QUrl url, QObject* owner);

  bool Enabled() const { return !url_.isEmpty(); }
  // Hands the address to the desktop once and answers whether it took it; does nothing when
  // there is no address.
  bool Execute() const;

 private:
  QUrl url_;
};

}  // namespace ui
