#include "app/CMenuPromptStyle.h"

#include <QApplication>
#include <QPointer>

CMenuPromptStyle::CMenuPromptStyle(const QString& baseStyleName) : QProxyStyle(baseStyleName) {}

CMenuPromptStyle* CMenuPromptStyle::Instance() {
    static QPointer<CMenuPromptStyle> s_style;
    if (!s_style) {
        s_style = new CMenuPromptStyle(QApplication::style()->name());
        s_style->setParent(qApp);
    }
    return s_style;
}

int CMenuPromptStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                QStyleHintReturn* returnData) const {
    if (hint == SH_Menu_AllowActiveAndDisabled)
        return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
