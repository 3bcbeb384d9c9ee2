#pragma once
#include <QString>
#include <QStringList>
#include <optional>

// The write of a sub-record tab without its widgets: the save of the row
// being added or edited (the required boxes, the values of the boxes, the
// columns the save sets itself, one statement), the question before a
// delete, and the duplicate checks of a date and of a sibling's name.
namespace ulk {

class CodeList;
class SubRecordRows;

// What the tab holds when its row is saved.
struct SubRecordEntry {
    QStringList boxes;     // the text of each box, by its index
    QString longText;      // the long text box, for the families that have one
    // A sibling's disability codes as they are stored in postih (siblings only).
    std::optional<QString> siblingCodes;
    QString clientKey;     // the client as stored; empty while its basic data never were
    QString facilityKind;  // "VYCH" or "ULK": the kind a new facility row gets
    // The employee picked during this edit: ten characters, ten blanks when
    // none was picked.
    QString pickedEmployee;
};

class SubRecordWrite {
public:
    static constexpr int noFocus = -2;

    struct Outcome {
        bool written = false;
        // Why nothing was written, to tell (title "Chybová správa").
        QString message;
        // The box the focus goes to when nothing was written (-1 the long
        // text, noFocus where it is).
        int focusBox = noFocus;
        // Written: a new row was added (the client's rows are read anew, the
        // first current), or an edited row was written and the rows are read
        // again with rowAfter current.
        bool added = false;
        int rowAfter = 0;
    };
    // Saves the current row of rows (state Editing) or a new one (Adding).
    // employees: the list of the employee pickers. A new row stores the
    // employee current in it or, when none is, the one whose key its box
    // holds (which then becomes current); an edited row the employee picked
    // during the edit or else the key in its box.
    static Outcome save(SubRecordRows &rows, const SubRecordEntry &entry, CodeList &employees);

    // The question before row is deleted. facilities: the facility list of
    // the chosen kind, for the name of the row's facility (a code that the
    // list lacks is shown as stored); meno, priezv: the client's names.
    static QString deletePrompt(const SubRecordRows &rows, int row, const CodeList &facilities, const QString &meno,
                                const QString &priezv);

    // Whether a row of the tab other than the one being added or edited has
    // the date typed (d.m.yyyy) in datum. An empty or invalid date has none.
    static bool duplicateDate(const SubRecordRows &rows, const QString &typed);
    // Whether another sibling of the client has this name (letter case aside).
    static bool duplicateSibling(const SubRecordRows &rows, const QString &name);
};

} // namespace ulk
