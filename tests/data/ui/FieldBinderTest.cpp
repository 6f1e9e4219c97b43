// The data-aware boxes: what a row holds shows, what is typed goes into the row being edited,
// and text that does not fit its field is held back until the save.

#include "data/forms/FieldBinder.h"
#include "data/store/MemTable.h"
#include "support/ScriptedDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

class FieldBinderTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<data::MemTable> m_table;

    void addRow(const QString &name, const QDate &birth, const QString &imp)
    {
        QVERIFY(m_table->append());
        m_table->setText("NOME", name);
        m_table->setDate("DATANASC", birth);
        m_table->setText("IMP", imp);
        QVERIFY(m_table->post());
    }

private slots:
    void init()
    {
        m_table = std::make_unique<data::MemTable>(QStringLiteral("ALUNOS"));
        m_table->addField(QStringLiteral("NOME"), data::FieldType::Text, 10);
        m_table->addField(QStringLiteral("DATANASC"), data::FieldType::Date);
        m_table->addField(QStringLiteral("IMP"), data::FieldType::Text, 1);
        m_table->addField(QStringLiteral("SEXO"), data::FieldType::Text, 1);
        m_table->addField(QStringLiteral("OBS"), data::FieldType::Memo);
        m_table->open();
        addRow(QStringLiteral("ANA"), QDate(2002, 3, 17), QStringLiteral("%"));
        addRow(QStringLiteral("BRUNO"), QDate(), QStringLiteral("R"));
        m_table->first();
    }

    void showsTheCurrentRowAndFollowsTheCursor()
    {
        data::FieldBinder binder(m_table.get());
        QLineEdit name, birth;
        QCheckBox percent;
        binder.bind(&name, QStringLiteral("NOME"), data::FieldBinder::UpperCase);
        binder.bind(&birth, QStringLiteral("DATANASC"));
        binder.bind(&percent, QStringLiteral("IMP"), QStringLiteral("%"), QStringLiteral("R"));
        QCOMPARE(name.text(), QStringLiteral("ANA"));
        QCOMPARE(birth.text(), QStringLiteral("17/03/2002"));
        QVERIFY(percent.isChecked());
        m_table->next();
        QCOMPARE(name.text(), QStringLiteral("BRUNO"));
        QCOMPARE(birth.text(), QString());
        QVERIFY(!percent.isChecked());
    }

    void typingStartsAnEditAndWritesTheRow()
    {
        ScriptedDialogs::Guard dialogs;
        data::FieldBinder binder(m_table.get());
        int starts = 0;
        binder.setStartEdit([&] {
            ++starts;
            return m_table->edit();
        });
        QLineEdit name;
        QComboBox sex;
        sex.addItems({QStringLiteral("F"), QStringLiteral("M")});
        QCheckBox percent;
        QPlainTextEdit notes;
        binder.bind(&name, QStringLiteral("NOME"), data::FieldBinder::UpperCase);
        binder.bind(&sex, QStringLiteral("SEXO"));
        binder.bind(&percent, QStringLiteral("IMP"), QStringLiteral("%"), QStringLiteral("R"));
        binder.bind(&notes, QStringLiteral("OBS"));

        name.setFocus();
        name.end(false);
        QTest::keyClicks(&name, QStringLiteral("lia"));
        QCOMPARE(name.text(), QStringLiteral("ANALIA"));
        QCOMPARE(starts, 1);
        QVERIFY(m_table->isEditing());
        QCOMPARE(m_table->asText("NOME"), QStringLiteral("ANALIA"));

        sex.setCurrentIndex(1);
        emit sex.activated(1);
        percent.click();
        notes.setPlainText(QStringLiteral("alergia"));
        QVERIFY(m_table->post());
        QCOMPARE(m_table->asText("SEXO"), QStringLiteral("M"));
        QCOMPARE(m_table->asText("IMP"), QStringLiteral("R"));
        QCOMPARE(m_table->asText("OBS"), QStringLiteral("alergia"));
        QVERIFY(dialogs->shown().isEmpty());
    }

    void aDateThatDoesNotParseStopsTheSave()
    {
        ScriptedDialogs::Guard dialogs;
        data::FieldBinder binder(m_table.get());
        QLineEdit birth;
        QLineEdit name;
        binder.bind(&birth, QStringLiteral("DATANASC"));
        binder.bind(&name, QStringLiteral("NOME"));
        birth.selectAll();
        QTest::keyClicks(&birth, QStringLiteral("31/02/2009"));
        QTest::keyClicks(&name, QStringLiteral("X"));
        QCOMPARE(birth.text(), QStringLiteral("31/02/2009")); // what was typed stays in the box
        QVERIFY(!binder.commit());
        QCOMPARE(dialogs->shown().size(), 1);
        QCOMPARE(m_table->asDate("DATANASC"), QDate(2002, 3, 17));

        birth.selectAll();
        QTest::keyClicks(&birth, QStringLiteral("01/02/2003"));
        QVERIFY(binder.commit());
        QVERIFY(m_table->post());
        QCOMPARE(m_table->asDate("DATANASC"), QDate(2003, 2, 1));
    }

    void aReadOnlyDatasetMakesEveryBoxReadOnly()
    {
        data::MemTable empty;
        empty.addField(QStringLiteral("NOME"), data::FieldType::Text, 10);
        empty.open();
        data::FieldBinder binder(&empty);
        QLineEdit name;
        QCheckBox check;
        binder.bind(&name, QStringLiteral("NOME"));
        binder.bind(&check, QStringLiteral("NOME"), QStringLiteral("S"), QStringLiteral("N"));
        QVERIFY2(name.isReadOnly(), "nothing to edit in an empty table");
        QVERIFY(!check.isEnabled());
        QVERIFY(empty.append());
        QVERIFY(!name.isReadOnly());
        QVERIFY(check.isEnabled());
    }
};

QTEST_MAIN(FieldBinderTest)
#include "FieldBinderTest.moc"
