#include "SchoolStructure.h"

#include "students/structure/ChargeTypeFilter.h"
#include "students/structure/Staff.h"
#include "students/structure/StructureLists.h"

using namespace students;

TEST_F(SchoolStructure, PickListsShowCodeBlankDescription)
{
    EXPECT_EQ(subjectLines(db()), (QStringList{"01 PORTUGUÊS", "02 MATEMÁTICA", "03 ARTES"}));
    EXPECT_EQ(classLines(db()), (QStringList{"1G1A 1ª SÉRIE A", "1G1B 1ª SÉRIE B", "1G2A 2ª SÉRIE A"}));
    EXPECT_EQ(classesWithGradesLines(db()), (QStringList{"1G1A 1ª SÉRIE A", "1G1B 1ª SÉRIE B"}))
        << "a class without grade rows cannot be assigned yet";
    EXPECT_EQ(teacherLines(db()), (QStringList{"9 BRUNO LIMA", "7 CARLA MENDES"}))
        << "by name, whatever the case of the function";
}

TEST(PickListLines, ReadTheirCodeBackFromTheLine)
{
    EXPECT_EQ(codeOfLine(QStringLiteral("7 CARLA MENDES")), QStringLiteral("7"));
    EXPECT_EQ(descriptionOfLine(QStringLiteral("7 CARLA MENDES")), QStringLiteral("CARLA MENDES"));
    EXPECT_EQ(classCodeOfLine(QStringLiteral("1G1A 1ª SÉRIE A")), QStringLiteral("1G1A"));
    EXPECT_EQ(classCodeOfLine(QStringLiteral("1G1AMX")), QStringLiteral("1G1AM")) << "at most five characters";
    EXPECT_EQ(lineOfCode({QStringLiteral("01 PORTUGUÊS"), QStringLiteral("011 OUTRA")}, QStringLiteral("011")),
              QStringLiteral("011 OUTRA"));
    EXPECT_TRUE(lineOfCode({QStringLiteral("01 PORTUGUÊS")}, QStringLiteral("0")).isEmpty());
}

TEST(Staff, TeachersAndPhotos)
{
    EXPECT_TRUE(isTeacher(QStringLiteral("PROFESSOR")));
    EXPECT_TRUE(isTeacher(QStringLiteral("Profa. de Artes")));
    EXPECT_FALSE(isTeacher(QStringLiteral("COORDENADORA PROF")));
    EXPECT_FALSE(isTeacher(QString()));
    EXPECT_EQ(staffPhotoPath(QStringLiteral("/escola/FOTOS"), 12.0), QStringLiteral("/escola/FOTOS/12.bmp"));
    EXPECT_TRUE(staffPhotoPath(QStringLiteral("/escola/FOTOS"), QVariant()).isEmpty());
}

// Every entry's filter is read by the charge table's filter language and keeps exactly its kind.
TEST_F(SchoolStructure, ChargeTypeFiltersSelectTheirKindOfCharge)
{
    const QStringList kinds{"N", "0", "1", "2", "7", "9"};
    for (int i = 0; i < kinds.size(); ++i)
        exec(QStringLiteral("insert into Ccorrent (Matricula, Tipo, ParcelaNum, ParcelaData, ParcelaValor) values (100, :t, :n, '2010-03-10', 10)"),
             {{QStringLiteral("t"), kinds.at(i)}, {QStringLiteral("n"), i + 1}});
    data::Table &charges = m_academic->tblCCorrent();
    auto kindsShown = [&](const QString &entry) {
        charges.close();
        charges.setFilter(chargeTypeFilter(entry));
        charges.setFiltered(true);
        charges.open();
        QStringList shown;
        for (charges.first(); !charges.eof(); charges.next())
            shown += charges.asText("Tipo");
        shown.removeDuplicates();
        shown.sort();
        return shown;
    };

    EXPECT_EQ(chargeTypeEntries().size(), 11);
    EXPECT_EQ(chargeTypeFilter(QStringLiteral("Todos")), QStringLiteral("(TIPO <> '1')"));
    EXPECT_EQ(kindsShown(QStringLiteral("Todos")), (QStringList{"0", "2", "7", "9", "N"}));
    EXPECT_EQ(chargeTypeFilter(QStringLiteral("Mensalidade")), QStringLiteral("(Tipo = 'N' )"));
    EXPECT_EQ(kindsShown(QStringLiteral("Mensalidade")), QStringList{"N"});
    EXPECT_EQ(chargeTypeFilter(QStringLiteral("2-Livros")), QStringLiteral("(Tipo = '2') "));
    EXPECT_EQ(kindsShown(QStringLiteral("1-Material Escolar")), QStringList{"1"});
    EXPECT_EQ(kindsShown(QStringLiteral("9-Outras Taxas")), QStringList{"9"});
    EXPECT_TRUE(kindsShown(QStringLiteral("4-Viagem")).isEmpty());
    EXPECT_TRUE(chargeTypeFilter(QStringLiteral("8-Inexistente")).isEmpty());
}
