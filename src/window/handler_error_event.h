#pragma once
// THandlerErrorEvent: an error that escaped a handler bound to a control's signal. The window catches
// it where the handler returns and sends it to the application object as this event, so it never
// unwinds through Qt's signal and event code, which the platform's Qt is built without exception
// cleanups for (an unwinding click leaks its event's data and leaves guards behind).

#include <QEvent>
#include <exception>

class THandlerErrorEvent : public QEvent {
public:
    explicit THandlerErrorEvent(std::exception_ptr error) : QEvent(EventType()), error_(std::move(error)) {}

    static QEvent::Type EventType() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
    const std::exception_ptr& Error() const { return error_; }

private:
    std::exception_ptr error_;
};
