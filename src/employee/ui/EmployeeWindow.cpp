#include "employee/ui/EmployeeWindow.h"

#include "common/FailureText.h"
#include "common/ui/FormButton.h"
#include "common/ui/SingleLineValidator.h"
#include "common/Prompter.h"
#include "common/SharedState.h"
#include "data/Database.h"

#include "common/ui/AccessibleName.h"
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace ulk {

namespace {

const QString kErrorTitle = QStringLiteral("Chybová správa");

void fillBackground(QWidget *w, QPalette::ColorRole role, const QColor &c)
{
    QPalette p = w->palette();
    p.setColor(role, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QRadioButton *option(const char *name, const QString &caption, QWidget *parent)
{
    auto *b = new QRadioButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QGroupBox *frame(const char *name, const QString &caption, QRadioButton **first, QRadioButton **second,
                 const char *firstName, const QString &firstCaption, const char *secondName,
                 const QString &secondCaption, QWidget *parent)
{
    auto *box = new QGroupBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    auto *l = new QVBoxLayout(box);
    *first = option(firstName, firstCaption, box);
    *second = option(secondName, secondCaption, box);
    l->addWidget(*first);
    l->addWidget(*second);
    return box;
}

// A letter column sets at most one option of its pair; other values set none.
void setPair(QRadioButton *first, QRadioButton *second, const QVariant &value, const char *firstLetter,
             const char *secondLetter)
{
    const QString v = value.toString();
    if (v == QLatin1String(firstLetter))
        first->setChecked(true);
    else if (v == QLatin1String(secondLetter))
        second->setChecked(true);
}

} // namespace

EmployeeWindow::EmployeeWindow(const QString &programDirectory, QWidget *parent)
    : QDialog(parent), m_dir(programDirectory), m_store(Database::connection())
{
    setObjectName(QStringLiteral("frmPsychUdaj"));
    setModal(true);
    build();
    loadRecord();
    m_names[0]->setFocus();
}

void EmployeeWindow::build()
{
    fillBackground(this, QPalette::Window, background());
    auto *grid = new QGridLayout(this);

    m_heading = new QLabel(QStringLiteral("Zápis/oprava údajov"), this);
    m_heading->setObjectName(QStringLiteral("Label3"));
    QFont headingFont = m_heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    m_heading->setFont(headingFont);
    m_heading->setAlignment(Qt::AlignCenter);
    fillBackground(m_heading, QPalette::Window, background());
    grid->addWidget(m_heading, 0, 0, 1, 3);

    const QString captions[2] = {QStringLiteral("Meno zamestnanca :"), QStringLiteral("Priezvisko zamestnanca :")};
    for (int i = 0; i < 2; ++i) {
        auto *label = new QLabel(captions[i], this);
        label->setObjectName(QStringLiteral("lblPsych%1").arg(i));
        m_names[i] = new QLineEdit(this);
        m_names[i]->setObjectName(QStringLiteral("TextPsych%1").arg(i));
        m_names[i]->installEventFilter(this);
        m_names[i]->setValidator(new SingleLineValidator(m_names[i]));
        label->setBuddy(m_names[i]);
        grid->addWidget(label, 1 + i, 0);
        grid->addWidget(m_names[i], 1 + i, 1, 1, 2);
    }

    auto *functionLabel = new QLabel(QStringLiteral("Pracovné zaradenie :"), this);
    functionLabel->setObjectName(QStringLiteral("lblFunkcia"));
    m_function = new QComboBox(this);
    m_function->setObjectName(QStringLiteral("DBCombo1"));
    m_function->setEditable(true);
    m_function->setInsertPolicy(QComboBox::NoInsert);
    m_function->installEventFilter(this);
    m_function->setValidator(new SingleLineValidator(m_function));
    functionLabel->setBuddy(m_function);
    nameControl(m_function, functionLabel->text());
    nameControl(m_function->lineEdit(), functionLabel->text());
    grid->addWidget(functionLabel, 3, 0);
    grid->addWidget(m_function, 3, 1, 1, 2);

    m_key = new QLineEdit(this);
    m_key->setObjectName(QStringLiteral("txtIdKod"));
    m_key->setReadOnly(true);
    m_key->hide();

    grid->addWidget(frame("fraPohlavie", QStringLiteral("pohlavie"), &m_man, &m_woman, "optZamMuz",
                          QStringLiteral("muž"), "optZamZena", QStringLiteral("žena"), this),
                    4, 0);
    grid->addWidget(frame("fraIntExt", QStringLiteral("interný/externý"), &m_internal, &m_external, "optZamInt",
                          QStringLiteral("interný zamestnanec"), "optZamExt", QStringLiteral("externý zamestnanec"),
                          this),
                    4, 1);
    grid->addWidget(frame("fraKvalifikacia", QStringLiteral("kvalifikácia"), &m_qualified, &m_unqualified,
                          "optZamMaKva", QStringLiteral("má požadovanú kvalifikáciu"), "optZamNeKva",
                          QStringLiteral("nemá požadovanú kvalifikáciu"), this),
                    4, 2);

    auto *buttons = new QHBoxLayout;
    auto button = [&](const char *name, const QString &caption) {
        QPushButton *b = makeFormButton(this, name, caption, buttonColour());
        buttons->addWidget(b);
        return b;
    };
    m_save = button("cmdZap", QStringLiteral("Zápis"));
    m_saveNew = button("cmdzapNew", QStringLiteral("Zápis + nový"));
    m_cancel = button("cmdStorno", QStringLiteral("Storno"));
    grid->addLayout(buttons, 5, 0, 1, 3);
    connect(m_save, &QPushButton::clicked, this, &EmployeeWindow::onSave);
    connect(m_saveNew, &QPushButton::clicked, this, &EmployeeWindow::onSaveAndNew);
    connect(m_cancel, &QPushButton::clicked, this, &EmployeeWindow::storno);

    setTabOrder(m_names[0], m_names[1]);
    setTabOrder(m_names[1], m_function);
    setTabOrder(m_function, m_man);
    setTabOrder(m_man, m_woman);
    setTabOrder(m_woman, m_internal);
    setTabOrder(m_internal, m_external);
    setTabOrder(m_external, m_qualified);
    setTabOrder(m_qualified, m_unqualified);
    setTabOrder(m_unqualified, m_save);
    setTabOrder(m_save, m_saveNew);
    setTabOrder(m_saveNew, m_cancel);
}

void EmployeeWindow::loadRecord()
{
    const QString designCaption = QStringLiteral("Údaje zamestnanca");
    setWindowTitle(designCaption.trimmed() + shared().recordCaption.trimmed());

    QString error;
    m_functions = m_store.jobFunctions(&error);
    for (const JobFunction &f : m_functions)
        m_function->addItem(f.name, f.code);
    m_function->setCurrentIndex(-1);
    if (!error.isEmpty())
        tell(failureMessage(QStringLiteral("Zoznam pracovných zaradení nie je možné načítať."), error), kErrorTitle,
             PromptIcon::Exclamation);

    if (shared().recordMode != 2)
        return;
    m_original = {};
    m_original.idkod = shared().currentRecordId;
    const std::optional<EmployeeRecord> row = m_store.read(shared().currentRecordId, &error);
    if (!row) {
        if (!error.isEmpty())
            tell(failureMessage(QStringLiteral("Údaje zamestnanca nie je možné načítať."), error), kErrorTitle,
                 PromptIcon::Exclamation);
        return;
    }
    m_original = *row;
    m_names[0]->setText(row->meno);
    m_names[1]->setText(row->priezv);
    m_key->setText(row->idkod);
    for (int i = 0; i < m_functions.size(); ++i)
        if (!row->pracZar.isNull() && m_functions.at(i).code == row->pracZar.toInt())
            m_function->setCurrentIndex(i);
    setPair(m_man, m_woman, row->pohlavie, "m", "z");
    setPair(m_internal, m_external, row->intExt, "i", "e");
    setPair(m_qualified, m_unqualified, row->kvalifikacia, "a", "n");
}

void EmployeeWindow::clearForNewRecord()
{
    ++m_row;
    m_original = {};
    m_names[0]->clear();
    m_names[1]->clear();
    m_function->setCurrentIndex(-1);
    m_function->clearEditText();
    m_key->clear();
}

// ------------------------------------------------------------ name fields

void EmployeeWindow::capitaliseFirstLetter(QLineEdit *field)
{
    const QString t = field->text();
    if (!t.isEmpty() && t.at(0).toUpper() != t.at(0))
        field->setText(t.at(0).toUpper() + t.mid(1));
}

bool EmployeeWindow::nameFieldKey(int index, int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
        capitaliseFirstLetter(m_names[index]);
        if (index == 0)
            m_names[1]->setFocus(Qt::TabFocusReason);
        else
            m_function->setFocus(Qt::TabFocusReason);
        return true;
    case Qt::Key_Up:
        capitaliseFirstLetter(m_names[index]);
        if (index == 1)
            m_names[0]->setFocus(Qt::BacktabFocusReason);
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        capitaliseFirstLetter(m_names[index]);
        m_save->setFocus(Qt::TabFocusReason);
        return true;
    default: return false;
    }
}

bool EmployeeWindow::eventFilter(QObject *watched, QEvent *event)
{
    for (int i = 0; i < 2; ++i) {
        if (watched != m_names[i])
            continue;
        QLineEdit *field = m_names[i];
        switch (event->type()) {
        case QEvent::FocusIn: {
            field->setText(field->text().trimmed());
            field->selectAll();
            // A click places the cursor after the focus arrives: select again then.
            if (static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason)
                QTimer::singleShot(0, field, &QLineEdit::selectAll);
            break;
        }
        case QEvent::FocusOut:
            if (field->isEnabled())
                capitaliseFirstLetter(field);
            break;
        case QEvent::KeyPress:
            if (nameFieldKey(i, static_cast<QKeyEvent *>(event)->key()))
                return true;
            break;
        default: break;
        }
        return QDialog::eventFilter(watched, event);
    }

    if (watched == m_function && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        // The drop-down opening, a message box or another window taking the
        // focus is no leaving of the picker.
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && !m_pickerCheckPending
            && !m_finished) {
            m_pickerCheckPending = true;
            QMetaObject::invokeMethod(this, [this, row = m_row] { pickerLeft(row); }, Qt::QueuedConnection);
        }
    }

    if (event->type() == QEvent::KeyPress && (watched == m_save || watched == m_saveNew || watched == m_cancel)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            static_cast<QPushButton *>(watched)->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// ----------------------------------------------------------------- picker

int EmployeeWindow::matchingJobFunction() const
{
    const QString typed = m_function->currentText().trimmed().toUpper();
    if (typed.isEmpty())
        return -1;
    for (int i = 0; i < m_functions.size(); ++i)
        if (m_functions.at(i).name.toUpper() == typed)
            return i;
    return -1;
}

bool EmployeeWindow::checkJobFunction()
{
    const int i = matchingJobFunction();
    if (i >= 0) {
        m_function->setCurrentIndex(i);
        m_function->setEditText(m_functions.at(i).name);
        return true;
    }
    tell(QStringLiteral("Nebol zadaný správny údaj"), kErrorTitle, PromptIcon::Exclamation);
    m_function->setFocus(Qt::OtherFocusReason);
    return false;
}

void EmployeeWindow::pickerLeft(quint64 row)
{
    m_pickerCheckPending = false;
    // The press of a button may have saved or cleared the row before this
    // check comes round: then the picker was checked already, or is another.
    if (m_finished || !isVisible() || row != m_row)
        return;
    QWidget *now = focusWidget();
    if (now == m_function)
        return;
    if (now == m_cancel) {
        storno();
        return;
    }
    checkJobFunction();
}

// ------------------------------------------------------------------- save

void EmployeeWindow::storeEmployeeOptions(EmployeeRecord &r) const
{
    if (m_qualified->isChecked())
        r.kvalifikacia = QStringLiteral("a");
    else if (m_unqualified->isChecked())
        r.kvalifikacia = QStringLiteral("n");
    if (m_man->isChecked())
        r.pohlavie = QStringLiteral("m");
    else if (m_woman->isChecked())
        r.pohlavie = QStringLiteral("z");
    if (m_internal->isChecked())
        r.intExt = QStringLiteral("i");
    else if (m_external->isChecked())
        r.intExt = QStringLiteral("e");
}

EmployeeWindow::SaveResult EmployeeWindow::saveEmployee()
{
    const QString meno = m_names[0]->text().trimmed();
    const QString priezv = m_names[1]->text().trimmed();
    if (meno.isEmpty()) {
        tell(QStringLiteral("Meno je povinný údaj !"), kErrorTitle, PromptIcon::Exclamation);
        return FirstNameMissing;
    }
    if (priezv.isEmpty()) {
        tell(QStringLiteral("Priezvisko je povinný údaj !"), kErrorTitle, PromptIcon::Exclamation);
        return SurnameMissing;
    }
    // Without a job function of the list the employee would be stored but
    // never listed.
    const int function = matchingJobFunction();
    if (function < 0) {
        tell(QStringLiteral("Nebol zadaný správny údaj"), kErrorTitle, PromptIcon::Exclamation);
        return JobFunctionInvalid;
    }
    m_function->setCurrentIndex(function);
    m_function->setEditText(m_functions.at(function).name);
    ++m_row; // the picker is checked: a leave check still queued has nothing to do

    // Without a record to enter or edit nothing is stored, and the window
    // does not close as if it had been.
    const int mode = shared().recordMode;
    if (mode != 1 && mode != 2)
        return NothingStored;
    EmployeeRecord record = mode == 2 ? m_original : EmployeeRecord{};
    record.meno = meno;
    record.priezv = priezv;
    record.pracZar = m_functions.at(function).code;
    storeEmployeeOptions(record);

    QString error;
    const QString key = mode == 1 ? m_store.insert(record, &error) : m_store.update(m_original, record, &error);
    if (key.isEmpty()) {
        tell(failureMessage(QStringLiteral("Údaje zamestnanca sa nepodarilo zapísať, v databáze zostali bez zmeny."),
                            error),
             kErrorTitle, PromptIcon::Exclamation);
        return Failed;
    }
    m_key->setText(key);
    if (mode == 2) {
        // The list finds the employee again under the key it has now.
        if (key != m_original.idkod)
            shared().currentRecordId = key;
        record.idkod = key;
        m_original = record;
        shared().recordMode = 0;
    }
    return Saved;
}

void EmployeeWindow::focusAfterRefusal(SaveResult result)
{
    switch (result) {
    case FirstNameMissing: m_names[0]->setFocus(Qt::OtherFocusReason); break;
    case SurnameMissing: m_names[1]->setFocus(Qt::OtherFocusReason); break;
    case JobFunctionInvalid: m_function->setFocus(Qt::OtherFocusReason); break;
    default: break;
    }
}

bool EmployeeWindow::clickComesThrough() const
{
    // A refused picker has taken the focus back from the button being
    // pressed: that press saves nothing.
    return focusWidget() != m_function;
}

bool EmployeeWindow::saveOnClick()
{
    if (m_finished || !clickComesThrough())
        return false;
    const SaveResult r = saveEmployee();
    if (r != Saved) {
        focusAfterRefusal(r);
        return false;
    }
    return true;
}

void EmployeeWindow::onSave()
{
    if (!saveOnClick())
        return;
    shared().recordMode = 0;
    m_finished = true;
    QDialog::accept();
}

void EmployeeWindow::onSaveAndNew()
{
    if (!saveOnClick())
        return;
    clearForNewRecord();
    shared().recordMode = 1;
    m_names[0]->setFocus(Qt::OtherFocusReason);
}

void EmployeeWindow::storno()
{
    if (m_finished)
        return;
    m_finished = true;
    shared().recordMode = 0;
    QDialog::done(QDialog::Rejected);
}

void EmployeeWindow::reject() { storno(); }

} // namespace ulk
