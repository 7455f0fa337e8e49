#include "app/wiring.h"

#include "canvas/vellum.h"
#include "features/features.h"
#include "features/journal.h"
#include "store/rules/textrules.h"
#include "window/frmmain.h"
#include "window/platform.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString documentFile = u"pic"_s;
const QString backupFolder = u"backups"_s;

QString backupFile(const QString &saveId)
{
    return backupFolder + u"/pic"_s + saveId;
}

// The counter after this quit. A counter that is not a number counts as 0, so the save
// still happens; an existing backup is never overwritten, so the counter skips past any
// backup file already there.
qint64 nextSaveId(const QString &text)
{
    const double value = TextRules::valueNumber(text);
    qint64 next = 1;
    if (std::isfinite(value) && value >= 0 && value < 9.0e15)
        next = qint64(std::floor(value)) + 1;
    while (QFileInfo::exists(backupFile(TextRules::numberText(next))))
        ++next;
    return next;
}

} // namespace

void btnquit_Click(frmMain &form)
{
    ::Vellum &canvas = *form.Vellum;
    Platform &platform = form.platform();
    if (const qint32 bad = firstInvalidAlarm(form); bad != 0) {
        canvas.SetCurrentObject(bad);
        platform.message(u"Please change the Alarm Date for "_s
                         + canvas.UserProperty(u"Name"_s) + u", it disnae make sense"_s);
        return;
    }

    storeBoxNames(form);

    const QString previousSaveId = canvas.UserProperty(u"SaveId"_s);
    const qint64 saveId = nextSaveId(previousSaveId);
    canvas.SetUserProperty(u"SaveId"_s, TextRules::numberText(saveId));
    // After a failed save the counter goes back, so that the next quit takes the number
    // again unless its backup was written.
    const auto keepCounter = [&] { canvas.SetUserProperty(u"SaveId"_s, previousSaveId); };

    // Start-up makes the backup folder; it may have gone since.
    QDir().mkpath(backupFolder);
    const QString backup = backupFile(canvas.UserProperty(u"SaveId"_s));
    // The canvas has already said which file failed and why. "pic" is replaced only once
    // its copy is safely in the backups, so that a failing backup folder never leaves the
    // document overwritten without a copy. The program only ends with both files written,
    // so that no work is lost and the user can quit again.
    if (!canvas.SaveDocument(backup)) {
        keepCounter();
        platform.message(u"The backup copy \""_s + backup + u"\" could not be written, so "
                         "the document \""_s + documentFile
                         + u"\" was left as it was and Ambrook stays open with your work. "
                           "Quit again once the problem is fixed."_s);
        return;
    }
    if (!canvas.SaveDocument(documentFile)) {
        keepCounter();
        platform.message(u"The document \""_s + documentFile
                         + u"\" was not saved, so Ambrook stays open and your work is kept. "
                           "Quit again once the problem is fixed."_s);
        return;
    }
    // Everything in the journal is in "pic" now.
    removeJournal(form);

    form.closeForGood();
}
