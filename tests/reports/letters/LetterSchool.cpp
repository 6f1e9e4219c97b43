#include "LetterSchool.h"

void LetterSchool::addPerson(qint64 matricula, const QString &nome, const QString &turma, const QDate &birth,
                             const QString &sit)
{
    addStudent(matricula, nome, turma, QStringLiteral("F"), sit);
    m_db.exec(QStringLiteral("update ALUNOS set DATANASC = :d, ENDERECO = :e, BAIRRO = 'BROTAS', CIDADE = 'SALVADOR', "
                             "CEP = '40000-000', NOME_RESP = :r where MATRICULA = :m"),
              {{"d", birth}, {"e", QStringLiteral("RUA ") + nome}, {"r", QStringLiteral("RESP ") + nome}, {"m", double(matricula)}});
}

void LetterSchool::setColumn(qint64 matricula, const QString &column, const QVariant &value)
{
    m_db.exec(QStringLiteral("update ALUNOS set %1 = :v where MATRICULA = :m").arg(column),
              {{"v", value}, {"m", double(matricula)}});
}

void LetterSchool::addStaff(qint64 matricula, const QString &nome, const QDate &birth, const QString &funcao)
{
    m_db.exec(QStringLiteral("insert into Funcionarios (MATRICULA, NOME, DATANASC, FUNCAO) values (:m, :n, :d, :f)"),
              {{"m", double(matricula)}, {"n", nome}, {"d", birth}, {"f", funcao}});
}

void LetterSchool::addCharge(qint64 matricula, int parcela, const QDate &due, double value, const QDate &paidOn,
                             double paid, const QString &tipo)
{
    const QVariant turma = m_db.scalar(QStringLiteral("select TURMA from ALUNOS where MATRICULA = :m"), {{"m", double(matricula)}});
    const QVariant nome = m_db.scalar(QStringLiteral("select NOME from ALUNOS where MATRICULA = :m"), {{"m", double(matricula)}});
    m_db.exec(QStringLiteral("insert into Ccorrent (TURMA, Matricula, NOME, Tipo, ParcelaNum, ParcelaData, ParcelaValor, "
                             "NossoNum, PgtoData, PgtoValor) values (:t, :m, :n, :k, :p, :d, :v, :nn, :pd, :pv)"),
              {{"t", turma},
               {"m", double(matricula)},
               {"n", nome},
               {"k", tipo},
               {"p", parcela},
               {"d", due},
               {"v", value},
               {"nn", double(matricula * 100 + parcela)},
               {"pd", paidOn.isValid() ? QVariant(paidOn) : QVariant()},
               {"pv", paidOn.isValid() ? QVariant(paid) : QVariant()}});
}

QList<reports::Item> textItems(const reports::Document &document, int page)
{
    QList<reports::Item> items;
    for (const reports::Item &item : document.pages.at(page).items)
        if (item.kind == reports::Item::Kind::Text)
            items << item;
    return items;
}
