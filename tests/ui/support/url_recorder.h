#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

// Stands in for the desktop's URL handler in tests (QDesktopServices::setUrlHandler with the
// slot "Open") and keeps every address handed to it.
class UrlRecorder : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> opened;

 public slots:
  void Open(const QUrl& url) { opened.append(url); }
};
