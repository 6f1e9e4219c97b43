#include "students/import/StudentImport.h"

#include "core/Clock.h"
#include "core/Session.h"
#include "data/modules/TableRights.h"
#include "data/bulk/BulkRun.h"
#include "data/store/ExternalTable.h"
#include "data/store/ServerAddress.h"
#include "data/store/Table.h"

#include <QDir>
#include <QFileInfo>

namespace students {

namespace {

const QString kFinishedCopying = QStringLiteral(
    "A importação foi concluída. O próximo passo\rserá limpar os dados das tabelas de Carnês, Movimento Financeiro e Notas.");
const QString kNetworkHint = QStringLiteral(" Verifique se\rhá algum outro usuário na rede acessando o Lumesco.");

// The tables emptied after a promoting import, in order, with the line each success and each
// failure shows.
struct Clearing
{
    const char *statement;
    QString done;
    QString failed;
};

QList<Clearing> clearings()
{
    return {{"delete from ccorrent", QStringLiteral("Tabela de Carnês - Limpa - OK"),
             QStringLiteral("Erro ao limpar a tabela de carnês.") + kNetworkHint},
            {"delete from notas", QStringLiteral("Tabela de Notas - Limpa - OK"),
             QStringLiteral("Erro ao limpar a tabela de notas.") + kNetworkHint},
            {"delete from notasuni1", QStringLiteral("Tabela de Unidae 1 - Limpa - OK"),
             QStringLiteral("Erro ao limpar a tabela de Unidade1.") + kNetworkHint},
            {"delete from notasuni2", QStringLiteral("Tabela de Unidade 2 - Limpa - OK"),
             QStringLiteral("Erro ao limpar a tabela de Unidade2.") + kNetworkHint},
            {"delete from notasuni3", QStringLiteral("Tabela de Unidade 3 - Limpa - OK"),
             QStringLiteral("Erro ao limpar a tabela de Unidade3.") + kNetworkHint},
            {"delete from notasuni4", QStringLiteral("Tabela de Unidade 4 - Limpa - OK"),
             QStringLiteral("Erro ao limpar a tabela de Unidade4.") + kNetworkHint},
            {"delete from MovFin", QStringLiteral("Movimento Financeiro - OK"),
             QStringLiteral("Erro ao limpar a tabela de Moviemnto Financeiro.") + kNetworkHint}};
}

// The stored fields of a dataset, in order: what "by position" counts.
int storedFieldCount(const data::Dataset &dataset)
{
    int count = 0;
    for (const data::DatasetField &field : dataset.fields())
        count += field.calculated ? 0 : 1;
    return count;
}

const QString kNotEmptied = QStringLiteral("Erro ao tentar apagar registros em ALUNOS.DB.\rNão será possível continuar.");

// Every row of the source into the register, in one run; a row that cannot be written is
// skipped with a message, a field that does not fit is left empty with another.
class RegisterCopy
{
public:
    RegisterCopy(data::Table &alunos, data::Dataset &source, const ImportChoices &choices)
        : m_alunos(alunos), m_source(source), m_choices(choices),
          m_fields(qMin(storedFieldCount(alunos), storedFieldCount(source))), m_today(core::today())
    {
    }

    void run(data::BulkRun &run)
    {
        const int total = m_source.recordCount();
        run.begin(QStringLiteral("Importar Cadastro de Alunos"), total);
        int done = 0;
        for (m_source.first(); !m_source.eof(); m_source.next()) {
            ++done;
            run.step(done, QStringLiteral("Lendo: %1 de %2").arg(done).arg(total));
            const bool copied = run.row([&] { copyRow(run); }, [&](const data::StoreError &error) {
                // Skipped, but never silently: a student missing from the new year is lost work.
                run.note(core::Severity::Error, QStringLiteral("O registro %1 (%2 - %3) não foi importado:\r%4")
                                                    .arg(done)
                                                    .arg(m_alunos.displayText("MATRICULA"), m_alunos.displayText("NOME"),
                                                         error.message()));
                m_alunos.cancel();
            });
            if (copied && m_choices.promote)
                run.row([&] { promoteRow(); }, [&](const data::StoreError &) { m_alunos.cancel(); });
        }
    }

private:
    void copyRow(data::BulkRun &run)
    {
        m_alunos.append();
        for (int field = 0; field < m_fields; ++field) {
            try {
                m_alunos.setValue(field, m_source.value(field));
            } catch (const data::StoreError &) {
                run.note(core::Severity::Error,
                         QStringLiteral("Erro ao fazer post em tblAlunos no campo ") + m_alunos.field(field).name);
            }
        }
        if (!m_alunos.post())
            throw data::StoreError(QStringLiteral("A gravação foi recusada."));
    }

    // A failure undoes only the new class.
    void promoteRow()
    {
        const Promotion promotion = promote(m_alunos.asText("TURMA"), m_choices.rules);
        if (promotion.kind == Promotion::Kind::Unchanged)
            return;
        m_alunos.edit();
        if (promotion.kind == Promotion::Kind::Transferred) {
            m_alunos.setText("SIT", QStringLiteral("T"));
            m_alunos.setDate("DATASIT", m_today);
        } else {
            m_alunos.setText("TURMA", promotion.schoolClass);
        }
        m_alunos.post();
    }

