#pragma once
#include <QString>
#include <functional>

// What one measuring process hands to the table: each figure as one line on
// standard output, "FIG <tab> figure <tab> anchor <tab> program <tab> anchor
// value <tab> unit"; a value below zero stands for none.
namespace bench {

void figure(const QString &name, const QString &anchorName, double program, double anchor,
            const QString &unit = QStringLiteral("ms"));

// The median of runs of work, each after prepare (not timed); work returns
// its own milliseconds, so that it can stop its clock once its result is
// painted.
double median(const std::function<double()> &work, const std::function<void()> &prepare = {}, int runs = 3);

// Kilobytes of the process's resident memory now and at its peak.
long residentKb();
long peakResidentKb();

} // namespace bench
