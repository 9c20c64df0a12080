#include "application.h"

#include "program_icon.h"
#include "window/handler_error_event.h"

#include <QMessageBox>

namespace {

TApplication::ErrorBox& CurrentErrorBox() {
    static TApplication::ErrorBox box;
    return box;
}

// The window is designed for portrait screens: upright or upside down, never landscape. Desktop Qt
// has no switch for it, so the set is recorded on the application for any platform that honours it.
constexpr Qt::ScreenOrientations AllowedOrientations =
    Qt::PortraitOrientation | Qt::InvertedPortraitOrientation;
static_assert(AllowedOrientations.toInt() == 5);

} // namespace

int& TApplication::QtArgumentCount(int& argc) {
    if (argc > 1)
        argc = 1;
    return argc;
}

TApplication::TApplication(int& argc, char** argv) : QApplication(QtArgumentCount(argc), argv) {
    setProperty("allowedOrientations", AllowedOrientations.toInt());
    // Desktops match the window to its menu entry and icon by the desktop file's name.
    setDesktopFileName(QStringLiteral("example.orvane.Varnok"));
    setWindowIcon(ProgramIcon());
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    // Exceptions must not unwind through Qt's event dispatch: show them here and go on.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowError(error);
    }
    return false;
}

bool TApplication::event(QEvent* event) {
    if (event->type() != THandlerErrorEvent::EventType())
        return QApplication::event(event);
    try {
        std::rethrow_exception(static_cast<THandlerErrorEvent*>(event)->Error());
    } catch (const std::exception& error) {
        ShowError(error);
    }
    return true;
}

void TApplication::ShowError(const std::exception& error) {
    const QString message = QString::fromUtf8(error.what()) + QLatin1Char('.');
    if (CurrentErrorBox()) {
        CurrentErrorBox()(message);
        return;
    }
    QMessageBox::critical(activeWindow(), QStringLiteral("Varnok® for Tolmere"), message);
}

void TApplication::SetErrorBox(ErrorBox box) {
    CurrentErrorBox() = std::move(box);
}
