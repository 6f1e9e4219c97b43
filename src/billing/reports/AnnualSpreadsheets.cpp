#include "billing/reports/AnnualSpreadsheets.h"

#include "core/Formats.h"
#include "core/Money.h"
#include "core/TextFile.h"
#include "data/bulk/BulkRun.h"
#include "data/schema/FinancialSchema.h"
#include "data/store/Query.h"

#include <QDir>
#include <QMap>

namespace billing {

namespace {

struct MonthCell
{
    core::Money previsto;
    core::Money realizado;
    QStringList paidOn; // "10/3" for each payment of a fee sheet
};

struct StudentRow
{
    qint64 matricula = 0;
    QString nome;
    QString vencimento;
    QString abatimento;
    QMap<int, MonthCell> months; // due month -> sums
};

// A step's message: the fee sheet names its table in brackets.
QString stepMessage(AnnualSheet sheet, const QString &before, const QString &after)
{
    return before + (sheet == AnnualSheet::MonthlyFees ? QStringLiteral(" [RelatMensalidades]") : QString()) + after;
}

QString money(core::Money amount)
{
    return amount.format();
}

} // namespace

QString annualSheetFileName(AnnualSheet sheet)
{
    return sheet == AnnualSheet::Payments ? QStringLiteral("Relação Anual de Pagamentos Previsto x Realizado.csv")
                                          : QStringLiteral("Relação Anual de Mensalidades.csv");
}

QString annualSheetTable(AnnualSheet sheet)
{
    return sheet == AnnualSheet::Payments ? QStringLiteral("RelatPagamentos") : QStringLiteral("RelatMensalidades");
}

QStringList annualSheetLines(const data::Database &db, AnnualSheet sheet)
{
    const bool fees = sheet == AnnualSheet::MonthlyFees;
    data::Query q(db);
    q.setSql(QStringLiteral("select r.Turma, r.Matricula, r.Nome, r.MesVenc, r.DiaPago, r.MesPago, "
                            "sum(r.Previsto) as TotalPrevisto, sum(r.Realizado) as TotalRealizado, "
                            "max(a.Vencimento) as Vencimento, max(a.ABAT) as ABAT, max(a.IMP) as IMP from ") +
             annualSheetTable(sheet) +
             QStringLiteral(" r left join ALUNOS a on a.MATRICULA = r.Matricula "
                            "group by r.Turma, r.Matricula, r.Nome, r.MesVenc, r.DiaPago, r.MesPago "
                            "order by r.Turma, r.Nome collate PTBR_CI, r.Matricula, r.MesVenc, r.MesPago, r.DiaPago"));
    q.open();
    // Class -> its students in order.
    QList<std::pair<QString, QList<StudentRow>>> classes;
    for (q.first(); !q.eof(); q.next()) {
        const QString turma = q.asText("Turma");
        const qint64 matricula = qint64(q.asFloat("Matricula"));
        if (classes.isEmpty() || classes.last().first != turma)
            classes.append({turma, {}});
        QList<StudentRow> &students = classes.last().second;
        if (students.isEmpty() || students.last().matricula != matricula) {
            StudentRow s;
            s.matricula = matricula;
            s.nome = q.asText("Nome");
            s.vencimento = q.asText("Vencimento");
            s.abatimento = core::formatPlain(q.asFloat("ABAT")) + q.asText("IMP");
            students.append(s);
        }
        MonthCell &cell = students.last().months[int(q.asInteger("MesVenc"))];
        cell.previsto += core::Money::fromDouble(q.asFloat("TotalPrevisto"));
        cell.realizado += core::Money::fromDouble(q.asFloat("TotalRealizado"));
        if (!q.value("DiaPago").isNull())
            cell.paidOn << q.asText("DiaPago") + u'/' + q.asText("MesPago");
    }

    QString header = QStringLiteral("Ordem;Turma;Nome;Venc.;Abatimento;");
    QString secondHeader = QStringLiteral(";;;.;;");
    for (int month = 1; month <= 12; ++month) {
        header += core::monthName(month) + QStringLiteral(";;");
        secondHeader += fees ? QStringLiteral("Pago em;Valor;") : QStringLiteral("Previsto;Realizado;");
    }
    header += QStringLiteral("Total");
    secondHeader += QStringLiteral("Previsto;Realizado");

    QStringList lines;
    for (const auto &[turma, students] : classes) {
        lines << QStringLiteral(";") + turma << header << secondHeader;
        int order = 0;
        for (const StudentRow &s : students) {
            QString line = QString::number(++order) + u';' + turma + u';' + QString::number(s.matricula) +
                           QStringLiteral(" - ") + s.nome + u';' + s.vencimento + u';' + s.abatimento + u';';
            core::Money previsto;
            core::Money realizado;
            // Every month keeps its two columns, so each amount stands under its month.
            for (int month = 1; month <= 12; ++month) {
                const auto found = s.months.constFind(month);
                if (found == s.months.cend()) {
                    line += QStringLiteral(";;");
                    continue;
                }
                previsto += found->previsto;
                realizado += found->realizado;
                line += fees ? found->paidOn.join(QStringLiteral(" - ")) + u';' + money(found->realizado) + u';'
                             : money(found->previsto) + u';' + money(found->realizado) + u';';
            }
            lines << line + money(previsto) + u';' + money(realizado);
        }
        lines << QString();
    }
    return lines;
}

core::RunOutcome writeAnnualSheet(const data::Database &db, AnnualSheet sheet, const QString &directory,
                                  core::RunReporter &reporter, QString *path)
{
    const QString table = annualSheetTable(sheet);
    const QString file = QDir(directory).absoluteFilePath(annualSheetFileName(sheet));
    data::BulkRun run(db, reporter);
    const core::RunOutcome outcome = run.run([&](data::BulkRun &r) {
        r.begin(sheet == AnnualSheet::Payments ? QStringLiteral("Planilha Geral de Pagamentos")
                                               : QStringLiteral("Planilha Geral de Mensalidades"),
                0);
        r.row([&] { db.dropTable(table); },
              [&](const data::StoreError &) {
                  r.note(core::Severity::Warning,
                         stepMessage(sheet, QStringLiteral("Erro ao excluir tabela temporária"),
                                     QStringLiteral(".\rSe for a primeira vez que usa esta rotina, ignore esta mesnagem.")));
              });
        try {
            db.createTable(data::schema::revenueWorkTable(table));
        } catch (const data::StoreError &) {
            throw data::StoreError(stepMessage(sheet, QStringLiteral("Erro ao criar tabela temporária"),
                                               QStringLiteral(". Não pode prosseguir.")));
        }
        try {
            db.exec(QStringLiteral("insert into ") + table +
                    QStringLiteral(" select turma, matricula, nome, cast(extract(month from parceladata) as Integer), "
                                   "cast(extract(day from pgtoData) as Integer), cast(extract(month from pgtoData) as Integer), "
                                   "parcelavalor, pgtoValor from ccorrent") +
                    (sheet == AnnualSheet::MonthlyFees ? QStringLiteral(" where (ccorrent.Tipo = 'N')") : QString()));
        } catch (const data::StoreError &) {
            throw data::StoreError(stepMessage(sheet, QStringLiteral("Erro ao inserir dados na tabela temporária"),
                                               QStringLiteral(". Não pode prosseguir.")));
        }
        QString error;
        if (!core::writeTextLines(file, annualSheetLines(db, sheet), &error))
            throw data::StoreError(QStringLiteral("Não foi possível gravar %1:\r%2").arg(QDir::toNativeSeparators(file), error));
        r.note(core::Severity::Info, kSpreadsheetDoneMessage);
    });
    if (path && outcome == core::RunOutcome::Completed)
        *path = file;
    return outcome;
}

} // namespace billing
