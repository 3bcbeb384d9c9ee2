#pragma once
#include <QDialog>

namespace ulk {

// FrmDearch_new: restores ulk.mdb from an archive. It has no controls of its
// own: when first shown it asks for the archive, in mode "MENU" warns that
// the present data will be replaced (and keeps them as ulk_ren.mdb), restores
// and reports the outcome, then closes. In any other mode (the start-up,
// "LOAD") it asks no question and keeps no copy.
class RestoreWindow : public QDialog {
    Q_OBJECT
    Q_PROPERTY(QString restoreMode READ restoreMode WRITE setRestoreMode)
public:
    explicit RestoreWindow(const QString &programDirectory, QWidget *parent = nullptr);

    QString restoreMode() const { return m_mode; }
    void setRestoreMode(const QString &mode) { m_mode = mode; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void run();

    QString m_dir;
    QString m_mode;
    bool m_started = false;
};

} // namespace ulk
