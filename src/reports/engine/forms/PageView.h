#pragma once

#include "reports/engine/Document.h"

#include <QWidget>

namespace reports {

// One page of a document on a grey desk, at a given number of pixels per tenth of a millimetre.
class PageView : public QWidget
{
    Q_OBJECT

public:
    PageView(const Document &document, QWidget *parent = nullptr);

    int page() const { return m_page; }
    void setPage(int pageIndex);
    double scale() const { return m_scale; }
    void setScale(double pixelsPerTenth);
    QSize sizeHint() const override;

    static constexpr int kBorder = 12;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const Document &m_document;
    int m_page = 0;
    double m_scale = 0.3;
};

} // namespace reports
