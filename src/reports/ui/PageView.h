#pragma once
#include "reports/ReportDocument.h"

#include <QWidget>
#include <optional>

// One page of a laid-out report on the screen, as white paper at a scale.
// Only the page shown is laid out; it is kept while it stays shown.
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

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const ReportDocument &m_doc;
    int m_index = 0;
    double m_scale = 0.05;
    mutable std::optional<ReportPage> m_page;
};

} // namespace ulk::report
