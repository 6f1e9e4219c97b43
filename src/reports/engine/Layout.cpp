#include "reports/engine/Layout.h"

#include "reports/engine/Canvas.h"
#include "reports/engine/DisplayText.h"
#include "reports/engine/TextMetrics.h"

#include "core/Clock.h"
#include "core/Formats.h"
#include "core/Money.h"

#include <QHash>
#include <QSet>
#include <cmath>
#include <vector>

namespace reports {

namespace {

// An element with the look its handler gave it, ready to become items.
struct PreparedElement
{
    const Element *element;
    ElementLook look;
    QStringList lines; // memos
    QImage image;
};

struct PreparedBand
{
    std::vector<PreparedElement> elements;
    Tenths height = 0;
};

// Running totals and counters that start again at their scope.
struct Accumulator
{
    const Element *element;
    int group; // the group whose start resets it; -1 when the scope is not a group
    int fieldIndex;
    int decimals = 0; // places the sum prints; each value is added as printed
    qint64 total = 0; // in units of 10^-decimals
};

// Without a mask a sum prints its shortest text; six places keep every cent and rate exact.
constexpr int kPlainSumDecimals = 6;

class Layouter
{
public:
    Layouter(const Report &report, DataSource &data) : m_report(report), m_data(data) {}
    Document run();

private:
    Record readRecord() const;
    int changedGroup(const Record &next) const;
    void openGroups(int from);
    void closeGroups(int downTo);

    void startPage();
    void finishPage();
    void newPage();
    bool fits(Tenths height) const { return m_y + height <= m_bottom; }

    PrintContext context() const { return {m_record, m_page, m_detailCount}; }
    bool wants(const Band &band) const;
    PreparedBand prepare(const Band &band);
    QString elementText(const Element &element) const;
    int scopeCounter(const Element &element) const;
    QImage loadImage(const QString &file);
    void emitBand(const PreparedBand &band, Tenths x, Tenths y);

    void placeFixed(const Band &band, Tenths y);
    void placeBody(const Band &band);
    void placeDetail();
    void endColumnRow();
    void runHook(const CanvasHook &hook);

    void indexElements();
    int groupOf(const Element &element) const;

    const Report &m_report;
    DataSource &m_data;
    Document m_document;
    std::shared_ptr<const FieldIndex> m_fields;
    Record m_record;
    Record m_lastPlaced; // the row the page footer speaks of
    QDateTime m_now;

    int m_page = 0;
    Tenths m_y = 0;
    Tenths m_bottom = 0;
    bool m_pageHasBody = false; // any band below the header, the title included
    bool m_pageHasRows = false; // groups, details or the summary

    int m_column = 0;
    Tenths m_rowHeight = 0;

