#pragma once

#include "reports/engine/Document.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QScrollArea;
class QSpinBox;
class QToolButton;

namespace reports {

class PageView;

// The modal preview of a laid-out report: page by page, at the zoom the user picks, with
// printing and saving as PDF.
class PreviewWindow : public QDialog
{
    Q_OBJECT

public:
    enum class Zoom { WholePage, PageWidth, Percent };

    PreviewWindow(const Document &document, QWidget *parent = nullptr);

    int currentPage() const; // from 0
    void showPage(int pageIndex);
    void setZoom(Zoom zoom, int percent = 100);
    double scale() const;

    // The toolbar's commands, also reachable from tests.
    void print();
    void saveAsPdf();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QToolButton *addButton(const QString &name, const QString &text, const QString &tip);
    void applyZoom();
    void updateNavigation();

    const Document &m_document;
    PageView *m_view;
    QScrollArea *m_scroll;
    QToolButton *m_first;
    QToolButton *m_previous;
    QToolButton *m_next;
    QToolButton *m_last;
    QSpinBox *m_pageSpin;
    QLabel *m_pageCount;
    QComboBox *m_zoomCombo;
    Zoom m_zoom = Zoom::PageWidth;
    int m_percent = 100;
};

} // namespace reports
