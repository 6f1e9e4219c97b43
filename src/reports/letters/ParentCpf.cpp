#include "reports/letters/ParentCpf.h"

#include "core/ProgramDirs.h"
#include "core/TextFile.h"
#include "data/settings/Settings.h"

namespace reports {

QString declarantCaption(Declarant declarant)
{
    switch (declarant) {
    case Declarant::Pai:
        return QStringLiteral("Pai");
    case Declarant::Mae:
        return QStringLiteral("Mãe");
    case Declarant::Responsavel:
        break;
    }
    return QStringLiteral("Responsável");
}

QString cpfFilter(Declarant declarant, const QString &cpf)
{
    static const char *const fields[] = {"cpf_pai", "cpf_mae", "cpf_resp"};
    return QLatin1String(fields[int(declarant)]) + QStringLiteral(" = '") + QString(cpf).replace(u'\'', QStringLiteral("''")) +
           u'\'';
}

QString declarantNameField(Declarant declarant)
{
    static const char *const fields[] = {"NOME_PAI", "NOME_MAE", "NOME_RESP"};
    return QLatin1String(fields[int(declarant)]);
}

QStringList defaultDeclaration(const data::Settings &settings)
{
    return {QStringLiteral("Para  efeito  de  sua  Declaração  de  Imposto  de  Renda - Pessoa Física,  informamos   abaixo  o"),
            QStringLiteral("valor pago pelo(a) Senhor(a) durante o ano-base de ") + settings.Ano_Ref +
                QStringLiteral(", relativo ao somatório das mensalidades"),
            QStringLiteral("pagas em nome de seu(s) dependente(s) indicado(s) a seguir;"),
            QStringLiteral(" "),
            QStringLiteral("Para qualquer esclarecimento adcional, favor dirigir-se à secretaria do colégio, ou entrar em contato"),
            QStringLiteral("pelo telefone ") + settings.Fone};
}

bool saveDeclaration(const QString &programDir, const QStringList &lines, QString *error)
{
    return core::writeTextLines(core::joinPath(programDir, QString::fromLatin1(kDeclarationFile)), lines, error);
}

bool loadDeclaration(const QString &programDir, QStringList &lines)
{
    const std::optional<QStringList> read =
        core::readTextLines(core::joinPath(programDir, QString::fromLatin1(kDeclarationFile)));
    if (!read)
        return false;
    lines = *read;
    return true;
}

} // namespace reports
