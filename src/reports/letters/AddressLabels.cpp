#include "reports/letters/AddressLabels.h"

#include "reports/DatasetSource.h"
#include "reports/engine/Layout.h"
#include "reports/engine/TextMetrics.h"
#include "reports/cards/CardHeading.h"
#include "reports/letters/LetterParams.h"

#include "data/store/Query.h"
#include "data/store/SqlDialect.h"

#include <algorithm>

namespace reports {

namespace {

constexpr Tenths kPaperWidth = 2100;
constexpr Tenths kPaperHeight = 2970;
constexpr Tenths kLabelHeight = 381;
constexpr Tenths kTopMargin = 151;
constexpr Tenths kColumnGap = 25;
constexpr Tenths kBottomClearance = 50; // below the last row, where printers cannot print anyway
constexpr int kMaxAdjustmentMm = 30;

// Inside a label: a margin at the sides and at the top, then six lines.
constexpr Tenths kSideMargin = 30;
constexpr Tenths kTopPadding = 40;
constexpr Tenths kLinePitch = 42;

const QStringList &situationWords()
{
    static const QStringList words{QStringLiteral("ativos"),   QStringLiteral("todos"),
                                   QStringLiteral("desistentes"), QStringLiteral("transferidos"),
                                   QStringLiteral("desconto"), QStringLiteral("bolsistas")};
    return words;
}

QString text(const PrintContext &context, const char *field)
{
    return context.value(QString::fromLatin1(field)).toString().trimmed();
}

// A long name or address is printed smaller rather than run into the next label.
void fitWidth(ElementLook &look, Tenths width)
{
    constexpr double kSmallest = 6;
    while (look.font.size > kSmallest && textWidth(look.font, look.text) > width)
        look.font.size -= 0.5;
}

Report labelReport(const LabelSheet &sheet, const LabelSettings &settings)
{
    Report report;
    report.title = QStringLiteral("Etiquetas de Endereços");
    report.page.paper = Paper::A4;
    const Tenths span = sheet.columns * sheet.first.width() + (sheet.columns - 1) * (sheet.columnPitch - sheet.first.width());
    report.page.margins = QMargins(sheet.first.x(), sheet.first.y(), std::max(0, kPaperWidth - sheet.first.x() - span),
                                   kPaperHeight - sheet.first.y() - sheet.rows * sheet.rowPitch);
    report.detailColumns = {sheet.columns, sheet.first.width(), sheet.columnPitch - sheet.first.width()};

    Band &label = report.detail;
    label.height = sheet.rowPitch;
    if (settings.border)
        label.frame({0, 0, sheet.first.width(), sheet.first.height()}).pen(QColor::fromRgb(kLabelBorderColour), 2);
    const Tenths width = sheet.first.width() - 2 * kSideMargin;
    using LineText = std::function<QString(const PrintContext &)>;
    const auto line = [&label, width](int index, double points, const LineText &lineText) -> Element & {
        return label.label(QString(), {kSideMargin, kTopPadding + index * kLinePitch, width, kLinePitch - 2})
            .sized(points)
            .onPrint([width, lineText](ElementLook &look, const PrintContext &c) {
                look.text = lineText(c);
                fitWidth(look, width);
            });
    };
    line(0, 8, [](const PrintContext &c) { return text(c, "NOME"); }).bold();
    line(1, 8, [](const PrintContext &c) { return text(c, "ENDERECO"); });
    line(2, 8, [](const PrintContext &c) { return text(c, "BAIRRO"); });
    line(3, 8, [](const PrintContext &c) {
        const QString cep = text(c, "CEP");
        return cep.isEmpty() ? text(c, "CIDADE") : QStringLiteral("CEP ") + cep + QStringLiteral("  ") + text(c, "CIDADE");
    });
    line(4, 7, [](const PrintContext &c) {
        return QStringLiteral("Turma: ") + text(c, "TURMA") + QStringLiteral("   Matrícula: ") +
               enrolmentText(c.value(QStringLiteral("MATRICULA")));
    });
    line(5, 7, [](const PrintContext &c) {
        const QString responsible = text(c, "NOME_RESP");
        return responsible.isEmpty() ? QString() : QStringLiteral("Resp.: ") + responsible;
    });
    return report;
}

} // namespace

std::optional<LabelSheet> labelSheet(const LabelSettings &settings)
{
    if (settings.columns != 2 && settings.columns != 3)
        return std::nullopt;
    if (settings.extraMarginMm < 0 || settings.extraMarginMm > kMaxAdjustmentMm || settings.spacingMm < 0 ||
        settings.spacingMm > kMaxAdjustmentMm)
        return std::nullopt;
    LabelSheet sheet;
    sheet.columns = settings.columns;
    // 63,5 mm labels from 7,2 mm; 99,1 mm labels from 4,7 mm; 2,5 mm between columns.
    const Tenths width = settings.columns == 3 ? 635 : 991;
    const Tenths left = (settings.columns == 3 ? 72 : 47) + settings.extraMarginMm * 10;
    sheet.first = QRect(left, kTopMargin, width, kLabelHeight);
    sheet.columnPitch = width + kColumnGap;
    sheet.rowPitch = kLabelHeight + settings.spacingMm * 10;
    sheet.rows = (kPaperHeight - kTopMargin - kBottomClearance) / sheet.rowPitch;
    return sheet;
}

bool parseSituation(const QString &text, LabelSelection &selection)
{
    const QString word = text.trimmed().toLower();
    const qsizetype index = situationWords().indexOf(word);
    if (index >= 0) {
        selection.situation = SituationChoice(index);
        selection.situationCode.clear();
        return true;
    }
    if (word.isEmpty() || word.size() > 2)
        return false;
    selection.situation = SituationChoice::Equal;
    selection.situationCode = text.trimmed().toUpper();
    return true;
}

QString situationWord(SituationChoice choice, const QString &code)
{
    if (choice == SituationChoice::Equal)
        return code;
    return situationWords().value(int(choice));
}

Document addressLabels(const data::Database &db, const LabelSelection &selection, const LabelSettings &settings)
{
    const std::optional<LabelSheet> sheet = labelSheet(settings);
    if (!sheet) {
        throw ReportParamError(QStringLiteral("Etiquetas: use 2 ou 3 colunas, e margem e espaço de 0 a %1 mm.")
                                   .arg(kMaxAdjustmentMm));
    }
    const StudentFilter filter = studentFilter(selection.situation, selection.situationCode, selection.classCode);
    const data::SqlDialect &sql = db.dialect();
    QString statement = QStringLiteral("select MATRICULA, NOME, TURMA, ENDERECO, BAIRRO, CIDADE, CEP, NOME_RESP "
                                       "from ALUNOS where (") +
                        filter.condition + u')';
    if (selection.birthMonth > 0) {
        statement += QStringLiteral(" and (%1 = :mes) order by TURMA, %2, NOME, MATRICULA")
                         .arg(sql.month(QStringLiteral("DATANASC")), sql.day(QStringLiteral("DATANASC")));
    } else {
        statement += QStringLiteral(" order by TURMA, NOME, MATRICULA");
    }
    data::Query query(db);
    query.setSql(statement);
    for (auto it = filter.params.constBegin(); it != filter.params.constEnd(); ++it)
        query.bind(it.key(), it.value());
    if (selection.birthMonth > 0)
        query.bind(QStringLiteral("mes"), selection.birthMonth);
    query.open();
    DatasetSource rows(query);
    return layout(labelReport(*sheet, settings), rows);
}

QList<ReportParam> labelSettingParams()
{
    return {{QStringLiteral("columns"), QStringLiteral("Colunas"), ParamKind::Integer, QStringLiteral("3")},
            {QStringLiteral("margin"), QStringLiteral("Aumentar a margem esquerda em (mm)"), ParamKind::Integer,
             QStringLiteral("0")},
            {QStringLiteral("spacing"), QStringLiteral("Alterar o espaço entre etiquetas (mm)"), ParamKind::Integer,
             QStringLiteral("0")},
            {QStringLiteral("border"), QStringLiteral("Imprima Borda em cada etiqueta"), ParamKind::Flag}};
}

LabelSettings labelSettings(const ReportValues &values)
{
    return {int(values.integer(QStringLiteral("columns"))), int(values.integer(QStringLiteral("margin"))),
            int(values.integer(QStringLiteral("spacing"))), values.flag(QStringLiteral("border"))};
}

void setLabelSettings(ReportValues &values, const LabelSettings &settings, const data::Database &db)
{
    values.set(QStringLiteral("columns"), QString::number(settings.columns), db);
    values.set(QStringLiteral("margin"), QString::number(settings.extraMarginMm), db);
    values.set(QStringLiteral("spacing"), QString::number(settings.spacingMm), db);
    values.set(QStringLiteral("border"), settings.border ? QStringLiteral("S") : QStringLiteral("N"), db);
}

QList<ReportEntry> labelEntries()
{
    const auto build = [](const ReportInput &input) {
        LabelSelection selection;
        if (!parseSituation(input.values.text(QStringLiteral("situation")), selection)) {
            throw ReportParamError(QStringLiteral("Situação desconhecida: \"%1\" (ativos, todos, desistentes, "
                                                  "transferidos, desconto, bolsistas ou o código da situação).")
                                       .arg(input.values.text(QStringLiteral("situation"))));
        }
        selection.classCode = input.values.text(QStringLiteral("class"));
        selection.birthMonth = int(input.values.integer(QStringLiteral("birth-month")));
        if (selection.birthMonth < 0 || selection.birthMonth > 12)
            throw ReportParamError(QStringLiteral("Mês de aniversário inválido: %1.").arg(selection.birthMonth));
        return addressLabels(input.db, selection, labelSettings(input.values));
    };
    const ReportParam situation{QStringLiteral("situation"), QStringLiteral("Situação"), ParamKind::Text,
                                QStringLiteral("ativos")};

    ReportEntry bySituation;
    bySituation.name = QStringLiteral("etiquetas");
    bySituation.menuEntry = QStringLiteral("mnuEtqSituacao");
    bySituation.params = QList<ReportParam>{classParam(), situation,
                                            {QStringLiteral("birth-month"),
                                             QStringLiteral("Aniversariantes do mês (0: todos)"),
                                             ParamKind::Integer, QStringLiteral("0")}} +
                         labelSettingParams();
    bySituation.dialogCaption = QStringLiteral("Defina a Turma  e a Situação");
    bySituation.askAgain = true;
    bySituation.build = build;

    ReportEntry byBirthday = bySituation;
    byBirthday.name = QStringLiteral("etiquetas-aniversariantes");
    byBirthday.menuEntry = QStringLiteral("mnuEtqAniversariantes");
    byBirthday.params[2] = {QStringLiteral("birth-month"), QStringLiteral("Com Aniversário no Mês de "),
                            ParamKind::Month};
    byBirthday.dialogCaption = QStringLiteral("Defina o Mês e a Turma");
    return {bySituation, byBirthday};
}

} // namespace reports
