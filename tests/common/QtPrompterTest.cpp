// The program's real prompter as a Slovak user meets it: every standard button
// in Slovak, the same Esc and default buttons, and no settings file written.
#include "common/ui/QtPrompter.h"
#include "common/ui/SlovakTranslation.h"
#include "support/ui/CaptionFit.h"
#include "support/ProgramDir.h"
#include "support/ui/WhenModal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDirIterator>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

using namespace ulk;

namespace {
const QStringList kEnglish = {"Yes", "No", "Cancel", "Abort", "Retry", "Ignore", "Save", "Open", "Close", "Print"};

struct Shown {
    QStringList buttons; // sorted, without accelerator marks
    QString defaultButton;
    QStringList clipped;
    QString title;
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
        shown.title = w->windowTitle();
        QTest::keyClick(w, Qt::Key_Escape);
    });
    open();
    return shown;
}

// Asked last of the translators, it hears every text that no Slovak
// translation answered.
class Untranslated : public QTranslator {
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (source && *source)
            m_missed.insert(QString::fromUtf8(context) + QStringLiteral(": ") + QString::fromUtf8(source));
        return {};
    }
    bool isEmpty() const override { return false; }
    QStringList missed() const
    {
        QStringList all(m_missed.cbegin(), m_missed.cend());
        all.sort();
        return all;
    }
    bool isMissed(const QString &text) const
    {
        for (const QString &m : m_missed)
            if (m.section(QStringLiteral(": "), 1) == text)
                return true;
        return false;
    }
    void clear() { m_missed.clear(); }

private:
    mutable QSet<QString> m_missed;
};

