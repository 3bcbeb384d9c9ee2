#include "app/ui/ListPanel.h"

#include "client/ClientDeletion.h"
#include "client/ui/ClientWindow.h"
#include "common/FailureText.h"
#include "common/LongWork.h"
#include "common/Prompter.h"
#include "common/SharedState.h"
#include "data/Database.h"
#include "data/PersonListModel.h"
#include "employee/EmployeeStore.h"
#include "employee/ui/EmployeeWindow.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>

namespace ulk {

namespace {
constexpr int px(int twips) { return twips / 15; }
// The panel's place on the window, in twips; its widgets are placed by the
// window's coordinates less this corner.
constexpr int kLeft = 3360;
constexpr int kTop = 360;
int atX(int twips) { return px(twips) - px(kLeft); }
int atY(int twips) { return px(twips) - px(kTop); }
// The four buttons under the list are wide enough for their longest captions
// ("Hľadaj zamestnanca"); the list is as wide as their row.
constexpr int kButtonWidth = 2250;
constexpr int kButtonPitch = kButtonWidth + 90;
constexpr int kListWidth = 3 * kButtonPitch + kButtonWidth;
} // namespace

ListPanel::ListPanel(const QString &programDirectory, QWidget *parent) : QWidget(parent), m_dir(programDirectory)
{
    setObjectName(QStringLiteral("listPanel"));
    setGeometry(px(kLeft), px(kTop), px(kLeft + kListWidth) - px(kLeft), px(9195) - px(kTop));
    m_clients = new PersonListModel(PersonListModel::Kind::Clients, this);
    m_employees = new PersonListModel(PersonListModel::Kind::Employees, this);

    auto grid = [this](const char *name, PersonListModel *model, std::initializer_list<int> widths) {
        auto *g = new QTableView(this);
        g->setObjectName(QString::fromLatin1(name));
        g->setGeometry(atX(3360), atY(360), px(kListWidth), px(7575));
        g->setModel(model);
        g->setEditTriggers(QAbstractItemView::NoEditTriggers);
        g->setSelectionBehavior(QAbstractItemView::SelectRows);
        g->setSelectionMode(QAbstractItemView::SingleSelection);
        // Tab leaves the list for its buttons; Enter opens the record.
        g->setTabKeyNavigation(false);
        g->installEventFilter(this);
        g->verticalHeader()->setDefaultSectionSize(20);
        // The small font of the list lets a whole date fit its narrow column.
        QFont f(QStringLiteral("Liberation Sans"));
        f.setPointSizeF(8);
        g->setFont(f);
        g->verticalHeader()->setMinimumWidth(px(240));
        int c = 0;
        for (int w : widths)
            g->setColumnWidth(c++, px(w));
        g->hide();
        return g;
    };
    m_gridClients = grid("dbgKlient", m_clients, {1400, 1900, 1000, 1300});
    m_gridEmployees = grid("dbgPsych", m_employees, {2000, 2500, 2100});
    m_gridClients->setAccessibleName(QStringLiteral("Zoznam klientov"));
    m_gridEmployees->setAccessibleName(QStringLiteral("Zoznam zamestnancov"));

    auto button = [this](const char *name, const QString &caption, int left, int width) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(atX(left), atY(8100), px(width), px(495));
        // Enter presses the button that has the focus, as Space does.
        b->setAutoDefault(true);
        return b;
    };
    m_new = button("CmdNovy", QStringLiteral("Nový"), kLeft, kButtonWidth);
    m_edit = button("cmdOprava", QStringLiteral("Oprava údajov"), kLeft + kButtonPitch, kButtonWidth);
    m_search = button("cmdHladaj", QStringLiteral("Hľadaj"), kLeft + 2 * kButtonPitch, kButtonWidth);
    m_delete = button("cmdVymaz", QStringLiteral("Výmaz "), kLeft + 3 * kButtonPitch, kButtonWidth);
    m_sort = button("CmdSort", QString(), 3360, 2700);
    setSortTarget(PersonListModel::Order::ByCatalogue);
    m_sort->move(atX(3360), atY(8700));
    m_sort->hide();
    connect(m_new, &QPushButton::clicked, this, &ListPanel::newRecord);
    connect(m_edit, &QPushButton::clicked, this, &ListPanel::editRecord);
    connect(m_search, &QPushButton::clicked, this, &ListPanel::search);
    connect(m_delete, &QPushButton::clicked, this, &ListPanel::deleteRecord);
    connect(m_sort, &QPushButton::clicked, this, &ListPanel::toggleSort);
    for (QTableView *g : {m_gridClients, m_gridEmployees})
        connect(g, &QTableView::doubleClicked, this, &ListPanel::editRecord);
}

