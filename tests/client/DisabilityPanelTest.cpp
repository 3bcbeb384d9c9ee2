#include "DisabilityDriver.h"

#include "client/DisabilityCodes.h"
#include "client/ui/DisabilityEntry.h"
#include "client/ui/DisabilityPanel.h"
#include "common/ui/FieldEdit.h"
#include "support/ScriptedPrompter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

using namespace ulk;
using test::listDigits;
using test::slotsOf;

namespace {

// The items of the associated list, and of the dominant picker, whose first
// item removes the code.
const QStringList kListItems = {QString::fromUtf8("0 \u00A6 ŽIADNE POSTIHNUTIE"),
                                QString::fromUtf8("1 \u00A6 syndróm autizmu"),
                                QString::fromUtf8("2 \u00A6 mentálne"),
                                QString::fromUtf8("3 \u00A6 sluchové"),
                                QString::fromUtf8("4 \u00A6 zrakové"),
                                QString::fromUtf8("5 \u00A6 rečové"),
                                QString::fromUtf8("6 \u00A6 telesné"),
                                QString::fromUtf8("7 \u00A6 špecifické vývinové poruchy správania"),
                                QString::fromUtf8("8 \u00A6 špecifické vývinové poruchy učenia"),
                                QString::fromUtf8("9 \u00A6 iné")};
const QStringList kDominantItems = QStringList{QString::fromUtf8("    ŽIADNE POSTIHNUTIE")} + kListItems.mid(1);

// The field handling that the record window puts around a person's two code
// boxes: a move key (Enter, Down, Up) runs the box's entry and, when it is
// accepted, marks the box and moves on (dominant box to the associated box
// while that is enabled, else it stays); leaving the box runs the entry
// unless the focus goes to the box's own list or the box was marked.
class FieldHandling : public QObject {
public:
    explicit FieldHandling(DisabilityPanel *panel) : m_panel(panel)
    {
        panel->dominantBox()->installEventFilter(this);
        panel->associatedBox()->installEventFilter(this);
    }
    QList<CheckResult> results;

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        auto *box = static_cast<FieldEdit *>(o);
        const bool dominant = box == m_panel->dominantBox();
        QComboBox *ownList = dominant ? m_panel->dominantPicker() : m_panel->associatedList();
        if (e->type() == QEvent::FocusIn) {
            box->setTag(QString());
            box->setText(box->text().trimmed());
            box->selectAll();
        } else if (e->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(e)->key();
            if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Down && key != Qt::Key_Up)
                return false;
            const CheckResult r = run(dominant);
            if (retry(r)) {
                box->selectAll();
                box->setFocus();
                return true;
            }
            box->setTag(QStringLiteral("BK"));
            if (dominant && key != Qt::Key_Up && m_panel->associatedBox()->isEnabled())
                m_panel->associatedBox()->setFocus();
            if (!dominant && key == Qt::Key_Up)
                m_panel->dominantBox()->setFocus();
            return true;
        } else if (e->type() == QEvent::FocusOut) {
            QWidget *to = QApplication::focusWidget();
            if (!box->isEnabled() || to == ownList)
                return false;
            const bool otherList = to == m_panel->dominantPicker() || to == m_panel->associatedList();
            if (!otherList && box->tag() == QLatin1String("BK"))
                return false;
            if (retry(run(dominant)))
                QTimer::singleShot(0, box, [box] { box->setFocus(); });
        }
        return false;
    }

private:
    CheckResult run(bool dominant)
    {
        const CheckResult r = dominant ? m_panel->entry()->enterDominantCode()
                                       : m_panel->entry()->enterAssociatedCode();
        results << r;
        return r;
    }
    DisabilityPanel *m_panel;
};

// A window with the panel of one person and one other field to click into.
struct Window {
    explicit Window(const QString &person)
    {
        auto *layout = new QVBoxLayout(&dialog);
        panel = new DisabilityPanel(person, DisabilityPanel::standardNames(person), &dialog);
        other = new QLineEdit(&dialog);
        other->setObjectName("other");
        layout->addWidget(panel);
        layout->addWidget(other);
        handling = new FieldHandling(panel);
        dialog.show();
        dialog.activateWindow();
    }
    ~Window() { delete handling; }
    QDialog dialog;
    DisabilityPanel *panel = nullptr;
    QLineEdit *other = nullptr;
    FieldHandling *handling = nullptr;
};

