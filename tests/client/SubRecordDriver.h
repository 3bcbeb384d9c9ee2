#pragma once
// Drives the sub-record tabs of the client record window, opened from the
// main window, as a user does.
#include "ClientWindowDriver.h"

#include "client/SubRecordListModel.h"
#include "client/ui/DisabilityPanel.h"
#include "client/ui/SiblingFields.h"
#include "client/ui/SubRecordPage.h"
#include "client/ui/SubRecordTab.h"
#include "client/ui/SubRecordTabs.h"
#include "common/ui/CodePicker.h"
#include "data/Database.h"

#include <QGroupBox>
#include <QListView>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace ulk::test {

using K = SubRecordKind;
using B = SubRecordButton;

const QString kClient = QStringLiteral("O'NEILMA00");

inline SubRecordTab *subTab(ClientWindow *w, K kind) { return w->subRecords().tab(kind); }
inline FieldEdit *box(ClientWindow *w, K kind, int i) { return subTab(w, kind)->page().box(i); }
inline QPushButton *subButton(ClientWindow *w, K kind, B b) { return subTab(w, kind)->button(b); }
inline QListView *subList(ClientWindow *w, K kind) { return subTab(w, kind)->page().list(); }
inline QPlainTextEdit *longText(ClientWindow *w, K kind) { return subTab(w, kind)->page().longText(); }
inline CodePicker *codePicker(ClientWindow *w, K kind) { return subTab(w, kind)->page().codePicker(); }
inline SubRecordRows &subRows(ClientWindow *w, K kind) { return subTab(w, kind)->rows(); }
inline int tabOf(K kind) { return SubRecordFamilies::of(kind).tab; }

inline void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton); }
inline void clickSub(ClientWindow *w, K kind, B b) { click(subButton(w, kind, b)); }
// Clicks an option button on its round mark.
inline void clickOption(ClientWindow *w, const char *name)
{
    auto *o = w->findChild<QRadioButton *>(QString::fromLatin1(name));
    QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(8, o->height() / 2));
}
inline QWidget *focused() { return QApplication::focusWidget(); }

// Shows the family's tab as a click on its tab does.
inline void showSub(ClientWindow *w, K kind) { clickTab(w, tabOf(kind)); }
// Shows the family's tab and starts a new row there with its New button.
inline void startNew(ClientWindow *w, K kind)
{
    showSub(w, kind);
    clickSub(w, kind, B::New);
}

// Clicks the list's entry of a row.
inline void clickRow(ClientWindow *w, K kind, int row)
{
    QListView *list = subList(w, kind);
    const QRect r = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

// The lines of a family's list as the window shows them.
inline QStringList lines(ClientWindow *w, K kind)
{
    QStringList l;
    SubRecordListModel *m = w->subRecordList(kind);
    for (int i = 0; i < m->rowCount(); ++i)
        l << m->lineAt(i);
    return l;
}

// The row highlighted in the family's list.
inline int highlighted(ClientWindow *w, K kind) { return subList(w, kind)->currentIndex().row(); }

// Types into a box that has the focus and presses the key.
inline void typeInto(FieldEdit *b, const QString &text, Qt::Key key = Qt::Key_Return)
{
    if (QApplication::focusWidget() != b)
        click(b);
    if (!text.isEmpty())
        typeText(b, text);
    QTest::keyClick(b, key);
}

// The main window on a fresh register, loaded, with the client O'Neil Mary
// stored. A test answers the window's boxes with the fixture's prompter.
struct Register : ProgramWindow {
    bool loaded = window.load();
    Register() { addClient(kClient, QStringLiteral("Mary"), QStringLiteral("O'Neil"), QStringLiteral("7")); }
    ~Register() { closeProgram(); }
    // Opens the stored client (Edit in the main window) and runs fn in its window.
    bool open(const std::function<void(ClientWindow *)> &fn) { return loaded && openClient(window, kClient, fn); }
};

inline void addVisit(const QString &datum, const QString &next = QString())
{
    sql("INSERT INTO k_navstevy (idkod, datum, dat_budn) VALUES (?, ?, ?)",
        {kClient, datum, next.isEmpty() ? QVariant() : QVariant(next)});
}
inline void addExamination(const QString &datum, const QString &employee = QStringLiteral("NOVÁKJA00"),
                           const QString &popis = QString())
{
    sql("INSERT INTO k_vysetrenie (idkod, datum, idkod_p, popis) VALUES (?, ?, ?, ?)",
        {kClient, datum, employee, popis});
}
inline void addSibling(const QString &meno, const QString &postih = QString())
{
    sql("INSERT INTO k_surodenci (idkod, meno, postih) VALUES (?, ?, ?)",
        {kClient, meno, postih.isEmpty() ? QVariant() : QVariant(postih)});
}
inline void addFacility(const QString &code, const QString &from, const QString &to, const QString &kind)
{
    sql("INSERT INTO k_zariad (idkod, nazzar, vzar_od, vzar_do, akronym) VALUES (?, ?, ?, ?, ?)",
        {kClient, code, from, to.isEmpty() ? QVariant() : QVariant(to), kind});
}

} // namespace ulk::test
