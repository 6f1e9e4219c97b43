#pragma once

#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QLabel;
class QSpinBox;
class QTabBar;

namespace cashbook {

// "Informe a Data": a month calendar with a tab per month, a year spinner and "&Hoje", for the
// date of a movement.
class TfrmDataMovimento : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmDataMovimento(const QDate &start, QWidget *parent = nullptr);

    QDate date() const { return m_date; }
    void setDate(const QDate &date);

private:
    QCalendarWidget *m_calendar;
    QTabBar *m_months;
    QSpinBox *m_year;
    QLabel *m_caption;
    QDate m_date;
};

} // namespace cashbook
