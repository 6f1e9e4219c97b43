#include "billing/receipt/ChargeLookup.h"

#include "core/Formats.h"
#include "data/store/Query.h"

#include <optional>

namespace billing {

namespace {

const QString kChargeTable = QStringLiteral("Ccorrent.DB");

// The value as the field's type reads it; nullopt when it does not read.
std::optional<QVariant> typedValue(const data::FieldDef &field, const QString &text)
{
    switch (field.type) {
    case data::FieldType::Float:
    case data::FieldType::Money:
        if (const std::optional<double> number = core::parseNumber(text))
            return QVariant(*number);
        return std::nullopt;
    case data::FieldType::Short:
    case data::FieldType::Long:
    case data::FieldType::AutoIncrement:
        if (const std::optional<qint64> number = core::parseInteger(text))
            return QVariant(*number);
        return std::nullopt;
    case data::FieldType::Date:
        if (const std::optional<QDate> date = core::parseDate(text))
            return QVariant(*date);
        if (const QDate iso = QDate::fromString(text, Qt::ISODate); iso.isValid())
            return QVariant(iso);
        return std::nullopt;
    default:
        return QVariant(text);
    }
}

QString describe(const QList<KeyValue> &key)
{
    QStringList parts;
    for (const KeyValue &pair : key)
        parts << pair.field + u'=' + pair.value;
    return parts.join(QStringLiteral(", "));
}

std::optional<double> optionalNumber(const data::Dataset &row, const char *field)
{
    if (row.isBlank(field))
        return std::nullopt;
    return row.asFloat(field);
}

} // namespace

ChargeRecord chargeOfCurrentRow(const data::Dataset &ccorrent)
{
    ChargeRecord record;
    ChargeOnReceipt &charge = record.charge;
    charge.turma = ccorrent.asText("TURMA");
    charge.nossoNum = optionalNumber(ccorrent, "NossoNum");
    charge.tipo = ccorrent.asText("Tipo");
    charge.parcelaNum = int(ccorrent.asInteger("ParcelaNum"));
    charge.parcelaData = ccorrent.asDate("ParcelaData");
    charge.parcelaValor = ccorrent.asMoney("ParcelaValor");
    charge.descontoFixo = ccorrent.asMoney("DescontoFixo");
    charge.descontoEventual = ccorrent.asMoney("DescontoEventual");
    charge.acrescimos = ccorrent.asMoney("Acrescimos");
    charge.pgtoValor = ccorrent.asMoney("PgtoValor");
    charge.pgtoData = ccorrent.asDate("PgtoData");
    record.matricula = ccorrent.asFloat("Matricula");
    record.nome = ccorrent.asText("NOME");
    return record;
}

ChargeRecord findCharge(const data::Database &db, const QList<KeyValue> &key)
{
    if (key.isEmpty())
        throw ChargeLookupError(QStringLiteral("Informe os campos que identificam a cobrança."));
    const data::TableDef layout = db.layout(kChargeTable);
    // Field names come from the table's own layout and values are bound, so nothing typed
    // ends up in the statement's text.
    QStringList conditions;
    data::SqlParams params;
    for (const KeyValue &pair : key) {
        const data::FieldDef *field = layout.field(pair.field.trimmed());
        if (!field)
            throw ChargeLookupError(
                QStringLiteral("O campo %1 não existe na tabela de cobranças.").arg(pair.field));
        if (pair.value.trimmed().isEmpty()) {
            conditions << QStringLiteral("(%1 is null)").arg(field->name);
            continue;
        }
        const std::optional<QVariant> value = typedValue(*field, pair.value.trimmed());
        if (!value)
            throw ChargeLookupError(
                QStringLiteral("Valor inválido para o campo %1: %2").arg(field->name, pair.value));
        const QString name = QStringLiteral("k%1").arg(params.size());
        conditions << QStringLiteral("(%1 = :%2)").arg(field->name, name);
        params.insert(name, *value);
    }
    data::Query rows(db);
    rows.setSql(QStringLiteral("select * from Ccorrent where ") +
                conditions.join(QStringLiteral(" and ")));
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        rows.bind(it.key(), it.value());
    rows.open();
    if (rows.recordCount() == 0)
        throw ChargeLookupError(
            QStringLiteral("Nenhuma cobrança encontrada com %1.").arg(describe(key)));
    if (rows.recordCount() > 1)
        throw ChargeLookupError(
            QStringLiteral("%1 cobranças encontradas com %2; informe mais campos "
                           "(Tipo, ParcelaNum, NossoNum...).")
                .arg(rows.recordCount())
                .arg(describe(key)));
    rows.first();
    return chargeOfCurrentRow(rows);
}

StudentOnReceipt findStudent(const data::Database &db, const ChargeRecord &record)
{
    StudentOnReceipt student;
    student.matricula = record.matricula;
    student.nome = record.nome;
    data::Query alunos(db);
    alunos.setSql(
        QStringLiteral("select NOME, NOME_RESP from ALUNOS where MATRICULA = :matricula"));
    alunos.bind(QStringLiteral("matricula"), record.matricula);
    alunos.open();
    if (!alunos.isEmpty()) {
        student.nome = alunos.asText("NOME");
        student.nomeResp = alunos.asText("NOME_RESP");
    }
    return student;
}

} // namespace billing
