#pragma once
#include "reports/ReportDocument.h"

#include <QDialog>

class QAction;
class QComboBox;
class QLabel;
class QScrollArea;
class QSpinBox;

// The modal print preview of a laid-out report: one page at a time, turned
// with the tool bar or the keys (Page Up/Down, Ctrl+Home/End), zoomed or
// fitted to the window; from it the report is printed or saved as a PDF.
// Every button of its tool bar is reached by Tab as well; Esc closes it.
// Only the page looked at is laid out and painted, whatever the report's
// length; printing and saving lay out and write one page after another.
namespace ulk::report {

class PageView;

class PreviewDialog : public QDialog {
    Q_OBJECT
public:
    explicit PreviewDialog(const ReportDocument &doc, QWidget *parent = nullptr);

    int currentPage() const; // 0-based
    void showPage(int index);
    PageView *pageView() const { return m_view; }

    // Zoom: 1.0 is the paper's own size on the screen.
    double zoom() const;
    void setZoom(double zoom);
    void fitToWidth();
    void fitToPage();

    // Asks for a printer in the print dialog and prints the pages chosen.
    void print();
    // Asks for a file name and saves the report there as a PDF (Ctrl+S).
    void saveAsPdf();
    // Test seam: milliseconds of printing or saving before its progress shows.
    void setProgressDelay(int ms) { m_progressDelay = ms; }

signals:
    // A page printed or saved: done of total.
    void pageWritten(int done, int total);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Fit { None, Width, Page };
    QAction *addAction(const QString &objectName, const QString &text, const QString &toolTip,
                       const QKeySequence &key = {}, const QString &keyText = {});
    // A zoom typed or chosen in the zoom box, in per cent with or without
    // "%", taken within 10 % to 400 %; other text puts the zoom shown back.
    void applyZoomText(const QString &text);
    void updateControls();
    double paperPixelsPerTwip() const;

    const ReportDocument &m_doc;
    QScrollArea *m_scroll = nullptr;
    PageView *m_view = nullptr;
    QSpinBox *m_pageBox = nullptr;
    QLabel *m_pageCount = nullptr;
    QComboBox *m_zoomBox = nullptr;
    QAction *m_first = nullptr;
    QAction *m_previous = nullptr;
    QAction *m_next = nullptr;
    QAction *m_last = nullptr;
    Fit m_fit = Fit::Width;
    int m_progressDelay = 500;
};

} // namespace ulk::report
