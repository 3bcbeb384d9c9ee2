#pragma once
// Helpers shared by the archive and restore tests: zip files built and read
// with libzip, and the full contents of a database file as text.
#include "data/Database.h"
#include "data/RegisterLock.h"
#include "support/Files.h"
#include "support/ScriptedPrompter.h"

#include <QDir>
#include <QFile>
#include <QPair>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QUuid>
#include <zip.h>

namespace ulk::test {

using ZipEntries = QList<QPair<QString, QByteArray>>;

inline bool writeZip(const QString &path, const ZipEntries &entries)
{
    int code = 0;
    zip_t *z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!z)
        return false;
    for (const auto &[name, data] : entries) {
        // libzip keeps the buffer until zip_close: hand it a copy it frees.
        void *copy = malloc(size_t(data.size()) + 1);
        memcpy(copy, data.constData(), size_t(data.size()));
        zip_source_t *s = zip_source_buffer(z, copy, zip_uint64_t(data.size()), 1);
        if (!s || zip_file_add(z, name.toUtf8().constData(), s, ZIP_FL_ENC_UTF_8) < 0) {
            zip_discard(z);
            return false;
        }
    }
    return zip_close(z) == 0;
}

inline ZipEntries readZip(const QString &path)
{
    ZipEntries out;
    int code = 0;
    zip_t *z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!z)
        return out;
    const zip_int64_t n = zip_get_num_entries(z, 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        QByteArray data;
        if (zip_file_t *f = zip_fopen_index(z, zip_uint64_t(i), 0)) {
            char buf[65536];
            zip_int64_t r;
            while ((r = zip_fread(f, buf, sizeof buf)) > 0)
                data.append(buf, int(r));
            zip_fclose(f);
        }
        out.append({QString::fromUtf8(zip_get_name(z, zip_uint64_t(i), 0)), data});
    }
    zip_discard(z);
    return out;
}

// Every table and view definition and every row of every table, as text.
inline QStringList dumpDatabase(const QString &path)
{
    QStringList out;
    const QString name = QStringLiteral("test-dump");
    {
        QString error;
        QSqlDatabase db = Database::openExtra(path, name, true, &error);
        QSqlQuery q(db);
        QStringList tables;
        q.exec(QStringLiteral("SELECT type, name, sql FROM sqlite_master ORDER BY type, name"));
        while (q.next()) {
            out << q.value(0).toString() + QLatin1Char(' ') + q.value(1).toString() + QLatin1Char(' ')
                    + q.value(2).toString();
            if (q.value(0).toString() == QLatin1String("table"))
                tables << q.value(1).toString();
        }
        for (const QString &t : tables) {
            QSqlQuery r(db);
            r.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(t));
            while (r.next()) {
                QStringList cells;
                for (int c = 0; c < r.record().count(); ++c)
                    cells << (r.value(c).isNull() ? QStringLiteral("<null>") : r.value(c).toString());
                out << t + QLatin1String(": ") + cells.join(QLatin1Char('|'));
            }
        }
    }
    Database::closeExtra(name);
    return out;
}

// The names in a directory, hidden ones included, but for the lock of the
// program that runs on it.
inline QStringList listing(const QString &dir)
{
    QStringList l = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    l.removeOne(RegisterLock::fileName());
    l.sort();
    return l;
}

// One line per prompt, for comparing whole conversations at once:
// "message|text|title|icon|buttons" or "save|title|offered|filters|index|flags".
inline QString describe(const Prompt &p)
{
    static const char *const icons[] = {"none", "critical", "question", "exclamation", "information"};
    static const char *const buttons[] = {"ok", "okcancel", "abortretryignore", "yesnocancel", "yesno", "retrycancel"};
    switch (p.kind) {
    case Prompt::Message:
        return QStringList({"message", p.text, p.title, icons[int(p.icon)], buttons[int(p.buttons)]}).join('|');
    case Prompt::Input: return QStringLiteral("input|") + p.text;
    case Prompt::SaveFile:
    case Prompt::OpenFile: {
        QStringList flags;
        if (p.confirmOverwrite)
            flags << QStringLiteral("confirm overwrite");
        if (p.mustExist)
            flags << QStringLiteral("must exist");
        return QStringList({p.kind == Prompt::SaveFile ? "save" : "open", p.title, p.defaultText,
                            p.filters.join(';'), QString::number(p.filterIndex), flags.join(',')})
            .join('|');
    }
    }
    return {};
}

inline QStringList conversation(const ScriptedPrompter &p)
{
    QStringList out;
    for (const Prompt &prompt : p.prompts)
        out << describe(prompt);
    return out;
}

inline QString uniqueToken() { return QUuid::createUuid().toString(QUuid::WithoutBraces); }

} // namespace ulk::test
