#include "billing/DemoCharges.h"

#include "billing/account/PaymentCalculation.h"
#include "billing/generators/ChargeGenerators.h"
#include "core/Clock.h"
#include "core/Formats.h"
#include "core/Session.h"
#include "data/modules/ChargeRules.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Table.h"
#include "data/store/Transaction.h"

#include <QRandomGenerator>

namespace billing {

namespace {

// The generators' messages stay inside the demo; a failure reaches the caller's reporter.
class QuietReporter : public core::RunReporter
{
public:
    explicit QuietReporter(core::RunReporter &outer) : m_outer(outer) {}
    void begin(const QString &, int, bool) override {}
    void step(int, const QString &) override {}
    void note(core::Severity severity, const QString &text, const QString &caption) override
    {
        if (severity != core::Severity::Info)
            m_outer.note(severity, text, caption);
    }
    bool cancelled() const override { return false; }
    void finish(core::RunOutcome) override {}

private:
    core::RunReporter &m_outer;
};

// The treasurer who "typed" the demo's account.
class TreasurerSession
{
public:
    TreasurerSession() : m_saved(core::session())
    {
        core::Session &s = core::session();
        s.userName = QStringLiteral("TESOURARIA");
        s.supervisor = false;
        s.rights = {};
        s.rights.carnes = true;
    }
    ~TreasurerSession() { core::session() = m_saved; }
    TreasurerSession(const TreasurerSession &) = delete;
    TreasurerSession &operator=(const TreasurerSession &) = delete;

private:
    core::Session m_saved;
};

} // namespace

std::optional<DemoChargesSummary> fillDemoCharges(const data::Database &db, const QString &schoolYear,
                                                  core::RunReporter &reporter, quint32 seed)
{
    const TreasurerSession treasurer;
    data::Settings settings = data::Settings::defaults(schoolYear);
    data::loadSettings(db, settings);
    const QDate today = core::today();
    const int year = schoolYear.toInt();

    data::Table charges(db, QStringLiteral("Ccorrent.DB"));
    data::attachChargeRules(charges);
    charges.open();
    QuietReporter quiet(reporter);
    DemoChargesSummary summary;

    data::Transaction transaction(db);
    MonthlyFeeRequest fees;
    fees.dueDay = settings.Data_Venc;
    if (generateMonthlyFees(charges, fees, {schoolYear, settings.Juros, settings.Data_Venc, today}, quiet)
        != core::RunOutcome::Completed)
        return std::nullopt;

    OtherChargeRequest books;
    books.due = QDate(year, 2, 15);
    books.kindEntry = QStringLiteral("2-Livros");
    books.value = QStringLiteral("180,00");
    books.description = QStringLiteral("Livros didáticos");
    OtherChargeRequest trip;
    trip.due = QDate(year, 9, 20);
    trip.kindEntry = QStringLiteral("4-Viagem");
    trip.value = QStringLiteral("95,00");
    trip.description = QStringLiteral("Excursão ao museu");
    trip.students.kind = StudentSelection::Kind::Class;
    trip.students.classCode = generatorClassLines(db).value(0).section(u' ', 0, 0);
    for (const OtherChargeRequest &request : {books, trip}) {
        if (generateOtherCharges(charges, request, quiet) != core::RunOutcome::Completed)
            return std::nullopt;
    }

    // Payments of what fell due before today: most on time, some late with the fine and the
    // school's daily interest, a few left open.
    QRandomGenerator random(seed);
    charges.refresh();
    for (charges.first(); !charges.eof(); charges.next()) {
        if (charges.asText("Tipo") == u"N")
            ++summary.fees;
        else
            ++summary.otherCharges;
        const QDate due = charges.asDate("ParcelaData");
        const int luck = int(random.bounded(100));
        if (due >= today || luck < 10)
            continue;
        const bool late = luck < 25;
        QDate paid = late ? due.addDays(3 + random.bounded(40)) : due.addDays(-int(random.bounded(8)));
        if (paid > today)
            paid = today;
        PaymentInputs in;
        in.due = due;
        in.paid = paid;
        in.value = charges.asMoney("ParcelaValor").format();
        in.discount = (charges.asMoney("DescontoFixo") + charges.asMoney("DescontoEventual")).format();
        in.fine = late ? QStringLiteral("2,0") : QStringLiteral("0,0");
        in.interest = core::formatNumber(settings.Juros, QStringLiteral("0.00"));
        in.grantDiscount = paymentDateEffect(due, paid).discountGranted;
        const PaymentResult result = computePayment(in);
        if (postPayment(charges, result, paid, int(random.bounded(5)))) {
            ++summary.paid;
            if (result.days > 0)
                ++summary.paidLate;
        }
    }
    data::releaseOpenCharges(db);
    transaction.commit();
    return summary;
}

} // namespace billing
