#include "reports/cards/CardOptions.h"

#include "core/Formats.h"

#include <QRegularExpression>

namespace reports {

namespace {

const QString kAnnual = QStringLiteral("anual");

QString resultValue(CardResult result)
{
    switch (result) {
    case CardResult::None:
        return QStringLiteral("none");
    case CardResult::Partial:
        return QStringLiteral("parcial");
    case CardResult::Final:
        return QStringLiteral("final");
    }
    return {};
}

ReportParam flag(const char *name, const QString &label, bool on = false)
{
    return {QString::fromLatin1(name), label, ParamKind::Flag, on ? QStringLiteral("S") : QStringLiteral("N")};
}

int inRange(const ReportValues &values, const QString &name, int low, int high)
{
    const qint64 value = values.integer(name);
    if (value < low || value > high) {
        throw ReportParamError(QStringLiteral("Valor inválido para %1: %2 (de %3 a %4).")
                                   .arg(name)
                                   .arg(value)
                                   .arg(low)
                                   .arg(high));
    }
    return int(value);
}

} // namespace

QList<ReportParam> cardParams()
{
    QList<ParamChoice> units;
    for (int unit = 1; unit <= 4; ++unit)
        units.append({QString::number(unit), QStringLiteral("%1ª Unidade").arg(unit)});
    units.append({kAnnual, QStringLiteral("Média Anual")});
    const QList<ParamChoice> results{
        {resultValue(CardResult::None), QStringLiteral("Não imprimir (se não tem notas de TODOS os Bimestres)")},
        {resultValue(CardResult::Partial), QStringLiteral("Resultado Parcial (indica alunos aptos à recuperação)")},
        {resultValue(CardResult::Final), QStringLiteral("Resultado Final (necessário ter as Notas Finais)")}};
    return {
        {QStringLiteral("class"), QStringLiteral("Apenas a Turma"), ParamKind::Text},
        {QStringLiteral("student"), QStringLiteral("Apenas o Aluno (Matrícula)"), ParamKind::Text},
        flag("keep-leavers", QStringLiteral("Imprimir alunos Desistente ou Transferido")),
        flag("photo", QStringLiteral("Imprima com a Fotografia do Aluno")),
        flag("only-consolidated", QStringLiteral("Imprimir apenas a Disciplina Consolidada (quando existir)")),
        flag("skip-recovery", QStringLiteral("Não Imprima boletins de Alunos em Recuperação")),
        flag("hide-absences", QStringLiteral("Não imprima coluna de \"Faltas\"")),
        {QStringLiteral("result"), QStringLiteral("Imprimir Resultado Parcial/Final "), ParamKind::Choice,
         resultValue(CardResult::Partial), results},
        {QStringLiteral("recovery-limit"), QStringLiteral("Máximo de disciplinas abaixo da média para Recuperação"),
         ParamKind::Integer, QStringLiteral("-1")},
        {QStringLiteral("message1"), QStringLiteral("Mensagem, linha 1"), ParamKind::Text},
        {QStringLiteral("message2"), QStringLiteral("Mensagem, linha 2"), ParamKind::Text},
        {QStringLiteral("unit"), QStringLiteral("Defina a Unidade Atual: "), ParamKind::Choice, QStringLiteral("1"), units},
        flag("positions", QStringLiteral("Utilize a definição acima para a CLASSIFICAÇÃO")),
        {QStringLiteral("position-limit"),
         QStringLiteral("Ao imprimir considere apenas os alunos classificados até à posição Nº"), ParamKind::Integer,
         QStringLiteral("50")},
        flag("law-not-adapted", QStringLiteral("Imprima texto relativo à Lei 11.274/2006")),
        flag("law-adapted", QStringLiteral("Já estou enquadrado à Lei 11.274/2006")),
        flag("no-grid", QStringLiteral("Retirar grade nos campos de Notas")),
    };
}

CardOptions cardOptions(const ReportValues &values)
{
    CardOptions options;
    options.classCode = values.text(QStringLiteral("class")).trimmed();
    const QStringList students =
        values.text(QStringLiteral("student")).split(QRegularExpression(QStringLiteral("[,;\\s]+")), Qt::SkipEmptyParts);
    for (const QString &student : students) {
        const std::optional<qint64> number = core::parseInteger(student);
        if (!number)
            throw ReportParamError(QStringLiteral("Matrícula inválida: %1").arg(student));
        options.students.append(*number);
    }
    if (!options.students.isEmpty())
        options.scope = CardScope::Students;
    else if (!options.classCode.isEmpty())
        options.scope = CardScope::OneClass;
    options.skipLeavers = !values.flag(QStringLiteral("keep-leavers"));
    options.photo = values.flag(QStringLiteral("photo"));
    options.onlyConsolidated = values.flag(QStringLiteral("only-consolidated"));
    options.skipRecovery = values.flag(QStringLiteral("skip-recovery"));
    options.hideAbsences = values.flag(QStringLiteral("hide-absences"));
    const QString result = values.text(QStringLiteral("result"));
    options.result = result == resultValue(CardResult::None)    ? CardResult::None
                     : result == resultValue(CardResult::Final) ? CardResult::Final
                                                                : CardResult::Partial;
    options.recoveryLimit = inRange(values, QStringLiteral("recovery-limit"), -1, 30);
    options.message1 = values.text(QStringLiteral("message1"));
    options.message2 = values.text(QStringLiteral("message2"));
    const QString unit = values.text(QStringLiteral("unit"));
    options.currentUnit = unit == kAnnual ? kAnnualUnit : unit.toInt();
    options.positions = values.flag(QStringLiteral("positions"));
    options.positionLimit = inRange(values, QStringLiteral("position-limit"), 1, 200);
    options.lawNotAdapted = values.flag(QStringLiteral("law-not-adapted"));
    options.lawAdapted = values.flag(QStringLiteral("law-adapted"));
    if (options.lawNotAdapted && options.lawAdapted)
        throw ReportParamError(QStringLiteral("Escolha só um dos textos da Lei 11.274/2006."));
    options.noGrid = values.flag(QStringLiteral("no-grid"));
    return options;
}

void setCardValues(ReportValues &values, const CardOptions &options, const data::Database &db)
{
    const auto setFlag = [&](const QString &name, bool on) {
        values.set(name, on ? QStringLiteral("S") : QStringLiteral("N"), db);
    };
    QStringList students;
    for (qint64 student : options.students)
        students.append(QString::number(student));
    values.set(QStringLiteral("class"), options.scope == CardScope::OneClass ? options.classCode : QString(), db);
    values.set(QStringLiteral("student"),
               options.scope == CardScope::Students ? students.join(u',') : QString(), db);
    setFlag(QStringLiteral("keep-leavers"), !options.skipLeavers);
    setFlag(QStringLiteral("photo"), options.photo);
    setFlag(QStringLiteral("only-consolidated"), options.onlyConsolidated);
    setFlag(QStringLiteral("skip-recovery"), options.skipRecovery);
    setFlag(QStringLiteral("hide-absences"), options.hideAbsences);
    values.set(QStringLiteral("result"), resultValue(options.result), db);
    values.set(QStringLiteral("recovery-limit"), QString::number(options.recoveryLimit), db);
    values.set(QStringLiteral("message1"), options.message1, db);
    values.set(QStringLiteral("message2"), options.message2, db);
    values.set(QStringLiteral("unit"),
               options.currentUnit == kAnnualUnit ? kAnnual : QString::number(options.currentUnit), db);
    setFlag(QStringLiteral("positions"), options.positions);
    values.set(QStringLiteral("position-limit"), QString::number(options.positionLimit), db);
    setFlag(QStringLiteral("law-not-adapted"), options.lawNotAdapted);
    setFlag(QStringLiteral("law-adapted"), options.lawAdapted);
    setFlag(QStringLiteral("no-grid"), options.noGrid);
}

} // namespace reports
