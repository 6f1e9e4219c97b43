#include "export/AtaExport.h"

#include "reports/sheets/AtaCells.h"

#include "core/Formats.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"

#include <algorithm>

namespace exporting {

namespace {

using reports::AtaCell;
using reports::AtaClass;
using reports::AtaMarkRow;
using reports::AtaStudent;
using reports::AtaSubject;

// One cell per subject of the header, each under its own subject; a subject the student has no
// row for stays empty instead of shifting the cells after it.
QString studentLine(int number, const AtaStudent &student, const QList<AtaSubject> &subjects,
                    const reports::AtaMarks &marks)
{
    QStringList cells(subjects.size());
    int failed = 0;
    for (const AtaMarkRow &row : student.rows) {
        const auto column = std::find_if(subjects.cbegin(), subjects.cend(),
                                         [&row](const AtaSubject &subject) { return subject.code == row.subject; });
        if (column == subjects.cend())
            continue;
        const AtaCell cell = reports::exportedCell(row.recoveryAverage, row.kind, marks);
        failed += cell.failed ? 1 : 0;
        cells[column - subjects.cbegin()] = cell.text;
    }
    QStringList fields{QString::number(number) + QLatin1Char('.'), QString::number(student.matricula), student.name};
    fields += cells;
    fields += reports::resultText(failed, marks.dependencyLimit, reports::AtaResultTexts());
    return fields.join(QLatin1Char(';'));
}

} // namespace

QStringList ataExportLines(const data::Database &db, const reports::AtaSelection &selection, const QDate &today,
                           const std::function<void()> &eachStudent)
{
    data::Settings settings;
    data::loadSettings(db, settings);
    const reports::AtaMarks marks{settings.unitPassMark, settings.finalPassMark, settings.Limite_Dep};
    QStringList lines{QStringLiteral(";Lumesco;") + core::formatDate(today)};
    for (const AtaClass &schoolClass : reports::readAtaClasses(db, selection)) {
        // Each class is headed by the subjects of its own grade, so that classes of different
        // grades exported together keep their cells under the right names.
        const QList<AtaSubject> subjects = reports::gradeSubjects(db, schoolClass.code.left(3), false);
        lines << QStringLiteral(";Ata de Resultados Finais do Rendimento Escolar Referente ao Ano Letivo de ") +
                     settings.Ano_Ref;
        lines << QStringLiteral(";Turma: ") + schoolClass.code + QStringLiteral(" - ") + schoolClass.description;
        QString header = QStringLiteral("Ordem;Matricula;Nome do Aluno;");
        for (const AtaSubject &subject : subjects)
            header += subject.name + QLatin1Char(';');
        lines << header + QStringLiteral("RESULTADO");
        for (int i = 0; i < schoolClass.students.size(); ++i) {
            lines << studentLine(i + 1, schoolClass.students.at(i), subjects, marks);
            if (eachStudent)
                eachStudent();
        }
    }
    return lines;
}

QString ataExportFileName(const QString &classListText)
{
    return QStringLiteral("ATA_FINAL-") + classListText;
}

} // namespace exporting
