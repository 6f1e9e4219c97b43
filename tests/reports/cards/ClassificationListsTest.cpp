#include "CardSchool.h"

#include "reports/cards/ClassificationLists.h"

#include "support/QStringPrinting.h"

using namespace reports;
using grades::ClassificationScope;

namespace {

class ClassificationLists : public CardSchool
{
protected:
    void SetUp() override
    {
        CardSchool::SetUp();
        const auto student = [this](qint64 matricula, const char *nome, const char *turma, double points) {
            m_db.exec(QStringLiteral("insert into posicao (MATRICULA, NOME, TURMA, GRUPO, PONTOS1, PONTOST) "
                                     "values (:m, :n, :t, :g, :p, :p)"),
                      {{"m", double(matricula)}, {"n", nome}, {"t", turma}, {"g", QString::fromLatin1(turma).left(3)},
                       {"p", points}});
        };
        student(1, "ANA", "1G5A", -8.0);
        student(2, "BIA", "1G5A", -8.0);
        student(3, "CAIO", "1G5A", -7.5);
        student(4, "DINO", "1G5B", -9.0);
        student(5, "EVA", "1G9A", -9.9);
    }

    // The lines of the list on a page, each "n.|matrícula|nome|média|posição[|turma]".
    static QStringList lines(const Document &document, int page, int columns)
    {
        QStringList texts = document.texts(page);
        const qsizetype first = texts.indexOf(QStringLiteral("1."));
        QStringList result;
        for (qsizetype i = first; first >= 0 && i + columns <= texts.size(); i += columns) {
            if (!texts.at(i).endsWith(u'.'))
                break;
            result << texts.mid(i, columns).join(u'|');
        }
        return result;
    }
};

TEST_F(ClassificationLists, ClassListSharesPlacesOnEqualPoints)
{
    grades::ClassificationRequest request;
    request.scope = ClassificationScope::Class;
    request.choice = QStringLiteral("1G5A");
    request.measure = 1;
    const Document document = classificationList(m_db, m_school, request);
    EXPECT_EQ(document.title, QStringLiteral("CLASSIFICAÇÃO DE DESEMPENHO "));
    ASSERT_EQ(document.pageCount(), 1);
    EXPECT_EQ(lines(document, 0, 5),
              (QStringList{QStringLiteral("1.|1|ANA|8,0|1"), QStringLiteral("2.|2|BIA|8,0|1"),
                           QStringLiteral("3.|3|CAIO|7,5|2")}));
    EXPECT_EQ(m_db.scalar(QStringLiteral("select Posicao from posicao where MATRICULA = 3")).toInt(), 2);
}

TEST_F(ClassificationLists, GroupListKeepsThePlacesUpToTheLimitWithTheirClass)
{
    grades::ClassificationRequest request;
    request.scope = ClassificationScope::Grade;
    request.choice = QStringLiteral("1G5 - 1º Grau 5ª Série");
    request.measure = 0;
    request.limit = 2;
    const Document document = classificationList(m_db, m_school, request);
    EXPECT_EQ(document.title, QStringLiteral("CLASSIFICAÇÃO GERAL - Geral"));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("1º Grau 5ª Série")));
    EXPECT_EQ(lines(document, 0, 6),
              (QStringList{QStringLiteral("1.|4|DINO|9,0|1|1G5B"), QStringLiteral("2.|1|ANA|8,0|2|1G5A"),
                           QStringLiteral("3.|2|BIA|8,0|2|1G5A")}));
}

TEST_F(ClassificationLists, RegistryEntriesReadTheirOptions)
{
    const QList<ReportEntry> entries = classificationReports();
    ASSERT_EQ(entries.size(), 6);
    const ReportEntry &all = entries.first();
    EXPECT_EQ(all.name, QStringLiteral("classificacao"));
    ReportValues values(all.params);
    values.set(QStringLiteral("scope"), QStringLiteral("1g-maior"), m_db);
    values.set(QStringLiteral("measure"), QStringLiteral("1"), m_db);
    values.set(QStringLiteral("position-limit"), QStringLiteral("1"), m_db);
    const Document document = all.build({m_db, m_school, values});
    EXPECT_EQ(document.title, QStringLiteral("CLASSIFICAÇÃO GERAL - 1ª Unidade"));
    EXPECT_EQ(lines(document, 0, 6), QStringList{QStringLiteral("1.|5|EVA|9,9|1|1G9A")});

    values.set(QStringLiteral("scope"), QStringLiteral("turma"), m_db);
    EXPECT_THROW(all.build({m_db, m_school, values}), ReportParamError);
    values.set(QStringLiteral("position-limit"), QStringLiteral("501"), m_db);
    values.set(QStringLiteral("scope"), QStringLiteral("2g"), m_db);
    EXPECT_THROW(all.build({m_db, m_school, values}), ReportParamError);
    EXPECT_EQ(entries.at(1).menuEntry, QStringLiteral("mnuClassPorTurma"));
}

} // namespace
