#pragma once
#include "archive/Archiver.h"

#include <QDialog>

namespace ulk {

// frmArch_new: archives ulk.mdb. It has no controls of its own: when first
// shown it packs the database into arch_tmp.zip, asks where the archive
// goes, puts it there and reports the outcome, then closes. The opener has
// closed the database before and opens it anew afterwards.
class ArchiveWindow : public QDialog {
    Q_OBJECT
public:
    explicit ArchiveWindow(const QString &programDirectory, QWidget *parent = nullptr);

    // Test seam: how the delivered archive is written to the disk (tests
    // make it fail).
    void setFileSync(Archiver::FileSync sync) { m_sync = std::move(sync); }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void run();
    void failed(const QString &cause);

    QString m_dir;
    Archiver::FileSync m_sync = Archiver::syncToDisk;
    bool m_started = false;
};

} // namespace ulk
