#include "LetterSchool.h"

#include "reports/records/RecordForms.h"

#include "support/QStringPrinting.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

using namespace reports;

namespace {

class RecordFormsTest : public LetterSchool
{
protected:
    void SetUp() override
    {
        LetterSchool::SetUp();
        addPerson(1, QStringLiteral("BRUNA"), QStringLiteral("1G5A"), QDate(2015, 3, 20));
        addPerson(2, QStringLiteral("ALICE"), QStringLiteral("1G5A"), QDate(2015, 3, 4));
        addPerson(3, QStringLiteral("DORA"), QStringLiteral("1G5A"), QDate(2015, 3, 9), QStringLiteral("D"));
        addPerson(4, QStringLiteral("CAIO"), QStringLiteral("1G4A"), QDate(2016, 3, 20));
        m_db.exec(QStringLiteral("update ALUNOS set SIT = null where MATRICULA = 4"));
        setColumn(2, QStringLiteral("NOME_PAI"), QStringLiteral("PEDRO"));
        setColumn(2, QStringLiteral("PROF_MAE"), QStringLiteral("MÉDICA"));
        setColumn(2, QStringLiteral("ABAT"), 10);
        setColumn(2, QStringLiteral("IMP"), QStringLiteral("%"));
        setColumn(2, QStringLiteral("UsarPiscina"), true);
        m_db.exec(QStringLiteral("insert into Historic (Matricula, Historico) values (2, 'VEIO DE OUTRA ESCOLA')"));
    }

    Document print(const StudentFormChoice &choice) { return studentForm(m_db, m_school, choice); }
};

TEST_F(RecordFormsTest, OnePagePerStudentWithTheFamilyDiscountPoolAndHistory)
{
    StudentFormChoice choice;
    choice.student = 2;
    const Document document = print(choice);
    ASSERT_EQ(document.pageCount(), 1);
    for (const char *text : {"FICHA DO ALUNO", "TURMA: 1G5A - 5º ANO A", "ALICE", "04/03/2015", "PEDRO", "MÉDICA",
                             "RESP ALICE", " Filiação / Responsável ", "10%", "(X)Sim ( )Não", "VEIO DE OUTRA ESCOLA"})
        EXPECT_TRUE(findText(document, 0, QString::fromUtf8(text))) << text;
}

TEST_F(RecordFormsTest, EveryClassLeavesLeaversOutAndKeepsStudentsWithoutSituation)
{
    const Document all = print({});
    ASSERT_EQ(all.pageCount(), 3); // CAIO (no situation), ALICE, BRUNA; not DORA
    EXPECT_TRUE(findText(all, 0, QStringLiteral("CAIO")));
    EXPECT_TRUE(findText(all, 1, QStringLiteral("ALICE")));

    StudentFormChoice oneClass;
    oneClass.classCode = QStringLiteral("1G5A");
    EXPECT_EQ(print(oneClass).pageCount(), 2);
    oneClass.skipLeavers = false;
    EXPECT_EQ(print(oneClass).pageCount(), 3);
}

TEST_F(RecordFormsTest, BlankPagePrintsTheEmptyForm)
{
    StudentFormChoice choice;
    choice.blankPage = true;
    const Document document = print(choice);
    ASSERT_EQ(document.pageCount(), 1);
    EXPECT_TRUE(findText(document, 0, QStringLiteral("Nome do Aluno")));
    EXPECT_FALSE(findText(document, 0, QStringLiteral("ALICE")));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("( )Sim  ( )Não")));
}

TEST_F(RecordFormsTest, PhotographFromThePhotoFolderWhenAskedFor)
{
    const QString photos = m_dir.file(QStringLiteral("FOTOS"));
    QDir().mkpath(photos);
    QImage picture(30, 40, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(QDir(photos).filePath(QStringLiteral("1.bmp"))));
    const auto images = [this](bool photo) {
        StudentFormChoice choice;
        choice.classCode = QStringLiteral("1G5A");
        choice.photo = photo;
        QStringList files;
        for (const Page &page : print(choice).pages)
            for (const Item &item : page.items)
                if (item.kind == Item::Kind::Image && !item.text.isEmpty() && item.text != kLogoFile)
                    files << QFileInfo(item.text).fileName();
        return files;
    };
    // ALICE (2) has no picture: her frame stays empty.
    EXPECT_EQ(images(true), QStringList{QStringLiteral("1.bmp")});
    EXPECT_TRUE(images(false).isEmpty());
}

TEST_F(RecordFormsTest, DiscountAndPoolTexts)
{
    EXPECT_EQ(discountText(10, QStringLiteral("%")), QStringLiteral("10%"));
    EXPECT_EQ(discountText(12.5, QStringLiteral("%")), QStringLiteral("12,5%"));
    EXPECT_EQ(discountText(50, QStringLiteral("R")), QStringLiteral("R$ 50,00"));
    EXPECT_EQ(discountText(QVariant(), QStringLiteral("%")), QString());
    EXPECT_EQ(poolText(true), QStringLiteral("(X)Sim ( )Não"));
    EXPECT_EQ(poolText(false), QStringLiteral("( )Sim (X)Não"));
    EXPECT_EQ(poolText(QVariant()), QStringLiteral("( )Sim  ( )Não"));
}

TEST_F(RecordFormsTest, StaffFormUnderTheSchoolsStaffTerm)
{
    setting(QStringLiteral("Termo_Func"), QStringLiteral("Professor"));
    addStaff(7, QStringLiteral("RITA"), QDate(1980, 5, 2), QStringLiteral("COORDENADORA"));
    addStaff(8, QStringLiteral("OTO"), QDate(1981, 6, 2), QStringLiteral("PORTEIRO"));
    const Document all = staffForm(m_db, m_school, std::nullopt);
    ASSERT_EQ(all.pageCount(), 2);
    EXPECT_TRUE(findText(all, 0, QStringLiteral("FICHA DE PROFESSOR")));
    EXPECT_TRUE(findText(all, 0, QStringLiteral("OTO")));
    const Document one = staffForm(m_db, m_school, 7);
    ASSERT_EQ(one.pageCount(), 1);
    EXPECT_TRUE(findText(one, 0, QStringLiteral("COORDENADORA")));
    EXPECT_TRUE(findText(one, 0, QStringLiteral("02/05/1980")));
}

} // namespace
