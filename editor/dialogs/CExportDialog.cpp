#include "dialogs/CExportDialog.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>

namespace {

const ExportFormat kFormats[] = {ExportFormat::Box2D, ExportFormat::Godot, ExportFormat::Phaser,
                                 ExportFormat::Love};

QString Filter(ExportFormat format) {
    switch (format) {
    case ExportFormat::Godot:
        return QStringLiteral("Godot 4 scene (*.tscn)");
    case ExportFormat::Phaser:
        return QStringLiteral("Phaser 3 / Matter JSON (*.json)");
    case ExportFormat::Love:
        return QStringLiteral("L\u00D6VE Lua module (*.lua)");
    case ExportFormat::Box2D:
        break;
    }
    return QStringLiteral("Box2D JSON (*.json)");
}

} // namespace

QString CExportDialog::Suffix(ExportFormat format) {
    return format == ExportFormat::Godot  ? QStringLiteral("tscn")
           : format == ExportFormat::Love ? QStringLiteral("lua")
                                          : QStringLiteral("json");
}

CExportDialog::CExportDialog(QWidget* parent, const CExportTarget& proposed, double unitsPerMetre)
    : QFileDialog(parent,
                  QStringLiteral("Export at %1 units per metre")
                      .arg(QLocale().toString(unitsPerMetre, 'f', 1)),
                  proposed.path) {
    QStringList filters;
    for (ExportFormat f : kFormats)
        filters << Filter(f);
    // The pixels per unit sit in the dialog's own layout, which only Qt's
    // dialog has.
    setOption(QFileDialog::DontUseNativeDialog);
    setNameFilters(filters);
    setAcceptMode(QFileDialog::AcceptSave);
    m_pixelsLabel = new QLabel(QStringLiteral("&Pixels per unit:"), this);
    m_pixels = new QDoubleSpinBox(this);
    m_pixels->setObjectName(QStringLiteral("pixelsPerUnit"));
    m_pixels->setRange(kMinPixelsPerUnit, kMaxPixelsPerUnit);
    m_pixels->setDecimals(2);
    m_pixels->setValue(proposed.pixelsPerUnit);
    m_pixelsLabel->setBuddy(m_pixels);
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        const int row = grid->rowCount();
        grid->addWidget(m_pixelsLabel, row, 0);
        grid->addWidget(m_pixels, row, 1);
    }
    connect(this, &QFileDialog::filterSelected, this, &CExportDialog::ShowPixelsFor);
    SelectFormat(proposed.format);
}

void CExportDialog::SelectFormat(ExportFormat format) {
    selectNameFilter(Filter(format));
    ShowPixelsFor(Filter(format));
}

void CExportDialog::ShowPixelsFor(const QString& filter) {
    for (ExportFormat f : kFormats)
        if (Filter(f) == filter) {
            m_pixelsLabel->setVisible(UsesPixels(f));
            m_pixels->setVisible(UsesPixels(f));
            setDefaultSuffix(Suffix(f));
        }
}

CExportTarget CExportDialog::Target() const {
    CExportTarget target;
    for (ExportFormat f : kFormats)
        if (Filter(f) == selectedNameFilter())
            target.format = f;
    target.pixelsPerUnit = m_pixels->value();
    if (!selectedFiles().isEmpty())
        target.path = selectedFiles().front();
    return target;
}

CExportTarget ChooseExportTarget(QWidget* parent, const CExportTarget& proposed,
                                 double unitsPerMetre) {
    CExportDialog dialog(parent, proposed, unitsPerMetre);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.Target();
}
