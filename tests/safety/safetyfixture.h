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
#include <QMap>
#include <QPushButton>
#include <QTest>

namespace safety {

using Files = QMap<QString, QByteArray>;  // path under the folder -> digest of its bytes

// Every file under root, hidden ones included (documents here reach hundreds of megabytes,
// so only digests are kept).
inline Files snapshot(const QString &root)
{
    Files files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(root).relativeFilePath(path),
                     QCryptographicHash::hash(fileBytes(path), QCryptographicHash::Sha256));
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
        if (after.value(it.key()) != it.value())
            lost << it.key() + (after.contains(it.key()) ? QStringLiteral(" changed")
                                                         : QStringLiteral(" is gone"));
    }
    return lost;
}

inline QStringList newFiles(const Files &before, const Files &after)
{
    QStringList added = after.keys();
    added.removeIf([&before](const QString &file) { return before.contains(file); });
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

// The object named name in the saved "pic" (an empty object when there is none).
inline VellumObject savedObject(const QString &name)
{
    VellumModel model;
    if (!model.LoadDocument(QStringLiteral("pic"))
        || model.FindObject(QStringLiteral("Name"), name, 4096) <= 0)
        return {};
    return *model.current();
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

// Type 0 is "Tools" with the captions "Cap 1" .. "Cap 16"; the other types are empty.
inline QString toolsTypeTable()
{
    QStringList cells(255, QString());
    cells[0] = QStringLiteral("Tools");
    for (int i = 1; i <= 16; ++i)
        cells[i] = QStringLiteral("Cap %1").arg(i);
    return TextRules::joinCrLf(cells);
}

// Attic at (100, 100) holds the lamp, Cellar beside it at (150, 100) holds the vase.
struct TwoBoxes
{
    explicit TwoBoxes(DocumentBuilder::Properties lampValues = {},
                      const QString &saveId = QStringLiteral("2"),
                      const QString &types = toolsTypeTable())
    {
        doc.startObject({QStringLiteral("Attic"), QStringLiteral("Cellar")}, saveId, types);
        doc.box(QStringLiteral("Attic"), 100, 100);
        doc.box(QStringLiteral("Cellar"), 150, 100);
        lamp = doc.storedObject(QStringLiteral("Lamp"), QStringLiteral("Attic"), 110, 110,
                                lampValues);
        vase = doc.storedObject(QStringLiteral("Vase"), QStringLiteral("Cellar"), 160, 110);
    }
    DocumentBuilder doc;
    qint32 lamp = 0;
    qint32 vase = 0;
};

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
        if (!isDocument(fileBytes(QStringLiteral("pic"))))
            found << QStringLiteral("pic is not a whole document");
        const QStringList added = newFiles(before, after);
        if (added.size() != 1 || after.value(added.value(0)) != after.value(QStringLiteral("pic")))
            found << QStringLiteral("no new backup equal to pic: ") + added.join(u' ');
        return found;
    }

    // Quits; what went wrong, none when the program ended and kept every file the user had.
    QStringList quitProblems()
    {
        quit();
        return running() ? QStringList{QStringLiteral("still running: ") + messageText()}
                         : problems();
    }

    Harness harness;
    Files before;
};

} // namespace safety
