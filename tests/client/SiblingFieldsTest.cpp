// The siblings tab: name, year of birth, sex and the sibling's disability
// codes typed and chosen, with the string that the save stores.
#include "SubRecordDriver.h"

using namespace ulk;
using namespace ulk::test;

namespace {

QString slotLine(ClientWindow *w)
{
    QStringList s;
    for (int i = 0; i < 9; ++i)
        s << w->findChild<QLineEdit *>(QStringLiteral("textPosS%1").arg(i))->text();
    return s.join('|');
}

QComboBox *combo(ClientWindow *w, const char *name) { return w->findChild<QComboBox *>(QString::fromLatin1(name)); }

QStringList items(QComboBox *c)
{
    QStringList l;
    for (int i = 0; i < c->count(); ++i)
        l << c->itemText(i);
    return l;
}

FieldEdit *sur(ClientWindow *w, int i) { return box(w, K::Siblings, i); }

// The siblings tab with a new sibling in edit.
bool newSibling(Register &r, const std::function<void(ClientWindow *)> &fn)
{
    return r.open([&](ClientWindow *w) {
        startNew(w, K::Siblings);
        fn(w);
    });
}

} // namespace

class SiblingFieldsTest : public QObject {
    Q_OBJECT
private slots:
    void onlyDigitsInTheNumberBoxes_data()
    {
        QTest::addColumn<int>("boxIndex");
        QTest::newRow("year") << 1;
        QTest::newRow("dominant") << 4;
        QTest::newRow("associated") << 5;
    }
    void onlyDigitsInTheNumberBoxes()
    {
        QFETCH(int, boxIndex);
        Register r;
        ScriptedPrompter &p = r.prompter;
        p.answer(PromptAnswer::Ok);
        QVERIFY(newSibling(r, [&](ClientWindow *w) {
            if (boxIndex == 5)
                QVERIFY(clickItem(combo(w, "cmbSur1"), 2));
            click(sur(w, boxIndex));
            typeText(sur(w, boxIndex), "a");
            QCOMPARE(sur(w, boxIndex)->text(), QString());
            QCOMPARE(focused(), sur(w, boxIndex));
            typeText(sur(w, boxIndex), "1");
            QTest::keyClick(sur(w, boxIndex), Qt::Key_Backspace);
            QVERIFY(sur(w, boxIndex)->text().isEmpty());
        }));
        QCOMPARE(p.texts(), QStringList({"Zadávaj len číselné hodnoty !"}));
        QCOMPARE(p.prompts[0].title, QString("Chybová správa"));
        QCOMPARE(p.prompts[0].icon, PromptIcon::Exclamation);
    }

    void theYearOfBirthHoldsZeroWhenLeftEmpty()
    {
        Register r;
        ScriptedPrompter &p = r.prompter;
        QVERIFY(newSibling(r, [&](ClientWindow *w) {
            typeInto(sur(w, 0), "anna");
            QCOMPARE(sur(w, 0)->text(), QString("Anna"));
            QCOMPARE(focused(), sur(w, 1));
            QTest::keyClick(sur(w, 1), Qt::Key_Return);
            QCOMPARE(sur(w, 1)->text(), QString("0"));
            click(sur(w, 1));
            QCOMPARE(sur(w, 1)->text(), QString());
            typeText(sur(w, 1), "2012");
            click(sur(w, 3));
            QCOMPARE(sur(w, 1)->text(), QString("2012"));
            typeInto(sur(w, 3), "astma", Qt::Key_PageDown);
            QCOMPARE(focused(), subButton(w, K::Siblings, B::Save));
            QTest::keyClick(focused(), Qt::Key_Return);
        }));
        QCOMPARE(scalar("SELECT meno || '|' || roknar || '|' || choroby || '|' || coalesce(pohlavie, 'Null') || '|' "
                        "|| coalesce(postih, 'Null') || '|' || idkod FROM k_surodenci")
                     .toString(),
                 QString("Anna|2012|astma|Null|Null|O'NEILMA00"));
        QVERIFY(p.unexpected.isEmpty());
    }

