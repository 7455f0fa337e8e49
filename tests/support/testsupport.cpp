#include "support/testsupport.h"

#include "canvas/model/documentfile.h"
#include "canvas/vellum.h"
#include "support/documentbuilder.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <algorithm>

QByteArray fileBytes(const QString &file)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString &file, const QByteArray &bytes)
{
    QFile out(file);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
}

Harness::Harness(bool startNow)
    : platform(std::make_unique<FakePlatform>()), form(std::make_unique<frmMain>(platform.get()))
{
    wireWindow(*form);
    form->resize(1280, 800);
    if (startNow)
        start();
}

void Harness::start()
{
    Form_Load(*form);
    form->show();
    QApplication::processEvents();
}

void Harness::startOn(DocumentBuilder &doc)
{
    doc.save();   // "pic" in the working folder, which is current
    start();
}

QPoint Harness::centreOf(qint32 id) const
{
    const VellumObject *o = canvas().objectById(id);
    return o ? ((canvas().toPixels(o->x1, o->y1) + canvas().toPixels(o->x2, o->y2)) / 2).toPoint()
             : QPoint();
}

void Harness::clickAt(QPoint pixel, Qt::KeyboardModifiers modifiers, Qt::MouseButton button)
{
    QTest::mousePress(&canvas(), button, modifiers, pixel);
    QTest::mouseRelease(&canvas(), button, modifiers, pixel);
}

void Harness::drag(QPoint from, QPoint to)
{
    QTest::mousePress(&canvas(), Qt::LeftButton, Qt::NoModifier, from);
    for (int i = 1; i <= 8; ++i)
        QTest::mouseMove(&canvas(), from + (to - from) * i / 8);
    QTest::mouseRelease(&canvas(), Qt::LeftButton, Qt::NoModifier, to);
}

void Harness::typeInto(QWidget *widget, const QString &text)
{
    widget->setFocus();
    QTest::keyClicks(widget, text);
}

qint32 Harness::findId(const QString &key, const QString &value) const
{
    for (const auto &o : canvas().objects())
        if (property(o->id, key) == value)
            return o->id;
    return 0;
}

QString Harness::property(qint32 id, const QString &key) const
{
    if (const VellumObject *o = canvas().objectById(id))
        for (const auto &[k, v] : o->properties)
            if (k == key)
                return v;
    return {};
}

QStringList Harness::properties(qint32 id, const QStringList &keys) const
{
    QStringList values;
    for (const QString &key : keys)
        values << property(id, key);
    return values;
}

