#include "reports/engine/forms/PreviewWindow.h"

#include "reports/engine/PdfExport.h"
#include "reports/engine/TextMetrics.h"
#include "reports/engine/forms/PageView.h"
#include "reports/engine/forms/Printing.h"

#include "core/Dialogs.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QScreen>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace reports {

namespace {

// The zoom list offers the two fitting modes first, then these percentages.
const QList<int> kPercents{50, 75, 100, 150, 200};

} // namespace

PreviewWindow::PreviewWindow(const Document &document, QWidget *parent)
    : QDialog(parent), m_document(document)
{
    setObjectName(QStringLiteral("PreviewWindow"));
    setWindowTitle(document.title.isEmpty() ? QStringLiteral("Visualização do Relatório")
                                            : document.title);
    setModal(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    auto *bar = new QHBoxLayout;
    m_first = addButton(QStringLiteral("firstPageButton"), QStringLiteral("|<"),
                        QStringLiteral("Primeira página"));
    m_previous = addButton(QStringLiteral("previousPageButton"), QStringLiteral("<"),
                           QStringLiteral("Página anterior"));
    m_pageSpin = new QSpinBox(this);
    m_pageSpin->setObjectName(QStringLiteral("pageSpin"));
    m_pageSpin->setRange(1, std::max(1, document.pageCount()));
    m_pageSpin->setToolTip(QStringLiteral("Página"));
    m_pageCount = new QLabel(QStringLiteral("de %1").arg(document.pageCount()), this);
    m_pageCount->setObjectName(QStringLiteral("pageCountLabel"));
    m_next = addButton(QStringLiteral("nextPageButton"), QStringLiteral(">"),
                       QStringLiteral("Próxima página"));
    m_last = addButton(QStringLiteral("lastPageButton"), QStringLiteral(">|"),
                       QStringLiteral("Última página"));
    m_zoomCombo = new QComboBox(this);
    m_zoomCombo->setObjectName(QStringLiteral("zoomCombo"));
    m_zoomCombo->addItem(QStringLiteral("Página inteira"));
    m_zoomCombo->addItem(QStringLiteral("Largura da página"));
    for (int percent : kPercents)
        m_zoomCombo->addItem(QStringLiteral("%1%").arg(percent));
    QToolButton *printButton = addButton(QStringLiteral("printButton"), QStringLiteral("&Imprimir"),
                                         QStringLiteral("Imprimir o relatório"));
    QToolButton *pdfButton = addButton(QStringLiteral("pdfButton"), QStringLiteral("Salvar &PDF"),
                                       QStringLiteral("Salvar o relatório como arquivo PDF"));
    QToolButton *closeButton = addButton(QStringLiteral("closeButton"), QStringLiteral("&Fechar"),
                                         QStringLiteral("Fechar a visualização"));
    bar->addWidget(m_first);
    bar->addWidget(m_previous);
    bar->addWidget(new QLabel(QStringLiteral("Página"), this));
    bar->addWidget(m_pageSpin);
    bar->addWidget(m_pageCount);
    bar->addWidget(m_next);
    bar->addWidget(m_last);
    bar->addSpacing(16);
    bar->addWidget(new QLabel(QStringLiteral("Zoom"), this));
    bar->addWidget(m_zoomCombo);
    bar->addStretch();
    bar->addWidget(printButton);
    bar->addWidget(pdfButton);
    bar->addWidget(closeButton);

    m_view = new PageView(document, this);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("pageScroll"));
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->viewport()->setBackgroundRole(QPalette::Dark);
    m_scroll->viewport()->setAutoFillBackground(true);
    // A scroll bar that came and went would change the width the page is fitted to.
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_scroll->setWidget(m_view);
    m_scroll->viewport()->installEventFilter(this);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_scroll, 1);

    connect(m_first, &QToolButton::clicked, this, [this] { showPage(0); });
    connect(m_previous, &QToolButton::clicked, this, [this] { showPage(currentPage() - 1); });
    connect(m_next, &QToolButton::clicked, this, [this] { showPage(currentPage() + 1); });
    connect(m_last, &QToolButton::clicked, this,
            [this] { showPage(m_document.pageCount() - 1); });
    connect(m_pageSpin, &QSpinBox::valueChanged, this, [this](int page) { showPage(page - 1); });
    connect(m_zoomCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index == 0)
            setZoom(Zoom::WholePage);
        else if (index == 1)
            setZoom(Zoom::PageWidth);
        else
            setZoom(Zoom::Percent, kPercents.value(index - 2, 100));
    });
    connect(printButton, &QToolButton::clicked, this, &PreviewWindow::print);
    connect(pdfButton, &QToolButton::clicked, this, &PreviewWindow::saveAsPdf);
    connect(closeButton, &QToolButton::clicked, this, &QDialog::accept);

    // Roomy, but never more than the screen leaves for a window (a laptop's 1280×800 with its
    // task bar and the window's title).
    resize(QSize(1000, 700).boundedTo(screen()->availableGeometry().size() - QSize(16, 40)));
    m_zoomCombo->setCurrentIndex(1);
    applyZoom();
    updateNavigation();
}

