#pragma once
#include <QString>

namespace ulk {

// The file that a path names, through symbolic links. ulk.mdb may be a link to
// a register kept elsewhere (a share, another disk): whatever replaces ulk.mdb
// then replaces the file the link points to, beside it in its own folder, and
// leaves the link as it is.
class LinkedFile {
public:
    // The path itself when it is no symbolic link (whether or not the file
    // exists); otherwise the file at the end of the links. Empty, with the
    // Slovak cause in *why, when the links lead nowhere (a link to a missing
    // file, links in a loop) or to something that is no file: the cause says
    // where the link leads and that nothing was changed.
    static QString resolve(const QString &path, QString *why = nullptr);
    // Whether the path is a symbolic link (even one that leads nowhere).
    static bool isLink(const QString &path);
};

} // namespace ulk
