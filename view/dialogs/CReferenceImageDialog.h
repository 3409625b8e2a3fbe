#pragma once
#include "document/ReferenceImage.h"

#include <QDialog>
#include <functional>

class QDoubleSpinBox;
class QLabel;
class QSpinBox;

// "Reference Image": the picture under the object, its scale (units per
// pixel), where its middle lies relative to the center of mass, and its
// opacity. "Choose File..." picks another picture; "Remove" takes it away.
class CReferenceImageDialog : public QDialog {
    Q_OBJECT
public:
    // chooseFile asks for a picture's path (empty: cancelled); loadFailed
    // tells the user why a chosen picture cannot be used.
    CReferenceImageDialog(const CReferenceImage& ref, std::function<QString()> chooseFile,
                          std::function<void(const QString&)> loadFailed,
                          QWidget* parent = nullptr);

    // What OK or Remove leaves: the picture with the values entered, shown;
    // after Remove, no picture.
    const CReferenceImage& Result() const { return m_ref; }

public slots:
    void accept() override;

private:
    void ChooseFile();
    void ShowFileName();

    CReferenceImage m_ref;
    std::function<QString()> m_chooseFile;
    std::function<void(const QString&)> m_loadFailed;
    QLabel* m_pFile;
    QDoubleSpinBox* m_pScale;
    QDoubleSpinBox* m_pOffsetX;
    QDoubleSpinBox* m_pOffsetY;
    QSpinBox* m_pOpacity;
};
