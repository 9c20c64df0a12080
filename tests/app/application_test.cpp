#include "app/application.h"

#include <QEvent>
#include <QIcon>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

class ThrowingObject : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User)
            throw std::runtime_error("Unable to write to /tmp/x/vnTolmere.ini");
        return QObject::event(event);
    }
};

class ErrorBoxSpy : public testing::Test {
protected:
    ErrorBoxSpy() {
        TApplication::SetErrorBox([this](const QString& message) { messages_.append(message); });
    }
    ~ErrorBoxSpy() override { TApplication::SetErrorBox({}); }

    QStringList messages_;
};

} // namespace

TEST_F(ErrorBoxSpy, AnErrorEscapingAHandlerIsShownOnceWithAFullStopAndTheLoopGoesOn) {
    ThrowingObject object;
    QEvent failing(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&object, &failing));
    EXPECT_EQ(messages_, QStringList{QStringLiteral("Unable to write to /tmp/x/vnTolmere.ini.")});

    // Events after the error are delivered as usual.
    QEvent ordinary(QEvent::Type(QEvent::User + 1));
    QCoreApplication::sendEvent(&object, &ordinary);
    EXPECT_EQ(messages_.size(), 1);
}

TEST(TApplication, CarriesTheIconAtEveryDesktopSize) {
    const QIcon icon = QApplication::windowIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (int size : {16, 32, 48, 64, 128, 256}) {
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
        // Each size is the picture drawn for it, not a scaled copy of another.
        const QImage drawn = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage file =
            QImage(QStringLiteral(":/icons/icon-%1.png").arg(size)).convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(drawn, file) << size;
    }
    // A size between two files is drawn from the larger one.
    EXPECT_EQ(icon.pixmap(40).size(), QSize(40, 40));
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("example.orvane.Varnok"));
}

TEST(TApplication, RecordsThePortraitOrientations) {
    EXPECT_EQ(qApp->property("allowedOrientations").toInt(),
              (Qt::PortraitOrientation | Qt::InvertedPortraitOrientation).toInt());
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