// Every text a window shows: labels, buttons, combo items, group boxes, tab
// titles, tool tips and its title, each with the control that shows it.
QList<QPair<QString, QString>> textsOf(QWidget *window)
{
    const auto named = [](const QWidget *w) {
        return QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + w->objectName();
    };
    QList<QPair<QString, QString>> texts{{named(window), window->windowTitle()}};
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const QString where = named(w);
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            texts << qMakePair(where, b->text());
        else if (auto *l = qobject_cast<QLabel *>(w))
            texts << qMakePair(where, l->text());
        else if (auto *g = qobject_cast<QGroupBox *>(w))
            texts << qMakePair(where, g->title());
        else if (auto *c = qobject_cast<QComboBox *>(w))
            for (int i = 0; i < c->count(); ++i)
                texts << qMakePair(where, c->itemText(i));
        else if (auto *t = qobject_cast<QTabWidget *>(w))
            for (int i = 0; i < t->count(); ++i)
                texts << qMakePair(where, t->tabText(i));
        if (!w->toolTip().isEmpty())
            texts << qMakePair(where, w->toolTip());
    }
    return texts;
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
    void initTestCase()
    {
        QCoreApplication::installTranslator(&m_untranslated);
        installSlovakTranslation(*qApp);
        m_untranslated.clear();
    }

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
        // A box shows its own title whole, or the program's when it has none.
        QtPrompter program(QStringLiteral("Evidencia klientov ULK"));
        for (const QString &title : {QString("Chybová správa"), QString()}) {
            const Shown shown = showAndEscape("QMessageBox", [&] {
                program.message({"Otázka", title, PromptIcon::Exclamation, PromptButtons::Ok, 0});
            });
            QCOMPARE(shown.title, title.isEmpty() ? QString("Evidencia klientov ULK") : title);
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

    // A file that exists is replaced only after the program's own Slovak
    // question, under the dialog's title.
    void overwriteAskedInSlovak()
    {
        const QString existing = QCoreApplication::applicationFilePath(); // answered Yes, yet never written
        QStringList seen;
        test::whenModal("QFileDialog", [&](QWidget *files) {
            test::whenModal("QMessageBox", [&](QWidget *box) {
                seen << box->windowTitle() << static_cast<QMessageBox *>(box)->text();
                static_cast<QMessageBox *>(box)->button(QMessageBox::Yes)->click();
            });
            QMetaObject::invokeMethod(files, "accept");
        });
        QCOMPARE(QtPrompter().saveFile({"Kde bude archív", existing, {}, 0, true}), existing);
        QCOMPARE(seen, QStringList({"Kde bude archív", "Súbor QtPrompterTest už existuje.\nChcete ho nahradiť?"}));
    }

    // The print dialog with its options and its printer's properties, and the
    // page set-up: no text shown in English, also none of the paper sizes, the
    // units or the messages the dialogs give on a wrong entry.
    void printDialogsHaveNoEnglishText()
    {
        m_untranslated.clear();
        QStringList english;
        QMap<QString, QString> seen; // control → its texts, for the checks below
        const auto look = [&](QWidget *window) {
            for (const auto &[where, text] : textsOf(window)) {
                const QString plain = QString(text).remove(QLatin1Char('&'));
                if (m_untranslated.isMissed(text) || m_untranslated.isMissed(plain))
                    english << where + QStringLiteral(" \"") + plain + QLatin1Char('"');
                seen[where] += plain + QLatin1Char('|');
            }
        };
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        QPrintDialog print(&printer);
        test::whenModal("QPrintDialog", [&](QWidget *dialog) {
            // The options below, then the printer's properties.
            QPushButton *more = nullptr;
            for (QPushButton *b : dialog->findChildren<QPushButton *>())
                if (b->text().remove(QLatin1Char('&')).startsWith(QStringLiteral("Možnosti")))
                    more = b;
            QVERIFY(more);
            QTest::mouseClick(more, Qt::LeftButton);
            test::whenModal("QPrintPropertiesDialog", [&](QWidget *properties) {
                look(properties);
                QTest::keyClick(properties, Qt::Key_Escape);
            });
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("properties")), Qt::LeftButton);
            look(dialog);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        print.exec();
        QPageSetupDialog pageSetup(&printer);
        test::whenModal("QPageSetupDialog", [&](QWidget *dialog) {
            // Each unit names the margins anew.
            auto *units = dialog->findChild<QComboBox *>(QStringLiteral("unitCombo"));
            for (int i = 0; i < units->count(); ++i)
                units->setCurrentIndex(i);
            look(dialog);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        pageSetup.exec();
        // Paper sizes by name and custom sizes in every unit.
        for (int id = 0; id <= int(QPageSize::LastPageSize); ++id)
            QPageSize::name(QPageSize::PageSizeId(id));
        for (QPageSize::Unit unit : {QPageSize::Millimeter, QPageSize::Point, QPageSize::Inch, QPageSize::Pica,
                                     QPageSize::Didot, QPageSize::Cicero})
            QPageSize(QSizeF(123, 77), unit).name();
        QPageSize(QSize(300, 400), QString(), QPageSize::ExactMatch).name();
        // What the dialogs say when a page range is wrong or options clash.
        const std::pair<const char *, const char *> messages[] = {
            {"QPrintDialog", "Invalid Pages Definition"},
            {"QPrintDialog", "%1 does not follow the correct syntax. Please use ',' to separate ranges and pages, "
                             "'-' to define ranges and make sure ranges do not intersect with each other."},
            {"QPrintDialog", "Duplex Settings Conflicts"},
            {"QPrintDialog", "There are conflicts in duplex settings. Do you want to fix them?"},
            {"QPrintDialog", "Options 'Pages Per Sheet' and 'Page Set' cannot be used together.\n"
                             "Please turn one of those options off."},
            {"QPrintDialog", "%1 is a directory.\nPlease choose a different file name."},
            {"QPrintDialog", "File %1 is not writable.\nPlease choose a different file name."},
            {"QPrintDialog", "%1 already exists.\nDo you want to overwrite it?"},
            {"QPrintPropertiesDialog", "Page Setup Conflicts"},
            {"QPrintPropertiesDialog", "There are conflicts in page setup options. Do you want to fix them?"},
            {"QPrintPropertiesDialog", "Advanced Option Conflicts"},
            {"QPrintPropertiesDialog", "There are conflicts in some advanced options. Do you want to fix them?"},
        };
        for (const auto &[context, source] : messages)
            QCoreApplication::translate(context, source);

        QVERIFY2(english.isEmpty(), qPrintable(english.join(QLatin1Char('\n'))));
        QVERIFY2(m_untranslated.missed().isEmpty(), qPrintable(m_untranslated.missed().join(QLatin1Char('\n'))));
        // The texts a user of the program met in English.
        QCOMPARE(seen.value("QGroupBox duplex"), QString("Obojstranná tlač|"));
        QCOMPARE(seen.value("QRadioButton noDuplex") + seen.value("QRadioButton duplexLong")
                     + seen.value("QRadioButton duplexShort"),
                 QString("Vypnutá|Väzba na dlhšej strane|Väzba na kratšej strane|"));
        QCOMPARE(seen.value("QRadioButton pagesRadioButton"), QString("Strany|"));
        QCOMPARE(seen.value("QLabel pageSetLabel"), QString("Výber strán:|"));
        QCOMPARE(seen.value("QComboBox pageSetCombo"), QString("Všetky strany|Nepárne strany|Párne strany|"));
        QCOMPARE(seen.value("QPrintPropertiesDialog "), QString("Vlastnosti tlačiarne|"));
        QVERIFY(seen.value("QTabWidget tabs").startsWith("Strana|Možnosti úlohy|Rozšírené|Počet exemplárov|Možnosti|"));
        QVERIFY(seen.value("QGroupBox pagesPerSheetButtonGroup").startsWith("Rozloženie strán|"));
        QVERIFY(seen.value("QLabel label_2").contains("Strán na hárok:|"));
        QVERIFY(seen.value("QLabel label").contains("Poradie strán:|"));
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
    Untranslated m_untranslated;
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
