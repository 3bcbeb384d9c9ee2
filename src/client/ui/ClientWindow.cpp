#include "client/ui/ClientWindow.h"
#include "client/ui/TabPrinter.h"

#include "client/BasicDataFields.h"
#include "client/ClientSaveCheck.h"
#include "client/LegalRepresentative.h"
#include "client/MemoFields.h"
#include "client/ui/BasicDataEditor.h"
#include "client/ui/BasicDataPages.h"
#include "client/ui/ClientFieldChecks.h"
#include "client/ui/ClientPickers.h"
#include "common/ui/EnterPressesButton.h"
#include "common/ui/AccessibleName.h"
#include "common/ui/ScreenFit.h"
#include "client/ui/SubRecordTabs.h"
#include "client/ui/TabRows.h"
#include "common/FailureText.h"
#include "common/Prompter.h"
#include "common/SharedState.h"
#include "common/ui/FieldEdit.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ulk {

namespace F = BasicDataFields;

namespace {

const QColor kBackground(206, 206, 232);
const QColor kButtons(157, 157, 206);

const char *const kTabCaptions[ClientWindow::tabCount] = {
    "Základné údaje",
    "Rodičia",
    "Súrodenci",
    "Dieťa v rannom predš.veku",
    "Žiak vo vých.vyuč.procese",
    "Zhrn.výsl.pred.odb.vyš",
    "Ďalšie dôl.údaje o klientovi",
    "Poznámky",
    "Indiv.plán klienta ulk.por.zar.",
    "Úd. o vých. a vzdel., resp. o ulk. výchove",
    "Priebeh a závery ulk.vyšetrenia",
    "Záznam o ulk.starostliv.",
    "Zaznamenané zmeny",
    "Návštevy",
};

void paint(QWidget *w, QPalette::ColorRole role, const QColor &colour)
{
    QPalette p = w->palette();
    p.setColor(role, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void tellAll(const QList<MessageRequest> &messages)
{
    for (const MessageRequest &m : messages)
        prompter().message(m);
}

ClientRow emptyClient()
{
    ClientRow row;
    for (const QString &c : ClientRecord::writtenColumns())
        row.values.insert(c, QVariant());
    for (const QString &c : MemoFields::columns())
        row.memo.insert(c, QString());
    return row;
}

} // namespace

ClientWindow::ClientWindow(const QString &programDirectory, QWidget *parent)
    : QDialog(parent), m_dir(programDirectory)
{
    setObjectName(QStringLiteral("frmKlientUdaj"));
    setModal(true);
    resize(1000, 640);
    buildTabs();
    buildButtons();

    m_editor = new BasicDataEditor(m_pages->fields(), this);
    m_checks = std::make_unique<ClientFieldChecks>(*m_pages, *m_editor);
    m_checks->setCatalogueCheck([this](FieldEdit *f) { return kon_katCislo(f); });
    m_editor->setCheckHook([this](int index, bool onKeyDown) { return m_checks->checkField(index, onKeyDown); });
    m_pickers = new ClientPickers(*m_pages, *m_editor, this);
    for (int option : {LegalRepresentative::motherOption, LegalRepresentative::fatherOption,
                       LegalRepresentative::otherOption})
        connect(m_pages->option(option), &QRadioButton::clicked, this, [this, option] { fillRepresentative(option); });
    m_editor->setSaveButton(m_cmdZap);
    m_editor->setCancelButton(m_cmdStorno);
    connect(m_editor, &BasicDataEditor::fieldHidden, this,
            [this](int index) { m_tabs->setCurrentIndex(F::at(index).tab); });

    // Load.
    paint(this, QPalette::Window, kBackground);
    paint(m_tabs, QPalette::Window, kBackground);
    for (int t = 0; t < tabCount; ++t)
        paint(m_tabs->widget(t), QPalette::Window, kBackground);
    for (QPushButton *b : {m_cmdzapNew, m_cmdZap, m_cmdStorno, m_cmdTlac})
        paint(b, QPalette::Button, kButtons);
    setWindowTitle(QStringLiteral("Údaje klienta") + shared().recordCaption.trimmed());
    setCancelButton(m_cmdStorno);
    m_opened = openClientRecord();
}

ClientWindow::~ClientWindow()
{
    // The sub-record tabs stop watching their controls before these go.
    delete m_subRecords;
    m_subRecords = nullptr;
    // The fields go before their protocol would see them leave.
    delete m_editor;
    m_editor = nullptr;
}

FieldEdit *ClientWindow::field(int index) const { return m_pages->field(index); }

SubRecordListModel *ClientWindow::subRecordList(SubRecordListModel::Kind kind) const
{
    return m_subRecords->list(kind);
}

QPushButton *ClientWindow::button(const QString &objectName) const
{
    return findChild<QPushButton *>(objectName);
}

// ---------------------------------------------------------------- building

void ClientWindow::buildTabs()
{
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->setUsesScrollButtons(true);
    // The captions above take the clicks; Tab passes the hidden bar by.
    m_tabs->setFocusPolicy(Qt::NoFocus);
    m_tabs->tabBar()->setFocusPolicy(Qt::NoFocus);
    std::array<QWidget *, tabCount> pages{};
    for (int t = 0; t < tabCount; ++t) {
        pages[std::size_t(t)] = new QWidget;
        pages[std::size_t(t)]->setObjectName(QStringLiteral("tab%1").arg(t));
        m_tabs->addTab(pages[std::size_t(t)], QString::fromUtf8(kTabCaptions[t]));
    }
    m_pages = std::make_unique<BasicDataPages>(pages[0], pages[1]);

    for (const MemoField &m : MemoFields::all()) {
        auto *edit = new QPlainTextEdit(pages[std::size_t(m.tab)]);
        edit->setObjectName(MemoFields::objectName(m.index));
        // Tab leaves the long text for the buttons, as in every other field.
        edit->setTabChangesFocus(true);
        // The tab shows no other label for its one long text.
        nameControl(edit, QString::fromUtf8(kTabCaptions[m.tab]));
        auto *layout = new QVBoxLayout(pages[std::size_t(m.tab)]);
        layout->addWidget(edit);
        m_memo[std::size_t(m.index)] = edit;
    }

    m_subRecords = new SubRecordTabs(*this, pages);
    for (int t = 0; t < tabCount; ++t) {
        for (QListView *list : pages[std::size_t(t)]->findChildren<QListView *>())
            nameControl(list, QString::fromUtf8(kTabCaptions[t]) + QStringLiteral(" – zoznam"));
    }
    connect(m_tabs, &QTabWidget::currentChanged, this, &ClientWindow::showTab);
}

void ClientWindow::buildButtons()
{
    auto *row = new QHBoxLayout;
    auto make = [&](const char *name, const QString &caption, const QString &tip) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(tip);
        b->setAutoDefault(false);
        b->setDefault(false);
        b->installEventFilter(this);
        row->addWidget(b);
        return b;
    };
    m_cmdZaklUd = make("cmdZaklUd", QStringLiteral("Zapíš základné údaje"),
                       QStringLiteral("Zapíše základné údaje a sprístupníi ďalšie záložky"));
    m_cmdzapNew = make("cmdzapNew", QStringLiteral("Zapíš + nový klient"),
                       QStringLiteral("Zapíše aktuálne údaje a prejde na nového klienta"));
    m_cmdZap = make("cmdZap", QStringLiteral("Zapíš + návrat"),
                    QStringLiteral("Zapíše aktuálne údaje a vráti sa do hlavnej obrazovky"));
    m_cmdStorno = make("cmdStorno", QStringLiteral("Storno"), QStringLiteral("Návrat do hlavnej obrazovky"));
    m_cmdTlac = make("cmdTlac", QStringLiteral("Tlač záložku"), QString());
    m_cmdZaklUd->hide();
    connect(m_cmdTlac, &QPushButton::clicked, this, &ClientWindow::printCurrentTab);

    connect(m_cmdZaklUd, &QPushButton::clicked, this, &ClientWindow::saveBasicData);
    connect(m_cmdzapNew, &QPushButton::clicked, this, &ClientWindow::saveAndNewClient);
    connect(m_cmdZap, &QPushButton::clicked, this, &ClientWindow::saveAndReturn);
    connect(m_cmdStorno, &QPushButton::clicked, this, &ClientWindow::cancel);

    // The window's inside scrolls where the screen is too small for it.
    auto *body = new QWidget(this);
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(ScreenFit::windowMargins(this));
    layout->setSpacing(0);
    // Three rows of captions keep the window within a 1024 pixels wide screen.
    layout->addWidget(new TabRows(m_tabs, 5, this));
    layout->addWidget(m_tabs, 1);
    layout->addSpacing(6);
    layout->addLayout(row);
    ScreenFit::fitLaidOut(this, body);
}

// ----------------------------------------------------------------- opening

bool ClientWindow::openClientRecord()
{
    openClientSubRecords();
    if (!fillCodeLists())
        return false;
    if (shared().recordMode == 2) {
        ClientRow row;
        QString error;
        switch (ClientRecord::load(shared().currentRecordId, &row, &error)) {
        case ClientRecord::LoadStatus::Found:
            break;
        case ClientRecord::LoadStatus::NotFound:
            tell(QStringLiteral("Klient sa v databáze nenašiel."), QStringLiteral("Upozornenie"),
                 PromptIcon::Exclamation);
            shared().recordMode = 0;
            return false;
        case ClientRecord::LoadStatus::Failed:
            tell(failureMessage(QStringLiteral("Údaje klienta sa nepodarilo načítať."), error),
                 QStringLiteral("Chybová správa"), PromptIcon::Exclamation);
            shared().recordMode = 0;
            return false;
        }
        m_stored = row;
        showClient(row);
    } else {
        lockTabsForNewClient();
        m_stored = ClientRow();
        showClient(emptyClient());
    }
    return true;
}

void ClientWindow::openClientSubRecords()
{
    // The facilities of the kind chosen on their tab (educational ones
    // when the window opens).
    m_subRecords->openClientSubRecords(shared().currentRecordId);
}

bool ClientWindow::fillCodeLists()
{
    QString error;
    shared().comboEscPressed = false;
    if (m_pages->loadCodeLists(&error) && m_subRecords->fillCodeLists(&error))
        return true;
    tell(failureMessage(QStringLiteral("Číselníky sa nepodarilo načítať."), error), QStringLiteral("Chybová správa"),
         PromptIcon::Exclamation);
    shared().recordMode = 0;
    return false;
}

void ClientWindow::lockTabsForNewClient()
{
    for (int t = 1; t < tabCount; ++t)
        m_tabs->setTabEnabled(t, false);
    m_cmdZaklUd->show();
    paint(m_cmdZaklUd, QPalette::Button, kButtons);
}

int ClientWindow::exec()
{
    if (!m_opened)
        return QDialog::Rejected;
    return QDialog::exec();
}

void ClientWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous() && !m_activatedOnce) {
        m_activatedOnce = true;
        activate();
    }
}

