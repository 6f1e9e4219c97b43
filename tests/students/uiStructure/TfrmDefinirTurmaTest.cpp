#include "students/forms/TfrmDefinirBolsa.h"
#include "students/forms/TfrmDefinirTurma.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace students;

class TfrmDefinirTurmaTest : public QObject
{
    Q_OBJECT

private:
    const QStringList m_lines{QStringLiteral("1G1A 1ª SÉRIE A"), QStringLiteral("1G1AM 1ª SÉRIE A MATUTINO"),
                              QStringLiteral("2G3N 3º ANO NOITE")};

    template<class W> static W *child(const QWidget &form, const char *name)
    {
        return form.findChild<W *>(QString::fromLatin1(name));
    }

private slots:
    void oneClassWaitsForAPick()
    {
        TfrmDefinirTurma picker(m_lines);
        picker.show();
        QCOMPARE(picker.windowTitle(), QStringLiteral("Defina a Turma "));
        auto *ok = child<QPushButton>(picker, "OKBtn");
        auto *list = child<QListWidget>(picker, "lstTurmas");
        QVERIFY(child<QRadioButton>(picker, "rbTodas")->isChecked());
        QVERIFY(ok->isEnabled());
        QVERIFY(!list->isEnabled());

        child<QRadioButton>(picker, "rbApenas")->click();
        QVERIFY(list->isEnabled());
        QVERIFY(!ok->isEnabled());
        list->setCurrentRow(1);
        QVERIFY(ok->isEnabled());
        ClassChoice choice = picker.choice();
        QVERIFY(!choice.allClasses);
        QCOMPARE(choice.classCode, QStringLiteral("1G1AM"));

        child<QRadioButton>(picker, "rbTodas")->click();
        QVERIFY(list->selectedItems().isEmpty());
        QVERIFY(!list->isEnabled());
        choice = picker.choice();
        QVERIFY(choice.allClasses);
        QVERIFY(choice.classCode.isEmpty());
        QVERIFY(choice.isComplete());

        // Without optional parts: none of them is there.
        for (const char *part : {"chkValoresDevidos", "dtInicio", "rgPeriodo", "chkExcel", "cbTipoCobranca", "cmdConfigurar"})
            QVERIFY2(!picker.findChild<QWidget *>(QString::fromLatin1(part)), part);
    }

    void optionalPartsCarryTheirValues()
    {
        int setups = 0;
        ClassPickerParts parts;
        parts.amountsDue = parts.period = parts.monthPeriod = parts.exportToExcel = parts.chargeType = true;
        parts.configure = [&setups] { ++setups; };
        TfrmDefinirTurma picker(m_lines, parts);
        ClassChoice start;
        start.allClasses = false;
        start.classCode = QStringLiteral("2G3N");
        start.periodFrom = QDate(2009, 2, 1);
        start.periodTo = QDate(2009, 6, 30);
        start.month = 6;
        start.monthScope = MonthScope::UpToMonth;
        start.chargeType = QStringLiteral("Mensalidade");
        picker.setChoice(start);
        picker.show();

        QCOMPARE(picker.choice().classCode, QStringLiteral("2G3N"));
        // Recomputed when the list is shown.
        QCOMPARE(picker.choice().chargeFilter, QStringLiteral("(Tipo = 'N' )"));
        auto *months = child<QComboBox>(picker, "cbMes");
        QCOMPARE(months->count(), 12);
        QCOMPARE(months->itemText(0), QStringLiteral("JANEIRO"));
        QCOMPARE(months->currentText(), QStringLiteral("JUNHO"));

        child<QComboBox>(picker, "cbTipoCobranca")->setCurrentText(QStringLiteral("4-Viagem"));
        child<QCheckBox>(picker, "chkValoresDevidos")->setChecked(true);
        child<QCheckBox>(picker, "chkExcel")->setChecked(true);
        child<QRadioButton>(picker, "rbApenasMes")->click();
        QTest::mouseClick(child<QPushButton>(picker, "cmdConfigurar"), Qt::LeftButton);

        const ClassChoice c = picker.choice();
        QCOMPARE(c.chargeType, QStringLiteral("4-Viagem"));
        QCOMPARE(c.chargeFilter, QStringLiteral("(Tipo = '4') "));
        QVERIFY(c.amountsDue);
        QVERIFY(c.exportToExcel);
        QCOMPARE(c.monthScope, MonthScope::OnlyMonth);
        QCOMPARE(c.month, 6);
        QCOMPARE(c.periodFrom, QDate(2009, 2, 1));
        QCOMPARE(c.periodTo, QDate(2009, 6, 30));
        QCOMPARE(setups, 1);
    }

    void theTwinHasNoOptionalParts()
    {
        TfrmDefinirBolsa picker(m_lines);
        picker.show();
        QCOMPARE(picker.objectName(), QStringLiteral("frmDefinirBolsa"));
        QCOMPARE(child<QListWidget>(picker, "lstTurmas")->count(), 3);
        QVERIFY(!picker.findChild<QComboBox *>(QStringLiteral("cbTipoCobranca")));
        QVERIFY(picker.choice().chargeFilter.isEmpty());
    }
};

QTEST_MAIN(TfrmDefinirTurmaTest)
#include "TfrmDefinirTurmaTest.moc"
