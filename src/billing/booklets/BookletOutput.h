#pragma once

#include "billing/booklets/BookletSlip.h"

#include <QFont>
#include <functional>
#include <memory>

class QPaintDevice;
class QPdfWriter;
class QPainter;

// Where a booklet run writes its slips: the printer, a PDF file, or a recorder in the tests.
namespace billing {

class BookletOutput
{
public:
    virtual ~BookletOutput() = default;
    // The print job; false when it cannot start.
    virtual bool begin() = 0;
    virtual bool newSheet() = 0;
    // One slip's texts on the current sheet.
    virtual bool draw(const QList<BookletText> &texts) = 0;
    virtual bool end() = 0;
    // Drops the job, so nothing of it reaches the paper.
    virtual void abort() = 0;
};

// The font of every slip.
QFont bookletFont();

// Draws on a paint device whose origin is the sheet's top-left corner (a printer set to the
// full page, a PDF writer without margins). Millimetres become device units through the
// device's resolution.
class PaintedBooklet : public BookletOutput
{
public:
    // `newPage` starts the next sheet on the device (QPrinter::newPage, QPdfWriter::newPage);
    // `abort` drops the job where the device can (QPrinter::abort).
    PaintedBooklet(QPaintDevice &device, std::function<bool()> newPage, std::function<void()> abort = {});
    ~PaintedBooklet() override;

    bool begin() override;
    bool newSheet() override;
    bool draw(const QList<BookletText> &texts) override;
    bool end() override;
    void abort() override;

private:
    QPaintDevice &m_device;
    std::function<bool()> m_newPage;
    std::function<void()> m_abort;
    std::unique_ptr<QPainter> m_painter;
    double m_dotsPerMmX = 1;
    double m_dotsPerMmY = 1;
};

// A booklet written to a PDF file on sheets of the bank's form (180 x 203 mm): the form
// previewed, or kept, before a box of forms is spent. A dropped job leaves no file.
class PdfBooklet : public BookletOutput
{
public:
    explicit PdfBooklet(const QString &path);
    ~PdfBooklet() override;

    bool begin() override;
    bool newSheet() override;
    bool draw(const QList<BookletText> &texts) override;
    bool end() override;
    void abort() override;

private:
    QString m_path;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<PaintedBooklet> m_painted;
};

// Draws one slip's texts with a painter already open on a device; used by the run and by the
// preview before printing.
void drawBookletTexts(QPainter &painter, const QList<BookletText> &texts, double dotsPerMmX, double dotsPerMmY);

} // namespace billing
