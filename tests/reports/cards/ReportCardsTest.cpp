#include "CardSchool.h"

#include "reports/cards/ReportCards.h"

#include "support/QStringPrinting.h"

using namespace reports;

namespace {

class ReportCards : public CardSchool
{
protected:
    void SetUp() override
    {
        CardSchool::SetUp();
        // Ana passes everything; her marks show the codes, the zero and the concepts.
        addStudent(1001, QStringLiteral("ANA LIMA"), QStringLiteral("1G5A"), QStringLiteral("F"));
        addMarks(1001, QStringLiteral("PO"), QStringLiteral("1G5A"),
                 {{"UND1", 90}, {"UND2", 12}, {"UND3", 0}, {"FLT1", 2}, {"FLT2", 1}, {"FALTAS", 3},
                  {"MD_ANUAL", 8}, {"MD_FINAL", 8}});
        addMarks(1001, QStringLiteral("MA"), QStringLiteral("1G5A"), {{"UND1", 7.5}, {"MD_ANUAL", 7}, {"MD_FINAL", 7}});
        addMarks(1001, QStringLiteral("AR"), QStringLiteral("1G5A"),
                 {{"UND1", 9.5}, {"UND2", 7}, {"UND3", 6.9}, {"MD_ANUAL", 6.9}, {"MD_FINAL", 6.9}});
        rank(1001, QStringLiteral("1G5A"), {{"Pos1", 1}, {"Pos2", 2}, {"Postotal", 1}, {"PONTOS1", -9.5},
                                            {"PONTOST", -7.3}});
        // Bruno fails two ordinary subjects, one without a final exam, and owes one subject
        // in 1G4A.
        addStudent(1002, QStringLiteral("BRUNO SOUZA"), QStringLiteral("1G5A"), QStringLiteral("M"));
        addMarks(1002, QStringLiteral("PO"), QStringLiteral("1G5A"), {{"UND1", 5}, {"PFINAL", 3}, {"MD_FINAL", 4}});
        addMarks(1002, QStringLiteral("MA"), QStringLiteral("1G5A"), {{"UND1", 6}, {"PFINAL", 0}, {"MD_FINAL", 5}});
        addMarks(1002, QStringLiteral("AR"), QStringLiteral("1G5A"), {{"UND1", 9}, {"MD_FINAL", 9}});
        addMarks(1002, QStringLiteral("PO"), QStringLiteral("1G4A"), {{"UND1", 8}, {"MD_FINAL", 8}});
        rank(1002, QStringLiteral("1G5A"), {{"Pos1", 2}});
    }

    Document cards(const CardOptions &options) { return reportCards(m_db, m_school, options); }

    static CardOptions finalResult()
    {
        CardOptions options;
        options.result = CardResult::Final;
        return options;
    }

    // The page of a student's own class, after the page of Bruno's pending subject in 1G4A.
    static constexpr int kAna = 1;
    static constexpr int kBruno = 2;
};

TEST_F(ReportCards, OnePagePerStudentAndClassInClassAndNameOrder)
{
    const Document document = cards(finalResult());
    EXPECT_EQ(document.title, QStringLiteral("BoletimB"));
    ASSERT_EQ(document.pageCount(), 3);
    EXPECT_TRUE(findText(document, 0, QStringLiteral("PORTUGUÊS(Dep.)")));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("1G4A 4º ANO A")));
    EXPECT_TRUE(findText(document, kAna, QStringLiteral("ANA LIMA")));
    EXPECT_TRUE(findText(document, kAna, QStringLiteral("1001")));
    EXPECT_TRUE(findText(document, kBruno, QStringLiteral("BRUNO SOUZA")));
    // The school's address lines sit in the header of the four-unit card.
    EXPECT_TRUE(findText(document, kAna, QStringLiteral("SALVADOR - BA")));
    EXPECT_TRUE(findText(document, kAna, QStringLiteral("Telefone: (71) 3333-4444")));
}

TEST_F(ReportCards, CodesPrintAsLettersInBoldAndAZeroUnitMarkInRedItalics)
{
    const Document document = cards(finalResult());
    const Item *exempt = findText(document, kAna, QStringLiteral("D"));
    ASSERT_TRUE(exempt);
    EXPECT_TRUE(exempt->font.bold);
    EXPECT_FALSE(exempt->font.italic);
    EXPECT_EQ(exempt->color, QColor(Qt::black));
    const Item *absent = findText(document, kAna, QStringLiteral("F"));
    ASSERT_TRUE(absent);
    EXPECT_TRUE(absent->font.bold);
    const Item *zero = findText(document, kAna, QStringLiteral("0,0"));
    ASSERT_TRUE(zero);
    EXPECT_TRUE(zero->font.italic);
    EXPECT_FALSE(zero->font.bold);
    EXPECT_EQ(zero->color, QColor(Qt::red));
}

