#include "canvas/model/documentfile.h"

#include "canvas/model/documentfile_p.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace DocumentFile {

QString keepAside(const QString &file)
{
    const QFileInfo info(file);
    if (!info.exists())
        return QString();
    const QString stamp = QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"_s);
    const QString base = info.absoluteFilePath() + u".damaged-"_s + stamp;
    QString target = base;
    for (int n = 1; QFileInfo::exists(target) || QFileInfo(target).isSymLink(); ++n)
        target = base + u'-' + QString::number(n);
    if (!QFile::rename(info.absoluteFilePath(), target))
        return QString();
    QString ignored;
    flushFolder(info.absolutePath(), ignored);
    return target;
}

} // namespace DocumentFile