    data::Table &m_alunos;
    data::Dataset &m_source;
    const ImportChoices &m_choices;
    const int m_fields;
    const QDate m_today;
};

// A message of the run kept until its transaction is over, so no box waits with the file locked.
struct HeldNote
{
    core::Severity severity;
    QString text;
    QString caption;
};

// Empties the new year's tables inside the import's own run, so the new register never stands
// beside the old year's grades and charges (a crash between the two would leave a year that is
// neither the old one nor the new). A table that cannot be emptied is left whole, and the next
// one is cleared. The lines are held for the end of the run.
void clearNewYearTables(data::BulkRun &run, QList<HeldNote> &lines)
{
    lines.append({core::Severity::Info, kFinishedCopying, QStringLiteral("Concluir o processo de importação")});
    for (const Clearing &clearing : clearings()) {
        data::BulkRun::crashPoint();
        const bool cleared = run.row([&] { run.database().exec(QString::fromLatin1(clearing.statement)); },
                                     [](const data::StoreError &) {});
        lines.append(cleared ? HeldNote{core::Severity::Info, clearing.done, QString()}
                             : HeldNote{core::Severity::Error, clearing.failed, QStringLiteral("Erro na Operação")});
    }
    lines.append({core::Severity::Info, QStringLiteral("Processo de Importação Concluído."),
                  QStringLiteral("Operação Concluída")});
}

} // namespace

bool structureInUse(const data::Database &db)
{
    for (const char *table : {"ALUNOS", "NOTAS", "Tabturma", "DISCPL", "Discturm"}) {
        const QString name = QString::fromLatin1(table);
        if (db.isTableOpen(name) || db.isTableOpenElsewhere(name))
            return true;
    }
    return false;
}

core::Message importRefusal()
{
    return {QStringLiteral("Esta operação não pode ser realizada\rse algum módulo estiver sendo usado.\r"
                           "Feche-o, e tente novamente."),
            QStringLiteral("Erro"), core::Icon::Error, core::Button::Ok};
}

core::Message importQuestion()
{
    return {QStringLiteral("Este procedimento irá apagar todos os registros\rdo Cadastro de Alunos e os importará "
                           "de outro arquivo.\rEste procedimento deverá ser feito, normalmente, uma única vez.\r"
                           "Desejar continuar?"),
            QStringLiteral("Confirmação"), core::Icon::Question, core::Button::Yes | core::Button::No,
            core::Button::No};
}

core::Message sourceRefusal()
{
    return {QStringLiteral("Erro ao tentar abrir a tabela. Verifique se\reste é um arquivo válido ou se já não está "
                           "sendo usado."),
            QStringLiteral("Erro na Importação"), core::Icon::Error, core::Button::Ok};
}

bool isOwnRegister(const data::Database &db, const QString &path)
{
    if (data::ServerAddress::isServerAddress(path)) {
        if (!db.isServerYear())
            return false;
        const data::ServerAddress source = data::ServerAddress::parse(path);
        const data::ServerAddress own = data::ServerAddress::parse(db.directory());
        return own.conninfo == source.conninfo && own.schema == source.schema;
    }
    const QFileInfo picked(path);
    const QString folder = picked.isDir() ? picked.canonicalFilePath() : picked.absoluteDir().canonicalPath();
    return picked.suffix().compare(u"dbf", Qt::CaseInsensitive) != 0 && folder == QDir(db.directory()).canonicalPath();
}

core::Message ownRegisterRefusal()
{
    return {QStringLiteral("O cadastro de alunos não pode ser importado dele mesmo."), QStringLiteral("Erro na Importação"),
            core::Icon::Error, core::Button::Ok};
}

std::unique_ptr<data::Dataset> openImportSource(const data::Database &db, const QString &path)
{
    if (isOwnRegister(db, path))
        throw data::StoreError(ownRegisterRefusal().text);
    // A school that keeps its years on a server has last year's register there too.
    return data::openExternalTable(data::ServerAddress::isServerAddress(path) ? data::ServerAddress::parse(path).text : path,
                                   QStringLiteral("ALUNOS"));
}

core::RunOutcome importStudents(const data::Database &db, data::Dataset &source, const ImportChoices &choices,
                                core::RunReporter &reporter)
{
    data::Table alunos(db, QStringLiteral("Alunos.DB"));
    alunos.setExclusive(true);
    alunos.setReadOnly(!data::holdsRight(core::session(), data::TableRight::Alunos));
    data::BulkRun run(db, reporter, {.offersCancel = true});
    QList<HeldNote> clearingLines;
    const core::RunOutcome outcome = run.run([&](data::BulkRun &r) {
        try {
            alunos.open();
            alunos.emptyTable();
        } catch (const data::StoreError &) {
            throw data::StoreError(kNotEmptied);
        }
        try {
            RegisterCopy(alunos, source, choices).run(r);
        } catch (const data::StoreError &error) {
            throw data::StoreError(QStringLiteral("A importação não pôde ser concluída:\r%1\r"
                                                  "O Cadastro de Alunos não foi alterado.")
                                       .arg(error.message()));
        }
        // The lock goes before the other tables are cleared.
        alunos.close();
        if (choices.promote)
            clearNewYearTables(r, clearingLines);
    });
    alunos.close();
    if (outcome == core::RunOutcome::Cancelled)
        reporter.note(core::Severity::Warning, QStringLiteral("Importação cancelada.\rO Cadastro de Alunos não foi alterado."),
                      QString());
    if (outcome == core::RunOutcome::Completed)
        for (const HeldNote &line : clearingLines)
            reporter.note(line.severity, line.text, line.caption);
    return outcome;
}

} // namespace students
