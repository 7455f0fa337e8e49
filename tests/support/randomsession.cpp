#include "support/randomsession.h"

#include <QImage>

using namespace Qt::StringLiterals;
using namespace steps;

namespace {

void chooseAsUser(QComboBox *box, int k)
{
    box->setFocus();
    choose(box, k);
}

// A small picture or a text file in the working folder, to drop on the drawing.
QString makeFile(const Harness &h, int serial, bool picture)
{
    const QString path = h.folder.file(u"f%1%2"_s.arg(serial).arg(picture ? u".png" : u".txt"));
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    picture ? image.save(path, "PNG") : writeFile(path, "Drill manual\n");
    return path;
}

} // namespace

void randomAction(Harness &h, QRandomGenerator &random, int serial,
                  const std::function<void()> &done)
{
    frmMain &w = *h.form;
    QList<qint32> objects;
    for (const auto &o : h.canvas().objects())
        if (h.property(o->id, u"Type"_s) == u"Object"_s)
            objects << o->id;
    const qint32 id = objects.isEmpty() ? 0 : objects.at(random.bounded(objects.size()));
    const int pick = id == 0 ? 0 : random.bounded(13);
    if (QList{2, 3, 4, 5, 9, 10}.contains(pick)) {
        h.clickObject(id);
        done();
    }
    QComboBox *boxes = w.locationcombo1;
    switch (pick) {
    case 0:
        if (boxes->count() < 45)
            newBox(h, u"Box %1"_s.arg(serial));
        break;
    case 1:
        press(w.newitem);
        break;
    case 2:
    case 3: {
        QLineEdit *fields[] = {w.txtName, w.Value, w.Text2, w.Text5, w.Text1};
        retype(fields[random.bounded(5)], QString::number(random.bounded(100)));
        break;
    }
    case 4: // a type chooser may list no type at all
        if (w.Combo1->count() > 0)
            chooseAsUser(w.Combo1, random.bounded(w.Combo1->count()));
        break;
    case 5:
        chooseAsUser(w.colour, random.bounded(w.colour->count()));
        break;
    case 6: {
        const QRect r = rectOf(h, id);
        h.dragObject(id, pixelOf(h, r.x() + random.bounded(-6, 7), r.y() + random.bounded(-6, 7)));
        break;
    }
    case 7: {
        if (boxes->count() == 0) // dropped files make objects before any box exists
            break;
        const QRect strip = rectOf(h, boxParts(h, boxes->itemText(random.bounded(boxes->count())))
                                          .strip);
        h.dragObject(id, pixelOf(h, strip.x() + 5 + random.bounded(30), strip.y() + 4));
        break;
    }
    case 8:
        if (boxes->isVisible() && boxes->count() > 0)
            chooseAsUser(boxes, random.bounded(boxes->count()));
        break;
    case 9:
        QTest::keyClick(&h.canvas(), Qt::Key_Delete);
        break;
    case 10:
        w.Calendar1->setSelectedDate(QDate(2020, 1, 1).addDays(random.bounded(3000)));
        press(w.Alarm);
        break;
    case 11:
        press(w.Command1);
        break;
    default:
        dropFiles(h, {makeFile(h, serial, random.bounded(2))}, emptyPoint(h));
        break;
    }
    done();
}
