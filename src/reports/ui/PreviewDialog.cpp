#include "reports/ui/PreviewDialog.h"

#include "common/ui/EnterPressesButton.h"
#include "reports/ReportPainter.h"
#include "reports/ui/PageView.h"
#include "reports/ui/PageWriter.h"
#include "reports/ui/PrintDialogNames.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace ulk::report {

namespace {
const QList<int> kZoomSteps = {25, 50, 75, 100, 125, 150, 200, 300, 400};
constexpr double kMinZoom = 0.1;
constexpr double kMaxZoom = 4.0;
}

PreviewDialog::PreviewDialog(const ReportDocument &doc, QWidget *parent) : QDialog(parent), m_doc(doc)
{
    setObjectName(doc.reportName);
    setWindowTitle(doc.caption.isEmpty() ? QStringLiteral("Ukážka pred tlačou") : doc.caption);
    setModal(true);
    setSizeGripEnabled(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("tlbUkazka"));
    m_first = addAction(QStringLiteral("actPrvaStrana"), QStringLiteral("Prvá"), QStringLiteral("Prvá strana"),
                        QKeySequence(Qt::CTRL | Qt::Key_Home), QStringLiteral("Ctrl+Home"));
    m_previous = addAction(QStringLiteral("actPredchadzajuca"), QStringLiteral("Predchádzajúca"),
                           QStringLiteral("Predchádzajúca strana"), QKeySequence(Qt::Key_PageUp),
                           QStringLiteral("Page Up"));
    m_pageBox = new QSpinBox(bar);
    m_pageBox->setObjectName(QStringLiteral("spnStrana"));
    m_pageBox->setToolTip(QStringLiteral("Číslo zobrazenej strany"));
    m_pageBox->setAccessibleName(m_pageBox->toolTip());
    m_pageBox->findChild<QLineEdit *>()->setAccessibleName(m_pageBox->toolTip());
    m_pageBox->setRange(1, std::max(1, doc.pageCount()));
    m_pageBox->setKeyboardTracking(false);
    m_pageCount = new QLabel(QStringLiteral(" z %1 ").arg(std::max(1, doc.pageCount())), bar);
    m_pageCount->setObjectName(QStringLiteral("lblPocetStran"));
    m_next = addAction(QStringLiteral("actNasledujuca"), QStringLiteral("Nasledujúca"),
                       QStringLiteral("Nasledujúca strana"), QKeySequence(Qt::Key_PageDown),
                       QStringLiteral("Page Down"));
    m_last = addAction(QStringLiteral("actPoslednaStrana"), QStringLiteral("Posledná"),
                       QStringLiteral("Posledná strana"), QKeySequence(Qt::CTRL | Qt::Key_End),
                       QStringLiteral("Ctrl+End"));
    QAction *smaller = addAction(QStringLiteral("actZmensit"), QStringLiteral("Zmenšiť"),
                                 QStringLiteral("Zmenšiť zobrazenie"), QKeySequence(Qt::CTRL | Qt::Key_Minus),
                                 QStringLiteral("Ctrl+-"));
    m_zoomBox = new QComboBox(bar);
    m_zoomBox->setObjectName(QStringLiteral("cboZvacsenie"));
    m_zoomBox->setToolTip(QStringLiteral("Zväčšenie"));
    m_zoomBox->setEditable(true);
    m_zoomBox->setInsertPolicy(QComboBox::NoInsert);
    m_zoomBox->setAccessibleName(m_zoomBox->toolTip());
    m_zoomBox->lineEdit()->setAccessibleName(m_zoomBox->toolTip());
    for (int z : kZoomSteps)
        m_zoomBox->addItem(QStringLiteral("%1 %").arg(z), z);
    QAction *larger = addAction(QStringLiteral("actZvacsit"), QStringLiteral("Zväčšiť"),
                                QStringLiteral("Zväčšiť zobrazenie"), QKeySequence(Qt::CTRL | Qt::Key_Plus),
                                QStringLiteral("Ctrl++"));
    QAction *width = addAction(QStringLiteral("actNaSirku"), QStringLiteral("Na šírku"),
                               QStringLiteral("Prispôsobiť šírke okna"));
    QAction *whole = addAction(QStringLiteral("actCelaStrana"), QStringLiteral("Celá strana"),
                               QStringLiteral("Zobraziť celú stranu"));
    QAction *print = addAction(QStringLiteral("actTlacit"), QStringLiteral("Tlačiť…"),
                               QStringLiteral("Vytlačí zostavu"), QKeySequence(Qt::CTRL | Qt::Key_P),
                               QStringLiteral("Ctrl+P"));
    QAction *save = addAction(QStringLiteral("actUlozitPdf"), QStringLiteral("Uložiť ako PDF"),
                              QStringLiteral("Uloží zostavu do súboru PDF"), QKeySequence(Qt::CTRL | Qt::Key_S),
                              QStringLiteral("Ctrl+S"));
    QAction *close = addAction(QStringLiteral("actZavriet"), QStringLiteral("Zavrieť"),
                               QStringLiteral("Zavrie ukážku pred tlačou"), QKeySequence(), QStringLiteral("Esc"));
    // Page turning by arrows of the style, zoom by its signs: the bar stays
    // as narrow as the window.
    m_first->setIcon(style()->standardIcon(QStyle::SP_MediaSkipBackward));
    m_previous->setIcon(style()->standardIcon(QStyle::SP_MediaSeekBackward));
    m_next->setIcon(style()->standardIcon(QStyle::SP_MediaSeekForward));
    m_last->setIcon(style()->standardIcon(QStyle::SP_MediaSkipForward));
    smaller->setIconText(QStringLiteral("−"));
    larger->setIconText(QStringLiteral("+"));
    bar->addActions({m_first, m_previous});
    bar->addWidget(m_pageBox);
    bar->addWidget(m_pageCount);
    bar->addActions({m_next, m_last});
    bar->addSeparator();
    bar->addAction(smaller);
    bar->addWidget(m_zoomBox);
    bar->addActions({larger, width, whole});
    bar->addSeparator();
    bar->addActions({print, save});
    bar->addSeparator();
    bar->addAction(close);

    m_view = new PageView(doc);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("scrStrana"));
    m_scroll->setAccessibleName(QStringLiteral("Zobrazená strana"));
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setWidget(m_view);
    m_scroll->setFocusPolicy(Qt::StrongFocus);

    // The tool bar by keyboard: Tab reaches its buttons in their order, and
    // Enter or Space presses the one with the focus.
    QWidget *previous = nullptr;
    for (QAction *a : bar->actions()) {
        QWidget *w = bar->widgetForAction(a);
        if (!w || a->isSeparator())
            continue;
        if (qobject_cast<QToolButton *>(w)) {
            w->setFocusPolicy(Qt::TabFocus);
            w->installEventFilter(this);
        }
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
    // In a narrow window the buttons that do not fit are behind the bar's
    // extension button, which Tab reaches then.
    if (auto *more = bar->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button"))) {
        more->setFocusPolicy(Qt::TabFocus);
        more->installEventFilter(this);
        QWidget::setTabOrder(previous, more);
        previous = more;
    }
    QWidget::setTabOrder(previous, m_scroll);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_scroll, 1);

    connect(m_first, &QAction::triggered, this, [this] { showPage(0); });
    connect(m_previous, &QAction::triggered, this, [this] { showPage(currentPage() - 1); });
    connect(m_next, &QAction::triggered, this, [this] { showPage(currentPage() + 1); });
    connect(m_last, &QAction::triggered, this, [this] { showPage(m_doc.pageCount() - 1); });
    connect(m_pageBox, &QSpinBox::valueChanged, this, [this](int value) { showPage(value - 1); });
    connect(smaller, &QAction::triggered, this, [this] { setZoom(zoom() / 1.25); });
    connect(larger, &QAction::triggered, this, [this] { setZoom(zoom() * 1.25); });
    // A zoom chosen from the list, or typed ("250", "60 %") and Enter.
    m_zoomBox->setCompleter(nullptr);
    connect(m_zoomBox, &QComboBox::textActivated, this, &PreviewDialog::applyZoomText);
    connect(m_zoomBox->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { applyZoomText(m_zoomBox->currentText()); });
    connect(width, &QAction::triggered, this, &PreviewDialog::fitToWidth);
    connect(whole, &QAction::triggered, this, &PreviewDialog::fitToPage);
    connect(print, &QAction::triggered, this, &PreviewDialog::print);
    connect(save, &QAction::triggered, this, &PreviewDialog::saveAsPdf);
    connect(close, &QAction::triggered, this, &QDialog::reject);

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect free = screen->availableGeometry();
        resize(std::min(free.width() * 9 / 10, 1000), free.height() * 9 / 10);
    }
    m_scroll->viewport()->installEventFilter(this);
    fitToWidth();
    m_scroll->setFocus();
}

