#include "app/CAboutBox.h"

#include "dialogs/CDialogUnits.h"
#include "res/AppIcon.h"

#include <QLabel>
#include <QPushButton>

namespace {

QLabel* addText(QWidget* parent, const QString& text, QRect rect) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(rect);
    return label;
}

} // namespace

CAboutBox::CAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Morvet"));
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    const CDialogUnits du(font());
    setFixedSize(du.X(199), du.Y(106));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    icon->setPixmap(AppIcon().pixmap(32, 32));
    icon->setGeometry(du.Rect(7, 14, 21, 20));
    icon->setMinimumSize(32, 32);

    addText(this, QStringLiteral("Morvet Version 1.0"), du.Rect(35, 13, 119, 8));
    addText(this, QStringLiteral("Copyright (C) 2026 Quennit"), du.Rect(35, 23, 119, 8));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(du.Rect(160, 7, 32, 14));
    ok->setDefault(true);
    ok->setAutoDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    addText(this, QStringLiteral("https://quennit.example/morvet"), du.Rect(35, 84, 129, 8));
    QLabel* purpose = addText(
        this,
        QStringLiteral("Morvet is the first phase of a larger project. It designs the objects "
                       "with which the simulator of the second phase is populated."),
        du.Rect(35, 41, 133, 35));
    purpose->setWordWrap(true);
    purpose->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    ok->setFocus();
}
