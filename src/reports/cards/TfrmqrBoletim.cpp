#include "reports/cards/TfrmqrBoletim.h"

#include "reports/cards/CardHeading.h"
#include "reports/engine/Layout.h"

#include "core/Formats.h"

#include <QDir>

namespace reports {

namespace {

constexpr Tenths kRowHeight = 50;
constexpr Tenths kCaptionHeight = 70;
constexpr double kCellPoints = 8;

CardStudent studentOf(const PrintContext &context)
{
    return {context.value(QStringLiteral("TURMA")).toString(), context.value(QStringLiteral("SEXO")).toString(),
            context.value(QStringLiteral("SIT")).toString(), context.value(QStringLiteral("DATASIT")).toDate(),
            context.value(QStringLiteral("OBSSIT")).toString()};
}

} // namespace

TfrmqrBoletim::TfrmqrBoletim(CardMember member, const CardContext &context)
    : m_member(member), m_context(context), m_state(std::make_shared<CardState>())
{
    m_report.title = cardCaption(member);
    m_report.page.paper = Paper::A4;
    buildColumns();
    buildHeader();
    buildDetail();
    buildFooter();
    addFooterLine(m_report, m_context.school.footer);
}

Document TfrmqrBoletim::print(DataSource &rows) const
{
    m_state->clear();
    return layout(m_report, rows);
}

void TfrmqrBoletim::buildColumns()
{
    const int units = unitsOf(m_member);
    const bool four = units == 4;
    const Tenths markWidth = four ? 140 : 150;
    const Tenths absenceWidth = 90;
    m_subjectWidth = four ? 520 : 560;
    Tenths x = m_subjectWidth;
    const auto add = [&](Column column, Tenths width) {
        column.x = x;
        column.width = width;
        x += width;
        m_columns.append(column);
    };
    const QString faltas = QStringLiteral("Faltas");
    for (int unit = 1; unit <= units; ++unit) {
        const Tenths start = x;
        add({Column::Kind::Mark, unitCaption(m_context.rules.termUnit, unit), QStringLiteral("UND%1").arg(unit),
             MarkColumn::Unit, unit},
            markWidth);
        add({Column::Kind::Absence, faltas, QStringLiteral("FLT%1").arg(unit), MarkColumn::Plain, unit},
            absenceWidth);
        m_gridBlocks.append({start, 0, x - start, kRowHeight});
    }
    Tenths start = x;
    add({Column::Kind::Mark, QStringLiteral("Média"), QStringLiteral("MD_ANUAL"), MarkColumn::AnnualAverage,
         kAnnualUnit},
        four ? 115 : 120);
    add({Column::Kind::TotalAbsence, faltas, QStringLiteral("FALTAS")}, four ? 85 : 90);
    add({Column::Kind::Mark, QStringLiteral("P.Final"), QStringLiteral("PFINAL"), MarkColumn::FinalExam},
        four ? 115 : 120);
    add({Column::Kind::Mark, QStringLiteral("Md.Final"), QStringLiteral("MD_FINAL"), MarkColumn::FinalAverage},
        130);
    m_gridBlocks.append({start, 0, x - start, kRowHeight});
    if (four)
        return;
    start = x;
    const bool termed = m_member == CardMember::TwoUnitsPhoto;
    const QString recovery = m_context.rules.termRecovery;
    add({Column::Kind::Mark, termed ? recovery + QStringLiteral(" Final") : QStringLiteral("Recup.Final"),
         QStringLiteral("RECUP"), MarkColumn::Recovery},
        160);
    add({Column::Kind::Mark,
         termed ? QStringLiteral("Md. ") + recovery + QStringLiteral(" Final") : QStringLiteral("Md.Recup.Final"),
         QStringLiteral("MD_RECUP"), MarkColumn::RecoveryAverage},
        220);
    m_gridBlocks.append({start, 0, x - start, kRowHeight});
}

const TfrmqrBoletim::Column *TfrmqrBoletim::columnFor(const QString &field) const
{
    for (const Column &column : m_columns) {
        if (column.field == field)
            return &column;
    }
    return nullptr;
}

void TfrmqrBoletim::buildHeader()
{
    Band &header = m_report.pageHeader;
    if (hasPhoto(m_member))
        buildPersonalHeader(header);
    else
        buildSchoolHeader(header);

    Group &student = m_report.addGroup(QStringLiteral("MATRICULA"), true);
    buildCaptions(student.header, 0);
    buildPositions(student.header, kCaptionHeight);
    student.header.height = kCaptionHeight + kRowHeight;
}

void TfrmqrBoletim::buildSchoolHeader(Band &band)
{
    band.height = addStudentHeading(band, m_context.school, QStringLiteral("BOLETIM"), m_report.page.contentWidth());
}

void TfrmqrBoletim::buildPersonalHeader(Band &band)
{
    const Tenths width = m_report.page.contentWidth();
    addLogo(band, {0, 0, 220, 180});
    band.label(m_context.school.name, {250, 10, 1100, 60}).withFont(font(12, true));
    band.label(QStringLiteral("BOLETIM"), {250, 90, 800, 80}).withFont(font(18, true));
    band.system(SystemData::DateTime, {width - 500, 0, 500, 40}).aligned(Align::Right).sized(8);
    band.system(SystemData::PageNumber, {width - 500, 45, 500, 40}, QStringLiteral("Página  "))
        .aligned(Align::Right)
        .sized(8);

    const Tenths photoLeft = width - 300;
    band.frame({photoLeft, 100, 300, 380}).named(QStringLiteral("qrFotoMoldura"));
    const QString photosDir = m_context.photosDir;
    band.image(QString(), {photoLeft + 10, 110, 280, 360})
        .named(QStringLiteral("qrFoto"))
        .onPrint([photosDir](ElementLook &look, const PrintContext &context) {
            look.imageFile = QDir(photosDir).filePath(enrolmentText(context.value(QStringLiteral("MATRICULA"))) +
                                                      QStringLiteral(".bmp"));
        });

    band.label(QStringLiteral("TURMA:"), {0, 200, 200, 45}).withFont(font(10, true));
    band.label(QString(), {200, 200, photoLeft - 220, 45})
        .named(QStringLiteral("qrTurma"))
        .withFont(font(10))
        .onPrint([](ElementLook &look, const PrintContext &context) {
            look.text = context.value(QStringLiteral("TURMA")).toString() + u' ' +
                        context.value(QStringLiteral("turma_desc")).toString();
        });
    band.label(QStringLiteral("Dados Pessoais"), {0, 260, 600, 45}).withFont(font(10, true));
    // Caption over value, in rows of the personal-data block.
    struct Item
    {
        const char *caption;
        const char *field;
        Tenths x, y, width;
    };
    const Item items[] = {
        {"Matrícula", "MATRICULA", 0, 310, 250},       {"Nome", "NOME", 270, 310, photoLeft - 290},
        {"Data de Nascimento", "DATANASC", 0, 400, 350}, {"Sexo", "SEXO", 370, 400, 150},
        {"Naturalidade", "NACIONAL", 540, 400, 500},    {"Endereço", "ENDERECO", 0, 490, photoLeft - 20},
        {"Bairro", "BAIRRO", 0, 580, 500},              {"Município", "CIDADE", 520, 580, 500},
        {"CEP", "CEP", 1040, 580, 250},
    };
    for (const Item &item : items) {
        band.label(QString::fromUtf8(item.caption), {item.x, item.y, item.width, 35}).withFont(font(7));
        Element &value = band.label(QString(), {item.x, item.y + 35, item.width, 45}).withFont(font(10, true));
        const QString field = QString::fromLatin1(item.field);
        value.onPrint([field](ElementLook &look, const PrintContext &context) {
            const QVariant v = context.value(field);
            if (field == u"MATRICULA")
                look.text = enrolmentText(v);
            else if (v.typeId() == QMetaType::QDate)
                look.text = core::formatDate(v.toDate());
            else
                look.text = v.toString();
        });
    }
    band.line({0, 680, width, 0}).pen(Qt::black, 4);
    band.height = 700;
}

void TfrmqrBoletim::buildCaptions(Band &band, Tenths top)
{
    const bool hideAbsences = fourUnitCard() && m_context.options.hideAbsences;
    band.label(QStringLiteral("Disciplinas"), {0, top + 15, m_subjectWidth, 45}).withFont(font(9, true));
    for (const Column &column : m_columns) {
        if (column.kind != Column::Kind::Mark && hideAbsences)
            continue;
        band.label(column.caption, {column.x, top + 15, column.width, 45})
            .aligned(Align::Center)
            .withFont(font(7, true));
    }
    band.line({0, top + kCaptionHeight - 5, m_report.page.contentWidth(), 0});
}

void TfrmqrBoletim::buildPositions(Band &band, Tenths top)
{
    const CardOptions options = m_context.options;
    band.label(options.positions ? QStringLiteral("Classificação") : QString(), {0, top + 5, m_subjectWidth, 45})
        .named(QStringLiteral("qrlClassificacao"))
        .withFont(font(8, true));
    // The card with photograph prints the first unit's place without the positions option.
    const bool firstUnitFree = m_member == CardMember::Photo;
    for (const Column &column : m_columns) {
        if (column.kind != Column::Kind::Mark || column.unit == 0)
            continue;
        const int unit = column.unit;
        const QString placeField = unit == kAnnualUnit ? QStringLiteral("Postotal") : QStringLiteral("Pos%1").arg(unit);
        const QString markField = column.field;
        const bool needsOption = !(firstUnitFree && unit == 1);
        band.label(QString(), {column.x, top + 5, column.width + 90, 45})
            .named(QStringLiteral("qrPos%1").arg(unit))
            .aligned(Align::Left)
            .withFont(font(7, true))
            .onPrint([=](ElementLook &look, const PrintContext &context) {
                look.text = positionText(context.value(placeField), unit, !context.value(markField).isNull(),
                                         options, needsOption);
            });
    }
}

void TfrmqrBoletim::addMarkCell(Band &band, const Column &column)
{
    const std::shared_ptr<CardState> state = m_state;
    const PassMarks passMarks = m_context.rules.passMarks;
    const bool four = fourUnitCard();
    // The four-unit card prints the year's marks (average, final exam, final average) only with
    // the final result; they still count the failed subjects for the partial result.
    const bool blank = four && (column.unit == 0 || column.unit == kAnnualUnit) &&
                       m_context.options.result != CardResult::Final;
    const Column c = column;
    band.field(column.field, {column.x, 0, column.width, kRowHeight}, QStringLiteral("0.0"))
        .aligned(Align::Center)
        .sized(kCellPoints)
        .onPrint([=](ElementLook &look, const PrintContext &context) {
            MarkCellInput input;
            input.value = numberOf(context.value(c.field));
            input.column = c.markColumn;
            input.subjectType = context.value(QStringLiteral("TIPO")).toString();
            input.passMarks = passMarks;
            input.finalExam = numberOf(context.value(QStringLiteral("PFINAL")));
            input.recovery = numberOf(context.value(QStringLiteral("RECUP")));
            const MarkCell cell = markCell(input);
            printMarkCell(look, cell);
            if (four && cell.setsUnitFlag && c.unit >= 1 && c.unit <= 4)
                state->unitBelowPass.at(std::size_t(c.unit - 1)) = true;
            if (cell.countsFailed)
                ++state->failedSubjects;
            if (blank)
                look.text.clear();
        });
}

void TfrmqrBoletim::addAbsenceCell(Band &band, const Column &column)
{
    const bool four = fourUnitCard();
    const bool hidden = four ? m_context.options.hideAbsences
                             : column.kind == Column::Kind::TotalAbsence && m_context.options.partialResult();
    // The cards with photograph add the units' absences up themselves.
    const bool computed = column.kind == Column::Kind::TotalAbsence && hasPhoto(m_member);
    band.field(column.field, {column.x, 0, column.width, kRowHeight})
        .aligned(Align::Center)
        .sized(kCellPoints)
        .onPrint([hidden, computed](ElementLook &look, const PrintContext &context) {
            if (hidden) {
                look.visible = false;
                return;
            }
            if (!computed)
                return;
            int total = 0;
            bool any = false;
            for (int unit = 1; unit <= 4; ++unit) {
                const QVariant value = context.value(QStringLiteral("FLT%1").arg(unit));
                if (!value.isNull()) {
                    total += value.toInt();
                    any = true;
                }
            }
            look.text = any ? QString::number(total) : QString();
        });
}

void TfrmqrBoletim::buildDetail()
{
    Band &detail = m_report.detail;
    detail.height = kRowHeight;
    addSubjectLabel(detail, m_subjectWidth, kRowHeight, kCellPoints, QStringLiteral("TurmaNota"));
    for (const Column &column : m_columns) {
        if (column.kind == Column::Kind::Mark)
            addMarkCell(detail, column);
        else
            addAbsenceCell(detail, column);
    }
    const QColor grid = m_context.options.noGrid ? QColor(Qt::white) : QColor(Qt::black);
    for (int i = 0; i < m_gridBlocks.size(); ++i)
        detail.frame(m_gridBlocks.at(i)).named(QStringLiteral("qrShape%1").arg(i + 1)).pen(grid, 2);
    detail.line({0, kRowHeight, m_subjectWidth, 0}).pen(QColor(0x99, 0x99, 0x99), 1);
}

void TfrmqrBoletim::buildFooter()
{
    Band &footer = m_report.groups().front().footer;
    const CardOptions options = m_context.options;
    const Tenths width = m_report.page.contentWidth();
    Tenths y = 10;

    footer.label(options.positions ? QStringLiteral("Média Geral") : QString(), {0, y, m_subjectWidth, 45})
        .named(QStringLiteral("qrlMediaGeral"))
        .withFont(font(8, true));
    for (const Column &column : m_columns) {
        if (column.kind != Column::Kind::Mark || column.unit == 0)
            continue;
        const QString points =
            column.unit == kAnnualUnit ? QStringLiteral("PONTOST") : QStringLiteral("PONTOS%1").arg(column.unit);
        footer.label(QString(), {column.x, y, column.width, 45})
            .named(QStringLiteral("qrPontos%1").arg(column.unit))
            .aligned(Align::Center)
            .withFont(font(kCellPoints, true))
            .onPrint([points, options](ElementLook &look, const PrintContext &context) {
                look.text = generalAverageText(context.value(points), options);
            });
    }
    y += 70;

    const std::shared_ptr<CardState> state = m_state;
    const int dependencyLimit = m_context.rules.dependencyLimit;
    const bool four = fourUnitCard();
    footer.label(QString(), {0, y, width, 55})
        .named(QStringLiteral("qrResultado"))
        .withFont(font(10, true))
        .onPrint([=](ElementLook &look, const PrintContext &context) {
            const CardStudent student = studentOf(context);
            look.text = four ? fourUnitResultLine(options, *state, student, dependencyLimit)
                             : otherResultLine(options, *state, student, dependencyLimit);
            state->clear();
        });
    y += 65;
    if (four) {
        footer.label(QString(), {0, y, width, 45})
            .named(QStringLiteral("qrLei"))
            .withFont(font(8, false, true))
            .onPrint([options](ElementLook &look, const PrintContext &context) {
                look.text = lawText(context.value(QStringLiteral("TURMA")).toString(), options);
            });
        y += 55;
    }
    for (const QString &message : {options.message1, options.message2}) {
        footer.label(message, {0, y, width, 45}).aligned(Align::Center).withFont(font(9, false, true));
        y += 50;
    }
    footer.label(QStringLiteral("** Disciplina Consolidada"), {0, y + 10, width, 35})
        .named(QStringLiteral("qrlLegenda"))
        .withFont(font(7));
    footer.height = y + 50;
}

} // namespace reports
