#include "billing/booklets/BookletRun.h"

#include "core/Dialogs.h"
#include "data/bulk/BulkRun.h"
#include "data/modules/ChargeRules.h"
#include "data/store/StoreError.h"
#include "data/store/Table.h"

#include <QHash>

namespace billing {

namespace {

// Stops the run after its messages were told: the transaction is undone and the job dropped.
struct RunStopped
{
};

struct BookletStudent
{
    qint64 matricula = 0;
    QString nome;
    QString turma;
    QString nomeResp;
    QString cpfResp;
    QString cep;
    QString cidade;
};

// The chosen students in class order (class, then name); nullopt after telling why there is
// nothing to print.
std::optional<QList<BookletStudent>> chosenStudents(const data::Database &db, const StudentSelection &selection,
                                                    core::RunReporter *reporter)
{
    const auto tell = [&](const QString &text) {
        if (reporter) {
            reporter->note(core::Severity::Info, text, QString());
            reporter->finish(core::RunOutcome::Completed);
        }
    };
    if (selection.kind == StudentSelection::Kind::List && selection.numbers.isEmpty()) {
        if (reporter) {
            reporter->note(core::Severity::Error, kSelectionError, QString());
            reporter->finish(core::RunOutcome::Failed);
        }
        return std::nullopt;
    }
    QList<SelectedStudent> selected;
    try {
        selected = selectStudents(db, selection);
    } catch (const data::StoreError &) {
        if (reporter) {
            reporter->note(core::Severity::Error, kSelectionError, QString());
            reporter->finish(core::RunOutcome::Failed);
        }
        return std::nullopt;
    }
    if (selected.isEmpty()) {
        tell(selection.kind == StudentSelection::Kind::Class ? kNothingForClass : kNothingToPrint);
        return std::nullopt;
    }
    QHash<qint64, const SelectedStudent *> chosen;
    for (const SelectedStudent &s : std::as_const(selected))
        chosen.insert(s.matricula, &s);
    // The register in class order, by name within the class, as the store sorts it.
    QList<BookletStudent> students;
    students.reserve(selected.size());
    data::Table alunos(db, QStringLiteral("Alunos.DB"));
    alunos.setReadOnly(true);
    alunos.setIndexName(QStringLiteral("kTurma"));
    alunos.open();
    for (alunos.first(); !alunos.eof(); alunos.next()) {
        const auto found = chosen.constFind(qint64(alunos.asFloat("MATRICULA")));
        if (found == chosen.cend())
            continue;
        const SelectedStudent &s = **found;
        students << BookletStudent{s.matricula,           s.nome,
                                   s.turma,               alunos.asText("NOME_RESP"),
                                   alunos.asText("CPF_RESP"), alunos.asText("CEP"),
                                   alunos.asText("CIDADE")};
    }
    return students;
}

BookletTextChoices textChoices(const BoletoChoices &choices)
{
    return {choices.fineText, choices.interestText, choices.message1, choices.message2, choices.hideDiscounts};
}

bool dueInRange(const QDate &due, const BoletoChoices &choices)
{
    return due.isValid() && due.month() >= choices.fromMonth && due.month() <= choices.toMonth;
}

BookletSlip slipOf(const data::Table &ccorrent, const BookletStudent &student, const BookletContext &context)
{
    BookletSlip slip;
    slip.due = ccorrent.asDate("ParcelaData");
    slip.today = context.today;
    slip.matricula = student.matricula;
    slip.value = ccorrent.asMoney("ParcelaValor");
    slip.discount = ccorrent.asMoney("DescontoFixo") + ccorrent.asMoney("DescontoEventual");
    slip.additions = ccorrent.asMoney("Acrescimos");
    slip.nome = student.nome;
    slip.turma = student.turma;
    slip.nomeResp = student.nomeResp;
    slip.cpfResp = student.cpfResp;
    slip.cep = student.cep;
    slip.cidade = student.cidade;
    slip.estado = context.schoolState;
    return slip;
}

// Two slips a sheet: the upper slip of every sheet after the first starts a new sheet, so an
// odd run leaves its last sheet with the upper slip alone and no blank sheet follows.
class Sheets
{
public:
    explicit Sheets(BookletOutput &output) : m_output(output) {}

