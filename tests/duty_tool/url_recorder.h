#pragma once
// Receives the addresses QDesktopServices::openUrl hands to a registered handler, so no program is
// ever launched by a test.

#include <QList>
#include <QObject>
#include <QUrl>

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> Opened;

public slots:
    void Open(const QUrl& url) { Opened.append(url); }
};
