#include "LetterSchool.h"

#include "reports/engine/TextMetrics.h"
#include "reports/letters/AddressLabels.h"

#include "support/QStringPrinting.h"

using namespace reports;

namespace {

class AddressLabelsTest : public LetterSchool
{
protected:
    // The top-left corner of the label printed with `name` (its first line sits 3 mm in, 4 mm down).
    QPoint labelCorner(const Document &document, int page, const QString &name)
    {
        const Item *item = findText(document, page, name);
        if (!item)
            return {-1, -1};
        return item->rect.topLeft() - QPoint(30, 40);
    }

    void addStudents(int count, const QString &turma = QStringLiteral("1G5A"))
    {
        for (int i = 1; i <= count; ++i)
            addPerson(i, QStringLiteral("ALUNO %1").arg(i, 2, 10, QLatin1Char('0')), turma, QDate(2015, 3, i));
    }
};

TEST_F(AddressLabelsTest, ThreeColumnSheetPutsLabelsOnTheA4Grid)
{
    addStudents(22);
    const Document document = addressLabels(m_db, {}, {});
    ASSERT_EQ(document.pageCount(), 2); // 21 labels a sheet
    // 63,5 x 38,1 mm labels from 7,2 mm left and 15,1 mm top, 2,5 mm between columns.
    EXPECT_EQ(labelCorner(document, 0, QStringLiteral("ALUNO 01")), QPoint(72, 151));
    EXPECT_EQ(labelCorner(document, 0, QStringLiteral("ALUNO 02")), QPoint(72 + 660, 151));
    EXPECT_EQ(labelCorner(document, 0, QStringLiteral("ALUNO 03")), QPoint(72 + 2 * 660, 151));
    EXPECT_EQ(labelCorner(document, 0, QStringLiteral("ALUNO 04")), QPoint(72, 151 + 381));
    EXPECT_EQ(labelCorner(document, 0, QStringLiteral("ALUNO 21")), QPoint(72 + 2 * 660, 151 + 6 * 381));
    EXPECT_EQ(labelCorner(document, 1, QStringLiteral("ALUNO 22")), QPoint(72, 151));
    // Nothing crosses the right edge of the last column or the bottom of the last row.
    for (const Item &item : document.pages.at(0).items) {
        EXPECT_LE(item.rect.right(), 72 + 2 * 660 + 635) << item.text.toStdString();
        EXPECT_LE(item.rect.bottom(), 151 + 7 * 381) << item.text.toStdString();
    }
}

TEST_F(AddressLabelsTest, TwoColumnsMarginAndSpacingMoveTheGrid)
{
    addStudents(4);
    const Document document = addressLabels(m_db, {}, {2, 5, 3, false});
    // 99,1 mm labels from 4,7 mm plus the 5 mm asked for; 3 mm more between rows.
    EXPECT_EQ(labelCorner(document, 0, QStringLiteral("ALUNO 01")), QPoint(47 + 50, 151));
    EXPECT_EQ(labelCorner(document, 0, QStringLiteral("ALUNO 02")), QPoint(47 + 50 + 1016, 151));
    EXPECT_EQ(labelCorner(document, 0, QStringLiteral("ALUNO 03")), QPoint(47 + 50, 151 + 411));

    const std::optional<LabelSheet> sheet = labelSheet({2, 5, 3, false});
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows, 6); // 7 rows of 41,1 mm no longer fit
    EXPECT_FALSE(labelSheet({4, 0, 0, false}));
    EXPECT_FALSE(labelSheet({3, 40, 0, false}));
    EXPECT_THROW(addressLabels(m_db, {}, {1, 0, 0, false}), ReportParamError);
}

TEST_F(AddressLabelsTest, LabelHoldsTheAddressAndTheBorderIsLightGrey)
{
    addPerson(7, QStringLiteral("ANA LIMA"), QStringLiteral("1G5A"), QDate(2015, 3, 9));
    const Document plain = addressLabels(m_db, {}, {});
    EXPECT_EQ(plain.texts(0), (QStringList{"ANA LIMA", "RUA ANA LIMA", "BROTAS", "CEP 40000-000  SALVADOR",
                                           "Turma: 1G5A   Matrícula: 7", "Resp.: RESP ANA LIMA"}));
    for (const Item &item : plain.pages.at(0).items)
        EXPECT_NE(item.kind, Item::Kind::Rect);

    // A name as long as the register takes is printed smaller, inside its label.
    const QString longName = QStringLiteral("MARIA EDUARDA DOS SANTOS CAVALCANTI MOREIRA");
    addPerson(8, longName.left(42), QStringLiteral("1G5A"), QDate(2015, 3, 9));
    const Document twoLabels = addressLabels(m_db, {}, {});
    const Item *name = findText(twoLabels, 0, longName.left(42));
    ASSERT_TRUE(name);
    EXPECT_LT(name->font.size, 8);
    EXPECT_LE(textWidth(name->font, name->text), 635 - 60);
    EXPECT_EQ(findText(twoLabels, 0, QStringLiteral("ANA LIMA"))->font.size, 8);

    const Document framed = addressLabels(m_db, {}, {3, 0, 0, true});
    const auto frame = std::find_if(framed.pages.at(0).items.cbegin(), framed.pages.at(0).items.cend(),
                                    [](const Item &item) { return item.kind == Item::Kind::Rect; });
    ASSERT_NE(frame, framed.pages.at(0).items.cend());
    EXPECT_EQ(frame->rect, QRect(72, 151, 635, 381));
    EXPECT_EQ(frame->color.rgb() & 0xFFFFFF, 0xC0C0C0u);
}

