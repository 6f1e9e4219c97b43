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

enum RefreshGuard { kIdle, kOpenAndIdle };
enum RefreshErrors { kShown, kLogged };

AcademicTable entry(const char *objectName, const char *source, TableRight right, int refreshOrder,
                    const QStringList &waitsFor = {}, RefreshGuard guard = kIdle, RefreshErrors errors = kShown)
{
    AcademicTable t{QString::fromLatin1(objectName), QString::fromLatin1(source), right};
    t.refreshOrder = refreshOrder;
    t.waitsFor = waitsFor;
    t.waitsForOpen = guard == kOpenAndIdle;
    t.refreshErrorsIgnored = errors == kLogged;
    return t;
}

AcademicTable live(AcademicTable t)
{
    t.liveQuery = true;
    return t;
}

AcademicTable settingsTable(AcademicTable t)
{
    t.settings = true;
    return t;
}

} // namespace

const QList<AcademicTable> &academicTables()
{
    using R = TableRight;
    // The charge views are re-read only while the student's charge rows are not being edited,
    // and the tables that show subject names only while DISCPL is not.
    static const QList<AcademicTable> tables{
        entry("tblAlunos", "Alunos.DB", R::Alunos, 2, {"tblCCorrent2", "tblDiscpl"}, kOpenAndIdle),
        entry("tblAlunos2", "Alunos.DB", R::Carnes, 8, {"tblCCorrent2"}, kIdle, kLogged),
        entry("tblNotas", "NOTAS.DB", R::Notas, 3),
        live(entry("qryNotas", "select * from notas", R::Notas, 13, {"tblDiscpl"})),
        entry("tblDiscpl", "DISCPL.DB", R::Tabelas, 14),
        entry("tblHistoric", "Historic.db", R::Alunos, 12),
        entry("tblCCorrent", "Ccorrent.DB", R::Carnes, 9, {"tblCCorrent2"}, kIdle, kLogged),
        entry("tblCCorrent2", "Ccorrent.DB", R::Alunos, 10, {}, kIdle, kLogged),
        entry("tblDiscTurma", "Discturm.DB", R::Tabelas, 15, {"tblDiscpl"}),
        entry("tblTabTurma", "Tabturma.DB", R::Tabelas, 11, {"tblDiscTurma", "tblDiscpl"}),
        entry("tblFuncionarios", "Funcionarios.DB", R::Tabelas, 17),
        entry("tblNotasUni1", "NotasUni1.DB", R::Notas, 4),
        entry("tblNotasUni2", "NotasUni2.DB", R::Notas, 5),
        entry("tblNotasUni3", "NotasUni3.DB", R::Notas, 6),
        entry("tblNotasUni4", "NotasUni4.DB", R::Notas, 7),
        entry("tblDiscProf", "DiscProf.db", R::Tabelas, 16, {"tblDiscpl"}),
        entry("tblPosicao", "posicao.db", R::Tabelas, 1),
        settingsTable(entry("tblUsuario", "Usuario.DB", R::Supervisor, 0)),
    };
    return tables;
}

TDataModule1::TDataModule1(QObject *parent)
    : QObject(parent),
      m_classNames(std::make_unique<LookupCache>(kDatabase, QStringLiteral("Tabturma"),
                                                 QStringLiteral("TURMA"), QStringLiteral("DESCRICAO"))),
      m_subjectNames(std::make_unique<LookupCache>(kDatabase, QStringLiteral("DISCPL"),
                                                   QStringLiteral("CODIGO"), QStringLiteral("DESCRICAO")))
{
    for (const AcademicTable &t : academicTables()) {
        Dataset *dataset = t.liveQuery ? static_cast<Dataset *>(new LiveQuery(kDatabase, t.source, this))
                                       : new Table(kDatabase, t.source, this);
        dataset->setObjectName(t.objectName);
        m_datasets.insert(t.objectName, dataset);
        m_guarded.append({dataset, t.right});
    }

    tblHistoric().setMaster(&tblAlunos(), QStringLiteral("Matricula"), QStringLiteral("MATRICULA"));
    tblCCorrent2().setMaster(&tblAlunos(), QStringLiteral("Matricula"), QStringLiteral("MATRICULA"));
    tblAlunos2().setMaster(&tblCCorrent(), QStringLiteral("MATRICULA"), QStringLiteral("Matricula"));

    addCalculatedFields();
    m_studentRules = std::make_unique<StudentRules>(tblAlunos(), [this](int count) { emit studentCountChanged(count); });
    attachChargeRules(tblCCorrent());
    attachChargeRules(tblCCorrent2());
    attachSubjectRules(tblDiscTurma(), tblTabTurma());
    attachUnitSave();
    attachWriteThroughLookups();
    m_refresh = std::make_unique<NetworkRefresh>(*this);
}

