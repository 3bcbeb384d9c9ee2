#include "reports/ReportRule.h"

#include "common/Clock.h"
#include "common/LongWork.h"
#include "data/DataEnvironment.h"
#include "data/Database.h"
#include "reports/ReportLayout.h"

namespace ulk::report {

std::optional<ReportDocument> ReportRule::prepare(ReportDefinition &report, const QString &programDirectory,
                                                  QString *error)
{
    // Reading a long list takes a while: the window thread shows it meanwhile.
    const LongWork::Action preparing(QStringLiteral("Zostava"), QStringLiteral("Načítavajú sa údaje zostavy …"));
    DataEnvironment &den = DataEnvironment::denUlk();
    den.unload();
    den.load();
    den.setDatabaseFile(Database::pathIn(programDirectory));

    RowSet rows;
    if (report.dataSource()) {
        rows = *report.dataSource();
    } else if (!report.dataMember().isEmpty()) {
        QString why;
        const auto &filter = report.keyFilter();
        std::optional<RowSet> read = filter ? den.readForKey(report.dataMember(), filter->column, filter->key, &why)
                                            : den.read(report.dataMember(), &why);
        if (!read) {
            if (error)
                *error = QStringLiteral("údaje sa nepodarilo načítať (%1)").arg(why);
            return std::nullopt;
        }
        rows = *read;
    } else {
        if (error)
            *error = QStringLiteral("zostava %1 nemá zdroj údajov").arg(report.name());
        return std::nullopt;
    }
    return ReportLayout::layOut(report, rows, Clock::today(), error);
}

void ReportRule::finish() { DataEnvironment::denUlk().unload(); }

} // namespace ulk::report
