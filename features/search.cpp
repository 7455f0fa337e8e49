#include "features/features.h"

#include "canvas/vellum.h"
#include "features/reportlist.h"
#include "move/move.h"
#include "window/frmmain.h"
#include "window/platform.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace {

// FindObject: a part of the name, letter case ignored; 256 goes on after the last hit.
constexpr int NewSearch = 0;
constexpr int NextHit = 256;

} // namespace

void btnsearch_Click(frmMain &form)
{
    Vellum &canvas = *form.Vellum;
    Features::showResultList(form, QColor(255, 255, 0), QColor(0, 0, 0));
    form.Label19->setText(QStringLiteral("Objects Found"));

    clearForSearch(form);
    form.List1->clear();
    const QString text = form.txttagname->text();
    canvas.SetToolMode(0);

    // Every object is found at most once; the bound only guards the walk.
    const int bound = canvas.ObjectCount(1);
    int flags = NewSearch;
    for (int hits = 0; hits < bound; ++hits) {
        if (canvas.FindObject(QStringLiteral("Name"), text, flags) < 1)
            break;
        const QString name = canvas.UserProperty(QStringLiteral("Name"));
        const QString box = canvas.UserProperty(QStringLiteral("Info"));
        form.platform().beep();
        Features::listObject(form.List1, canvas.UserProperty(QStringLiteral("Type")), name,
                             box);
        flags = NextHit;
    }
}
