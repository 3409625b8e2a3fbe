#pragma once
#include <QApplication>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

// Runs check on the modal dialog of type T once it is open (check closes it);
// fails the test if no such dialog opens within a few seconds.
template <typename T> void WhenModalOpens(std::function<void(T*)> check) {
    auto* poll = new QTimer;
    int tries = 0;
    QObject::connect(poll, &QTimer::timeout, [=]() mutable {
        if (T* dlg = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            check(dlg);
        } else if (++tries > 200) {
            poll->stop();
            poll->deleteLater();
            ADD_FAILURE() << "no " << T::staticMetaObject.className() << " opened";
        }
    });
    poll->start(20);
}
