#include "billing/contracts/ContractModel.h"

#include "billing/contracts/RtfText.h"
#include "core/ProgramDirs.h"
#include "core/TextFile.h"

#include <QFile>

// The sample model is a resource of this static library; Q_INIT_RESOURCE must be used outside
// a namespace.
static void initContractResources()
{
    Q_INIT_RESOURCE(contracts);
}

namespace billing {

const QStringList &placeholderNames()
{
    static const QStringList names = {
        QStringLiteral("#estabelecimento#"), QStringLiteral("#endereco#"),
        QStringLiteral("#telefone#"),        QStringLiteral("#cnpj#"),
        QStringLiteral("#municipio1#"),      QStringLiteral("#RG#"),
        QStringLiteral("#prof_resp#"),       QStringLiteral("#data_nasc#"),
        QStringLiteral("#filiacao#"),        QStringLiteral("#data_venc#"),
        QStringLiteral("#responsavel#"),     QStringLiteral("#rua#"),
        QStringLiteral("#bairro#"),          QStringLiteral("#municipio#"),
        QStringLiteral("#UF#"),              QStringLiteral("#estadocivil#"),
        QStringLiteral("#cpf#"),             QStringLiteral("#aluno#"),
        QStringLiteral("#serie#"),           QStringLiteral("#matricula#"),
        QStringLiteral("#datamatricula#"),   QStringLiteral("#ano#"),
        QStringLiteral("#mensalidadeano#"),  QStringLiteral("#extenso#"),
        QStringLiteral("#mensalidademes#"),  QStringLiteral("#extenso2#"),
        QStringLiteral("#juros#"),           QStringLiteral("#datacompleta#")};
    return names;
}

QString fillContractLine(const QString &line, const QList<Placeholder> &values)
{
    QString model = line;
    model.remove(QString::fromUtf16(kStartMarker));
    model.remove(QString::fromUtf16(kEndMarker));
    // The line as pieces of model text and filled-in values; placeholders are looked for in
    // the model's pieces only.
    struct Piece
    {
        QString text;
        bool filled;
    };
    QList<Piece> pieces = {{model, false}};
    for (const auto &[name, value] : values) {
        for (qsizetype p = 0; p < pieces.size(); ++p) {
            if (pieces.at(p).filled)
                continue;
            const qsizetype at = pieces.at(p).text.indexOf(name);
            if (at < 0)
                continue;
            const QString text = pieces.at(p).text;
            pieces[p] = {text.left(at), false};
            pieces.insert(p + 1, {rtfEscaped(value), true});
            pieces.insert(p + 2, {text.mid(at + name.size()), false});
            break;
        }
    }
    QString filled;
    for (const Piece &piece : pieces)
        filled += piece.text;
    return filled;
}

std::optional<QStringList> readContractModel(const QString &path)
{
    return core::readTextLines(path);
}

bool isUsableContractModel(const QStringList &lines)
{
    return lines.size() >= 3 && lines.first().trimmed().startsWith(QStringLiteral("{\\rtf"));
}

QByteArray sampleContractModel()
{
    initContractResources();
    QFile sample(QStringLiteral(":/contracts/Contrato.rtf"));
    sample.open(QIODevice::ReadOnly);
    return sample.readAll();
}

QString defaultContractModel(const QString &programDir)
{
    const QString path = core::joinPath(programDir, QString::fromLatin1(kContractModelFile));
    if (!QFile::exists(path)) {
        QFile file(path);
        // A folder the program can't write to simply has no model; the window says so.
        if (file.open(QIODevice::WriteOnly))
            file.write(sampleContractModel());
    }
    return path;
}

} // namespace billing
