#include "common/Clock.h"
#include "data/Database.h"
#include "statement/AgeSection.h"
#include "statement/EducationSection.h"
#include "StatementFixtures.h"

#include <QTest>

using namespace ulk;
using namespace ulk::statement;

namespace {
const QDate kToday(2007, 3, 5);
const StatementPeriod k2006(QDate(2006, 9, 1), QDate(2007, 8, 31));
} // namespace

class StatementRunTest : public QObject {
    Q_OBJECT
private slots:
    void init() { Clock::setToday(kToday); }
    void cleanup()
    {
        Clock::setToday(QDate());
        Database::close();
    }

    // Keys compare without their trailing blanks, also where the stored key
    // has them and the clients are looked up through the key index.
    void storedKeyWithTrailingBlanksIsFound()
    {
        test::ProgramDir dir;
        QCOMPARE(Database::open(dir.path()), Database::OpenResult::Ok);
        test::addStatementClient("HORAJA00  ", "2003-05-05", "Z", "3");
        test::addCare("HORAJA00", "2006-12-01");
        test::addStay("HORAJA00 ", "01");
        test::addStatementClient("HORAJAN00", "2003-05-05", "M", "3");
        QString error;
        const auto ages = AgeSection::count(k2006, kToday, &error);
        QVERIFY2(ages, qPrintable(error));
        QCOMPARE(ages->totals.value("spolu"), 1);
        QCOMPARE(ages->lines[3][3], QString("1"));
        QCOMPARE(ages->ages.size(), 1);
        const auto education = EducationSection::compute(k2006, &error);
        QVERIFY2(education, qPrintable(error));
        QCOMPARE(education->totals.value("spolu"), 1);
        QCOMPARE(education->lines[0].mid(4, 2), QStringList({"0201", "1"}));
    }
};

QTEST_GUILESS_MAIN(StatementRunTest)
#include "StatementRunTest.moc"
