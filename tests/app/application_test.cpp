#include "app/application.h"

#include <QEvent>
#include <QIcon>
#include <QImage>
#include <QPixmap>
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
    // The window system is offered the title-bar and task-bar sizes; larger ones come from the
    // installed icon theme, and asked for by size they are still drawn from their own files.
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}, {64, 64}}));
    const auto fileAt = [](int size) { return QPixmap(QStringLiteral(":/icons/icon-%1.png").arg(size)); };
    for (int size : {16, 32, 48, 64, 128, 256}) {
        // Each size is the picture drawn for it, not a scaled copy of another. Both sides are decoded
        // into a pixmap: converting back to straight alpha rounds differently from one processor to
        // the next where alpha is partial, so only pixmaps are compared, exactly.
        const QImage drawn = icon.pixmap(size).toImage();
        const QImage file = fileAt(size).toImage();
        ASSERT_EQ(drawn.size(), QSize(size, size));
        EXPECT_EQ(drawn.format(), file.format()) << size;
        EXPECT_TRUE(drawn == file) << size;
    }
    // A size between two files is drawn from the larger one.
    const QImage between = icon.pixmap(40).toImage();
    EXPECT_EQ(between.size(), QSize(40, 40));
    const auto scaledTo40 = [&](int size) {
        return fileAt(size).scaled(40, 40, Qt::KeepAspectRatio, Qt::SmoothTransformation).toImage();
    };
    EXPECT_TRUE(between == scaledTo40(48));
    EXPECT_FALSE(between == scaledTo40(32));
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
