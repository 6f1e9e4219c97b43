#include "data/modules/TDataModule1.h"

#include "data/modules/ChargeRules.h"
#include "data/modules/LiveQuery.h"
#include "data/modules/LookupCache.h"
#include "data/modules/NetworkRefresh.h"
#include "data/modules/StudentRules.h"
#include "data/modules/SubjectRules.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Table.h"

#include <QHash>
#include <QRegularExpression>

namespace data {

namespace {

const QString kDatabase = QString::fromLatin1(kMainDatabaseName);

QString tableKey(const QString &tableOrFileName)
{
    static const QRegularExpression extension(QStringLiteral("\\.db$"), QRegularExpression::CaseInsensitiveOption);
    return QString(tableOrFileName).remove(extension).trimmed().toUpper();
}

// Display masks of stored fields are part of the fields the dataset builds when it opens, so
// they are put back on every opening.
void keepDisplayFormats(Dataset &dataset, const QHash<QString, QString> &masks)
{
    QObject::connect(&dataset, &Dataset::stateChanged, &dataset, [&dataset, masks] {
        if (!dataset.isOpen())
            return;
        for (auto it = masks.constBegin(); it != masks.constEnd(); ++it) {
            if (dataset.hasField(it.key()) && dataset.field(it.key()).displayFormat != it.value())
                dataset.setDisplayFormat(it.key(), it.value());
        }
    });
}

} // namespace

TDataModule1::TDataModule1(QObject *parent)
    : QObject(parent),
      m_classNames(std::make_unique<LookupCache>(kDatabase, QStringLiteral("Tabturma"),
                                                 QStringLiteral("TURMA"), QStringLiteral("DESCRICAO"))),
      m_subjectNames(std::make_unique<LookupCache>(kDatabase, QStringLiteral("DISCPL"),
                                                   QStringLiteral("CODIGO"), QStringLiteral("DESCRICAO")))
{
    m_alunos = makeTable("tblAlunos", "Alunos.DB", TableRight::Alunos);
    m_alunos2 = makeTable("tblAlunos2", "Alunos.DB", TableRight::Carnes);
    m_ccorrent = makeTable("tblCCorrent", "Ccorrent.DB", TableRight::Carnes);
    m_ccorrent2 = makeTable("tblCCorrent2", "Ccorrent.DB", TableRight::Alunos);
    m_historic = makeTable("tblHistoric", "Historic.db", TableRight::Alunos);
    m_notas = makeTable("tblNotas", "NOTAS.DB", TableRight::Notas);
    for (int unit = 1; unit <= 4; ++unit) {
        const QByteArray name = "tblNotasUni" + QByteArray::number(unit);
        const QByteArray file = "NotasUni" + QByteArray::number(unit) + ".DB";
        m_notasUni[unit - 1] = makeTable(name.constData(), file.constData(), TableRight::Notas);
    }
    m_discpl = makeTable("tblDiscpl", "DISCPL.DB", TableRight::Tabelas);
    m_discTurma = makeTable("tblDiscTurma", "Discturm.DB", TableRight::Tabelas);
    m_tabTurma = makeTable("tblTabTurma", "Tabturma.DB", TableRight::Tabelas);
    m_funcionarios = makeTable("tblFuncionarios", "Funcionarios.DB", TableRight::Tabelas);
    m_discProf = makeTable("tblDiscProf", "DiscProf.db", TableRight::Tabelas);
    m_posicao = makeTable("tblPosicao", "posicao.db", TableRight::Tabelas);
    m_usuario = makeTable("tblUsuario", "Usuario.DB", TableRight::Supervisor);
    m_qryNotas = new LiveQuery(kDatabase, QStringLiteral("select * from notas"), this);
    m_qryNotas->setObjectName(QStringLiteral("qryNotas"));
    m_guarded.append({m_qryNotas, TableRight::Notas});

    m_historic->setMaster(m_alunos, QStringLiteral("Matricula"), QStringLiteral("MATRICULA"));
    m_ccorrent2->setMaster(m_alunos, QStringLiteral("Matricula"), QStringLiteral("MATRICULA"));
    m_alunos2->setMaster(m_ccorrent, QStringLiteral("MATRICULA"), QStringLiteral("Matricula"));

    addCalculatedFields();
    m_studentRules = std::make_unique<StudentRules>(*m_alunos, [this](int count) { emit studentCountChanged(count); });
    attachChargeRules(*m_ccorrent);
    attachChargeRules(*m_ccorrent2);
    attachSubjectRules(*m_discTurma, *m_tabTurma);
    attachUnitSave();
    attachWriteThroughLookups();
    m_refresh = std::make_unique<NetworkRefresh>(*this);
}

TDataModule1::~TDataModule1() = default;

Table *TDataModule1::makeTable(const char *objectName, const char *fileName, TableRight right)
{
    auto *table = new Table(kDatabase, QString::fromLatin1(fileName), this);
    table->setObjectName(QString::fromLatin1(objectName));
    m_guarded.append({table, right});
    return table;
}

void TDataModule1::addCalculatedFields()
{
    for (Table *alunos : {m_alunos, m_alunos2}) {
        alunos->addCalculatedField(QStringLiteral("cturmaDesc"), FieldType::Text, 30);
        alunos->events.onCalcFields = [this](Dataset &row) {
            row.setValue("cturmaDesc", m_classNames->value(row.asText("TURMA")));
        };
    }

    m_tabTurma->addCalculatedField(QStringLiteral("cSerie"), FieldType::Text, 5);
    m_tabTurma->addCalculatedField(QStringLiteral("cTurma"), FieldType::Text, 20);
    m_tabTurma->events.onCalcFields = [](Dataset &row) {
        const QString schoolClass = row.asText("TURMA");
        row.setValue("cSerie", schoolClass.left(3));
        row.setValue("cTurma", schoolClass + QStringLiteral(" - ") + row.asText("DESCRICAO"));
    };

    m_discTurma->addCalculatedField(QStringLiteral("Disciplina"), FieldType::Text, 25);
    m_discTurma->events.onCalcFields = [this](Dataset &row) {
        row.setValue("Disciplina", m_subjectNames->value(row.asText("CODIGO")));
    };

    m_discProf->addCalculatedField(QStringLiteral("cDisciplina"), FieldType::Text, 20);
    m_discProf->events.onCalcFields = [this](Dataset &row) {
        const QString code = row.asText("DISCPL_COD");
        row.setValue("cDisciplina", code + QStringLiteral(" - ") + m_subjectNames->value(code));
    };

    for (Dataset *notas : std::initializer_list<Dataset *>{m_notas, m_qryNotas}) {
        notas->addCalculatedField(QStringLiteral("cDisciplina"), FieldType::Text, 20);
        notas->events.onCalcFields = [this](Dataset &row) {
            row.setValue("cDisciplina", m_subjectNames->value(row.asText("DISC")));
        };
        keepDisplayFormats(*notas, {{QStringLiteral("UND1"), QStringLiteral("0.0")},
                                    {QStringLiteral("UND2"), QStringLiteral("0.0")},
                                    {QStringLiteral("UND3"), QStringLiteral("0.0")},
                                    {QStringLiteral("UND4"), QStringLiteral("0.0")}});
    }

    for (Table *ccorrent : {m_ccorrent, m_ccorrent2}) {
        ccorrent->addCalculatedField(QStringLiteral("cValorFinal"), FieldType::Money);
        ccorrent->events.onCalcFields = [](Dataset &row) {
            row.setMoney("cValorFinal", row.asMoney("ParcelaValor") + row.asMoney("Acrescimos")
                                            - (row.asMoney("DescontoFixo") + row.asMoney("DescontoEventual")));
        };
    }

    keepDisplayFormats(*m_posicao, {{QStringLiteral("PONTOS1"), QStringLiteral("#0.0")},
                                    {QStringLiteral("PONTOS2"), QStringLiteral("#0.0")},
                                    {QStringLiteral("PONTOS3"), QStringLiteral("#0.0")},
                                    {QStringLiteral("PONTOS4"), QStringLiteral("#0.0")}});
}

void TDataModule1::attachUnitSave()
{
    for (int unit = 1; unit <= 4; ++unit) {
        m_notasUni[unit - 1]->events.beforePost = [this, unit](Dataset &row) {
            if (m_unitRowSave)
                m_unitRowSave(row, unit);
        };
    }
}

void TDataModule1::attachWriteThroughLookups()
{
    m_discpl->events.afterPost = [this](Dataset &) { m_subjectNames->invalidate(); };
    m_discpl->events.afterDelete = [this](Dataset &) { m_subjectNames->invalidate(); };
    m_tabTurma->events.afterPost = [this](Dataset &) { m_classNames->invalidate(); };
    m_tabTurma->events.afterDelete = [this](Dataset &) { m_classNames->invalidate(); };
}

Table &TDataModule1::tblAlunos() { return *m_alunos; }
Table &TDataModule1::tblAlunos2() { return *m_alunos2; }
Table &TDataModule1::tblCCorrent() { return *m_ccorrent; }
Table &TDataModule1::tblCCorrent2() { return *m_ccorrent2; }
Table &TDataModule1::tblHistoric() { return *m_historic; }
Table &TDataModule1::tblNotas() { return *m_notas; }
Table &TDataModule1::tblNotasUni(int unit) { return *m_notasUni.at(std::size_t(qBound(1, unit, 4) - 1)); }
Table &TDataModule1::tblDiscpl() { return *m_discpl; }
Table &TDataModule1::tblDiscTurma() { return *m_discTurma; }
Table &TDataModule1::tblTabTurma() { return *m_tabTurma; }
Table &TDataModule1::tblFuncionarios() { return *m_funcionarios; }
Table &TDataModule1::tblDiscProf() { return *m_discProf; }
Table &TDataModule1::tblPosicao() { return *m_posicao; }
Table &TDataModule1::tblUsuario() { return *m_usuario; }
LiveQuery &TDataModule1::qryNotas() { return *m_qryNotas; }

QList<Dataset *> TDataModule1::academicDatasets() const
{
    return {m_alunos,    m_alunos2,     m_notas,       m_qryNotas,       m_discpl,
            m_historic,  m_ccorrent,    m_ccorrent2,   m_discTurma,      m_tabTurma,
            m_funcionarios, m_notasUni[0], m_notasUni[1], m_notasUni[2], m_notasUni[3],
            m_discProf,  m_posicao};
}

Dataset *TDataModule1::datasetForTable(const QString &tableOrFileName) const
{
    const QString key = tableKey(tableOrFileName);
    const QHash<QString, Dataset *> tables{
        {QStringLiteral("ALUNOS"), m_alunos},         {QStringLiteral("CCORRENT"), m_ccorrent},
        {QStringLiteral("HISTORIC"), m_historic},     {QStringLiteral("NOTAS"), m_notas},
        {QStringLiteral("NOTASUNI1"), m_notasUni[0]}, {QStringLiteral("NOTASUNI2"), m_notasUni[1]},
        {QStringLiteral("NOTASUNI3"), m_notasUni[2]}, {QStringLiteral("NOTASUNI4"), m_notasUni[3]},
        {QStringLiteral("DISCPL"), m_discpl},         {QStringLiteral("DISCTURM"), m_discTurma},
        {QStringLiteral("TABTURMA"), m_tabTurma},     {QStringLiteral("FUNCIONARIOS"), m_funcionarios},
        {QStringLiteral("DISCPROF"), m_discProf},     {QStringLiteral("POSICAO"), m_posicao},
        {QStringLiteral("USUARIO"), m_usuario}};
    return tables.value(key);
}

QList<DatasetLink> TDataModule1::links() const
{
    return {{m_alunos, m_historic, {QStringLiteral("MATRICULA")}, {QStringLiteral("Matricula")}},
            {m_alunos, m_ccorrent2, {QStringLiteral("MATRICULA")}, {QStringLiteral("Matricula")}},
            {m_ccorrent, m_alunos2, {QStringLiteral("Matricula")}, {QStringLiteral("MATRICULA")}},
            {m_tabTurma, m_discTurma, {QStringLiteral("TURMA")}, {QStringLiteral("SERIE")}, true}};
}

void TDataModule1::closeTables(bool includingSettings)
{
    for (Dataset *dataset : academicDatasets())
        dataset->close();
    if (includingSettings)
        m_usuario->close();
}

void TDataModule1::applyRights(const core::Session &session)
{
    invalidateLookups();
    applyTableRights(m_guarded, session);
}

void TDataModule1::setNetworkRefresh(bool on)
{
    m_refresh->setEnabled(on);
}

bool TDataModule1::networkRefresh() const
{
    return m_refresh->isEnabled();
}

void TDataModule1::pauseRefresh()
{
    m_refresh->pause();
}

void TDataModule1::resumeRefresh()
{
    m_refresh->resume();
}

QStringList TDataModule1::refreshOpenTables()
{
    return m_refresh->refreshOnce();
}

NetworkRefresh &TDataModule1::refresher()
{
    return *m_refresh;
}

void TDataModule1::setUnitRowSave(UnitRowSave save)
{
    m_unitRowSave = std::move(save);
}

void TDataModule1::invalidateLookups()
{
    m_classNames->invalidate();
    m_subjectNames->invalidate();
}

} // namespace data
