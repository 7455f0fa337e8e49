#include "app/wiring.h"

#include "canvas/vellum.h"
#include "window/frmmain.h"
#include "window/platform.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString documentFile = u"pic"_s;
const QString backupFolder = u"backups"_s;

// "backups/picN" as quit names them, the highest number first. Numbers are compared by
// value, however many digits they have.
QStringList backupsNewestFirst()
{
    static const QRegularExpression backupName(u"^pic([0-9]+)$"_s);
    struct Backup
    {
        QString digits;
        QString name;
    };
    std::vector<Backup> found;
    const QStringList names = QDir(backupFolder).entryList(QDir::Files | QDir::Hidden);
    for (const QString &name : names) {
        const QRegularExpressionMatch match = backupName.match(name);
        if (!match.hasMatch())
            continue;
        QString digits = match.captured(1);
        while (digits.size() > 1 && digits.startsWith(u'0'))
            digits.remove(0, 1);
        found.push_back({digits, name});
    }
    std::sort(found.begin(), found.end(), [](const Backup &a, const Backup &b) {
        if (a.digits.size() != b.digits.size())
            return a.digits.size() > b.digits.size();
        return a.digits != b.digits ? a.digits > b.digits : a.name < b.name;
    });
    QStringList files;
    for (const Backup &backup : found)
        files << backupFolder + u'/' + backup.name;
    return files;
}

// "5 Dec 2026 at 14:02": the words of the program's messages, whatever the locale.
QString savedAt(const QString &file)
{
    const QDateTime saved = QFileInfo(file).lastModified();
    const QLocale english(QLocale::English, QLocale::UnitedKingdom);
    return english.toString(saved, u"d MMM yyyy"_s) + u" at "_s
           + english.toString(saved, u"HH:mm"_s);
}

QString offerText(const QString &kept, const QString &backup)
{
    QString text = u"Ambrook could not read your document \"%1\": it is damaged or is not "
                   "a document Ambrook can open."_s.arg(documentFile);
    if (kept.isEmpty()) {
        text += u" It could not be kept aside under a new name either, so Ambrook will not "
                "save over it."_s;
    } else {
        text += u" It has been kept, unchanged, as %1."_s.arg(kept);
    }
    return text + u"\n\nOpen %1, saved %2, instead?"_s.arg(backup, savedAt(backup));
}

} // namespace

QString OpenDocument(frmMain &form)
{
    ::Vellum &canvas = *form.Vellum;
    if (!QFileInfo::exists(documentFile))
        return canvas.LoadDocument(documentFile) ? documentFile : QString();
    QString reason;
    if (canvas.ReadDocument(documentFile, reason))
        return documentFile;

    // The first backup that reads stays loaded while the user is asked.
    QString backup;
    for (const QString &candidate : backupsNewestFirst()) {
        QString ignored;
        if (canvas.ReadDocument(candidate, ignored)) {
            backup = candidate;
            break;
        }
    }
    // Without a backup to offer, the document is kept aside and the user told as always.
    if (backup.isEmpty())
        return canvas.LoadDocument(documentFile) ? documentFile : QString();

    const QString kept = canvas.KeepAside(documentFile);
    const QString details = u"%1: %2"_s.arg(documentFile, reason);
    const QStringList buttons{u"Open Backup"_s, u"Start Empty"_s};
    if (form.platform().question(offerText(kept, backup), details, buttons, 0) == 0)
        return backup;
    canvas.clear();
    return QString();
}
