#include "billing/contracts/ContractGeneration.h"

#include "core/TextFile.h"

#include <QDir>
#include <QFileInfo>

namespace billing {

QString unreadableModelMessage(const QString &modelPath)
{
    return QStringLiteral("Não foi possível ler o modelo de contrato:\r%1\rO arquivo deve ser um texto RTF "
                          "com o cabeçalho na primeira linha e a chave final na última.")
        .arg(QDir::toNativeSeparators(modelPath));
}

QString contractOutputPath(const QString &modelPath, const QString &classDescription)
{
    const QFileInfo model(modelPath);
    QString suffix = classDescription;
    for (const QChar c : {u'.', u' ', u'/', u'\\'})
        suffix.replace(c, u'_');
    return model.dir().filePath(model.baseName() + u'_' + suffix + QStringLiteral(".rtf"));
}

QStringList contractLines(const QStringList &model, const QList<ContractStudent> &students,
                          const data::Settings &settings, const QDate &today,
                          const ContractProgress &progress)
{
    QStringList out;
    const int total = int(students.size());
    const int last = int(model.size()) - 2; // the closing brace is written once, at the end
    for (int s = 0; s < total; ++s) {
        const ContractStudent &student = students.at(s);
        if (progress.status)
            progress.status(QStringLiteral("Lendo: ") + student.nome);
        const QList<Placeholder> values = contractValues(student, settings, today);
        // The header line goes out once, with the first contract.
        const int from = s == 0 ? 0 : 1;
        if (progress.status)
            progress.status(QStringLiteral("Gerando: %1 de %2").arg(s + 1).arg(total));
        for (int l = from; l <= last; ++l) {
            out << fillContractLine(model.at(l), values);
            if (progress.lines)
                progress.lines(l - from + 1, last - from + 1);
        }
        out << QStringLiteral("\\par \\page") << QStringLiteral("\\par ");
        if (progress.students)
            progress.students(s + 1, total);
    }
    out << QStringLiteral("}");
    return out;
}

ContractOutcome generateContracts(const ContractRun &run, const data::Settings &settings,
                                  const ContractProgress &progress)
{
    const std::optional<QStringList> model = readContractModel(run.modelPath);
    if (!model || !isUsableContractModel(*model))
        return ContractOutcome::UnreadableModel;
    const QStringList lines = contractLines(*model, run.students, settings, run.today, progress);
    if (!core::writeTextLines(run.outputPath, lines))
        return ContractOutcome::CannotCreate;
    return ContractOutcome::Written;
}

} // namespace billing
