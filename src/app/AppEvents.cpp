#include "app/AppEvents.h"

#include <QCoreApplication>
#include <QPointer>
#include <map>
#include <mutex>

#include "platform/PostedMessage.h"

QEvent::Type CAppEvents::TypeOf(const std::string& name) {
    static std::mutex mutex;
    static std::map<std::string, QEvent::Type> types;
    std::lock_guard lock(mutex);
    auto it = types.find(name);
    if (it == types.end()) {
        it = types.emplace(name, static_cast<QEvent::Type>(QEvent::registerEventType())).first;
    }
    return it->second;
}

QEvent::Type CAppEvents::TxLedEvent() {
    return TypeOf(msg::kUpdateTxLed);
}

QEvent::Type CAppEvents::RxLedEvent() {
    return TypeOf(msg::kUpdateRxLed);
}

void CAppEvents::RouteMessagesTo(QObject* target) {
    QPointer<QObject> guarded(target);
    SetMessagePoster([guarded](const std::string& name, long wParam, long lParam) {
        if (QObject* object = guarded.data()) {
            QCoreApplication::postEvent(object,
                                        new CPostedMessageEvent(TypeOf(name), wParam, lParam));
        }
    });
}
