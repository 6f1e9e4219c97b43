#include "reports/cards/ReportCards.h"

#include "reports/DatasetSource.h"
#include "reports/cards/CardRows.h"
#include "reports/cards/ClassificationLists.h"
#include "reports/cards/TableBoundCard.h"
#include "reports/cards/UnitMarksCard.h"
#include "reports/cards/TfrmqrBoletim.h"

#include "core/Dialogs.h"
#include "data/maintenance/AcademicStartup.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Query.h"
#include "grades/Ranking.h"

namespace reports {

bool refreshRankingForCards(const data::Database &db, core::RunReporter &reporter)
{
    core::dialogs().show({QStringLiteral("Certifique-se de atualizar o arquivo\rde Classificação de Desempenho "
                                         "antes de imprimir\ros Boletins!"),
                          QStringLiteral("Atenção"), core::Icon::Warning, core::Button::Ok});
    return grades::rankStudents(db, reporter) != core::RunOutcome::Failed;
}

Document reportCards(const data::Database &db, const SchoolInfo &school, const CardOptions &options)
{
    data::Settings settings;
    data::loadSettings(db, settings);
    const CardContext context{options, CardRules::fromSettings(settings), school,
                              data::photosDirFor(db.directory())};
    const CardMember member = chooseCardMember(options.photo, context.rules.assessedUnits);
    const TfrmqrBoletim card(member, context);
    const std::unique_ptr<data::Query> rows = openCardRows(db, member, options);
    DatasetSource source(*rows);
    return card.print(source);
}

QList<ReportEntry> academicReports()
{
    ReportEntry cards;
    cards.name = QStringLiteral("boletim");
    cards.menuEntry = QStringLiteral("mnuBoletimResumo");
    cards.params = cardParams();
    cards.dialogCaption = QStringLiteral("Defina ");
    cards.askAgain = true;
    cards.prepare = refreshRankingForCards;
    cards.build = [](const ReportInput &input) {
        return reportCards(input.db, input.school, cardOptions(input.values));
    };
    return QList<ReportEntry>{cards, unitMarksCardEntry(), tableBoundCardEntry()} + classificationReports();
}

} // namespace reports
