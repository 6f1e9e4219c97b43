#include "billing/booklets/BookletSlip.h"

#include "core/Formats.h"

namespace billing {

namespace {

// y of each line in the upper and the lower slip; the lower slip is not a plain shift of the
// upper one, the bank's form spaces its lines a little differently.
struct Line
{
    double upper;
    double lower;
    double at(BookletSlot slot) const { return slot == BookletSlot::Upper ? upper : lower; }
};

constexpr Line kDue{3, 104};
constexpr Line kHeading{17, 118};
constexpr Line kValue{23, 123};
constexpr Line kDiscount{29, 129};
constexpr Line kAdditions{48, 148};
constexpr Line kReais{29, 130};
constexpr Line kFine{35, 136};
constexpr Line kInterest{39, 141};
constexpr Line kMessage1{44, 145};
constexpr Line kMessage2{48, 149};
constexpr Line kStudent{54, 154};
constexpr Line kResponsible{63, 164};
constexpr Line kAddress{68, 169};

} // namespace

QList<BookletText> bookletTexts(const BookletSlip &slip, const BookletTextChoices &choices, BookletSlot slot)
{
    QList<BookletText> texts;
    const auto left = [&](double x, const Line &line, const QString &text, bool italic = false) {
        texts.append({x, line.at(slot), false, italic, text});
    };
    const auto right = [&](double x, const Line &line, const QString &text) {
        texts.append({x, line.at(slot), true, false, text});
    };
    const QString number = QString::number(slip.matricula);
    left(132, kDue, core::formatDate(slip.due));
    left(3, kHeading, core::formatDate(slip.today));
    left(45, kHeading, number);
    left(80, kHeading, QStringLiteral("DS"));
    left(96, kHeading, QStringLiteral("N"));
    right(160, kValue, slip.value.format());
    const bool hasDiscount = slip.discount > core::Money();
    if (hasDiscount && !choices.hideDiscounts)
        right(160, kDiscount, slip.discount.format());
    if (slip.additions > core::Money())
        right(160, kAdditions, slip.additions.format());
    left(3, kReais, QStringLiteral("*** VALORES EXPRESSOS EM REAIS ***"));
    left(3, kFine, QStringLiteral("APÓS O VENCIMENTO APLICAR MULTA DE ") + choices.fineText + u'%');
    left(3, kInterest, QStringLiteral("E JUROS DE MORA DE ") + choices.interestText + QStringLiteral("% POR DIA DE ATRASO"));
    // The first message line shares the discount's part of the form.
    if (!hasDiscount)
        left(3, kMessage1, choices.message1, true);
    left(3, kMessage2, choices.message2, true);
    left(3, kStudent, slip.nome + QStringLiteral("   Matrícula: ") + number + QStringLiteral("      Turma: ") + slip.turma);
    left(3, kResponsible, slip.nomeResp + QStringLiteral("   CPF: ") + slip.cpfResp);
    left(10, kAddress, slip.cep + u' ' + slip.cidade + QStringLiteral(" - ") + slip.estado);
    return texts;
}

} // namespace billing
