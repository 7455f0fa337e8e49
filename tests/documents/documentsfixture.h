#pragma once

// Shared set-up of the document and file-drop tests.

#include "move/movefixture.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QUrl>

namespace documentsfixture {

using movefixture::makeBox;
using movefixture::rectOf;

// Files dragged from a file manager and released at a pixel point of the canvas.
inline void dropFiles(Harness &h, const QStringList &paths, QPoint at)
{
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls << QUrl::fromLocalFile(path);
    mime.setUrls(urls);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&h.canvas(), &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&h.canvas(), &move);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&h.canvas(), &drop);
}

inline QString makePicture(const Harness &h, const QString &name)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    const QString path = h.folder.file(name);
    image.save(path, "PNG");
    return path;
}

inline QString makeTextFile(const Harness &h, const QString &name)
{
    const QString path = h.folder.file(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write("Drill manual\n");
    return path;
}

inline qint32 lastId(const Harness &h)
{
    return h.canvas().objects().back()->id;
}

// A double-click as the desktop delivers it: press, release, double-click, release.
inline void doubleClickAt(Harness &h, QPoint pixel)
{
    QTest::mousePress(&h.canvas(), Qt::LeftButton, Qt::NoModifier, pixel);
    QTest::mouseRelease(&h.canvas(), Qt::LeftButton, Qt::NoModifier, pixel);
    QTest::mouseDClick(&h.canvas(), Qt::LeftButton, Qt::NoModifier, pixel);
    QTest::mouseRelease(&h.canvas(), Qt::LeftButton, Qt::NoModifier, pixel);
}

inline void doubleClick(Harness &h, qint32 id)
{
    doubleClickAt(h, h.centreOf(id));
}

inline QStringList folderEntries(const Harness &h)
{
    return QDir(h.folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
}

} // namespace documentsfixture