TDataModule1::~TDataModule1() = default;

Table &TDataModule1::table(const QString &objectName) const
{
    return *qobject_cast<Table *>(&dataset(objectName));
}

Dataset &TDataModule1::dataset(const QString &objectName) const
{
    Dataset *dataset = m_datasets.value(objectName);
    Q_ASSERT(dataset);
    return *dataset;
}

void TDataModule1::addCalculatedFields()
{
    for (Table *alunos : {&tblAlunos(), &tblAlunos2()}) {
        alunos->addCalculatedField(QStringLiteral("cturmaDesc"), FieldType::Text, 30);
        alunos->events.onCalcFields = [this](Dataset &row) {
            row.setValue("cturmaDesc", m_classNames->value(row.asText("TURMA")));
        };
    }

    tblTabTurma().addCalculatedField(QStringLiteral("cSerie"), FieldType::Text, 5);
    tblTabTurma().addCalculatedField(QStringLiteral("cTurma"), FieldType::Text, 20);
    tblTabTurma().events.onCalcFields = [](Dataset &row) {
        const QString schoolClass = row.asText("TURMA");
        row.setValue("cSerie", schoolClass.left(3));
        row.setValue("cTurma", schoolClass + QStringLiteral(" - ") + row.asText("DESCRICAO"));
    };

    tblDiscTurma().addCalculatedField(QStringLiteral("Disciplina"), FieldType::Text, 25);
    tblDiscTurma().events.onCalcFields = [this](Dataset &row) {
        row.setValue("Disciplina", m_subjectNames->value(row.asText("CODIGO")));
    };

    tblDiscProf().addCalculatedField(QStringLiteral("cDisciplina"), FieldType::Text, 20);
    tblDiscProf().events.onCalcFields = [this](Dataset &row) {
        const QString code = row.asText("DISCPL_COD");
        row.setValue("cDisciplina", code + QStringLiteral(" - ") + m_subjectNames->value(code));
    };

    for (Dataset *notas : std::initializer_list<Dataset *>{&tblNotas(), &qryNotas()}) {
        notas->addCalculatedField(QStringLiteral("cDisciplina"), FieldType::Text, 20);
        notas->events.onCalcFields = [this](Dataset &row) {
            row.setValue("cDisciplina", m_subjectNames->value(row.asText("DISC")));
        };
        keepDisplayFormats(*notas, {{QStringLiteral("UND1"), QStringLiteral("0.0")},
                                    {QStringLiteral("UND2"), QStringLiteral("0.0")},
                                    {QStringLiteral("UND3"), QStringLiteral("0.0")},
                                    {QStringLiteral("UND4"), QStringLiteral("0.0")}});
    }

    for (Table *ccorrent : {&tblCCorrent(), &tblCCorrent2()}) {
        ccorrent->addCalculatedField(QStringLiteral("cValorFinal"), FieldType::Money);
        ccorrent->events.onCalcFields = [](Dataset &row) {
            row.setMoney("cValorFinal", row.asMoney("ParcelaValor") + row.asMoney("Acrescimos")
                                            - (row.asMoney("DescontoFixo") + row.asMoney("DescontoEventual")));
        };
    }

    keepDisplayFormats(tblPosicao(), {{QStringLiteral("PONTOS1"), QStringLiteral("#0.0")},
                                    {QStringLiteral("PONTOS2"), QStringLiteral("#0.0")},
                                    {QStringLiteral("PONTOS3"), QStringLiteral("#0.0")},
                                    {QStringLiteral("PONTOS4"), QStringLiteral("#0.0")}});
}