void ClientWindow::printCurrentTab()
{
    // The page of the tab in front, for the client as last stored.
    printClientTab(this, m_dir, m_tabs->currentIndex(), shared().currentRecordId, m_stored.meno(), m_stored.priezv());
    // Back from the preview the window is active again: tab 0 and the first name.
    activate();
}

void ClientWindow::activate()
{
    m_tabs->setCurrentIndex(0);
    // The disability lists open wider than their narrow boxes.
    for (int i : {2, 1, 0})
        m_pages->positionPicker(i)->view()->setMinimumWidth(240);
    for (int p : {2, 1, 0})
        m_pages->associatedList(BasicDataPages::Person(p))->view()->setMinimumWidth(240);
    focusField(0);
}

void ClientWindow::setCancelButton(QPushButton *button) { m_cancelButton = button; }

bool ClientWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Enter presses the button that has the focus (PgDn in a field leads to
    // "Zapíš + návrat"); the buttons are no default buttons of the window.
    if (enterPressesButton(watched, event))
        return true;
    return QDialog::eventFilter(watched, event);
}

void ClientWindow::reject()
{
    // Esc and the close box act as the cancel button.
    if (m_cancelButton && m_cancelButton->isEnabled() && m_cancelButton->isVisible())
        m_cancelButton->click();
}

