#include "reports/cards/ReportCards.h"
#include "reports/engine/forms/PreviewWindow.h"
#include "reports/forms/AcademicReportDialogs.h"
#include "reports/forms/ReportRunner.h"
#include "reports/forms/TfrmOpcoesBoletim.h"

#include "data/maintenance/SchoolYearSetup.h"
#include "data/store/Database.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace reports;

class TfrmOpcoesBoletimTest : public QObject
{
    Q_OBJECT

private:
    // Runs each act on the next modal window as it comes up, in order.
    void onModals(QList<std::function<void(QWidget *)>> acts)
    {
        m_acts = std::move(acts);
        pollModal();
    }
    void pollModal()
    {
        QTimer::singleShot(10, this, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal && modal != m_lastModal && !m_acts.isEmpty()) {
                m_lastModal = modal;
                m_acts.takeFirst()(modal);
            }
            if (!m_acts.isEmpty())
                pollModal();
        });
    }
    template <typename W>
    static W *child(QWidget *parent, const char *name)
    {
        W *widget = parent->findChild<W *>(QString::fromLatin1(name));
        if (!widget)
            qWarning("no %s", name);
        return widget;
    }
    static void click(QWidget *parent, const char *name)
    {
        QTest::mouseClick(child<QPushButton>(parent, name), Qt::LeftButton);
    }

    TempDir m_dir;
    QString m_previous;
    data::Database m_db;
    QList<std::function<void(QWidget *)>> m_acts;
    QWidget *m_lastModal = nullptr;

