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
    if (index == m_index)
        return;
    m_index = index;
    update();
}

void PageView::setScale(double scale)
{
    m_scale = std::clamp(scale, 0.001, 1.0);
    resize(sizeHint());
    updateGeometry();
    update();
}

const ReportPage &PageView::page() const
{
    for (qsizetype i = 0; i < m_kept.size(); ++i)
        if (m_kept.at(i).first == m_index) {
            m_kept.move(i, m_kept.size() - 1);
            return m_kept.last().second;
        }
    m_kept.append({m_index, m_doc.pageCount() > 0 ? m_doc.pages.at(m_index) : ReportPage()});
    while (m_kept.size() > kPagesKept)
        m_kept.removeFirst();
    return m_kept.last().second;
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
