#pragma once

#include "billing/generators/StudentSelection.h"

#include <QString>

// What "Imprimir Boletos" asks before printing: the months, kind and students of the charges,
// the fine and interest texts, the two message lines and what to leave off the slip. The
// own-model slips and the bank booklets both print from it.
namespace billing {

struct BoletoChoices
{
    int fromMonth = 1; // 1..12
    int toMonth = 12;  // 1..12, never before fromMonth
    // "Todos", "Mensalidade" or one of the kinds of charge as listed in "Tipo Cobrança:"
    QString kind = QStringLiteral("Mensalidade");
    StudentSelection students;
    QString fineText = QStringLiteral("2,0");      // percent, one decimal
    QString interestText = QStringLiteral("0,33"); // percent a day, two decimals
    QString message1;                              // up to 65 characters
    QString message2;
    bool hideDiscounts = false;    // "NÃO imprima Descontos no Boleto"
    bool hideFineText = false;     // "NÃO imprima Texto de Multa e Juros" (own-model slips only)
    bool bankBooklet = false;      // "Imprimir em Boleto Entregue por Banco conveniado"
    QString firstNumber;           // "Informe o nº de controle inicial" (booklets only)
    bool recordOnly = false;       // "Criar Registro Sem Usar a Impressora" (booklets only)
};

} // namespace billing
