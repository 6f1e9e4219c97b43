#pragma once

#include <QIdentityProxyModel>
#include <QPointer>

namespace data {
class Dataset;
}

namespace students {

// The staff grid's rows of teachers drawn green and bold.
class TeacherHighlightModel : public QIdentityProxyModel
{
    Q_OBJECT

public:
    TeacherHighlightModel(data::Dataset *staff, QObject *parent = nullptr);
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    bool isTeacherRow(int row) const;

    QPointer<data::Dataset> m_staff;
};

} // namespace students
