#include "data/modules/TdmTarnel.h"

#include "core/Dialogs.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Query.h"
#include "data/store/Table.h"

#include <QRegularExpression>

namespace data {

namespace {

const QString kDatabase = QString::fromLatin1(kMainDatabaseName);
const QString kSaveFailed = QStringLiteral("Ocorreu erro na gravação, operação cancelada");

// The change is dropped, the store's own message replaced by the module's.
void failSave(Dataset &dataset)
{
    dataset.cancel();
    core::showError(kSaveFailed);
    throw Abort();
}

void guardSaves(Dataset &dataset, const QString &deleteFailed)
{
    auto saveError = [](Dataset &d, const StoreError &, ErrorAction &action) {
        d.cancel();
        action = ErrorAction::Abort;
        core::showError(kSaveFailed);
    };
    dataset.events.onPostError = saveError;
    dataset.events.onEditError = saveError;
    dataset.events.onDeleteError = [deleteFailed](Dataset &d, const StoreError &, ErrorAction &action) {
        d.cancel();
        action = ErrorAction::Abort;
        core::showError(deleteFailed);
    };
}

int nextNumber(const QString &sql, const SqlParams &params)
{
    return int(Database::named(kDatabase).scalar(sql, params).toLongLong()) + 1;
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
        row.setInteger("CodGrupo_Grupo",
                       nextNumber(QStringLiteral("select max(CodGrupo_Grupo) from GrupoConta where Tipo_grupo = :tipogrupo"),
                                  {{QStringLiteral("tipogrupo"), kind}}));
    };

    m_conta->events.onNewRecord = [this](Dataset &row) {
        const QVariant kind = m_grupoConta->isOpen() ? m_grupoConta->value("Tipo_Grupo") : row.value("CodGrupo_Conta");
        const QVariant group = m_grupoConta->isOpen() ? m_grupoConta->value("CodGrupo_Grupo") : row.value("CodGrupo_Grupo");
        row.setValue("CodGrupo_Conta", kind);
        row.setValue("CodGrupo_Grupo", group);
        row.setInteger("CodConta_Conta",
                       nextNumber(QStringLiteral("select max(CodConta_Conta) from Conta where ((CodGrupo_grupo = "
                                                 ":CodGrupogrupo) and (codGrupo_conta = :tipogrupo))"),
                                  {{QStringLiteral("CodGrupogrupo"), group}, {QStringLiteral("tipogrupo"), kind}}));
    };

    m_conta->events.beforePost = [](Dataset &row) {
        if (row.isBlank("DATA_VENC"))
            return;
        const qint64 day = row.asInteger("DATA_VENC");
        if (day < 0 || day > 31) {
            core::warn(QStringLiteral("Valor deve estar entre '01' e '31'."));
            row.setInteger("DATA_VENC", 1);
        }
    };

    m_movFin->events.beforePost = [this](Dataset &row) {
        if (!m_contas->isOpen() || m_contas->isEmpty())
            failSave(row);
        row.setValue("CodGrupo_Grupo", m_contas->value("CODGRUPO_GRUPO"));
        row.setValue("CodConta_MovFin", m_contas->value("CODCONTA_CONTA"));
        row.setValue("CodGrupo_MovFin", m_contas->value("TIPO_GRUPO"));
    };

    guardSaves(*m_movFin, QStringLiteral("Ocorreu erro durante a exclusão, operação cancelada"));
    for (Table *table : {m_conta, m_bancos, m_grupoConta})
        guardSaves(*table, QStringLiteral("Ocorreu erro na exclusão, operação cancelada"));
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
