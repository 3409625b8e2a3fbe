#pragma once
// Drives modal dialogs from inside their own event loop, as a user would: the
// callback runs once a visible modal widget of the wanted type is on top.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

template <typename T> void WhenModal(std::function<void(T*)> drive) {
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    timer->setInterval(2);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, drive] {
        auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
        const bool expired = clock->elapsed() > 5000;
        if ((!w || !w->isVisible()) && !expired)
            return;
        timer->stop();
        timer->deleteLater();
        delete clock;
        if (!w) {
            ADD_FAILURE() << "no modal " << T::staticMetaObject.className() << " appeared";
            return;
        }
        drive(w);
    });
    timer->start();
}

// Replaces the text of a field by selecting all of it and typing.
inline void TypeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, text);
}

inline void Click(QWidget* parent, const char* name) {
    auto* button = parent->findChild<QPushButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

// Presses OK on a dialog that is expected to refuse a value; returns the text
// of the message box that says why (empty if none came) after closing it.
inline QString PressOkExpectingRefusal(QWidget* dialog) {
    auto text = std::make_shared<QString>();
    WhenModal<QMessageBox>([text](QMessageBox* box) {
        *text = box->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    Click(dialog, "okButton");
    return *text;
}
