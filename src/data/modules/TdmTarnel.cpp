#include "data/modules/TdmTarnel.h"

#include "core/Diagnostics.h"
#include "core/Dialogs.h"
#include "data/modules/CashBookNumbering.h"
#include "data/modules/RowTransaction.h"
#include "data/modules/RuleStatement.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Query.h"
#include "data/store/Table.h"

#include <QRegularExpression>
#include <functional>
#include <memory>

namespace data {

namespace {

const QString kDatabase = QString::fromLatin1(kMainDatabaseName);
const QString kSaveFailed = QStringLiteral("Ocorreu erro na gravação, operação cancelada");
const QString kDeleteFailed = QStringLiteral("Ocorreu erro na exclusão, operação cancelada");

// The change is dropped, the store's own message replaced by the module's.
void failSave(Dataset &dataset)
{
    dataset.cancel();
    core::showError(kSaveFailed);
    throw Abort();
}

using RowHandler = std::function<void(Dataset &)>;
using NumberHandler = std::function<void(Dataset &, const CashBookNumbering &)>;

// Every save of the cash book is one write transaction: the numbers its rules take, and the
// running numbers the store gives (banks), are written by the transaction that read them.
// `check` runs first and may show a message (no lock is held yet); `number` fills a new row's
// numbers inside the transaction. Every failure cancels the change with the module's message;
// the store's own text goes to the log.
void guardWrites(Table &table, const QString &deleteFailed, RowHandler check = {}, NumberHandler number = {})
{
    auto write = std::make_shared<RowTransaction>();
    auto fail = [write](Dataset &d, const QString &why, const QString &message) {
        write->rollback();
        qCWarning(core::lcBilling) << d.objectName() << why;
        d.cancel();
        core::showError(message);
    };
    table.events.beforePost = [&table, write, check, number, fail](Dataset &row) {
        if (check)
            check(row);
        write->begin(table.database());
        if (!number || row.state() != DatasetState::Insert)
            return;
        try {
            number(row, CashBookNumbering(table.database()));
        } catch (const RuleStatementError &e) {
            fail(row, e.statement() + QStringLiteral(" -> ") + e.message(), kSaveFailed);
            throw Abort();
        }
    };
    table.events.afterPost = [write, fail](Dataset &row) {
        try {
            write->commit();
        } catch (const StoreError &e) {
            fail(row, e.message(), kSaveFailed);
            row.refresh();
        }
    };
    auto saveError = [fail](Dataset &d, const StoreError &e, ErrorAction &action) {
        fail(d, e.message(), kSaveFailed);
        action = ErrorAction::Abort;
    };
    table.events.onPostError = saveError;
    table.events.onEditError = saveError;
    table.events.onDeleteError = [fail, deleteFailed](Dataset &d, const StoreError &e, ErrorAction &action) {
        fail(d, e.message(), deleteFailed);
        action = ErrorAction::Abort;
    };
}

// A number shown on a new row while it is typed; the post takes the number again inside its
// transaction, so this one only has to be a good guess.
void showProvisionalNumber(Dataset &row, const char *field, const std::function<int()> &number)
{
    try {
        row.setInteger(field, number());
    } catch (const RuleStatementError &e) {
        qCWarning(core::lcBilling) << e.statement() << "->" << e.message();
    }
}

} // namespace

TdmTarnel::TdmTarnel(QObject *parent) : QObject(parent)
{
    m_grupoConta = makeTable("taGrupoConta", "GrupoConta.DB");
    m_grupoConta->setIndexFields(QStringLiteral("Tipo_Grupo;CodGrupo_Grupo"));
    m_conta = makeTable("taConta", "Conta.DB");
    m_movFin = makeTable("taMovFin", "MovFin.DB");
    m_bancos = makeTable("taBancos", "Bancos.db");

    m_contas = new Query(kDatabase, this);
    m_contas->setObjectName(QStringLiteral("qryContas"));
    m_contas->setSql(QStringLiteral(
        "select Conta.CodGrupo_Conta, Conta.CodGrupo_Grupo, Conta.CodConta_Conta, Conta.Descricao_Conta, "
        "GrupoConta.Tipo_Grupo, GrupoConta.Descricao_Grupo "
        "from Conta inner join GrupoConta on (Conta.CodGrupo_Conta = GrupoConta.Tipo_Grupo) "
        "and (Conta.CodGrupo_Grupo = GrupoConta.CodGrupo_Grupo) "
        "order by GrupoConta.Tipo_Grupo, Conta.CodGrupo_Grupo, Conta.CodConta_Conta"));

    m_conta->setMaster(m_grupoConta, QStringLiteral("CodGrupo_Conta;CodGrupo_Grupo"),
                       QStringLiteral("Tipo_Grupo;CodGrupo_Grupo"));
    m_movFin->setMaster(m_contas, QStringLiteral("CodGrupo_MovFin;CodGrupo_Grupo;CodConta_MovFin"),
                        QStringLiteral("TIPO_GRUPO;CODGRUPO_GRUPO;CODCONTA_CONTA"));

    m_grupoConta->addCalculatedField(QStringLiteral("cTipo_Grupo"), FieldType::Text, 12);
    m_grupoConta->events.onCalcFields = [](Dataset &row) {
        row.setValue("cTipo_Grupo", row.asText("Tipo_Grupo") == u"0" ? QStringLiteral("RECEITA")
                                                                       : QStringLiteral("DESPESA"));
    };
    m_conta->addCalculatedField(QStringLiteral("cTipo"), FieldType::Text, 8);
    m_conta->events.onCalcFields = [](Dataset &row) {
        row.setValue("cTipo", row.asText("CodGrupo_Conta") == u"0" ? QStringLiteral("Receita")
                                                                    : QStringLiteral("Despesa"));
    };
    QObject::connect(m_conta, &Dataset::stateChanged, m_conta, [this] {
        if (m_conta->isOpen() && m_conta->field("Meta_Conta").displayFormat.isEmpty()) {
            m_conta->setDisplayFormat("Meta_Conta", QStringLiteral("###,##0.00"));
            m_conta->setDisplayFormat("DATA_VENC", QStringLiteral("00"));
        }
    });
    QObject::connect(m_movFin, &Dataset::stateChanged, m_movFin, [this] {
        if (m_movFin->isOpen() && m_movFin->field("Valor_MovFin").displayFormat.isEmpty())
            m_movFin->setDisplayFormat("Valor_MovFin", QStringLiteral("###,##0.00"));
    });

    attachRules();
}

TdmTarnel::~TdmTarnel() = default;

Table *TdmTarnel::makeTable(const char *objectName, const char *fileName)
{
    auto *table = new Table(kDatabase, QString::fromLatin1(fileName), this);
    table->setObjectName(QString::fromLatin1(objectName));
    m_guarded.append({table, TableRight::Caixa});
    return table;
}

void TdmTarnel::attachRules()
{
    m_grupoConta->events.onNewRecord = [this](Dataset &row) {
        const QString kind = QString::number(m_groupKind);
        row.setText("Tipo_Grupo", kind);
        showProvisionalNumber(row, "CodGrupo_Grupo", [this, kind] {
            return CashBookNumbering(m_grupoConta->database()).nextGroupNumber(kind);
        });
    };
    guardWrites(*m_grupoConta, kDeleteFailed, {}, [](Dataset &row, const CashBookNumbering &numbers) {
        row.setInteger("CodGrupo_Grupo", numbers.nextGroupNumber(row.asText("Tipo_Grupo")));
    });

    m_conta->events.onNewRecord = [this](Dataset &row) {
        const QVariant kind = m_grupoConta->isOpen() ? m_grupoConta->value("Tipo_Grupo") : row.value("CodGrupo_Conta");
        const QVariant group = m_grupoConta->isOpen() ? m_grupoConta->value("CodGrupo_Grupo") : row.value("CodGrupo_Grupo");
        row.setValue("CodGrupo_Conta", kind);
        row.setValue("CodGrupo_Grupo", group);
        showProvisionalNumber(row, "CodConta_Conta", [this, kind, group] {
            return CashBookNumbering(m_conta->database()).nextAccountNumber(kind.toString(), group);
        });
    };
    guardWrites(
        *m_conta, kDeleteFailed,
        [](Dataset &row) {
            if (row.isBlank("DATA_VENC"))
                return;
            const qint64 day = row.asInteger("DATA_VENC");
            if (day < 0 || day > 31) {
                core::warn(QStringLiteral("Valor deve estar entre '01' e '31'."));
                row.setInteger("DATA_VENC", 1);
            }
        },
        [](Dataset &row, const CashBookNumbering &numbers) {
            row.setInteger("CodConta_Conta",
                           numbers.nextAccountNumber(row.asText("CodGrupo_Conta"), row.value("CodGrupo_Grupo")));
        });

    guardWrites(
        *m_movFin, QStringLiteral("Ocorreu erro durante a exclusão, operação cancelada"),
        [this](Dataset &row) {
            if (!m_contas->isOpen() || m_contas->isEmpty())
                failSave(row);
            row.setValue("CodGrupo_Grupo", m_contas->value("CODGRUPO_GRUPO"));
            row.setValue("CodConta_MovFin", m_contas->value("CODCONTA_CONTA"));
            row.setValue("CodGrupo_MovFin", m_contas->value("TIPO_GRUPO"));
        },
        [](Dataset &row, const CashBookNumbering &numbers) {
            row.setInteger("CodMovFin_MovFin", numbers.nextEntryNumber());
        });

    guardWrites(*m_bancos, kDeleteFailed);
}

Table &TdmTarnel::taGrupoConta() { return *m_grupoConta; }
Table &TdmTarnel::taConta() { return *m_conta; }
Table &TdmTarnel::taMovFin() { return *m_movFin; }
Table &TdmTarnel::taBancos() { return *m_bancos; }
Query &TdmTarnel::qryContas() { return *m_contas; }

QList<Dataset *> TdmTarnel::datasets() const
{
    return {m_grupoConta, m_conta, m_movFin, m_bancos, m_contas};
}

Dataset *TdmTarnel::datasetForTable(const QString &tableOrFileName) const
{
    static const QRegularExpression extension(QStringLiteral("\\.db$"), QRegularExpression::CaseInsensitiveOption);
    const QString key = QString(tableOrFileName).remove(extension).trimmed().toUpper();
    if (key == u"GRUPOCONTA")
        return m_grupoConta;
    if (key == u"CONTA")
        return m_conta;
    if (key == u"MOVFIN")
        return m_movFin;
    if (key == u"BANCOS")
        return m_bancos;
    return nullptr;
}

QList<DatasetLink> TdmTarnel::links() const
{
    return {{m_grupoConta, m_conta, {QStringLiteral("Tipo_Grupo"), QStringLiteral("CodGrupo_Grupo")},
             {QStringLiteral("CodGrupo_Conta"), QStringLiteral("CodGrupo_Grupo")}},
            {m_contas, m_movFin,
             {QStringLiteral("TIPO_GRUPO"), QStringLiteral("CODGRUPO_GRUPO"), QStringLiteral("CODCONTA_CONTA")},
             {QStringLiteral("CodGrupo_MovFin"), QStringLiteral("CodGrupo_Grupo"), QStringLiteral("CodConta_MovFin")}}};
}

void TdmTarnel::closeTables()
{
    for (Dataset *dataset : datasets())
        dataset->close();
}

void TdmTarnel::applyRights(const core::Session &session)
{
    m_contas->close();
    applyTableRights(m_guarded, session);
}

} // namespace data