TEST_F(ReportCards, ConceptSubjectsPrintLettersAgainstTheUnitPassMark)
{
    const Document document = cards(finalResult());
    const QStringList texts = document.texts(kAna);
    const qsizetype row = texts.indexOf(QStringLiteral("ARTES"));
    ASSERT_GE(row, 0);
    // Unid 1..3, their absences, Unid 4, then the year's average, absences, exam, final average.
    EXPECT_EQ(texts.at(row + 1), QStringLiteral("A"));
    EXPECT_EQ(texts.at(row + 3), QStringLiteral("B"));
    EXPECT_EQ(texts.at(row + 5), QStringLiteral("C"));
    EXPECT_EQ(texts.at(row + 9), QStringLiteral("C"));  // annual average 6,9
    EXPECT_EQ(texts.at(row + 12), QStringLiteral("C")); // final average 6,9, a pass at 6
}

TEST_F(ReportCards, FinalAverageWithoutFinalExamPrintsDashesAndCountsAsFailed)
{
    const Document document = cards(finalResult());
    const QStringList texts = document.texts(kBruno);
    const qsizetype row = texts.indexOf(QStringLiteral("MATEMÁTICA **"));
    ASSERT_GE(row, 0);
    EXPECT_EQ(texts.at(row + 11), QStringLiteral("--")); // the final exam, 0
    EXPECT_EQ(texts.at(row + 12), QStringLiteral("--")); // the final average below 6
    const Item *below = findText(document, kBruno, QStringLiteral("* 4,0 *"));
    ASSERT_TRUE(below);
    EXPECT_EQ(below->color, QColor(Qt::red));
    EXPECT_TRUE(findText(document, kBruno, QStringLiteral("Resultado Final: (PROGRESSÃO PARCIAL) APROVADO")));
    EXPECT_TRUE(findText(document, kAna, QStringLiteral("Resultado Final: APROVADA")));
    // The count starts again for every student (and every card of a pending subject).
    EXPECT_TRUE(findText(document, 0, QStringLiteral("Resultado Final: APROVADO")));
}

TEST_F(ReportCards, TheLastGradeHasNoPartialProgression)
{
    addStudent(1003, QStringLiteral("CARLOS REIS"), QStringLiteral("1G9A"), QStringLiteral("M"));
    addMarks(1003, QStringLiteral("PO"), QStringLiteral("1G9A"), {{"PFINAL", 3}, {"MD_FINAL", 4}});
    addMarks(1003, QStringLiteral("MA"), QStringLiteral("1G9A"), {{"PFINAL", 2}, {"MD_FINAL", 5}});
    rank(1003, QStringLiteral("1G9A"));
    const Document document = cards(finalResult());
    ASSERT_EQ(document.pageCount(), 4);
    EXPECT_TRUE(findText(document, 3, QStringLiteral("Resultado Final: REPROVADO")));
}

TEST_F(ReportCards, YearColumnsStayEmptyUntilTheFinalResultButStillCountFailures)
{
    CardOptions options;
    options.currentUnit = kAnnualUnit;
    const Document document = cards(options);
    EXPECT_FALSE(findText(document, kBruno, QStringLiteral("* 4,0 *")));
    EXPECT_FALSE(findText(document, kBruno, QStringLiteral("--")));
    EXPECT_TRUE(findText(document, kBruno, QStringLiteral("Resultado Parcial: RECUPERAÇÃO")));
    EXPECT_TRUE(findText(document, kAna, QStringLiteral("Resultado Parcial: NA MÉDIA")));

    // More failed subjects than the recovery limit, itself above the dependency limit: Bruno's
    // card of 1G4A with three failed subjects.
    setting(QStringLiteral("LIMITE_DEP"), 1);
    m_db.exec(QStringLiteral("update DISCPL set TIPO = 'N'"));
    m_db.exec(QStringLiteral("update NOTAS set MD_FINAL = 2 where Turma = '1G4A'"));
    for (const char *subject : {"MA", "AR"})
        addMarks(1002, QString::fromLatin1(subject), QStringLiteral("1G4A"), {{"MD_FINAL", 2}});
    options.recoveryLimit = 2;
    EXPECT_TRUE(findText(cards(options), 0,
                         QStringLiteral("Resultado Parcial: INSUFICIENTE EM MAIS DE 2 disciplinas - REPROVAÇÃO")));
    options.recoveryLimit = -1;
    EXPECT_TRUE(findText(cards(options), 0, QStringLiteral("Resultado Parcial: RECUPERAÇÃO")));
}

