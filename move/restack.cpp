#include "move/move.h"

#include "canvas/vellum.h"
#include "window/frmmain.h"

// Objects go above boxes: every "Object" to layer 3, every "Location" to layer 2. One walk
// reads each object's type once; an object already on its layer costs no more than that.
void RestackObjects(frmMain &form)
{
    ::Vellum &canvas = *form.Vellum;
    const QString key = QStringLiteral("Type");
    const QString object = QStringLiteral("Object");
    const QString location = QStringLiteral("Location");
    canvas.SetEditMode(13);
    canvas.SetRelayerFlag(true);
    canvas.SetEditMode(14);
    const int n = canvas.ObjectCount(1);
    for (int j = 1; j <= n; ++j) {
        canvas.SetCurrentIndex(j);
        const QString type = canvas.UserProperty(key);
        const qint16 layer = type == object ? 3 : type == location ? 2 : 0;
        if (layer != 0 && canvas.Layer() != layer)
            canvas.SetLayer(layer);
    }
}

void Picture1_Click(frmMain &form)
{
    RestackObjects(form);
}
