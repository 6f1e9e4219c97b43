#include "data/demo/DemoNames.h"

namespace data::demo {

const QStringList &maleFirstNames()
{
    static const QStringList names = {
        "JOÃO",   "PEDRO",    "LUCAS",  "GABRIEL", "MATHEUS",  "RAFAEL",  "GUSTAVO",   "FELIPE",
        "BRUNO",  "LEONARDO", "THIAGO", "DIEGO",   "VINÍCIUS", "CAIO",    "ARTHUR",    "BERNARDO",
        "DAVI",   "ENZO",     "HEITOR", "MIGUEL",  "SAMUEL",   "JOSÉ",    "ANTÔNIO",   "FRANCISCO",
        "CARLOS", "PAULO",    "MARCOS", "LUIZ",    "FERNANDO", "RICARDO", "EDUARDO",   "RODRIGO",
        "ANDRÉ",  "FÁBIO",    "MÁRCIO", "SÉRGIO",  "ROBERTO",  "JORGE",   "ALEXANDRE", "RENATO",
        "DANIEL", "HENRIQUE", "IGOR",   "OTÁVIO",  "MURILO",   "NICOLAS", "RAUL",      "TOMÁS"};
    return names;
}

const QStringList &femaleFirstNames()
{
    static const QStringList names = {
        "MARIA",    "ANA",      "JÚLIA",   "BEATRIZ",   "LARISSA",  "CAMILA",   "AMANDA",
        "LETÍCIA",  "GABRIELA", "MARIANA", "FERNANDA",  "PATRÍCIA", "ALINE",    "JULIANA",
        "VANESSA",  "BRUNA",    "ISABELA", "LAURA",     "ALICE",    "HELENA",   "VALENTINA",
        "SOFIA",    "MANUELA",  "LÍVIA",   "LUÍSA",     "CECÍLIA",  "CLARA",    "RAQUEL",
        "SANDRA",   "MÁRCIA",   "CLÁUDIA", "SIMONE",    "ADRIANA",  "CRISTINA", "LUCIANA",
        "RENATA",   "TATIANA",  "DÉBORA",  "ROSÂNGELA", "VERA",     "LÚCIA",    "FABIANA",
        "PRISCILA", "GISELE",   "NATÁLIA", "YASMIN",    "LORENA",   "ESTER"};
    return names;
}

const QStringList &surnames()
{
    static const QStringList names = {
        "SILVA",   "SANTOS",     "OLIVEIRA",   "SOUZA",     "RODRIGUES",  "FERREIRA",  "ALVES",
        "PEREIRA", "LIMA",       "GOMES",      "COSTA",     "RIBEIRO",    "MARTINS",   "CARVALHO",
        "ALMEIDA", "LOPES",      "SOARES",     "FERNANDES", "VIEIRA",     "BARBOSA",   "ROCHA",
        "DIAS",    "NASCIMENTO", "ANDRADE",    "MOREIRA",   "NUNES",      "MARQUES",   "MACHADO",
        "MENDES",  "FREITAS",    "CARDOSO",    "RAMOS",     "GONÇALVES",  "SANTANA",   "TEIXEIRA",
        "ARAÚJO",  "PINTO",      "CAVALCANTI", "MONTEIRO",  "MOURA",      "CORREIA",   "BEZERRA",
        "BRANDÃO", "CASTRO",     "CAMPOS",     "D'ÁVILA",   "PACHECO",    "QUEIROZ",   "SAMPAIO",
        "TAVARES", "AZEVEDO",    "MEDEIROS",   "BATISTA",   "FIGUEIREDO", "GUIMARÃES", "LEÃO"};
    return names;
}

const QStringList &streets()
{
    static const QStringList names = {
        "RUA DAS PALMEIRAS",  "AV. SETE DE SETEMBRO",  "RUA CHILE",
        "RUA DO SODRÉ",       "AV. OCEÂNICA",          "RUA DA INDEPENDÊNCIA",
        "TRAV. SÃO BENTO",    "RUA BARÃO DE COTEGIPE", "RUA MARQUÊS DE CARAVELAS",
        "AV. PAULO VI",       "RUA DOS ANDRADAS",      "RUA DAS MANGUEIRAS",
        "RUA ALAGOINHAS",     "RUA RIO GRANDE DO SUL", "AV. CENTENÁRIO",
        "RUA DO CANAL",       "RUA JOÃO DAS BOTAS",    "RUA DOS COQUEIROS",
        "AV. TANCREDO NEVES", "RUA FREI VICENTE",      "RUA DA PAZ",
        "RUA SANTA RITA",     "LADEIRA DA BARRA",      "RUA EWERTON VISCO"};
    return names;
}

const QStringList &districts()
{
    static const QStringList names = {
        "CENTRO", "BARRA",     "ONDINA", "RIO VERMELHO", "PITUBA",    "GRAÇA",
        "NAZARÉ", "BROTAS",    "CANELA", "ITAIGARA",     "IMBUÍ",     "STELLA MARIS",
        "ITAPUÃ", "LIBERDADE", "CABULA", "GARCIA",       "FEDERAÇÃO", "AMARALINA"};
    return names;
}

const QStringList &professions()
{
    static const QStringList names = {
        "COMERCIANTE",   "PROFESSOR",  "ENGENHEIRO",          "MÉDICO",   "ADVOGADO",
        "CONTADOR",      "ENFERMEIRO", "MOTORISTA",           "VENDEDOR", "FUNC. PÚBLICO",
        "ADMINISTRADOR", "DENTISTA",   "ARQUITETO",           "BANCÁRIO", "AUTÔNOMO",
        "ELETRICISTA",   "DO LAR",     "ANALISTA DE SISTEMAS"};
    return names;
}

const QStringList &religions()
{
    static const QStringList names = {"CATÓLICA",   "CATÓLICA", "CATÓLICA", "EVANGÉLICA",
                                      "EVANGÉLICA", "ESPÍRITA", "NENHUMA"};
    return names;
}

const QStringList &workplaces()
{
    static const QStringList names = {
        "HOSPITAL ESPANHOL",    "BANCO DO BRASIL",       "PETROBRAS",
        "PREFEITURA MUNICIPAL", "SHOPPING IGUATEMI",     "TRIBUNAL DE JUSTIÇA",
        "UNIVERSIDADE FEDERAL", "COMÉRCIO PRÓPRIO",      "CLÍNICA SANTA MARIA",
        "CONSTRUTORA NORBERTO", "SECRETARIA DA FAZENDA", "CORREIOS"};
    return names;
}

const QStringList &healthPlans()
{
    static const QStringList names = {"PLANSERV",   "HAPVIDA",   "UNIMED", "BRADESCO SAÚDE",
                                      "SULAMÉRICA", "PROMÉDICA", "CASSI"};
    return names;
}

} // namespace data::demo
