#include "support/ui/WhenModal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <memory>

namespace ulk::test {

void whenModal(const char *className, std::function<void(QWidget *)> fn, int timeoutMs)
{
    auto *timer = new QTimer;
    auto elapsed = std::make_shared<QElapsedTimer>();
    elapsed->start();
    const QByteArray name(className);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, elapsed, name, fn, timeoutMs]() {
        QWidget *w = QApplication::activeModalWidget();
        if (w && w->inherits(name.constData()) && w->isVisible()) {
            timer->stop();
            timer->deleteLater();
            fn(w);
            return;
        }
        if (elapsed->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            qWarning("modal window %s did not appear", name.constData());
        }
    });
    timer->start();
}

} // namespace ulk::test
