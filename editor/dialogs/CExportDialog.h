#pragma once
// File > Export's save dialog: one file-type filter per engine format, and the
// pixels per unit beside them for the formats whose unit is the pixel.
#include "physics/EngineExport.h"

#include <QFileDialog>

class QDoubleSpinBox;
class QLabel;

// Where, in which format and at how many pixels per unit to export.
struct CExportTarget {
    QString path; // empty when the user cancels
    ExportFormat format = ExportFormat::Box2D;
    double pixelsPerUnit = 1;
};

class CExportDialog : public QFileDialog {
    Q_OBJECT
public:
    // proposed: the name to start from, the format whose filter is selected
    // and the pixels per unit shown.
    CExportDialog(QWidget* parent, const CExportTarget& proposed, double unitsPerMetre);

    // What the dialog holds now (its path once accepted).
    CExportTarget Target() const;
    void SelectFormat(ExportFormat format);

    static QString Suffix(ExportFormat format);

private:
    void ShowPixelsFor(const QString& filter);

    QLabel* m_pixelsLabel;
    QDoubleSpinBox* m_pixels;
};

// Runs the dialog; an empty path when cancelled.
CExportTarget ChooseExportTarget(QWidget* parent, const CExportTarget& proposed,
                                 double unitsPerMetre);
