#include "app/ui/MainWindow.h"

#include "app/SchoolYear.h"
#include "app/ui/Tile.h"
#include "archive/ui/ArchiveWindow.h"
#include "archive/ui/RestoreWindow.h"
#include "client/ui/ClientWindow.h"
#include "common/Clock.h"
#include "common/Prompter.h"
#include "common/SharedState.h"
#include "data/ClientListQuery.h"
#include "data/Compactor.h"
#include "data/Database.h"
#include "data/PersonListModel.h"
#include "employee/ui/EmployeeWindow.h"
#include "statement/ui/DoUkazWindow.h"
#include "statement/ui/OdbStarWindow.h"
#include "reports/ClientListReport.h"
#include "reports/DopUkazReport.h"
#include "reports/OdbStarReport.h"
#include "reports/ui/ReportViewer.h"
#include "statement/ui/StatementPrint.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>

namespace ulk {

namespace {
constexpr int px(int twips) { return twips / 15; }

const char *const kClientSubTables[] = {"k_memo",       "k_navstevy",   "k_surodenci",   "k_vysetrenie",
                                        "k_zariad",     "k_zaznam_spc", "k_zaznam_zmeny"};
} // namespace

MainWindow::MainWindow(const QString &programDirectory, QWidget *parent)
    : QMainWindow(parent), m_dir(programDirectory)
{
    setObjectName(QStringLiteral("FrmUvod"));
    setWindowTitle(QStringLiteral("Evidencia klientov ULK"));
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    setCentralWidget(central);
    setFixedSize(px(11500), px(9400) + 24);
    for (QColor &c : m_tileRest)
        c = normalColour();
    m_clients = new PersonListModel(PersonListModel::Kind::Clients, this);
    m_employees = new PersonListModel(PersonListModel::Kind::Employees, this);
    buildMenus();
    buildSideBar();
    buildList();
}

MainWindow::~MainWindow()
{
    releaseReportConnection();
    Database::close();
}

void MainWindow::buildMenus()
{
    QMenu *print = menuBar()->addMenu(QStringLiteral("Tlač"));
    print->setObjectName(QStringLiteral("mnuTlac"));
    auto item = [this](QMenu *menu, const char *name, const QString &caption) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    connect(item(print, "mniVek", QStringLiteral("Zostava klientov zoradena podľa veku")), &QAction::triggered,
            this, &MainWindow::printAgeSection);
    connect(item(print, "mniVzd", QStringLiteral("Zostava klientov zoradená podľa spôsobu vzdelávania")),
            &QAction::triggered, this, &MainWindow::printEducationSection);
    connect(item(print, "mniZam", QStringLiteral("Evidenčný počet zamestnancov")), &QAction::triggered, this,
            &MainWindow::printEmployeeSection);
    connect(item(print, "mniOdbStar", QStringLiteral("Odborná starostlivosť")), &QAction::triggered, this,
            &MainWindow::printCareSection);
    connect(item(print, "mniDopUkaz", QStringLiteral("Dopĺňajúce ukazovatele")), &QAction::triggered, this,
            &MainWindow::printSupplementarySection);
    m_mniZozKlient = item(print, "mniZozKlient", QStringLiteral("Zoznam klientov"));
    connect(m_mniZozKlient, &QAction::triggered, this, &MainWindow::printClientList);

    QMenu *service = menuBar()->addMenu(QStringLiteral("Servis"));
    service->setObjectName(QStringLiteral("mnuServis"));
    m_mniArchiv = item(service, "mniArchiv", QStringLiteral("Archivácia dát"));
    m_mniDearchiv = item(service, "mniDearchiv", QStringLiteral("Obnova archivovaných dát"));
    m_mniArchiv->setEnabled(true);
    m_mniDearchiv->setEnabled(true);
    connect(m_mniArchiv, &QAction::triggered, this, &MainWindow::openArchive);
    connect(m_mniDearchiv, &QAction::triggered, this, &MainWindow::openRestore);

    QAction *exit = menuBar()->addAction(QStringLiteral("Koniec"));
    exit->setObjectName(QStringLiteral("mnuKoniec"));
    connect(exit, &QAction::triggered, this, &MainWindow::compactAndExit);
}

void MainWindow::buildSideBar()
{
    m_sideBar = new QFrame(centralWidget());
    m_sideBar->setObjectName(QStringLiteral("Frame2"));
    m_sideBar->setGeometry(px(360), px(360), px(2895), px(7575));
    m_sideBar->setFrameShape(QFrame::Box);

    struct Spec {
        int number, top, height;
        const char *pictureTip;
    };
    const Spec specs[] = {
        {1, 240, 495, "Zobrazí zoznam klientov"},
        {2, 960, 495, "Zobrazí zoznam zamestnancov"},
        {3, 1680, 975, "Sprístupní editáciu údajov dopĺňajúcich ukazovateľov"},
        {5, 2880, 975, "Sprístupní editáciu údajov odbornej starostlivosti"},
        {6, 4080, 1095, "Nastaví školský rok pre tvorbu výkazov v tvare RR/RR+1 resp. RRRR/RRRR+1"},
        {4, 5520, 495, "Ukončí program"},
    };
    for (const Spec &s : specs) {
        auto *t = new Tile(s.number, m_sideBar);
        t->setGeometry(px(240), px(s.top), px(2415), px(s.height));
        t->setToolTip(QString::fromUtf8(s.pictureTip));
        m_tiles[s.number] = t;
        connect(t, &Tile::hovered, this, [this, n = s.number] { hoverTile(n); });
    }
    auto tip = [](QLabel *l, const QString &t) { l->setToolTip(t); };
    tip(m_tiles[1]->addLabel(QStringLiteral("Label1"), QStringLiteral("KLIENTI"), {720, 120, 975, 0}, 9.75),
        QStringLiteral("Zobrazí údaje klientov"));
    tip(m_tiles[2]->addLabel(QStringLiteral("Label2"), QStringLiteral("   ZAMESTNANCI"), {240, 120, 1815, 0}, 9.75),
        QStringLiteral("Zobrazí údaje zamestnancov"));
    const QString t3 = QStringLiteral("Sprístupní editáciu údajov dopĺňajúcich ukazovateľov");
    tip(m_tiles[3]->addLabel(QStringLiteral("Label3"), QStringLiteral("DOPĹŇAJÚCE"), {600, 120, 1335, 0}, 9), t3);
    tip(m_tiles[3]->addLabel(QStringLiteral("Label5"), QStringLiteral("UKAZOVATELE"), {600, 480, 1335, 0}, 9), t3);
    const QString t5 = QStringLiteral("Sprístupní editáciu údajov odbornej starostlivosti");
    tip(m_tiles[5]->addLabel(QStringLiteral("Label6"), QStringLiteral("ODBORNÁ"), {720, 120, 1095, 0}, 9), t5);
    tip(m_tiles[5]->addLabel(QStringLiteral("Label7"), QStringLiteral("STAROSTLIVOSŤ"), {480, 480, 1575, 0}, 9), t5);
    m_tiles[6]->addLabel(QStringLiteral("Label8"), QStringLiteral("ŠKOLSKÝ ROK"), {480, 120, 1335, 0}, 9,
                         Qt::AlignCenter);
    m_schoolYear = m_tiles[6]->addLabel(QStringLiteral("lblSkolskyRok"), QString(), {480, 600, 1335, 0}, 9.75,
                                        Qt::AlignCenter);
    {
        QPalette p = m_schoolYear->palette();
        p.setColor(QPalette::WindowText, QColor(0, 0, 255));
        m_schoolYear->setPalette(p);
    }
    tip(m_tiles[4]->addLabel(QStringLiteral("Label4"), QStringLiteral("KONIEC"), {840, 120, 855, 0}, 9.75),
        QStringLiteral("Ukončí program"));

    connect(m_tiles[1], &Tile::pictureClicked, this, [this] {
        setClientMode();
        m_skipNextHover = true;
    });
    connect(m_tiles[1], &Tile::labelClicked, this, &MainWindow::setClientMode);
    connect(m_tiles[2], &Tile::pictureClicked, this, [this] {
        setEmployeeMode();
        m_skipNextHover = true;
    });
    connect(m_tiles[2], &Tile::labelClicked, this, &MainWindow::setEmployeeMode);
    for (auto sig : {&Tile::pictureClicked, &Tile::labelClicked}) {
        connect(m_tiles[3], sig, this, &MainWindow::openDoUkazForm);
        connect(m_tiles[5], sig, this, &MainWindow::openOdbStarForm);
        connect(m_tiles[4], sig, this, &MainWindow::compactAndExit);
        connect(m_tiles[6], sig, this, &MainWindow::changeSchoolYear);
    }
}

void MainWindow::buildList()
{
    auto grid = [this](const char *name, PersonListModel *model, std::initializer_list<int> widths) {
        auto *g = new QTableView(centralWidget());
        g->setObjectName(QString::fromLatin1(name));
        g->setGeometry(px(3360), px(360), px(7695), px(7575));
        g->setModel(model);
        g->setEditTriggers(QAbstractItemView::NoEditTriggers);
        g->setSelectionBehavior(QAbstractItemView::SelectRows);
        g->setSelectionMode(QAbstractItemView::SingleSelection);
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

    auto button = [this](const char *name, const QString &caption, int left, int width) {
        auto *b = new QPushButton(caption, centralWidget());
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(px(left), px(8100), px(width), px(495));
        b->setAutoDefault(false);
        return b;
    };
    m_new = button("CmdNovy", QStringLiteral("Nový"), 3360, 1800);
    m_edit = button("cmdOprava", QStringLiteral("Oprava údajov"), 5250, 1800);
    m_search = button("cmdHladaj", QStringLiteral("Hľadaj"), 7140, 1800);
    m_delete = button("cmdVymaz", QStringLiteral("Výmaz "), 9030, 1800);
    m_sort = button("CmdSort", QStringLiteral("Trieď (katalógové číslo)"), 3360, 2700);
    m_sort->move(px(3360), px(8700));
    m_sort->hide();
    connect(m_new, &QPushButton::clicked, this, &MainWindow::newRecord);
    connect(m_edit, &QPushButton::clicked, this, &MainWindow::editRecord);
    connect(m_search, &QPushButton::clicked, this, &MainWindow::search);
    connect(m_delete, &QPushButton::clicked, this, &MainWindow::deleteRecord);
    connect(m_sort, &QPushButton::clicked, this, &MainWindow::toggleSort);
    for (QTableView *g : {m_gridClients, m_gridEmployees})
        connect(g, &QTableView::doubleClicked, this, &MainWindow::editRecord);
}

// ---------------------------------------------------------------- start-up

bool MainWindow::load()
{
    m_startFailed = false;
    const QString file = Database::pathIn(m_dir);
    while (!QFileInfo::exists(file)) {
        const PromptAnswer a = ask(QStringLiteral("V adresári - chýba súbor -ulk.mdb-, pokúste sa o obnovu archívu !"),
                                   QStringLiteral("Upozornenie"), PromptIcon::Critical, PromptButtons::YesNo);
        if (a == PromptAnswer::Yes) {
            openRestoreAtStart();
            m_startFailed = true;
            return false;
        }
    }
    QString why;
    if (Database::open(m_dir, &why) != Database::OpenResult::Ok) {
        tell(QStringLiteral("Program nemôže pracovať, je nutný reštart počítača !"), QString(),
             PromptIcon::Exclamation);
        m_startFailed = true;
        setAllEnabled(false);
        hide();
        return false;
    }
    setAllEnabled(true);
    m_new->setEnabled(false);
    m_edit->setEnabled(false);
    m_search->setEnabled(false);
    m_delete->setEnabled(false);
    for (QColor &c : m_tileRest)
        c = normalColour();
    {
        QPalette p = m_sideBar->palette();
        p.setColor(QPalette::Window, QColor(157, 157, 206));
        m_sideBar->setPalette(p);
        m_sideBar->setAutoFillBackground(true);
    }
    computeSchoolYear();
    return true;
}

void MainWindow::unload()
{
    m_gridClients->hide();
    m_gridEmployees->hide();
    m_sort->hide();
    m_listMode = 0;
    m_chosenTile = 0;
    m_hoveredTile = 0;
    m_skipNextHover = false;
    m_new->setText(QStringLiteral("Nový"));
    m_search->setText(QStringLiteral("Hľadaj"));
    m_delete->setText(QStringLiteral("Výmaz "));
    m_clients->setOrder(PersonListModel::Order::ByName);
    m_sort->setText(QStringLiteral("Trieď (katalógové číslo)"));
    releaseReportConnection();
    // Tiles take back their design colour.
    const QColor design = palette().color(QPalette::ToolTipBase);
    for (int k = 1; k <= 6; ++k)
        m_tiles[k]->paint(design);
    m_clients->clear();
    m_employees->clear();
    Database::close();
}

void MainWindow::setAllEnabled(bool enabled)
{
    menuBar()->setEnabled(enabled);
    centralWidget()->setEnabled(enabled);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The close box ends the program without compaction.
    Database::close();
    event->accept();
}

// ------------------------------------------------------- report connection

void MainWindow::connectDB()
{
    const QString previous = m_reportConnection;
    m_reportConnection = QStringLiteral("ulk-report-%1").arg(++m_reportSerial);
    QString error;
    Database::openExtra(Database::pathIn(m_dir), m_reportConnection, false, &error);
    if (!previous.isEmpty())
        Database::closeExtra(previous);
}

void MainWindow::releaseReportConnection()
{
    if (!m_reportConnection.isEmpty())
        Database::closeExtra(m_reportConnection);
    m_reportConnection.clear();
}

// ------------------------------------------------- computed statement sections

void MainWindow::printAgeSection() { statement::StatementPrint::printAgeSection(*this); }

void MainWindow::printEducationSection() { statement::StatementPrint::printEducationSection(*this); }

void MainWindow::printEmployeeSection() { statement::StatementPrint::printEmployeeSection(*this); }

// ------------------------------------------------------------- school year

void MainWindow::computeSchoolYear() { m_schoolYear->setText(SchoolYear::fromDate(Clock::today())); }

QString MainWindow::schoolYear() const { return m_schoolYear->text(); }

void MainWindow::changeSchoolYear()
{
    for (;;) {
        const QString current = SchoolYear::fromDate(Clock::today());
        const auto answer = prompter().input(
            QStringLiteral("Aktuálny školský rok je: '") + current + QStringLiteral("'")
                + QStringLiteral(" zadaj iný,ak nevyhovuje "),
            QStringLiteral("Školský rok"), current);
        if (!answer)
            return;
        const SchoolYear::Parsed p = SchoolYear::parseAnswer(*answer, current);
        switch (p.result) {
        case SchoolYear::Answer::Empty: return;
        case SchoolYear::Answer::Accepted: m_schoolYear->setText(p.year); return;
        case SchoolYear::Answer::BadLength:
            tell(QStringLiteral("Chybna dlzka vstupu, zadaj v tvare rok/rok+1"), QStringLiteral("Chybová správa"),
                 PromptIcon::Exclamation);
            break;
        case SchoolYear::Answer::BadDate:
            tell(QStringLiteral("Chybne zadany datum,zadaj v tvare rok/rok+1"), QStringLiteral("Chybová správa"),
                 PromptIcon::Exclamation);
            break;
        }
    }
}

// ---------------------------------------------------------------- side bar

QColor MainWindow::tileColour(int tile) const { return m_tiles.at(tile)->colour(); }

QColor MainWindow::labelColour(const QString &labelName) const
{
    auto *l = findChild<QLabel *>(labelName);
    return l ? Tile::colourOf(l) : QColor();
}

void MainWindow::hoverTile(int k)
{
    if (m_skipNextHover) {
        m_skipNextHover = false;
        return;
    }
    m_tiles[k]->paint(hoverColour());
    const int p = m_hoveredTile;
    if (p >= 1 && p <= 6 && p != k)
        m_tiles[p]->paint(m_tileRest[p]);
    m_hoveredTile = k;
}

void MainWindow::restoreSidebarColour()
{
    if (m_chosenTile >= 1 && m_chosenTile <= 5)
        m_tiles[m_chosenTile]->paint(m_tileRest[m_chosenTile]);
}

void MainWindow::setRestColours(int chosen)
{
    for (int k = 1; k <= 5; ++k)
        m_tileRest[k] = k == chosen ? chosenColour() : normalColour();
}

void MainWindow::openDoUkazForm()
{
    restoreSidebarColour();
    DoUkazWindow window(m_dir);
    window.exec();
}

void MainWindow::openOdbStarForm()
{
    restoreSidebarColour();
    OdbStarWindow window(m_dir);
    window.exec();
}

// ------------------------------------------------------------------- lists

void MainWindow::setClientMode()
{
    setRestColours(1);
    restoreSidebarColour();
    m_chosenTile = 1;
    m_new->setText(QStringLiteral("Nový klient"));
    m_delete->setText(QStringLiteral("Výmaz klienta"));
    m_search->setText(QStringLiteral("Hľadaj klienta"));
    m_sort->show();
    showClientGrid();
    m_listMode = 1;
}

void MainWindow::setEmployeeMode()
{
    setRestColours(2);
    restoreSidebarColour();
    m_chosenTile = 2;
    m_new->setText(QStringLiteral("Nový zamestnanec"));
    m_delete->setText(QStringLiteral("Výmaz zamestnanca"));
    m_search->setText(QStringLiteral("Hľadaj zamestnanca"));
    showEmployeeGrid();
    m_listMode = 2;
}

void MainWindow::showClientGrid()
{
    m_gridEmployees->hide();
    m_gridClients->show();
    m_clients->setOrder(PersonListModel::Order::ByName);
    m_clients->refresh();
    if (!m_clients->isEmpty())
        m_gridClients->setCurrentIndex(m_clients->index(0, 0));
    if (!m_clients->isEmpty()) {
        enableListButtons();
        m_gridClients->setFocus();
    } else {
        disableListButtons();
        m_new->setFocus();
    }
}

void MainWindow::showEmployeeGrid()
{
    m_sort->hide();
    m_gridClients->hide();
    m_gridEmployees->show();
    m_employees->refresh();
    if (!m_employees->isEmpty())
        m_gridEmployees->setCurrentIndex(m_employees->index(0, 0));
    if (!m_employees->isEmpty()) {
        enableListButtons();
        m_gridEmployees->setFocus();
    } else {
        disableListButtons();
        m_new->setFocus();
    }
}

void MainWindow::enableListButtons()
{
    m_search->setEnabled(true);
    m_edit->setEnabled(true);
    m_new->setEnabled(true);
    m_delete->setEnabled(true);
}

void MainWindow::disableListButtons()
{
    m_search->setEnabled(false);
    m_edit->setEnabled(false);
    m_delete->setEnabled(false);
    m_new->setEnabled(true);
}

QTableView *MainWindow::visibleGrid() const
{
    return m_listMode == 2 ? m_gridEmployees : m_gridClients;
}

int MainWindow::currentRow() const
{
    PersonListModel *model = m_listMode == 2 ? m_employees : m_clients;
    if (m_listMode == 0 || model->isEmpty())
        return -1;
    const QModelIndex i = visibleGrid()->currentIndex();
    return i.isValid() ? i.row() : 0;
}

bool MainWindow::reopenList()
{
    PersonListModel *model = m_listMode == 2 ? m_employees : m_clients;
    const bool ok = model->refresh();
    if (!model->isEmpty())
        visibleGrid()->setCurrentIndex(model->index(0, 0));
    return ok;
}

void MainWindow::focusList()
{
    PersonListModel *model = m_listMode == 2 ? m_employees : m_clients;
    if (!model->isEmpty()) {
        enableListButtons();
        visibleGrid()->setFocus();
    } else {
        disableListButtons();
        m_new->setFocus();
    }
}

void MainWindow::newRecord()
{
    shared().recordMode = 1;
    shared().currentRecordId.clear();
    shared().recordCaption.clear();
    const bool employees = m_new->text().trimmed().endsWith(QLatin1Char('c'));
    if (employees)
        openEmployeeRecord();
    else
        openClientRecord();
    reopenList();
    focusList();
}

void MainWindow::editRecord()
{
    const int mode = m_listMode;
    const int r = currentRow();
    if (mode == 0 || r < 0)
        return;
    const PersonListModel::Row &row = (mode == 2 ? m_employees : m_clients)->row(r);
    shared().currentRecordId = row.idkod;
    shared().recordCaption = row.idkod + QStringLiteral(" : ") + row.meno + QStringLiteral("  ") + row.priezv;
    shared().recordMode = 2;
    if (mode == 2)
        openEmployeeRecord();
    else
        openClientRecord();
    // The list tile shows the chosen colour again.
    m_tileRest[mode] = chosenColour();
    m_tileRest[mode == 1 ? 2 : 1] = normalColour();
    m_tileRest[3] = normalColour();
    restoreSidebarColour();
    PersonListModel *model = mode == 2 ? m_employees : m_clients;
    model->setOrder(PersonListModel::Order::ByName);
    model->refresh();
    int found = model->rowOfKey(shared().currentRecordId);
    if (found < 0 && !model->isEmpty())
        found = 0;
    if (found >= 0) {
        visibleGrid()->setCurrentIndex(model->index(found, 0));
        visibleGrid()->scrollTo(model->index(found, 0));
    }
    focusList();
}

void MainWindow::toggleSort()
{
    if (m_sort->text().left(8) == QStringLiteral("Trieď (k")) {
        m_clients->setOrder(PersonListModel::Order::ByCatalogue);
        m_sort->setText(QStringLiteral("Trieď (priezvisko,meno)"));
    } else {
        m_clients->setOrder(PersonListModel::Order::ByName);
        m_sort->setText(QStringLiteral("Trieď (katalógové číslo)"));
    }
    reopenList();
}

// --------------------------------------------------------- search, delete

void MainWindow::search()
{
    if (m_listMode == 1)
        searchBySurname(true);
    else if (m_listMode == 2)
        searchBySurname(false);
}

void MainWindow::searchBySurname(bool clients)
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

void MainWindow::deleteRecord()
{
    if (m_listMode == 1)
        deleteClient();
    else if (m_listMode == 2)
        deleteEmployee();
}

void MainWindow::deleteClient()
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
    // The client goes with everything recorded about the client, all or nothing,
    // by the exact stored key.
    QString error;
    {
        Transaction t;
        if (!t.ok())
            error = Database::connection().lastError().text();
        for (const char *table : kClientSubTables) {
            if (!error.isEmpty())
                break;
            runSql(QStringLiteral("DELETE FROM %1 WHERE idkod = ?").arg(QLatin1String(table)), {row.idkod}, &error);
        }
        if (error.isEmpty())
            runSql(QStringLiteral("DELETE FROM k_zaklad WHERE idkod = ?"), {row.idkod}, &error);
        if (error.isEmpty() && !t.commit())
            error = Database::connection().lastError().text();
    }
    if (!error.isEmpty())
        tell(QStringLiteral("Klienta sa nepodarilo vymazať, údaje zostali bez zmeny: ") + error,
             QStringLiteral("Chybová správa"), PromptIcon::Exclamation);
    reopenList();
    if (m_clients->isEmpty())
        disableListButtons();
}

void MainWindow::deleteEmployee()
{
    const int r = currentRow();
    if (r < 0) {
        tell(QStringLiteral("Nie je vybraný žiaden zamestnanec "), QStringLiteral("Upozornenie"),
             PromptIcon::Critical);
        return;
    }
    const PersonListModel::Row row = m_employees->row(r);
    const QString name = row.meno.trimmed() + QStringLiteral("  ") + row.priezv.trimmed();
    const std::pair<const char *, const char *> references[] = {
        {"k_vysetrenie", "Zamestnanca : -"}, {"k_zaznam_zmeny", "Zamestnanca: -"}, {"k_zaznam_spc", "Zamestnanca: -"}};
    for (const auto &[table, opening] : references) {
        QString error;
        // Keys are compared ignoring trailing blanks: a reference so written
        // still names the employee.
        QSqlQuery q = runSql(
            QStringLiteral("SELECT 1 FROM %1 WHERE %2 LIMIT 1").arg(QLatin1String(table), keyMatch(QStringLiteral("idkod_p"))),
            keyMatchValues(row.idkod), &error);
        if (!error.isEmpty()) {
            // Without the check nothing is deleted.
            tell(QStringLiteral("Zamestnanca nie je možné vymazať, záznamy o ňom sa nepodarilo overiť: ") + error,
                 QStringLiteral("Chybová správa"), PromptIcon::Exclamation);
            return;
        }
        if (q.next()) {
            tell(QString::fromUtf8(opening) + name + QStringLiteral("- nie je možné vymazať"),
                 QStringLiteral("Chybová správa"), PromptIcon::Exclamation);
            return;
        }
    }
    if (ask(QStringLiteral("Naozaj chceš vymazať zamestnanca : ") + name + QStringLiteral(" ?"),
            QStringLiteral("výmaz zamestnanca"), PromptIcon::None, PromptButtons::YesNo)
        != PromptAnswer::Yes)
        return;
    QString error;
    runSql(QStringLiteral("DELETE FROM zamestnanci WHERE idkod = ?"), {row.idkod}, &error);
    if (!error.isEmpty())
        tell(QStringLiteral("Zamestnanca sa nepodarilo vymazať: ") + error, QStringLiteral("Chybová správa"),
             PromptIcon::Exclamation);
    reopenList();
    if (m_employees->isEmpty())
        disableListButtons();
}

// ------------------------------------------------------------------- exit

void MainWindow::compactAndExit()
{
    hide();
    unload();
    // The sequence stops at a failed step: ulk.mdb stays as it was and the
    // temporary archive is left for the next exit.
    QString error;
    if (!Compactor::compact(m_dir, &error)) {
        tell(QStringLiteral("Databázu sa nepodarilo zhustiť, súbor ulk.mdb zostal bez zmeny: ") + error,
             QStringLiteral("Chybová správa"), PromptIcon::Exclamation);
    } else {
        const QString archive = QDir(m_dir).filePath(QStringLiteral("arch_tmp.zip"));
        if (QFileInfo::exists(archive) && !QFile::remove(archive))
            tell(QStringLiteral("Dočasný archív arch_tmp.zip sa nepodarilo vymazať."), QStringLiteral("Upozornenie"),
                 PromptIcon::Exclamation);
    }
    close();
}

// ------------------------------------------------- windows opened from here

void MainWindow::openClientRecord()
{
    ClientWindow window(m_dir, this);
    window.exec();
}

void MainWindow::openEmployeeRecord()
{
    EmployeeWindow window(m_dir, this);
    window.exec();
}

void MainWindow::openArchive()
{
    // The database is closed while it is archived, and opened anew afterwards.
    hide();
    unload();
    {
        ArchiveWindow archive(m_dir);
        archive.exec();
    }
    if (!load()) {
        close();
        return;
    }
    show();
}

void MainWindow::openRestore()
{
    hide();
    unload();
    {
        RestoreWindow restore(m_dir);
        restore.setRestoreMode(QStringLiteral("MENU"));
        restore.exec();
    }
    if (!load()) {
        close();
        return;
    }
    show();
    reopenList();
}

void MainWindow::openRestoreAtStart()
{
    RestoreWindow restore(m_dir);
    restore.setRestoreMode(QStringLiteral("LOAD"));
    restore.exec();
}

void MainWindow::printClientList()
{
    // The saved query comes with the first list printed from this file; an
    // existing one is read as it is.
    QString error;
    if (ClientListQuery::ensure(Database::connection(), &error) == ClientListQuery::Result::Failed) {
        tell(QStringLiteral("Zoznam klientov nie je možné vytlačiť, dotaz vyp_zoz_klient sa nepodarilo vytvoriť: ")
                 + error,
             QStringLiteral("Chybová správa"), PromptIcon::Exclamation);
        return;
    }
    report::ReportViewer::show(report::ClientListReport::instance(), m_dir, this);
}

void MainWindow::printSupplementarySection()
{
    report::ReportViewer::show(report::DopUkazReport::instance(), m_dir, this);
}

void MainWindow::printCareSection()
{
    // Section V is wider than a portrait page.
    report::ReportDefinition &care = report::OdbStarReport::instance();
    care.orientation = report::Orientation::Landscape;
    report::ReportViewer::show(care, m_dir, this);
}

} // namespace ulk
