#include "students/structure/StructureLists.h"

#include "data/store/Query.h"

namespace students {

namespace {

// Each row's first column (a text or a whole number), a blank and its second column.
QStringList linesOf(const data::Database &db, const QString &sql)
{
    data::Query query(db);
    query.setSql(sql);
    query.open();
    QStringList lines;
    for (query.first(); !query.eof(); query.next()) {
        const QVariant code = query.value(0);
        const QString codeText = code.typeId() == QMetaType::Double ? QString::number(qint64(code.toDouble()))
                                                                      : query.asText(0);
        lines += codeText + u' ' + query.asText(1);
    }
    return lines;
}

} // namespace

QStringList subjectLines(const data::Database &db)
{
    return linesOf(db, QStringLiteral("select codigo, descricao from discpl order by codigo"));
}

QStringList classLines(const data::Database &db)
{
    return linesOf(db, QStringLiteral("select turma, descricao from tabturma order by turma"));
}

QStringList classesWithGradesLines(const data::Database &db)
{
    return linesOf(db, QStringLiteral("select distinct notas.turma, tabturma.descricao from notas, tabturma "
                                      "where notas.turma=tabturma.turma order by 1"));
}

QStringList teacherLines(const data::Database &db)
{
    // Typed by hand over the years as "PROFESSORA", "Professor", "prof. substituto": any case.
    // Homonyms by their numbers, on every engine.
    return linesOf(db, QStringLiteral("select matricula, nome from funcionarios "
                                      "where upper(funcao) like 'PROF%' order by nome, matricula"));
}

QString shortSubjectName(const QString &description)
{
    return description.left(8);
}

QString codeOfLine(const QString &line)
{
    const qsizetype blank = line.indexOf(u' ');
    return blank < 0 ? line : line.left(blank);
}

QString descriptionOfLine(const QString &line)
{
    const qsizetype blank = line.indexOf(u' ');
    return blank < 0 ? QString() : line.mid(blank + 1);
}

QString classCodeOfLine(const QString &line)
{
    return codeOfLine(line).left(5);
}

QString lineOfCode(const QStringList &lines, const QString &code)
{
    for (const QString &line : lines)
        if (codeOfLine(line) == code)
            return line;
    return QString();
}

} // namespace students
