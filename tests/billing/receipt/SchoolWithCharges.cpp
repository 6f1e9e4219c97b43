#include "billing/receipt/SchoolWithCharges.h"

#include "data/maintenance/SchoolYearSetup.h"
#include "data/settings/SettingsStore.h"

#include <QDate>

data::Database createSchoolWithCharges(const QString &dataDir)
{
    const data::Database db = data::createSchoolYear(dataDir, QStringLiteral("2007"));
    data::Settings settings = data::Settings::defaults(QStringLiteral("2007"));
    settings.Estabel = QStringLiteral("Colégio São João");
    settings.Endereco = QStringLiteral("Rua da Conceição, 12");
    settings.Municipio = QStringLiteral("Maceió");
    settings.UF = QStringLiteral("AL");
    settings.Fone = QStringLiteral("(82) 3333-4444");
    data::saveSettings(db, settings);

    db.exec(QStringLiteral(
        "insert into ALUNOS (MATRICULA, NOME, TURMA, NOME_RESP) values "
        "(1234, 'JOSÉ D''ÁVILA', '1G1A', 'Maria Antônia'), (77, 'ANA', '1G1A', null)"));
    const QString insert = QStringLiteral(
        "insert into CCORRENT (TURMA, Matricula, NOME, Tipo, ParcelaNum, ParcelaData, "
        "ParcelaValor, DescontoFixo, DescontoEventual, Acrescimos, NossoNum, PgtoData, PgtoValor) "
        "values ('1G1A', 1234, 'JOSE DAVILA', :tipo, :parcela, :vencimento, :valor, 100, 0, "
        ":acrescimos, :nosso, :pago, :pagoValor)");
    db.exec(insert, {{"tipo", "N"},
                     {"parcela", 3},
                     {"vencimento", QDate(2007, 3, 10)},
                     {"valor", 450.0},
                     {"acrescimos", 2.07},
                     {"nosso", 20070305.0},
                     {"pago", QDate(2007, 3, 5)},
                     {"pagoValor", 352.07}});
    db.exec(insert, {{"tipo", "N"},
                     {"parcela", 4},
                     {"vencimento", QDate(2007, 4, 10)},
                     {"valor", 450.0},
                     {"acrescimos", 0.0},
                     {"nosso", 20070410.0},
                     {"pago", QVariant()},
                     {"pagoValor", QVariant()}});
    db.exec(insert, {{"tipo", "0"},
                     {"parcela", 3},
                     {"vencimento", QDate(2007, 1, 15)},
                     {"valor", 200.0},
                     {"acrescimos", 0.0},
                     {"nosso", QVariant()},
                     {"pago", QDate(2007, 1, 15)},
                     {"pagoValor", 100.0}});
    return db;
}
