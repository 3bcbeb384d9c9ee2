#pragma once
#include "reports/ReportDocument.h"

#include <QPageLayout>
#include <QString>
#include <functional>

class QPagedPaintDevice;
class QPainter;


// Draws laid-out report pages: on a printer (the print preview paints
// through it) or into a PDF file. Positions in twips are mapped onto the
// device's page, whatever its resolution.
namespace ulk::report {

class ReportPainter {
public:
    // Told after each page painted: the pages done so far and of how many;
    // false stops the painting there.
    using PageDone = std::function<bool(int done, int total)>;
    enum class Outcome { Painted, Stopped, Failed };

    // The page layout of a document: A4, its orientation, no margins (the
    // report's margins are part of its positions).
    static QPageLayout pageLayout(const ReportDocument &doc);

    // Paints the pages first to last (0-based; -1: to the end) on a device
    // whose page layout is already set (a printer in full-page mode, a PDF
    // writer). Whoever stops a print job by pageDone aborts it there.
    static Outcome paint(const ReportDocument &doc, QPagedPaintDevice *device, int first = 0, int last = -1,
                         const PageDone &pageDone = {});
    // Paints one page with the painter mapped to twips.
    static void paintPage(const ReportPage &page, QPainter &painter);

    // Writes every page into a PDF file. The pages go to a temporary file
    // beside it that takes the file's place only when the last page is
    // written: a stopped or failed writing leaves no part of a PDF and an
    // existing file as it was. False when stopped by pageDone (error left
    // empty) or failed (*error: the Slovak cause).
    static bool writePdf(const ReportDocument &doc, const QString &filePath, QString *error = nullptr,
                         const PageDone &pageDone = {});
};

} // namespace ulk::report