TEST_F(ReportCards, AUnitMarkBelowThePassMarkSendsThatUnitToRecovery)
{
    CardOptions options;
    options.currentUnit = 3; // Ana's 0 in unit 3
    EXPECT_TRUE(findText(cards(options), kAna, QStringLiteral("Resultado Parcial: RECUPERAÇÃO*")));
    options.currentUnit = 2; // codes are never below the pass mark
    EXPECT_TRUE(findText(cards(options), kAna, QStringLiteral("Resultado Parcial: NA MÉDIA")));
    options.result = CardResult::None;
    const Document none = cards(options);
    EXPECT_TRUE(textsStarting(none, kAna, QStringLiteral("Resultado")).isEmpty());
}

TEST_F(ReportCards, LeaversAreLeftOutUnlessKeptAndThenNamed)
{
    addStudent(1004, QStringLiteral("DAVI MOTA"), QStringLiteral("1G5A"), QStringLiteral("M"), QStringLiteral("T"));
    addMarks(1004, QStringLiteral("PO"), QStringLiteral("1G5A"), {{"MD_FINAL", 7}});
    rank(1004, QStringLiteral("1G5A"));
    CardOptions options = finalResult();
    EXPECT_EQ(cards(options).pageCount(), 3);
    options.skipLeavers = false;
    const Document document = cards(options);
    ASSERT_EQ(document.pageCount(), 4);
    EXPECT_TRUE(findText(document, 3,
                         QStringLiteral("Resultado Final: APROVADO TRANSFERÊNCIA EM: 10/05/2026 - MUDOU DE CIDADE")));
}

TEST_F(ReportCards, ScopeChoosesAClassOrStudents)
{
    CardOptions options;
    options.scope = CardScope::OneClass;
    options.classCode = QStringLiteral("1G5A");
    EXPECT_EQ(cards(options).pageCount(), 2);
    options.scope = CardScope::Students;
    options.students = {1002};
    // His rows follow one another, so his pending subject shares his page.
    const Document bruno = cards(options);
    ASSERT_EQ(bruno.pageCount(), 1);
    EXPECT_TRUE(findText(bruno, 0, QStringLiteral("BRUNO SOUZA")));
    EXPECT_TRUE(findText(bruno, 0, QStringLiteral("PORTUGUÊS(Dep.)")));
    EXPECT_TRUE(findText(bruno, 0, QStringLiteral("PORTUGUÊS")));
    options.onlyConsolidated = true;
    const Document consolidated = cards(options);
    ASSERT_EQ(consolidated.pageCount(), 1);
    EXPECT_TRUE(findText(consolidated, 0, QStringLiteral("MATEMÁTICA **")));
    EXPECT_FALSE(findText(consolidated, 0, QStringLiteral("PORTUGUÊS")));
}

TEST_F(ReportCards, PositionsAndGeneralAveragesFollowTheCurrentUnit)
{
    CardOptions options;
    options.currentUnit = 1;
    EXPECT_TRUE(textsStarting(cards(options), kAna, QStringLiteral("1º Lugar")).isEmpty());
    options.positions = true;
    Document document = cards(options);
    EXPECT_TRUE(findText(document, kAna, QStringLiteral("1º Lugar")));
    EXPECT_FALSE(findText(document, kAna, QStringLiteral("2º Lugar"))); // unit 2 not reached yet
    EXPECT_TRUE(findText(document, kAna, QStringLiteral("9,5")));
    EXPECT_TRUE(findText(document, kAna, QStringLiteral("Classificação")));
    EXPECT_TRUE(findText(document, kAna, QStringLiteral("Média Geral")));
    options.currentUnit = kAnnualUnit;
    document = cards(options);
    EXPECT_EQ(textsStarting(document, kAna, QStringLiteral("1º Lugar")).size(), 2); // unit 1, year
    EXPECT_TRUE(findText(document, kAna, QStringLiteral("2º Lugar")));
    EXPECT_TRUE(findText(document, kAna, QStringLiteral("7,3")));
    options.positionLimit = 1;
    EXPECT_FALSE(findText(cards(options), kAna, QStringLiteral("2º Lugar")));
}

