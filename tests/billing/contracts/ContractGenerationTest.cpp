#include "billing/BillingSchool.h"
#include "billing/contracts/ContractGeneration.h"
#include "core/TextFile.h"
#include "data/settings/Settings.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

using namespace billing;

namespace {

class Contracts : public BillingSchool
{
protected:
    void SetUp() override
    {
        BillingSchool::SetUp();
        m_db.exec(QStringLiteral(
            "update ALUNOS set NOME_RESP = 'JOÃO D''ÁVILA {X} \\ Y', NOME_PAI = ' JOÃO D''ÁVILA ', "
            "NOME_MAE = 'MARIA ', CPF_RESP = '123.456.789-09', DATANASC = '2000-02-29', "
            "EstadoCivil = 'casado', CIDADE = 'São Paulo' where MATRICULA = 2"));
        m_db.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA, SIT) values (8, 'ABEL', '2G1A', 'D')"));
        m_settings = data::Settings::defaults(QStringLiteral("2007"));
        m_settings.Estabel = QStringLiteral("COLÉGIO ÍRIS");
        m_settings.Endereco = QStringLiteral("Rua A, 1");
        m_settings.Municipio = QStringLiteral("Olinda");
        m_settings.UF = QStringLiteral("PE");
        m_settings.Juros = 0.05;
        m_settings.Data_Venc = 10;
    }

    QString valueOf(const QList<Placeholder> &values, const char *name)
    {
        for (const auto &[placeholder, value] : values) {
            if (placeholder == QLatin1String(name))
                return value;
        }
        ADD_FAILURE() << name;
        return QString();
    }

    QStringList numbers(const QList<ContractStudent> &students)
    {
        QStringList list;
        for (const ContractStudent &s : students)
            list << QString::number(s.matricula);
        return list;
    }

    data::Settings m_settings;
    const QDate m_today{2007, 3, 5};
};

} // namespace

TEST_F(Contracts, LeaversAndTransfersGetNoContractOthersComeInClassAndNameOrder)
{
    EXPECT_EQ(numbers(selectContractStudents(m_db, {})), QStringList({"1", "2", "5", "3", "7", "6"}));
    ContractSelection oneClass{ContractSelection::Kind::Class, QStringLiteral("2G1A"), {}};
    EXPECT_EQ(numbers(selectContractStudents(m_db, oneClass)), QStringList({"3", "7"}));
    ContractSelection some{ContractSelection::Kind::Students, {}, {4, 8, 2, 99}};
    EXPECT_EQ(numbers(selectContractStudents(m_db, some)), QStringList({"2"}));
    ContractSelection none{ContractSelection::Kind::Students, {}, {}};
    EXPECT_TRUE(selectContractStudents(m_db, none).isEmpty());
}

TEST_F(Contracts, NamesakesComeInNumberOrder)
{
    // A second ANA in ANA's class, and ANA's row changed afterwards (a server keeps a changed
    // row at the end of its table).
    m_db.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA) values (10, 'ANA', '1G1A')"));
    m_db.exec(QStringLiteral("update ALUNOS set CIDADE = 'Olinda' where MATRICULA = 1"));
    ContractSelection oneClass{ContractSelection::Kind::Class, QStringLiteral("1G1A"), {}};
    EXPECT_EQ(numbers(selectContractStudents(m_db, oneClass)), QStringList({"1", "10", "2", "5"}));
}

