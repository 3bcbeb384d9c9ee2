// A user for tests of the built program as a process: loaded into it as a Qt
// generic plugin (QT_QPA_GENERIC_PLUGINS=ulkrobot:<task>), it writes what the
// program shows into the file named by ULK_ROBOT_LOG and answers it.
//   every message box:  "message|<title>|<text>" logged, its default button pressed
//   the main window:    "shown" logged; with the task "koniec" the menu "Koniec" chosen;
//                       with "windows" first a client record window and the client
//                       list preview opened ("window|<name>" logged, then closed);
//                       with "restore" the menu "Obnova archivovaných dát" chosen, the
//                       file named by ULK_ROBOT_FILE opened ("file|<title>" logged),
//                       and the main window closed by its close box once it is back;
//                       with "save" a new client typed into the client record window
//                       (name, surname, the catalogue number ULK_ROBOT_FILE, a note of some
//                       pages, so that the register grows) and saved with
//                       "Zapíš + návrat" ("saved" logged), then the main window closed by its
//                       close box; with "close" the main window closed so at once
#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QFileDialog>
#include <QApplication>
#include <QFile>
#include <QGenericPlugin>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace {

class Robot : public QObject {
public:
    explicit Robot(const QString &task) : m_task(task)
    {
        auto *timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, &Robot::look);
        timer->start(20);
    }

private:
    void log(const QString &line)
    {
        QFile f(qEnvironmentVariable("ULK_ROBOT_LOG"));
        if (f.open(QIODevice::Append))
            f.write(QString(line).replace(QLatin1Char('\n'), QLatin1String("\\n")).toUtf8() + '\n');
    }

    void look()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (!w->isVisible())
                continue;
            if (auto *box = qobject_cast<QMessageBox *>(w)) {
                if (m_answered == box)
                    continue;
                m_answered = box;
                log(QStringLiteral("message|%1|%2").arg(box->windowTitle(), box->text()));
                QAbstractButton *b = box->defaultButton();
                if (!b)
                    b = box->buttons().value(0);
                QMetaObject::invokeMethod(b, &QAbstractButton::click, Qt::QueuedConnection);
            } else if (auto *files = qobject_cast<QFileDialog *>(w)) {
                if (m_closed == files)
                    continue;
                m_closed = files;
                log(QStringLiteral("file|") + files->windowTitle());
                files->selectFile(qEnvironmentVariable("ULK_ROBOT_FILE"));
                QMetaObject::invokeMethod(files, &QDialog::accept, Qt::QueuedConnection);
            } else if (auto *dialog = qobject_cast<QDialog *>(w)) {
                // The restore window works on its own and closes itself.
                if (m_closed == dialog || dialog->objectName() == QLatin1String("FrmDearch_new"))
                    continue;
                m_closed = dialog;
                if (m_task == QLatin1String("save") && dialog->objectName() == QLatin1String("frmKlientUdaj")) {
                    QMetaObject::invokeMethod(dialog, [this, dialog] { saveClient(dialog); }, Qt::QueuedConnection);
                    continue;
                }
                log(QStringLiteral("window|") + dialog->objectName());
                QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
            } else if (w->objectName() == QLatin1String("FrmUvod") && !QApplication::activeModalWidget()) {
                if (!m_shown)
                    log(QStringLiteral("shown"));
                m_shown = true;
                next(w);
            }
        }
    }

    // One step each time the main window is back with no modal window over it.
    void next(QWidget *main)
    {
        QStringList steps;
        if (m_task == QLatin1String("windows"))
            steps = {QStringLiteral("setClientMode"), QStringLiteral("newRecord"), QStringLiteral("mniZozKlient")};
        if (m_task == QLatin1String("koniec") || m_task == QLatin1String("windows"))
            steps << QStringLiteral("mnuKoniec");
        if (m_task == QLatin1String("restore"))
            steps = {QStringLiteral("mniDearchiv"), QStringLiteral("close")};
        if (m_task == QLatin1String("save"))
            steps = {QStringLiteral("setClientMode"), QStringLiteral("newRecord"), QStringLiteral("close")};
        if (m_task == QLatin1String("close"))
            steps = {QStringLiteral("close")};
        if (m_pending || m_step >= steps.size())
            return;
        m_pending = true;
        const QString step = steps.at(m_step++);
        QPointer<QWidget> window = main;
        QMetaObject::invokeMethod(
            this,
            [this, window, step] {
                // The next step waits for this one's end, as a user would: the
                // program handles its events while it waits for long work.
                if (window) {
                    if (auto *a = window->findChild<QAction *>(step))
                        a->trigger();
                    else
                        QMetaObject::invokeMethod(window, step.toLatin1().constData());
                }
                m_pending = false;
            },
            Qt::QueuedConnection);
    }

    // Types each field as keys, then saves as the user does.
    void saveClient(QDialog *window)
    {
        const QList<std::pair<const char *, QString>> fields = {
            {"textKrz0", QStringLiteral("Eva")}, {"textKrz1", QStringLiteral("Nová")},
            {"textKrz6", qEnvironmentVariable("ULK_ROBOT_FILE")}};
        for (const auto &[name, text] : fields) {
            QWidget *field = window->findChild<QWidget *>(QLatin1String(name));
            if (!field)
                continue;
            field->setFocus();
            for (const QChar c : text) {
                QKeyEvent press(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
                QKeyEvent release(QEvent::KeyRelease, c.toUpper().unicode(), Qt::NoModifier, QString(c));
                QApplication::sendEvent(field, &press);
                QApplication::sendEvent(field, &release);
            }
        }
        // The note comes as one text, as from an input method.
        if (QWidget *note = window->findChild<QWidget *>(QStringLiteral("rtbDUK1"))) {
            note->setFocus();
            QInputMethodEvent commit;
            commit.setCommitString(QStringLiteral("Záznam o práci s dieťaťom. ").repeated(400));
            QApplication::sendEvent(note, &commit);
        }
        if (auto *save = window->findChild<QAbstractButton *>(QStringLiteral("cmdZap")))
            save->click();
        log(QStringLiteral("saved"));
    }

    QString m_task;
    QPointer<QMessageBox> m_answered;
    QPointer<QDialog> m_closed;
    bool m_shown = false;
    bool m_pending = false;
    int m_step = 0;
};

class RobotPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "robot.json")
public:
    QObject *create(const QString &, const QString &task) override { return new Robot(task); }
};

} // namespace

#include "ProgramRobot.moc"