QStringList itemsOf(const QComboBox *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

QRect subControl(QComboBox *combo, QStyle::SubControl sc)
{
    QStyleOptionComboBox opt;
    opt.initFrom(combo);
    opt.frame = true;
    opt.subControls = QStyle::SC_All;
    return combo->style()->subControlRect(QStyle::CC_ComboBox, &opt, sc, combo);
}

// Opens the list with a click on its drop-down button and clicks the item.
void clickItem(QComboBox *combo, int index)
{
    QTest::mouseClick(combo, Qt::LeftButton, {}, subControl(combo, QStyle::SC_ComboBoxArrow).center());
    QAbstractItemView *view = combo->view();
    QTRY_VERIFY(view->isVisible());
    const QPoint at = view->visualRect(view->model()->index(index, 0)).center();
    QTest::mouseMove(view->viewport(), at - QPoint(0, 12));
    QTest::mouseMove(view->viewport(), at);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTRY_VERIFY(!view->isVisible());
}

void typeInto(FieldEdit *box, const QString &text, Qt::Key key = Qt::Key_Return)
{
    box->setFocus();
    QTRY_VERIFY(box->hasFocus());
    QTest::keyClicks(box, text);
    QTest::keyClick(box, key);
}

const QString Blank8 = QStringLiteral(" | | | | | | | ");
const QString Message = QStringLiteral("Postihnutie môže nadobudnúť len hodnotu 1 až 9 bez duplicít !");

} // namespace

class DisabilityPanelTest : public QObject {
    Q_OBJECT

    void persons()
    {
        QTest::addColumn<QString>("person");
        for (const char *p : {"K", "M", "O", "S"})
            QTest::newRow(p) << QString::fromLatin1(p);
    }

private slots:
    void controls_data()
    {
        QTest::addColumn<QString>("person");
        // The dominant box, the associated box, the dominant picker and the associated list.
        QTest::addColumn<QStringList>("names");
        QTest::newRow("K") << "K" << QStringList{"textKrz18", "textKrz19", "cmbPos2", "cmbSek0"};
        QTest::newRow("M") << "M" << QStringList{"textKrz33", "textKrz34", "cmbPos1", "cmbSek1"};
        QTest::newRow("O") << "O" << QStringList{"textKrz48", "textKrz49", "cmbPos0", "cmbSek2"};
        QTest::newRow("S") << "S" << QStringList{"textSur4", "textSur5", "cmbSur1", "cmbSek3"};
    }
    void controls()
    {
        QFETCH(QString, person);
        QFETCH(QStringList, names);
        test::ScriptedPrompter prompter;
        Window w(person);
        QVERIFY(QTest::qWaitForWindowExposed(&w.dialog));
        DisabilityPanel *p = w.panel;
        QCOMPARE(p->group()->title(), QStringLiteral("Postihnutia"));
        QCOMPARE(p->dominantBox()->objectName(), names[0]);
        QCOMPARE(p->associatedBox()->objectName(), names[1]);
        QCOMPARE(p->dominantPicker()->objectName(), names[2]);
        QCOMPARE(p->associatedList()->objectName(), names[3]);
        QCOMPARE(p->slotBoxes().size(), 9);
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(p->slotBoxes().at(i)->objectName(), "textPos" + person + QString::number(i));
            QVERIFY(p->slotBoxes().at(i)->isReadOnly());
            QCOMPARE(p->slotBoxes().at(i)->text(), QString());
        }
        // Slot 0 stands a little apart from slots 1 to 8, all in one row.
        const auto *s = &p->slotBoxes();
        QCOMPARE(s->at(0)->y(), s->at(8)->y());
        QVERIFY(s->at(1)->x() - s->at(0)->geometry().right() > s->at(2)->x() - s->at(1)->geometry().right());
        QVERIFY(s->at(0)->geometry().bottom() < p->dominantPicker()->y());

