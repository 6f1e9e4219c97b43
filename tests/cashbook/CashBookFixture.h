#pragma once

#include "data/modules/ModuleFixture.h"

#include "cashbook/CashTotals.h"

// A logged-on school year with helpers that write groups, accounts and movements directly.
class CashBookFixture : public ModuleFixture
{
protected:
    void addGroup(const QString &kind, int number, const QString &name) const
    {
        exec(QStringLiteral("insert into GrupoConta (Tipo_Grupo, CodGrupo_Grupo, Descricao_Grupo) values (:t, :g, :d)"),
             {{QStringLiteral("t"), kind}, {QStringLiteral("g"), number}, {QStringLiteral("d"), name}});
    }
    void addAccount(const QString &kind, int group, int number, const QString &name) const
    {
        exec(QStringLiteral("insert into Conta (CodGrupo_Conta, CodGrupo_Grupo, CodConta_Conta, Descricao_Conta) "
                            "values (:t, :g, :c, :d)"),
             {{QStringLiteral("t"), kind}, {QStringLiteral("g"), group}, {QStringLiteral("c"), number},
              {QStringLiteral("d"), name}});
    }
    void addMovement(const QString &kind, int group, int account, const QDate &date, double value,
                     const QString &description = QString(), const QString &cheque = QString()) const
    {
        // Numbered as the table numbers its rows: the highest number + 1.
        exec(QStringLiteral("insert into MovFin (CodMovFin_MovFin, CodGrupo_MovFin, CodGrupo_Grupo, CodConta_MovFin, "
                            "Data_MovFin, Valor_MovFin, Descricao_MovFin, Cheque_MovFin) values ("
                            "(select coalesce(max(CodMovFin_MovFin), 0) + 1 from MovFin), :t, :g, :c, :d, :v, :h, :q)"),
             {{QStringLiteral("t"), kind}, {QStringLiteral("g"), group}, {QStringLiteral("c"), account},
              {QStringLiteral("d"), date}, {QStringLiteral("v"), value}, {QStringLiteral("h"), description},
              {QStringLiteral("q"), cheque}});
    }
    // Two groups of each kind sharing number 1, an account in each.
    void addChartOfAccounts() const
    {
        addGroup(QStringLiteral("0"), 1, QStringLiteral("MENSALIDADES"));
        addGroup(QStringLiteral("1"), 1, QStringLiteral("PESSOAL"));
        addGroup(QStringLiteral("1"), 2, QStringLiteral("DESPESAS FIXAS"));
        addAccount(QStringLiteral("0"), 1, 1, QStringLiteral("MENSALIDADES ESCOLARES"));
        addAccount(QStringLiteral("1"), 1, 1, QStringLiteral("SALÁRIOS"));
        addAccount(QStringLiteral("1"), 2, 1, QStringLiteral("ENERGIA"));
    }

    static core::Money reais(const char *text) { return *core::Money::parse(QString::fromLatin1(text)); }
};