    bool print(const QList<BookletText> &upper, const QList<BookletText> &lower, int index)
    {
        if (index % 2 == 0) {
            if (index > 0 && !m_output.newSheet())
                return false;
            ++m_sheets;
            return m_output.draw(upper);
        }
        return m_output.draw(lower);
    }
    int sheets() const { return m_sheets; }

private:
    BookletOutput &m_output;
    int m_sheets = 0;
};

} // namespace

std::optional<qint64> bookletFirstNumber(const QString &text)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty() || digits.size() > 12)
        return std::nullopt;
    for (const QChar c : digits)
        if (!c.isDigit() || c.unicode() > 127)
            return std::nullopt;
    const qint64 number = digits.toLongLong();
    if (number <= 0 || number > kLargestBookletNumber)
        return std::nullopt;
    return number;
}

BookletRunResult runBooklets(const data::Database &db, const BoletoChoices &choices, const BookletContext &context,
                             BookletOutput *output, core::RunReporter &reporter)
{
    BookletRunResult result;
    const std::optional<qint64> first = bookletFirstNumber(choices.firstNumber);
    if (!first) {
        reporter.note(core::Severity::Warning,
                      QStringLiteral("Informe o nº de controle inicial (até 11 dígitos, maior que zero)."),
                      QStringLiteral("Atenção"));
        reporter.finish(core::RunOutcome::Failed);
        result.outcome = core::RunOutcome::Failed;
        return result;
    }
    const std::optional<QList<BookletStudent>> students = chosenStudents(db, choices.students, &reporter);
    if (!students) {
        result.outcome = choices.students.kind == StudentSelection::Kind::List && choices.students.numbers.isEmpty()
                           ? core::RunOutcome::Failed
                           : core::RunOutcome::Completed;
        return result;
    }
    qint64 number = *first - 1;
    result.lastNumber = number;
    if (core::dialogs().show({kPositionForm, QStringLiteral("Atenção"), core::Icon::Information,
                              core::Button::Ok | core::Button::Cancel, core::Button::Ok}) != core::Button::Ok) {
        reporter.finish(core::RunOutcome::Cancelled);
        result.outcome = core::RunOutcome::Cancelled;
        return result;
    }
    if (output && !output->begin()) {
        reporter.note(core::Severity::Error, kPrintInterrupted, QStringLiteral("Erro"));
        reporter.finish(core::RunOutcome::Failed);
        result.outcome = core::RunOutcome::Failed;
        return result;
    }

    const BookletTextChoices texts = textChoices(choices);
    std::optional<Sheets> sheets;
    if (output)
        sheets.emplace(*output);
    int slips = 0;
    bool stopped = false;
    data::BulkRun run(db, reporter, {.offersCancel = true});
    core::RunOutcome outcome = core::RunOutcome::Failed;
    try {
        outcome = run.run([&](data::BulkRun &r) {
            const auto interrupt = [&](const QString &first) {
                if (!first.isEmpty())
                    r.note(core::Severity::Error, first, QStringLiteral("Erro"));
                r.note(core::Severity::Error, kPrintInterrupted, QStringLiteral("Erro"));
                throw RunStopped{};
            };
            data::Table ccorrent(db, QStringLiteral("Ccorrent.DB"));
            // A student's rows together, in the order they were written.
            ccorrent.setIndexFields(QStringLiteral("Matricula"));
            data::attachChargeRules(ccorrent);
            ccorrent.open();
            r.begin(QStringLiteral("Imprimir Boletos"), int(students->size()));
            for (int i = 0; i < students->size(); ++i) {
                // "Cance&lar" lets the current student's booklet end whole.
                if (reporter.cancelled()) {
                    stopped = true;
                    break;
                }
                const BookletStudent &student = students->at(i);
                const QVariantList key{double(student.matricula)};
                ccorrent.setRange(key, key);
                for (ccorrent.first(); !ccorrent.eof(); ccorrent.next()) {
                    if (!dueInRange(ccorrent.asDate("ParcelaData"), choices))
                        continue;
                    ++number;
                    bool stored = false;
                    try {
                        stored = number <= kLargestBookletNumber && ccorrent.edit();
                        if (stored) {
                            ccorrent.setFloat("NossoNum", double(number));
                            stored = ccorrent.post();
                        }
                    } catch (const data::StoreError &) {
                        stored = false;
                    }
                    if (!stored) {
                        if (ccorrent.isEditing())
                            ccorrent.cancel();
                        interrupt(kNumberNotStored);
                    }
                    if (sheets) {
                        const BookletSlip slip = slipOf(ccorrent, student, context);
                        if (!sheets->print(bookletTexts(slip, texts, BookletSlot::Upper),
                                           bookletTexts(slip, texts, BookletSlot::Lower), slips))
                            interrupt(QString());
                    }
                    ++slips;
                    data::BulkRun::crashPoint();
                    reporter.step(i, QStringLiteral("Matrícula Nº %1 - Boleto Nº %2").arg(student.matricula).arg(number));
                }
                data::BulkRun::crashPoint();
                reporter.step(i + 1, QStringLiteral("Matrícula Nº %1").arg(student.matricula));
            }
            ccorrent.cancelRange();
            ccorrent.close();
            if (output && !output->end())
                interrupt(QString());
        });
    } catch (const RunStopped &) {
        outcome = core::RunOutcome::Failed;
    }
    result.slips = outcome == core::RunOutcome::Completed ? slips : 0;
    result.sheets = sheets && outcome == core::RunOutcome::Completed ? sheets->sheets() : 0;
    result.stopped = stopped;
    result.outcome = outcome;
    if (outcome != core::RunOutcome::Completed) {
        // Nothing of the run stays: neither its numbers nor its sheets.
        if (output)
            output->abort();
        return result;
    }
    result.lastNumber = number;
    reporter.note(core::Severity::Info, kPrintDone, kPrintDoneCaption);
    return result;
}

