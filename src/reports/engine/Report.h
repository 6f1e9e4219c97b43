#pragma once

#include "reports/engine/Record.h"
#include "reports/engine/Style.h"

#include <QColor>
#include <QImage>
#include <QMargins>
#include <QPageLayout>
#include <QPageSize>
#include <QRect>
#include <QString>
#include <deque>
#include <functional>

// A report definition: page set-up, bands and the elements on them, the handlers that run just
// before something prints and the canvas hooks of the drawn sheets. Plain data; layout() turns
// it and a data source into a Document.
namespace reports {

class Canvas;

enum class BandKind { Title, PageHeader, GroupHeader, Detail, GroupFooter, Summary, PageFooter };

enum class ElementKind { Label, Field, System, Line, Frame, Image, Memo, Sum };

enum class SystemData { PageNumber, Date, DateTime, DetailNumber };

// When a sum or a detail number starts again from zero: never, on every page, or when the
// group it belongs to starts (the band's own group; the innermost group outside groups).
enum class Scope { Report, Page, Group };

// What handlers and hooks can read while a band prints.
struct PrintContext
{
    const Record &record;
    int pageNumber;
    int detailNumber; // rows printed so far in the whole report
    QVariant value(const QString &field) const { return record.value(field); }
};

// What an element's handler may change just before it prints.
struct ElementLook
{
    QString text; // the text about to print (labels, fields, system data, sums, memos)
    bool visible = true;
    Font font;
    QColor color;     // text colour
    QColor penColor;  // lines and frames
    QString imageFile;
};

using ElementHandler = std::function<void(ElementLook &look, const PrintContext &context)>;
// Returns false to leave the band out this time.
using BandHandler = std::function<bool(const PrintContext &context)>;
using CanvasHook = std::function<void(Canvas &canvas)>;

struct Element
{
    ElementKind kind = ElementKind::Label;
    QString name;  // lets a report find the element again (Band::find)
    QRect rect;    // tenths of a millimetre from the band's top-left corner
    QString text;  // label text; the text before system data; a memo's text when no field
    QString field; // field shown, summed or written as a memo
    QString mask;  // display mask for numbers ("###,##0.00")
    SystemData system = SystemData::PageNumber;
    Scope scope = Scope::Report; // sums and detail numbers
    Align align = Align::Left;
    Font font;
    QColor color = Qt::black;
    QColor penColor = Qt::black;
    Tenths penWidth = 2;
    QColor fill; // frames; invalid means not filled
    QString imageFile; // relative names resolve against the working directory
    QImage fallbackImage; // drawn when the file cannot be loaded
    bool stretch = false; // a memo that grows its band to hold all of its lines
    ElementHandler beforePrint;

    Element &named(const QString &elementName);
    Element &aligned(Align alignment);
    Element &withFont(const Font &elementFont);
    Element &sized(double points);
    Element &bold(bool on = true);
    Element &italic(bool on = true);
    Element &colored(const QColor &textColor);
    Element &masked(const QString &displayMask);
    Element &resetEach(Scope resetScope);
    Element &pen(const QColor &colour, Tenths width = 2);
    Element &filled(const QColor &colour);
    Element &fallback(const QImage &image);
    Element &growing(bool on = true);
    Element &onPrint(ElementHandler handler);
};

class Band
{
public:
    explicit Band(BandKind kind) : m_kind(kind) {}

    BandKind kind() const { return m_kind; }
    Tenths height = 0;
    BandHandler beforePrint;

    // Elements are kept in a deque so that the reference a builder returns stays valid.
    Element &label(const QString &text, const QRect &rect);
    Element &field(const QString &fieldName, const QRect &rect, const QString &mask = QString());
    Element &system(SystemData data, const QRect &rect, const QString &prefix = QString());
    // From the rectangle's top-left corner to its bottom-right one (height 0: horizontal).
    Element &line(const QRect &rect);
    Element &frame(const QRect &rect);
    Element &image(const QString &file, const QRect &rect);
    // Word-wrapped text of a field; with an empty field name, the element's own text.
    Element &memo(const QString &fieldName, const QRect &rect);
    Element &sum(const QString &fieldName, const QRect &rect, const QString &mask,
                 Scope reset = Scope::Report);

    const std::deque<Element> &elements() const { return m_elements; }
    Element *find(const QString &name);
    // A band with neither height nor elements is not printed (the detail band always is).
    bool isEmpty() const { return height <= 0 && m_elements.empty(); }

private:
    Element &add(ElementKind kind, const QRect &rect);

    BandKind m_kind;
    std::deque<Element> m_elements;
};

// A group breaks whenever the value of its field changes from one row to the next.
struct Group
{
    explicit Group(const QString &keyField) : field(keyField) {}
    QString field;
    bool newPage = false; // the header starts a new page (unless the page has no rows yet)
    Band header{BandKind::GroupHeader};
    Band footer{BandKind::GroupFooter};
};

enum class Paper { Default, A4 };

struct PageSetup
{
    Paper paper = Paper::Default;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMargins margins{100, 100, 100, 100}; // tenths of a millimetre

    QPageSize pageSize() const;
    QSize size() const; // in tenths, turned for landscape
    Tenths contentWidth() const;
};

// The paper that Paper::Default stands for: A4 until the printing side reports the system's
// default printer paper.
QPageSize defaultPaper();
void setDefaultPaper(const QPageSize &pageSize);

// Several detail bands side by side, for label sheets: the first row fills left to right.
struct Columns
{
    int count = 1;
    Tenths width = 0; // 0: the content width shared equally
    Tenths gap = 0;
};

struct CanvasHooks
{
    CanvasHook pageStart;   // a new page begins, before its header
    CanvasHook pageHeading; // just after the page header band
    CanvasHook afterDetail; // after every detail band that printed
};

class Report
{
public:
    QString title; // the preview window's caption and the PDF's title
    PageSetup page;
    Columns detailColumns;
    CanvasHooks hooks;
    Band titleBand{BandKind::Title};
    Band pageHeader{BandKind::PageHeader};
    Band detail{BandKind::Detail};
    Band summary{BandKind::Summary};
    Band pageFooter{BandKind::PageFooter};

    // Outermost first.
    Group &addGroup(const QString &field, bool newPage = false);
    const std::deque<Group> &groups() const { return m_groups; }
    std::deque<Group> &groups() { return m_groups; }

private:
    std::deque<Group> m_groups;
};

} // namespace reports
