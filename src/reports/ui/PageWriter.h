#pragma once
#include "reports/ReportDocument.h"

#include <QObject>

class QPrinter;
class QWidget;

// Writes the pages of a report where the user chose: a PDF file or a
// printer. A writing that takes longer than about half a second shows its
// progress ("strana 12 z 4082") with "Zrušiť", which stops it at the next
// page: the PDF is dropped (an existing file stays as it was), a print into
// a file leaves no file, a print job to a printer of the CUPS print system is
// dropped before the print system gets it (another print system gets the
// pages painted so far), and the user is told which.
// The windows behind repaint while the pages are written.
namespace ulk::report {

class PageWriter : public QObject {
    Q_OBJECT
public:
    PageWriter(const ReportDocument &doc, QWidget *parent);

    // Milliseconds of writing before the progress shows.
    void setProgressDelay(int ms) { m_delay = ms; }

    // Asks for a file name (the report's caption offered) and writes the
    // PDF there; false when the user cancels, stops or the file cannot be
    // written (told with its cause).
    bool saveAsPdf();
    // Prints the pages first to last (0-based) on a printer chosen already.
    bool print(QPrinter &printer, int first, int last);

    // The name offered for the PDF of a report: its caption, without the
    // characters a file name cannot hold.
    static QString pdfFileName(const ReportDocument &doc);

signals:
    // After each page written, while the progress is up.
    void pageWritten(int done, int total);

private:
    const ReportDocument &m_doc;
    QWidget *m_parent;
    int m_delay = 500;
};

} // namespace ulk::report