QList<BookletSlip> bookletPreview(const data::Database &db, const BoletoChoices &choices, const BookletContext &context)
{
    QList<BookletSlip> slips;
    const std::optional<QList<BookletStudent>> students = chosenStudents(db, choices.students, nullptr);
    if (!students)
        return slips;
    data::Table ccorrent(db, QStringLiteral("Ccorrent.DB"));
    // A student's rows together, in the order they were written: the ranges below are by student.
    ccorrent.setIndexFields(QStringLiteral("Matricula"));
    ccorrent.setReadOnly(true);
    ccorrent.open();
    for (const BookletStudent &student : *students) {
        const QVariantList key{double(student.matricula)};
        ccorrent.setRange(key, key);
        for (ccorrent.first(); !ccorrent.eof(); ccorrent.next())
            if (dueInRange(ccorrent.asDate("ParcelaData"), choices))
                slips << slipOf(ccorrent, student, context);
    }
    return slips;
}

bool drawBookletSheets(const QList<BookletSlip> &slips, const BoletoChoices &choices, BookletOutput &output)
{
    if (!output.begin())
        return false;
    const BookletTextChoices texts = textChoices(choices);
    Sheets sheets(output);
    for (int i = 0; i < slips.size(); ++i)
        if (!sheets.print(bookletTexts(slips.at(i), texts, BookletSlot::Upper),
                          bookletTexts(slips.at(i), texts, BookletSlot::Lower), i)) {
            output.abort();
            return false;
        }
    return output.end();
}

} // namespace billing
