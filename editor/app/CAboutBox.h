#pragma once
#include <QDialog>

// Help > About: the program's name and version, a notice, where to find out
// more, and what the program is for. Modal; OK ends it.
class CAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit CAboutBox(QWidget* parent = nullptr);
};