QAction *PreviewDialog::addAction(const QString &objectName, const QString &text, const QString &toolTip,
                                  const QKeySequence &key, const QString &keyText)
{
    auto *action = new QAction(text, this);
    action->setObjectName(objectName);
    action->setToolTip(keyText.isEmpty() ? toolTip : QStringLiteral("%1 (%2)").arg(toolTip, keyText));
    if (!key.isEmpty()) {
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    QWidget::addAction(action);
    return action;
}

int PreviewDialog::currentPage() const { return m_view->pageIndex(); }

void PreviewDialog::showPage(int index)
{
    m_view->setPageIndex(index);
    m_scroll->verticalScrollBar()->setValue(0);
    updateControls();
}

double PreviewDialog::paperPixelsPerTwip() const { return logicalDpiX() / 1440.0; }

double PreviewDialog::zoom() const { return m_view->scale() / paperPixelsPerTwip(); }

void PreviewDialog::setZoom(double zoom)
{
    m_fit = Fit::None;
    m_view->setScale(std::clamp(zoom, kMinZoom, kMaxZoom) * paperPixelsPerTwip());
    updateControls();
}

void PreviewDialog::fitToWidth()
{
    m_fit = Fit::Width;
    // Room for the vertical scroll bar, so that fitting does not bring up a horizontal one.
    const int room = m_scroll->viewport()->width() - m_scroll->verticalScrollBar()->sizeHint().width() - 8;
    m_view->setScale(std::max(1, room) / m_doc.pageSize.width());
    updateControls();
}

void PreviewDialog::fitToPage()
{
    m_fit = Fit::Page;
    const QSize room = m_scroll->viewport()->size() - QSize(8, 8);
    m_view->setScale(std::min(std::max(1, room.width()) / m_doc.pageSize.width(),
                              std::max(1, room.height()) / m_doc.pageSize.height()));
    updateControls();
}

bool PreviewDialog::eventFilter(QObject *watched, QEvent *event)
{
    // A page fitted to the window stays fitted when the window's size changes.
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize) {
        if (m_fit == Fit::Width)
            fitToWidth();
        else if (m_fit == Fit::Page)
            fitToPage();
    }
    if (enterPressesButton(watched, event))
        return true;
    return QDialog::eventFilter(watched, event);
}

