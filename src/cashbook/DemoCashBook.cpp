#include "cashbook/DemoCashBook.h"

#include "core/Money.h"
#include "data/store/Database.h"
#include "data/store/StoreError.h"
#include "data/store/Transaction.h"

#include <QDate>
#include <QRandomGenerator>

namespace cashbook {

namespace {

struct DemoAccount
{
    const char *name;
    int dueDay;
};

struct DemoGroup
{
    const char *kind;
    const char *name;
    QList<DemoAccount> accounts;
};

// Numbered in this order within each kind, accounts within their group.
const QList<DemoGroup> &demoGroups()
{
    static const QList<DemoGroup> groups{
        {"0", "MENSALIDADES", {{"MENSALIDADES ESCOLARES", 10}, {"MATRÍCULAS", 0}}},
        {"0", "CANTINA", {{"VENDAS DA CANTINA", 0}}},
        {"0", "OUTRAS RECEITAS", {{"PASSEIOS E EVENTOS", 0}, {"VENDA DE MATERIAL", 0}}},
        {"1", "PESSOAL", {{"SALÁRIOS", 5}, {"ENCARGOS SOCIAIS", 20}}},
        {"1", "DESPESAS FIXAS", {{"ENERGIA ELÉTRICA", 15}, {"ÁGUA E ESGOTO", 18}, {"TELEFONE E INTERNET", 12}}},
        {"1", "MATERIAL", {{"MATERIAL ESCOLAR", 0}, {"MATERIAL DE LIMPEZA", 0}}},
        {"1", "CANTINA", {{"COMPRAS DA CANTINA", 0}}},
    };
    return groups;
}

const char *const kBanks[] = {"BANCO DO BRASIL", "CAIXA ECONÔMICA FEDERAL", "BRADESCO", "ITAÚ"};

class BookBuilder
{
public:
    BookBuilder(const data::Database &db, quint32 seed) : m_db(db), m_random(seed) {}

    DemoCashBookSummary build(int lastYear)
    {
        addGroupsAndAccounts();
        for (int i = 0; i < int(std::size(kBanks)); ++i)
            m_db.exec(QStringLiteral("insert into Bancos (CodBanco_Bancos, Descricao_Bancos) values (:n, :d)"),
                      {{QStringLiteral("n"), i + 1}, {QStringLiteral("d"), QString::fromUtf8(kBanks[i])}});
        m_summary.banks = int(std::size(kBanks));
        for (QDate day(lastYear - 1, 1, 1); day <= QDate(lastYear, 12, 31); day = day.addDays(1))
            addDay(day);
        return m_summary;
    }

private:
    // Amounts in centavos, around `reais` give or take `spread` (a fraction).
    core::Money around(double reais, double spread)
    {
        const double factor = 1.0 + spread * (m_random.generateDouble() * 2.0 - 1.0);
        return core::Money::fromDouble(std::round(reais * factor * 100.0) / 100.0);
    }

    void addGroupsAndAccounts()
    {
        QHash<QString, int> groupsOfKind;
        for (const DemoGroup &group : demoGroups()) {
            const QString kind = QString::fromLatin1(group.kind);
            const int number = ++groupsOfKind[kind];
            m_db.exec(QStringLiteral("insert into GrupoConta (Tipo_Grupo, CodGrupo_Grupo, Descricao_Grupo) "
                                     "values (:t, :g, :d)"),
                      {{QStringLiteral("t"), kind}, {QStringLiteral("g"), number},
                       {QStringLiteral("d"), QString::fromUtf8(group.name)}});
            ++m_summary.groups;
            for (int a = 0; a < group.accounts.size(); ++a) {
                const DemoAccount &account = group.accounts[a];
                m_db.exec(QStringLiteral("insert into Conta (CodGrupo_Conta, CodGrupo_Grupo, CodConta_Conta, "
                                         "Descricao_Conta, Meta_Conta, DATA_VENC) values (:t, :g, :c, :d, 0, :v)"),
                          {{QStringLiteral("t"), kind}, {QStringLiteral("g"), number},
                           {QStringLiteral("c"), a + 1}, {QStringLiteral("d"), QString::fromUtf8(account.name)},
                           {QStringLiteral("v"), account.dueDay}});
                m_accounts.insert(QString::fromUtf8(account.name), {kind, number, a + 1});
                ++m_summary.accounts;
            }
        }
    }

