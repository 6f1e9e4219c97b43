#pragma once

#include "data/settings/Settings.h"

// What the settings form shows and reads back, as texts and choices, so the reading rules are
// kept (and tested) apart from the widgets.
namespace data {

struct SettingsFormValues
{
    // Identity ("Nome do Estabelecimento" ..); written back as they are.
    QString estabel, endereco, municipio, uf, cgc;
    QString fone, numCadastro, juros, anoRef;
    // "Critérios das Avaliações"
    QString uniMedia, gerMedia, peso1, peso2, unidAval, limiteDep;
    bool recupMedia = false;
    QString pesoUnd[4];
    int arredondamento = 0;
    // "Outros Dados"
    QString dataVenc;
    bool usaRede = false;
    QString termoFunc, termoUnidade, termoRecup;

    static SettingsFormValues from(const Settings &record);

    // Reads the values into `record` in the order of the form (identity, first tab, assessment,
    // other data): texts cut to their limits, numbers as whole numbers, the fine with the decimal
    // comma. Stops at the first value that does not convert and returns false; the items read
    // before it keep their new values.
    bool readInto(Settings &record) const;
};

} // namespace data
