#include "dialogs/CCoordinatesDialog.h"

#include "dialogs/CDataExchange.h"
#include "object/CPrimitive.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <limits>

namespace {
constexpr int64_t kMinCoordinate = std::numeric_limits<int32_t>::min();
constexpr int64_t kMaxCoordinate = std::numeric_limits<int32_t>::max();
constexpr int kCircleColumns = 3; // centre x, centre y, radius

// A whole number as the user's locale or plain C writes it, blanks around it
// allowed; no fractions, exponents or group separators.
bool ParseWholeNumber(const QString& text, int64_t* value) {
    const QString trimmed = text.trimmed();
    for (QLocale locale : {QLocale(), QLocale::c()}) {
        locale.setNumberOptions(QLocale::RejectGroupSeparator);
        bool ok = false;
        const qlonglong v = locale.toLongLong(trimmed, &ok);
        if (ok) {
            *value = v;
            return true;
        }
    }
    return false;
}

QTableWidgetItem* ValueItem(int64_t value) {
    auto* item = new QTableWidgetItem(QString::number(value));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}
} // namespace

CCoordinatesDialog::CCoordinatesDialog(int32_t elementType, QWidget* parent)
    : QDialog(parent), m_nType(elementType) {
    setWindowTitle(tr("Element Coordinates"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    m_pTable = new QTableWidget(this);
    m_pTable->setObjectName("coordinates");
    m_pTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pTable->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
    m_pTable->setTabKeyNavigation(true);
    if (IsCircle()) {
        m_pTable->setColumnCount(kCircleColumns);
        m_pTable->setHorizontalHeaderLabels({tr("Centre x"), tr("Centre y"), tr("Radius")});
        m_pTable->verticalHeader()->hide();
    } else {
        m_pTable->setColumnCount(2);
        m_pTable->setHorizontalHeaderLabels({tr("x"), tr("y")});
    }
    m_pTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    m_pOk = new QPushButton(tr("OK"), this);
    m_pOk->setObjectName("okButton");
    m_pOk->setDefault(true);
    m_pCancel = new QPushButton(tr("Cancel"), this);
    m_pCancel->setObjectName("cancelButton");
    m_pInsert = new QPushButton(tr("&Insert Point"), this);
    m_pInsert->setObjectName("insertButton");
    m_pInsert->setAutoDefault(false);
    m_pDelete = new QPushButton(tr("&Delete Point"), this);
    m_pDelete->setObjectName("deleteButton");
    m_pDelete->setAutoDefault(false);
    m_pInsert->setVisible(!IsCircle());
    m_pDelete->setVisible(!IsCircle());

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_pOk);
    buttons->addWidget(m_pCancel);
    buttons->addSpacing(fontMetrics().height());
    buttons->addWidget(m_pInsert);
    buttons->addWidget(m_pDelete);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_pTable, 1);
    layout->addLayout(buttons);
    if (IsCircle()) {
        // One row: the table is as high as its header and that row.
        m_pTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_pTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_pTable->setFixedHeight(m_pTable->horizontalHeader()->sizeHint().height() +
                                 m_pTable->verticalHeader()->defaultSectionSize() +
                                 2 * m_pTable->frameWidth());
        resize(fontMetrics().averageCharWidth() * 60, sizeHint().height());
    } else
        resize(fontMetrics().averageCharWidth() * 50, fontMetrics().height() * 22);

    setTabOrder(m_pTable, m_pOk);
    setTabOrder(m_pOk, m_pCancel);
    setTabOrder(m_pCancel, m_pInsert);
    setTabOrder(m_pInsert, m_pDelete);

    connect(m_pOk, &QPushButton::clicked, this, &CCoordinatesDialog::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &CCoordinatesDialog::reject);
    connect(m_pInsert, &QPushButton::clicked, this, &CCoordinatesDialog::InsertPoint);
    connect(m_pDelete, &QPushButton::clicked, this, &CCoordinatesDialog::DeletePoint);
}

bool CCoordinatesDialog::IsCircle() const {
    return m_nType != PRIM_POLYLINE && m_nType != PRIM_POLYGON;
}

int CCoordinatesDialog::DoModal() {
    UpdateData(false);
    return exec();
}

