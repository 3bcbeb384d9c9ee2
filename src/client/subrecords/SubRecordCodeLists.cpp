#include "client/subrecords/SubRecordCodeLists.h"

namespace ulk {

namespace {

const char *const kEmployeesSql =
    "SELECT idkod, trim(coalesce(priezv, '')) || ' ' || trim(coalesce(meno, '')) AS spolu, "
    "substr(idkod || '         ', 1, max(9, length(idkod))) || '|' || trim(coalesce(priezv, '')) || '  ' "
    "|| trim(coalesce(meno, '')) AS roleta "
    "FROM zamestnanci ORDER BY priezv COLLATE SK, meno COLLATE SK";

const char *const kFacilitiesSql =
    "SELECT kod, nazov, CASE WHEN length(kod) < 2 THEN substr('00' || kod, -2) ELSE kod END "
    "|| '  |  ' || coalesce(nazov, '') AS roleta FROM c_zariad WHERE akronym = ? ORDER BY kod";

} // namespace

SubRecordCodeLists::SubRecordCodeLists()
    : m_employees(QStringLiteral("zamestnanci"), QStringLiteral("idkod"), QStringLiteral("spolu"))
    , m_facilities(QStringLiteral("c_zariad"), QStringLiteral("kod"), QStringLiteral("nazov"))
{
}

bool SubRecordCodeLists::load(QString *error)
{
    return m_employees.load(QString::fromLatin1(kEmployeesSql), {}, error)
        && m_facilities.load(QString::fromLatin1(kFacilitiesSql), {m_facilityKind}, error);
}

bool SubRecordCodeLists::chooseFacilityKind(const QString &kind, QString *error)
{
    m_facilityKind = kind;
    return m_facilities.load(QString::fromLatin1(kFacilitiesSql), {kind}, error);
}

} // namespace ulk