    std::vector<QVariant> m_keys;
    int m_detailCount = 0;
    int m_pageDetails = 0;
    std::vector<int> m_groupDetails;
    std::vector<Accumulator> m_sums;
    QHash<const Element *, int> m_sumOf;
    QHash<const Element *, int> m_groupOfElement;
    QHash<QString, QImage> m_images;
    mutable QSet<QString> m_warnedFields;
};

Document Layouter::run()
{
    m_now = core::now();
    m_fields = std::make_shared<FieldIndex>(m_data.fieldNames());
    m_document.title = m_report.title;
    m_document.pageSize = m_report.page.pageSize();
    m_document.orientation = m_report.page.orientation;
    m_document.size = m_report.page.size();
    const Band &footer = m_report.pageFooter;
    m_bottom = m_document.size.height() - m_report.page.margins.bottom() -
               (footer.isEmpty() ? 0 : footer.height);
    const int groupCount = static_cast<int>(m_report.groups().size());
    m_keys.assign(groupCount, QVariant());
    m_groupDetails.assign(groupCount, 0);
    indexElements();

    m_data.first();
    const bool hasRows = !m_data.eof();
    if (hasRows)
        m_record = readRecord();
    startPage();
    placeBody(m_report.titleBand);
    if (hasRows) {
        openGroups(0);
        placeDetail();
        for (m_data.next(); !m_data.eof(); m_data.next()) {
            Record next = readRecord();
            const int changed = changedGroup(next);
            closeGroups(changed);
            m_record = std::move(next);
            openGroups(changed);
            placeDetail();
        }
        closeGroups(0);
    }
    placeBody(m_report.summary);
    finishPage();
    return std::move(m_document);
}

Record Layouter::readRecord() const
{
    QVariantList values;
    values.reserve(m_fields->names().size());
    for (const QString &name : m_fields->names())
        values.append(m_data.value(name));
    return Record(m_fields, values);
}

int Layouter::changedGroup(const Record &next) const
{
    const auto &groups = m_report.groups();
    for (size_t i = 0; i < groups.size(); ++i) {
        if (next.value(groups[i].field) != m_keys[i])
            return static_cast<int>(i);
    }
    return static_cast<int>(groups.size());
}

void Layouter::openGroups(int from)
{
    const auto &groups = m_report.groups();
    for (size_t i = from; i < groups.size(); ++i) {
        const Group &group = groups[i];
        m_keys[i] = m_record.value(group.field);
        m_groupDetails[i] = 0;
        for (Accumulator &sum : m_sums) {
            if (sum.group == static_cast<int>(i))
                sum.total = 0;
        }
        if (group.newPage && m_pageHasRows)
            newPage();
        placeBody(group.header);
    }
}

void Layouter::closeGroups(int downTo)
{
    const auto &groups = m_report.groups();
    for (int i = static_cast<int>(groups.size()) - 1; i >= downTo; --i)
        placeBody(groups[i].footer);
}

void Layouter::startPage()
{
    m_document.pages.append(Page());
    ++m_page;
    m_y = m_report.page.margins.top();
    m_pageHasBody = false;
    m_pageHasRows = false;
    m_pageDetails = 0;
    for (Accumulator &sum : m_sums) {
        if (sum.element->scope == Scope::Page)
            sum.total = 0;
    }
    runHook(m_report.hooks.pageStart);
    if (!m_report.pageHeader.isEmpty() && wants(m_report.pageHeader)) {
        const PreparedBand band = prepare(m_report.pageHeader);
        emitBand(band, m_report.page.margins.left(), m_y);
        m_y += band.height;
    }
    runHook(m_report.hooks.pageHeading);
}

void Layouter::finishPage()
{
    endColumnRow();
    const Band &footer = m_report.pageFooter;
    if (footer.isEmpty())
        return;
    const Record current = std::exchange(m_record, m_lastPlaced);
    placeFixed(footer, m_document.size.height() - m_report.page.margins.bottom() - footer.height);
    m_record = current;
}

void Layouter::newPage()
{
    finishPage();
    startPage();
}

void Layouter::placeFixed(const Band &band, Tenths y)
{
    if (!wants(band))
        return;
    emitBand(prepare(band), m_report.page.margins.left(), y);
}

void Layouter::placeBody(const Band &band)
{
    if (band.isEmpty())
        return;
    endColumnRow();
    if (!wants(band))
        return;
    if (!fits(band.height) && m_pageHasBody)
        newPage();
    const PreparedBand prepared = prepare(band);
    if (prepared.height > band.height && !fits(prepared.height) && m_pageHasBody)
        newPage();
    emitBand(prepared, m_report.page.margins.left(), m_y);
    m_y += prepared.height;
    m_pageHasBody = true;
    if (band.kind() != BandKind::Title)
        m_pageHasRows = true;
    m_lastPlaced = m_record;
}

void Layouter::placeDetail()
{
    const Band &band = m_report.detail;
    const auto addRow = [this] {
        for (Accumulator &sum : m_sums) {
            const QVariant value = m_record.value(sum.fieldIndex);
            if (!value.isNull())
                sum.total += core::roundToUnits(value.toDouble(), sum.decimals);
        }
    };
    if (!wants(band)) {
        addRow();
        return;
    }
    if (m_column == 0 && !fits(band.height) && m_pageHasBody)
        newPage();
    addRow();
    ++m_detailCount;
    ++m_pageDetails;
    for (int &count : m_groupDetails)
        ++count;
    const PreparedBand prepared = prepare(band);
    const Columns &columns = m_report.detailColumns;
    const int count = std::max(1, columns.count);
    const Tenths width = columns.width > 0
                             ? columns.width
                             : (m_report.page.contentWidth() - columns.gap * (count - 1)) / count;
    emitBand(prepared, m_report.page.margins.left() + m_column * (width + columns.gap), m_y);
    m_rowHeight = std::max(m_rowHeight, prepared.height);
    m_pageHasBody = true;
    m_pageHasRows = true;
    m_lastPlaced = m_record;
    if (++m_column >= count)
        endColumnRow();
    runHook(m_report.hooks.afterDetail);
}

void Layouter::endColumnRow()
{
    if (m_column == 0)
        return;
    m_y += m_rowHeight;
    m_column = 0;
    m_rowHeight = 0;
}

void Layouter::runHook(const CanvasHook &hook)
{
    if (!hook)
        return;
    const PrintContext printContext = context();
    Canvas canvas(m_document.pages.last(), printContext, m_y);
    hook(canvas);
}

bool Layouter::wants(const Band &band) const
{
    return !band.beforePrint || band.beforePrint(context());
}

PreparedBand Layouter::prepare(const Band &band)
{
    PreparedBand prepared;
    prepared.height = band.height;
    const PrintContext printContext = context();
    for (const Element &element : band.elements()) {
        PreparedElement item{&element, {}, {}, {}};
        ElementLook &look = item.look;
        look.text = elementText(element);
        look.font = element.font;
        look.color = element.color;
        look.penColor = element.penColor;
        look.imageFile = element.imageFile;
        if (element.beforePrint)
            element.beforePrint(look, printContext);
        if (!look.visible)
            continue;
        if (element.kind == ElementKind::Memo) {
            item.lines = wrapText(look.font, look.text, element.rect.width());
            if (element.stretch) {
                const Tenths needed =
                    element.rect.y() + static_cast<Tenths>(item.lines.size()) * lineHeight(look.font);
                prepared.height = std::max(prepared.height, needed);
            }
        } else if (element.kind == ElementKind::Image) {
            item.image = loadImage(look.imageFile);
            if (item.image.isNull()) {
                item.image = element.fallbackImage;
                look.imageFile.clear();
            }
            if (item.image.isNull())
                continue;
        }
        prepared.elements.push_back(std::move(item));
    }
    return prepared;
}

QString Layouter::elementText(const Element &element) const
{
    switch (element.kind) {
    case ElementKind::Label:
        return element.text;
    case ElementKind::Memo:
        if (element.field.isEmpty())
            return element.text;
        [[fallthrough]];
    case ElementKind::Field: {
        if (m_fields->indexOf(element.field) < 0 && !m_warnedFields.contains(element.field)) {
            m_warnedFields.insert(element.field);
            qWarning("report \"%s\": the data has no field \"%s\"", qPrintable(m_report.title),
                     qPrintable(element.field));
        }
        return displayText(m_record.value(element.field), element.mask);
    }
    case ElementKind::System:
        switch (element.system) {
        case SystemData::PageNumber:
            return element.text + QString::number(m_page);
        case SystemData::Date:
            return element.text + core::formatDate(m_now.date());
        case SystemData::DateTime:
            return element.text + core::formatDateTime(m_now);
        case SystemData::DetailNumber:
            return element.text + QString::number(scopeCounter(element));
        }
        return {};
    case ElementKind::Sum: {
        const Accumulator &sum = m_sums[m_sumOf.value(&element)];
        const double total = double(sum.total) / std::pow(10.0, sum.decimals);
        return element.mask.isEmpty() ? core::formatPlain(total)
                                      : core::formatNumber(total, element.mask);
    }
    case ElementKind::Line:
    case ElementKind::Frame:
    case ElementKind::Image:
        return {};
    }
    return {};
}

int Layouter::scopeCounter(const Element &element) const
{
    const int group = groupOf(element);
    switch (element.scope) {
    case Scope::Page:
        return m_pageDetails;
    case Scope::Group:
        if (group >= 0)
            return m_groupDetails[group];
        break;
    case Scope::Report:
        break;
    }
    return m_detailCount;
}

QImage Layouter::loadImage(const QString &file)
{
    if (file.isEmpty())
        return {};
    auto it = m_images.find(file);
    if (it == m_images.end())
        it = m_images.insert(file, QImage(file));
    return it.value();
}

void Layouter::emitBand(const PreparedBand &band, Tenths x, Tenths y)
{
    Page &page = m_document.pages.last();
    for (const PreparedElement &prepared : band.elements) {
        const Element &element = *prepared.element;
        const ElementLook &look = prepared.look;
        const QRect rect = element.rect.translated(x, y);
        Item item;
        item.rect = rect;
        item.font = look.font;
        item.align = element.align;
        item.color = look.color;
        switch (element.kind) {
        case ElementKind::Label:
        case ElementKind::Field:
        case ElementKind::System:
        case ElementKind::Sum:
            item.text = look.text;
            page.items.append(item);
            break;
        case ElementKind::Memo: {
            const Tenths height = lineHeight(look.font);
            for (int i = 0; i < prepared.lines.size(); ++i) {
                item.rect = QRect(rect.x(), rect.y() + i * height, rect.width(), height);
                item.text = prepared.lines.at(i);
                page.items.append(item);
            }
            break;
        }
        case ElementKind::Line:
        case ElementKind::Frame:
            item.kind = element.kind == ElementKind::Line ? Item::Kind::Line : Item::Kind::Rect;
            item.color = look.penColor;
            item.penWidth = element.penWidth;
            item.fill = element.fill;
            page.items.append(item);
            break;
        case ElementKind::Image: {
            // Keeps the picture's proportions, centred in its frame.
            const QSize fitted = prepared.image.size().scaled(rect.size(), Qt::KeepAspectRatio);
            item.kind = Item::Kind::Image;
            item.rect = QRect(rect.x() + (rect.width() - fitted.width()) / 2,
                              rect.y() + (rect.height() - fitted.height()) / 2, fitted.width(),
                              fitted.height());
            item.image = prepared.image;
            item.text = look.imageFile;
            page.items.append(item);
            break;
        }
        }
    }
}

void Layouter::indexElements()
{
    const auto &groups = m_report.groups();
    const int innermost = static_cast<int>(groups.size()) - 1;
    std::vector<std::pair<const Band *, int>> bands{
        {&m_report.titleBand, innermost}, {&m_report.pageHeader, innermost},
        {&m_report.detail, innermost},    {&m_report.summary, innermost},
        {&m_report.pageFooter, innermost}};
    for (size_t i = 0; i < groups.size(); ++i) {
        bands.emplace_back(&groups[i].header, static_cast<int>(i));
        bands.emplace_back(&groups[i].footer, static_cast<int>(i));
    }
    for (const auto &[band, group] : bands) {
        for (const Element &element : band->elements()) {
            m_groupOfElement.insert(&element, group);
            if (element.kind != ElementKind::Sum)
                continue;
            m_sumOf.insert(&element, static_cast<int>(m_sums.size()));
            m_sums.push_back({&element, element.scope == Scope::Group ? group : -1,
                              m_fields->indexOf(element.field),
                              element.mask.isEmpty() ? kPlainSumDecimals
                                                     : core::maskDecimals(element.mask)});
        }
    }
}

int Layouter::groupOf(const Element &element) const
{
    return m_groupOfElement.value(&element, -1);
}

} // namespace

Document layout(const Report &report, DataSource &data)
{
    return Layouter(report, data).run();
}

} // namespace reports