bool ListPanel::eventFilter(QObject *watched, QEvent *event)
{
    // Enter on a row opens its record, as a double click does.
    if (event->type() == QEvent::KeyPress && (watched == m_gridClients || watched == m_gridEmployees)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            editRecord();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ListPanel::disableButtons()
{
    m_new->setEnabled(false);
    m_edit->setEnabled(false);
    m_search->setEnabled(false);
    m_delete->setEnabled(false);
}

void ListPanel::reset()
{
    m_gridClients->hide();
    m_gridEmployees->hide();
    m_sort->hide();
    m_mode = Mode::None;
    m_new->setText(QStringLiteral("Nový"));
    m_search->setText(QStringLiteral("Hľadaj"));
    m_delete->setText(QStringLiteral("Výmaz "));
    m_clients->setOrder(PersonListModel::Order::ByName);
    setSortTarget(PersonListModel::Order::ByCatalogue);
    m_clients->clear();
    m_employees->clear();
}

// ------------------------------------------------------------------- lists

void ListPanel::showClients()
{
    m_new->setText(QStringLiteral("Nový klient"));
    m_delete->setText(QStringLiteral("Výmaz klienta"));
    m_search->setText(QStringLiteral("Hľadaj klienta"));
    m_sort->show();
    m_clients->setOrder(PersonListModel::Order::ByName);
    showGrid(m_clients, m_gridClients, m_gridEmployees);
    m_mode = Mode::Clients;
}

void ListPanel::showEmployees()
{
    m_new->setText(QStringLiteral("Nový zamestnanec"));
    m_delete->setText(QStringLiteral("Výmaz zamestnanca"));
    m_search->setText(QStringLiteral("Hľadaj zamestnanca"));
    m_sort->hide();
    showGrid(m_employees, m_gridEmployees, m_gridClients);
    m_mode = Mode::Employees;
}

void ListPanel::showGrid(PersonListModel *model, QTableView *grid, QTableView *other)
{
    other->hide();
    grid->show();
    refreshList(model);
    if (!model->isEmpty())
        grid->setCurrentIndex(model->index(0, 0));
    if (!model->isEmpty()) {
        enableListButtons();
        grid->setFocus();
    } else {
        disableListButtons();
        m_new->setFocus();
    }
}

void ListPanel::enableListButtons()
{
    m_search->setEnabled(true);
    m_edit->setEnabled(true);
    m_new->setEnabled(true);
    m_delete->setEnabled(true);
}

void ListPanel::disableListButtons()
{
    m_search->setEnabled(false);
    m_edit->setEnabled(false);
    m_delete->setEnabled(false);
    m_new->setEnabled(true);
}

PersonListModel *ListPanel::visibleModel() const { return m_mode == Mode::Employees ? m_employees : m_clients; }

QTableView *ListPanel::visibleGrid() const
{
    return m_mode == Mode::Employees ? m_gridEmployees : m_gridClients;
}

int ListPanel::currentRow() const
{
    if (m_mode == Mode::None || visibleModel()->isEmpty())
        return -1;
    const QModelIndex i = visibleGrid()->currentIndex();
    return i.isValid() ? i.row() : 0;
}

bool ListPanel::refreshList(PersonListModel *model)
{
    QString error;
    {
        const LongWork::Action reading(model->kind() == PersonListModel::Kind::Clients
                                           ? QStringLiteral("Zoznam klientov")
                                           : QStringLiteral("Zoznam zamestnancov"),
                                       QStringLiteral("Načítava sa zoznam …"));
        if (model->refresh(&error))
            return true;
    }
    tell(failureMessage(model->kind() == PersonListModel::Kind::Clients
                            ? QStringLiteral("Zoznam klientov sa nepodarilo prečítať.")
                            : QStringLiteral("Zoznam zamestnancov sa nepodarilo prečítať."),
                        error),
         QStringLiteral("Chybová správa"), PromptIcon::Exclamation);
    return false;
}

bool ListPanel::reopenList()
{
    PersonListModel *model = visibleModel();
    const bool ok = refreshList(model);
    if (!model->isEmpty())
        visibleGrid()->setCurrentIndex(model->index(0, 0));
    return ok;
}

void ListPanel::focusList()
{
    if (!visibleModel()->isEmpty()) {
        enableListButtons();
        visibleGrid()->setFocus();
    } else {
        disableListButtons();
        m_new->setFocus();
    }
}

void ListPanel::openRecord(bool employee)
{
    if (employee) {
        EmployeeWindow record(m_dir, window());
        record.exec();
    } else {
        ClientWindow record(m_dir, window());
        record.exec();
    }
}

void ListPanel::newRecord()
{
    shared().recordMode = 1;
    shared().currentRecordId.clear();
    shared().recordCaption.clear();
    openRecord(m_mode == Mode::Employees);
    reopenList();
    focusList();
}

void ListPanel::editRecord()
{
    const Mode mode = m_mode;
    const int r = currentRow();
    if (mode == Mode::None || r < 0)
        return;
    PersonListModel *model = visibleModel();
    const PersonListModel::Row &row = model->row(r);
    shared().currentRecordId = row.idkod;
    shared().recordCaption = row.idkod + QStringLiteral(" : ") + row.meno + QStringLiteral("  ") + row.priezv;
    shared().recordMode = 2;
    openRecord(mode == Mode::Employees);
    emit recordWindowClosed(int(mode));
    model->setOrder(PersonListModel::Order::ByName);
    refreshList(model);
    int found = model->rowOfKey(shared().currentRecordId);
    if (found < 0 && !model->isEmpty())
        found = 0;
    if (found >= 0) {
        visibleGrid()->setCurrentIndex(model->index(found, 0));
        visibleGrid()->scrollTo(model->index(found, 0));
    }
    focusList();
}

void ListPanel::toggleSort()
{
    const PersonListModel::Order order = m_sortTarget;
    m_clients->setOrder(order);
    setSortTarget(order == PersonListModel::Order::ByCatalogue ? PersonListModel::Order::ByName
                                                                : PersonListModel::Order::ByCatalogue);
    reopenList();
}

void ListPanel::setSortTarget(PersonListModel::Order order)
{
    m_sortTarget = order;
    m_sort->setText(order == PersonListModel::Order::ByCatalogue ? QStringLiteral("Trieď (katalógové číslo)")
                                                                  : QStringLiteral("Trieď (priezvisko,meno)"));
}

// --------------------------------------------------------- search, delete

void ListPanel::search()
{
    if (m_mode != Mode::None)
        searchBySurname(m_mode == Mode::Clients);
}

void ListPanel::searchBySurname(bool clients)
{
    PersonListModel *model = clients ? m_clients : m_employees;
    QTableView *grid = clients ? m_gridClients : m_gridEmployees;
    if (model->isEmpty()) {
        tell(clients ? QStringLiteral("Nie sú nahraní žiadni klienti!")
                     : QStringLiteral("Nie sú nahraní žiadni zamestnanci!"),
             QStringLiteral("Upozornenie"), PromptIcon::Critical);
        return;
    }
    const auto answer = prompter().input(clients ? QStringLiteral("Zadaj priezvisko a meno klienta :")
                                                 : QStringLiteral("Zadaj priezvisko a meno zamestnanca :"),
                                         QStringLiteral("Hľadanie podľa priezviska"), QString());
    if (!answer || answer->isEmpty())
        return;
    const int blank = answer->indexOf(QLatin1Char(' '));
    const QString surname = blank < 0 ? *answer : answer->left(blank);
    const QString firstName = blank < 0 ? QString() : answer->mid(blank + 1);
    grid->setCurrentIndex(model->index(0, 0));
    const int found = model->findPrefix(surname, firstName, blank >= 0);
    if (found < 0) {
        grid->setCurrentIndex(model->index(0, 0));
        tell((clients ? QStringLiteral("Klient  '") : QStringLiteral("Zamestnanec  '")) + *answer
                 + QStringLiteral("' nie je v databáze"),
             QStringLiteral("Informácia"), PromptIcon::Information);
    } else {
        grid->setCurrentIndex(model->index(found, 0));
        grid->scrollTo(model->index(found, 0));
    }
    grid->setFocus();
}

void ListPanel::deleteRecord()
{
    if (m_mode == Mode::Clients)
        deleteClient();
    else if (m_mode == Mode::Employees)
        deleteEmployee();
}

void ListPanel::deleteClient()
{
    const int r = currentRow();
    if (r < 0) {
        tell(QStringLiteral("Nie je vybraný žiaden klient "), QStringLiteral("Upozornenie"), PromptIcon::Critical);
        return;
    }
    const PersonListModel::Row row = m_clients->row(r);
    if (ask(QStringLiteral("Naozaj chceš vymazať klienta : ") + row.meno.trimmed() + QStringLiteral("  ")
                + row.priezv.trimmed() + QStringLiteral(" ?"),
            QStringLiteral("Výmaz klienta"), PromptIcon::None, PromptButtons::YesNo)
        != PromptAnswer::Yes)
        return;
    QString error;
    ClientDeletion::remove(row.idkod, &error);
    if (!error.isEmpty())
        tell(failureMessage(QStringLiteral("Klienta sa nepodarilo vymazať, údaje zostali bez zmeny."), error),
             QStringLiteral("Chybová správa"), PromptIcon::Exclamation);
    reopenList();
    if (m_clients->isEmpty())
        disableListButtons();
}

void ListPanel::deleteEmployee()
{
    const int r = currentRow();
    if (r < 0) {
        tell(QStringLiteral("Nie je vybraný žiaden zamestnanec "), QStringLiteral("Upozornenie"),
             PromptIcon::Critical);
        return;
    }
    const PersonListModel::Row row = m_employees->row(r);
    const QString name = row.meno.trimmed() + QStringLiteral("  ") + row.priezv.trimmed();
    const EmployeeStore store(Database::connection());
    QString table;
    QString error;
    switch (store.namedInRecords(row.idkod, &table, &error)) {
    case EmployeeStore::Lookup::Free:
        break;
    case EmployeeStore::Lookup::Named:
        tell((table == QLatin1String("k_vysetrenie") ? QStringLiteral("Zamestnanca : -")
                                                      : QStringLiteral("Zamestnanca: -"))
                 + name + QStringLiteral("- nie je možné vymazať"),
             QStringLiteral("Chybová správa"), PromptIcon::Exclamation);
        return;
    case EmployeeStore::Lookup::Failed:
        // Without the check nothing is deleted.
        tell(failureMessage(QStringLiteral("Zamestnanca nie je možné vymazať, záznamy o ňom sa nepodarilo overiť."),
                            error),
             QStringLiteral("Chybová správa"), PromptIcon::Exclamation);
        return;
    }
    if (ask(QStringLiteral("Naozaj chceš vymazať zamestnanca : ") + name + QStringLiteral(" ?"),
            QStringLiteral("výmaz zamestnanca"), PromptIcon::None, PromptButtons::YesNo)
        != PromptAnswer::Yes)
        return;
    if (!store.remove(row.idkod, &error))
        tell(failureMessage(QStringLiteral("Zamestnanca sa nepodarilo vymazať, údaje zostali bez zmeny."), error),
             QStringLiteral("Chybová správa"), PromptIcon::Exclamation);
    reopenList();
    if (m_employees->isEmpty())
        disableListButtons();
}

} // namespace ulk
