#pragma once

#include "core/Money.h"

#include <QDate>
#include <QList>
#include <QString>

// One slip of a fee booklet on the bank's pre-printed form: what the program writes into the
// blanks of the form, and where. Positions are millimetres from the sheet's top-left corner; the
// form's own text (bank, headings) is already printed on it.
namespace billing {

// The form holds two slips a sheet, one above the other.
enum class BookletSlot { Upper, Lower };

inline constexpr double kBookletPaperWidthMm = 180.0;
inline constexpr double kBookletPaperHeightMm = 203.0;

struct BookletSlip
{
    QDate due;      // ParcelaData
    QDate today;    // the printing day
    qint64 matricula = 0;
    core::Money value;     // ParcelaValor
    core::Money discount;  // DescontoFixo + DescontoEventual
    core::Money additions; // Acrescimos
    QString nome;
    QString turma;
    QString nomeResp;
    QString cpfResp;
    QString cep;
    QString cidade;
    QString estado; // the school's state
};

// What the person chose for every slip of the run.
struct BookletTextChoices
{
    QString fineText = QStringLiteral("2,0");
    QString interestText = QStringLiteral("0,33");
    QString message1;
    QString message2;
    bool hideDiscounts = false;
};

struct BookletText
{
    double xMm = 0;
    double yMm = 0;         // top of the text
    bool rightEdge = false; // x is where the text ends (amounts)
    bool italic = false;
    QString text;
};

// The texts of one slip in the given slot, in the order they are written.
QList<BookletText> bookletTexts(const BookletSlip &slip, const BookletTextChoices &choices, BookletSlot slot);

// "Atenção: o tamanho do papel ..." shown when the booklet path is chosen.
inline const QString kPaperSizeNotice = QStringLiteral(
    "Atenção: o tamanho do papel definido pelo usuário deve ter as seguintes dimensões: largura = 180mm e "
    "comprimento = 203mm");

} // namespace billing