TEST_F(Contracts, EveryPlaceholderGetsItsValue)
{
    const QList<ContractStudent> students =
        selectContractStudents(m_db, {ContractSelection::Kind::Students, {}, {2}});
    ASSERT_EQ(students.size(), 1);
    const QList<Placeholder> values = contractValues(students.first(), m_settings, m_today);
    ASSERT_EQ(values.size(), placeholderNames().size());
    EXPECT_EQ(valueOf(values, "#endereco#"), QStringLiteral("Rua A, 1 -Olinda - PE"));
    EXPECT_EQ(valueOf(values, "#filiacao#"), QStringLiteral("Sr. JOÃO D'ÁVILA e Sra. MARIA"));
    EXPECT_EQ(valueOf(values, "#data_nasc#"), QStringLiteral("29/02/2000"));
    EXPECT_EQ(valueOf(values, "#data_venc#"), QStringLiteral("10"));
    EXPECT_EQ(valueOf(values, "#serie#"), QStringLiteral("1ª SÉRIE A"));
    EXPECT_EQ(valueOf(values, "#matricula#"), QStringLiteral("2"));
    EXPECT_EQ(valueOf(values, "#datamatricula#"), QStringLiteral("05/03/2007"));
    EXPECT_EQ(valueOf(values, "#ano#"), QStringLiteral("2007"));
    EXPECT_EQ(valueOf(values, "#mensalidadeano#"), QStringLiteral("3600,00"));
    EXPECT_EQ(valueOf(values, "#extenso#"), QStringLiteral("três mil e seiscentos reais"));
    EXPECT_EQ(valueOf(values, "#mensalidademes#"), QStringLiteral("300,00"));
    EXPECT_EQ(valueOf(values, "#extenso2#"), QStringLiteral("trezentos reais"));
    EXPECT_EQ(valueOf(values, "#juros#"), QStringLiteral("0,05%"));
    EXPECT_EQ(valueOf(values, "#datacompleta#"), QStringLiteral("05 de março de 2007"));
    EXPECT_EQ(valueOf(values, "#municipio#"), QStringLiteral("São Paulo"));
    EXPECT_EQ(valueOf(values, "#municipio1#"), QStringLiteral("Olinda"));

    // 412,50 a month: the year's 4.950,00 in words.
    const QList<ContractStudent> carla = selectContractStudents(m_db, {ContractSelection::Kind::Students, {}, {3}});
    const QList<Placeholder> carlaValues = contractValues(carla.first(), m_settings, m_today);
    EXPECT_EQ(valueOf(carlaValues, "#extenso#"), QStringLiteral("quatro mil, novecentos e cinquenta reais"));
    EXPECT_EQ(valueOf(carlaValues, "#extenso2#"), QStringLiteral("quatrocentos e doze reais e cinquenta centavos"));
    // A class without a row in the class table has no fee to write out.
    const QList<ContractStudent> fabio = selectContractStudents(m_db, {ContractSelection::Kind::Students, {}, {6}});
    EXPECT_EQ(valueOf(contractValues(fabio.first(), m_settings, m_today), "#extenso#"),
              QStringLiteral("***Valor inválido***"));
}

TEST_F(Contracts, OneFileWithTheHeaderOnceAndAPagePerStudent)
{
    const QString model = m_dir.write(QStringLiteral("Contrato.rtf"), sampleContractModel());
    ContractRun run;
    run.modelPath = model;
    run.students = selectContractStudents(m_db, {ContractSelection::Kind::Class, QStringLiteral("1G1A"), {}});
    run.outputPath = contractOutputPath(model, run.students.first().classDescription);
    run.today = m_today;
    QStringList statuses;
    QList<int> studentSteps;
    int lineSteps = 0;
    ContractProgress progress{[&](const QString &t) { statuses << t; },
                              [&](int done, int) { studentSteps << done; },
                              [&](int, int) { ++lineSteps; }};
    ASSERT_EQ(generateContracts(run, m_settings, progress), ContractOutcome::Written);
    EXPECT_TRUE(run.outputPath.endsWith(QStringLiteral("Contrato_1ª_SÉRIE_A.rtf")));

    const QStringList lines = *core::readTextLines(run.outputPath);
    const QString text = lines.join(u'\n');
    EXPECT_EQ(text.count(QStringLiteral("{\\rtf1")), 1);
    EXPECT_EQ(lines.count(QStringLiteral("\\par \\page")), 3);
    EXPECT_EQ(lines.last(), QStringLiteral("}"));
    EXPECT_FALSE(text.contains(QStringLiteral("#inicio")));
    EXPECT_FALSE(text.contains(QStringLiteral("#final")));
    for (const QString &name : placeholderNames())
        EXPECT_FALSE(text.contains(name)) << qPrintable(name);
    EXPECT_TRUE(text.contains(QStringLiteral("JO\\'c3O D'\\'c1VILA \\{X\\} \\\\ Y")));
    EXPECT_TRUE(text.contains(QStringLiteral("CONTRATADA:\\b0  COL\\'c9GIO \\'cdRIS")));
    // Braces balance, so the document closes where it should.
    int depth = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'\\') {
            ++i;
            continue;
        }
        depth += text.at(i) == u'{' ? 1 : text.at(i) == u'}' ? -1 : 0;
        ASSERT_GE(depth, 0);
    }
    EXPECT_EQ(depth, 0);

    EXPECT_EQ(statuses.first(), QStringLiteral("Lendo: ANA"));
    EXPECT_TRUE(statuses.contains(QStringLiteral("Gerando: 3 de 3")));
    EXPECT_EQ(studentSteps, QList<int>({1, 2, 3}));
    EXPECT_GT(lineSteps, 3 * 20);
}

