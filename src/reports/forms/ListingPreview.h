#pragma once

#include "reports/TableListings.h"

class QWidget;

namespace reports {

// The main window's commands "&h. Disciplinas", "&i. Turmas e Valor da Mensalidade" and
// "&j. Disciplinas por Turma": lays the listing out from the open school year (the "Quorvel"
// database and the school settings) and shows it in the preview. A store failure is shown
// as the store's message.
void showListing(Listing listing, QWidget *parent);

} // namespace reports
