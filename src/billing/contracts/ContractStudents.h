#pragma once

#include "billing/contracts/ContractModel.h"
#include "core/Money.h"

#include <QDate>
#include <QList>
#include <QString>

namespace data {
class Database;
struct Settings;
} // namespace data

// The students who get a contract and what their contract says of them.
namespace billing {

struct ContractSelection
{
    enum class Kind { All, Class, Students };
    Kind kind = Kind::All;
    QString classCode;     // Class
    QList<qint64> numbers; // Students
};

// What one contract fills in from the register and the student's class.
struct ContractStudent
{
    qint64 matricula = 0;
    QString nome;
    QString turma;
    QDate dataNasc;
    QString nomePai;
    QString nomeMae;
    QString nomeResp;
    QString idResp;
    QString cpfResp;
    QString profResp;
    QString estadoCivil;
    QString endereco;
    QString bairro;
    QString cidade;
    QString classDescription; // DESCRICAO of the class
    core::Money monthlyFee;   // Valor_Mensalidade of the class
};

// Students who left or transferred never get a contract; the rest of the selection, in class
// and name order.
QList<ContractStudent> selectContractStudents(const data::Database &db,
                                              const ContractSelection &selection);

// Every placeholder of one contract with its plain text, in filling order.
QList<Placeholder> contractValues(const ContractStudent &student, const data::Settings &settings,
                                  const QDate &today);

} // namespace billing
