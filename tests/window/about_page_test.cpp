// The about page: its seven lines and the two requests its buttons hand to the desktop, captured
// through the URL handlers of QDesktopServices.

#include "window/about_text.h"
#include "window/main_form.h"
#include "window_fixture.h"

#include <QDesktopServices>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>
#include <gtest/gtest.h>

namespace {

// Records every address the desktop is asked to open.
class RequestRecorder : public QObject {
    Q_OBJECT

public:
    QList<QUrl> Requests;

public slots:
    void Open(const QUrl& url) { Requests.append(url); }
};

class AboutPageTest : public WindowTest {
protected:
    void SetUp() override {
        for (const char* scheme : {"mailto", "http", "https"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), &recorder, "Open");
        WindowTest::SetUp();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        form->tabCtrl->SetCurrentIndex(3);
    }
    void TearDown() override {
        for (const char* scheme : {"mailto", "http", "https"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }

    void Click(QWidget* widget) const { ClickAt(widget, widget->rect().center()); }

    RequestRecorder recorder;
};

} // namespace

TEST_F(AboutPageTest, LabelShowsSevenLinesEndingWithThePlatform) {
    const QStringList lines = form->lblAbout->Text().split(QLatin1Char('\r'));
    ASSERT_EQ(lines.size(), 7) << form->lblAbout->Text().toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("Varnok for Tolmere Fire v4.0.1"));
    EXPECT_EQ(lines[1], QString());
    EXPECT_EQ(lines[6], QString::fromStdString(PlatformText()));
    EXPECT_FALSE(lines[6].isEmpty());
    EXPECT_FALSE(form->lblAbout->Text().contains(QLatin1Char('\n')));

    // The same text whatever the settings.
    const QString text = form->lblAbout->Text();
    ReopenWith("[Config]\nAgency=Harbor Fire\nWorkAssign=Group 4\n[Colors]\nBkGr=Black\n");
    EXPECT_EQ(form->lblAbout->Text(), text);
}

TEST_F(AboutPageTest, TechSupportHandsANewMailRequestOnEveryClick) {
    const TDateTime before = form->State().CurrentDate;
    for (int click = 0; click < 3; ++click)
        Click(form->sbEmail);
    ASSERT_EQ(recorder.Requests.size(), 3);
    for (const QUrl& request : recorder.Requests) {
        EXPECT_EQ(request, QUrl(QString::fromStdString(SupportRequestAddress())));
        EXPECT_EQ(request.scheme(), QStringLiteral("mailto"));
        EXPECT_FALSE(request.path().isEmpty()) << "the support mailbox";
        EXPECT_EQ(QUrlQuery(request).queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
                  QStringLiteral("Support Request (Tolmere)"));
    }
    EXPECT_EQ(form->tabCtrl->CurrentIndex(), 3);
    EXPECT_EQ(form->State().CurrentDate, before);
}

TEST_F(AboutPageTest, WebPageHandsTheProductPageOverPlainHttp) {
    Click(form->sbTolmere);
    ASSERT_EQ(recorder.Requests.size(), 1);
    const QUrl request = recorder.Requests.front();
    EXPECT_EQ(request.scheme(), QStringLiteral("http"));
    EXPECT_FALSE(request.host().isEmpty());
    EXPECT_EQ(request.path(), QStringLiteral("/tolmere/index.html"));
    EXPECT_EQ(request, QUrl(QString::fromStdString(WebPageAddress())));
    EXPECT_EQ(form->tabCtrl->CurrentIndex(), 3);
}

#include "about_page_test.moc"
