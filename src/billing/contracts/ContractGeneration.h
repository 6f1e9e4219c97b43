#pragma once

#include "billing/contracts/ContractStudents.h"

#include <QDate>
#include <QString>
#include <functional>

namespace data {
struct Settings;
}

// One RTF file holding a contract per student, each on its own page: the model's header once,
// then each student's filled body, then the closing brace.
namespace billing {

inline const QString kNoContractStudentsMessage =
    QStringLiteral("A turma indicada não possui registros de alunos");
inline const QString kContractFileErrorMessage =
    QStringLiteral("Erro ao criar o arquivo.\rVerifique se há cópia aberta por outro programa.");
inline const QString kContractMarginsMessage =
    QStringLiteral("Após exibir o Word configure as margens para 2cmm e alinhamento justificado.");
QString unreadableModelMessage(const QString &modelPath);

// Beside the model, named after it and the first student's class: "Contrato_5ª_Série_A_B.rtf"
// for the class "5ª Série A/B" (".", blanks, "/" and "\" become "_"). Only the file name's
// extension goes, never a dotted folder of the path.
QString contractOutputPath(const QString &modelPath, const QString &classDescription);

// What the window shows while the file is written: the student being read, the count of
// students done and the lines of the current one.
struct ContractProgress
{
    std::function<void(const QString &text)> status;
    std::function<void(int done, int total)> students;
    std::function<void(int done, int total)> lines;
};

enum class ContractOutcome { Written, UnreadableModel, CannotCreate };

struct ContractRun
{
    QString modelPath;
    QString outputPath;
    QList<ContractStudent> students;
    QDate today;
};

// The contract lines of every student; the model's lines come in, the file's lines go out.
QStringList contractLines(const QStringList &model, const QList<ContractStudent> &students,
                          const data::Settings &settings, const QDate &today,
                          const ContractProgress &progress = {});

// Reads the model again (edits made in the word processor count) and writes the output file.
ContractOutcome generateContracts(const ContractRun &run, const data::Settings &settings,
                                  const ContractProgress &progress = {});

} // namespace billing