TEST_F(ReportCards, CaptionsAbsencesGridAndMessages)
{
    setting(QStringLiteral("Termo_Unidade"), QStringLiteral("Bimestre"));
    CardOptions options;
    options.message1 = QStringLiteral("Boas férias!");
    Document document = cards(options);
    EXPECT_TRUE(findText(document, kAna, QStringLiteral("Bime 4")));
    EXPECT_EQ(textsStarting(document, kAna, QStringLiteral("Faltas")).size(), 5);
    EXPECT_TRUE(findText(document, kAna, QStringLiteral("3")));
    const Item *message = findText(document, kAna, QStringLiteral("Boas férias!"));
    ASSERT_TRUE(message);
    EXPECT_TRUE(message->font.italic);
    EXPECT_EQ(message->align, Align::Center);
    EXPECT_TRUE(findText(document, kAna, QStringLiteral("** Disciplina Consolidada")));

    const auto framePens = [](const Document &d, int page) {
        QList<QColor> pens;
        for (const Item &item : d.pages.at(page).items)
            if (item.kind == Item::Kind::Rect && item.rect.height() == 50)
                pens << item.color;
        return pens;
    };
    EXPECT_EQ(framePens(document, kAna).size(), 15); // five rectangles on each of three rows
    EXPECT_TRUE(framePens(document, kAna).contains(QColor(Qt::black)));

    options.hideAbsences = true;
    options.noGrid = true;
    document = cards(options);
    EXPECT_TRUE(textsStarting(document, kAna, QStringLiteral("Faltas")).isEmpty());
    EXPECT_FALSE(findText(document, kAna, QStringLiteral("3")));
    const QList<QColor> pens = framePens(document, kAna);
    EXPECT_EQ(pens.count(QColor(Qt::white)), 15);
}

TEST_F(ReportCards, LawTextByGradeAndChoice)
{
    CardOptions options;
    options.lawNotAdapted = true;
    EXPECT_TRUE(findText(cards(options), kAna,
                         QStringLiteral("* Turma equivalente ao 6º Ano do Ensino Fundamental de acordo com a Lei 11.274/2006")));
    options = CardOptions();
    options.lawAdapted = true;
    EXPECT_TRUE(findText(cards(options), kAna,
                         QStringLiteral("* Turma equivalente à 4ª Série do Ensino Fundamental, anterior à Lei 11.274/06")));
}

TEST_F(ReportCards, TwoUnitMembersFollowTheSchoolsUnits)
{
    setting(QStringLiteral("UNID_AVAL"), 2);
    setting(QStringLiteral("Termo_Recup"), QStringLiteral("Rec."));
    addMarks(1001, QStringLiteral("XX"), QStringLiteral("1G5A"), {}); // no such subject: left out
    m_db.exec(QStringLiteral("update NOTAS set RECUP = 0, MD_RECUP = 4 where MATRICULA = 1002 and DISC = 'PO' and Turma = '1G5A'"));
    CardOptions options = finalResult();
    Document document = cards(options);
    EXPECT_EQ(document.title, QStringLiteral("BoletimB2"));
    EXPECT_TRUE(findText(document, kAna, QStringLiteral("Recup.Final")));
    EXPECT_FALSE(findText(document, kAna, QStringLiteral("Unid 3")));
    // Both averages below the pass mark: PO counts twice, so three failed subjects.
    EXPECT_TRUE(findText(document, kBruno, QStringLiteral("Resultado Final: REPROVADO")));
    options.result = CardResult::Partial;
    EXPECT_TRUE(textsStarting(cards(options), kBruno, QStringLiteral("Resultado")).isEmpty());

    options.photo = true;
    document = cards(options);
    EXPECT_EQ(document.title, QStringLiteral("BoletimB3"));
    EXPECT_TRUE(findText(document, kAna, QStringLiteral("Rec. Final")));
    EXPECT_TRUE(findText(document, kAna, QStringLiteral("Md. Rec. Final")));
    EXPECT_TRUE(findText(document, kAna, QStringLiteral("Dados Pessoais")));
}

TEST_F(ReportCards, CardWithPhotographLoadsEachStudentsPicture)
{
    const QString photos = m_dir.file(QStringLiteral("FOTOS"));
    QDir().mkpath(photos);
    QImage picture(30, 40, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(QDir(photos).filePath(QStringLiteral("1001.bmp"))));
    CardOptions options = finalResult();
    options.photo = true;
    const Document document = cards(options);
    EXPECT_EQ(document.title, QStringLiteral("Boletim"));
    const auto images = [&](int page) {
        QStringList files;
        for (const Item &item : document.pages.at(page).items)
            if (item.kind == Item::Kind::Image)
                files << QFileInfo(item.text).fileName();
        return files;
    };
    EXPECT_TRUE(images(kAna).contains(QStringLiteral("1001.bmp")));
    EXPECT_FALSE(images(kBruno).contains(QStringLiteral("1002.bmp"))); // no picture: empty frame
    EXPECT_TRUE(findText(document, kAna, QStringLiteral("Página  2")));
    EXPECT_FALSE(findText(document, kAna, QStringLiteral("SALVADOR - BA")));
    // The first unit's place prints without the positions option on this card.
    EXPECT_TRUE(findText(document, kAna, QStringLiteral("1º Lugar")));
    EXPECT_FALSE(findText(document, kAna, QStringLiteral("Classificação")));
    // Absences added up from the units.
    EXPECT_TRUE(findText(document, kAna, QStringLiteral("3")));
}

} // namespace