void TDataModule1::attachUnitSave()
{
    for (int unit = 1; unit <= 4; ++unit) {
        tblNotasUni(unit).events.beforePost = [this, unit](Dataset &row) {
            if (m_unitRowSave)
                m_unitRowSave(row, unit);
        };
    }
}

void TDataModule1::attachWriteThroughLookups()
{
    tblDiscpl().events.afterPost = [this](Dataset &) { m_subjectNames->invalidate(); };
    tblDiscpl().events.afterDelete = [this](Dataset &) { m_subjectNames->invalidate(); };
    tblTabTurma().events.afterPost = [this](Dataset &) { m_classNames->invalidate(); };
    tblTabTurma().events.afterDelete = [this](Dataset &) { m_classNames->invalidate(); };
}

Table &TDataModule1::tblAlunos() { return table(QStringLiteral("tblAlunos")); }
Table &TDataModule1::tblAlunos2() { return table(QStringLiteral("tblAlunos2")); }
Table &TDataModule1::tblCCorrent() { return table(QStringLiteral("tblCCorrent")); }
Table &TDataModule1::tblCCorrent2() { return table(QStringLiteral("tblCCorrent2")); }
Table &TDataModule1::tblHistoric() { return table(QStringLiteral("tblHistoric")); }
Table &TDataModule1::tblNotas() { return table(QStringLiteral("tblNotas")); }
Table &TDataModule1::tblNotasUni(int unit) { return table(QStringLiteral("tblNotasUni%1").arg(qBound(1, unit, 4))); }
Table &TDataModule1::tblDiscpl() { return table(QStringLiteral("tblDiscpl")); }
Table &TDataModule1::tblDiscTurma() { return table(QStringLiteral("tblDiscTurma")); }
Table &TDataModule1::tblTabTurma() { return table(QStringLiteral("tblTabTurma")); }
Table &TDataModule1::tblFuncionarios() { return table(QStringLiteral("tblFuncionarios")); }
Table &TDataModule1::tblDiscProf() { return table(QStringLiteral("tblDiscProf")); }
Table &TDataModule1::tblPosicao() { return table(QStringLiteral("tblPosicao")); }
Table &TDataModule1::tblUsuario() { return table(QStringLiteral("tblUsuario")); }
LiveQuery &TDataModule1::qryNotas() { return *qobject_cast<LiveQuery *>(m_datasets.value(QStringLiteral("qryNotas"))); }

QList<Dataset *> TDataModule1::academicDatasets() const
{
    QList<Dataset *> datasets;
    for (const AcademicTable &t : academicTables())
        if (!t.settings)
            datasets.append(&dataset(t.objectName));
    return datasets;
}

Dataset *TDataModule1::datasetForTable(const QString &tableOrFileName) const
{
    // The first view of a table is the one declared first.
    const QString key = tableKey(tableOrFileName);
    for (const AcademicTable &t : academicTables())
        if (!t.liveQuery && tableKey(t.source) == key)
            return &dataset(t.objectName);
    return nullptr;
}

QList<DatasetLink> TDataModule1::links() const
{
    auto view = [this](const char *name) { return static_cast<Dataset *>(&table(QString::fromLatin1(name))); };
    return {{view("tblAlunos"), view("tblHistoric"), {QStringLiteral("MATRICULA")}, {QStringLiteral("Matricula")}},
            {view("tblAlunos"), view("tblCCorrent2"), {QStringLiteral("MATRICULA")}, {QStringLiteral("Matricula")}},
            {view("tblCCorrent"), view("tblAlunos2"), {QStringLiteral("Matricula")}, {QStringLiteral("MATRICULA")}},
            {view("tblTabTurma"), view("tblDiscTurma"), {QStringLiteral("TURMA")}, {QStringLiteral("SERIE")}, true}};
}

void TDataModule1::closeTables(bool includingSettings)
{
    for (const AcademicTable &t : academicTables())
        if (includingSettings || !t.settings)
            dataset(t.objectName).close();
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
