#pragma once
#include "reports/ReportDefinition.h"
#include "reports/ReportDocument.h"

#include <QString>
#include <functional>

class QWidget;

// Shows reports: the report rule with its modal print preview, from which
// the user prints the report or saves it as a PDF file.
namespace ulk::report {

class ReportViewer {
public:
    // What shows a laid-out report; the print preview unless replaced.
    using Presenter = std::function<void(const ReportDocument &doc, QWidget *parent)>;
    // Test seam: tests put a function here that records the pages instead of
    // opening a window; an empty function brings the print preview back.
    static void setPresenter(Presenter presenter);

    // Shows a report by the report rule and returns when the preview is
    // closed. A failure to read the rows or to lay them out is told in a
    // message box; the result is false then. Rows handed to the report serve
    // this one show. rowsRead runs once the rows are read and laid out, just
    // before the preview opens: work that would slow their reading starts
    // there.
    static bool show(ReportDefinition &report, const QString &programDirectory, QWidget *parent = nullptr,
                     const std::function<void()> &rowsRead = {});

    // The modal print preview of laid-out pages.
    static void preview(const ReportDocument &doc, QWidget *parent = nullptr);
};

} // namespace ulk::report
