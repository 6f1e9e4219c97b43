#include "data/settings/SettingsFormValues.h"

#include "core/Formats.h"

#include <climits>
#include <optional>

namespace data {

namespace {

std::optional<int> wholeNumber(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// Reads one whole number into `item`; false when it does not convert or falls outside the range.
bool readWhole(const QString &text, int &item, int minimum = INT_MIN, int maximum = INT_MAX)
{
    const std::optional<int> value = wholeNumber(text);
    if (!value || *value < minimum || *value > maximum)
        return false;
    item = *value;
    return true;
}

} // namespace

SettingsFormValues SettingsFormValues::from(const Settings &r)
{
    SettingsFormValues v;
    v.estabel = r.Estabel;
    v.endereco = r.Endereco;
    v.municipio = r.Municipio;
    v.uf = r.UF;
    v.cgc = r.CGC;
    v.fone = r.Fone;
    v.numCadastro = r.Num_Cadastro;
    v.juros = core::formatNumber(r.Juros, QStringLiteral("0.00"));
    v.anoRef = r.Ano_Ref;
    v.uniMedia = QString::number(r.Uni_Media);
    v.gerMedia = QString::number(r.Ger_Media);
    v.peso1 = QString::number(r.Peso_1);
    v.peso2 = QString::number(r.Peso_2);
    v.unidAval = QString::number(r.Unid_Aval);
    v.limiteDep = QString::number(r.Limite_Dep);
    v.recupMedia = r.Recup_Media;
    for (int u = 1; u <= 4; ++u)
        v.pesoUnd[u - 1] = QString::number(r.pesoUnd(u));
    v.arredondamento = r.Arredondamento;
    v.dataVenc = QString::number(r.Data_Venc);
    v.usaRede = r.Usa_Rede;
    v.termoFunc = r.Termo_Func;
    v.termoUnidade = r.Termo_Unidade;
    v.termoRecup = r.Termo_Recup;
    return v;
}

bool SettingsFormValues::readInto(Settings &r) const
{
    namespace L = settingsLimits;
    r.Estabel = estabel.left(L::Estabel);
    r.Endereco = endereco.left(L::Endereco);
    r.Municipio = municipio.left(L::Municipio);
    r.UF = uf.left(L::UF);
    r.CGC = cgc.left(L::CGC);
    r.Fone = fone.left(L::Fone);
    r.Num_Cadastro = numCadastro.left(L::Num_Cadastro);
    const std::optional<double> fine = core::parseNumber(juros);
    if (!fine)
        return false;
    r.Juros = *fine;
    // The year goes into a numeric column; anything else would make the whole save fail.
    int year = 0;
    if (!readWhole(anoRef, year, 0, 9999))
        return false;
    r.Ano_Ref = anoRef.trimmed().left(L::Ano_Ref);

    if (!readWhole(uniMedia, r.Uni_Media) || !readWhole(gerMedia, r.Ger_Media) ||
        !readWhole(peso1, r.Peso_1) || !readWhole(peso2, r.Peso_2) ||
        !readWhole(unidAval, r.Unid_Aval, 1, 4) || !readWhole(limiteDep, r.Limite_Dep))
        return false;
    r.Recup_Media = recupMedia;
    if (!readWhole(pesoUnd[0], r.PesoUND1) || !readWhole(pesoUnd[1], r.PesoUND2) ||
        !readWhole(pesoUnd[2], r.PesoUND3) || !readWhole(pesoUnd[3], r.PesoUND4))
        return false;
    r.Arredondamento = arredondamento;

    if (!readWhole(dataVenc, r.Data_Venc))
        return false;
    r.Usa_Rede = usaRede;
    r.Termo_Func = termoFunc.left(L::Termo_Func);
    r.Termo_Unidade = termoUnidade.left(L::Termo_Unidade);
    r.Termo_Recup = termoRecup.left(L::Termo_Recup);
    return true;
}

} // namespace data
