#pragma once
#include "dialogs/CExportDialog.h"

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

// The questions and messages the shell puts to the user. Tests replace them
// so that nothing blocks waiting for a click.
struct CShellPrompts {
    // Returns the button chosen.
    std::function<QMessageBox::StandardButton(QWidget* parent, QMessageBox::Icon icon,
                                              const QString& text,
                                              QMessageBox::StandardButtons buttons)>
        message;
    // The file to open, or empty when the user cancels.
    std::function<QString(QWidget* parent)> openFileName;
    // The file to save to, starting from a proposed name; empty on cancel.
    std::function<QString(QWidget* parent, const QString& proposed)> saveFileName;
    // The file, format and pixels per unit to export with, starting from the
    // proposed ones and telling the scale it is written at; an empty path on
    // cancel.
    std::function<CExportTarget(QWidget* parent, const CExportTarget& proposed,
                                double unitsPerMetre)>
        exportTarget;
    // The picture to show under the object, or empty when the user cancels.
    std::function<QString(QWidget* parent)> imageFileName;

    // Message boxes and file dialogs for a person at the screen.
    static CShellPrompts Interactive();
};
