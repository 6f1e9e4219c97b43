#pragma once

#include "data/store/StoreError.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace data {
class Database;
}

// What a report asks before it is laid out, and the answers: the options dialog builds its
// fields from the parameters, the command line sets each "--param name=value" against them,
// and the report's build() reads the answers with typed getters.
namespace reports {

enum class ParamKind
{
    Text,
    Integer,
    Date,   // dd/mm/yyyy; an empty default means today
    Month,  // 1 to 12; an empty default means the current month
    Flag,   // "S" or "N"
    Choice, // one of the choices' values
};

struct ParamChoice
{
    QString value;   // what the report reads ("1G1A")
    QString caption; // what the dialog lists ("1G1A - 1ª SÉRIE A")
};

struct ReportParam
{
    QString name;  // for the command line: --param name=value
    QString label; // the dialog's Portuguese label ("Defina a Turma ")
    ParamKind kind = ParamKind::Text;
    QString defaultValue; // as a person types it; see the kinds for an empty one
    QList<ParamChoice> choices;
    // Choices read from the school year when the dialog or the command line needs them (the
    // classes of Tabturma, say); they come after the fixed ones.
    std::function<QList<ParamChoice>(const data::Database &db)> choicesFrom;

    QList<ParamChoice> choicesIn(const data::Database &db) const;
};

// A value that does not fit its parameter, or a parameter the report does not have.
class ReportParamError : public data::StoreError
{
public:
    using StoreError::StoreError;
};

// The answers to a report's parameters, each held as text in the parameter's own form.
class ReportValues
{
public:
    ReportValues() = default;
    // Every parameter at its default.
    explicit ReportValues(QList<ReportParam> params);

    // Sets one answer, checked and kept in the parameter's own form: a number as digits, a date
    // as dd/mm/yyyy, a month as 1 to 12 (a month's name is read too), a flag as "S" or "N", a
    // choice as its value. Throws ReportParamError.
    void set(const QString &name, const QString &text, const data::Database &db);

    const QList<ReportParam> &params() const { return m_params; }
    QString text(const QString &name) const;
    qint64 integer(const QString &name) const;
    QDate date(const QString &name) const;
    int month(const QString &name) const;
    bool flag(const QString &name) const;

private:
    const ReportParam &param(const QString &name) const;

    QList<ReportParam> m_params;
    QHash<QString, QString> m_values;
};

// How the help and the dialog describe what a parameter takes ("data dd/mm/aaaa").
QString describeKind(const ReportParam &param);

} // namespace reports
