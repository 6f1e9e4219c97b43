#include "reports/forms/TfrmDefinirSituacao.h"

#include "data/maintenance/SchoolYearSetup.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace reports;

class TfrmDefinirSituacaoTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_db = data::createSchoolYear(testengine::yearLocation(m_dir.file(QStringLiteral("2026"))),
                                      QStringLiteral("2026"));
        for (const char *code : {"1G4A", "1G5A"})
            m_db.exec(QStringLiteral("insert into Tabturma (TURMA, DESCRICAO) values (:t, 'TURMA')"), {{"t", code}});
    }
    void cleanupTestCase()
    {
        m_db = {};
        data::Database::closeAll();
        testengine::dropServerYears();
    }

    void okNeedsAllClassesOrAPickedClass()
    {
        TfrmDefinirSituacao dialog(m_db);
        auto *ok = dialog.findChild<QPushButton *>(QStringLiteral("cmdOK"));
        auto *classes = dialog.findChild<QListWidget *>(QStringLiteral("lstTurmas"));
        QVERIFY(ok && classes);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Defina a Turma  e a Situação"));
        QCOMPARE(classes->count(), 2);
        QVERIFY(ok->isEnabled());
        dialog.findChild<QRadioButton *>(QStringLiteral("rbApenasTurma"))->setChecked(true);
        QVERIFY(!ok->isEnabled());
        QCOMPARE(dialog.classCode(), QString());
        classes->setCurrentRow(1);
        QVERIFY(ok->isEnabled());
        QCOMPARE(dialog.classCode(), QStringLiteral("1G5A"));
        dialog.findChild<QRadioButton *>(QStringLiteral("rbTodasTurmas"))->setChecked(true);
        QCOMPARE(dialog.classCode(), QString());
    }

    void theChoiceBecomesTheStudentFilter()
    {
        TfrmDefinirSituacao dialog(m_db);
        auto *situation = dialog.findChild<QComboBox *>(QStringLiteral("cboSituacao"));
        auto *code = dialog.findChild<QLineEdit *>(QStringLiteral("edtSituacao"));
        QVERIFY(situation && code);
        QCOMPARE(situation->count(), 7);
        QCOMPARE(dialog.situation(), SituationChoice::Active);
        QVERIFY(!code->isEnabled()); // a code is typed only for "Situação igual a"
        situation->setCurrentIndex(int(SituationChoice::Equal));
        QVERIFY(code->isEnabled());
        QTest::keyClicks(code, QStringLiteral("B"));
        dialog.findChild<QListWidget *>(QStringLiteral("lstTurmas"))->setCurrentRow(0);
        const StudentFilter filter = dialog.filter();
        QCOMPARE(filter.params.value(QStringLiteral("sit")).toString(), QStringLiteral("B"));
        QCOMPARE(filter.params.value(QStringLiteral("turma")).toString(), QStringLiteral("1G4A"));
    }

private:
    TempDir m_dir;
    data::Database m_db;
};

QTEST_MAIN(TfrmDefinirSituacaoTest)
#include "TfrmDefinirSituacaoTest.moc"