void ClientWindow::showTab(int index)
{
    if (!m_editor)
        return; // the window is being built or taken down
    setCancelButton(m_cmdStorno);
    // The page coming to the front may have put the focus into the field it
    // held last; moving on from there to the page's first field is no leave
    // of the user's, so that field is not checked again.
    if (index == 0)
        m_editor->focusQuietly(0);
    else if (index == 1)
        m_editor->focusQuietly(20);
    else if (const int memo = MemoFields::fieldOnTab(index); memo >= 0)
        m_memo[std::size_t(memo)]->setFocus(Qt::OtherFocusReason);
    else {
        m_subRecords->showTab(index);
        emit subRecordTabShown(index);
    }
}

void ClientWindow::focusField(int index)
{
    if (m_tabs->currentIndex() != F::at(index).tab)
        m_tabs->setCurrentIndex(F::at(index).tab);
    field(index)->setFocus(Qt::OtherFocusReason);
}

// ------------------------------------------------------ record and controls

void ClientWindow::showClient(const ClientRow &row)
{
    m_pages->showRow(row);
    for (const MemoField &m : MemoFields::all())
        m_memo[std::size_t(m.index)]->setPlainText(row.memo.value(QString::fromLatin1(m.column)).toString());
}

ClientRow ClientWindow::clientFromControls() const
{
    ClientRow row = m_stored;
    m_pages->storeInto(row);
    for (const MemoField &m : MemoFields::all())
        row.memo.insert(QString::fromLatin1(m.column), m_memo[std::size_t(m.index)]->toPlainText());
    return row;
}

