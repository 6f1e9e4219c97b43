#include "reports/engine/forms/PageView.h"

#include "reports/engine/PagePainter.h"

#include <QPainter>

namespace reports {

PageView::PageView(const Document &document, QWidget *parent)
    : QWidget(parent), m_document(document)
{
    setObjectName(QStringLiteral("pageView"));
    setAutoFillBackground(false);
}

void PageView::setPage(int pageIndex)
{
    m_page = qBound(0, pageIndex, std::max(0, m_document.pageCount() - 1));
    update();
}

void PageView::setScale(double pixelsPerTenth)
{
    m_scale = pixelsPerTenth;
    const QSize size = sizeHint();
    setFixedSize(size);
    update();
}

QSize PageView::sizeHint() const
{
    return QSize(qRound(m_document.size.width() * m_scale) + 2 * kBorder,
                 qRound(m_document.size.height() * m_scale) + 2 * kBorder);
}

void PageView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    const QRectF paper(kBorder, kBorder, m_document.size.width() * m_scale,
                       m_document.size.height() * m_scale);
    painter.fillRect(paper.translated(4, 4), QColor(0x50, 0x50, 0x50));
    painter.fillRect(paper, Qt::white);
    paintPage(painter, m_document, m_page, paper);
}

} // namespace reports
