// Every control reached and named as a screen reader walks a window, the code boxes' keys, small screens.
#include "../client/ClientWindowDriver.h"
#include "../statement/StatementDriver.h"
#include "app/ui/Tile.h"
#include "common/ui/ListAccessible.h"
#include "common/ui/ScreenFit.h"
#include "reports/ReportLayout.h"
#include "reports/ui/PreviewDialog.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QScrollArea>

using namespace ulk;

namespace {
const QString kClient = QStringLiteral("O'NEILMA00");
const QSize kRoom(1085, 582); // 1366×768 scaled by 1.25, less a frame

// From the window's interface child by child; the rows of a list are its items, not controls.
QList<QAccessibleInterface *> tree(QWidget *window)
{
    QList<QAccessibleInterface *> all{QAccessible::queryAccessibleInterface(window)};
    for (qsizetype i = 0; i < all.size(); ++i)
        for (int c = 0; !qobject_cast<QAbstractItemView *>(all[i]->object()) && c < all[i]->childCount(); ++c)
            all << all[i]->child(c);
    return all;
}

QString spoken(QWidget *w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).remove('&'); }

// The names that shown text boxes, lists and spin boxes of the tree share (an editable list's own box aside).
QStringList alike(const QList<QAccessibleInterface *> &tree)
{
    QStringList names, alike;
    for (QAccessibleInterface *i : tree)
        if (auto *w = qobject_cast<QWidget *>(i->object()); w && w->isVisible()
            && QList{QAccessible::EditableText, QAccessible::ComboBox, QAccessible::SpinBox}.contains(i->role())
            && !qobject_cast<QComboBox *>(w->parentWidget()))
            (names.contains(i->text(QAccessible::Name)) ? alike : names) << i->text(QAccessible::Name);
    return alike;
}

// Fails on alike names, on a shown control taking the focus (a spin box's own box aside) unreached or with
// no name or only its frame's caption, on a name without the label shown beside the control.
void named(QWidget *window)
{
    const QList<QAccessibleInterface *> all = tree(window);
    QStringList faults = alike(all);
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (auto *label = qobject_cast<QLabel *>(w); label && label->buddy() && label->isVisible()
            && !spoken(label->buddy()).contains(label->text().remove('&').remove(QRegularExpression("\\s*:?\\s*$"))))
            faults << label->buddy()->objectName() + ": " + spoken(label->buddy());
        QString name = spoken(w);
        for (QWidget *up = w->parentWidget(); up && up != window; up = up->parentWidget())
            if (auto *frame = qobject_cast<QGroupBox *>(up); frame && frame->title().remove('&') == name)
                name.clear();
        const auto reached = [w](QAccessibleInterface *i) { return i->object() == w; };
        if (w->window() == window && w->isVisible() && (w->focusPolicy() & Qt::TabFocus)
            && !qobject_cast<QAbstractSpinBox *>(w->parentWidget())
            && (name.trimmed().isEmpty() || std::none_of(all.begin(), all.end(), reached)))
            faults << w->objectName();
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(' ')));
}

// Scrolled into view, the control lies whole in the viewport, where the mouse reaches it.
void reachable(QWidget *window, const char *control)
{
    auto *area = window->findChild<QScrollArea *>("screenFit");
    auto *w = window->findChild<QWidget *>(control);
    QVERIFY2(area && w && window->width() <= kRoom.width() && window->height() <= kRoom.height(), control);
    area->ensureWidgetVisible(w, 0, 0);
    const QRect place(w->mapTo(area->viewport(), QPoint()), w->size());
    QVERIFY2(area->viewport()->rect().contains(place) && area->viewport()->childAt(place.center()) == w, control);
}
} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::ProgramWindow> m_program; // started, with one client stored

