#pragma once
#include <QProxyStyle>

// The menus' style: the application's own, except that a greyed item can be
// highlighted, so that its prompt shows in the status bar as an enabled
// item's does.
class CMenuPromptStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit CMenuPromptStyle(const QString& baseStyleName);

    // One for the whole run, over the application's style. It belongs to the
    // application, so it outlives every menu that uses it.
    static CMenuPromptStyle* Instance();

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};
