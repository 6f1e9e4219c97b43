#pragma once

#include "reports/engine/Document.h"

#include <QStringList>
#include <algorithm>
#include <map>

// The texts of a document as printed lines: the items of each page that share a baseline,
// left to right, joined by " | ". Reports are then read and compared as a person reads them.
inline QStringList printedLines(const reports::Document &document)
{
    QStringList lines;
    for (const reports::Page &page : document.pages) {
        std::map<int, std::vector<const reports::Item *>> rows;
        for (const reports::Item &item : page.items) {
            if (item.kind == reports::Item::Kind::Text && !item.text.trimmed().isEmpty())
                rows[item.rect.y()].push_back(&item);
        }
        for (auto &[y, items] : rows) {
            std::sort(items.begin(), items.end(),
                      [](const reports::Item *a, const reports::Item *b) { return a->rect.x() < b->rect.x(); });
            QStringList texts;
            for (const reports::Item *item : items)
                texts += item->text.trimmed();
            lines += texts.join(QStringLiteral(" | "));
        }
    }
    return lines;
}

// The lines between the first that starts with `from` and the next that starts with `to`.
inline QStringList linesBetween(const QStringList &lines, const QString &from, const QString &to)
{
    const auto start = std::find_if(lines.begin(), lines.end(), [&](const QString &l) { return l.startsWith(from); });
    if (start == lines.end())
        return {};
    const auto end = std::find_if(start + 1, lines.end(), [&](const QString &l) { return l.startsWith(to); });
    return QStringList(start, end);
}
