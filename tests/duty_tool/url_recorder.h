#pragma once
// Receives the addresses QDesktopServices::openUrl hands to a registered handler, so no program is
// ever launched by a test.

#include <QObject>
#include <QUrl>
#include <QList>

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> Opened;

public slots:
    void Open(const QUrl& url) { Opened.append(url); }
};
