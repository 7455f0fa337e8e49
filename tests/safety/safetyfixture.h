#pragma once

// Shared steps of the data-safety tests: a working folder holding a user's document "pic"
// and older backups, a snapshot of every file in it, and the checks that nothing the user
// had was lost.

#include "support/documentbuilder.h"
#include "support/testsupport.h"

#include "canvas/model/documentfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QPushButton>
#include <QStringList>
#include <QTest>

namespace safety {

using Files = QMap<QString, QByteArray>;

inline QByteArray digest(const QString &file)
{
    QFile in(file);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!in.open(QIODevice::ReadOnly) || !hash.addData(&in))
        return QByteArray();
    return hash.result();
}

// Every file under root, hidden ones included, by its path relative to root, with a digest
// of its bytes (documents in these tests reach hundreds of megabytes).
inline Files snapshot(const QString &root)
{
    Files files;
    const QDir base(root);
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(base.relativeFilePath(path), digest(path));
    }
    return files;
}

// The files of before that are gone or no longer byte for byte the same, "pic" left out
// when the document was saved on purpose.
inline QStringList lostFiles(const Files &before, const Files &after, bool picSaved = false)
{
    QStringList lost;
    for (auto it = before.constBegin(); it != before.constEnd(); ++it) {
        if (picSaved && it.key() == QStringLiteral("pic"))
            continue;
        if (!after.contains(it.key()))
            lost << it.key() + QStringLiteral(" is gone");
        else if (after.value(it.key()) != it.value())
            lost << it.key() + QStringLiteral(" changed");
    }
    return lost;
}

inline QStringList newFiles(const Files &before, const Files &after)
{
    QStringList added;
    for (auto it = after.constBegin(); it != after.constEnd(); ++it) {
        if (!before.contains(it.key()))
            added << it.key();
    }
    return added;
}

// Whether bytes are a whole document; the number of objects in count.
inline bool isDocument(const QByteArray &bytes, int *count = nullptr)
{
    std::vector<std::unique_ptr<VellumObject>> objects;
    QString error;
    if (!DocumentFile::read(bytes, objects, error))
        return false;
    if (count)
        *count = int(objects.size());
    return true;
}

inline QByteArray documentBytes(const DocumentBuilder &doc)
{
    return DocumentFile::write(doc.model.objects());
}

// The document drawn by doc, and before it an older one that lacks the last object added.
inline std::pair<QByteArray, QByteArray> documentAndOlder(DocumentBuilder &doc)
{
    const QByteArray older = documentBytes(doc);
    doc.model.AddObject(10, 0, 0, 4, 4);
    doc.model.SetUserProperty(QStringLiteral("Name"), QStringLiteral("Added later"));
    return {documentBytes(doc), older};
}

// A user's folder: "pic", an older backup 1 and backup 2 equal to "pic" (unless
// lastBackupIsPic is false: then equal to backup 1), as a normal quit leaves them; then the
// main window started on it unless startNow is false.
struct Scene
{
    explicit Scene(DocumentBuilder &doc, bool startNow = true)
        : Scene(documentAndOlder(doc), startNow)
    {
    }
    Scene(const std::pair<QByteArray, QByteArray> &picAndOlder, bool startNow = true,
          bool lastBackupIsPic = true)
        : harness(false)
    {
        const auto &[pic, older] = picAndOlder;
        QDir().mkpath(QStringLiteral("backups"));
        writeFile(QStringLiteral("backups/pic1"), older);
        writeFile(QStringLiteral("pic"), pic);
        writeFile(QStringLiteral("backups/pic2"), lastBackupIsPic ? pic : older);
        before = snapshot(harness.folder.path());
        if (startNow)
            harness.start();
    }

    frmMain &form() { return *harness.form; }
    QStringList &messages() { return harness.platform->messages; }
    QString messageText() { return messages().join(u'\n'); }
    void quit() { QTest::mouseClick(form().btnquit, Qt::LeftButton); }
    bool running() { return form().isVisible(); }
    Files now() { return snapshot(harness.folder.path()); }

    // Problems with the user's files: with no successful quit every file is as it was;
    // after one every old backup is, and "pic" is a whole document equal to the new backup.
    QStringList problems()
    {
        const Files after = now();
        const bool saved = !running();
        QStringList found = lostFiles(before, after, saved);
        if (!saved)
            return found;
        const QByteArray pic = after.value(QStringLiteral("pic"));
        if (!isDocument(fileBytes(QStringLiteral("pic"))))
            found << QStringLiteral("pic is not a whole document");
        const QStringList added = newFiles(before, after);
        if (added.size() != 1 || after.value(added.value(0)) != pic)
            found << QStringLiteral("no new backup equal to pic: ") + added.join(u' ');
        return found;
    }

    Harness harness;
    Files before;
};

} // namespace safety
