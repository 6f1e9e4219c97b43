#include "data/settings/SettingsStore.h"

#include "core/Session.h"
#include "data/settings/QuorvelIni.h"
#include "data/store/Database.h"
#include "data/store/Table.h"

#include <QStringList>
#include <utility>

namespace data {

namespace {

// Column of the settings table and the value of the record written into it.
using Column = std::pair<QString, QVariant>;

QList<Column> columnsOf(const Settings &r)
{
    bool numericYear = false;
    const int year = r.Ano_Ref.trimmed().toInt(&numericYear);
    // The fine goes in with two decimals, as the table has always kept it.
    const double fine = QString::number(r.Juros, 'f', 2).toDouble();
    return {
        {"Estabel", r.Estabel},
        {"Endereco", r.Endereco},
        {"Municipio", r.Municipio},
        {"UF", r.UF},
        {"CGC", r.CGC},
        {"Fone", r.Fone},
        {"Ano_Ref", numericYear ? QVariant(year) : QVariant()},
        {"Num_Cadastro", r.Num_Cadastro},
        {"Juros", fine},
        {"Data_Venc", r.Data_Venc},
        {"Uni_Media", r.Uni_Media},
        {"Ger_Media", r.Ger_Media},
        {"Peso_1", r.Peso_1},
        {"Peso_2", r.Peso_2},
        {"Unid_Aval", r.Unid_Aval},
        {"Limite_Dep", r.Limite_Dep},
        {"Recup_Media", r.Recup_Media},
        {"PesoUND1", r.PesoUND1},
        {"PesoUND2", r.PesoUND2},
        {"PesoUND3", r.PesoUND3},
        {"PesoUND4", r.PesoUND4},
        {"Arredondamento", r.Arredondamento},
        {"Usa_Rede", r.Usa_Rede},
        {"Termo_Func", r.Termo_Func},
        {"Termo_Unidade", r.Termo_Unidade},
        {"Termo_Recup", r.Termo_Recup},
        {"Turma_Disc", r.Turma_Disc},
        {"Version_Info", QStringLiteral("20090601")},
    };
}

class RowReader
{
public:
    explicit RowReader(const Table &table) : m_table(table) {}

    bool has(const char *field) const
    {
        return m_table.recordCount() > 0 && m_table.hasField(QString::fromLatin1(field)) &&
               !m_table.isBlank(QString::fromLatin1(field));
    }
    void text(const char *field, QString &item, int limit) const
    {
        if (has(field))
            item = m_table.asText(QString::fromLatin1(field)).left(limit);
    }
    void whole(const char *field, int &item) const
    {
        if (has(field))
            item = qRound(m_table.asFloat(QString::fromLatin1(field)));
    }
    void real(const char *field, double &item) const
    {
        if (has(field))
            item = m_table.asFloat(QString::fromLatin1(field));
    }
    void logical(const char *field, bool &item) const
    {
        if (has(field))
            item = m_table.asLogical(QString::fromLatin1(field));
    }

private:
    const Table &m_table;
};

void readRow(const Table &table, Settings &r)
{
    namespace L = settingsLimits;
    const RowReader row(table);
    row.text("Estabel", r.Estabel, L::Estabel);
    row.text("Endereco", r.Endereco, L::Endereco);
    row.text("Municipio", r.Municipio, L::Municipio);
    row.text("UF", r.UF, L::UF);
    row.text("CGC", r.CGC, L::CGC);
    row.text("FONE", r.Fone, L::Fone);
    row.text("NUM_CADASTRO", r.Num_Cadastro, L::Num_Cadastro);
    if (row.has("ANO_REF"))
        r.Ano_Ref = QString::number(table.asInteger("ANO_REF")).left(L::Ano_Ref);
    row.real("Juros", r.Juros);
    row.whole("DATA_VENC", r.Data_Venc);
    row.whole("UNI_MEDIA", r.Uni_Media);
    row.whole("GER_MEDIA", r.Ger_Media);
    row.whole("PESO_1", r.Peso_1);
    row.whole("PESO_2", r.Peso_2);
    row.whole("UNID_AVAL", r.Unid_Aval);
    row.whole("LIMITE_DEP", r.Limite_Dep);
    row.logical("Recup_Media", r.Recup_Media);
    row.whole("PesoUND1", r.PesoUND1);
    row.whole("PesoUND2", r.PesoUND2);
    row.whole("PesoUND3", r.PesoUND3);
    row.whole("PesoUND4", r.PesoUND4);
    row.whole("Arredondamento", r.Arredondamento);
    row.logical("Usa_Rede", r.Usa_Rede);
    row.text("Termo_Func", r.Termo_Func, L::Termo_Func);
    row.text("Termo_Unidade", r.Termo_Unidade, L::Termo_Unidade);
    row.text("Termo_Recup", r.Termo_Recup, L::Termo_Recup);
    row.logical("Turma_Disc", r.Turma_Disc);
}

void writeRecord(const Database &db, const Settings &record)
{
    QStringList assignments;
    QStringList names;
    QStringList placeholders;
    SqlParams params;
    for (const auto &[column, value] : columnsOf(record)) {
        assignments += column + QStringLiteral(" = :") + column;
        names += column;
        placeholders += u':' + column;
        params.insert(column, value);
    }
    // Every row takes the values; a table left without its row gets one, so nothing is lost.
    if (db.exec(QStringLiteral("update Usuario set ") + assignments.join(QStringLiteral(", ")),
                params) == 0)
        db.exec(QStringLiteral("insert into Usuario (%1) values (%2)")
                    .arg(names.join(QStringLiteral(", ")), placeholders.join(QStringLiteral(", "))),
                params);
}

} // namespace

void loadSettings(const Database &db, Settings &record)
{
    Table table(db, QStringLiteral("Usuario.DB"));
    table.open();
    table.first();
    Settings loaded = Settings::defaults(core::session().schoolYear);
    readRow(table, loaded);
    table.close();
    loaded.computeDerived();
    record = loaded;
}

void loadSettings()
{
    loadSettings(Database::named(QString::fromLatin1(kMainDatabaseName)), settings());
}

bool saveSettings(const Database &db, Settings &record, IniFileUse ini)
{
    try {
        if (ini == IniFileUse::Read)
            readQuorvelIni(db.directory(), record);
        writeRecord(db, record);
        return true;
    } catch (const std::exception &) {
        return false; // a failing save is silent; the record keeps its values
    }
}

bool saveSettings(IniFileUse ini)
{
    try {
        return saveSettings(Database::named(QString::fromLatin1(kMainDatabaseName)), settings(),
                            ini);
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace data
