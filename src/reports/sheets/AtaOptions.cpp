#include "reports/sheets/AtaOptions.h"

#include "reports/cards/CardChoices.h"

#include "core/Formats.h"

namespace reports {

namespace {

const QString kYear = QStringLiteral("geral");
const QString kFinal = QStringLiteral("final");

QString unitValue(AtaUnit unit)
{
    switch (unit) {
    case AtaUnit::Final:
        return kFinal;
    case AtaUnit::Year:
        return kYear;
    default:
        return QString::number(int(unit));
    }
}

} // namespace

QList<ReportParam> ataParams()
{
    ReportParam schoolClass{QStringLiteral("class"), QStringLiteral("Apenas a Turma"), ParamKind::Choice};
    schoolClass.choices = {{QString(), QStringLiteral("Todas as Turmas")}};
    schoolClass.choicesFrom = classEntries;
    QList<ParamChoice> units;
    for (int unit = 1; unit <= 4; ++unit)
        units.append({QString::number(unit), QStringLiteral("%1ª Unidade").arg(unit)});
    units.append({kYear, QStringLiteral("Média Geral")});
    units.append({kFinal, QStringLiteral("Média Final")});
    const AtaResultTexts texts;
    return {
        schoolClass,
        {QStringLiteral("keep-leavers"), QStringLiteral("Imprimir Desistentes / Transferidos"), ParamKind::Flag,
         QStringLiteral("N")},
        {QStringLiteral("last-day"), QStringLiteral("Último dia letivo"), ParamKind::Date},
        {QStringLiteral("secretary"), QStringLiteral("Secretário/Coordenador"), ParamKind::Text},
        {QStringLiteral("director"), QStringLiteral("Diretor"), ParamKind::Text},
        {QStringLiteral("approved"), QStringLiteral("Para Aprovados"), ParamKind::Text, texts.approved},
        {QStringLiteral("progression"), QStringLiteral("Para Progressão Parcial"), ParamKind::Text, texts.progression},
        {QStringLiteral("failed"), QStringLiteral("Para Reprovados"), ParamKind::Text, texts.failed},
        {QStringLiteral("unit"), QStringLiteral("Defina a Unidade "), ParamKind::Choice, kFinal, units},
    };
}

AtaOptions ataOptions(const ReportValues &values)
{
    AtaOptions options;
    options.classCode = values.text(QStringLiteral("class"));
    options.skipLeavers = !values.flag(QStringLiteral("keep-leavers"));
    options.lastDay = values.date(QStringLiteral("last-day"));
    options.secretary = values.text(QStringLiteral("secretary"));
    options.director = values.text(QStringLiteral("director"));
    options.texts = {values.text(QStringLiteral("approved")), values.text(QStringLiteral("progression")),
                     values.text(QStringLiteral("failed"))};
    options.unit = ataUnit(values.text(QStringLiteral("unit")));
    return options;
}

AtaUnit ataUnit(const QString &value)
{
    if (value == kFinal)
        return AtaUnit::Final;
    if (value == kYear)
        return AtaUnit::Year;
    return AtaUnit(value.toInt());
}

void setAtaValues(ReportValues &values, const AtaOptions &options, const data::Database &db)
{
    values.set(QStringLiteral("class"), options.classCode, db);
    values.set(QStringLiteral("keep-leavers"), options.skipLeavers ? QStringLiteral("N") : QStringLiteral("S"), db);
    values.set(QStringLiteral("last-day"), core::formatDate(options.lastDay), db);
    values.set(QStringLiteral("secretary"), options.secretary, db);
    values.set(QStringLiteral("director"), options.director, db);
    values.set(QStringLiteral("approved"), options.texts.approved, db);
    values.set(QStringLiteral("progression"), options.texts.progression, db);
    values.set(QStringLiteral("failed"), options.texts.failed, db);
    values.set(QStringLiteral("unit"), unitValue(options.unit), db);
}

} // namespace reports