namespace steps {

qint32 lastId(const Harness &h)
{
    const auto &objects = h.canvas().objects();
    return objects.empty() ? 0 : objects.back()->id;
}

qint32 idOf(const Harness &h, const QString &type, const QString &name)
{
    for (const auto &o : h.canvas().objects())
        if (h.properties(o->id, {QStringLiteral("Type"), QStringLiteral("Name")})
            == QStringList {type, name})
            return o->id;
    return 0;
}

Box boxParts(const Harness &h, const QString &name)
{
    return {idOf(h, QStringLiteral("Location"), name), idOf(h, QStringLiteral("Loadout"), name)};
}

void writeProperty(Harness &h, qint32 id, const QString &key, const QString &value)
{
    h.canvas().SetCurrentObject(id);
    h.canvas().SetUserProperty(key, value);
}

void placeObject(Harness &h, qint32 id, qint32 x1, qint32 y1, qint32 x2, qint32 y2)
{
    h.canvas().SetCurrentObject(id);
    h.canvas().SetObjectRect(x1, y1, x2, y2, 0);
}

QRect rectOf(const Harness &h, qint32 id)
{
    const VellumObject *o = h.canvas().objectById(id);
    return o ? QRect(o->x1, o->y1, o->x2 - o->x1, o->y2 - o->y1) : QRect();
}

QPoint emptyPoint(const Harness &h)
{
    const QRect area = h.canvas().rect().adjusted(4, 4, -4, -4);
    for (int y = area.top(); y < area.bottom(); y += 7) {
        for (int x = area.left(); x < area.right(); x += 7) {
            const QPointF unit = h.canvas().toUnits(QPointF(x, y));
            const auto &all = h.canvas().objects();
            if (std::none_of(all.begin(), all.end(), [&unit](const auto &o) {
                    return QRectF(QPointF(o->x1, o->y1), QPointF(o->x2, o->y2))
                        .normalized().adjusted(-2, -2, 2, 2).contains(unit);
                }))
                return {x, y};
        }
    }
    return {};
}

void newBox(Harness &h, const QString &name)
{
    h.platform->answers << name;
    QTest::mouseClick(h.form->newlocation, Qt::LeftButton);
}

qint32 newObject(Harness &h)
{
    QTest::mouseClick(h.form->newitem, Qt::LeftButton);
    return lastId(h);
}

void chooseBox(Harness &h, const QString &name)
{
    const int k = h.form->locationcombo1->findText(name, Qt::MatchExactly);
    QTest::mouseClick(h.form->Shortcut[k], Qt::LeftButton);
}

void chooseDestination(Harness &h, const QString &name)
{
    choose(h.form->locationcombo1, h.form->locationcombo1->findText(name, Qt::MatchExactly));
}

Box makeBox(Harness &h, const QString &name, qint32 x, qint32 y)
{
    newBox(h, name);
    const Box box = boxParts(h, name);
    placeObject(h, box.body, x, y, x + 44, y + 47);
    placeObject(h, box.strip, x, y + 47, x + 44, y + 55);
    chooseBox(h, name);
    return box;
}

qint32 makeObject(Harness &h, const QString &name, qint32 x, qint32 y)
{
    const qint32 id = newObject(h);
    writeProperty(h, id, QStringLiteral("Name"), name);
    h.canvas().SetObjectText(name);
    placeObject(h, id, x, y, x + 4, y + 4);
    return id;
}

QStringList shownShortcuts(const Harness &h)
{
    QStringList captions;
    for (QPushButton *button : h.form->Shortcut)
        if (!button->isHidden())
            captions << button->text();
    return captions;
}

QString shortcutFace(const QPushButton *button)
{
    if (button->icon().isNull())
        return QStringLiteral("none");
    const QImage face = button->icon().pixmap(QSize(96, 24)).toImage();
    const QColor c = face.pixelColor(face.width() / 2, face.height() / 2);
    return c.red() > 200 && c.green() > 150 && c.blue() < 120 ? QStringLiteral("lit")
                                                              : QStringLiteral("plain");
}

void choose(QComboBox *box, int k)
{
    box->setCurrentIndex(k);
    emit box->activated(k);
    QCoreApplication::processEvents();
}

QStringList listLines(QListWidget *list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

QStringList comboLines(QComboBox *box)
{
    QStringList lines;
    for (int i = 0; i < box->count(); ++i)
        lines << box->itemText(i);
    return lines;
}

void retype(QLineEdit *field, const QString &text)
{
    field->setFocus();
    field->selectAll();
    Harness::typeInto(field, text);
}

void checkColours(const QList<QWidget *> &controls, const QColor &back, const QColor &fore)
{
    for (QWidget *control : controls) {
        QCOMPARE(backgroundOf(control), back);
        QCOMPARE(foregroundOf(control), fore);
    }
}

void dropFiles(Harness &h, const QStringList &paths, QPoint at)
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

void doubleClickAt(Harness &h, QPoint pixel)
{
    h.clickAt(pixel);
    QTest::mouseDClick(&h.canvas(), Qt::LeftButton, Qt::NoModifier, pixel);
    QTest::mouseRelease(&h.canvas(), Qt::LeftButton, Qt::NoModifier, pixel);
}

QByteArray documentOf(const Harness &h)
{
    return DocumentFile::write(h.canvas().objects())
        .replace("\"selected\":true", "\"selected\":false");
}

} // namespace steps
