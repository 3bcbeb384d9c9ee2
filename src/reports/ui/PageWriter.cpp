#include "reports/ui/PageWriter.h"

#include "common/FailureText.h"
#include "common/Prompter.h"
#include "reports/ReportPainter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPrinter>
#include <QProgressBar>
#include <QProgressDialog>
#include <private/qprintengine_pdf_p.h>

namespace ulk::report {

namespace {

// The progress of one writing, shown once it has taken the delay given.
class Progress {
public:
    Progress(QWidget *parent, const QString &title, const QString &what, int delay)
        : m_dialog(parent), m_what(what)
    {
        m_dialog.setObjectName(QStringLiteral("prgStrany"));
        m_dialog.setWindowTitle(title);
        auto *bar = new QProgressBar(&m_dialog);
        bar->setFormat(QStringLiteral("%p %"));
        m_dialog.setBar(bar);
        // Wide enough for its title whole, with the program's name that the
        // window system adds to it, and the title bar's buttons.
        const QString shown = title + QStringLiteral(" — ") + QGuiApplication::applicationDisplayName();
        m_dialog.setMinimumWidth(m_dialog.fontMetrics().horizontalAdvance(shown) + 120);
        m_dialog.setCancelButtonText(QStringLiteral("Zrušiť"));
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setAutoReset(false);
        m_dialog.setAutoClose(false);
        m_dialog.setMinimumDuration(delay);
        m_dialog.setValue(0);
    }

    // A page done; false once the user has chosen "Zrušiť". Once the
    // progress is up, the windows repaint here, some twenty times a second
    // rather than at every page: a repaint takes as long as a page.
    bool step(int done, int total)
    {
        if (m_dialog.maximum() != total)
            m_dialog.setMaximum(total);
        m_dialog.setLabelText(QStringLiteral("%1: strana %2 z %3").arg(m_what).arg(done).arg(total));
        if (!m_shown.isValid() || m_shown.elapsed() >= 50 || done == total) {
            m_dialog.setValue(done);
            m_shown.start();
        }
        return !m_dialog.wasCanceled();
    }
    bool stopped() const { return m_dialog.wasCanceled(); }

private:
    QProgressDialog m_dialog;
    QString m_what;
    QElapsedTimer m_shown;
};

// Drops the job of a print to a printer of the CUPS print system. Its print
// engine paints into a temporary PDF file and hands that to the print
// system when the painting ends, but drops the file instead, no job made,
// when by then it has no printer name; the name is emptied the way the PDF
// engine keeps it (the CUPS engine's own setter takes only a printer that
// exists). False where the print goes elsewhere (a file, another system).
bool dropPrintJob(QPrinter &printer)
{
    if (printer.outputFormat() != QPrinter::NativeFormat || !printer.outputFileName().isEmpty())
        return false;
    auto *engine = dynamic_cast<QPdfPrintEngine *>(printer.printEngine());
    if (!engine)
        return false;
    engine->QPdfPrintEngine::setProperty(QPrintEngine::PPK_PrinterName, QString());
    return engine->property(QPrintEngine::PPK_PrinterName).toString().isEmpty();
}

} // namespace

PageWriter::PageWriter(const ReportDocument &doc, QWidget *parent) : QObject(parent), m_doc(doc), m_parent(parent) {}

QString PageWriter::pdfFileName(const ReportDocument &doc)
{
    QString name;
    for (const QChar c : doc.caption)
        if (c.isPrint() && !QStringLiteral("/\\:*?\"<>|").contains(c))
            name += c;
    name = name.simplified();
    return (name.isEmpty() ? doc.reportName : name) + QStringLiteral(".pdf");
}

bool PageWriter::saveAsPdf()
{
    FileRequest request;
    request.title = QStringLiteral("Uložiť zostavu ako PDF");
    request.fileName = pdfFileName(m_doc);
    request.filters = {QStringLiteral("Dokument PDF (*.pdf)")};
    request.confirmOverwrite = true;
    const std::optional<QString> file = prompter().saveFile(request);
    if (!file || file->isEmpty())
        return false;
    Progress progress(m_parent, QStringLiteral("Uložiť ako PDF"), QStringLiteral("Ukladá sa"), m_delay);
    QString error;
    const bool written = ReportPainter::writePdf(m_doc, *file, &error, [&](int done, int total) {
        const bool go = progress.step(done, total);
        emit pageWritten(done, total);
        return go && !progress.stopped();
    });
    if (written)
        return true;
    if (progress.stopped())
        tell(QStringLiteral("Ukladanie bolo zrušené, zostava sa neuložila."), QStringLiteral("Informácia"),
             PromptIcon::Information);
    else
        tell(failureMessage(QStringLiteral("Zostavu sa nepodarilo uložiť."), error), QStringLiteral("Chybová správa"),
             PromptIcon::Exclamation);
    return false;
}

bool PageWriter::print(QPrinter &printer, int first, int last)
{
    Progress progress(m_parent, QStringLiteral("Tlač"), QStringLiteral("Tlačí sa"), m_delay);
    // Stopped, a print job is dropped before it reaches the printer; a print
    // system that cannot drop it gets the pages painted before the stop, and
    // the user is told which.
    bool dropped = false;
    int done = 0, total = 0;
    const ReportPainter::Outcome outcome =
        ReportPainter::paint(m_doc, &printer, first, last, [&](int pages, int of) {
            done = pages;
            total = of;
            const bool go = progress.step(pages, of);
            emit pageWritten(pages, of);
            if (go && !progress.stopped())
                return true;
            dropped = dropPrintJob(printer) || printer.abort();
            return false;
        });
    if (outcome == ReportPainter::Outcome::Painted)
        return true;
    if (outcome == ReportPainter::Outcome::Stopped) {
        // Printed into a file, the pages written so far are dropped.
        const QString file = printer.outputFileName();
        if (!file.isEmpty())
            tell(QFile::remove(file) || !QFile::exists(file)
                     ? QStringLiteral("Tlač do súboru bola zrušená, súbor sa nevytvoril.")
                     : QStringLiteral("Tlač do súboru bola zrušená; súbor %1 obsahuje strany pripravené pred "
                                      "zrušením (%2 z %3).").arg(QDir::toNativeSeparators(file)).arg(done).arg(total),
                 QStringLiteral("Informácia"), PromptIcon::Information);
        else
            tell(dropped ? QStringLiteral("Tlač bola zrušená, na tlačiareň sa neposlala žiadna strana.")
                         : QStringLiteral("Tlač bola zrušená; tlačiareň dostala strany pripravené pred zrušením "
                                          "(%1 z %2).").arg(done).arg(total),
                 QStringLiteral("Informácia"), PromptIcon::Information);
    } else {
        tell(QStringLiteral("Zostavu sa nepodarilo vytlačiť."), QStringLiteral("Chybová správa"),
             PromptIcon::Exclamation);
    }
    return false;
}

} // namespace ulk::report
