// The About texts are built from the build options: the test target is given the same option values
// as the code under test, as VARNOK_EXPECTED_*, so any mailbox and host a build chooses must pass.

#include "window/about_text.h"

#include <QRegularExpression>
#include <QString>
#include <QUrl>
#include <QUrlQuery>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#if !defined(VARNOK_EXPECTED_SUPPORT_MAILBOX) || !defined(VARNOK_EXPECTED_WEB_HOST) ||                       \
    !defined(VARNOK_EXPECTED_VERSION)
#error "the build passes the option values under test as VARNOK_EXPECTED_*"
#endif

namespace {

const std::string Mailbox = VARNOK_EXPECTED_SUPPORT_MAILBOX;
const std::string WebHost = VARNOK_EXPECTED_WEB_HOST;

// The lines of `text`, each of which must end with a carriage return.
std::vector<std::string> LinesEndedByCarriageReturns(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find('\r'); end != std::string::npos; end = text.find('\r', start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    EXPECT_EQ(start, text.size()) << "text after the last carriage return";
    return lines;
}

} // namespace

TEST(AboutText, SixLinesEachEndedByACarriageReturnWithTheHostLast) {
    const std::string text = AboutText();
    EXPECT_EQ(text.find('\n'), std::string::npos);
    const std::vector<std::string> lines = LinesEndedByCarriageReturns(text);
    ASSERT_EQ(lines.size(), 6u) << text;
    EXPECT_EQ(lines[0], std::string("Varnok for Tolmere Fire v") + VARNOK_EXPECTED_VERSION);
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2].rfind("Copyright \u00A9 ", 0), 0u) << lines[2];
    EXPECT_FALSE(lines[3].empty());
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], WebHost);
}

TEST(AboutText, PlatformLineNamesTheSystemAndTheWordSizeOfThisBuild) {
    const QString text = QString::fromStdString(PlatformText());
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^(\\S+) (\\d+)-bit version$")).match(text);
    ASSERT_TRUE(match.hasMatch()) << text.toStdString();
    EXPECT_EQ(match.captured(2).toInt(), static_cast<int>(sizeof(void*) * 8));
#if defined(_WIN32)
    EXPECT_EQ(match.captured(1), QStringLiteral("Windows"));
#elif defined(__linux__)
    EXPECT_EQ(match.captured(1), QStringLiteral("Linux"));
#endif
}

TEST(AboutText, SupportRequestWritesToTheConfiguredMailbox) {
    const std::string address = SupportRequestAddress();
    EXPECT_EQ(address, "mailto:" + Mailbox + "?subject=Support%20Request%20(Tolmere)");
    const QUrl url(QString::fromStdString(address), QUrl::StrictMode);
    ASSERT_TRUE(url.isValid()) << address;
    EXPECT_EQ(url.scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(url.path(), QString::fromStdString(Mailbox));
    EXPECT_EQ(QUrlQuery(url).queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
              QStringLiteral("Support Request (Tolmere)"));
}

TEST(AboutText, WebPageIsThePlainHttpPageOnTheConfiguredHost) {
    const std::string address = WebPageAddress();
    EXPECT_EQ(address, "http://" + WebHost + "/tolmere/index.html");
    const QUrl url(QString::fromStdString(address), QUrl::StrictMode);
    ASSERT_TRUE(url.isValid()) << address;
    EXPECT_EQ(url.scheme(), QStringLiteral("http"));
    // Host names compare without regard to case; QUrl keeps them in lower case.
    EXPECT_EQ(url.host().compare(QString::fromStdString(WebHost), Qt::CaseInsensitive), 0) << address;
    EXPECT_EQ(url.path(), QStringLiteral("/tolmere/index.html"));
    EXPECT_FALSE(url.hasQuery());
}
