#pragma once
#include <QProxyStyle>

// The menus' style: the application's own, except that a greyed item can be
// highlighted, so that its prompt shows in the status bar as an enabled
// item's does.
class CMenuPromptStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit CMenuPromptStyle(const QString& baseStyleName);

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};
