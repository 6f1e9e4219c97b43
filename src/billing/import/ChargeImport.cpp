#include "billing/import/ChargeImport.h"

#include "core/Dialogs.h"
#include "core/Formats.h"
#include "data/bulk/BulkRun.h"
#include "data/modules/ChargeRules.h"
#include "data/modules/TDataModule1.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Database.h"
#include "data/store/StoreError.h"
#include "data/store/Table.h"

namespace billing {

namespace {

const QStringList kBankFields{QStringLiteral("matricula"), QStringLiteral("vencimento"), QStringLiteral("noss_nr_dv")};

bool ask(const QString &question)
{
    return core::dialogs().show({question, QStringLiteral("Confirmação"), core::Icon::Question,
                                 core::Button::Yes | core::Button::No, core::Button::Yes}) == core::Button::Yes;
}

// "ddmmyy" as the bank writes it; a number field may have lost the leading zero of the day.
int dueMonth(const QVariant &value)
{
    QString text = value.toString().trimmed();
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong)
        text = QStringLiteral("%1").arg(qint64(value.toDouble()), 6, 10, QLatin1Char('0'));
    bool digits = text.size() == 6;
    for (const QChar c : text)
        digits = digits && c >= u'0' && c <= u'9';
    if (!digits)
        return 0;
    // dd/mm/yy: only the month matters, the year of the school year is the charge table's.
    const int day = text.left(2).toInt();
    const int month = text.mid(2, 2).toInt();
    return day >= 1 && day <= 31 && month >= 1 && month <= 12 ? month : 0;
}

bool chargeExists(const data::Database &db, const QVariant &matricula, const QVariant &parcela)
{
    return db.scalar(QStringLiteral("select count(*) from CCORRENT where Matricula = :m and ParcelaNum = :p"),
                     {{QStringLiteral("m"), matricula.toDouble()}, {QStringLiteral("p"), parcela.toInt()}})
               .toInt() > 0;
}

using Counters = std::function<void(const ChargeImportResult &)>;

void stepDone(data::BulkRun &run, const ChargeImportResult &result, const Counters &counters)
{
    if (counters)
        counters(result);
    run.step(result.read, readCounterText(result.read, result.total) + QStringLiteral("   ") +
                              writtenCounterText(result.written));
}

void fullImport(data::BulkRun &run, data::Table &ccorrent, data::Dataset &source, ChargeImportResult &result,
                const Counters &counters)
{
    const data::Database db = ccorrent.database();
    const int columns = source.fieldCount();
    // A table of charge rows in the charge table's own order names its key columns; a file
    // without those names gives the student and the instalment as its first two columns.
    int matriculaAt = source.fieldIndex(QStringLiteral("Matricula"));
    int parcelaAt = source.fieldIndex(QStringLiteral("ParcelaNum"));
    if (matriculaAt < 0 || parcelaAt < 0) {
        matriculaAt = 0;
        parcelaAt = 1;
    }
    for (source.first(); !source.eof(); source.next()) {
        const QVariant matricula = source.value(matriculaAt);
        const QVariant parcela = parcelaAt < columns ? source.value(parcelaAt) : QVariant();
        if (!chargeExists(db, matricula, parcela)) {
            const bool saved = run.row(
                [&] {
                    ccorrent.append();
                    for (int i = 0; i < columns; ++i) {
                        try {
                            if (i >= ccorrent.fieldCount())
                                throw data::StoreError(QStringLiteral("no such column"));
                            ccorrent.setValue(i, source.value(i));
                        } catch (const data::StoreError &) {
                            run.note(core::Severity::Error,
                                     QStringLiteral("Erro ao gravar em tblCCorrent no campo ") + source.field(i).name,
                                     QStringLiteral("Erro"));
                        }
                    }
                    if (!ccorrent.post())
                        throw data::StoreError(kImportRowSaveError);
                },
                [&](const data::StoreError &) {
                    if (ccorrent.isEditing())
                        ccorrent.cancel();
                    run.note(core::Severity::Error, kImportRowSaveError, QStringLiteral("Erro"));
                });
            if (saved)
                ++result.written;
        }
        ++result.read;
        stepDone(run, result, counters);
    }
}

void bankImport(data::BulkRun &run, data::Table &ccorrent, data::Dataset &source, ChargeImportResult &result,
                const Counters &counters)
{
    for (source.first(); !source.eof(); source.next()) {
        const QVariant matricula = source.value(QStringLiteral("matricula"));
        const int month = dueMonth(source.value(QStringLiteral("vencimento")));
        const QString slipNumber = source.asText(QStringLiteral("noss_nr_dv")).trimmed().left(11);
        const QVariantList key{matricula.toDouble()};
        ccorrent.setRange(key, key);
        for (ccorrent.first(); month > 0 && !ccorrent.eof(); ccorrent.next()) {
            // Only monthly fees take the bank's numbers; the first one of the month.
            if (ccorrent.asText("Tipo") != u"N" || ccorrent.asDate("ParcelaData").month() != month)
                continue;
            const QString name = ccorrent.asText("NOME");
            const QString instalment = ccorrent.asText("ParcelaNum");
            const QString due = core::formatDate(ccorrent.asDate("ParcelaData"));
            const bool saved = run.row(
                [&] {
                    bool ok = false;
                    const qint64 number = slipNumber.toLongLong(&ok);
                    if (!ok || !ccorrent.edit())
                        throw data::StoreError(QStringLiteral("Nosso Nº"));
                    ccorrent.setFloat("NossoNum", double(number));
                    if (!ccorrent.post())
                        throw data::StoreError(QStringLiteral("Nosso Nº"));
                },
                [&](const data::StoreError &) {
                    if (ccorrent.isEditing())
                        ccorrent.cancel();
                    run.note(core::Severity::Error,
                             QStringLiteral("Erro ao fazer post em tblCCorrent no campo Nosso Nº.\rAnote o nome do Aluno "
                                            "e verifique depois:\r") +
                                 name + u'\r' + QStringLiteral("Mensalidade nº ") + instalment +
                                 QStringLiteral(" com Venc. em ") + due,
                             QStringLiteral("Erro"));
                });
            if (saved)
                ++result.written;
            break;
        }
        ++result.read;
        stepDone(run, result, counters);
    }
    ccorrent.cancelRange();
}

} // namespace

