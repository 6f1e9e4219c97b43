#include "reports/ReportValues.h"

#include "core/Clock.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/store/Database.h"
#include "support/QStringPrinting.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <gtest/gtest.h>

using namespace reports;

namespace {

class ReportValuesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        core::pinClock(QDateTime(QDate(2026, 3, 5), QTime(10, 0)));
        m_db =
            data::createSchoolYear(testengine::yearLocation(m_dir.file(QStringLiteral("Data2026"))),
                                   QStringLiteral("2026"));
        m_db.exec(QStringLiteral("insert into Tabturma (TURMA, DESCRICAO) values ('1G1A', "
                                 "'PRIMEIRA A'), ('MATA', 'MATERNAL')"));
    }
    void TearDown() override
    {
        core::pinClock(QDateTime());
        m_db = {};
        data::Database::closeAll();
        testengine::dropServerYears();
    }

    // A report asking for a period, a month, a class, an order, a count, a flag and a title.
    static QList<ReportParam> params()
    {
        ReportParam turma{QStringLiteral("turma"), QStringLiteral("Defina a Turma "),
                          ParamKind::Choice};
        turma.choicesFrom = [](const data::Database &db) {
            QList<ParamChoice> classes;
            for (const QString &code :
                 db.scalar(QStringLiteral("select group_concat(TURMA) from Tabturma"))
                     .toString()
                     .split(u','))
                classes.append({code, code + QStringLiteral(" - turma")});
            return classes;
        };
        ReportParam ordem{QStringLiteral("ordem"), QStringLiteral("Ordem"), ParamKind::Choice,
                          QStringLiteral("nome")};
        ordem.choices = {{QStringLiteral("nome"), QStringLiteral("Por nome")},
                         {QStringLiteral("turma"), QStringLiteral("Por turma")},
                         {QString(), QStringLiteral("Sem ordem")}};
        return {{QStringLiteral("inicio"), QStringLiteral("Desde"), ParamKind::Date},
                {QStringLiteral("mes"), QStringLiteral("Mês"), ParamKind::Month},
                turma,
                ordem,
                {QStringLiteral("copias"), QStringLiteral("Cópias"), ParamKind::Integer,
                 QStringLiteral("1")},
                {QStringLiteral("valores"), QStringLiteral("Imprima valores"), ParamKind::Flag},
                {QStringLiteral("titulo"), QStringLiteral("Título"), ParamKind::Text}};
    }
    // Each (name, value) in turn, as the command line's --param and the dialog set them.
    ReportValues answered(const QList<QPair<QString, QString>> &answers) const
    {
        ReportValues values(params());
        for (const auto &[name, value] : answers)
            values.set(name, value, m_db);
        return values;
    }
    QString refusal(const QString &name, const QString &value) const
    {
        try {
            answered({{name, value}});
        } catch (const ReportParamError &e) {
            return e.message();
        }
        return QStringLiteral("(aceito)");
    }

    TempDir m_dir;
    data::Database m_db;
};

} // namespace

TEST_F(ReportValuesTest, DefaultsAreTodayTheCurrentMonthAndNo)
{
    const ReportValues values(params());
    EXPECT_EQ(values.date(QStringLiteral("inicio")), QDate(2026, 3, 5));
    EXPECT_EQ(values.month(QStringLiteral("mes")), 3);
    EXPECT_FALSE(values.flag(QStringLiteral("valores")));
    EXPECT_EQ(values.text(QStringLiteral("ordem")), QStringLiteral("nome"));
    EXPECT_EQ(values.integer(QStringLiteral("copias")), 1);
    EXPECT_EQ(values.text(QStringLiteral("turma")), QString()) << "no class until one is chosen";
}

TEST_F(ReportValuesTest, AssignmentsAreReadInEachParametersOwnForm)
{
    const ReportValues values =
        answered({{QStringLiteral("inicio"), QStringLiteral("1/2/2026")},
                  {QStringLiteral("mes"), QStringLiteral("Dezembro")},
                  {QStringLiteral("turma"), QStringLiteral("1g1a")},
                  {QStringLiteral("ORDEM"), QStringLiteral("turma")},
                  {QStringLiteral("copias"), QStringLiteral("12")},
                  {QStringLiteral("valores"), QStringLiteral("sim")},
                  {QStringLiteral("titulo"), QStringLiteral(" Alunos = 2026")}});
    EXPECT_EQ(values.text(QStringLiteral("inicio")), QStringLiteral("01/02/2026"));
    EXPECT_EQ(values.month(QStringLiteral("mes")), 12);
    EXPECT_EQ(values.text(QStringLiteral("turma")), QStringLiteral("1G1A"))
        << "the class as the school writes it";
    EXPECT_EQ(values.text(QStringLiteral("ordem")), QStringLiteral("turma"));
    EXPECT_EQ(values.integer(QStringLiteral("copias")), 12);
    EXPECT_TRUE(values.flag(QStringLiteral("valores")));
    EXPECT_EQ(values.text(QStringLiteral("titulo")), QStringLiteral(" Alunos = 2026"))
        << "a text stays as typed";
}

TEST_F(ReportValuesTest, ValuesThatDoNotFitAreRefusedWithWhatTheParameterTakes)
{
    EXPECT_EQ(refusal(QStringLiteral("mes"), QStringLiteral("13")),
              QStringLiteral("Valor inválido para mes: \"13\" (mês de 1 a 12)."));
    EXPECT_EQ(refusal(QStringLiteral("inicio"), QStringLiteral("31/02/2026")),
              QStringLiteral("Valor inválido para inicio: \"31/02/2026\" (data dd/mm/aaaa)."));
    EXPECT_EQ(refusal(QStringLiteral("turma"), QStringLiteral("2G9Z")),
              QStringLiteral("Valor inválido para turma: \"2G9Z\" (um de: os da escola)."));
    EXPECT_EQ(refusal(QStringLiteral("ordem"), QStringLiteral("idade")),
              QStringLiteral("Valor inválido para ordem: \"idade\" (um de: nome, turma, \"\" (Sem ordem))."));
    EXPECT_EQ(refusal(QStringLiteral("valores"), QStringLiteral("talvez")),
              QStringLiteral("Valor inválido para valores: \"talvez\" (S ou N)."));
    EXPECT_EQ(refusal(QStringLiteral("copias"), QStringLiteral("dois")),
              QStringLiteral("Valor inválido para copias: \"dois\" (número inteiro)."));
    EXPECT_EQ(refusal(QStringLiteral("cor"), QStringLiteral("azul")),
              QStringLiteral("Parâmetro desconhecido: cor (este relatório aceita: inicio, mes, "
                             "turma, ordem, copias, "
                             "valores, titulo)."));
    try {
        ReportValues().set(QStringLiteral("turma"), QStringLiteral("1G1A"), m_db);
        FAIL();
    } catch (const ReportParamError &e) {
        EXPECT_EQ(
            e.message(),
            QStringLiteral("Parâmetro desconhecido: turma (este relatório não tem parâmetros)."));
    }
}
