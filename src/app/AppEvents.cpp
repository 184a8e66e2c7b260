#include "app/AppEvents.h"

#include <QCoreApplication>
#include <QPointer>

#include "comm/OnlineEvent.h"
#include "platform/PostedMessage.h"

QEvent::Type CAppEvents::TypeOf(const std::string& name) {
    return COnlineEvent::TypeOf(name);
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