void PreviewDialog::applyZoomText(const QString &text)
{
    QString number = text;
    number.remove(QLatin1Char('%'));
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double percent = number.trimmed().toDouble(&ok);
    if (ok && std::isfinite(percent))
        setZoom(percent / 100.0);
    else
        updateControls();
}

void PreviewDialog::updateControls()
{
    const int page = currentPage();
    const int last = m_doc.pageCount() - 1;
    m_first->setEnabled(page > 0);
    m_previous->setEnabled(page > 0);
    m_next->setEnabled(page < last);
    m_last->setEnabled(page < last);
    const QSignalBlocker block(m_pageBox);
    m_pageBox->setValue(page + 1);
    const QSignalBlocker blockZoom(m_zoomBox);
    m_zoomBox->setEditText(QStringLiteral("%1 %").arg(std::lround(zoom() * 100)));
}

void PreviewDialog::saveAsPdf()
{
    PageWriter writer(m_doc, this);
    writer.setProgressDelay(m_progressDelay);
    connect(&writer, &PageWriter::pageWritten, this, &PreviewDialog::pageWritten);
    writer.saveAsPdf();
}

void PreviewDialog::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_doc.caption.isEmpty() ? m_doc.reportName : m_doc.caption);
    printer.setPageLayout(ReportPainter::pageLayout(m_doc));
    printer.setFullPage(true);
    QPrintDialog dialog(&printer, this);
    new PrintDialogNames(&dialog);
    dialog.setMinMax(1, std::max(1, m_doc.pageCount()));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage);
    if (dialog.exec() != QDialog::Accepted)
        return;
    int first = 0, last = -1;
    if (printer.printRange() == QPrinter::CurrentPage) {
        first = last = currentPage();
    } else if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage() - 1;
        last = printer.toPage() - 1;
    }
    printer.setFullPage(true);
    PageWriter writer(m_doc, this);
    writer.setProgressDelay(m_progressDelay);
    connect(&writer, &PageWriter::pageWritten, this, &PreviewDialog::pageWritten);
    writer.print(printer, first, last);
}

} // namespace ulk::report