bool CCoordinatesDialog::UpdateData(bool bSaveAndValidate) {
    if (!bSaveAndValidate) {
        m_bPointsAddedOrRemoved = false;
        m_nInitialCount = int(m_points.size());
        m_pTable->clearContents();
        if (IsCircle()) {
            m_pTable->setRowCount(1);
            const POINT centre = m_points.empty() ? POINT{0, 0} : m_points[0];
            const int32_t radius = m_points.size() < 2 ? 0 : m_points[1].x;
            m_pTable->setItem(0, 0, ValueItem(centre.x));
            m_pTable->setItem(0, 1, ValueItem(centre.y));
            m_pTable->setItem(0, 2, ValueItem(radius));
        } else {
            m_pTable->setRowCount(int(m_points.size()));
            for (int row = 0; row < int(m_points.size()); ++row) {
                m_pTable->setItem(row, 0, ValueItem(m_points[size_t(row)].x));
                m_pTable->setItem(row, 1, ValueItem(m_points[size_t(row)].y));
            }
        }
        if (m_pTable->rowCount() > 0)
            m_pTable->setCurrentCell(0, 0);
        m_pTable->setFocus(Qt::OtherFocusReason);
        UpdateButtons();
        return true;
    }

    // Everything is checked before anything is stored: a refusal leaves the
    // members as they were.
    const int rows = m_pTable->rowCount();
    if (!IsCircle() && rows == 0) {
        const QString kind = m_nType == PRIM_POLYGON ? tr("polygon") : tr("polyline");
        if (CDataExchange::s_showMessage)
            CDataExchange::s_showMessage(this,
                                         tr("Points: a %1 needs at least one point.").arg(kind));
        m_pInsert->setFocus(Qt::OtherFocusReason);
        return false;
    }
    // Removing points may not leave too few for the kind; an element that
    // had too few already (a file or a tool can make one) keeps its right.
    const int least = m_nType == PRIM_POLYGON ? 3 : 2;
    if (!IsCircle() && rows < m_nInitialCount && rows < least && m_nInitialCount >= least) {
        const QString kind = m_nType == PRIM_POLYGON ? tr("polygon") : tr("polyline");
        if (CDataExchange::s_showMessage)
            CDataExchange::s_showMessage(
                this, tr("Points: a %1 needs at least %2 points; this one would have %3.")
                          .arg(kind)
                          .arg(least)
                          .arg(rows));
        m_pInsert->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (IsCircle()) {
        int32_t x = 0, y = 0, radius = 0;
        if (!ReadValue(0, 0, kMinCoordinate, &x) || !ReadValue(0, 1, kMinCoordinate, &y) ||
            !ReadValue(0, 2, 0, &radius))
            return false;
        if (m_points.size() < 2)
            m_points.resize(2, POINT{0, 0});
        m_points[0] = POINT{x, y};
        m_points[1].x = radius;
        return true;
    }
    std::vector<POINT> points(size_t(rows), POINT{0, 0});
    for (int row = 0; row < rows; ++row)
        if (!ReadValue(row, 0, kMinCoordinate, &points[size_t(row)].x) ||
            !ReadValue(row, 1, kMinCoordinate, &points[size_t(row)].y))
            return false;
    m_points = std::move(points);
    return true;
}

QString CCoordinatesDialog::FieldName(int row, int column) const {
    const QTableWidgetItem* header = m_pTable->horizontalHeaderItem(column);
    const QString name = header ? header->text() : QString();
    return IsCircle() ? name : tr("Point %1, %2").arg(row + 1).arg(name);
}

bool CCoordinatesDialog::ReadValue(int row, int column, int64_t minVal, int32_t* value) {
    const QTableWidgetItem* item = m_pTable->item(row, column);
    int64_t v = 0;
    if (!item || !ParseWholeNumber(item->text(), &v) || v < minVal || v > kMaxCoordinate) {
        Refuse(tr("%1: Please enter an integer between %2 and %3.")
                   .arg(FieldName(row, column))
                   .arg(minVal)
                   .arg(kMaxCoordinate),
               row, column);
        return false;
    }
    *value = int32_t(v);
    return true;
}

void CCoordinatesDialog::Refuse(const QString& text, int row, int column) {
    if (CDataExchange::s_showMessage)
        CDataExchange::s_showMessage(this, text);
    m_pTable->setCurrentCell(row, column);
    m_pTable->setFocus(Qt::OtherFocusReason);
}

void CCoordinatesDialog::accept() {
    if (UpdateData(true))
        QDialog::accept();
}

void CCoordinatesDialog::keyPressEvent(QKeyEvent* event) {
    // Enter ends the editing of a value and keeps the dialog open; only when
    // no value is being edited does it press OK.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // The editor of a value is a child of the table's viewport.
    const QWidget* focus = focusWidget();
    if (enter && focus && m_pTable->viewport()->isAncestorOf(focus)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CCoordinatesDialog::InsertPoint() {
    // The new point goes halfway to the next one (a polygon's last row goes
    // on to its first), rounded to whole units; after a polyline's last row,
    // or beside a value that does not read, it starts as a copy of the
    // current one.
    const int current = m_pTable->currentRow();
    const int rows = m_pTable->rowCount();
    const int row = current < 0 ? rows : current + 1;
    int next = current < 0 ? -1 : current + 1 < rows ? current + 1 : -1;
    if (current >= 0 && next < 0 && m_nType == PRIM_POLYGON && rows > 1)
        next = 0;
    m_pTable->insertRow(row);
    for (int column = 0; column < 2; ++column) {
        const QTableWidgetItem* source = current < 0 ? nullptr : m_pTable->item(current, column);
        const QTableWidgetItem* after =
            next < 0 ? nullptr : m_pTable->item(next >= row ? next + 1 : next, column);
        int64_t a = 0, b = 0;
        if (source && after && ParseWholeNumber(source->text(), &a) &&
            ParseWholeNumber(after->text(), &b) && a >= kMinCoordinate && a <= kMaxCoordinate &&
            b >= kMinCoordinate && b <= kMaxCoordinate) {
            const int64_t sum = a + b;
            const int64_t half = sum >= 0 ? (sum + 1) / 2 : -((-sum + 1) / 2);
            m_pTable->setItem(row, column, ValueItem(half));
        } else {
            m_pTable->setItem(row, column, source ? source->clone() : ValueItem(0));
        }
    }
    m_bPointsAddedOrRemoved = true;
    m_pTable->setCurrentCell(row, 0);
    m_pTable->setFocus(Qt::OtherFocusReason);
    UpdateButtons();
}

void CCoordinatesDialog::DeletePoint() {
    const int row = m_pTable->currentRow();
    if (row < 0)
        return;
    const int column = std::max(0, m_pTable->currentColumn());
    m_pTable->removeRow(row);
    m_bPointsAddedOrRemoved = true;
    if (m_pTable->rowCount() > 0)
        m_pTable->setCurrentCell(std::min(row, m_pTable->rowCount() - 1), column);
    m_pTable->setFocus(Qt::OtherFocusReason);
    UpdateButtons();
}

void CCoordinatesDialog::UpdateButtons() {
    m_pDelete->setEnabled(m_pTable->rowCount() > 0);
}
