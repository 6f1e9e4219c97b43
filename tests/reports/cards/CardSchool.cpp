#include "CardSchool.h"

#include "data/maintenance/SchoolYearSetup.h"
#include "support/TestEngine.h"

#include <QDir>

void CardSchool::SetUp()
{
    m_previous = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    m_db = data::createSchoolYear(testengine::yearLocation(m_dir.file(QStringLiteral("2026"))),
                                  QStringLiteral("2026"));
    for (const auto &[code, name, kind] : {std::tuple{"PO", "PORTUGUÊS", "N"}, {"MA", "MATEMÁTICA", "N"},
                                           {"AR", "ARTES", "C"}}) {
        m_db.exec(QStringLiteral("insert into DISCPL (CODIGO, DESCRICAO, TIPO) values (:c, :d, :t)"),
                  {{"c", code}, {"d", QString::fromUtf8(name)}, {"t", kind}});
    }
    for (const auto &[code, name] : {std::pair{"1G4A", "4º ANO A"}, {"1G5A", "5º ANO A"}, {"1G9A", "9º ANO A"}}) {
        m_db.exec(QStringLiteral("insert into Tabturma (TURMA, DESCRICAO) values (:t, :d)"),
                  {{"t", code}, {"d", QString::fromUtf8(name)}});
    }
    for (const char *grade : {"1G4", "1G5", "1G9"}) {
        for (const char *subject : {"PO", "MA", "AR"}) {
            const bool consolidated = QByteArray(grade) == "1G5" && QByteArray(subject) == "MA";
            m_db.exec(QStringLiteral("insert into Discturm (SERIE, CODIGO, Consolidada, Imp_AtaFinal) "
                                     "values (:s, :c, :k, :a)"),
                      {{"s", grade}, {"c", subject}, {"k", consolidated}, {"a", consolidated ? 1 : 0}});
        }
    }
}

void CardSchool::TearDown()
{
    QDir::setCurrent(m_previous);
    m_db = {};
    data::Database::closeAll();
    testengine::dropServerYears();
}

void CardSchool::addStudent(qint64 matricula, const QString &nome, const QString &turma, const QString &sexo,
                            const QString &sit)
{
    m_db.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA, SEXO, SIT, DATASIT, OBSSIT) "
                             "values (:m, :n, :t, :s, :sit, :d, :o)"),
              {{"m", double(matricula)},
               {"n", nome},
               {"t", turma},
               {"s", sexo},
               {"sit", sit},
               {"d", sit.isEmpty() ? QVariant() : QVariant(QStringLiteral("2026-05-10"))},
               {"o", sit.isEmpty() ? QVariant() : QVariant(QStringLiteral("MUDOU DE CIDADE"))}});
}

void CardSchool::addMarks(qint64 matricula, const QString &disc, const QString &turma, const QVariantMap &marks)
{
    QStringList columns{QStringLiteral("MATRICULA"), QStringLiteral("DISC"), QStringLiteral("Turma")};
    data::SqlParams params{{QStringLiteral("MATRICULA"), double(matricula)},
                           {QStringLiteral("DISC"), disc},
                           {QStringLiteral("Turma"), turma}};
    for (auto it = marks.constBegin(); it != marks.constEnd(); ++it) {
        columns << it.key();
        params.insert(it.key(), it.value());
    }
    m_db.exec(QStringLiteral("insert into NOTAS (%1) values (:%2)")
                  .arg(columns.join(QStringLiteral(", ")), columns.join(QStringLiteral(", :"))),
              params);
}

void CardSchool::rank(qint64 matricula, const QString &turma, const QVariantMap &values)
{
    QStringList columns{QStringLiteral("MATRICULA"), QStringLiteral("TURMA"), QStringLiteral("GRUPO")};
    data::SqlParams params{{QStringLiteral("MATRICULA"), double(matricula)},
                           {QStringLiteral("TURMA"), turma},
                           {QStringLiteral("GRUPO"), turma.left(3)}};
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        columns << it.key();
        params.insert(it.key(), it.value());
    }
    m_db.exec(QStringLiteral("insert into posicao (%1) values (:%2)")
                  .arg(columns.join(QStringLiteral(", ")), columns.join(QStringLiteral(", :"))),
              params);
}

void CardSchool::setting(const QString &column, const QVariant &value)
{
    m_db.exec(QStringLiteral("update Usuario set %1 = :v").arg(column), {{QStringLiteral("v"), value}});
}

const reports::Item *findText(const reports::Document &document, int page, const QString &text)
{
    if (page >= document.pages.size())
        return nullptr;
    for (const reports::Item &item : document.pages.at(page).items) {
        if (item.kind == reports::Item::Kind::Text && item.text == text)
            return &item;
    }
    return nullptr;
}

QStringList textsStarting(const reports::Document &document, int page, const QString &prefix)
{
    QStringList found;
    for (const QString &text : document.texts(page)) {
        if (text.startsWith(prefix))
            found << text;
    }
    return found;
}
