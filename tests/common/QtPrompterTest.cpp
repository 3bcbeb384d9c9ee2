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
#include <QPushButton>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

using namespace ulk;

namespace {
QStringList buttonTexts(QWidget *w)
{
    QStringList texts;
    for (QAbstractButton *b : w->findChildren<QAbstractButton *>())
        if (b->isVisible() && !b->text().isEmpty())
            texts << b->text().remove(QLatin1Char('&'));
    return texts;
}

const QStringList kEnglish = {"Yes", "No", "Cancel", "Abort", "Retry", "Ignore", "Save", "Open",
                              "Close", "Print", "Apply", "Help", "Options >>"};

void checkSlovak(const QStringList &texts)
{
    for (const QString &t : texts)
        QVERIFY2(!kEnglish.contains(t), qPrintable(texts.join(QLatin1Char('|'))));
}
} // namespace

class QtPrompterTest : public QObject {
    Q_OBJECT
public:
    explicit QtPrompterTest(QString home) : m_home(std::move(home)) {}

private slots:
    void initTestCase() { installSlovakTranslation(*qApp); }

    void messageBoxesSlovakWithTheirEscAndDefault_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("onEsc");
        auto row = [](const char *name, PromptButtons set, int def, QStringList texts, PromptAnswer esc) {
            QTest::newRow(name) << int(set) << def << texts << int(esc);
        };
        row("ok", PromptButtons::Ok, 0, {"OK"}, PromptAnswer::Ok);
        row("okCancel", PromptButtons::OkCancel, 1, {"OK", "Zrušiť"}, PromptAnswer::Cancel);
        row("abortRetryIgnore", PromptButtons::AbortRetryIgnore, 1, {"Prerušiť", "Opakovať", "Ignorovať"},
            PromptAnswer::Ignore);
        row("yesNoCancel", PromptButtons::YesNoCancel, 2, {"Áno", "Nie", "Zrušiť"}, PromptAnswer::Cancel);
        row("yesNo", PromptButtons::YesNo, 1, {"Áno", "Nie"}, PromptAnswer::No);
        row("retryCancel", PromptButtons::RetryCancel, 0, {"Opakovať", "Zrušiť"}, PromptAnswer::Cancel);
    }
    void messageBoxesSlovakWithTheirEscAndDefault()
    {
        QFETCH(int, set);
        QFETCH(int, defaultButton);
        QFETCH(QStringList, texts);
        QFETCH(int, onEsc);
        QStringList shown;
        QString defaultText;
        test::whenModal("QMessageBox", [&](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            shown = buttonTexts(box);
            defaultText = box->defaultButton()->text().remove(QLatin1Char('&'));
            QTest::keyClick(box, Qt::Key_Escape);
        });
        const PromptAnswer answer = QtPrompter().message(
            {QStringLiteral("Otázka"), QString(), PromptIcon::Question, PromptButtons(set), defaultButton});
        std::sort(shown.begin(), shown.end());
        QStringList expected = texts;
        std::sort(expected.begin(), expected.end());
        QCOMPARE(shown, expected);
        QCOMPARE(defaultText, texts.at(defaultButton));
        QCOMPARE(int(answer), onEsc);
    }

    void inputBoxSlovak()
    {
        QStringList shown;
        test::whenModal("QInputDialog", [&](QWidget *w) {
            shown = buttonTexts(w);
            QTest::keyClick(w, Qt::Key_Escape);
        });
        QVERIFY(!QtPrompter().input(QStringLiteral("Zadaj"), QString(), QString()).has_value());
        shown.sort();
        QCOMPARE(shown, (QStringList{"OK", "Zrušiť"}));
    }

    void fileDialogsSlovak()
    {
        QStringList save, open, clipped;
        auto grab = [&clipped](QStringList *into) {
            return [into, &clipped](QWidget *w) {
                *into = buttonTexts(w);
                clipped << test::clippedCaptions(w);
                QTest::keyClick(w, Qt::Key_Escape);
            };
        };
        const FileRequest request{QStringLiteral("Archív"), QStringLiteral("ulk.zip"), {"Archív (*.zip)"}};
        test::whenModal("QFileDialog", grab(&save));
        QVERIFY(!QtPrompter().saveFile(request).has_value());
        test::whenModal("QFileDialog", grab(&open));
        QVERIFY(!QtPrompter().openFile(request).has_value());
        QVERIFY(save.contains("Uložiť") && save.contains("Zrušiť"));
        QVERIFY(open.contains("Otvoriť") && open.contains("Zrušiť"));
        checkSlovak(save);
        checkSlovak(open);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('|'))));
    }

    // The print dialog opened from a preview, and its page set-up.
    void printDialogsSlovak()
    {
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        QPrintDialog print(&printer);
        QPageSetupDialog pageSetup(&printer);
        for (QDialog *dialog : {static_cast<QDialog *>(&print), static_cast<QDialog *>(&pageSetup)}) {
            QStringList shown;
            test::whenModal(dialog->metaObject()->className(), [&](QWidget *w) {
                shown = buttonTexts(w);
                QTest::keyClick(w, Qt::Key_Escape);
            });
            dialog->exec();
            QVERIFY(shown.contains("Zrušiť"));
            checkSlovak(shown);
        }
    }

    // The dialogs above keep nothing in the user's home or configuration.
    void cleanupTestCase()
    {
        QDirIterator it(m_home, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        QStringList written;
        while (it.hasNext())
            written << it.next();
        QVERIFY2(written.isEmpty(), qPrintable(written.join(QLatin1Char(' '))));
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