TEST_F(Contracts, AnUnreadableModelOrAnUnwritableFileWritesNothing)
{
    ContractRun run;
    run.students = selectContractStudents(m_db, {});
    run.today = m_today;
    run.modelPath = m_dir.file(QStringLiteral("nao-existe.rtf"));
    run.outputPath = m_dir.file(QStringLiteral("saida.rtf"));
    EXPECT_EQ(generateContracts(run, m_settings), ContractOutcome::UnreadableModel);
    run.modelPath = m_dir.write(QStringLiteral("texto.rtf"), "apenas texto\r\n");
    EXPECT_EQ(generateContracts(run, m_settings), ContractOutcome::UnreadableModel);
    EXPECT_FALSE(QFile::exists(run.outputPath));

    run.modelPath = m_dir.write(QStringLiteral("Contrato.rtf"), sampleContractModel());
    run.outputPath = m_dir.file(QStringLiteral("sem-pasta/saida.rtf"));
    EXPECT_EQ(generateContracts(run, m_settings), ContractOutcome::CannotCreate);
}

TEST_F(Contracts, TheSampleModelIsWrittenOnlyWhenTheFolderHasNone)
{
    const QString path = defaultContractModel(m_dir.path());
    EXPECT_EQ(m_dir.read(QStringLiteral("Contrato.rtf")), sampleContractModel());
    m_dir.write(QStringLiteral("Contrato.rtf"), "{\\rtf1 minha escola\r\n\\par\r\n}\r\n");
    EXPECT_EQ(defaultContractModel(m_dir.path()), path);
    EXPECT_EQ(m_dir.read(QStringLiteral("Contrato.rtf")), QByteArray("{\\rtf1 minha escola\r\n\\par\r\n}\r\n"));
}

// The word processor's own reading of a generated contract: accents, apostrophe, braces and
// backslash of the data come out as typed.
TEST_F(Contracts, AWordProcessorReadsTheContractWithItsAccents)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (soffice.isEmpty() || pdftotext.isEmpty())
        GTEST_SKIP() << "soffice or pdftotext is not installed; the RTF text itself is checked above";
    ContractRun run;
    run.modelPath = m_dir.write(QStringLiteral("Contrato.rtf"), sampleContractModel());
    run.outputPath = m_dir.file(QStringLiteral("saida.rtf"));
    run.students = selectContractStudents(m_db, {ContractSelection::Kind::Students, {}, {2, 3}});
    run.today = m_today;
    ASSERT_EQ(generateContracts(run, m_settings), ContractOutcome::Written);

    QProcess convert;
    convert.start(soffice, {QStringLiteral("--headless"), QStringLiteral("-env:UserInstallation=file://") + m_dir.file(QStringLiteral("lo")),
                            QStringLiteral("--convert-to"), QStringLiteral("pdf"), QStringLiteral("--outdir"), m_dir.path(),
                            run.outputPath});
    ASSERT_TRUE(convert.waitForFinished(180000));
    QProcess text;
    text.start(pdftotext, {m_dir.file(QStringLiteral("saida.pdf")), QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(60000));
    const QString pdf = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(pdf.contains(QStringLiteral("JOÃO D'ÁVILA {X} \\ Y"))) << qPrintable(pdf.left(2000));
    EXPECT_TRUE(pdf.contains(QStringLiteral("CONTRATO DE PRESTAÇÃO DE SERVIÇOS EDUCACIONAIS")));
    EXPECT_TRUE(pdf.contains(QStringLiteral("quatrocentos e doze reais e cinquenta centavos")));
    EXPECT_TRUE(pdf.contains(QStringLiteral("05 de março de 2007")));
    EXPECT_EQ(pdf.count(QStringLiteral("CONTRATO DE PRESTAÇÃO")), 2);
}
