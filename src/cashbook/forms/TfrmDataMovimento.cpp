#include "cashbook/forms/TfrmDataMovimento.h"

#include "cashbook/DatePicker.h"
#include "core/Clock.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QVBoxLayout>

namespace cashbook {

namespace {

const char *const kMonthTabs[] = {"Jan", "Fev", "Mar", "Abr", "Mai", "Jun",
                                  "Jul", "Ago", "Set", "Out", "Nov", "Dez"};

QPushButton *button(const char *objectName, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(objectName));
    return b;
}

} // namespace

TfrmDataMovimento::TfrmDataMovimento(const QDate &start, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDataMovimento"));
    setWindowTitle(QStringLiteral("Informe a Data"));

    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("lblData"));
    m_caption->setAlignment(Qt::AlignCenter);
    QFont captionFont = m_caption->font();
    captionFont.setBold(true);
    captionFont.setPointSizeF(captionFont.pointSizeF() * 1.2);
    m_caption->setFont(captionFont);

    m_months = new QTabBar(this);
    m_months->setObjectName(QStringLiteral("tabMeses"));
    m_months->setExpanding(false);
    m_months->setUsesScrollButtons(false);
    for (const char *month : kMonthTabs)
        m_months->addTab(QString::fromLatin1(month));

    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(QStringLiteral("calData"));
    m_calendar->setNavigationBarVisible(false);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setLocale(QLocale(QLocale::Portuguese, QLocale::Brazil));
    m_calendar->setFirstDayOfWeek(Qt::Sunday);

    m_year = new QSpinBox(this);
    m_year->setObjectName(QStringLiteral("spnAno"));
    m_year->setRange(kFirstPickerYear, kLastPickerYear);
    m_year->setToolTip(
        QStringLiteral("Use as setas para alterar o ano, em seguida clique em Confirmar..."));

    QPushButton *today = button("cmdHoje", QStringLiteral("&Hoje"), this);
    QPushButton *ok = button("OKBtn", QStringLiteral("&OK"), this);
    QPushButton *cancel = button("CancelBtn", QStringLiteral("&Cancelar"), this);
    ok->setDefault(true);

    auto *yearRow = new QHBoxLayout;
    yearRow->addWidget(new QLabel(QStringLiteral("Ano:"), this));
    yearRow->addWidget(m_year);
    yearRow->addStretch();
    yearRow->addWidget(today);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_caption);
    layout->addWidget(m_months);
    layout->addWidget(m_calendar, 1);
    layout->addLayout(yearRow);
    layout->addLayout(buttons);

    connect(m_months, &QTabBar::currentChanged, this,
            [this](int tab) { setDate(withMonth(m_date, tab + 1)); });
    connect(m_year, &QSpinBox::valueChanged, this, [this](int year) { setDate(withYear(m_date, year)); });
    connect(m_calendar, &QCalendarWidget::selectionChanged, this,
            [this] { setDate(m_calendar->selectedDate()); });
    connect(m_calendar, &QCalendarWidget::activated, this, [this](const QDate &date) {
        setDate(date);
        accept();
    });
    connect(today, &QPushButton::clicked, this, [this] { setDate(core::today()); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    setDate(start.isValid() ? start : core::today());
}

void TfrmDataMovimento::setDate(const QDate &date)
{
    if (!date.isValid())
        return;
    m_date = date;
    const QSignalBlocker quietTabs(m_months);
    const QSignalBlocker quietYear(m_year);
    const QSignalBlocker quietCalendar(m_calendar);
    m_months->setCurrentIndex(date.month() - 1);
    m_year->setValue(date.year());
    m_calendar->setCurrentPage(date.year(), date.month());
    m_calendar->setSelectedDate(date);
    m_caption->setText(pickerCaption(date));
}

} // namespace cashbook
