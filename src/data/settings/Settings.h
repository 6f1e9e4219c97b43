#pragma once

#include "core/ApplicationTitle.h"

#include <QString>

// The school's settings for the open school year: identity, assessment and billing rules, network
// mode and the three words screens and reports use. Loaded at log-on, edited by the supervisor,
// read from memory by everything else. Item names are the ones the settings table and the
// initialisation file use.
namespace data {

// Longest text each item keeps.
namespace settingsLimits {
inline constexpr int Estabel = 60;
inline constexpr int Endereco = 60;
inline constexpr int Municipio = 30;
inline constexpr int UF = 2;
inline constexpr int CGC = 18;
inline constexpr int Fone = 14;
inline constexpr int Num_Cadastro = 15;
inline constexpr int Ano_Ref = 4;
inline constexpr int Termo_Func = 12;
inline constexpr int Termo_Unidade = 10;
inline constexpr int Termo_Recup = 5;
} // namespace settingsLimits

struct Settings
{
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
    double Juros = 0.03; // daily fine, in percent
    int Data_Venc = 10;  // default due day of the monthly fees

    // Assessment
    int Uni_Media = 7;
    int Ger_Media = 6;
    int Peso_1 = 1;
    int Peso_2 = 1;
    int PesoUND1 = 1;
    int PesoUND2 = 1;
    int PesoUND3 = 1;
    int PesoUND4 = 1;
    int Unid_Aval = 4;
    int Limite_Dep = 2;
    bool Recup_Media = false;
    int Arredondamento = 0;

    // Other
    bool Usa_Rede = false;
    QString Termo_Func = QStringLiteral("Funcionários");
    QString Termo_Unidade = QStringLiteral("Unid");
    QString Termo_Recup = QStringLiteral("Recup");
    bool Turma_Disc = true;

    // Derived by computeDerived(), after a load and when the settings form closes.
    double unitPassMark = 7.0;  // Uni_Media as a real number
    double finalPassMark = 6.0; // Ger_Media as a real number
    int dependencyLimit = 2;    // Limite_Dep, for the grade runs
    QString reportFooter;       // program title, then the maker's credit

    // The defaults of every item; Ano_Ref is the school year chosen at log-on.
    static Settings defaults(const QString &schoolYear);

    // PesoUND1 .. PesoUND4 by unit number (1..4); 0 outside.
    int pesoUnd(int unit) const;

    // Cuts every text item to its limit.
    void cutToLimits();
    void computeDerived();
};

// The record of the running process.
Settings &settings();

} // namespace data