private slots:
    void initTestCase() { installListAccessible(); } // as the program does
    void init()
    {
        shared() = SharedState();
        ScreenFit::setRoom(QTest::currentTestFunction() == QByteArray("smallScreenScrolls") ? kRoom : QSize());
        m_program = std::make_unique<test::ProgramWindow>();
        m_program->dir.openRegister();
        test::addClient(kClient, "Mary", "O'Neil", "7");
        test::sql("UPDATE k_zaklad SET postih = '3'");
        QVERIFY(m_program->start());
    }
    void cleanup()
    {
        QVERIFY(m_program->prompter.unexpected.isEmpty());
        m_program.reset();
        test::closeProgram();
    }

    // The main window (tiles as buttons), sections IV and V, the employee window, the client
    // record's every tab and siblings in edit mode (Tab reaching the buttons last), the preview; in
    // its print dialog with the options shown and on the properties' job page no names alike.
    void everyControlNamed()
    {
        MainWindow &w = m_program->window;
        QVERIFY(!w.findChild<QScrollArea *>("screenFit")); // 1024×768: nothing scrolls
        for (Tile *t : w.findChildren<Tile *>())
            QCOMPARE(QAccessible::queryAccessibleInterface(t)->role(), QAccessible::Button);
        for (const auto &[type, tile] : {std::pair{"ulk::DoUkazWindow", "Label3"}, {"ulk::OdbStarWindow", "Label6"}})
            QVERIFY(test::openFromTile(w, type, tile, [](QDialog *d) { named(d); }));
        test::clickTile(w, "Label2");
        named(&w);
        test::whenModal("ulk::EmployeeWindow", [](QWidget *e) { named(e); static_cast<QDialog *>(e)->reject(); });
        QTest::mouseClick(test::mainButton(w, "CmdNovy"), Qt::LeftButton);
        QVERIFY(test::inClientWindowOf(w, kClient, [&](ClientWindow *window) {
            for (int t : {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 2}) {
                test::clickTab(window, t);
                named(window);
            }
            QCOMPARE(spoken(window->findChild<QWidget *>("textPosM2")), QString("Matka: postihnutie 3"));
            test::clickButton(window, "cmdSurNovy");
            named(window);
            QStringList road;
            for (QWidget *x = window->findChild<QWidget *>("textSur0"); road.size() < 8; x = x->nextInFocusChain())
                if (x->isVisible() && x->isEnabled() && (x->focusPolicy() & Qt::TabFocus))
                    road << x->objectName();
            QCOMPARE(road.join(' '), QString("textSur0 textSur1 textSur2 cmbSur0 textSur3 textSur4 cmbSur1 cmdSurZap"));
        }));
        named(&w);
        const auto doc = report::ReportLayout::layOut(report::ReportDefinition("r"), RowSet({"a"}), {});
        report::PreviewDialog preview(*doc);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        named(&preview);
        test::whenModal("QPrintDialog", [](QWidget *print) {
            for (QAbstractButton *b : print->findChild<QDialogButtonBox *>()->buttons())
                if (b->text().startsWith("&Options")) // shows the page range
                    QTest::mouseClick(b, Qt::LeftButton);
            QCOMPARE(alike(tree(print)).join(", "), QString());
            test::whenModal("QPrintPropertiesDialog", [](QWidget *properties) {
                QWidget *job = properties->findChild<QWidget *>("QCupsJobWidget");
                properties->findChild<QTabWidget *>()->setCurrentWidget(job);
                QCOMPARE(alike(tree(properties)).join(", "), QString());
                QTest::keyClick(properties, Qt::Key_Escape);
            });
            QTest::mouseClick(print->findChild<QPushButton *>("properties"), Qt::LeftButton);
            QTest::keyClick(print, Qt::Key_Escape);
        });
        preview.print();
    }

    // In the code boxes of fields 18, 19, 33 (alone focused in the tree) Ctrl+Tab shows the next page, Esc "Storno".
    void codeBoxKeys()
    {
        for (int field : {18, 19, 33})
            for (bool esc : {false, true})
                QVERIFY(test::inClientWindowOf(m_program->window, kClient, [&](ClientWindow *window) {
                    test::clickTab(window, field == 33);
                    QTest::mouseClick(window->field(field), Qt::LeftButton);
                    QTRY_COMPARE(QApplication::focusWidget(), window->field(field));
                    QList<QAccessibleInterface *> focused = tree(window); // as a screen reader hears it
                    focused.removeIf([](auto *i) { return !i->state().focused || i->state().invisible; });
                    QCOMPARE(focused, QList{QAccessible::queryAccessibleInterface(window->field(field))});
                    QTest::keyClick(window->field(field), esc ? Qt::Key_Escape : Qt::Key_Tab,
                                    esc ? Qt::NoModifier : Qt::ControlModifier);
                    QCOMPARE(window->isVisible() ? window->tabs()->currentIndex() : -1, esc ? -1 : 1 + (field == 33));
                }));
    }

    // On a small screen the main window, the client record and section V scroll to their bottoms.
    void smallScreenScrolls()
    {
        MainWindow &w = m_program->window;
        QVERIFY(test::inClientWindowOf(w, kClient, [](ClientWindow *window) { reachable(window, "cmdTlac"); }));
        reachable(&w, "CmdSort");
        QVERIFY(test::openFromTile(w, "ulk::OdbStarWindow", "Label6", [](QDialog *d) { reachable(d, "cmdZrusit"); }));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
