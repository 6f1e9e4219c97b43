#include "reports/cards/CardMember.h"

namespace reports {

CardMember chooseCardMember(bool photo, int assessedUnits)
{
    const bool four = assessedUnits >= 4;
    if (photo)
        return four ? CardMember::Photo : CardMember::TwoUnitsPhoto;
    return four ? CardMember::FourUnits : CardMember::TwoUnits;
}

QString cardCaption(CardMember member)
{
    switch (member) {
    case CardMember::FourUnits:
        return QStringLiteral("BoletimB");
    case CardMember::Photo:
        return QStringLiteral("Boletim");
    case CardMember::TwoUnits:
        return QStringLiteral("BoletimB2");
    case CardMember::TwoUnitsPhoto:
        return QStringLiteral("BoletimB3");
    }
    return {};
}

int unitsOf(CardMember member)
{
    return member == CardMember::FourUnits || member == CardMember::Photo ? 4 : 2;
}

bool hasPhoto(CardMember member)
{
    return member == CardMember::Photo || member == CardMember::TwoUnitsPhoto;
}

} // namespace reports
