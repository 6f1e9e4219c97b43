#include "students/IsolatedSubjects.h"

#include "core/Dialogs.h"
#include "data/store/Database.h"
#include "data/store/Query.h"
#include "data/store/StoreError.h"

namespace students {

namespace {

QStringList codeAndDescriptionLines(const data::Database &db, const QString &sql, const data::SqlParams &params)
{
    data::Query query(db);
    query.setSql(sql);
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        query.bind(it.key(), it.value());
    query.open();
    QStringList lines;
    for (query.first(); !query.eof(); query.next())
        lines += query.asText(0) + u' ' + query.asText(1);
    return lines;
}

// Runs one insert; a refusal is shown and counted.
bool insertRow(const data::Database &db, const QString &sql, const data::SqlParams &params)
{
    try {
        db.exec(sql, params);
        return true;
    } catch (const data::StoreError &e) {
        core::showError(QStringLiteral("Erro SQL:\rDisciplina pode já estar cadastrada.\r") + e.message());
    } catch (const std::exception &e) {
        core::showError(QStringLiteral("Erro SQL:\rDisciplina pode já estar cadastrada.\r") + QString::fromUtf8(e.what()));
    }
    return false;
}

} // namespace

QString normalClassText(const data::Database &db, const QString &schoolClass)
{
    const QVariant description = db.scalar(QStringLiteral("select DESCRICAO from Tabturma where TURMA = :turma"),
                                           {{QStringLiteral("turma"), schoolClass}});
    return QStringLiteral("Turma Normal: ") + schoolClass + QStringLiteral(" - ") + description.toString();
}

QStringList otherClassLines(const data::Database &db, const QString &ownClass)
{
    return codeAndDescriptionLines(
        db, QStringLiteral("select TURMA, DESCRICAO from Tabturma where TURMA <> :turma order by TURMA"),
        {{QStringLiteral("turma"), ownClass}});
}

QStringList subjectLines(const data::Database &db, const QString &classLine)
{
    const QString sql = QStringLiteral("select discturm.codigo, discpl.descricao from discturm inner join discpl "
                                       "on discturm.codigo = discpl.codigo where discturm.serie = :serie "
                                       "order by discturm.codigo");
    return codeAndDescriptionLines(db, sql, {{QStringLiteral("serie"), classOfLine(classLine).left(3)}});
}

QString classOfLine(const QString &classLine)
{
    return classLine.left(5).trimmed();
}

QString subjectOfLine(const QString &subjectLine)
{
    return subjectLine.left(2);
}

bool addIsolatedSubjects(const data::Database &db, const IsolatedStudent &student, const QString &classLine,
                         const QStringList &subjectLines)
{
    const QString schoolClass = classOfLine(classLine);
    bool allIn = true;
    for (const QString &line : subjectLines) {
        data::SqlParams params{{QStringLiteral("matricula"), student.matricula},
                               {QStringLiteral("disc"), subjectOfLine(line)},
                               {QStringLiteral("turma"), schoolClass},
                               {QStringLiteral("nome"), student.nome},
                               {QStringLiteral("esp"), student.esp}};
        allIn &= insertRow(db,
                           QStringLiteral("insert into NOTAS (MATRICULA, DISC, TURMA, NOME, ESP) "
                                          "values (:matricula, :disc, :turma, :nome, :esp)"),
                           params);
        for (int unit = 1; unit <= 4; ++unit) {
            params.insert(QStringLiteral("unidade"), QString::number(unit));
            allIn &= insertRow(db,
                               QStringLiteral("insert into notasuni%1 (matricula, disc, unidade, turma, nome, esp) "
                                              "values (:matricula, :disc, :unidade, :turma, :nome, :esp)")
                                   .arg(unit),
                               params);
        }
    }
    if (allIn)
        core::inform(QStringLiteral("Operação concluída com Sucesso!"), QStringLiteral("Conclusão"));
    else
        core::inform(QStringLiteral("Operação concluída . Verifique se as Disciplinas já não estão cadastradas!"),
                     QStringLiteral("Conclusão"));
    return allIn;
}

} // namespace students
