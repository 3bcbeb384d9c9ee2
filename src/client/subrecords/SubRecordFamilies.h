#pragma once
#include <QString>
#include <QStringList>
#include <QVector>

// The six kinds of sub-record of the client record window, described once:
// for each family its tab, table, list, edit boxes with their columns and
// checks, long text box, pickers, buttons, required boxes and delete prompt.
// The tabs, their row sets, saves and field checks all read this table.
namespace ulk {

enum class SubRecordKind { Siblings, Facilities, Examinations, ActivityRecords, ChangeRecords, Visits };

// What a box's check does on a move key (Enter, Down, Up, PgUp, PgDn) and
// when the box is left.
enum class SubRecordCheck {
    None,           // always accepted
    UniqueDate,     // a date, and no other row of the tab with that datum
    Date,           // a date
    EmployeeKey,    // capitals, then the key looked up among the employees
    Hour,           // cut to its first two characters
    FacilityCode,   // looked up in the facility list of the chosen kind
    FirstCapital,   // move keys only: a capital first letter
    SiblingName,    // capitals, then no other sibling of the client with that name
    SiblingYear,    // on leaving: an empty box holds "0"
    Sex,            // "M" or "Z"
    DominantCode,   // the sibling's dominant disability digit
    AssociatedCode, // one associated disability digit of the sibling
};

// How a box's text reaches its column.
enum class SubRecordValue {
    Text,    // as typed; an empty box stores no value
    Date,    // typed d.m.yyyy, stored yyyy-MM-dd; an empty box stores no value
    Unbound, // no column of its own
};

struct SubRecordBoxDef {
    int index;
    const char *column;   // nullptr: unbound
    SubRecordValue value;
    int maxLength;        // 0: no limit
    bool digitsOnly;      // other typed characters are refused with a message
    SubRecordCheck check;
    const char *label;
    const char *tooltip;  // nullptr: none
    const char *picker;   // object name of the box's own picker, or nullptr
};

struct SubRecordRequired {
    int box;
    const char *message;
};

// The pieces of a delete prompt after its opening words.
enum class DeletePieces {
    SiblingName,   // the first 50 characters of meno
    Facility,      // facility name, "  ", vzar_od, " - ", vzar_do
    DateAndClient, // datum, "  ", the client's surname, "  ", first name
    Date,          // datum
};

enum class SubRecordButton { New, Edit, Delete, Save, SaveNew, Cancel };
constexpr int subRecordButtonCount = 6;

struct SubRecordFamilyDef {
    SubRecordKind kind;
    const char *letters;      // "Sur", "Zar", ...
    int tab;                  // index in the window's tab control
    const char *table;
    const char *listName;     // DBList1 .. DBList6
    const char *rowSetName;   // datSurodenci ...
    const char *boxArray;     // textSur, TextPza, ...
    QVector<SubRecordBoxDef> boxes;
    const char *longText;     // multi-line box, or nullptr
    const char *longTextColumn;
    const char *longTextLabel;
    const char *extraColumn;  // a column that the save sets itself (postih, akronym), or nullptr
    const char *buttons[subRecordButtonCount];
    const char *saveCaption;
    const char *saveNewCaption;
    QVector<SubRecordRequired> required; // tested in this order
    int unlockFocus;          // box that unlock focuses; -1 the long text
    int saveNewFocus;         // box focused after Save-and-new; -1 the long text
    bool trimOnEntry;         // a box that gets the focus is trimmed and selected
    bool pickerLeaveChecks;   // leaving a box for another picker of the tab checks even a marked box
    bool keepsPosition;       // an edited row stays at its place in the list after its save
    int employeeBox;          // the employee-key box, or -1
    const char *deleteOpening;
    const char *deleteTitle;  // empty: the application's title
    DeletePieces deletePieces;
};

class SubRecordFamilies {
public:
    static const QVector<SubRecordFamilyDef> &all();
    static const SubRecordFamilyDef &of(SubRecordKind kind);
    // The family shown on a tab, or nullptr.
    static const SubRecordFamilyDef *onTab(int tab);

    // The columns that a family's row set reads besides id and idkod: the
    // bound boxes, the long text and the extra column, in this order.
    static QStringList columns(const SubRecordFamilyDef &family);
    // The object name of a box: boxArray followed by the index.
    static QString boxName(const SubRecordFamilyDef &family, int index);
    static QString buttonName(const SubRecordFamilyDef &family, SubRecordButton button);
    static QString buttonCaption(const SubRecordFamilyDef &family, SubRecordButton button);
    static const SubRecordBoxDef &box(const SubRecordFamilyDef &family, int index);
};

} // namespace ulk