    void theSex()
    {
        Register r;
        ScriptedPrompter &p = r.prompter;
        p.answer(PromptAnswer::Retry).answer(PromptAnswer::Cancel);
        QVERIFY(newSibling(r, [&](ClientWindow *w) {
            typeInto(sur(w, 2), "z");
            QCOMPARE(sur(w, 2)->text(), QString("Z"));
            QCOMPARE(focused(), sur(w, 3));
            retype(sur(w, 2), "x");
            QTest::keyClick(sur(w, 2), Qt::Key_Return);
            QCOMPARE(focused(), sur(w, 2));
            QTest::keyClick(sur(w, 2), Qt::Key_Return);
            QVERIFY(sur(w, 2)->text().isEmpty());
            QCOMPARE(focused(), sur(w, 3));
            // The picker's "Z" goes into the box, with the focus.
            QVERIFY(clickItem(combo(w, "cmbSur0"), 1));
            QCOMPARE(sur(w, 2)->text(), QString("Z"));
            QCOMPARE(focused(), sur(w, 2));
            // Esc in either picker goes back to its box and changes nothing.
            focusCombo(combo(w, "cmbSur0"));
            QTest::keyClick(combo(w, "cmbSur0"), Qt::Key_Escape);
            QCOMPARE(focused(), sur(w, 2));
            QCOMPARE(sur(w, 2)->text(), QString("Z"));
            focusCombo(combo(w, "cmbSur1"));
            QTest::keyClick(combo(w, "cmbSur1"), Qt::Key_Escape);
            QCOMPARE(focused(), sur(w, 4));
            QVERIFY(subTab(w, K::Siblings)->isInEditMode());
        }));
        QCOMPARE(p.texts(), QStringList({"Pohlavie môže nadobudnúť len hodnotu M alebo Z!",
                                         "Pohlavie môže nadobudnúť len hodnotu M alebo Z!"}));
    }

    void theDominantCodeTyped()
    {
        Register r;
        ScriptedPrompter &p = r.prompter;
        QVERIFY(newSibling(r, [&](ClientWindow *w) {
            QComboBox *associated = combo(w, "cmbSek3");
            typeInto(sur(w, 4), "0");
            QCOMPARE(slotLine(w), QString("||||||||"));
            QCOMPARE(focused(), sur(w, 4));
            // The 0 stays in the box; the code is typed over it.
            QCOMPARE(sur(w, 4)->text(), QString("0"));
            retype(sur(w, 4), "3");
            QTest::keyClick(sur(w, 4), Qt::Key_Return);
            QCOMPARE(slotLine(w), QString("3| | | | | | | | "));
            QVERIFY(!items(associated).contains("3 ¦ sluchové"));
            QCOMPARE(associated->count(), 9);
            QVERIFY(sur(w, 4)->text().isEmpty());
            // Nothing was picked yet: the associated code opens, and takes the focus.
            QVERIFY(associated->isEnabled());
            QCOMPARE(focused(), sur(w, 5));
        }));
        QVERIFY(p.unexpected.isEmpty());
    }

    void theDominantPickersLastPickDecides()
    {
        Register r;
        ScriptedPrompter &p = r.prompter;
        QVERIFY(newSibling(r, [&](ClientWindow *w) {
            QComboBox *dominant = combo(w, "cmbSur1");
            QVERIFY(clickItem(dominant, 4));
            QCOMPARE(slotLine(w), QString("4| | | | | | | | "));
            QCOMPARE(focused(), sur(w, 4));
            QVERIFY(sur(w, 5)->isEnabled());
            QVERIFY(clickItem(dominant, 0));
            QCOMPARE(slotLine(w), QString("| | | | | | | | "));
            QVERIFY(!sur(w, 5)->isEnabled());
            QVERIFY(!combo(w, "cmbSek3")->isEnabled());
            // After the first item was picked a typed code keeps the associated code closed.
            typeInto(sur(w, 4), "6");
            QCOMPARE(slotLine(w), QString("6| | | | | | | | "));
            QVERIFY(!sur(w, 5)->isEnabled());
            QCOMPARE(focused(), sur(w, 4));
            // Leaving the box with the mouse applies a typed code as Enter does.
            typeText(sur(w, 4), "7");
            click(sur(w, 0));
            QCOMPARE(slotLine(w), QString("7| | | | | | | | "));
            QVERIFY(sur(w, 4)->text().isEmpty());
        }));
        QVERIFY(p.unexpected.isEmpty());
    }

    void associatedCodes()
    {
        Register r;
        ScriptedPrompter &p = r.prompter;
        p.answer(PromptAnswer::Retry).answer(PromptAnswer::Cancel);
        QVERIFY(newSibling(r, [&](ClientWindow *w) {
            typeInto(sur(w, 0), "Eva");
            typeInto(sur(w, 4), "3");
            QCOMPARE(focused(), sur(w, 5));
            typeInto(sur(w, 5), "5");
            typeInto(sur(w, 5), "2");
            QCOMPARE(slotLine(w), QString("3|5|2| | | | | | "));
            QCOMPARE(focused(), sur(w, 5));
            // A code the sibling has already.
            typeInto(sur(w, 5), "5");
            QVERIFY(sur(w, 5)->text().isEmpty());
            // Cancel empties the box, and the empty code takes the first free
            // slot (which stays free).
            typeInto(sur(w, 5), "3");
            QVERIFY(sur(w, 5)->text().isEmpty());
            QCOMPARE(slotLine(w), QString("3|5|2|| | | | | "));
            QCOMPARE(items(combo(w, "cmbSek3")).size(), 7);
            clickSub(w, K::Siblings, B::Save);
            QVERIFY(!subTab(w, K::Siblings)->isInEditMode());
        }));
        QCOMPARE(p.texts(), QStringList({"Postihnutie môže nadobudnúť len hodnotu 1 až 9 bez duplicít !",
                                         "Postihnutie môže nadobudnúť len hodnotu 1 až 9 bez duplicít !"}));
        QCOMPARE(p.prompts[0].defaultButton, 1);
        QCOMPARE(scalar("SELECT postih FROM k_surodenci WHERE meno = 'Eva'").toString(), QString("352") + QString(5, ' '));
    }

