#include "billing/generators/StudentSelection.h"

#include "data/store/Query.h"
#include "students/structure/StructureLists.h"

namespace billing {

QList<SelectedStudent> selectStudents(const data::Database &db, const StudentSelection &selection)
{
    QString sql = QStringLiteral(
        "select MATRICULA, NOME, TURMA, SIT, VENCIMENTO, ABAT, IMP from ALUNOS "
        "where coalesce(SIT, '') not in ('D', 'T', 'B')");
    data::Query students(db);
    if (selection.kind == StudentSelection::Kind::Class) {
        sql += QStringLiteral(" and TURMA = :turma");
    } else if (selection.kind == StudentSelection::Kind::List) {
        QStringList terms;
        for (int i = 0; i < selection.numbers.size(); ++i)
            terms << QStringLiteral("MATRICULA = :m%1").arg(i);
        sql += QStringLiteral(" and (") + (terms.isEmpty() ? QStringLiteral("0 = 1") : terms.join(QStringLiteral(" or ")))
             + u')';
    }
    students.setSql(sql + QStringLiteral(" order by MATRICULA"));
    if (selection.kind == StudentSelection::Kind::Class)
        students.bind(QStringLiteral("turma"), selection.classCode);
    for (int i = 0; i < selection.numbers.size(); ++i)
        students.bind(QStringLiteral("m%1").arg(i), double(selection.numbers.at(i)));
    students.open();
    QList<SelectedStudent> chosen;
    chosen.reserve(students.recordCount());
    for (students.first(); !students.eof(); students.next()) {
        SelectedStudent s;
        s.matricula = qint64(students.asFloat("MATRICULA"));
        s.nome = students.asText("NOME");
        s.turma = students.asText("TURMA");
        s.sit = students.asText("SIT");
        s.vencimento = students.asText("VENCIMENTO").trimmed().toInt();
        s.abat = students.asFloat("ABAT");
        s.percent = students.asText("IMP") == u"%";
        chosen << s;
    }
    return chosen;
}

QString studentListLine(const data::Database &db, qint64 matricula)
{
    const QVariant name = db.scalar(QStringLiteral("select NOME from ALUNOS where MATRICULA = :m"),
                                    {{QStringLiteral("m"), double(matricula)}});
    if (!name.isValid() || name.isNull())
        return QString();
    return QString::number(matricula) + u' ' + name.toString().left(15);
}

QStringList generatorClassLines(const data::Database &db)
{
    return students::classLines(db);
}

} // namespace billing