QString readCounterText(int read, int total)
{
    return QStringLiteral("Lendo: %1 de %2").arg(read).arg(total);
}

QString writtenCounterText(int written)
{
    return written == 0 ? QStringLiteral("gravados: ...") : QStringLiteral("Gravados: %1").arg(written);
}

QStringList missingBankFields(const data::Dataset &source)
{
    QStringList missing;
    for (const QString &field : kBankFields)
        if (!source.hasField(field))
            missing << field;
    return missing;
}

ChargeImportResult importCharges(const data::Database &db, data::Dataset &source, bool bankOnly,
                                 core::RunReporter &reporter,
                                 const std::function<void(const ChargeImportResult &)> &counters)
{
    ChargeImportResult result;
    result.total = source.recordCount();
    if (bankOnly) {
        if (const QStringList missing = missingBankFields(source); !missing.isEmpty()) {
            reporter.note(core::Severity::Error,
                          QStringLiteral("O arquivo não tem o(s) campo(s) ") + missing.join(QStringLiteral(", ")) +
                              QStringLiteral(" do arquivo do banco."),
                          QStringLiteral("Erro"));
            reporter.finish(core::RunOutcome::Failed);
            result.outcome = core::RunOutcome::Failed;
            return result;
        }
    }
    data::Table ccorrent(db, QStringLiteral("Ccorrent.DB"));
    // A student's rows together, in the order they were written: the ranges below are by student.
    ccorrent.setIndexFields(QStringLiteral("Matricula"));
    ccorrent.setExclusive(true);
    try {
        ccorrent.open();
    } catch (const data::StoreError &) {
        reporter.note(core::Severity::Error, kImportLockError, QStringLiteral("Erro"));
        reporter.finish(core::RunOutcome::Failed);
        result.outcome = core::RunOutcome::Failed;
        return result;
    }
    data::attachChargeRules(ccorrent);
    const bool goOn = bankOnly ? ask(kImportBankQuestion) : (ccorrent.isEmpty() || ask(kImportFullQuestion));
    if (!goOn) {
        ccorrent.close();
        reporter.finish(core::RunOutcome::Cancelled);
        result.outcome = core::RunOutcome::Cancelled;
        return result;
    }
    data::BulkRun run(db, reporter);
    result.outcome = run.run([&](data::BulkRun &r) {
        r.begin(QStringLiteral("Importando carnês"), result.total);
        r.step(0, QStringLiteral("Lendo...   gravados: ..."));
        if (bankOnly)
            bankImport(r, ccorrent, source, result, counters);
        else
            fullImport(r, ccorrent, source, result, counters);
    });
    if (result.outcome != core::RunOutcome::Completed)
        result.written = 0;
    ccorrent.close();
    return result;
}

bool chargeImportTablesInUse(data::TDataModule1 &module)
{
    data::TDataModule1 &m = module;
    const QList<data::Dataset *> datasets{&m.tblCCorrent(), &m.tblCCorrent2(), &m.tblAlunos(), &m.tblAlunos2(),
                                          &m.tblTabTurma(), &m.tblDiscpl(),    &m.tblDiscTurma()};
    for (const data::Dataset *dataset : datasets)
        if (dataset->isOpen())
            return true;
    const QStringList tables{QStringLiteral("Ccorrent.DB"), QStringLiteral("Alunos.DB"), QStringLiteral("Tabturma.DB"),
                             QStringLiteral("DISCPL.DB"), QStringLiteral("Discturm.DB")};
    try {
        const data::Database db = data::Database::named(QString::fromLatin1(data::kMainDatabaseName));
        for (const QString &table : tables)
            if (db.isTableOpenElsewhere(table))
                return true;
    } catch (const data::StoreError &) {
        return true;
    }
    return false;
}

} // namespace billing
