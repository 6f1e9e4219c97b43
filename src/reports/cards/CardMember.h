#pragma once

#include <QString>

// The layouts of the report-card family, chosen on OK by the photograph option and the number
// of assessment units of the school.
namespace reports {

enum class CardMember {
    FourUnits,     // "BoletimB"
    Photo,         // "Boletim": four units, photograph and personal data
    TwoUnits,      // "BoletimB2"
    TwoUnitsPhoto, // "BoletimB3"
};

// With the photograph, the card with photograph for four units or more (`Unid_Aval`), else the
// two-unit card with photograph; without it, the four-unit card or the two-unit card.
CardMember chooseCardMember(bool photo, int assessedUnits);

QString cardCaption(CardMember member);
int unitsOf(CardMember member);
bool hasPhoto(CardMember member);

} // namespace reports
