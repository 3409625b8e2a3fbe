#include "app/CShellPrompts.h"

#include <QFileDialog>
#include <QLocale>

namespace {
const QString kFilter = QStringLiteral("Object Files (*.vrk);;All Files (*)");
} // namespace

CShellPrompts CShellPrompts::Interactive() {
    CShellPrompts prompts;
    prompts.message = [](QWidget* parent, QMessageBox::Icon icon, const QString& text,
                         QMessageBox::StandardButtons buttons) {
        QMessageBox box(icon, QStringLiteral("Morvet"), text, buttons, parent);
        return QMessageBox::StandardButton(box.exec());
    };
    prompts.openFileName = [](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), QString(), kFilter);
    };
    prompts.saveFileName = [](QWidget* parent, const QString& proposed) {
        QFileDialog dialog(parent, QStringLiteral("Save As"), proposed, kFilter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("vrk"));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().front();
    };
    prompts.exportTarget = ChooseExportTarget;
    prompts.imageFileName = [](QWidget* parent) {
        return QFileDialog::getOpenFileName(
            parent, QStringLiteral("Reference Image"), QString(),
            QStringLiteral("Pictures (*.png *.jpg *.jpeg *.bmp *.svg *.svgz);;All Files (*)"));
    };
    return prompts;
}
