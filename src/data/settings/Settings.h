#pragma once

#include "core/ApplicationTitle.h"

#include <QString>

// The school's settings for the open school year: identity, assessment and billing rules, network
// mode and the three words screens and reports use. Loaded at log-on, edited by the supervisor,
// read from memory by everything else. Item names are the ones the settings table and the
// initialisation file use; each item's default, limits and column are in the table of items
// (SettingsItems.h).
namespace data {

struct Settings
{
    // Every item at its default; Ano_Ref empty.
    Settings();

    // Identity
    QString Estabel;
    QString Endereco;
    QString Municipio;
    QString UF;
    QString CGC;
    QString Fone;
    QString Num_Cadastro;
    QString Ano_Ref;

    // Billing
    double Juros;  // daily fine, in percent
    int Data_Venc; // default due day of the monthly fees
    // PIX on the school's own slips: the key, and the receiver's name and city the payer's bank
    // shows; without a key the slips carry no PIX code.
    QString Pix_Chave;
    QString Pix_Nome;
    QString Pix_Cidade;

    // Assessment
    int Uni_Media;
    int Ger_Media;
    int Peso_1;
    int Peso_2;
    int PesoUND1;
    int PesoUND2;
    int PesoUND3;
    int PesoUND4;
    int Unid_Aval;
    int Limite_Dep;
    bool Recup_Media;
    int Arredondamento;

    // Other
    bool Usa_Rede;
    QString Termo_Func;
    QString Termo_Unidade;
    QString Termo_Recup;
    bool Turma_Disc;

    // Derived by computeDerived(), after a load and when the settings form closes.
    double unitPassMark = 0; // Uni_Media as a real number
    double finalPassMark = 0; // Ger_Media as a real number
    int dependencyLimit = 0;  // Limite_Dep, for the grade runs
    QString reportFooter;     // program title, then the maker's credit

    // The defaults of every item; Ano_Ref is the school year chosen at log-on.
    static Settings defaults(const QString &schoolYear);

    // PesoUND1 .. PesoUND4 by unit number (1..4); 0 outside.
    int pesoUnd(int unit) const;

    void computeDerived();
};

// The record of the running process.
Settings &settings();

} // namespace data
