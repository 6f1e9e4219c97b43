#include "billing/contracts/ContractStudents.h"

#include "core/AmountInWords.h"
#include "core/Formats.h"
#include "data/settings/Settings.h"
#include "data/store/Query.h"

namespace billing {

QList<ContractStudent> selectContractStudents(const data::Database &db,
                                              const ContractSelection &selection)
{
    QString sql = QStringLiteral(
        "select a.MATRICULA, a.NOME, a.TURMA, a.DATANASC, a.NOME_PAI, a.NOME_MAE, a.NOME_RESP, "
        "a.ID_RESP, a.CPF_RESP, a.PROF_RESP, a.EstadoCivil, a.ENDERECO, a.BAIRRO, a.CIDADE, "
        "t.DESCRICAO, t.Valor_Mensalidade from ALUNOS a left join TABTURMA t on t.TURMA = a.TURMA "
        "where coalesce(a.SIT, '') not in ('D', 'T')");
    if (selection.kind == ContractSelection::Kind::Class) {
        sql += QStringLiteral(" and a.TURMA = :turma");
    } else if (selection.kind == ContractSelection::Kind::Students) {
        QStringList terms;
        for (int i = 0; i < selection.numbers.size(); ++i)
            terms << QStringLiteral("a.MATRICULA = :m%1").arg(i);
        sql += QStringLiteral(" and (") +
               (terms.isEmpty() ? QStringLiteral("0 = 1") : terms.join(QStringLiteral(" or "))) + u')';
    }
    data::Query query(db);
    query.setSql(sql + QStringLiteral(" order by a.TURMA collate PTBR_CI, a.NOME collate PTBR_CI, a.MATRICULA"));
    if (selection.kind == ContractSelection::Kind::Class)
        query.bind(QStringLiteral("turma"), selection.classCode);
    for (int i = 0; i < selection.numbers.size(); ++i)
        query.bind(QStringLiteral("m%1").arg(i), double(selection.numbers.at(i)));
    query.open();
    QList<ContractStudent> students;
    for (query.first(); !query.eof(); query.next()) {
        ContractStudent s;
        s.matricula = qint64(query.asFloat("MATRICULA"));
        s.nome = query.asText("NOME");
        s.turma = query.asText("TURMA");
        s.dataNasc = query.asDate("DATANASC");
        s.nomePai = query.asText("NOME_PAI");
        s.nomeMae = query.asText("NOME_MAE");
        s.nomeResp = query.asText("NOME_RESP");
        s.idResp = query.asText("ID_RESP");
        s.cpfResp = query.asText("CPF_RESP");
        s.profResp = query.asText("PROF_RESP");
        s.estadoCivil = query.asText("EstadoCivil");
        s.endereco = query.asText("ENDERECO");
        s.bairro = query.asText("BAIRRO");
        s.cidade = query.asText("CIDADE");
        s.classDescription = query.asText("DESCRICAO");
        s.monthlyFee = core::Money::fromDouble(query.asFloat("Valor_Mensalidade"));
        students << s;
    }
    return students;
}

QList<Placeholder> contractValues(const ContractStudent &student, const data::Settings &settings,
                                  const QDate &today)
{
    const core::Money yearly = core::Money::fromCentavos(student.monthlyFee.centavos() * 12);
    const QString fixed = QStringLiteral("0.00");
    const QStringList values = {
        settings.Estabel,
        settings.Endereco + QStringLiteral(" -") + settings.Municipio + QStringLiteral(" - ") + settings.UF,
        settings.Fone,
        settings.CGC,
        settings.Municipio,
        student.idResp,
        student.profResp,
        core::formatDate(student.dataNasc),
        QStringLiteral("Sr. ") + student.nomePai.trimmed() + QStringLiteral(" e Sra. ") + student.nomeMae.trimmed(),
        QString::number(settings.Data_Venc),
        student.nomeResp,
        student.endereco,
        student.bairro,
        student.cidade,
        settings.UF,
        student.estadoCivil,
        student.cpfResp,
        student.nome,
        student.classDescription,
        QString::number(student.matricula),
        core::formatDate(today),
        settings.Ano_Ref,
        yearly.format(fixed),
        core::amountInWords(yearly),
        student.monthlyFee.format(fixed),
        core::amountInWords(student.monthlyFee),
        core::formatNumber(settings.Juros, fixed) + u'%',
        core::longDate(today),
    };
    QList<Placeholder> filled;
    const QStringList &names = placeholderNames();
    for (qsizetype i = 0; i < names.size(); ++i)
        filled << Placeholder{names.at(i), values.at(i)};
    return filled;
}

} // namespace billing
