#pragma once
// A real main window for a test: a fixed clock (Friday 22 September 2023), English (United States)
// names and formats, and a settings folder of its own under a temporary directory.

#include "schedule/date_serial.h"
#include "window/main_form.h"

#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>

// Readable failure messages for QString comparisons.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

class WindowTest : public testing::Test {
protected:
    void SetUp() override { OpenWindow(); }

    void OpenWindow() {
        form.reset();
        form = std::make_unique<TMainForm>(clock, ConfigBase(),
                                           QLocale(QLocale::English, QLocale::UnitedStates));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    // Closes the window, writes `contents` as the settings file and opens the window again.
    void ReopenWith(const std::string& contents) {
        form.reset();
        std::filesystem::create_directories(SettingsFile().parent_path());
        std::ofstream(SettingsFile(), std::ios::binary) << contents;
        OpenWindow();
    }

    std::filesystem::path ConfigBase() const { return std::filesystem::path(config.path().toStdString()); }
    std::filesystem::path SettingsFile() const {
        return ConfigBase() / "Orvane" / "Varnok" / "vnTolmere.ini";
    }

    std::string SettingsText() const {
        std::ifstream in(SettingsFile(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    template <class Control = QWidget> Control* Find(const QString& name) const {
        return form->findChild<Control*>(name);
    }

    // A left click at `point` of `widget`, delivered through the window as a user's click would be.
    void ClickAt(QWidget* widget, QPoint point) const {
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, widget->mapTo(form.get(), point));
    }

    QTemporaryDir config;
    FixedTodayClock clock{DateSerial(2023, 9, 22)};
    std::unique_ptr<TMainForm> form;
};
