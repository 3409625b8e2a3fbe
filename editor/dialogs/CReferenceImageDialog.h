#pragma once
#include "document/ReferenceImage.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

// "Reference Image": the picture under the object, its scale (units per
// pixel), where its middle lies relative to the center of mass, its opacity
// and its backdrop. "Choose File..." picks another picture; "Remove" takes it
// away.
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

    // Shown at once, and again after every change of a value or the
    // picture, so the window can show what OK would give while the dialog is
    // open.
    void PreviewWith(std::function<void(const CReferenceImage&)> show);

public slots:
    void accept() override;

private:
    void ChooseFile();
    void ShowFileName();
    // The picture with the values entered, shown.
    CReferenceImage Entered() const;
    void Preview();

    CReferenceImage m_ref;
    std::function<QString()> m_chooseFile;
    std::function<void(const QString&)> m_loadFailed;
    std::function<void(const CReferenceImage&)> m_preview;
    QLabel* m_pFile;
    QDoubleSpinBox* m_pScale;
    QDoubleSpinBox* m_pOffsetX;
    QDoubleSpinBox* m_pOffsetY;
    QSpinBox* m_pOpacity;
    QCheckBox* m_pBackdrop;
};
