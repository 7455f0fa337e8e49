#include "move/move.h"

#include "app/frmmain.h"
#include "canvas/vellum.h"

namespace {

// One pass over the whole drawing: every object of the given type goes to the layer.
void restackPass(::Vellum &canvas, const QString &type, qint16 layer)
{
    canvas.SetEditMode(13);
    canvas.SetRelayerFlag(true);
    canvas.SetEditMode(14);
    const QString key = QStringLiteral("Type");
    const int n = canvas.ObjectCount(1);
    for (int j = 1; j <= n; ++j) {
        canvas.SetCurrentIndex(j);
        if (canvas.UserProperty(key) == type)
            canvas.SetLayer(layer);
    }
}

} // namespace

void RestackObjects(frmMain &form)
{
    const QString object = QStringLiteral("Object");
    restackPass(*form.Vellum, object, 3);
    restackPass(*form.Vellum, QStringLiteral("Location"), 2);
    restackPass(*form.Vellum, object, 3);
}
