#pragma once
#include "document/ReferenceImage.h"
#include "trace/ImageTracer.h"

#include <QDialog>

class CTracePreview;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;

// "Trace Image": traces the reference image into filled polygons, with a
// live preview of the outlines over the picture. The polygons are in object
// units, placed where the reference image shows them.
class CTraceImageDialog : public QDialog {
    Q_OBJECT
public:
    explicit CTraceImageDialog(const CReferenceImage& ref, QWidget* parent = nullptr);

    // The outlines as the preview shows them now.
    const TraceResult& Result() const { return m_result; }
    TraceOptions Options() const;
    bool AddHoles() const;

private:
    void Retrace();

    CReferenceImage m_ref;
    TraceResult m_result;
    QComboBox* m_pChannel;
    QSpinBox* m_pThreshold;
    QCheckBox* m_pInvert;
    QDoubleSpinBox* m_pTolerance;
    QDoubleSpinBox* m_pMinArea;
    QLabel* m_pHoles;
    QCheckBox* m_pAddHoles;
    QLabel* m_pSummary;
    CTracePreview* m_pPreview;
    QPushButton* m_pOk;
};
