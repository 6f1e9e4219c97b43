#include "billing/slips/SlipReport.h"

#include "billing/slips/Codabar.h"
#include "billing/slips/PixCode.h"
#include "core/Clock.h"
#include "core/Formats.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Transaction.h"
#include "reports/SchoolHeader.h"
#include "reports/engine/Canvas.h"
#include "reports/engine/DataSource.h"
#include "reports/engine/Layout.h"
#include "reports/engine/Report.h"

namespace billing {

using namespace reports;

namespace {

// The slip is 1200 x 349 units of the page's content width: the student's stub up to 265, the
// treasury's from 283. Positions below are in tenths of a millimetre on A4 (1900 wide).
constexpr Tenths kSlipHeight = 553;
constexpr Tenths kPixHeight = 330; // added below the treasury stub when the school has a PIX key
constexpr Tenths kStudentRight = 420;
constexpr Tenths kRuleX = 434;
constexpr Tenths kTreasuryLeft = 448;
constexpr Tenths kRight = 1900;
constexpr Tenths kRow = 50;
// One bitmap pixel of the barcode is 0.2 mm: wide enough for a hand scanner.
constexpr double kBarcodeTenthsPerPixel = 2.0;
// The "copia e cola" text: lines of a fixed number of characters.
constexpr int kPixLines = 4;
constexpr int kPixLineLength = 64;

const QStringList kFields{
    QStringLiteral("NOME"),        QStringLiteral("MATRICULA"),   QStringLiteral("NOME_RESP"),
    QStringLiteral("TURMA"),       QStringLiteral("TURMA_DESC"),  QStringLiteral("EMISSAO"),
    QStringLiteral("TIPO_COBR"),   QStringLiteral("VENCIMENTO"),  QStringLiteral("MENSALIDADE"),
    QStringLiteral("DESCONTO"),    QStringLiteral("ACRESCIMO"),   QStringLiteral("VALOR_PAGAR"),
    QStringLiteral("AVISO"),       QStringLiteral("NOSSONUM"),    QStringLiteral("PIX0"),
    QStringLiteral("PIX1"),        QStringLiteral("PIX2"),        QStringLiteral("PIX3")};

// A box of the slip: its caption small at the top, the value under it.
void box(Band &band, const QString &caption, const QString &field, const QRect &rect, Align align = Align::Left,
         double size = 7)
{
    band.frame(rect).pen(Qt::black, 2);
    band.label(caption, {rect.x() + 8, rect.y() + 2, rect.width() - 16, 20}).sized(5);
    // The boxes filled in by hand have no field.
    if (!field.isEmpty())
        band.field(field, {rect.x() + 8, rect.y() + 20, rect.width() - 16, 28}).sized(size).bold().aligned(align);
}

void line(Band &band, const QString &text, const QRect &rect, double size, bool bold = false)
{
    band.label(text, rect).sized(size).bold(bold);
}

QString cityLine(const SlipSchool &school)
{
    return school.city + QStringLiteral(" - ") + school.state + QStringLiteral(" - Fone: ") + school.telephone;
}

QString taxLine(const SlipSchool &school)
{
    return school.taxNumber.trimmed().isEmpty() ? QString() : QStringLiteral("CNPJ: ") + school.taxNumber.trimmed();
}

void studentStub(Band &band, const SlipSchool &school)
{
    const Tenths w = kStudentRight;
    // The stub is narrow: smaller letters, so that long names stay inside their boxes.
    constexpr double name = 5.5;
    constexpr double value = 6.5;
    line(band, school.name, {0, 0, w, 28}, 6, true);
    line(band, school.address, {0, 28, w, 22}, 5.5);
    line(band, cityLine(school), {0, 50, w, 22}, 5.5);
    line(band, taxLine(school), {0, 72, w, 22}, 5.5);
    band.label(QStringLiteral("VIA DO ALUNO"), {0, 100, w, 32}).sized(8).bold().aligned(Align::Center);
    const Tenths half = w / 2;
    Tenths y = 135;
    box(band, QStringLiteral("NOME DO ALUNO"), QStringLiteral("NOME"), {0, y, w, kRow}, Align::Left, name);
    y += kRow;
    box(band, QStringLiteral("MATRÍCULA"), QStringLiteral("MATRICULA"), {0, y, 170, kRow}, Align::Left, value);
    box(band, QStringLiteral("TURMA"), QStringLiteral("TURMA"), {170, y, w - 170, kRow}, Align::Left, value);
    y += kRow;
    box(band, QStringLiteral("RESPONSÁVEL"), QStringLiteral("NOME_RESP"), {0, y, w, kRow}, Align::Left, name);
    y += kRow;
    box(band, QStringLiteral("DATA EMISSÃO"), QStringLiteral("EMISSAO"), {0, y, 170, kRow}, Align::Left, value);
    box(band, QStringLiteral("TIPO COBRANÇA"), QStringLiteral("TIPO_COBR"), {170, y, w - 170, kRow}, Align::Left, value);
    y += kRow;
    box(band, QStringLiteral("MENSALIDADE"), QStringLiteral("MENSALIDADE"), {0, y, half, kRow}, Align::Right, value);
    box(band, QStringLiteral("DESCONTO"), QStringLiteral("DESCONTO"), {half, y, w - half, kRow}, Align::Right, value);
    y += kRow;
    box(band, QStringLiteral("ACRÉSCIMO"), QStringLiteral("ACRESCIMO"), {0, y, half, kRow}, Align::Right, value);
    box(band, QStringLiteral("VALOR A PAGAR"), QStringLiteral("VALOR_PAGAR"), {half, y, w - half, kRow}, Align::Right, value);
    y += kRow;
    box(band, QStringLiteral("MORA/MULTA"), QString(), {0, y, half, kRow});
    box(band, QStringLiteral("VALOR RECEBIDO"), QString(), {half, y, w - half, kRow});
    y += kRow;
    line(band, QStringLiteral("VALORES EM REAIS"), {0, y + 4, w, 20}, 5);
}

void treasuryStub(Band &band, const SlipSchool &school, const SlipRunTexts &texts)
{
    const Tenths x = kTreasuryLeft;
    addLogo(band, {x, 0, 140, 100});
    line(band, school.name, {x + 155, 0, 900, 34}, 9, true);
    line(band, school.address, {x + 155, 34, 900, 24}, 6.5);
    line(band, cityLine(school), {x + 155, 56, 900, 24}, 6.5);
    line(band, taxLine(school), {x + 155, 78, 900, 24}, 6.5);
    band.label(QStringLiteral("VIA DA TESOURARIA"), {1400, 0, kRight - 1400, 34}).sized(9).bold().aligned(Align::Right);

    Tenths y = 105;
    box(band, QStringLiteral("NOME DO ALUNO"), QStringLiteral("NOME"), {x, y, 1250 - x, kRow});
    box(band, QStringLiteral("MATRÍCULA"), QStringLiteral("MATRICULA"), {1250, y, 250, kRow});
    box(band, QStringLiteral("VENCIMENTO"), QStringLiteral("VENCIMENTO"), {1500, y, kRight - 1500, kRow});
    y += kRow;
    box(band, QStringLiteral("RESPONSÁVEL"), QStringLiteral("NOME_RESP"), {x, y, 1250 - x, kRow});
    box(band, QStringLiteral("TURMA"), QStringLiteral("TURMA_DESC"), {1250, y, kRight - 1250, kRow});
    y += kRow;
    box(band, QStringLiteral("DATA EMISSÃO"), QStringLiteral("EMISSAO"), {x, y, 650 - x, kRow});
    box(band, QStringLiteral("TIPO COBRANÇA"), QStringLiteral("TIPO_COBR"), {650, y, 350, kRow});
    box(band, QStringLiteral("MENSALIDADE"), QStringLiteral("MENSALIDADE"), {1000, y, 225, kRow}, Align::Right);
    box(band, QStringLiteral("DESCONTO"), QStringLiteral("DESCONTO"), {1225, y, 225, kRow}, Align::Right);
    box(band, QStringLiteral("ACRÉSCIMO"), QStringLiteral("ACRESCIMO"), {1450, y, 225, kRow}, Align::Right);
    box(band, QStringLiteral("VALOR A PAGAR"), QStringLiteral("VALOR_PAGAR"), {1675, y, kRight - 1675, kRow},
        Align::Right);
    y += kRow;
    box(band, QStringLiteral("MORA/MULTA"), QString(), {x, y, 400, kRow});
    box(band, QStringLiteral("VALOR RECEBIDO"), QString(), {x + 400, y, 400, kRow});
    line(band, QStringLiteral("VALORES EM REAIS"), {x + 820, y + 26, 400, 22}, 6);
    y += kRow + 5;

    band.label(texts.fineLine, {x, y, 860, 24}).named(QStringLiteral("qrlMulta")).sized(6.5);
    band.label(texts.interestLine, {x, y + 24, 860, 24}).named(QStringLiteral("qrlJuros")).sized(6.5);
    band.field(QStringLiteral("AVISO"), {x, y + 50, 860, 28}).named(QStringLiteral("qrlAviso")).sized(7).bold();
    band.label(texts.message1, {x, y + 80, 860, 26}).named(QStringLiteral("qrlMensagem1")).sized(7);
    band.label(texts.message2, {x, y + 106, 860, 26}).named(QStringLiteral("qrlMensagem2")).sized(7);
    band.label(school.credit, {1000, kSlipHeight - 45, kRight - 1000, 22})
        .named(QStringLiteral("qrlCredito"))
        .sized(5.5)
        .aligned(Align::Right);
}

void pixArea(Band &band)
{
    const Tenths top = kSlipHeight - 10;
    band.label(QStringLiteral("PAGUE COM PIX"), {kTreasuryLeft + 310, top + 10, 800, 30}).sized(8).bold();
    band.label(QStringLiteral("Aponte a câmera do aplicativo do seu banco para o código ao lado ou use o PIX "
                              "Copia e Cola:"),
               {kTreasuryLeft + 310, top + 45, kRight - kTreasuryLeft - 310, 24})
        .sized(6);
    // Cut at fixed widths rather than at blanks, so that no character of the code is lost.
    for (int line = 0; line < kPixLines; ++line) {
        band.field(QStringLiteral("PIX%1").arg(line), {kTreasuryLeft + 310, top + 75 + line * 28, 1100, 28})
            .named(QStringLiteral("qrlPixCopiaCola%1").arg(line))
            .withFont({QStringLiteral("Courier New"), 7.5});
    }
}

} // namespace

SlipSchool SlipSchool::fromSettings(const data::Settings &settings)
{
    SlipSchool school;
    school.name = settings.Estabel;
    school.address = settings.Endereco;
    school.city = settings.Municipio;
    school.state = settings.UF;
    school.telephone = settings.Fone;
    school.taxNumber = settings.CGC;
    // The footer's last line is the one crediting the program's maker.
    school.credit = settings.reportFooter.section(u'\n', -1);
    school.pixKey = settings.Pix_Chave.trimmed();
    school.pixReceiver = settings.Pix_Nome;
    school.pixCity = settings.Pix_Cidade;
    return school;
}

Document slipDocument(const QList<SlipRow> &rows, const SlipRunTexts &texts, const SlipSchool &school,
                      const QDate &issued)
{
    const bool pix = !school.pixKey.isEmpty();
    RecordList data(kFields);
    QList<QImage> barcodes;
    QList<QImage> qrCodes;
    for (const SlipRow &row : rows) {
        const SlipAmounts amounts = slipAmounts(row, texts.hideDiscounts);
        const QString number = slipNumber(row.matricula, row.parcelaData);
        QString payload;
        if (pix) {
            payload = pixPayload({school.pixKey, school.pixReceiver.isEmpty() ? school.name : school.pixReceiver,
                                  school.pixCity.isEmpty() ? school.city : school.pixCity,
                                  slipAmountToPay(row, texts.hideDiscounts), number});
        }
        data.append({row.nome, QString::number(row.matricula), row.nomeResp, row.turma,
                     row.turma + QStringLiteral(" - ") + row.descricao, core::formatDate(issued), amounts.kindLine,
                     core::formatDate(row.parcelaData), amounts.mensalidade, amounts.desconto, amounts.acrescimo,
                     amounts.valorAPagar, amounts.discountWarning, number, payload.mid(0, kPixLineLength),
                     payload.mid(kPixLineLength, kPixLineLength), payload.mid(2 * kPixLineLength, kPixLineLength),
                     payload.mid(3 * kPixLineLength)});
        barcodes << drawCodabar(number).image;
        qrCodes << (payload.isEmpty() ? QImage() : qrCodeImage(payload, 4));
    }

    Report report;
    report.title = QStringLiteral("Boletos");
    report.page.margins = {100, 100, 100, 100};
    Band &band = report.detail;
    band.height = kSlipHeight + (pix ? kPixHeight : 0);
    studentStub(band, school);
    treasuryStub(band, school, texts);
    if (pix)
        pixArea(band);
    band.line({kRuleX, 0, 0, band.height - 20}).pen(Qt::black, 8);
    band.line({0, band.height - 8, kRight, 0}).pen(Qt::gray, 2);

    // The pictures are made for each slip, so they go on the sheet once its band is placed.
    const Tenths bandHeight = band.height;
    const Tenths left = report.page.margins.left();
    report.hooks.afterDetail = [&](Canvas &canvas) {
        const int index = canvas.context().detailNumber - 1;
        if (index < 0 || index >= barcodes.size())
            return;
        const Tenths top = canvas.cursorY() - bandHeight;
        const QImage &barcode = barcodes[index];
        if (!barcode.isNull()) {
            const QSize size(qRound(barcode.width() * kBarcodeTenthsPerPixel),
                             qRound(barcode.height() * kBarcodeTenthsPerPixel));
            canvas.image(QRect(QPoint(left + 1330, top + 300), size), barcode);
        }
        if (!qrCodes[index].isNull())
            canvas.image(QRect(left + kTreasuryLeft, top + kSlipHeight, 290, 290), qrCodes[index]);
    };
    return layout(report, data);
}

SlipRunResult runSlips(const data::Database &db, const QList<SlipRow> &rows, const SlipRunTexts &texts,
                       const SlipSchool &school, core::RunReporter &reporter, const SlipOutput &output)
{
    if (rows.isEmpty()) {
        reporter.note(core::Severity::Info, kNoSlipRows, QStringLiteral("Atenção"));
        return SlipRunResult::NoRows;
    }
    data::Transaction transaction(db);
    reporter.begin(QStringLiteral("Imprimindo boletos"), int(rows.size()), false);
    int done = 0;
    for (const SlipRow &row : rows) {
        data::Savepoint savepoint(db);
        try {
            storeSlipNumber(db, row);
            savepoint.release();
        } catch (const std::exception &) {
            savepoint.rollback();
            reporter.note(core::Severity::Warning, kSlipNumberNotStored, QStringLiteral("Atenção"));
        }
        ++done;
        reporter.step(done, QStringLiteral("Boleto %1 de %2").arg(done).arg(rows.size()));
    }
    const Document document = slipDocument(rows, texts, school, core::today());
    if (!output(document)) {
        reporter.finish(core::RunOutcome::Cancelled);
        return SlipRunResult::NotPrinted;
    }
    transaction.commit();
    reporter.finish(core::RunOutcome::Completed);
    return SlipRunResult::Printed;
}

namespace {

SlipSchool schoolOf(const data::Database &db)
{
    data::Settings settings = data::Settings::defaults(QString());
    data::loadSettings(db, settings);
    return SlipSchool::fromSettings(settings);
}

} // namespace

SlipRunResult printSlips(const data::Database &db, const BoletoChoices &choices, core::RunReporter &reporter,
                         const SlipOutput &output)
{
    return runSlips(db, selectSlipRows(db, choices), runTexts(choices), schoolOf(db), reporter, output);
}

SlipRunResult reprintPaidSlip(const data::Database &db, qint64 matricula, const QDate &due, const QDate &paidOn,
                              core::RunReporter &reporter, const SlipOutput &output)
{
    if (!paidOn.isValid()) {
        reporter.note(core::Severity::Warning, kPayFirst, QStringLiteral("Atenção"));
        return SlipRunResult::NoRows;
    }
    SlipRow paid;
    paid.parcelaData = due;
    paid.pgtoData = paidOn;
    return runSlips(db, selectChargeRows(db, matricula, due), reprintTexts(paid), schoolOf(db), reporter, output);
}

} // namespace billing
