#include "reports/letters/DefaultNotice.h"

#include "reports/engine/Layout.h"
#include "reports/cards/CardHeading.h"
#include "reports/letters/LetterParams.h"

#include "core/Clock.h"
#include "core/Formats.h"
#include "core/ProgramDirs.h"
#include "core/TextFile.h"
#include "data/store/Query.h"

#include <QFileInfo>

namespace reports {

namespace {

constexpr Tenths kLine = 48;
constexpr Tenths kHeaderHeight = 420;

QString noticePath()
{
    return core::joinPath(core::programDirs().program, kNoticeFile);
}

// The columns of the instalments: number, due date, document, value.
struct ColumnsAt
{
    Tenths parcela = 100, vencimento = 400, documento = 750, valor = 1250, valorWidth = 350;
};

void addLetterhead(Report &report, const SchoolInfo &school)
{
    const Tenths width = report.page.contentWidth();
    Band &header = report.pageHeader;
    header.height = kHeaderHeight;
    addSchoolHeading(header, school);
    header.frame({width / 2 - 400, 280, 800, 100}).pen(Qt::black, 4);
    header.label(QStringLiteral("COMUNICADO"), {width / 2 - 400, 300, 800, 70})
        .aligned(Align::Center)
        .withFont(font(16, true));
}

QString field(const PrintContext &context, const char *name)
{
    return context.value(QString::fromLatin1(name)).toString();
}

} // namespace

QStringList defaultNoticeText()
{
    return {QStringLiteral("Comunicamos que, até a presente data, não constam em nossos registros os pagamentos das"),
            QStringLiteral("mensalidades relacionadas abaixo. Caso já tenham sido pagas, pedimos a gentileza de apresentar"),
            QStringLiteral("o comprovante de pagamento no banco ou na secretaria do colégio, para que possamos atualizar"),
            QStringLiteral("nossos registros. Caso contrário, solicitamos comparecer à secretaria para regularizar a situação."),
            QStringLiteral(" "),
            QStringLiteral("Se o pagamento já foi efetuado, por favor desconsidere este aviso.")};
}

QStringList noticeText()
{
    if (!QFileInfo::exists(noticePath())) {
        saveNoticeText(defaultNoticeText()); // a school that cannot write it still gets the default
        return defaultNoticeText();
    }
    return core::readTextLines(noticePath()).value_or(defaultNoticeText());
}

bool saveNoticeText(const QStringList &lines, QString *error)
{
    return core::writeTextLines(noticePath(), lines, error);
}

QString keptSignature()
{
    const QString path = core::joinPath(core::programDirs().program, kSignatureFile);
    return QFileInfo::exists(path) ? QFileInfo(path).absoluteFilePath() : QString();
}

bool keepSignature(const QImage &picture, QString *error)
{
    const QString path = core::joinPath(core::programDirs().program, kSignatureFile);
    if (picture.save(path, "PNG"))
        return true;
    if (error)
        *error = QStringLiteral("Não foi possível gravar %1.").arg(path);
    return false;
}

RecordList openInstalments(const data::Database &db, const NoticeChoice &choice)
{
    QString statement = QStringLiteral(
        "select C.Matricula, C.NOME, C.TURMA, C.ParcelaNum, C.ParcelaData, C.NossoNum, C.ParcelaValor, "
        "C.DescontoFixo, C.DescontoEventual, C.Acrescimos, A.NOME_RESP, A.SIT "
        "from Ccorrent C left join ALUNOS A on A.MATRICULA = C.Matricula "
        "where (C.Tipo = 'N') and (C.PgtoData is null) and (C.ParcelaData < :data)");
    if (choice.matricula != 0)
        statement += QStringLiteral(" and (C.Matricula = :matricula)");
    else if (!choice.classCode.isEmpty())
        statement += QStringLiteral(" and (C.TURMA = :turma)");
    statement += QStringLiteral(" order by C.TURMA, C.NOME, C.Matricula, C.ParcelaData, C.ParcelaNum");
    data::Query query(db);
    query.setSql(statement);
    query.bind(QStringLiteral("data"), choice.before);
    if (choice.matricula != 0)
        query.bind(QStringLiteral("matricula"), double(choice.matricula));
    else if (!choice.classCode.isEmpty())
        query.bind(QStringLiteral("turma"), choice.classCode);
    query.open();

    RecordList rows({QStringLiteral("MATRICULA"), QStringLiteral("NOME"), QStringLiteral("TURMA"), QStringLiteral("PARCELA"),
                     QStringLiteral("VENCIMENTO"), QStringLiteral("DOCUMENTO"), QStringLiteral("VALOR"),
                     QStringLiteral("RESPONSAVEL"), QStringLiteral("SIT")});
    for (query.first(); !query.eof(); query.next()) {
        const core::Money due = query.asMoney("ParcelaValor") - query.asMoney("DescontoFixo") -
                                query.asMoney("DescontoEventual") + query.asMoney("Acrescimos");
        rows.append({enrolmentText(query.value(QStringLiteral("Matricula"))), query.asText("NOME"), query.asText("TURMA"),
                     query.value(QStringLiteral("ParcelaNum")).toInt(), core::formatDate(query.asDate("ParcelaData")),
                     enrolmentText(query.value(QStringLiteral("NossoNum"))), due.toDouble(), query.asText("NOME_RESP"),
                     query.asText("SIT").trimmed()});
    }
    return rows;
}

Document noticeLetters(const data::Database &db, const SchoolInfo &school, const NoticeChoice &choice)
{
    Report report;
    report.title = QStringLiteral("COMUNICADO");
    report.page.paper = Paper::A4;
    report.page.margins = QMargins(150, 120, 150, 120);
    const Tenths width = report.page.contentWidth();
    if (choice.noLetterhead)
        report.pageHeader.height = kHeaderHeight; // the space the school's letterhead paper takes
    else
        addLetterhead(report, school);

    QHash<QString, QString> descriptions;
    RecordList rows = openInstalments(db, choice);
    for (rows.first(); !rows.eof(); rows.next()) {
        const QString code = rows.value(QStringLiteral("TURMA")).toString();
        if (!descriptions.contains(code))
            descriptions.insert(code, classDescription(db, code));
    }
    const ColumnsAt at;

    Group &student = report.addGroup(QStringLiteral("MATRICULA"), true);
    Band &head = student.header;
    Tenths y = 40;
    head.label(QString(), {0, y, width, 45}).withFont(font(10, true)).onPrint([](ElementLook &look, const PrintContext &c) {
        look.text = QStringLiteral("Prezado(a) Senhor(a),  ") + field(c, "RESPONSAVEL");
    });
    y += kLine * 2;
    for (const QString &line : choice.text.mid(0, kPrintedNoticeLines)) {
        head.label(line, {0, y, width, 45}).sized(10);
        y += kLine;
    }
    y += kLine;
    head.label(QString(), {0, y, width, 45}).sized(10).onPrint([descriptions](ElementLook &look, const PrintContext &c) {
        const QString code = field(c, "TURMA");
        look.text = QStringLiteral("Turma: ") + code + QStringLiteral(" - ") + descriptions.value(code);
    });
    y += kLine;
    head.label(QStringLiteral("Nome do Aluno:"), {0, y, 300, 45}).sized(10);
    head.field(QStringLiteral("NOME"), {300, y, 1150, 45}).withFont(font(10, true));
    head.label(QStringLiteral("Matrícula:"), {1450, y, 200, 45}).sized(10);
    head.field(QStringLiteral("MATRICULA"), {1650, y, width - 1650, 45}).withFont(font(10, true));
    y += kLine * 2;
    const Font caption = font(10, true);
    head.label(QStringLiteral("Parcela"), {at.parcela, y, 250, 45}).withFont(caption);
    head.label(QStringLiteral("Vencimento"), {at.vencimento, y, 300, 45}).withFont(caption);
    head.label(QStringLiteral("Nº do Documento"), {at.documento, y, 450, 45}).withFont(caption);
    head.label(choice.hideValues ? QString() : QStringLiteral("Valor "), {at.valor, y, at.valorWidth, 45})
        .aligned(Align::Right)
        .withFont(caption);
    head.line({at.parcela, y + kLine, at.valor + at.valorWidth - at.parcela, 0});
    head.height = y + kLine + 15;

    Band &detail = report.detail;
    detail.height = kLine;
    detail.field(QStringLiteral("PARCELA"), {at.parcela, 0, 250, 45}).sized(10);
    detail.field(QStringLiteral("VENCIMENTO"), {at.vencimento, 0, 300, 45}).sized(10);
    detail.field(QStringLiteral("DOCUMENTO"), {at.documento, 0, 450, 45}).sized(10);
    if (!choice.hideValues)
        detail.field(QStringLiteral("VALOR"), {at.valor, 0, at.valorWidth, 45}, QStringLiteral("###,##0.00"))
            .aligned(Align::Right)
            .sized(10);

    Band &foot = student.footer;
    Tenths f = 20;
    if (!choice.hideValues) {
        foot.line({at.valor, f, at.valorWidth, 0});
        foot.label(QStringLiteral("Total"), {at.documento, f + 10, 450, 45}).withFont(caption);
        foot.sum(QStringLiteral("VALOR"), {at.valor, f + 10, at.valorWidth, 45}, QStringLiteral("###,##0.00"), Scope::Group)
            .aligned(Align::Right)
            .withFont(caption);
        f += kLine + 20;
    }
    f += kLine;
    foot.label(school.city + QStringLiteral(", ") + core::longDate(core::today()), {0, f, width, 45}).sized(10);
    f += kLine * 2;
    if (!choice.signatureFile.isEmpty()) {
        // The signature is drawn four times as wide as it is high.
        foot.image(choice.signatureFile, {0, f, 600, 150}).named(QStringLiteral("imgAssinatura"));
        f += 160;
    }
    // A leaver's letter carries the stamp where a valid letter has none.
    foot.label(QString(), {width - 700, f - 150, 700, 90})
        .named(QStringLiteral("qrlSemValidade"))
        .aligned(Align::Center)
        .withFont(font(16, true))
        .colored(Qt::red)
        .onPrint([](ElementLook &look, const PrintContext &c) {
            const QString sit = field(c, "SIT");
            look.visible = sit == u"T" || sit == u"D";
            look.text = sit == u"T" ? QStringLiteral("Aluno Transferido") : QStringLiteral("Aluno Desistente");
        });
    foot.height = f + 20;
    addFooterLine(report, school.footer);
    return layout(report, rows);
}

NoticeChoice noticeChoice(const ReportValues &values)
{
    NoticeChoice choice;
    choice.before = values.date(QStringLiteral("date"));
    choice.classCode = values.text(QStringLiteral("class"));
    const QString student = values.text(QStringLiteral("student")).trimmed();
    if (!student.isEmpty()) {
        const std::optional<qint64> number = core::parseInteger(student);
        if (!number || *number <= 0)
            throw ReportParamError(QStringLiteral("Matrícula inválida: %1").arg(student));
        choice.matricula = *number;
    }
    choice.hideValues = values.flag(QStringLiteral("no-values"));
    choice.noLetterhead = values.flag(QStringLiteral("no-letterhead"));
    const QString text = values.text(QStringLiteral("text"));
    choice.text = text.isEmpty() ? noticeText() : text.split(u'\n');
    choice.signatureFile = values.text(QStringLiteral("signature"));
    if (choice.signatureFile.isEmpty())
        choice.signatureFile = keptSignature();
    return choice;
}

ReportEntry noticeEntry()
{
    ReportEntry entry;
    entry.name = QStringLiteral("aviso");
    entry.menuEntry = QStringLiteral("mnuAvisoInadimplencia");
    entry.dialogCaption = QStringLiteral("Texto padrão para Aviso de Inadimplência");
    entry.askAgain = true;
    entry.params = {{QStringLiteral("date"), QStringLiteral("Somente considerar os carnês anteriores a "), ParamKind::Date},
                    classParam(),
                    {QStringLiteral("student"), QStringLiteral("Apenas o Aluno (Matrícula)"), ParamKind::Text},
                    {QStringLiteral("no-values"), QStringLiteral("Não Imprimir Valores Devidos"), ParamKind::Flag},
                    {QStringLiteral("no-letterhead"),
                     QStringLiteral("Não imprima cabeçalho com logotipo (se estiver usando papel timbrado, por exemplo)"),
                     ParamKind::Flag},
                    {QStringLiteral("text"), QStringLiteral("Texto (vazio: o de aviso.txt)"), ParamKind::Text},
                    {QStringLiteral("signature"), QStringLiteral("Imagem da assinatura (arquivo)"), ParamKind::Text}};
    entry.build = [](const ReportInput &input) {
        const NoticeChoice choice = noticeChoice(input.values);
        if (!choice.before.isValid())
            throw ReportParamError(QStringLiteral("Informe a data."));
        return noticeLetters(input.db, input.school, choice);
    };
    return entry;
}

} // namespace reports
