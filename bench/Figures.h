#pragma once
#include <QList>
#include <QString>
#include <functional>

// What one measuring process hands to the table: each figure as one line on
// standard output, "FIG <tab> figure <tab> anchor <tab> program <tab> anchor
// value <tab> unit"; a value below zero stands for none.
namespace bench {

void figure(const QString &name, const QString &anchorName, double program, double anchor,
            const QString &unit = QStringLiteral("ms"));

// The longest stall of the window thread while a long action ran (the
// middle of its runs'), beside the second the window may freeze at most:
// the figure "longest stall: <action>".
void stallFigure(const QString &action, const QList<double> &stalls);

// The median of runs of work, each after prepare (not timed); work returns
// its own milliseconds, so that it can stop its clock once its result is
// painted.
double median(const std::function<double()> &work, const std::function<void()> &prepare = {}, int runs = 3);

// Whether a group of figures is measured: every group, unless the
// environment's ULK_BENCH_ONLY lists some ("startup,record,search,statement,
// preview,pdf,compaction,archive,restore"; the client list is always measured).
bool wanted(const char *group);

// The middle of values (the upper one of an even count); -1 for none.
double middle(QList<double> values);

// Writes the file's changed pages to the disk and drops its pages from the
// system's cache, so that the next reader finds it as after a restart: a
// run and its anchor are timed in the same state of the cache. Nothing
// happens to a file that is not there.
void forgetCached(const QString &path);

// Copies a file as cp does (copy_file_range): the copy's pages are left in
// the system's cache for it to write out when it will. False when it could
// not be copied.
bool copyAsCp(const QString &from, const QString &to);

// Kilobytes of the process's resident memory now and at its peak.
long residentKb();
long peakResidentKb();

} // namespace bench
