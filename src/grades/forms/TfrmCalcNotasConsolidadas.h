#pragma once

#include "data/store/Database.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QLabel;

// "Recalcular tabela de Notas Consolidadas": the units that already have marks, then the
// consolidated subjects and the year recalculated.
class TfrmCalcNotasConsolidadas : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kShortHeight = 251;
    static constexpr int kTallHeight = 405;

    explicit TfrmCalcNotasConsolidadas(const data::Database &db, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void cmdExecutarClick();

private:
    data::Database m_db;
    QLabel *m_explanation = nullptr;
    std::array<QCheckBox *, 4> m_units{};
};
