#include "ExpectedLayouts.h"

#include <QStringList>

namespace {

QString unitTable()
{
    return "TURMA:T5 MATRICULA:F NOME:T42 DISC:T2 UNIDADE:T1 NOTA1:F NOTA2:F NOTA3:F NOTA4:F "
           "NOTA5:F MEDIA:F RECUP:F MD_FINAL:F PONTOS1:F PONTOS2:F FALTAS:S Esp:S SIT:T2 "
           "RESULTADO:T20";
}

} // namespace

const QMap<QString, QString> &expectedLayouts()
{
    static const QMap<QString, QString> layouts = {
        {"ALUNOS",
         "MATRICULA:F! ORD:S NOME:T42! TURMA:T5! TURMA2:T5 TM:S SEXO:T1 DATANASC:D NACIONAL:T20 "
         "NOME_PAI:T42 ID_PAI:T15 CPF_PAI:T14 PROF_PAI:T20 LOCTRABPAI:T42 RELIGPAI:T20 "
         "NOME_MAE:T42 ID_MAE:T15 CPF_MAE:T14 PROF_MAE:T20 LOCTRABMAE:T42 RELIGMAE:T20 "
         "NOME_RESP:T42 ID_RESP:T15 CPF_RESP:T14 PROF_RESP:T20 LOCTRBRESP:T42 RELIGRESP:T20 "
         "ENDERECO:T42 BAIRRO:T20 CIDADE:T20 CEP:T9 FONE_REC:T16 FONE_RES:T16 FONE_COM1:T16 "
         "FONE_COM2:T16 RAMAL1:T4 RAMAL2:T4 SIT:T2 DATASIT:D OBSSIT:T30 ABAT:F MOTVABAT:T27 "
         "OBS:T28 IMP:T1 ESP:S EstadoCivil:T20 Vencimento:T2 email_resp:T50 UsarPiscina:B "
         "celular_resp:T16 celular_pai:T16 celular_mae:T16 TIPO_SANG:T3 COR_PELE:T16 CN_NUM:T20 "
         "CN_MUNNASC:T20 CN_DTEMISS:D CN_UFCART:T2 CN_CART:T30 CN_FOLHA:T10 CN_LIVRO:T10 "
         "MARCADO:B"},
        {"TABTURMA", "TURMA:T5 DESCRICAO:T30 TM:S ULTIMO:S AUX:S AUX2:T1 Valor_Mensalidade:M"},
        {"DISCPL", "CODIGO:T2 DESCRICAO:T25 TIPO:T1 ORDEM:T2 DESC_RESUMO:T8"},
        {"DISCTURM", "SERIE:T3 CODIGO:T2 CHORA:S REP_FALTA:T1 Consolidada:B Imp_AtaFinal:B PESO:L"},
        {"NOTAS",
         "MATRICULA:F DISC:T2 UND1:F UND2:F UND3:F UND4:F FLT1:S FLT2:S FLT3:S FLT4:S MD_ANUAL:F "
         "FALTAS:S PFINAL:F Turma:T5 Nome:T42 Esp:S MD_FINAL:F RECUP:F MD_RECUP:F CONCEITO:T3 "
         "SIT:T2 RESULTADO:T20"},
        {"NOTASUNI1", unitTable()},
        {"NOTASUNI2", unitTable()},
        {"NOTASUNI3", unitTable()},
        {"NOTASUNI4", unitTable()},
        {"HISTORIC", "Matricula:F Convenio_Medico:T20 Pediatra:T40 Telefone:T8 Ramal:T4 "
                     "Horario_Atendimento:T8 Alergias:T60 Historico:O"},
        {"FUNCIONARIOS",
         "MATRICULA:F NOME:T42 SEXO:T1 DATANASC:D NACIONAL:T20 ID:T15 CPF:T14 FUNCAO:T20 "
         "RELIGIAO:T20 ENDERECO:T42 BAIRRO:T20 CIDADE:T20 CEP:T9 FONE_REC:T8 FONE_RES:T8 "
         "RAMAL1:T4 RAMAL2:T4 SIT:T2 DATASIT:D OBSSIT:T30 OBS:T60 ORD:S DIA_ANIV:S"},
        {"DISCPROF", "MATRICULA:F NOME:T42 DISCPL_COD:T2 TURMA:T5"},
        {"POSICAO",
         "MATRICULA:F NOME:T42 TURMA:T5 PONTOS1:F PONTOS2:F PONTOS3:F PONTOS4:F PONTOST:F Pos1:S "
         "Pos2:S Pos3:S Pos4:S Postotal:S GRUPO:T3 Posicao:S"},
        {"CCORRENT",
         "TURMA:T5 Matricula:F! NOME:T42 Tipo:T1 ParcelaNum:S! ParcelaData:D! ParcelaValor:M "
         "DescontoFixo:M DescontoEventual:M Acrescimos:M NossoNum:F PgtoData:D PgtoValor:M "
         "FORMAPGTO:T1 STATUS:T1 Observacao:T42 USUARIO:T10 STATUS2:T1"},
        {"GRUPOCONTA", "Tipo_Grupo:T1 CodGrupo_Grupo:A Descricao_Grupo:T50"},
        {"CONTA",
         "CodGrupo_Conta:T1 CodGrupo_Grupo:L CodConta_Conta:A Descricao_Conta:T50 Meta_Conta:F "
         "DATA_VENC:L"},
        {"MOVFIN", "CodGrupo_MovFin:T1 CodConta_MovFin:L Data_MovFin:D CodMovFin_MovFin:A Mes:T2 "
                   "Cheque_MovFin:T6 Valor_MovFin:F CodBanco_MovFin:L Descricao_MovFin:T70 "
                   "NotaFiscal_MovFin:T6 CodGrupo_Grupo:L"},
        {"BANCOS", "CodBanco_Bancos:A Descricao_Bancos:T60"},
        {"USUARIO",
         "Estabel:T60 Endereco:T60 Municipio:T60 CGC:T18 FONE:T14 ANO_REF:S UF:T2 "
         "NUM_CADASTRO:T15 Juros:F UNI_MEDIA:F GER_MEDIA:F DATA_VENC:L PESO_1:L PESO_2:L "
         "UNID_AVAL:L LIMITE_DEP:L Recup_Media:B PesoUND1:L PesoUND2:L PesoUND3:L PesoUND4:L "
         "Arredondamento:L Usa_Rede:B Turma_Disc:B Termo_Func:T12 Termo_Unidade:T10 "
         "Termo_Recup:T5 PIX_CHAVE:T77 PIX_NOME:T25 PIX_CIDADE:T15 Version_Info:T60"},
    };
    return layouts;
}

QString layoutText(const data::TableDef &table)
{
    QStringList parts;
    for (const data::FieldDef &f : table.fields) {
        QString type;
        switch (f.type) {
        case data::FieldType::Text:
            type = QStringLiteral("T%1").arg(f.size);
            break;
        case data::FieldType::Float:
            type = "F";
            break;
        case data::FieldType::Short:
            type = "S";
            break;
        case data::FieldType::Long:
            type = "L";
            break;
        case data::FieldType::Money:
            type = "M";
            break;
        case data::FieldType::Date:
            type = "D";
            break;
        case data::FieldType::Logical:
            type = "B";
            break;
        case data::FieldType::AutoIncrement:
            type = "A";
            break;
        case data::FieldType::Memo:
            type = "O";
            break;
        }
        parts += f.name + u':' + type + (f.required ? "!" : "");
    }
    return parts.join(u' ');
}
