#pragma once
#include "platform/CPoint.h"

#include <QDialog>
#include <QString>
#include <cstdint>
#include <vector>

class QPushButton;
class QTableWidget;

// "Element Coordinates": the coordinates of one element, relative to the
// center of mass, to read and type exactly. A polyline or polygon shows a
// table of its points, with buttons to insert a point after the current one
// and to delete the current one; a circle shows its centre and its radius.
// The caller fills m_points before DoModal and reads them after OK.
class CCoordinatesDialog : public QDialog {
    Q_OBJECT
public:
    // elementType: PRIM_POLYLINE, PRIM_POLYGON, PRIM_CIRCLE or PRIM_FILLED_CIRCLE.
    explicit CCoordinatesDialog(int32_t elementType, QWidget* parent = nullptr);

    int DoModal();
    bool UpdateData(bool bSaveAndValidate = true);

    // A polyline's or polygon's points; for a circle its centre and the point
    // whose x is the radius (any further points are kept as they are).
    std::vector<POINT> m_points;
    // Whether points were inserted or deleted: the element then needs a new
    // point array.
    bool m_bPointsAddedOrRemoved = false;
    // How many points the element had when the dialog opened.
    int m_nInitialCount = 0;

public slots:
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool IsCircle() const;
    void InsertPoint();
    void DeletePoint();
    void UpdateButtons();
    // The name of a value in a refusal: "Point 3, y", "Radius".
    QString FieldName(int row, int column) const;
    bool ReadValue(int row, int column, int64_t minVal, int32_t* value);
    void Refuse(const QString& text, int row, int column);

    int32_t m_nType;
    QTableWidget* m_pTable;
    QPushButton* m_pOk;
    QPushButton* m_pCancel;
    QPushButton* m_pInsert;
    QPushButton* m_pDelete;
};
