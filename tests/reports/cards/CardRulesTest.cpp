#include "reports/cards/CardMember.h"
#include "reports/cards/CardRows.h"
#include "reports/cards/CardRules.h"

#include "support/QStringPrinting.h"

#include <gtest/gtest.h>

using namespace reports;

namespace {

CardStudent student(const QString &classCode, const QString &sex, const QString &situation = QString())
{
    return {classCode, sex, situation, QDate(2026, 5, 10), QStringLiteral("MUDOU")};
}

TEST(CardRules, FinalResultByFailedSubjectsGradeAndGender)
{
    EXPECT_EQ(finalResultText(2, student("1G5A", "M"), 2), QStringLiteral("Resultado Final: (PROGRESSÃO PARCIAL) APROVADO"));
    EXPECT_EQ(finalResultText(2, student("1G9A", "M"), 2), QStringLiteral("Resultado Final: REPROVADO"));
    EXPECT_EQ(finalResultText(3, student("1G5A", "F"), 2), QStringLiteral("Resultado Final: REPROVADA"));
    EXPECT_EQ(finalResultText(0, student("1G9A", "F"), 2), QStringLiteral("Resultado Final: APROVADA"));
    EXPECT_EQ(finalResultText(0, student("1G5A", ""), 2), QStringLiteral("Resultado Final: APROVADO"));
}

TEST(CardRules, LeaversAreNamedAfterTheResult)
{
    CardOptions options;
    options.result = CardResult::Final;
    EXPECT_EQ(fourUnitResultLine(options, {}, student("1G5A", "F", "D"), 2),
              QStringLiteral("Resultado Final: APROVADA DESISTÊNCIA EM: 10/05/2026 - MUDOU"));
    EXPECT_EQ(otherResultLine(options, {}, student("1G5A", "M", "T"), 2),
              QStringLiteral("Resultado Final: APROVADO TRANSFERÊNCIA EM: 10/05/2026 - MUDOU"));
    options.result = CardResult::Partial;
    EXPECT_EQ(otherResultLine(options, {}, student("1G5A", "M", "T"), 2), QString());
    options.result = CardResult::None;
    EXPECT_EQ(fourUnitResultLine(options, {}, student("1G5A", "M", "T"), 2),
              QStringLiteral("TRANSFERÊNCIA EM: 10/05/2026 - MUDOU"));
    EXPECT_EQ(fourUnitResultLine(options, {}, student("1G5A", "M"), 2), QString());
}

TEST(CardRules, PartialResultOfTheYearAndTheRecoveryLimit)
{
    CardOptions options;
    options.currentUnit = kAnnualUnit;
    CardState state;
    EXPECT_EQ(fourUnitResultLine(options, state, student("1G5A", "M"), 2), QStringLiteral("Resultado Parcial: NA MÉDIA"));
    state.failedSubjects = 9;
    for (int limit = -1; limit <= 2; ++limit) { // never above the dependency limit
        options.recoveryLimit = limit;
        EXPECT_EQ(fourUnitResultLine(options, state, student("1G5A", "M"), 2),
                  QStringLiteral("Resultado Parcial: RECUPERAÇÃO"));
    }
    options.recoveryLimit = 3;
    EXPECT_EQ(fourUnitResultLine(options, state, student("1G5A", "M"), 2),
              QStringLiteral("Resultado Parcial: INSUFICIENTE EM MAIS DE 3 disciplinas - REPROVAÇÃO"));
    state.failedSubjects = 3; // not more than the limit
    EXPECT_EQ(fourUnitResultLine(options, state, student("1G5A", "M"), 2),
              QStringLiteral("Resultado Parcial: RECUPERAÇÃO"));
}

TEST(CardRules, PartialResultOfAUnitReadsThatUnitsFlag)
{
    CardOptions options;
    options.currentUnit = 2;
    CardState state;
    state.unitBelowPass[0] = true;
    state.failedSubjects = 5;
    EXPECT_EQ(fourUnitResultLine(options, state, student("1G5A", "M"), 2), QStringLiteral("Resultado Parcial: NA MÉDIA"));
    state.unitBelowPass[1] = true;
    EXPECT_EQ(fourUnitResultLine(options, state, student("1G5A", "M"), 2),
              QStringLiteral("Resultado Parcial: RECUPERAÇÃO*"));
}

TEST(CardRules, LawTextByGrade)
{
    CardOptions adapted;
    adapted.lawAdapted = true;
    EXPECT_EQ(lawText("1G1A", adapted),
              QStringLiteral("* Turma equivalente à Alfabetização do Ensino Infantil, anterior à Lei 11.274/06"));
    EXPECT_EQ(lawText("1G2A", adapted),
              QStringLiteral("* Turma equivalente à 1ª Série do Ensino Fundamental, anterior à Lei 11.274/06"));
    EXPECT_EQ(lawText("1G9B", adapted),
              QStringLiteral("* Turma equivalente à 8ª Série do Ensino Fundamental, anterior à Lei 11.274/06"));
    EXPECT_EQ(lawText("2G1A", adapted), QString());
    EXPECT_EQ(lawText("JD1A", adapted), QString());

    CardOptions notAdapted;
    notAdapted.lawNotAdapted = true;
    EXPECT_EQ(lawText("1G1A", notAdapted),
              QStringLiteral("* Turma equivalente ao 2º Ano do Ensino Fundamental de acordo com a Lei 11.274/2006"));
    EXPECT_EQ(lawText("1G8A", notAdapted),
              QStringLiteral("* Turma equivalente ao 9º Ano do Ensino Fundamental de acordo com a Lei 11.274/2006"));
    EXPECT_EQ(lawText("1G9A", notAdapted), QString());
    EXPECT_EQ(lawText("1G5A", CardOptions()), QString());
}

TEST(CardRules, SubjectCellAndCaptions)
{
    EXPECT_EQ(subjectText("PORTUGUÊS", "1G4A", "1G5A", false), QStringLiteral("PORTUGUÊS(Dep.)"));
    EXPECT_EQ(subjectText("MATEMÁTICA", "1G5A", "1G5A", true), QStringLiteral("MATEMÁTICA **"));
    EXPECT_EQ(subjectText("ARTES", "1G5A", "1G5A", false), QStringLiteral("ARTES"));
    EXPECT_EQ(unitCaption("Unid", 1), QStringLiteral("Unid 1"));
    EXPECT_EQ(unitCaption("Bimestre", 3), QStringLiteral("Bime 3"));
}

TEST(CardRules, PositionsPrintWithinTheLimitOnceTheUnitIsReached)
{
    CardOptions options;
    options.positions = true;
    options.positionLimit = 10;
    options.currentUnit = 2;
    EXPECT_EQ(positionText(3, 1, true, options), QStringLiteral("3º Lugar"));
    EXPECT_EQ(positionText(3, 2, true, options), QStringLiteral("3º Lugar"));
    EXPECT_EQ(positionText(3, 3, true, options), QString());   // unit 3 not reached
    EXPECT_EQ(positionText(3, 1, false, options), QString());  // no mark of that unit
    EXPECT_EQ(positionText(11, 1, true, options), QString());  // beyond the limit
    EXPECT_EQ(positionText(QVariant(), 1, true, options), QString());
    EXPECT_EQ(positionText(QStringLiteral("x"), 1, true, options), QString());
    EXPECT_EQ(positionText(1, kAnnualUnit, false, options), QString());
    options.currentUnit = kAnnualUnit;
    EXPECT_EQ(positionText(1, kAnnualUnit, false, options), QStringLiteral("1º Lugar"));
    EXPECT_EQ(positionText(4, 4, true, options), QStringLiteral("4º Lugar"));
    options.result = CardResult::None;
    EXPECT_EQ(positionText(1, kAnnualUnit, false, options), QString());
    options.positions = false;
    EXPECT_EQ(positionText(1, 1, true, options), QString());
    EXPECT_EQ(positionText(1, 1, true, options, false), QStringLiteral("1º Lugar"));
}

TEST(CardRules, GeneralAveragesPrintTheirAbsoluteValue)
{
    CardOptions options;
    EXPECT_EQ(generalAverageText(-8.25, options), QString());
    options.positions = true;
    EXPECT_EQ(generalAverageText(-8.3, options), QStringLiteral("8,3"));
    EXPECT_EQ(generalAverageText(0, options), QString());
    EXPECT_EQ(generalAverageText(QVariant(), options), QString());
}

TEST(CardRows, MembersByPhotographAndUnits)
{
    EXPECT_EQ(chooseCardMember(false, 4), CardMember::FourUnits);
    EXPECT_EQ(chooseCardMember(true, 4), CardMember::Photo);
    EXPECT_EQ(chooseCardMember(false, 3), CardMember::TwoUnits);
    EXPECT_EQ(chooseCardMember(true, 2), CardMember::TwoUnitsPhoto);
}

TEST(CardRows, EachMemberAppliesItsOwnConditions)
{
    CardOptions options;
    options.skipRecovery = true;
    options.currentUnit = 3;
    const QString four = cardStatement(CardMember::FourUnits, options).sql;
    EXPECT_TRUE(four.contains(QStringLiteral("not (notas.MATRICULA is null)")));
    EXPECT_TRUE(four.contains(QStringLiteral("(alunos.SIT <> 'D') and (alunos.SIT <> 'T') or (alunos.SIT is null)")));
    EXPECT_TRUE(four.contains(QStringLiteral("from NotasUni3 a where ((a.RESULTADO <> 'Na Média*') or (a.RESULTADO is null))")));
    EXPECT_TRUE(four.endsWith(QStringLiteral(" order by notas.Turma, alunos.NOME, notas.MATRICULA, notas.DISC")));

    const QString photo = cardStatement(CardMember::Photo, options).sql;
    EXPECT_FALSE(photo.contains(QStringLiteral("NotasUni")));
    EXPECT_TRUE(photo.contains(QStringLiteral("from NOTAS a where ((a.RESULTADO <> 'APROVADO') or (a.RESULTADO is null))")));
    EXPECT_FALSE(photo.contains(QStringLiteral("not (notas.MATRICULA is null)")));

    const QString two = cardStatement(CardMember::TwoUnits, options).sql;
    EXPECT_FALSE(two.contains(QStringLiteral("RESULTADO")));
    EXPECT_TRUE(two.contains(QStringLiteral("alunos.SIT is null")));

    options.skipLeavers = false;
    options.skipRecovery = false;
    EXPECT_FALSE(cardStatement(CardMember::TwoUnits, options).sql.contains(QStringLiteral(" where ")));
}

TEST(CardRows, ClassAndStudentsAreBoundNotPasted)
{
    CardOptions options;
    options.scope = CardScope::OneClass;
    options.classCode = QStringLiteral("1G5'A");
    CardStatement statement = cardStatement(CardMember::FourUnits, options);
    EXPECT_FALSE(statement.sql.contains(QStringLiteral("1G5'A")));
    EXPECT_EQ(statement.params.value(QStringLiteral("turma")).toString(), QStringLiteral("1G5'A"));

    options.scope = CardScope::Students;
    options.students = {12, 34};
    options.onlyConsolidated = true;
    statement = cardStatement(CardMember::FourUnits, options);
    EXPECT_TRUE(statement.sql.contains(QStringLiteral("(notas.MATRICULA in (:m0, :m1)) and (discturm.Imp_AtaFinal = 1)")));
    EXPECT_EQ(statement.params.value(QStringLiteral("m1")).toDouble(), 34.0);
    EXPECT_FALSE(statement.params.contains(QStringLiteral("turma")));
}

} // namespace
