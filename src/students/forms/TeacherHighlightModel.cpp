#include "students/forms/TeacherHighlightModel.h"

#include "data/store/Dataset.h"
#include "students/structure/Staff.h"

#include <QColor>
#include <QFont>

namespace students {

TeacherHighlightModel::TeacherHighlightModel(data::Dataset *staff, QObject *parent)
    : QIdentityProxyModel(parent), m_staff(staff)
{
}

QVariant TeacherHighlightModel::data(const QModelIndex &index, int role) const
{
    if (index.isValid() && (role == Qt::ForegroundRole || role == Qt::FontRole) && isTeacherRow(index.row())) {
        if (role == Qt::ForegroundRole)
            return QColor(0, 128, 0);
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    return QIdentityProxyModel::data(index, role);
}

bool TeacherHighlightModel::isTeacherRow(int row) const
{
    if (!m_staff || !m_staff->isOpen() || row >= m_staff->recordCount())
        return false;
    const int function = m_staff->fieldIndex("FUNCAO");
    return function >= 0 && isTeacher(m_staff->valueAt(row, function).toString());
}

} // namespace students
