#pragma once

namespace data {
class Dataset;
}

// "Copie os dados já digitados para:" with "&Copiar": the father's or the mother's details
// become the financially responsible person's.
namespace students {

enum class ResponsibleSource { Pai, Mae, Nenhum };

// Name, profession, workplace, CPF, RG, religion and work phone (into the home phone).
// Nothing for Nenhum. The dataset must be editing.
void copyIntoResponsible(data::Dataset &alunos, ResponsibleSource source);

} // namespace students