TEST_F(AddressLabelsTest, SituationClassAndBirthMonthChooseTheStudents)
{
    addPerson(1, QStringLiteral("ATIVA MARÇO"), QStringLiteral("1G5A"), QDate(2015, 3, 20));
    addPerson(2, QStringLiteral("ATIVA ABRIL"), QStringLiteral("1G5A"), QDate(2015, 4, 2));
    addPerson(3, QStringLiteral("DESISTENTE MARÇO"), QStringLiteral("1G5A"), QDate(2015, 3, 1), QStringLiteral("D"));
    addPerson(4, QStringLiteral("OUTRA TURMA MARÇO"), QStringLiteral("1G4A"), QDate(2015, 3, 5));
    addPerson(5, QStringLiteral("TRANSFERIDA"), QStringLiteral("1G4A"), QDate(2015, 5, 5), QStringLiteral("T"));
    setColumn(2, QStringLiteral("SIT"), QStringLiteral("X"));

    const auto names = [this](const LabelSelection &selection) {
        // The name is the label's only bold line.
        QStringList found;
        const Document document = addressLabels(m_db, selection, {});
        for (const Item &item : textItems(document, 0))
            if (item.font.bold)
                found << item.text;
        return found;
    };
    LabelSelection active;
    EXPECT_EQ(names(active), (QStringList{"OUTRA TURMA MARÇO", "ATIVA ABRIL", "ATIVA MARÇO"}));
    LabelSelection marchBirthdays;
    marchBirthdays.birthMonth = 3;
    EXPECT_EQ(names(marchBirthdays), (QStringList{"OUTRA TURMA MARÇO", "ATIVA MARÇO"}));
    marchBirthdays.classCode = QStringLiteral("1G5A");
    EXPECT_EQ(names(marchBirthdays), QStringList{"ATIVA MARÇO"});

    // Namesakes of one class and day: in the order of their numbers.
    for (qint64 m : {9, 7, 8})
        addPerson(m, QStringLiteral("GIL"), QStringLiteral("1G4A"), QDate(2015, 3, 5));
    marchBirthdays.classCode = QStringLiteral("1G4A");
    QStringList numbers;
    for (const Item &item : textItems(addressLabels(m_db, marchBirthdays, {}), 0))
        if (item.text.startsWith(QStringLiteral("Turma: ")))
            numbers << item.text.section(u' ', -1);
    EXPECT_EQ(numbers, (QStringList{"7", "8", "9", "4"}));

    LabelSelection leavers;
    ASSERT_TRUE(parseSituation(QStringLiteral("Transferidos"), leavers));
    EXPECT_EQ(names(leavers), QStringList{"TRANSFERIDA"});
    LabelSelection typed;
    ASSERT_TRUE(parseSituation(QStringLiteral("x"), typed));
    EXPECT_EQ(typed.situation, SituationChoice::Equal);
    EXPECT_EQ(names(typed), QStringList{"ATIVA ABRIL"});
    EXPECT_FALSE(parseSituation(QStringLiteral("inexistente"), typed));
    EXPECT_FALSE(parseSituation(QString(), typed));
    EXPECT_EQ(situationWord(SituationChoice::Scholarship, QString()), QStringLiteral("bolsistas"));
}

TEST_F(AddressLabelsTest, RegistryAnswersReachTheSheet)
{
    addStudents(3);
    const QList<ReportEntry> entries = labelEntries();
    ASSERT_EQ(entries.size(), 2);
    ReportValues values(entries.at(0).params);
    values.set(QStringLiteral("columns"), QStringLiteral("2"), m_db);
    values.set(QStringLiteral("border"), QStringLiteral("S"), m_db);
    values.set(QStringLiteral("class"), QStringLiteral("1G5A"), m_db);
    const Document document = entries.at(0).build({m_db, m_school, values});
    EXPECT_EQ(labelCorner(document, 0, QStringLiteral("ALUNO 03")), QPoint(47, 151 + 381));

    values.set(QStringLiteral("situation"), QStringLiteral("ninguém"), m_db);
    EXPECT_THROW(entries.at(0).build({m_db, m_school, values}), ReportParamError);

    // The birthday labels start from the current month.
    const ReportValues birthdays(entries.at(1).params);
    EXPECT_GE(birthdays.month(QStringLiteral("birth-month")), 1);
    LabelSettings settings{2, 4, 1, true};
    ReportValues roundTrip(entries.at(1).params);
    setLabelSettings(roundTrip, settings, m_db);
    const LabelSettings back = labelSettings(roundTrip);
    EXPECT_EQ(back.columns, 2);
    EXPECT_EQ(back.extraMarginMm, 4);
    EXPECT_EQ(back.spacingMm, 1);
    EXPECT_TRUE(back.border);
}

} // namespace
