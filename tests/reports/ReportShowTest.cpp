// A show of a report works on a copy of its definition: the captions, the
// column and the rows set for one print never stay on the definition as
// built, so that the next print starts from the report as designed.
#include "app/ui/MainWindow.h"
#include "client/ui/TabPrinter.h"
#include "common/Clock.h"
#include "data/DataEnvironment.h"
#include "data/Database.h"
#include "reports/AgeSectionReport.h"
#include "reports/DossierReports.h"
#include "reports/ui/ReportViewer.h"
#include "support/ProgramDir.h"
#include "support/ScriptedPrompter.h"

#include <QAction>
#include <QTest>

using namespace ulk;
using report::ReportDefinition;

namespace {

QString printed(const report::ReportDocument &doc, const QString &section, const QString &name)
{
    return doc.pages.first().textsOf(section, name).value(0).text;
}

QString caption(const ReportDefinition &r, const QString &section, const QString &name)
{
    const report::ReportControl *c = r.control(section, name);
    return c ? c->caption : QStringLiteral("<none>");
}

} // namespace

class ReportShowTest : public QObject {
    Q_OBJECT

    QList<report::ReportDocument> m_shown;

private slots:
    void init()
    {
        m_shown.clear();
        report::ReportViewer::setPresenter([this](const report::ReportDocument &doc, QWidget *) { m_shown << doc; });
    }
    void cleanup()
    {
        report::ReportViewer::setPresenter({});
        Clock::setToday(QDate());
        DataEnvironment::denUlk().unload();
        Database::close();
    }

    void aStatementPrintLeavesItsReportAsBuilt()
    {
        Clock::setToday(QDate(2011, 3, 5));
        test::ScriptedPrompter p;
        test::ProgramDir dir;
        MainWindow w(dir.path());
        QVERIFY(w.load());
        test::sql("INSERT INTO k_zaklad (idkod, meno, priezv, datnar, pohlav, postih) "
                  "VALUES ('DNES00', 'Eva', 'Malá', '2004-03-05', 'Z', '7')");
        test::sql("INSERT INTO k_zaznam_spc (idkod, datum, idkod_P) VALUES ('DNES00', '2010-10-01', 'PSYCH00')");
        w.findChild<QAction *>("mniVek")->trigger();
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join("; ")));
        QCOMPARE(m_shown.size(), 1);
        QCOMPARE(printed(m_shown[0], "Section4", "Label105"), QString("za školský rok 2010/2011"));
        QCOMPARE(printed(m_shown[0], "Section5", "Label68"), QString("1"));

        const ReportDefinition &built = report::AgeSectionReport::instance();
        const ReportDefinition design = report::AgeSectionReport::create();
        QCOMPARE(caption(built, "Section4", "Label105"), QString("za školský rok 2006/2007"));
        for (const auto &[column, label] : report::AgeSectionReport::totalLabels())
            QCOMPARE(caption(built, "Section5", label), caption(design, "Section5", label));
        QVERIFY(!built.dataSource());
    }

    void aTabPrintLeavesItsReportAsBuilt()
    {
        test::ScriptedPrompter p;
        test::ProgramDir dir;
        QCOMPARE(Database::open(dir.path()), Database::OpenResult::Ok);
        test::addClient("NOVAKJA00", "Ján", "Novák", "1");
        QVERIFY(printClientTab(nullptr, dir.path(), 7, "NOVAKJA00", "Ján", "Novák"));
        QCOMPARE(m_shown.size(), 1);
        QCOMPARE(m_shown[0].caption, QString("Poznámky"));
        QCOMPARE(printed(m_shown[0], "Section4", "lblMeno"), QString("Ján  Novák"));

        const ReportDefinition *built = report::DossierReports::instance("rptDemo");
        const std::optional<ReportDefinition> design = report::DossierReports::create("rptDemo");
        QVERIFY(built && design);
        QCOMPARE(built->caption, design->caption);
        for (const char *label : {"lblMeno", "lblNadpis"})
            QCOMPARE(caption(*built, "Section4", label), caption(*design, "Section4", label));
        QCOMPARE(built->control("Section1", "txtPolozka")->dataField,
                 design->control("Section1", "txtPolozka")->dataField);
        QVERIFY(p.unexpected.isEmpty());
    }
};

QTEST_MAIN(ReportShowTest)
#include "ReportShowTest.moc"
