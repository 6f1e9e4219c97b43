#include "billing/generators/ChargeGenerators.h"

#include "core/Dialogs.h"
#include "core/Formats.h"
#include "core/Money.h"
#include "data/bulk/BulkRun.h"
#include "data/modules/ChargeRules.h"
#include "data/store/Query.h"
#include "data/store/Table.h"
#include "students/structure/ChargeTypeFilter.h"

#include <QHash>

namespace billing {

namespace {

const QString kCaption = QStringLiteral("Atenção");

bool ask(const QString &text)
{
    return core::dialogs().show({text, kCaption, core::Icon::Question, core::Button::Yes | core::Button::No})
        == core::Button::Yes;
}

// Students, or nullopt after the selection's own message.
std::optional<QList<SelectedStudent>> chosenStudents(const data::Database &db, const StudentSelection &selection,
                                                     const QString &listFailure, core::RunReporter &reporter)
{
    try {
        return selectStudents(db, selection);
    } catch (const data::StoreError &) {
        const QString text = selection.kind == StudentSelection::Kind::Class
                               ? QStringLiteral("Erro na definição dos Alunos da Turma. Tente novamente.")
                               : listFailure;
        reporter.note(core::Severity::Error, text, kCaption);
        reporter.finish(core::RunOutcome::Failed);
        return std::nullopt;
    }
}

// The fine factor, or nullopt when the person declined the standard one.
std::optional<double> checkedFineFactor(const QString &fine)
{
    if (const std::optional<double> factor = fineFactor(fine))
        return factor;
    if (!ask(kFineQuestion))
        return std::nullopt;
    return 1.02;
}

core::Money occasionalDiscount(core::Money value, double discount, bool percent)
{
    return percent ? value.percent(discount) : core::Money::fromDouble(discount);
}

QHash<QString, core::Money> classFees(const data::Database &db)
{
    data::Query classes(db);
    classes.setSql(QStringLiteral("select TURMA, Valor_Mensalidade from TABTURMA"));
    classes.open();
    QHash<QString, core::Money> fees;
    for (classes.first(); !classes.eof(); classes.next())
        fees.insert(classes.asText("TURMA"), classes.asMoney("Valor_Mensalidade"));
    return fees;
}

// The fees of the selection already due in `month`.
int feesInMonth(const data::Database &db, int month, const StudentSelection &selection)
{
    QString sql = QStringLiteral("select count(*) as qtde from ccorrent where (extract(month from parceladata) = :mes) "
                                 "and (Tipo = 'N')");
    data::SqlParams params{{QStringLiteral("mes"), month}};
    if (selection.kind == StudentSelection::Kind::Class) {
        sql += QStringLiteral(" and (TURMA = :turma)");
        params.insert(QStringLiteral("turma"), selection.classCode);
    } else if (selection.kind == StudentSelection::Kind::List) {
        QStringList terms;
        for (int i = 0; i < selection.numbers.size(); ++i) {
            terms << QStringLiteral("(Matricula = :m%1)").arg(i);
            params.insert(QStringLiteral("m%1").arg(i), double(selection.numbers.at(i)));
        }
        sql += QStringLiteral(" and (") + terms.join(QStringLiteral(" or ")) + u')';
    }
    data::Query count(db);
    count.setSql(sql);
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        count.bind(it.key(), it.value());
    count.open();
    return int(count.asInteger(0));
}

// Open rows of a student carried into a new fee: each value with the fine, plus the daily
// interest for the days since it fell due (none for a row not yet due).
core::Money overdueCarry(const data::Database &db, qint64 matricula, double factor, double juros, const QDate &today)
{
    data::Query open(db);
    open.setSql(QStringLiteral("select ParcelaValor, ParcelaData from Ccorrent where Matricula = :m and PgtoData is null"));
    open.bind(QStringLiteral("m"), double(matricula));
    open.open();
    core::Money carry;
    for (open.first(); !open.eof(); open.next()) {
        const core::Money value = open.asMoney("ParcelaValor");
        const qint64 days = std::max<qint64>(open.asDate("ParcelaData").daysTo(today), 0);
        carry += value.times(factor) + value.times(double(days) * juros / 100.0);
    }
    return carry;
}

// Positions of the fields a generator writes, looked up once for the whole run.
struct ChargeFields
{
    explicit ChargeFields(const data::Dataset &d)
        : matricula(d.fieldIndex("Matricula")), tipo(d.fieldIndex("Tipo")), parcelaNum(d.fieldIndex("ParcelaNum")),
          parcelaData(d.fieldIndex("ParcelaData")), parcelaValor(d.fieldIndex("ParcelaValor")),
          acrescimos(d.fieldIndex("Acrescimos")), turma(d.fieldIndex("TURMA")), nome(d.fieldIndex("NOME")),
          descontoFixo(d.fieldIndex("DescontoFixo")), descontoEventual(d.fieldIndex("DescontoEventual"))
    {
    }
    int matricula, tipo, parcelaNum, parcelaData, parcelaValor, acrescimos, turma, nome, descontoFixo,
        descontoEventual;
};

// Open rows go back to every user of the treasury; false when the table refused.
bool releaseOpen(const data::Database &db)
{
    try {
        data::releaseOpenCharges(db);
        return true;
    } catch (const data::StoreError &) {
        return false;
    }
}

// The student's due date for a month, or an invalid date when the student is not charged.
QDate studentDueDate(const MonthlyFeeRequest &request, const QDate &defaultDue, int studentDay)
{
    if (request.ignoreRegisterDate)
        return defaultDue;
    if (request.otherDueDates) {
        if (studentDay <= 0)
            return defaultDue;
        return defaultDueDate(studentDay, defaultDue.month(), defaultDue.year());
    }
    return defaultDue.day() == studentDay ? defaultDue : QDate();
}

} // namespace

QDate defaultDueDate(int day, int month, int year)
{
    if (month == 2 && day >= 26)
        day = 28;
    const int last = QDate(year, month, 1).daysInMonth();
    return QDate(year, month, std::clamp(day, 1, last));
}

std::optional<double> fineFactor(const QString &fineText)
{
    const std::optional<double> fine = core::parseNumber(fineText);
    if (!fine)
        return std::nullopt;
    return 1.0 + *fine / 100.0;
}

QString redoQuestion(int month)
{
    return QStringLiteral("Já há mensalidades lançadas para o mês ") + core::monthName(month)
         + QStringLiteral(". Deseja Refazer para este mês?");
}

core::RunOutcome generateMonthlyFees(data::Table &ccorrent, const MonthlyFeeRequest &request,
                                     const GeneratorContext &context, core::RunReporter &reporter,
                                     const ProgressShown &progress)
{
    const data::Database db = ccorrent.database();
    const std::optional<QList<SelectedStudent>> students = chosenStudents(
        db, request.students, QStringLiteral("Erro na definição dos registros. Tente novamente."), reporter);
    if (!students)
        return core::RunOutcome::Failed;
    const std::optional<double> factor = checkedFineFactor(request.fine);
    if (!factor) {
        reporter.finish(core::RunOutcome::Cancelled);
        return core::RunOutcome::Cancelled;
    }
    const double discount = core::parseNumber(request.discount).value_or(0.0);
    const int year = context.schoolYear.toInt();

    // Every question is answered before the run, so no box waits with the table locked.
    QList<int> months;
    for (int month = 1; month <= 12; ++month) {
        if (request.month != 0 && month != request.month)
            continue;
        if (feesInMonth(db, month, request.students) >= 1 && !ask(redoQuestion(month)))
            continue;
        months << month;
    }

    const QHash<QString, core::Money> fees = classFees(db);
    const ChargeFields f(ccorrent);
    bool released = false;
    data::BulkRun run(db, reporter, {.offersCancel = true, .datasets = {&ccorrent}});
    const core::RunOutcome outcome = run.run([&](data::BulkRun &r) {
        r.begin(QStringLiteral("Gerar Mensalidades"), int(months.size() * students->size()));
        const QString dueDayText = QString::number(context.defaultDueDay);
        int done = 0;
        for (int m = 0; m < months.size(); ++m) {
            const int month = months.at(m);
            const QDate defaultDue = defaultDueDate(request.dueDay, month, year);
            for (int s = 0; s < students->size(); ++s) {
                const SelectedStudent &student = students->at(s);
                // A student without a due day gets the school's, whether or not a fee follows.
                int studentDay = student.vencimento;
                if (studentDay <= 0) {
                    db.exec(QStringLiteral("update ALUNOS set Vencimento = :dia where MATRICULA = :m"),
                            {{QStringLiteral("dia"), dueDayText}, {QStringLiteral("m"), double(student.matricula)}});
                    studentDay = context.defaultDueDay;
                }
                r.singleWriteRow([&] {
                    const core::Money carry = request.overdue
                                                ? overdueCarry(db, student.matricula, *factor, context.juros, context.today)
                                                : core::Money();
                    const auto fee = fees.constFind(student.turma);
                    if (fee == fees.cend())
                        return;
                    if (progress)
                        progress({month, m + 1, int(months.size()), student.matricula, s + 1, int(students->size())});
                    const QDate due = studentDueDate(request, defaultDue, studentDay);
                    if (!due.isValid())
                        return;
                    ccorrent.append();
                    ccorrent.setFloat(f.matricula, double(student.matricula));
                    ccorrent.setText(f.tipo, QStringLiteral("N"));
                    ccorrent.setInteger(f.parcelaNum, month);
                    ccorrent.setDate(f.parcelaData, due);
                    ccorrent.setMoney(f.parcelaValor, *fee);
                    if (request.overdue)
                        ccorrent.setMoney(f.acrescimos, carry);
                    ccorrent.setText(f.turma, student.turma);
                    ccorrent.setText(f.nome, student.nome);
                    ccorrent.setMoney(f.descontoFixo, student.percent ? fee->percent(student.abat)
                                                                      : core::Money::fromDouble(student.abat));
                    ccorrent.setMoney(f.descontoEventual, occasionalDiscount(*fee, discount, request.discountPercent));
                    ccorrent.post();
                }, [&](const data::StoreError &) {
                    if (ccorrent.isEditing())
                        ccorrent.cancel();
                    r.note(core::Severity::Error,
                           QStringLiteral("Erro ao gravar o registro para o aluno ") + student.nome
                               + QStringLiteral("\rpara a data ") + core::formatDate(defaultDue),
                           QStringLiteral("Erro"));
                });
                r.step(++done, QStringLiteral("Matrícula Nº %1 - Mensalidade Nº %2").arg(student.matricula).arg(month));
            }
        }
        released = releaseOpen(db);
    });

    // Whatever the run did, only paid rows stay locked to the supervisor: a whole run released
    // them with its rows (while their pages are still in memory), an undone one does it now.
    if (outcome != core::RunOutcome::Completed)
        released = releaseOpen(db);
    if (outcome == core::RunOutcome::Completed)
        reporter.note(core::Severity::Info, released ? kCompletedMessage : kReleaseFailedMessage, QString());
    return outcome;
}

QStringList otherChargeKinds()
{
    QStringList kinds = students::chargeTypeEntries();
    kinds.removeFirst(); // "Todos"
    kinds.removeFirst(); // "Mensalidade"
    return kinds;
}

core::RunOutcome generateOtherCharges(data::Table &ccorrent, const OtherChargeRequest &request,
                                      core::RunReporter &reporter, const ProgressShown &progress)
{
    const data::Database db = ccorrent.database();
    if (!checkedFineFactor(request.fine)) {
        reporter.finish(core::RunOutcome::Cancelled);
        return core::RunOutcome::Cancelled;
    }
    const std::optional<core::Money> value = core::Money::parse(request.value);
    if (!value) {
        reporter.note(core::Severity::Error, core::invalidNumberMessage(request.value), QStringLiteral("Erro"));
        reporter.finish(core::RunOutcome::Failed);
        return core::RunOutcome::Failed;
    }
    const std::optional<QList<SelectedStudent>> students = chosenStudents(
        db, request.students, QStringLiteral("Erro na definição dos Alunos especificados. Tente novamente."),
        reporter);
    if (!students)
        return core::RunOutcome::Failed;
    const double discount = core::parseNumber(request.discount).value_or(0.0);
    const QHash<QString, core::Money> fees = classFees(db);
    const QString kind = request.kindEntry.left(1);
    const QString remark = request.kindEntry + u' ' + request.description.left(30);

    data::BulkRun run(db, reporter, {.offersCancel = true, .datasets = {&ccorrent}});
    const core::RunOutcome outcome = run.run([&](data::BulkRun &r) {
        r.begin(QStringLiteral("Calcular Outros Valores"), int(students->size()));
        for (int s = 0; s < students->size(); ++s) {
            const SelectedStudent &student = students->at(s);
            if (progress)
                progress({0, 1, 1, student.matricula, s + 1, int(students->size())});
            if (fees.contains(student.turma)) {
                r.singleWriteRow([&] {
                    const int number = data::nextInstalmentNumber(db, double(student.matricula));
                    ccorrent.append();
                    ccorrent.setFloat("Matricula", double(student.matricula));
                    ccorrent.setInteger("ParcelaNum", number);
                    ccorrent.setDate("ParcelaData", request.due);
                    ccorrent.setMoney("ParcelaValor", *value);
                    ccorrent.setText("Tipo", kind);
                    ccorrent.setText("Observacao", remark);
                    ccorrent.setText("TURMA", student.turma);
                    ccorrent.setText("NOME", student.nome);
                    ccorrent.setMoney("DescontoFixo", core::Money());
                    ccorrent.setMoney("DescontoEventual", occasionalDiscount(*value, discount, request.discountPercent));
                    ccorrent.post();
                }, [&](const data::StoreError &) {
                    if (ccorrent.isEditing())
                        ccorrent.cancel();
                    r.note(core::Severity::Error,
                           QStringLiteral("Erro ao gravar Cobrança para Matrícula nº %1. Verifique os dados")
                               .arg(student.matricula),
                           QStringLiteral("Erro"));
                });
            }
            r.step(s + 1, QStringLiteral("Matrícula Nº %1").arg(student.matricula));
        }
    });
    if (outcome == core::RunOutcome::Completed)
        reporter.note(core::Severity::Info, kCompletedMessage, QString());
    return outcome;
}

} // namespace billing
