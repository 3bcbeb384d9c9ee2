#pragma once
#include "reports/ReportDocument.h"

#include <QPageLayout>
#include <QString>

class QPagedPaintDevice;
class QPainter;


// Draws laid-out report pages: on a printer (the print preview paints
// through it) or into a PDF file. Positions in twips are mapped onto the
// device's page, whatever its resolution.
namespace ulk::report {

class ReportPainter {
public:
    // The page layout of a document: A4, its orientation, no margins (the
    // report's margins are part of its positions).
    static QPageLayout pageLayout(const ReportDocument &doc);

    // Paints the pages first to last (0-based; -1: to the end) on a device
    // whose page layout is already set (a printer in full-page mode, a PDF
    // writer); false when painting fails.
    static bool paint(const ReportDocument &doc, QPagedPaintDevice *device, int first = 0, int last = -1);
    // Paints one page with the painter mapped to twips.
    static void paintPage(const ReportPage &page, QPainter &painter);

    static bool writePdf(const ReportDocument &doc, const QString &filePath, QString *error = nullptr);
};

} // namespace ulk::report
