// The employee pickers of the examinations, care records and recorded
// changes, and the facility picker.
#include "SubRecordDriver.h"

#include "data/CodeList.h"

using namespace ulk;
using namespace ulk::test;

namespace {

// With the employees Ab Cibuľa and Ján Novák stored, opens the client and
// runs fn on a new examination with its employee picker.
bool onNewExamination(Register &r, const std::function<void(ClientWindow *, CodePicker *)> &fn)
{
    addEmployee("AB00", "Ab", "Cibuľa");
    addEmployee("NOVÁKJA00", "Ján", "Novák");
    return r.open([&](ClientWindow *w) {
        startNew(w, K::Examinations);
        fn(w, codePicker(w, K::Examinations));
    });
}

} // namespace

class SubRecordPickersTest : public QObject {
    Q_OBJECT
private slots:
    void withoutEmployeesThePickersSaySo_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("how"); // 0 click, 1 Enter
        QTest::newRow("examination, click") << int(K::Examinations) << 0;
        QTest::newRow("care record, Enter") << int(K::ActivityRecords) << 1;
        QTest::newRow("change, click") << int(K::ChangeRecords) << 0;
    }
    void withoutEmployeesThePickersSaySo()
    {
        QFETCH(int, kind);
        QFETCH(int, how);
        const K k = K(kind);
        Register r;
        ScriptedPrompter &p = r.prompter;
        p.answer(PromptAnswer::Ok);
        QVERIFY(r.open([&](ClientWindow *w) {
            startNew(w, k);
            CodePicker *picker = codePicker(w, k);
            if (how == 0) {
                clickDropDown(picker);
            } else {
                picker->setFocus(Qt::TabFocusReason);
                QTest::keyClick(picker, Qt::Key_Return);
            }
            QVERIFY(!picker->view()->isVisible());
            QCOMPARE(focused(), box(w, k, SubRecordFamilies::of(k).employeeBox));
        }));
        QCOMPARE(p.texts(), QStringList({"Chýba zoznam zamestnancov ! "}));
        QCOMPARE(p.prompts[0].title, QString());
        QCOMPARE(p.prompts[0].icon, PromptIcon::Exclamation);
        QCOMPARE(p.prompts[0].buttons, PromptButtons::Ok);
    }

    void theEmployeeList()
    {
        Register r;
        addEmployee("NOVÁKJA00", " Ján ", "Novák");
        addEmployee("ČERNÁEV01", "Eva", "Černá");
        addEmployee("AB00", "Ab", "Cibuľa");
        QVERIFY(r.open([&](ClientWindow *w) {
            CodePicker *picker = codePicker(w, K::ChangeRecords);
            QCOMPARE(picker->objectName(), QString("DBCZaz"));
            QCOMPARE(picker->toolTip(), QString("výber z číselníka"));
            QCOMPARE(picker->font().family(), QString("Courier New"));
            QStringList lines;
            for (int i = 0; i < picker->count(); ++i)
                lines << picker->itemText(i);
            QCOMPARE(lines, QStringList({"AB00     |Cibuľa  Ab", "ČERNÁEV01|Černá  Eva", "NOVÁKJA00|Novák  Ján"}));
            CodeList &employees = w->subRecords().employees();
            QCOMPARE(employees.name(2), QString("Novák Ján"));
            QCOMPARE(codePicker(w, K::Facilities)->toolTip(), QString("výber zariadenia"));
        }));
    }

    void aPickedKeyFillsTenCharacters()
    {
        Register r;
        addEmployee("AB00", "Ab", "Cibuľa");
        addEmployee("NOVÁKJA00", "Ján", "Novák");
        sql("INSERT INTO k_zaznam_spc (idkod, datum, idkod_P) VALUES (?, '2024-01-11', 'NOVÁKJA00')", {kClient});
        ScriptedPrompter &p = r.prompter;
        QVERIFY(r.open([&](ClientWindow *w) {
            showSub(w, K::ActivityRecords);
            clickSub(w, K::ActivityRecords, B::Edit);
            CodePicker *picker = codePicker(w, K::ActivityRecords);
            QVERIFY(clickItem(picker, 0));
            QCOMPARE(box(w, K::ActivityRecords, 3)->text(), QString("AB00      "));
            QCOMPARE(w->subRecords().selectedEmployeeId(), QString("AB00      "));
            QCOMPARE(focused(), box(w, K::ActivityRecords, 3));
            QCOMPARE(w->subRecords().employees().current(), 0);
            // The box's check takes the picked key.
            QTest::keyClick(box(w, K::ActivityRecords, 3), Qt::Key_Return);
            QCOMPARE(box(w, K::ActivityRecords, 3)->text(), QString("AB00"));
            clickSub(w, K::ActivityRecords, B::Save);
        }));
        QCOMPARE(scalar("SELECT idkod_P FROM k_zaznam_spc").toString(), QString("AB00"));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
    }

    void enterInAnEmployeePickerPicksItsLine()
    {
        Register r;
        ScriptedPrompter &p = r.prompter;
        QVERIFY(onNewExamination(r, [&](ClientWindow *w, CodePicker *picker) {
            picker->setFocus(Qt::TabFocusReason);
            // No line chosen yet: back to the box, nothing copied.
            QTest::keyClick(picker, Qt::Key_Return);
            QCOMPARE(focused(), box(w, K::Examinations, 1));
            QVERIFY(box(w, K::Examinations, 1)->text().isEmpty());
            picker->setCurrentIndex(1);
            picker->setFocus(Qt::TabFocusReason);
            QTest::keyClick(picker, Qt::Key_Return);
            QCOMPARE(box(w, K::Examinations, 1)->text(), QString("NOVÁKJA00 "));
            QCOMPARE(w->subRecords().selectedEmployeeId(), QString("NOVÁKJA00 "));
            QCOMPARE(focused(), box(w, K::Examinations, 1));
        }));
        QVERIFY(p.unexpected.isEmpty());
    }

    void escInAnEmployeePickerCopiesNothing()
    {
        Register r;
        ScriptedPrompter &p = r.prompter;
        QVERIFY(onNewExamination(r, [&](ClientWindow *w, CodePicker *picker) {
            QVERIFY(clickItem(picker, 0));
            picker->setFocus(Qt::TabFocusReason);
            picker->setCurrentIndex(1);
            QTest::keyClick(picker, Qt::Key_Escape);
            QVERIFY(subTab(w, K::Examinations)->isInEditMode());
            QCOMPARE(focused(), box(w, K::Examinations, 1));
            QVERIFY(shared().comboEscPressed);
            QCOMPARE(box(w, K::Examinations, 1)->text(), QString("AB00      "));
            QCOMPARE(w->subRecords().selectedEmployeeId(), QString("AB00      "));
            // The next check copies nothing from the picker and lowers the flag.
            QTest::keyClick(box(w, K::Examinations, 1), Qt::Key_Return);
            QCOMPARE(box(w, K::Examinations, 1)->text(), QString("AB00      "));
            QVERIFY(!shared().comboEscPressed);
        }));
        QVERIFY(p.unexpected.isEmpty());
    }

    void theFacilityPicker()
    {
        Register r;
        ScriptedPrompter &p = r.prompter;
        QVERIFY(r.open([&](ClientWindow *w) {
            startNew(w, K::Facilities);
            CodePicker *picker = codePicker(w, K::Facilities);
            CodeList &facilities = w->subRecords().facilities();
            // A single digit is no code: the list opens on its first facility.
            typeText(box(w, K::Facilities, 0), "4");
            clickDropDown(picker);
            QTRY_VERIFY(picker->view()->isVisible());
            QCOMPARE(facilities.current(), 0);
            QCOMPARE(picker->currentIndex(), 0);
            picker->hidePopup();
            QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(w));
            // A listed code: the list opens on that facility.
            retype(box(w, K::Facilities, 0), "04");
            clickDropDown(picker);
            QTRY_VERIFY(picker->view()->isVisible());
            QCOMPARE(facilities.code(facilities.current()), QString("04"));
            QCOMPARE(picker->currentIndex(), 3);
            picker->hidePopup();
            QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(w));
            // A picked line gives only its code.
            QVERIFY(clickItem(picker, 7));
            QCOMPARE(box(w, K::Facilities, 0)->text(), QString("08"));
            QCOMPARE(focused(), box(w, K::Facilities, 0));
            QTest::keyClick(box(w, K::Facilities, 0), Qt::Key_Return);
            QCOMPARE(box(w, K::Facilities, 0)->text(), QString("08"));
            QCOMPARE(focused(), box(w, K::Facilities, 1));
            // Enter in the picker copies its line's code too.
            picker->setFocus(Qt::TabFocusReason);
            picker->setCurrentIndex(9);
            QTest::keyClick(picker, Qt::Key_Return);
            QCOMPARE(box(w, K::Facilities, 0)->text(), QString("16"));
            QCOMPARE(focused(), box(w, K::Facilities, 0));
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
    }
};

QTEST_MAIN(SubRecordPickersTest)
#include "SubRecordPickersTest.moc"
