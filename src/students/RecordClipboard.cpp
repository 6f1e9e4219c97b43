#include "students/RecordClipboard.h"

#include "core/Dialogs.h"
#include "data/store/Dataset.h"

namespace students {

namespace {

const QStringList &familyFields()
{
    static const QStringList fields{
        QStringLiteral("NACIONAL"),
        QStringLiteral("NOME_PAI"),    QStringLiteral("ID_PAI"),     QStringLiteral("CPF_PAI"),
        QStringLiteral("PROF_PAI"),    QStringLiteral("LOCTRABPAI"), QStringLiteral("RELIGPAI"),
        QStringLiteral("FONE_COM1"),   QStringLiteral("celular_pai"),
        QStringLiteral("NOME_MAE"),    QStringLiteral("ID_MAE"),     QStringLiteral("CPF_MAE"),
        QStringLiteral("PROF_MAE"),    QStringLiteral("LOCTRABMAE"), QStringLiteral("RELIGMAE"),
        QStringLiteral("FONE_COM2"),   QStringLiteral("celular_mae"),
        QStringLiteral("NOME_RESP"),   QStringLiteral("ID_RESP"),    QStringLiteral("CPF_RESP"),
        QStringLiteral("PROF_RESP"),   QStringLiteral("LOCTRBRESP"), QStringLiteral("RELIGRESP"),
        QStringLiteral("EstadoCivil"), QStringLiteral("FONE_RES"),   QStringLiteral("email_resp"),
        QStringLiteral("celular_resp"),
        QStringLiteral("ENDERECO"),    QStringLiteral("BAIRRO"),     QStringLiteral("CIDADE"),
        QStringLiteral("CEP"),         QStringLiteral("FONE_REC"),
    };
    return fields;
}

} // namespace

const QStringList &RecordClipboard::copiedFields()
{
    static const QStringList fields = QStringList{QStringLiteral("MATRICULA"), QStringLiteral("NOME"),
                                                  QStringLiteral("TURMA"),     QStringLiteral("ESP"),
                                                  QStringLiteral("DATANASC"),  QStringLiteral("SEXO")} +
                                      familyFields();
    return fields;
}

const QStringList &RecordClipboard::pastedFields()
{
    return familyFields();
}

void RecordClipboard::copy(const data::Dataset &alunos)
{
    m_values.clear();
    for (const QString &field : copiedFields())
        m_values.insert(field.toUpper(), alunos.value(field));
}

bool RecordClipboard::paste(data::Dataset &alunos) const
{
    if (!alunos.isEditing()) {
        core::warn(QStringLiteral("O registro deve estar em modo de edição!"));
        return false;
    }
    if (isEmpty())
        return false;
    for (const QString &field : pastedFields())
        alunos.setValue(field, m_values.value(field.toUpper()));
    return true;
}

RecordClipboard &recordClipboard()
{
    static RecordClipboard clipboard;
    return clipboard;
}

} // namespace students