        if (person == "K") {
            QCOMPARE(p->dominantLabel()->text(), QStringLiteral("Výber domin. postihnutia"));
            QCOMPARE(p->associatedLabel()->text(), QStringLiteral("Výber pridruž. postihnutia"));
        } else {
            QCOMPARE(p->dominantLabel()->text(), QStringLiteral("Výber dominantného postihnutia"));
            QCOMPARE(p->associatedLabel()->text(), QStringLiteral("Výber pridruženého postihnutia"));
        }
        QCOMPARE(itemsOf(p->dominantPicker()), kDominantItems);
        QCOMPARE(itemsOf(p->associatedList()), kListItems);
        QCOMPARE(p->dominantBox()->maxLength(), 1);
        QCOMPARE(p->associatedBox()->maxLength(), 1);
        // Nothing to associate before a dominant code.
        QVERIFY(!p->associatedList()->isEnabled());
        QVERIFY(!p->associatedBox()->isEnabled());
        QVERIFY(p->dominantBox()->isEnabled());
        // Each code box lies over the text part of its list; the drop-down
        // button stays visible beside it.
        for (QComboBox *list : {p->dominantPicker(), p->associatedList()}) {
            auto *box = list == p->dominantPicker() ? p->dominantBox() : p->associatedBox();
            const QRect inList(list->mapFromGlobal(box->mapToGlobal(QPoint(0, 0))), box->size());
            QVERIFY(list->rect().contains(inList));
            QVERIFY(!inList.intersects(subControl(list, QStyle::SC_ComboBoxArrow)));
            QVERIFY(box->isVisible());
        }
        // Digits only.
        p->dominantBox()->setFocus();
        QTRY_VERIFY(p->dominantBox()->hasFocus());
        QTest::keyClicks(p->dominantBox(), "a");
        QCOMPARE(p->dominantBox()->text(), QString());
        QVERIFY(prompter.unexpected.isEmpty());
    }

    void typedDominantCode_data() { persons(); }
    void typedDominantCode()
    {
        QFETCH(QString, person);
        test::ScriptedPrompter prompter;
        Window w(person);
        QVERIFY(QTest::qWaitForWindowActive(&w.dialog));
        DisabilityPanel *p = w.panel;

        // "0" and nothing change nothing; the focus stays while the
        // associated box is disabled.
        typeInto(p->dominantBox(), "0");
        QCOMPARE(slotsOf(p), QStringLiteral("||||||||"));
        QVERIFY(!p->associatedBox()->isEnabled());
        QVERIFY(p->dominantBox()->hasFocus());
        p->dominantBox()->clear();
        typeInto(p->dominantBox(), "");
        QCOMPARE(slotsOf(p), QStringLiteral("||||||||"));

        typeInto(p->dominantBox(), "3");
        QCOMPARE(slotsOf(p), "3|" + Blank8);
        QCOMPARE(listDigits(p->associatedList()), QStringLiteral("012456789"));
        QCOMPARE(p->dominantBox()->text(), QString());
        QVERIFY(p->associatedList()->isEnabled());
        QVERIFY(p->associatedBox()->isEnabled());
        QTRY_VERIFY(p->associatedBox()->hasFocus());
        QCOMPARE(p->entry()->codeString(), "3" + QString(8, ' '));
        QVERIFY(prompter.prompts.isEmpty());
    }

    void typedAssociatedCodes_data() { persons(); }
    void typedAssociatedCodes()
    {
        QFETCH(QString, person);
        test::ScriptedPrompter prompter;
        Window w(person);
        QVERIFY(QTest::qWaitForWindowActive(&w.dialog));
        DisabilityPanel *p = w.panel;
        typeInto(p->dominantBox(), "3");
        QTRY_VERIFY(p->associatedBox()->hasFocus());

        QTest::keyClicks(p->associatedBox(), "5");
        QTest::keyClick(p->associatedBox(), Qt::Key_Return);
        QCOMPARE(slotsOf(p), QStringLiteral("3|5| | | | | | | "));
        QCOMPARE(listDigits(p->associatedList()), QStringLiteral("01246789"));
        QCOMPARE(p->associatedBox()->text(), QString());

        // A duplicate, answered with Cancel (the default button): refused,
        // the box is emptied and the blank free slot becomes empty.
        prompter.answer(PromptAnswer::Cancel);
        QTest::keyClicks(p->associatedBox(), "5");
        QTest::keyClick(p->associatedBox(), Qt::Key_Return);
        QCOMPARE(prompter.prompts.size(), 1);
        QCOMPARE(prompter.prompts.at(0).text, Message);
        QCOMPARE(prompter.prompts.at(0).title, QStringLiteral("Chybová správa"));
        QCOMPARE(prompter.prompts.at(0).icon, PromptIcon::Exclamation);
        QCOMPARE(prompter.prompts.at(0).buttons, PromptButtons::RetryCancel);
        QCOMPARE(prompter.prompts.at(0).defaultButton, 1);
        QCOMPARE(buttonsOf(PromptButtons::RetryCancel).at(1), PromptAnswer::Cancel);
        QCOMPARE(w.handling->results.last(), CheckResult::Accepted);
        QCOMPARE(slotsOf(p), QStringLiteral("3|5|| | | | | | "));
        QCOMPARE(p->associatedBox()->text(), QString());
        QCOMPARE(p->entry()->codeString(), "35" + QString(6, ' '));

        // The dominant code is a duplicate too; Retry keeps the focus.
        prompter.answer(PromptAnswer::Retry);
        QTest::keyClicks(p->associatedBox(), "3");
        QTest::keyClick(p->associatedBox(), Qt::Key_Return);
        QCOMPARE(prompter.prompts.size(), 2);
        QCOMPARE(prompter.prompts.at(1).text, Message);
        QCOMPARE(w.handling->results.last(), CheckResult::Retry);
        QVERIFY(p->associatedBox()->hasFocus());
        QCOMPARE(p->associatedBox()->text(), QString());
        QCOMPARE(slotsOf(p), QStringLiteral("3|5|| | | | | | "));

        // Another code fills the emptied slot; "0" discards the associated
        // codes and keeps the dominant one.
        QTest::keyClicks(p->associatedBox(), "8");
        QTest::keyClick(p->associatedBox(), Qt::Key_Down);
        QCOMPARE(slotsOf(p), QStringLiteral("3|5|8| | | | | | "));
        QCOMPARE(listDigits(p->associatedList()), QStringLiteral("0124679"));
        QTest::keyClicks(p->associatedBox(), "0");
        QTest::keyClick(p->associatedBox(), Qt::Key_Return);
        QCOMPARE(slotsOf(p), "3|" + Blank8);
        QCOMPARE(listDigits(p->associatedList()), QStringLiteral("012456789"));
        QCOMPARE(p->entry()->codeString(), "3" + QString(8, ' '));

        // A code typed after the box got the focus anew and left with the
        // mouse is entered as well.
        w.other->setFocus();
        QTRY_VERIFY(w.other->hasFocus());
        p->associatedBox()->setFocus();
        QTRY_VERIFY(p->associatedBox()->hasFocus());
        QTest::keyClicks(p->associatedBox(), "1");
        w.other->setFocus();
        QTRY_VERIFY(w.other->hasFocus());
        QCOMPARE(slotsOf(p), "3|1| | | | | | | ");
        QVERIFY(prompter.unexpected.isEmpty());
    }

    void chosenFromLists_data() { persons(); }
    void chosenFromLists()
    {
        QFETCH(QString, person);
        test::ScriptedPrompter prompter;
        Window w(person);
        QVERIFY(QTest::qWaitForWindowActive(&w.dialog));
        DisabilityPanel *p = w.panel;

        clickItem(p->dominantPicker(), 4);
        QCOMPARE(slotsOf(p), "4|" + Blank8);
        QCOMPARE(listDigits(p->associatedList()), QStringLiteral("012356789"));
        QVERIFY(p->associatedList()->isEnabled());
        QVERIFY(p->associatedBox()->isEnabled());
        QTRY_VERIFY(p->dominantBox()->hasFocus());
        QCOMPARE(p->dominantBox()->text(), QString());

        // "2 ¦ mentálne" is item 2 of the shortened list; chosen, it leaves it.
        clickItem(p->associatedList(), 2);
        QCOMPARE(slotsOf(p), QStringLiteral("4|2| | | | | | | "));
        QCOMPARE(listDigits(p->associatedList()), QStringLiteral("01356789"));
        QTRY_VERIFY(p->associatedBox()->hasFocus());
        QCOMPARE(p->associatedBox()->text(), QString());
        // Item 2 is now "3 ¦ sluchové".
        clickItem(p->associatedList(), 2);
        QCOMPARE(slotsOf(p), QStringLiteral("4|2|3| | | | | | "));
        QCOMPARE(p->entry()->codeString(), "423" + QString(6, ' '));

        // "0 ¦ ŽIADNE POSTIHNUTIE" resets, the dominant code stays.
        clickItem(p->associatedList(), 0);
        QCOMPARE(slotsOf(p), "4|" + Blank8);
        QCOMPARE(listDigits(p->associatedList()), QStringLiteral("012356789"));

        // A new dominant code discards the associated codes.
        clickItem(p->associatedList(), 1);
        clickItem(p->dominantPicker(), 9);
        QCOMPARE(slotsOf(p), "9|" + Blank8);
        QCOMPARE(listDigits(p->associatedList()), QStringLiteral("012345678"));

        // "    ŽIADNE POSTIHNUTIE" removes the dominant code.
        clickItem(p->dominantPicker(), 0);
        QCOMPARE(slotsOf(p), "|" + Blank8);
        QCOMPARE(p->entry()->codeString(), QString(8, ' '));
        QCOMPARE(itemsOf(p->associatedList()), kListItems);
        QVERIFY(!p->associatedList()->isEnabled());
        QVERIFY(!p->associatedBox()->isEnabled());
        QTRY_VERIFY(p->dominantBox()->hasFocus());
        // The dominant picker is never shortened.
        QCOMPARE(itemsOf(p->dominantPicker()), kDominantItems);
        QVERIFY(prompter.prompts.isEmpty());
    }

    void chosenWithKeys_data() { persons(); }
    void chosenWithKeys()
    {
        QFETCH(QString, person);
        test::ScriptedPrompter prompter;
        Window w(person);
        QVERIFY(QTest::qWaitForWindowActive(&w.dialog));
        DisabilityPanel *p = w.panel;
        typeInto(p->dominantBox(), "2");
        QTRY_VERIFY(p->associatedBox()->hasFocus());
        // A digit typed in the focused list chooses its category.
        p->associatedList()->setFocus();
        QTRY_VERIFY(p->associatedList()->hasFocus());
        QTest::keyClicks(p->associatedList(), "7");
        QCOMPARE(slotsOf(p), QStringLiteral("2|7| | | | | | | "));
        QCOMPARE(listDigits(p->associatedList()), QStringLiteral("01345689"));
        QTRY_VERIFY(p->associatedBox()->hasFocus());

        // The wheel over a list that has not the focus chooses nothing.
        const QPointF at = p->associatedList()->rect().center();
        QWheelEvent wheel(at, p->associatedList()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(p->associatedList(), &wheel);
        QCOMPARE(slotsOf(p), QStringLiteral("2|7| | | | | | | "));
        QCOMPARE(p->associatedList()->currentIndex(), -1);
    }

    // Leaving the dominant box by the mouse sets the associated controls by
    // the code in slot 0, whatever the picker shows from an earlier pick.
    void leavingDominantBox_data() { persons(); }
    void leavingDominantBox()
    {
        QFETCH(QString, person);
        test::ScriptedPrompter prompter;
        Window w(person);
        QVERIFY(QTest::qWaitForWindowActive(&w.dialog));
        DisabilityPanel *p = w.panel;

        // Nothing picked yet and no code: leaving keeps them disabled.
        p->dominantBox()->setFocus();
        QTRY_VERIFY(p->dominantBox()->hasFocus());
        w.other->setFocus();
        QTRY_VERIFY(w.other->hasFocus());
        QVERIFY(!p->associatedBox()->isEnabled());
        QVERIFY(!p->associatedList()->isEnabled());

        // The picker's last pick is item 0; a typed 3 still enables them.
        clickItem(p->dominantPicker(), 0);
        QTRY_VERIFY(p->dominantBox()->hasFocus());
        QTest::keyClicks(p->dominantBox(), "3");
        w.other->setFocus();
        QTRY_VERIFY(w.other->hasFocus());
        QCOMPARE(slotsOf(p), "3|" + Blank8);
        QCOMPARE(p->dominantBox()->text(), QString());
        QVERIFY(p->associatedBox()->isEnabled());
        QVERIFY(p->associatedList()->isEnabled());

        // Going from the box into its own picker runs nothing.
        p->dominantBox()->setFocus();
        QTRY_VERIFY(p->dominantBox()->hasFocus());
        QTest::keyClicks(p->dominantBox(), "6");
        p->dominantPicker()->setFocus();
        QTRY_VERIFY(p->dominantPicker()->hasFocus());
        QCOMPARE(slotsOf(p), "3|" + Blank8);
        QCOMPARE(p->dominantBox()->text(), QStringLiteral("6"));
    }

    // Esc in a list returns to its code box and leaves the window open.
    void escInList_data() { persons(); }
    void escInList()
    {
        QFETCH(QString, person);
        test::ScriptedPrompter prompter;
        Window w(person);
        QVERIFY(QTest::qWaitForWindowActive(&w.dialog));
        DisabilityPanel *p = w.panel;
        p->entry()->loadDisabilityCodes(QStringLiteral("2"));
        p->entry()->showDisabilityState(QStringLiteral("2"));

        p->associatedList()->setFocus();
        QTRY_VERIFY(p->associatedList()->hasFocus());
        QTest::keyClick(p->associatedList(), Qt::Key_Escape);
        QTRY_VERIFY(p->associatedBox()->hasFocus());
        QVERIFY(w.dialog.isVisible());

        p->dominantPicker()->setFocus();
        QTRY_VERIFY(p->dominantPicker()->hasFocus());
        QTest::keyClick(p->dominantPicker(), Qt::Key_Escape);
        QTRY_VERIFY(p->dominantBox()->hasFocus());
        QVERIFY(w.dialog.isVisible());
        QCOMPARE(w.dialog.result(), 0);
        QCOMPARE(slotsOf(p), QStringLiteral("2||||||||"));
    }

    void shownRow_data()
    {
        QTest::addColumn<QString>("person");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("slotTexts");
        QTest::addColumn<QString>("list");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("saved");
        for (const char *p : {"K", "M", "O", "S"}) {
            const QString person = QString::fromLatin1(p);
            QTest::addRow("%s 235 and six blanks", p)
                << person << QVariant(QStringLiteral("235      ")) << "2|3|5||||||" << "0146789" << true << "235";
            QTest::addRow("%s null", p) << person << QVariant() << "||||||||" << "0123456789" << false << "";
            QTest::addRow("%s blanks", p) << person << QVariant(QStringLiteral("        ")) << "||||||||"
                                          << "0123456789" << false << "";
        }
        QTest::newRow("K longer than nine") << "K" << QVariant(QStringLiteral("1234567895")) << "1|2|3|4|5|6|7|8|9"
                                            << "0" << true << "123456789";
    }
    void shownRow()
    {
        QFETCH(QString, person);
        QFETCH(QVariant, stored);
        QFETCH(QString, slotTexts);
        QFETCH(QString, list);
        QFETCH(bool, enabled);
        QFETCH(QString, saved);
        test::ScriptedPrompter prompter;
        Window w(person);
        DisabilityPanel *p = w.panel;
        // An earlier row left codes and an enabled list behind.
        p->entry()->loadDisabilityCodes(QStringLiteral("91"));
        p->entry()->showDisabilityState(QStringLiteral("91"));
        p->entry()->loadDisabilityCodes(stored);
        p->entry()->showDisabilityState(stored);
        QCOMPARE(slotsOf(p), slotTexts);
        QCOMPARE(listDigits(p->associatedList()), list);
        QCOMPARE(p->associatedList()->currentIndex(), -1);
        QCOMPARE(p->associatedList()->isEnabled(), enabled);
        QCOMPARE(p->associatedBox()->isEnabled(), enabled);
        QCOMPARE(p->entry()->codeString(), saved);
    }

    // An entry for a letter that names no person does nothing.
    void unknownPerson()
    {
        test::ScriptedPrompter prompter;
        Window w(QStringLiteral("X"));
        DisabilityEntry *e = w.panel->entry();
        e->loadDisabilityCodes(QStringLiteral("235"));
        e->setDominantDisability(4);
        e->chooseAssociated(1);
        QCOMPARE(slotsOf(w.panel), QStringLiteral("||||||||"));
        QCOMPARE(w.panel->associatedList()->count(), 0);
        QCOMPARE(e->enterDominantCode(), CheckResult::Skipped);
        QCOMPARE(e->codeString(), QString());
    }
};

QTEST_MAIN(DisabilityPanelTest)
#include "DisabilityPanelTest.moc"
