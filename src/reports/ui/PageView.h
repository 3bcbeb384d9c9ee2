#pragma once
#include "reports/ReportDocument.h"

#include <QWidget>
#include <QList>
#include <utility>

// One page of a laid-out report on the screen, as white paper at a scale.
// Only the page shown is laid out; the last few pages shown are kept laid
// out (turning back and forth shows them at once), never more, whatever the
// report's length.
namespace ulk::report {

class PageView : public QWidget {
    Q_OBJECT
public:
    explicit PageView(const ReportDocument &doc, QWidget *parent = nullptr);

    int pageIndex() const { return m_index; }
    void setPageIndex(int index);
    // Screen pixels per twip.
    double scale() const { return m_scale; }
    void setScale(double scale);
    // The page of this document, laid out (for the window and its tests).
    const ReportPage &page() const;
    // How many laid-out pages are kept now; at most kPagesKept.
    int pagesHeld() const { return int(m_kept.size()); }
    static constexpr int kPagesKept = 3;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const ReportDocument &m_doc;
    int m_index = 0;
    double m_scale = 0.05;
    // The pages kept, the one shown last.
    mutable QList<std::pair<int, ReportPage>> m_kept;
};

} // namespace ulk::report