    void add(const QDate &day, const char *accountName, const core::Money &amount, const QString &description,
             bool withCheque = false, bool withInvoice = false)
    {
        const Key key = m_accounts.value(QString::fromUtf8(accountName));
        m_db.exec(QStringLiteral(
                      "insert into MovFin (CodMovFin_MovFin, CodGrupo_MovFin, CodGrupo_Grupo, CodConta_MovFin, "
                      "Data_MovFin, Mes, Cheque_MovFin, Valor_MovFin, CodBanco_MovFin, Descricao_MovFin, "
                      "NotaFiscal_MovFin) values (:k, :t, :g, :c, :d, :m, :q, :v, :b, :h, :n)"),
                  {{QStringLiteral("k"), m_summary.movements + 1},
                   {QStringLiteral("t"), key.kind},
                   {QStringLiteral("g"), key.group},
                   {QStringLiteral("c"), key.account},
                   {QStringLiteral("d"), day},
                   {QStringLiteral("m"), QStringLiteral("%1").arg(day.month(), 2, 10, QChar(u'0'))},
                   {QStringLiteral("q"), withCheque ? QString::number(100000 + ++m_cheques) : QVariant()},
                   {QStringLiteral("v"), double(amount.centavos()) / 100.0},
                   {QStringLiteral("b"), int(m_random.bounded(int(std::size(kBanks)))) + 1},
                   {QStringLiteral("h"), description},
                   {QStringLiteral("n"), withInvoice ? QString::number(m_random.bounded(1000, 999999)) : QVariant()}});
        ++m_summary.movements;
    }

    void addDay(const QDate &day)
    {
        const bool weekday = day.dayOfWeek() <= 5;
        const int month = day.month();
        const bool vacation = month == 1 || month == 7;
        const QString when = day.toString(QStringLiteral("dd/MM"));
        // Fees come in on the first ten days; vacation months bring in few of them.
        if (weekday && day.day() <= 10)
            add(day, "MENSALIDADES ESCOLARES", around(vacation ? 2600 : 14500, 0.25),
                QStringLiteral("MENSALIDADES RECEBIDAS EM ") + when);
        if (weekday && (month == 1 || month == 12) && day.day() > 10)
            add(day, "MATRÍCULAS", around(1400, 0.4), QStringLiteral("MATRÍCULAS DO DIA ") + when);
        if (weekday && !vacation)
            add(day, "VENDAS DA CANTINA", around(620, 0.3), QStringLiteral("CAIXA DA CANTINA ") + when);
        if (weekday && !vacation && day.dayOfWeek() == 1)
            add(day, "COMPRAS DA CANTINA", around(1500, 0.2), QStringLiteral("FORNECEDOR DE ALIMENTOS"), true, true);
        if (day.day() == 5) {
            add(day, "SALÁRIOS", around(month == 12 ? 148000 : 74000, 0.02), QStringLiteral("FOLHA DE PAGAMENTO"), true);
            add(day, "ENCARGOS SOCIAIS", around(month == 12 ? 42000 : 21000, 0.03), QStringLiteral("INSS E FGTS"), true);
        }
        if (day.day() == 15)
            add(day, "ENERGIA ELÉTRICA", around(4200, 0.2), QStringLiteral("CONTA DE ENERGIA"), true, true);
        if (day.day() == 18)
            add(day, "ÁGUA E ESGOTO", around(1300, 0.2), QStringLiteral("CONTA DE ÁGUA"), true, true);
        if (day.day() == 12)
            add(day, "TELEFONE E INTERNET", around(690, 0.1), QStringLiteral("TELEFONE E INTERNET"), true, true);
        // The term's material is bought in January and July.
        if (weekday && vacation && day.day() % 7 == 3)
            add(day, "MATERIAL ESCOLAR", around(9500, 0.3), QStringLiteral("PAPELARIA CENTRAL"), true, true);
        if (day.day() == 22)
            add(day, "MATERIAL DE LIMPEZA", around(850, 0.25), QStringLiteral("DISTRIBUIDORA DE LIMPEZA"), true, true);
        if (weekday && (month == 4 || month == 10) && day.day() == 20)
            add(day, "PASSEIOS E EVENTOS", around(5400, 0.3), QStringLiteral("PASSEIO ESCOLAR"));
        if (weekday && (month == 2 || month == 8) && day.day() <= 7)
            add(day, "VENDA DE MATERIAL", around(2100, 0.3), QStringLiteral("KITS DE MATERIAL"));
    }

    struct Key
    {
        QString kind;
        int group = 0;
        int account = 0;
    };

    const data::Database &m_db;
    QRandomGenerator m_random;
    QHash<QString, Key> m_accounts;
    int m_cheques = 0;
    DemoCashBookSummary m_summary;
};

} // namespace

DemoCashBookSummary fillDemoCashBook(const data::Database &db, const QString &schoolYear, quint32 seed)
{
    bool numeric = false;
    const int year = schoolYear.toInt(&numeric);
    if (!numeric || schoolYear.size() != 4)
        throw data::StoreError(QStringLiteral("Ano letivo inválido: %1").arg(schoolYear));
    data::Transaction transaction(db);
    const DemoCashBookSummary summary = BookBuilder(db, seed).build(year);
    transaction.commit();
    return summary;
}

} // namespace cashbook
