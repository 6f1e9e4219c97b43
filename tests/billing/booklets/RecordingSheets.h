#pragma once

// A paint device that keeps what is written on it, sheet by sheet, with each text's position
// in millimetres from the sheet's corner (its top, as the form measures it), and a booklet
// output over it that can be told to fail.

#include "billing/booklets/BookletOutput.h"

#include <QFontMetricsF>
#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextItem>
#include <cmath>

class RecordingSheets : public QPaintDevice
{
public:
    struct Text
    {
        int sheet = 0;
        double leftMm = 0;
        double rightMm = 0;
        double topMm = 0;
        bool italic = false;
        QString family;
        double pointSize = 0;
        QString text;
    };

    // 300 dots an inch on the form's 180 x 203 mm.
    static constexpr int kDpi = 300;

    RecordingSheets() : m_engine(this) {}

    QPaintEngine *paintEngine() const override { return const_cast<Engine *>(&m_engine); }

    bool newSheet()
    {
        ++m_sheet;
        return true;
    }
    int sheetCount() const { return m_texts.isEmpty() && m_sheet == 0 ? 0 : m_sheet + 1; }
    const QList<Text> &texts() const { return m_texts; }
    QList<Text> onSheet(int sheet) const
    {
        QList<Text> found;
        for (const Text &t : m_texts)
            if (t.sheet == sheet)
                found << t;
        return found;
    }
    // The text that starts with `start` on the sheet, or an empty one.
    Text find(const QString &start, int sheet = 0, int occurrence = 0) const
    {
        for (const Text &t : m_texts)
            if (t.sheet == sheet && t.text.startsWith(start) && occurrence-- == 0)
                return t;
        return {};
    }
    static double dotsPerMm() { return kDpi / 25.4; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return int(std::lround(180 * dotsPerMm()));
        case PdmHeight:
            return int(std::lround(203 * dotsPerMm()));
        case PdmWidthMM:
            return 180;
        case PdmHeightMM:
            return 203;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return kDpi;
        case PdmNumColors:
            return 2;
        case PdmDepth:
            return 1;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    class Engine : public QPaintEngine
    {
    public:
        explicit Engine(RecordingSheets *sheets) : QPaintEngine(AllFeatures), m_sheets(sheets) {}
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &) override {}
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        Type type() const override { return User; }
        void drawTextItem(const QPointF &p, const QTextItem &item) override
        {
            const QFontMetricsF metrics(item.font(), m_sheets);
            Text t;
            t.sheet = m_sheets->m_sheet;
            t.leftMm = p.x() / dotsPerMm();
            t.rightMm = (p.x() + metrics.horizontalAdvance(item.text())) / dotsPerMm();
            t.topMm = (p.y() - metrics.ascent()) / dotsPerMm();
            t.italic = item.font().italic();
            t.family = item.font().family();
            t.pointSize = item.font().pointSizeF();
            t.text = item.text();
            m_sheets->m_texts << t;
        }

    private:
        RecordingSheets *m_sheets;
    };

    Engine m_engine;
    QList<Text> m_texts;
    int m_sheet = 0;
};

// The run's output over a recording device; counts the ends and the drops of the job.
class RecordingBooklet : public billing::BookletOutput
{
public:
    RecordingBooklet() : m_painted(m_sheets, [this] { return m_sheets.newSheet(); }) {}

    bool begin() override
    {
        ++begun;
        return !failBegin && m_painted.begin();
    }
    bool newSheet() override { return m_painted.newSheet(); }
    bool draw(const QList<billing::BookletText> &texts) override
    {
        if (failDrawAt >= 0 && drawn == failDrawAt)
            return false;
        ++drawn;
        return m_painted.draw(texts);
    }
    bool end() override
    {
        ++ended;
        return m_painted.end();
    }
    void abort() override
    {
        ++aborted;
        m_painted.abort();
    }

    const RecordingSheets &sheets() const { return m_sheets; }

    int begun = 0;
    int drawn = 0;
    int ended = 0;
    int aborted = 0;
    bool failBegin = false;
    int failDrawAt = -1;

private:
    RecordingSheets m_sheets;
    billing::PaintedBooklet m_painted;
};
