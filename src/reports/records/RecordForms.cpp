#include "reports/records/RecordForms.h"

#include "reports/DatasetSource.h"
#include "reports/cards/CardHeading.h"
#include "reports/engine/Layout.h"
#include "reports/letters/LetterParams.h"

#include "core/Formats.h"
#include "data/maintenance/AcademicStartup.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Query.h"

#include <QDir>

namespace reports {

namespace {

constexpr Tenths kBoxHeight = 90;
const QString kActive = QStringLiteral("((a.SIT <> 'D') and (a.SIT <> 'T') or (a.SIT is null))");

// How a stored value prints on a form: dates as dd/mm/yyyy, enrolment numbers whole.
QString shown(const QVariant &value, const QString &field)
{
    if (field.compare(QStringLiteral("MATRICULA"), Qt::CaseInsensitive) == 0)
        return enrolmentText(value);
    if (value.typeId() == QMetaType::QDate)
        return core::formatDate(value.toDate());
    return value.toString().trimmed();
}

// A small caption over the value of a field, as the paper forms of the office are filled.
void box(Band &band, const QString &caption, const QString &field, Tenths x, Tenths y, Tenths width)
{
    band.label(caption, {x, y, width, 35}).withFont(font(7));
    band.label(QString(), {x, y + 35, width, 45})
        .withFont(font(10, true))
        .onPrint([field](ElementLook &look, const PrintContext &context) {
            look.text = shown(context.value(field), field);
        });
    band.line({x, y + kBoxHeight - 5, width - 20, 0}).pen(QColor(0x99, 0x99, 0x99), 1);
}

void section(Band &band, const QString &title, Tenths y, Tenths width)
{
    band.frame({0, y, width, 50}).filled(QColor(0xe0, 0xe0, 0xe0)).pen(Qt::black, 2);
    band.label(title, {10, y + 5, width - 20, 45}).withFont(font(10, true));
}

struct Person
{
    QString title;
    const char *name;
    const char *cpf;
    const char *identity;
    const char *profession;
    const char *workplace;
    const char *religion;
    const char *telephone;
    const char *mobile;
    const char *extension; // null: the form leaves the box empty
};

Tenths personBlock(Band &band, const Person &person, Tenths y, Tenths width)
{
    const auto f = [](const char *field) { return field ? QString::fromLatin1(field) : QString(); };
    band.label(person.title, {0, y, width, 45}).withFont(font(9, true, true));
    y += 50;
    box(band, QStringLiteral("Nome"), f(person.name), 0, y, 1100);
    box(band, QStringLiteral("CPF"), f(person.cpf), 1120, y, 360);
    box(band, QStringLiteral("Identidade"), f(person.identity), 1500, y, width - 1500);
    y += kBoxHeight;
    box(band, QStringLiteral("Profissão"), f(person.profession), 0, y, 500);
    box(band, QStringLiteral("Local de Trabalho"), f(person.workplace), 520, y, 900);
    box(band, QStringLiteral("Religião"), f(person.religion), 1440, y, width - 1440);
    y += kBoxHeight;
    box(band, QStringLiteral("Telefone"), f(person.telephone), 0, y, 400);
    box(band, QStringLiteral("Celular"), f(person.mobile), 420, y, 400);
    box(band, QStringLiteral("Ramal"), f(person.extension), 840, y, 200);
    return y + kBoxHeight + 10;
}

void addPhoto(Band &band, const QString &photosDir, const QRect &rect)
{
    band.frame(rect).named(QStringLiteral("qrFotoMoldura"));
    band.image(QString(), rect.adjusted(10, 10, -10, -10))
        .named(QStringLiteral("qrFoto"))
        .onPrint([photosDir](ElementLook &look, const PrintContext &context) {
            const QString number = enrolmentText(context.value(QStringLiteral("MATRICULA")));
            look.imageFile = number.isEmpty() ? QString() : QDir(photosDir).filePath(number + QStringLiteral(".bmp"));
        });
}

Report formReport(const QString &title, const SchoolInfo &school)
{
    Report report;
    report.title = title;
    report.page.paper = Paper::A4;
    addListingHeader(report, title);
    addFooterLine(report, school.footer);
    return report;
}

// The rows of a form: the query's, or one empty row for the blank form.
Document layOut(const Report &report, data::Query *rows)
{
    if (rows) {
        DatasetSource source(*rows);
        return layout(report, source);
    }
    RecordList blank({QStringLiteral("MATRICULA")});
    blank.append({QVariant()});
    return layout(report, blank);
}

} // namespace

QString studentFormCondition(const StudentFormChoice &choice, data::SqlParams &params)
{
    QString condition;
    if (choice.student) {
        condition = QStringLiteral("(a.MATRICULA = :matricula)");
        params.insert(QStringLiteral("matricula"), double(*choice.student));
    } else if (!choice.classCode.isEmpty()) {
        condition = QStringLiteral("(a.TURMA = :turma)");
        params.insert(QStringLiteral("turma"), choice.classCode);
    } else {
        return kActive;
    }
    return choice.skipLeavers ? kActive + QStringLiteral(" and ") + condition : condition;
}

QString poolText(const QVariant &usesPool)
{
    if (usesPool.isNull() || !usesPool.isValid())
        return QStringLiteral("( )Sim  ( )Não");
    return usesPool.toBool() ? QStringLiteral("(X)Sim ( )Não") : QStringLiteral("( )Sim (X)Não");
}

QString discountText(const QVariant &abat, const QString &imp)
{
    if (abat.isNull() || !abat.isValid())
        return {};
    const double value = abat.toDouble();
    if (imp.trimmed() == u"%")
        return core::formatNumber(value, QStringLiteral("0.##")) + u'%';
    return QStringLiteral("R$ ") + core::formatMoney(value);
}

Document studentForm(const data::Database &db, const SchoolInfo &school, const StudentFormChoice &choice)
{
    Report report = formReport(QStringLiteral("FICHA DO ALUNO"), school);
    const Tenths width = report.page.contentWidth();
    Band &band = report.detail;
    const Tenths left = choice.photo ? width - 320 : width;

    band.label(QString(), {0, 0, left, 50})
        .named(QStringLiteral("qrTurma"))
        .withFont(font(11, true))
        .onPrint([](ElementLook &look, const PrintContext &context) {
            const QString code = context.value(QStringLiteral("TURMA")).toString();
            const QString description = context.value(QStringLiteral("turma_desc")).toString();
            look.text = QStringLiteral("TURMA: ") + code +
                        (description.isEmpty() ? QString() : QStringLiteral(" - ") + description);
        });
    if (choice.photo)
        addPhoto(band, data::photosDirFor(db.directory()), {width - 300, 0, 300, 380});
    section(band, QStringLiteral(" Dados Pessoais "), 60, left);
    Tenths y = 120;
    box(band, QStringLiteral("Matrícula"), QStringLiteral("MATRICULA"), 0, y, 250);
    box(band, QStringLiteral("Nome do Aluno"), QStringLiteral("NOME"), 270, y, left - 270);
    y += kBoxHeight;
    box(band, QStringLiteral("Data de Nascimento"), QStringLiteral("DATANASC"), 0, y, 300);
    box(band, QStringLiteral("Sexo"), QStringLiteral("SEXO"), 320, y, 120);
    box(band, QStringLiteral("Naturalidade"), QStringLiteral("NACIONAL"), 460, y, 450);
    box(band, QStringLiteral("Tipo Sanguíneo"), QStringLiteral("TIPO_SANG"), 930, y, 250);
    box(band, QStringLiteral("Situação"), QStringLiteral("SIT"), 1200, y, left - 1200);
    y += kBoxHeight;
    box(band, QStringLiteral("Endereço"), QStringLiteral("ENDERECO"), 0, y, left);
    y += kBoxHeight;
    box(band, QStringLiteral("Bairro"), QStringLiteral("BAIRRO"), 0, y, 500);
    box(band, QStringLiteral("Município"), QStringLiteral("CIDADE"), 520, y, 500);
    box(band, QStringLiteral("CEP"), QStringLiteral("CEP"), 1040, y, 250);
    y += kBoxHeight;
    box(band, QStringLiteral("Telefone Residencial"), QStringLiteral("FONE_RES"), 0, y, 400);
    box(band, QStringLiteral("Telefone para Recado"), QStringLiteral("FONE_REC"), 420, y, 400);
    box(band, QStringLiteral("E-mail do Responsável"), QStringLiteral("email_resp"), 840, y, width - 840);
    y += kBoxHeight + 20;

    section(band, QStringLiteral(" Filiação / Responsável "), y, width);
    y += 60;
    y = personBlock(band, {QStringLiteral("Pai"), "NOME_PAI", "CPF_PAI", "ID_PAI", "PROF_PAI", "LOCTRABPAI", "RELIGPAI",
                           "FONE_COM1", "celular_pai", "RAMAL1"},
                    y, width);
    y = personBlock(band, {QStringLiteral("Mãe"), "NOME_MAE", "CPF_MAE", "ID_MAE", "PROF_MAE", "LOCTRABMAE", "RELIGMAE",
                           "FONE_COM2", "celular_mae", "RAMAL2"},
                    y, width);
    y = personBlock(band, {QStringLiteral("Responsável"), "NOME_RESP", "CPF_RESP", "ID_RESP", "PROF_RESP", "LOCTRBRESP",
                           "RELIGRESP", "FONE_REC", "celular_resp", nullptr},
                    y, width);
    y += 10;
    band.label(QStringLiteral("Desconto na Mensalidade:"), {0, y, 450, 45}).withFont(font(9, true));
    band.label(QString(), {450, y, 400, 45})
        .named(QStringLiteral("qrDesconto"))
        .sized(10)
        .onPrint([](ElementLook &look, const PrintContext &context) {
            look.text = discountText(context.value(QStringLiteral("ABAT")), context.value(QStringLiteral("IMP")).toString());
        });
    band.label(QStringLiteral("Usa a Piscina:"), {950, y, 300, 45}).withFont(font(9, true));
    band.label(QString(), {1250, y, 500, 45})
        .named(QStringLiteral("qrPiscina"))
        .sized(10)
        .onPrint([](ElementLook &look, const PrintContext &context) {
            look.text = poolText(context.value(QStringLiteral("UsarPiscina")));
        });
    y += 70;
    section(band, QStringLiteral(" Histórico "), y, width);
    y += 60;
    band.frame({0, y, width, 330});
    band.memo(QString(), {15, y + 10, width - 30, 310})
        .named(QStringLiteral("qrHistorico"))
        .sized(9)
        .onPrint([](ElementLook &look, const PrintContext &context) {
            look.text = context.value(QStringLiteral("Historico")).toString();
        });
    band.height = y + 340;

    if (choice.blankPage)
        return layOut(report, nullptr);
    data::SqlParams params;
    const QString condition = studentFormCondition(choice, params);
    data::Query rows(db);
    rows.setSql(QStringLiteral("select a.*, t.DESCRICAO as turma_desc, h.Historico from ALUNOS a "
                               "left join Tabturma t on t.TURMA = a.TURMA "
                               "left join Historic h on h.Matricula = a.MATRICULA where ") +
                condition + QStringLiteral(" order by a.TURMA, a.NOME, a.MATRICULA"));
    for (auto it = params.constBegin(); it != params.constEnd(); ++it)
        rows.bind(it.key(), it.value());
    rows.open();
    return layOut(report, &rows);
}

Document staffForm(const data::Database &db, const SchoolInfo &school, std::optional<qint64> matricula)
{
    data::Settings settings;
    data::loadSettings(db, settings);
    Report report = formReport(QStringLiteral("FICHA DE ") + settings.Termo_Func.trimmed().toUpper(), school);
    const Tenths width = report.page.contentWidth();
    Band &band = report.detail;
    section(band, QStringLiteral(" Dados Pessoais "), 0, width);
    Tenths y = 60;
    box(band, QStringLiteral("Matrícula"), QStringLiteral("MATRICULA"), 0, y, 250);
    box(band, QStringLiteral("Nome"), QStringLiteral("NOME"), 270, y, width - 270);
    y += kBoxHeight;
    box(band, QStringLiteral("Data de Nascimento"), QStringLiteral("DATANASC"), 0, y, 300);
    box(band, QStringLiteral("Sexo"), QStringLiteral("SEXO"), 320, y, 120);
    box(band, QStringLiteral("Naturalidade"), QStringLiteral("NACIONAL"), 460, y, 450);
    box(band, QStringLiteral("Religião"), QStringLiteral("RELIGIAO"), 930, y, width - 930);
    y += kBoxHeight;
    box(band, QStringLiteral("Identidade"), QStringLiteral("ID"), 0, y, 400);
    box(band, QStringLiteral("CPF"), QStringLiteral("CPF"), 420, y, 400);
    box(band, QStringLiteral("Função"), QStringLiteral("FUNCAO"), 840, y, width - 840);
    y += kBoxHeight;
    box(band, QStringLiteral("Endereço"), QStringLiteral("ENDERECO"), 0, y, width);
    y += kBoxHeight;
    box(band, QStringLiteral("Bairro"), QStringLiteral("BAIRRO"), 0, y, 500);
    box(band, QStringLiteral("Município"), QStringLiteral("CIDADE"), 520, y, 500);
    box(band, QStringLiteral("CEP"), QStringLiteral("CEP"), 1040, y, 250);
    y += kBoxHeight;
    box(band, QStringLiteral("Telefone Residencial"), QStringLiteral("FONE_RES"), 0, y, 400);
    box(band, QStringLiteral("Ramal"), QStringLiteral("RAMAL1"), 420, y, 200);
    box(band, QStringLiteral("Telefone para Recado"), QStringLiteral("FONE_REC"), 640, y, 400);
    box(band, QStringLiteral("Ramal"), QStringLiteral("RAMAL2"), 1060, y, 200);
    y += kBoxHeight;
    box(band, QStringLiteral("Situação"), QStringLiteral("SIT"), 0, y, 200);
    box(band, QStringLiteral("Data da Situação"), QStringLiteral("DATASIT"), 220, y, 300);
    box(band, QStringLiteral("Motivo"), QStringLiteral("OBSSIT"), 540, y, width - 540);
    y += kBoxHeight + 20;
    section(band, QStringLiteral(" Observações "), y, width);
    y += 60;
    band.frame({0, y, width, 200});
    band.memo(QStringLiteral("OBS"), {15, y + 10, width - 30, 180}).sized(9);
    // Staff forms fill a page each, as the student forms do.
    band.height = 2400;

    data::Query rows(db);
    rows.setSql(QStringLiteral("select * from Funcionarios") +
                (matricula ? QStringLiteral(" where (MATRICULA = :matricula)") : QString()) +
                QStringLiteral(" order by NOME, MATRICULA"));
    if (matricula)
        rows.bind(QStringLiteral("matricula"), double(*matricula));
    rows.open();
    return layOut(report, &rows);
}

namespace {

std::optional<qint64> optionalNumber(const ReportValues &values, const QString &name)
{
    const QString text = values.text(name).trimmed();
    if (text.isEmpty())
        return std::nullopt;
    const std::optional<qint64> number = core::parseInteger(text);
    if (!number)
        throw ReportParamError(QStringLiteral("Matrícula inválida: %1").arg(text));
    return number;
}

QString flagText(bool on)
{
    return on ? QStringLiteral("S") : QStringLiteral("N");
}

} // namespace

StudentFormChoice studentFormChoice(const ReportValues &values)
{
    StudentFormChoice choice;
    choice.classCode = values.text(QStringLiteral("class"));
    choice.student = optionalNumber(values, QStringLiteral("student"));
    choice.skipLeavers = !values.flag(QStringLiteral("keep-leavers"));
    choice.photo = values.flag(QStringLiteral("photo"));
    choice.blankPage = values.flag(QStringLiteral("blank-page"));
    return choice;
}

void setStudentFormValues(ReportValues &values, const StudentFormChoice &choice, const data::Database &db)
{
    values.set(QStringLiteral("class"), choice.student ? QString() : choice.classCode, db);
    values.set(QStringLiteral("student"), choice.student ? QString::number(*choice.student) : QString(), db);
    values.set(QStringLiteral("keep-leavers"), flagText(!choice.skipLeavers), db);
    values.set(QStringLiteral("photo"), flagText(choice.photo), db);
    values.set(QStringLiteral("blank-page"), flagText(choice.blankPage), db);
}

QList<ReportEntry> recordFormEntries()
{
    ReportEntry student;
    student.name = QStringLiteral("ficha-aluno");
    student.menuEntry = QStringLiteral("mnuFichaAluno");
    student.params = {classParam(),
                      {QStringLiteral("student"), QStringLiteral("Apenas o Aluno (Matrícula)"), ParamKind::Text},
                      {QStringLiteral("keep-leavers"), QStringLiteral("Imprimir alunos Desistente ou Transferido"),
                       ParamKind::Flag},
                      {QStringLiteral("photo"), QStringLiteral("Imprima com a Fotografia do Aluno"), ParamKind::Flag},
                      {QStringLiteral("blank-page"), QStringLiteral("Imprima uma página em branco"), ParamKind::Flag}};
    student.askAgain = true;
    student.build = [](const ReportInput &input) {
        return studentForm(input.db, input.school, studentFormChoice(input.values));
    };

    ReportEntry staff;
    staff.name = QStringLiteral("ficha-funcionario");
    staff.menuEntry = QStringLiteral("mnuFichaFuncionario");
    staff.params = {{QStringLiteral("staff"), QStringLiteral("Apenas a Matrícula (vazio: todos)"), ParamKind::Text}};
    staff.askAgain = true;
    staff.build = [](const ReportInput &input) {
        return staffForm(input.db, input.school, optionalNumber(input.values, QStringLiteral("staff")));
    };
    return {student, staff};
}

} // namespace reports
