#pragma once
#include "reports/ReportDocument.h"

#include <QList>
#include <QStringList>

namespace ulk::test {

// The texts of placed texts, in their order.
QStringList texts(const QList<report::PlacedText> &list);
// The texts of the detail lines (Section1) of a page, one list per line
// printed, in column order.
QList<QStringList> detailRows(const report::ReportPage &page);

} // namespace ulk::test