void ClientWindow::fillRepresentative(int option)
{
    // What the parent's fields show now, saved or not; no check runs.
    const QStringList texts = LegalRepresentative::fill(option, [this](int f) { return field(f)->text(); });
    for (int k = 0; k < int(texts.size()); ++k)
        field(LegalRepresentative::firstField + k)->setText(texts[k]);
}

// ------------------------------------------------------ catalogue number

bool ClientWindow::kon_katCislo(FieldEdit *field)
{
    if (!field)
        return false;
    // The client's own stored row (after a first save too) is no other client.
    const ClientSaveCheck::CatalogueVerdict verdict =
        ClientSaveCheck::catalogueNumber(field->text(), shared().recordMode, m_stored.key);
    if (verdict.message)
        tellAll({*verdict.message});
    return verdict.taken;
}

// ------------------------------------------------------------------ saving

bool ClientWindow::saveClient()
{
    const ClientSaveCheck::Verdict verdict =
        ClientSaveCheck::check([this](int index) { return field(index)->text(); }, shared().recordMode, m_stored.key);
    tellAll(verdict.messages);
    if (!verdict.mayGoOn) {
        if (verdict.focusField >= 0)
            focusField(verdict.focusField);
        return false;
    }

    const ClientRow current = clientFromControls();
    const bool edit = shared().recordMode == 2;
    const ClientRecord::SaveResult result =
        ClientRecord::save(m_stored, current, edit ? ClientRecord::KeyRule::Edit : ClientRecord::KeyRule::NewClient);
    if (!result.ok) {
        tell(failureMessage(QStringLiteral("Údaje klienta sa nepodarilo zapísať, v databáze zostali bez zmeny."),
                            result.error),
             QStringLiteral("Chybová správa"), PromptIcon::Exclamation);
        return false;
    }
    m_stored = current;
    m_stored.key = result.key;
    if (edit) {
        shared().recordMode = 0;
        // The renamed client is found under its new key.
        if (result.keyChanged)
            shared().currentRecordId = result.key;
    } else {
        shared().currentRecordId = result.key;
    }
    openClientSubRecords();
    return true;
}

void ClientWindow::saveBasicData()
{
    if (!saveClient())
        return;
    for (int t = 1; t < tabCount; ++t)
        m_tabs->setTabEnabled(t, true);
    m_cmdZaklUd->hide();
    // The row as stored comes back into the controls.
    ClientRow stored;
    if (ClientRecord::load(m_stored.key, &stored) == ClientRecord::LoadStatus::Found) {
        m_stored = stored;
        showClient(stored);
    }
    focusField(0);
}

void ClientWindow::saveAndReturn()
{
    if (!saveClient())
        return;
    shared().recordMode = 0;
    done(QDialog::Accepted);
}

void ClientWindow::saveAndNewClient()
{
    if (!saveClient())
        return;
    startNewClient();
}

void ClientWindow::startNewClient()
{
    shared().currentRecordId.clear();
    shared().recordCaption.clear();
    openClientSubRecords();
    lockTabsForNewClient();
    m_stored = ClientRow();
    showClient(emptyClient());
    shared().recordMode = 1;
    focusField(0);
}

void ClientWindow::cancel()
{
    // Nothing typed since the last save is written.
    shared().recordMode = 0;
    done(QDialog::Rejected);
}

} // namespace ulk
