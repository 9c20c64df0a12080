#pragma once
// TApplication: the application object. An error that escapes a handler is shown in an error box, its
// message followed by a full stop, and the program goes on: handlers bound to signals hand their
// errors over as an event; an error escaping any other event handler is caught in notify().

#include <QApplication>
#include <exception>
#include <functional>

class TApplication : public QApplication {
public:
    // Qt sees only the program name: the program reads no command line.
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
    // Shows the errors that the window's handlers hand over.
    bool event(QEvent* event) override;

    // Shows `error` the way an escaped error is shown.
    static void ShowError(const std::exception& error);

    // The box that shows an error message. Tests replace it so that nothing blocks on a modal box;
    // an empty function restores the default message box.
    using ErrorBox = std::function<void(const QString& message)>;
    static void SetErrorBox(ErrorBox box);

private:
    static int& QtArgumentCount(int& argc);
};