    void zeroDiscardsTheAssociatedCodes()
    {
        Register r;
        addSibling("Eva", "352");
        ScriptedPrompter &p = r.prompter;
        QVERIFY(r.open([&](ClientWindow *w) {
            showSub(w, K::Siblings);
            QCOMPARE(slotLine(w), QString("3|5|2||||||"));
            clickSub(w, K::Siblings, B::Edit);
            QVERIFY(sur(w, 5)->isEnabled());
            typeInto(sur(w, 5), "0");
            QCOMPARE(slotLine(w), QString("3| | | | | | | | "));
            QCOMPARE(items(combo(w, "cmbSek3")).size(), 9);
            QVERIFY(!items(combo(w, "cmbSek3")).contains("3 ¦ sluchové"));
            // An empty associated box left for its list: the first free slot becomes empty text.
            click(sur(w, 0));
            click(sur(w, 5));
            focusCombo(combo(w, "cmbSek3"));
            QCOMPARE(slotLine(w), QString("3|| | | | | | | "));
            clickSub(w, K::Siblings, B::Save);
        }));
        QCOMPARE(scalar("SELECT postih FROM k_surodenci").toString(), QString("3") + QString(7, ' '));
        QVERIFY(p.unexpected.isEmpty());
    }

    void siblingsNamesAreUnique()
    {
        Register r;
        addSibling("Anna");
        addSibling("O'Brien");
        ScriptedPrompter &p = r.prompter;
        p.answer(PromptAnswer::Ok);
        QVERIFY(r.open([&](ClientWindow *w) {
            showSub(w, K::Siblings);
            // The sibling's own unchanged name passes.
            clickRow(w, K::Siblings, 1);
            clickSub(w, K::Siblings, B::Edit);
            QTest::keyClick(sur(w, 0), Qt::Key_Return);
            QCOMPARE(focused(), sur(w, 1));
            clickSub(w, K::Siblings, B::Cancel);
            clickSub(w, K::Siblings, B::New);
            typeInto(sur(w, 0), "o'brien");
            QCOMPARE(focused(), sur(w, 0));
            QCOMPARE(sur(w, 0)->text(), QString("O'brien"));
            retype(sur(w, 0), "ján o'brien");
            QTest::keyClick(sur(w, 0), Qt::Key_Return);
            QCOMPARE(sur(w, 0)->text(), QString("Ján O'brien"));
            clickSub(w, K::Siblings, B::Save);
        }));
        QCOMPARE(p.texts(), QStringList({"Súrodenec s rovnakým menom :O'brien už je zapísaný"}));
        QCOMPARE(p.prompts[0].title, QString("Chybová správa"));
        QCOMPARE(rowCount("k_surodenci", "WHERE meno = ?", {"Ján O'brien"}), 1);
    }

    void aNewSiblingStartsWithoutCodes()
    {
        Register r;
        addSibling("Anna", "52");
        ScriptedPrompter &p = r.prompter;
        QVERIFY(r.open([&](ClientWindow *w) {
            showSub(w, K::Siblings);
            QCOMPARE(slotLine(w), QString("5|2|||||||"));
            clickSub(w, K::Siblings, B::New);
            QCOMPARE(slotLine(w), QString("||||||||"));
            typeInto(sur(w, 0), "Boris");
            clickSub(w, K::Siblings, B::Save);
            QCOMPARE(lines(w, K::Siblings), QStringList({"Anna", "Boris"}));
        }));
        QVERIFY(scalar("SELECT postih FROM k_surodenci WHERE meno = 'Boris'").isNull());
        QCOMPARE(scalar("SELECT postih FROM k_surodenci WHERE meno = 'Anna'").toString(), QString("52"));
        QVERIFY(p.unexpected.isEmpty());
    }
};

QTEST_MAIN(SiblingFieldsTest)
#include "SiblingFieldsTest.moc"
