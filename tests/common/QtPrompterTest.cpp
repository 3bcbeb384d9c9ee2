// The program's real prompter as a Slovak user meets it: every standard button
// in Slovak, the same Esc and default buttons, and no settings file written.
#include "common/ui/QtPrompter.h"
#include "common/ui/SlovakTranslation.h"
#include "support/CaptionFit.h"
#include "support/ProgramDir.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDirIterator>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace ulk;

namespace {
const QStringList kEnglish = {"Yes", "No", "Cancel", "Abort", "Retry", "Ignore", "Save", "Open", "Close", "Print"};

struct Shown {
    QStringList buttons; // sorted, without accelerator marks
    QString defaultButton;
    QStringList clipped;
};

// Runs open(), records the buttons of the modal window of class `type` it
// shows, and closes that window with Esc.
template <typename Open> Shown showAndEscape(const char *type, Open open)
{
    Shown shown;
    test::whenModal(type, [&shown](QWidget *w) {
        for (QAbstractButton *b : w->findChildren<QAbstractButton *>())
            if (b->isVisible() && !b->text().isEmpty())
                shown.buttons << b->text().remove(QLatin1Char('&'));
        shown.buttons.sort();
        if (auto *box = qobject_cast<QMessageBox *>(w))
            shown.defaultButton = box->defaultButton()->text().remove(QLatin1Char('&'));
        shown.clipped = test::clippedCaptions(w);
        QTest::keyClick(w, Qt::Key_Escape);
    });
    open();
    return shown;
}

bool slovak(const Shown &shown)
{
    for (const QString &t : shown.buttons)
        if (kEnglish.contains(t))
            return false;
    return shown.buttons.contains(QStringLiteral("Zrušiť"));
}
} // namespace

class QtPrompterTest : public QObject {
    Q_OBJECT
public:
    explicit QtPrompterTest(QString home) : m_home(std::move(home)) {}

private slots:
    void initTestCase() { installSlovakTranslation(*qApp); }

    // Every button set: Slovak texts, the same default button and Esc answer.
    void messageBoxes()
    {
        const struct {
            PromptButtons set;
            int defaultButton;
            QStringList texts; // in the set's order
            PromptAnswer onEsc;
        } cases[] = {
            {PromptButtons::Ok, 0, {"OK"}, PromptAnswer::Ok},
            {PromptButtons::OkCancel, 1, {"OK", "Zrušiť"}, PromptAnswer::Cancel},
            {PromptButtons::AbortRetryIgnore, 1, {"Prerušiť", "Opakovať", "Ignorovať"}, PromptAnswer::Ignore},
            {PromptButtons::YesNoCancel, 2, {"Áno", "Nie", "Zrušiť"}, PromptAnswer::Cancel},
            {PromptButtons::YesNo, 1, {"Áno", "Nie"}, PromptAnswer::No},
            {PromptButtons::RetryCancel, 0, {"Opakovať", "Zrušiť"}, PromptAnswer::Cancel},
        };
        for (const auto &c : cases) {
            PromptAnswer answer = PromptAnswer::Ok;
            const Shown shown = showAndEscape("QMessageBox", [&] {
                answer = QtPrompter().message({"Otázka", QString(), PromptIcon::Question, c.set, c.defaultButton});
            });
            QStringList sorted = c.texts;
            sorted.sort();
            QCOMPARE(shown.buttons, sorted);
            QCOMPARE(shown.defaultButton, c.texts.at(c.defaultButton));
            QCOMPARE(answer, c.onEsc);
        }
    }

    // The input box, both file dialogs, and the print dialog opened from a
    // preview with its page set-up.
    void otherDialogs()
    {
        const Shown input = showAndEscape("QInputDialog", [] { QtPrompter().input("Zadaj", QString(), QString()); });
        QCOMPARE(input.buttons, (QStringList{"OK", "Zrušiť"}));
        const FileRequest request{"Archív", "ulk.zip", {"Archív (*.zip)"}};
        const Shown save = showAndEscape("QFileDialog", [&] { QVERIFY(!QtPrompter().saveFile(request)); });
        const Shown open = showAndEscape("QFileDialog", [&] { QVERIFY(!QtPrompter().openFile(request)); });
        QVERIFY2(slovak(save) && save.buttons.contains("Uložiť"), qPrintable(save.buttons.join('|')));
        QVERIFY2(slovak(open) && open.buttons.contains("Otvoriť"), qPrintable(open.buttons.join('|')));
        QCOMPARE(save.clipped + open.clipped, QStringList());
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        QPrintDialog print(&printer);
        QPageSetupDialog pageSetup(&printer);
        const Shown printing = showAndEscape("QPrintDialog", [&] { print.exec(); });
        const Shown setup = showAndEscape("QPageSetupDialog", [&] { pageSetup.exec(); });
        QVERIFY2(slovak(printing) && slovak(setup), qPrintable((printing.buttons + setup.buttons).join('|')));
    }

    // The dialogs above keep nothing in the user's home or configuration.
    void cleanupTestCase()
    {
        QStringList written;
        for (QDirIterator it(m_home, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                             QDirIterator::Subdirectories);
             it.hasNext();)
            written << it.next();
        QCOMPARE(written, QStringList());
    }

private:
    QString m_home;
};

int main(int argc, char **argv)
{
    // A home of its own, set before Qt reads where the user's settings live.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toLocal8Bit());
    QApplication app(argc, argv);
    QtPrompterTest test(home.path());
    return QTest::qExec(&test, argc, argv);
}

#include "QtPrompterTest.moc"
