// A save in the employee window that has no record to enter or edit writes
// nothing and is not taken for a save: the window stays with its input.
#include "common/SharedState.h"
#include "data/Database.h"
#include "employee/ui/EmployeeWindow.h"
#include "support/ProgramDir.h"
#include "support/ScriptedPrompter.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace ulk;

class EmployeeWindowSaveTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { test::closeProgram(); }

    void withoutARecordNothingIsSaved_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Zápis") << "cmdZap";
        QTest::newRow("Zápis + nový") << "cmdzapNew";
    }
    void withoutARecordNothingIsSaved()
    {
        QFETCH(QString, button);
        test::ProgramDir dir;
        QCOMPARE(Database::open(dir.path()), Database::OpenResult::Ok);
        test::ScriptedPrompter p;
        shared().recordMode = 0;
        EmployeeWindow w(dir.path());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.findChild<QLineEdit *>("TextPsych0")->setText("Jana");
        w.findChild<QLineEdit *>("TextPsych1")->setText("Nová");
        w.findChild<QComboBox *>("DBCombo1")->setEditText("Psychológ");
        QTest::mouseClick(w.findChild<QPushButton *>(button), Qt::LeftButton);
        QVERIFY(w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QCOMPARE(w.findChild<QLineEdit *>("TextPsych1")->text(), QString("Nová"));
        QCOMPARE(shared().recordMode, quint8(0));
        QCOMPARE(test::scalar("SELECT count(*) FROM zamestnanci").toInt(), 0);
        QVERIFY2(p.prompts.isEmpty(), qPrintable(p.texts().join('|')));
    }
};

QTEST_MAIN(EmployeeWindowSaveTest)
#include "EmployeeWindowSaveTest.moc"