QToolButton *PreviewWindow::addButton(const QString &name, const QString &text, const QString &tip)
{
    auto *button = new QToolButton(this);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    return button;
}

int PreviewWindow::currentPage() const
{
    return m_view->page();
}

void PreviewWindow::showPage(int pageIndex)
{
    m_view->setPage(pageIndex);
    m_scroll->verticalScrollBar()->setValue(0);
    updateNavigation();
}

void PreviewWindow::setZoom(Zoom zoom, int percent)
{
    m_zoom = zoom;
    m_percent = percent;
    int index = 0;
    if (zoom == Zoom::PageWidth)
        index = 1;
    else if (zoom == Zoom::Percent && kPercents.contains(percent))
        index = int(kPercents.indexOf(percent)) + 2;
    else if (zoom == Zoom::Percent)
        index = -1; // a percent the list does not offer
    const QSignalBlocker blocker(m_zoomCombo);
    m_zoomCombo->setCurrentIndex(index);
    applyZoom();
}

double PreviewWindow::scale() const
{
    return m_view->scale();
}

void PreviewWindow::applyZoom()
{
    const QSize page = m_document.size;
    const QSize room = m_scroll->viewport()->size() - QSize(2, 2) * PageView::kBorder;
    double scale = 0;
    switch (m_zoom) {
    case Zoom::WholePage:
        scale = std::min(double(room.width()) / page.width(), double(room.height()) / page.height());
        break;
    case Zoom::PageWidth:
        scale = double(room.width()) / page.width();
        break;
    case Zoom::Percent:
        scale = m_percent / 100.0 * logicalDpiX() / kLayoutDotsPerInch;
        break;
    }
    m_view->setScale(std::max(scale, 0.05));
}

void PreviewWindow::updateNavigation()
{
    const int page = currentPage();
    const int last = m_document.pageCount() - 1;
    m_first->setEnabled(page > 0);
    m_previous->setEnabled(page > 0);
    m_next->setEnabled(page < last);
    m_last->setEnabled(page < last);
    const QSignalBlocker blocker(m_pageSpin);
    m_pageSpin->setValue(page + 1);
}

void PreviewWindow::print()
{
    printWithDialog(m_document, this);
}

void PreviewWindow::saveAsPdf()
{
    core::FileRequest request;
    request.caption = QStringLiteral("Salvar como PDF");
    request.directory = QDir::currentPath();
    QString name = m_document.title.isEmpty() ? QStringLiteral("Relatorio") : m_document.title;
    request.fileName = name.replace(u'/', u'-').simplified() + QStringLiteral(".pdf");
    request.filter = QStringLiteral("Arquivos PDF (*.pdf)");
    QString path = core::dialogs().saveFile(request);
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    QString error;
    if (!writePdf(m_document, path, &error))
        core::showError(error);
}

bool PreviewWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize &&
        m_zoom != Zoom::Percent)
        applyZoom();
    return QDialog::eventFilter(watched, event);
}

void PreviewWindow::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageDown:
        showPage(currentPage() + 1);
        return;
    case Qt::Key_PageUp:
        showPage(currentPage() - 1);
        return;
    case Qt::Key_Home:
        if (event->modifiers() & Qt::ControlModifier) {
            showPage(0);
            return;
        }
        break;
    case Qt::Key_End:
        if (event->modifiers() & Qt::ControlModifier) {
            showPage(m_document.pageCount() - 1);
            return;
        }
        break;
    default:
        break;
    }
    QDialog::keyPressEvent(event);
}

} // namespace reports
