#include "students/ResponsibleCopy.h"

#include "data/store/Dataset.h"

#include <array>

namespace students {

void copyIntoResponsible(data::Dataset &alunos, ResponsibleSource source)
{
    if (source == ResponsibleSource::Nenhum)
        return;
    static constexpr std::array<const char *, 7> responsible{"NOME_RESP", "PROF_RESP", "LOCTRBRESP", "CPF_RESP",
                                                             "ID_RESP",   "RELIGRESP", "FONE_RES"};
    static constexpr std::array<const char *, 7> father{"NOME_PAI", "PROF_PAI", "LOCTRABPAI", "CPF_PAI",
                                                        "ID_PAI",   "RELIGPAI", "FONE_COM1"};
    static constexpr std::array<const char *, 7> mother{"NOME_MAE", "PROF_MAE", "LOCTRABMAE", "CPF_MAE",
                                                        "ID_MAE",   "RELIGMAE", "FONE_COM2"};
    const auto &from = source == ResponsibleSource::Pai ? father : mother;
    for (std::size_t i = 0; i < responsible.size(); ++i)
        alunos.setValue(responsible[i], alunos.value(from[i]));
}

} // namespace students
