#include "app/ui/MainWindow.h"

#include "app/ProgramExit.h"
#include "app/SchoolYear.h"
#include "app/ui/ListPanel.h"
#include "app/ui/SideBar.h"
#include "app/ui/Tile.h"
#include "archive/ui/ArchiveWindow.h"
#include "archive/ui/RestoreWindow.h"
#include "common/Clock.h"
#include "common/FailureText.h"
#include "common/LongWork.h"
#include "common/Prompter.h"
#include "common/ui/ScreenFit.h"
#include "data/ClientListQuery.h"
#include "data/Database.h"
#include "data/LinkedFile.h"
#include "data/PersonListModel.h"
#include "data/RegisterLock.h"
#include "data/TempFiles.h"
#include "statement/ui/DoUkazWindow.h"
#include "statement/ui/OdbStarWindow.h"
#include "reports/ClientListReport.h"
#include "reports/DopUkazReport.h"
#include "reports/OdbStarReport.h"
#include "reports/ui/ReportViewer.h"
#include "statement/ui/StatementPrint.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>

namespace ulk {

namespace {
constexpr int px(int twips) { return twips / 15; }
} // namespace

MainWindow::MainWindow(const QString &programDirectory, QWidget *parent)
    : QMainWindow(parent), m_dir(programDirectory)
{
    setObjectName(QStringLiteral("FrmUvod"));
    setWindowTitle(QStringLiteral("Evidencia klientov ULK"));
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    setCentralWidget(central);
    setFixedSize(px(12900), px(9400) + 24); // the list panel ends at 12630
    buildMenus();
    m_sideBar = new SideBar(central);
    m_list = new ListPanel(m_dir, central);
    connect(m_sideBar, &SideBar::clientsChosen, this, &MainWindow::setClientMode);
    connect(m_sideBar, &SideBar::employeesChosen, this, &MainWindow::setEmployeeMode);
    connect(m_sideBar, &SideBar::supplementaryChosen, this, &MainWindow::openDoUkazForm);
    connect(m_sideBar, &SideBar::careChosen, this, &MainWindow::openOdbStarForm);
    connect(m_sideBar, &SideBar::schoolYearChosen, this, &MainWindow::changeSchoolYear);
    connect(m_sideBar, &SideBar::exitChosen, this, &MainWindow::compactAndExit);
    connect(m_list, &ListPanel::recordWindowClosed, m_sideBar, &SideBar::markChosenAgain);
    ScreenFit::fitFixed(this);
}

MainWindow::~MainWindow()
{
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

// ---------------------------------------------------------------- start-up

bool MainWindow::takeRegister()
{
    if (m_lock)
        return true;
    // One program per register: a second copy opens nothing and ends.
    auto lock = std::make_unique<RegisterLock>(m_dir);
    if (lock->heldElsewhere() && lock->holderEnding()) {
        // The running copy has no window left to go on in: it compacts the register.
        tell(QStringLiteral("Program sa práve ukončuje (zhusťuje sa databáza ulk.mdb). Počkajte, kým sa "
                            "ukončí, a spustite ho znova."),
             QStringLiteral("Upozornenie"), PromptIcon::Exclamation);
        return false;
    }
    if (lock->heldElsewhere()) {
        tell(QStringLiteral("Program už beží nad týmto registrom (ulk.mdb). Ďalšiu kópiu programu nie je "
                            "možné spustiť, pokračujte v spustenom programe."),
             QStringLiteral("Upozornenie"), PromptIcon::Exclamation);
        return false;
    }
    if (!lock->isHeld()) {
        const QString where = lock->failedFolder().isEmpty()
            ? QStringLiteral("v adresári programu")
            : QStringLiteral("v priečinku %1, kam vedie odkaz ulk.mdb,")
                  .arg(QDir::toNativeSeparators(lock->failedFolder()));
        tell(QStringLiteral("Program nemôže pracovať, %1 nie je možné vytvoriť súbor ulk.lck.\n").arg(where)
                 + lock->error(),
             QStringLiteral("Chybová správa"), PromptIcon::Exclamation);
        return false;
    }
    m_lock = std::move(lock);
    // What a killed run left behind is ours to remove now.
    TempFiles::removeLeftovers(m_dir);
    return true;
}

bool MainWindow::load()
{
    m_startFailed = false;
    if (!takeRegister()) {
        m_startFailed = true;
        return false;
    }
    const QString file = Database::pathIn(m_dir);
    // A link that leads to no file is no missing file: it is told where it
    // leads, and nothing is made at its end.
    QString linkWhy;
    if (LinkedFile::resolve(file, &linkWhy).isEmpty()) {
        tell(failureMessage(QStringLiteral("Program nemôže pracovať, databázu ulk.mdb nie je možné otvoriť."), linkWhy),
             QString(), PromptIcon::Exclamation);
        m_startFailed = true;
        setAllEnabled(false);
        hide();
        return false;
    }
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
    SideFiles::Finding foreign;
    const Database::OpenResult opened = Database::open(m_dir, &why, &foreign);
    if (opened != Database::OpenResult::Ok) {
        // A file beside the register that is not its own is named, with what
        // the user can do about it; nothing has touched the register.
        QString text = QStringLiteral("Program nemôže pracovať, je nutný reštart počítača !");
        if (opened == Database::OpenResult::ForeignSideFile) {
            const LongWork::Action checking(QStringLiteral("Kontrola databázy"), QString());
            text = QStringLiteral("Program nemôže pracovať. ") + SideFiles::refusal(foreign, file);
        }
        tell(text, QString(), PromptIcon::Exclamation);
        m_startFailed = true;
        setAllEnabled(false);
        hide();
        return false;
    }
    setAllEnabled(true);
    m_list->disableButtons();
    m_sideBar->prepare();
    computeSchoolYear();
    // The keyboard starts at the side bar, also after an archive or a restore.
    m_sideBar->focusFirstTile();
    return true;
}

void MainWindow::unload()
{
    m_list->reset();
    m_sideBar->reset();
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
    emit closed();
}

// ------------------------------------------------- computed statement sections

void MainWindow::printAgeSection() { statement::StatementPrint::printAgeSection(m_dir, schoolYear(), this); }

void MainWindow::printEducationSection()
{
    statement::StatementPrint::printEducationSection(m_dir, schoolYear(), this);
}

void MainWindow::printEmployeeSection() { statement::StatementPrint::printEmployeeSection(m_dir, this); }

// ------------------------------------------------------------- school year

void MainWindow::computeSchoolYear() { m_sideBar->setSchoolYear(SchoolYear::fromDate(Clock::today())); }

QString MainWindow::schoolYear() const { return m_sideBar->schoolYear(); }

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
        case SchoolYear::Answer::Accepted: m_sideBar->setSchoolYear(p.year); return;
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

QColor MainWindow::tileColour(int tile) const { return m_sideBar->tileColour(tile); }

QColor MainWindow::labelColour(const QString &labelName) const
{
    auto *l = findChild<QLabel *>(labelName);
    return l ? Tile::colourOf(l) : QColor();
}

int MainWindow::chosenTile() const { return m_sideBar->chosenTile(); }

bool MainWindow::skipNextHover() const { return m_sideBar->skipNextHover(); }

void MainWindow::openDoUkazForm()
{
    m_sideBar->restoreChosenColour();
    DoUkazWindow window(m_dir);
    window.exec();
}

void MainWindow::openOdbStarForm()
{
    m_sideBar->restoreChosenColour();
    OdbStarWindow window(m_dir);
    window.exec();
}

// ------------------------------------------------------------------- lists

void MainWindow::setClientMode()
{
    m_sideBar->choose(1);
    m_list->showClients();
}

void MainWindow::setEmployeeMode()
{
    m_sideBar->choose(2);
    m_list->showEmployees();
}

int MainWindow::listMode() const { return m_list->listMode(); }

PersonListModel *MainWindow::clientList() const { return m_list->clientList(); }

PersonListModel *MainWindow::employeeList() const { return m_list->employeeList(); }

int MainWindow::currentRow() const { return m_list->currentRow(); }

void MainWindow::newRecord() { m_list->newRecord(); }

void MainWindow::editRecord() { m_list->editRecord(); }

void MainWindow::toggleSort() { m_list->toggleSort(); }

void MainWindow::search() { m_list->search(); }

void MainWindow::deleteRecord() { m_list->deleteRecord(); }

// ------------------------------------------------------------------- exit

void MainWindow::compactAndExit()
{
    hide();
    unload();
    ProgramExit::compactRegister(m_dir);
    close();
}

// ------------------------------------------------- windows opened from here

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
    // No list is shown after the start: none is read until one is chosen.
    show();
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
    report::ReportDefinition list = report::ClientListReport::instance();
    ClientListQuery::Creation view(Database::connection());
    report::ReportViewer::show(list, m_dir, this, [&view] { view.rowsRead(); });
    view.finish();
}

void MainWindow::printSupplementarySection()
{
    report::ReportDefinition supplementary = report::DopUkazReport::instance();
    report::ReportViewer::show(supplementary, m_dir, this);
}

void MainWindow::printCareSection()
{
    // Section V is wider than a portrait page.
    report::ReportDefinition care = report::OdbStarReport::instance();
    care.orientation = report::Orientation::Landscape;
    report::ReportViewer::show(care, m_dir, this);
}

} // namespace ulk
