#pragma once
#include "archive/Archiver.h"
#include "common/LongWork.h"

#include <QDialog>

namespace ulk {

class WaitPanel;

// frmArch_new: archives ulk.mdb. When first shown it packs the database into
// arch_tmp.zip, showing how far the packing got, with "Zrušiť" (which leaves
// no archive), asks where the archive goes, puts it there and reports the
// outcome, then closes. The opener has closed the database before and opens
// it anew afterwards.
class ArchiveWindow : public QDialog, public WaitView {
    Q_OBJECT
public:
    explicit ArchiveWindow(const QString &programDirectory, QWidget *parent = nullptr);

    // Test seam: how the delivered archive is written to the disk (tests
    // make it fail).
    void setFileSync(Archiver::FileSync sync) { m_sync = std::move(sync); }

    // The packing's view: this window itself, modal, takes the input.
    void begin(WorkProgress &progress) override;
    void update(WorkProgress &progress) override;
    void end() override {}
    bool takesInput() const override { return true; }

    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void run();
    void failed(const QString &cause);

    QString m_dir;
    Archiver::FileSync m_sync = Archiver::syncToDisk;
    bool m_started = false;
    bool m_packing = false;
    WaitPanel *m_panel;
};

} // namespace ulk
