#include "reports/letters/TaxDeclaration.h"

#include "reports/engine/Layout.h"
#include "reports/cards/CardHeading.h"
#include "reports/letters/LetterParams.h"

#include "core/Clock.h"
#include "core/Formats.h"
#include "core/ProgramDirs.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Query.h"

#include <QFileInfo>

namespace reports {

namespace {

constexpr Tenths kLine = 50;
constexpr Tenths kValueLeft = 1300;
constexpr Tenths kValueWidth = 400;
constexpr int kGuardWidth = 7; // "***0,00"

const char *const kCpfFields[] = {"CPF_PAI", "CPF_MAE", "CPF_RESP"};

Declarant declarantOf(const QString &text)
{
    const QString word = text.trimmed().toLower();
    if (word == u"pai")
        return Declarant::Pai;
    if (word == u"mae" || word == u"mãe")
        return Declarant::Mae;
    return Declarant::Responsavel;
}

} // namespace

std::optional<TaxStatement> taxStatement(const data::Database &db, Declarant declarant, const QString &cpf)
{
    const QString nameField = declarantNameField(declarant);
    data::Query query(db);
    query.setSql(QStringLiteral("select MATRICULA, NOME, %1 as DECLARANTE from ALUNOS where %2 = :cpf order by NOME, MATRICULA")
                     .arg(nameField, QLatin1String(kCpfFields[int(declarant)])));
    query.bind(QStringLiteral("cpf"), cpf.trimmed());
    query.open();
    if (query.isEmpty() || cpf.trimmed().isEmpty())
        return std::nullopt;

    TaxStatement statement;
    statement.cpf = cpf.trimmed();
    query.first();
    statement.declarantName = query.asText("DECLARANTE");
    data::Query paid(db);
    paid.setSql(QStringLiteral("select PgtoValor from Ccorrent where (Matricula = :m) and (PgtoValor is not null)"));
    for (; !query.eof(); query.next()) {
        Dependant dependant{enrolmentText(query.value(QStringLiteral("MATRICULA"))), query.asText("NOME"), {}};
        paid.close();
        paid.bind(QStringLiteral("m"), query.value(QStringLiteral("MATRICULA")));
        paid.open();
        // Each payment is taken at the centavo before it is added, as the current account shows it.
        for (paid.first(); !paid.eof(); paid.next())
            dependant.paid += paid.asMoney("PgtoValor");
        statement.total += dependant.paid;
        statement.dependants.append(dependant);
    }
    return statement;
}

QString guardedAmount(core::Money amount)
{
    return QStringLiteral("R$") + amount.format().rightJustified(kGuardWidth, u'*');
}

QStringList declarationText(const data::Settings &settings)
{
    const QString program = core::programDirs().program;
    QStringList lines;
    if (!QFileInfo::exists(core::joinPath(program, QString::fromLatin1(kDeclarationFile)))) {
        lines = defaultDeclaration(settings);
        saveDeclaration(program, lines); // a school that cannot write it still gets the default
    } else if (!loadDeclaration(program, lines)) {
        lines = defaultDeclaration(settings);
    }
    return lines.mid(0, kPrintedDeclarationLines);
}

Document taxStatementReport(const SchoolInfo &school, const data::Settings &settings, const TaxStatement &statement,
                            const QStringList &text)
{
    Report report;
    report.title = QStringLiteral("DECLARAÇÃO ");
    report.page.margins = QMargins(150, 150, 150, 150);
    const Tenths width = report.page.contentWidth();

    Band &top = report.titleBand;
    addLogo(top, {0, 0, 250, 200});
    top.label(school.name, {280, 30, width - 280, 60}).withFont(font(12, true));
    top.label(QStringLiteral("CGC: ") + settings.CGC, {280, 100, width - 280, 40}).sized(9);
    top.label(report.title, {0, 300, width, 70}).aligned(Align::Center).withFont(font(14, true));
    Tenths y = 450;
    top.label(QStringLiteral("Prezado(a) Senhor(a),"), {0, y, width, 45}).sized(10);
    y += kLine + 10;
    top.label(statement.declarantName, {0, y, width - 600, 45}).withFont(font(10, true));
    top.label(QStringLiteral("CPF: ") + statement.cpf, {width - 550, y, 550, 45}).sized(10);
    y += kLine * 2;
    for (const QString &line : text.mid(0, kPrintedDeclarationLines)) {
        top.label(line, {0, y, width, 45}).sized(9);
        y += kLine;
    }
    y += kLine;
    top.label(QStringLiteral("Nome do Aluno"), {100, y, 1100, 45}).withFont(font(10, true));
    top.label(QStringLiteral("Valor em Real"), {kValueLeft, y, kValueWidth, 45}).aligned(Align::Right).withFont(font(10, true));
    top.line({100, y + kLine, kValueLeft + kValueWidth - 100, 0});
    top.height = y + kLine + 15;

    report.detail.height = kLine;
    report.detail.field(QStringLiteral("NOME"), {100, 0, 1100, 45}).sized(10);
    report.detail.field(QStringLiteral("VALOR"), {kValueLeft, 0, kValueWidth, 45}).aligned(Align::Right).sized(10);

    Band &end = report.summary;
    end.line({100, 10, kValueLeft + kValueWidth - 100, 0});
    end.label(QStringLiteral("Total Pago no Ano"), {100, 30, 1100, 45}).withFont(font(10, true));
    end.label(guardedAmount(statement.total), {kValueLeft, 30, kValueWidth, 45}).aligned(Align::Right).withFont(font(10, true));
    end.label(QStringLiteral("Cordialmente,"), {0, 200, width, 45}).sized(10);
    end.label(school.city + QStringLiteral(", ") + core::longDate(core::today()), {0, 300, width, 45}).sized(10);
    end.line({width / 2 - 500, 520, 1000, 0});
    end.label(school.name, {0, 540, width, 45}).aligned(Align::Center).sized(9);
    end.height = 600;

    RecordList rows({QStringLiteral("MATRICULA"), QStringLiteral("NOME"), QStringLiteral("VALOR")});
    for (const Dependant &dependant : statement.dependants)
        rows.append({dependant.matricula, dependant.nome, guardedAmount(dependant.paid)});
    return layout(report, rows);
}

ReportEntry taxStatementEntry()
{
    ReportEntry entry;
    entry.name = QStringLiteral("declaracao-ir");
    entry.menuEntry = QStringLiteral("mnuDeclaracaoIR");
    entry.dialogCaption = QStringLiteral("Informe o CPF");
    entry.askAgain = true;
    entry.params = {{QStringLiteral("cpf"), QStringLiteral("CPF"), ParamKind::Text},
                    {QStringLiteral("as"), QStringLiteral("Declaração em nome de: "), ParamKind::Choice,
                     QStringLiteral("resp"),
                     {{QStringLiteral("pai"), QStringLiteral("Pai")},
                      {QStringLiteral("mae"), QStringLiteral("Mãe")},
                      {QStringLiteral("resp"), QStringLiteral("Responsável")}}},
                    {QStringLiteral("text"), QStringLiteral("Texto (vazio: o de declara.txt)"), ParamKind::Text}};
    entry.build = [](const ReportInput &input) {
        data::Settings settings;
        data::loadSettings(input.db, settings);
        const std::optional<TaxStatement> statement =
            taxStatement(input.db, declarantOf(input.values.text(QStringLiteral("as"))), input.values.text(QStringLiteral("cpf")));
        if (!statement)
            throw ReportParamError(QStringLiteral("Não há registro para este CPF."));
        const QString typed = input.values.text(QStringLiteral("text"));
        const QStringList text = typed.isEmpty() ? declarationText(settings) : typed.split(u'\n');
        return taxStatementReport(input.school, settings, *statement, text);
    };
    return entry;
}

QString declarantWord(Declarant declarant)
{
    static const char *const words[] = {"pai", "mae", "resp"};
    return QLatin1String(words[int(declarant)]);
}

} // namespace reports