private slots:
    void initTestCase()
    {
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path()); // mensagem.txt is written here
        m_db = data::createSchoolYear(testengine::yearLocation(m_dir.file(QStringLiteral("2026"))),
                                      QStringLiteral("2026"));
        m_db.exec(QStringLiteral("insert into DISCPL (CODIGO, DESCRICAO, TIPO) values ('PO', 'PORTUGUÊS', 'N')"));
        m_db.exec(QStringLiteral("insert into Tabturma (TURMA, DESCRICAO) values ('1G5A', '5º ANO A'), ('1G6A', '6º ANO A')"));
        m_db.exec(QStringLiteral("insert into Discturm (SERIE, CODIGO) values ('1G5', 'PO')"));
        m_db.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA, SEXO) values "
                                 "(1001, 'ANA LIMA DE SOUZA BARROS', '1G5A', 'F')"));
        m_db.exec(QStringLiteral("insert into NOTAS (MATRICULA, DISC, Turma, Nome, UND1, MD_FINAL) values "
                                 "(1001, 'PO', '1G5A', 'ANA LIMA DE SOUZA BARROS', 8, 8)"));
        installAcademicReportDialogs();
    }
    void init() { m_lastModal = nullptr; }
    void cleanupTestCase()
    {
        QDir::setCurrent(m_previous);
        m_db = {};
        data::Database::closeAll();
        testengine::dropServerYears();
    }

    void opensWithTheDefaultsOfTheCommand()
    {
        TfrmOpcoesBoletim dialog(m_db, CardOptions());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Defina "));
        QVERIFY(child<QRadioButton>(&dialog, "rbTodas")->isChecked());
        QVERIFY(child<QCheckBox>(&dialog, "chkDesistentes")->isChecked());
        QVERIFY(!child<QCheckBox>(&dialog, "chkLei")->isChecked());
        QCOMPARE(child<QComboBox>(&dialog, "cbTurma")->itemText(0), QStringLiteral("1G5A 5º ANO A"));
        QCOMPARE(child<QComboBox>(&dialog, "cbResultado")->currentIndex(), 1);
        QCOMPARE(child<QSpinBox>(&dialog, "spinLimite")->value(), -1);
        QCOMPARE(child<QSpinBox>(&dialog, "spinPosicao")->value(), 50);
        QCOMPARE(child<QComboBox>(&dialog, "cbUnidade")->currentText(), QStringLiteral("1ª Unidade"));
    }

    void thePlusButtonAddsKnownStudentsAndChoosesThem()
    {
        ScriptedDialogs::Guard dialogs;
        TfrmOpcoesBoletim dialog(m_db, CardOptions());
        auto *number = child<QLineEdit>(&dialog, "txtMatricula");
        number->setText(QStringLiteral("999"));
        click(&dialog, "cmdAdicionar");
        QCOMPARE(dialogs->texts(), QStringList{QStringLiteral("Matrícula inválida!")});
        QCOMPARE(child<QListWidget>(&dialog, "lstMatriculas")->count(), 0);
        number->setText(QStringLiteral("1001"));
        click(&dialog, "cmdAdicionar");
        QCOMPARE(child<QListWidget>(&dialog, "lstMatriculas")->item(0)->text(), QStringLiteral("1001 ANA LIMA DE SOU"));
        QVERIFY(child<QRadioButton>(&dialog, "rbAluno")->isChecked());
        const CardOptions options = dialog.options();
        QCOMPARE(int(options.scope), int(CardScope::Students));
        QCOMPARE(options.students, QList<qint64>{1001});
    }

    void choicesShowTheirNotesAndExcludeEachOther()
    {
        ScriptedDialogs::Guard dialogs;
        TfrmOpcoesBoletim dialog(m_db, CardOptions());
        auto *result = child<QComboBox>(&dialog, "cbResultado");
        result->setCurrentIndex(2);
        emit result->activated(1);
        QVERIFY(dialogs->last().text.startsWith(QStringLiteral("Informe a qtde máxima de disciplinas abaixo da média")));
        child<QCheckBox>(&dialog, "chkLeiEnquadrado")->setChecked(true);
        QTest::mouseClick(child<QCheckBox>(&dialog, "chkLei"), Qt::LeftButton);
        QVERIFY(dialogs->last().text.startsWith(QStringLiteral("Marque esta opção para usar nos boletins o texto:")));
        QVERIFY(!child<QCheckBox>(&dialog, "chkLeiEnquadrado")->isChecked());
        child<QCheckBox>(&dialog, "chkLeiEnquadrado")->setChecked(true);
        QVERIFY(!child<QCheckBox>(&dialog, "chkLei")->isChecked());
        result->setCurrentIndex(0);
        child<QCheckBox>(&dialog, "chkFoto")->setChecked(true); // the photograph goes with the final result
        QCOMPARE(int(dialog.options().result), int(CardResult::Final));
    }

    void messagesAreSavedToAndReadFromTheMessageFile()
    {
        ScriptedDialogs::Guard dialogs;
        QFile::remove(QStringLiteral("mensagem.txt"));
        TfrmOpcoesBoletim dialog(m_db, CardOptions());
        click(&dialog, "cmdLerMensagem");
        QCOMPARE(dialogs->texts(), QStringList{QStringLiteral("Erro ao tentar Ler arquivo!")});
        child<QLineEdit>(&dialog, "txtMensagem1")->setText(QStringLiteral("Reunião de pais: 12/12"));
        child<QLineEdit>(&dialog, "txtMensagem2")->setText(QStringLiteral("Boas férias!"));
        click(&dialog, "cmdSalvarMensagem");
        QFile file(QStringLiteral("mensagem.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("Reuni\xe3o de pais: 12/12\r\nBoas f\xe9rias!\r\n"));
        TfrmOpcoesBoletim again(m_db, CardOptions());
        click(&again, "cmdLerMensagem");
        QCOMPARE(child<QLineEdit>(&again, "txtMensagem2")->text(), QStringLiteral("Boas férias!"));
    }

    void theCommandWarnsRanksAndAsksAgainUntilClosed()
    {
        ScriptedDialogs::Guard dialogs;
        const ReportEntry entry = academicReports().first();
        QString caption;
        QString keptClass;
        onModals({[&](QWidget *w) {
                      QVERIFY(qobject_cast<TfrmOpcoesBoletim *>(w));
                      QTest::mouseClick(child<QRadioButton>(w, "rbTurma"), Qt::LeftButton);
                      child<QComboBox>(w, "cbTurma")->setCurrentIndex(0);
                      click(w, "OKBtn");
                  },
                  [&](QWidget *w) {
                      auto *preview = qobject_cast<PreviewWindow *>(w);
                      QVERIFY(preview);
                      caption = preview->windowTitle();
                      preview->accept();
                  },
                  [&](QWidget *w) {
                      keptClass = child<QComboBox>(w, "cbTurma")->currentData().toString();
                      click(w, "cmdFechar");
                  }});
        runReport(entry, m_db, nullptr);
        QCOMPARE(dialogs->texts().value(0),
                 QStringLiteral("Certifique-se de atualizar o arquivo\rde Classificação de Desempenho antes de "
                                "imprimir\ros Boletins!"));
        QCOMPARE(dialogs->shown().value(0).icon, core::Icon::Warning);
        QCOMPARE(m_db.scalar(QStringLiteral("select count(*) from posicao")).toInt(), 1);
        QCOMPARE(caption, QStringLiteral("BoletimB"));
        QCOMPARE(keptClass, QStringLiteral("1G5A"));
        QVERIFY(m_acts.isEmpty());
    }
};

QTEST_MAIN(TfrmOpcoesBoletimTest)
#include "TfrmOpcoesBoletimTest.moc"
