#pragma once

#include "reports/ReportRegistry.h"
#include "reports/engine/DataSource.h"

#include <QDate>
#include <QImage>

// "COMUNICADO": the letter to the family of each student with monthly fees overdue, listing the
// open instalments, with the school's text of "aviso.txt".
namespace reports {

struct NoticeChoice
{
    QDate before;         // "Somente considerar os carnês anteriores a "
    QString classCode;    // empty: every class
    qint64 matricula = 0; // one student when not 0 (the class is then ignored)
    bool hideValues = false;   // "Não Imprimir Valores Devidos"
    bool noLetterhead = false; // "Não imprima cabeçalho com logotipo ..."
    QStringList text;          // the notice, of which 8 lines print
    QString signatureFile;     // the signature picture; empty for none
};

inline const QString kNoticeFile = QStringLiteral("aviso.txt");
// Of the notice text only this many lines are printed.
inline constexpr int kPrintedNoticeLines = 8;

QStringList defaultNoticeText();
// "aviso.txt" in the program folder, written with the default text when it is missing (never
// over the school's own text); the default when it cannot be read.
QStringList noticeText();
bool saveNoticeText(const QStringList &lines, QString *error = nullptr);

// The signature picture, kept in the program folder once it is loaded so that the next notices
// print it without asking again.
inline const QString kSignatureFile = QStringLiteral("assinatura.png");
// The kept picture's path; empty when none was kept.
QString keptSignature();
// False (with the reason) when the picture cannot be written.
bool keepSignature(const QImage &picture, QString *error = nullptr);

// The overdue monthly fees: due before the date and not paid, of a class or a student, by class,
// name and due date. Fields MATRICULA, NOME, TURMA, PARCELA, VENCIMENTO, DOCUMENTO, VALOR (the
// instalment's final value), RESPONSAVEL and SIT. Throws StoreError.
RecordList openInstalments(const data::Database &db, const NoticeChoice &choice);

// One letter (a page or more) per student. Throws StoreError.
Document noticeLetters(const data::Database &db, const SchoolInfo &school, const NoticeChoice &choice);

// The answers of "aviso" and back.
NoticeChoice noticeChoice(const ReportValues &values);

// "aviso" ("Aviso de Inadimplência"): --date, --class or --student, --no-values,
// --no-letterhead, --signature FILE (the kept picture when not given), and the text (aviso.txt
// when empty).
ReportEntry noticeEntry();

} // namespace reports
