#include "reports/ui/PageView.h"

#include "reports/ReportPainter.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace ulk::report {

PageView::PageView(const ReportDocument &doc, QWidget *parent) : QWidget(parent), m_doc(doc)
{
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PageView::setPageIndex(int index)
{
    index = std::clamp(index, 0, std::max(0, m_doc.pageCount() - 1));
    if (index == m_index && m_page)
        return;
    m_index = index;
    m_page.reset();
    update();
}

void PageView::setScale(double scale)
{
    m_scale = std::clamp(scale, 0.01, 1.0);
    resize(sizeHint());
    updateGeometry();
    update();
}

const ReportPage &PageView::page() const
{
    if (!m_page)
        m_page = m_doc.pageCount() > 0 ? m_doc.pages.at(m_index) : ReportPage();
    return *m_page;
}

QSize PageView::sizeHint() const
{
    return QSize(int(std::ceil(m_doc.pageSize.width() * m_scale)), int(std::ceil(m_doc.pageSize.height() * m_scale)));
}

void PageView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(m_scale, m_scale);
    ReportPainter::paintPage(page(), painter);
}

} // namespace ulk::report
