#include "support/testsupport.h"

#include "canvas/vellum.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>

WorkingFolder::WorkingFolder()
    : mPrevious(QDir::currentPath())
{
    QDir::setCurrent(mDir.path());
}

WorkingFolder::~WorkingFolder()
{
    QDir::setCurrent(mPrevious);
}

QString WorkingFolder::path() const
{
    return mDir.path();
}

QString WorkingFolder::file(const QString &name) const
{
    return mDir.filePath(name);
}

Harness::Harness()
    : Harness(true)
{
}

Harness::Harness(bool startNow)
    : platformOwner(std::make_unique<FakePlatform>())
{
    platform = platformOwner.get();
    form = std::make_unique<frmMain>(platform);
    form->resize(1280, 800);
    if (startNow)
        start();
}

Harness::~Harness()
{
    form.reset();
}

void Harness::start()
{
    form->Form_Load();
    form->show();
    QApplication::processEvents();
}

QPoint Harness::centreOf(qint32 id) const
{
    const VellumObject *object = canvas().objectById(id);
    if (!object)
        return {};
    const QPointF a = canvas().toPixels(object->x1, object->y1);
    const QPointF b = canvas().toPixels(object->x2, object->y2);
    return ((a + b) / 2).toPoint();
}

void Harness::clickObject(qint32 id, Qt::KeyboardModifiers modifiers)
{
    clickAt(centreOf(id), modifiers);
}

void Harness::clickAt(QPoint pixel, Qt::KeyboardModifiers modifiers, Qt::MouseButton button)
{
    QTest::mousePress(&canvas(), button, modifiers, pixel);
    QTest::mouseRelease(&canvas(), button, modifiers, pixel);
}

void Harness::dragObject(qint32 id, QPoint to)
{
    drag(centreOf(id), to);
}

void Harness::drag(QPoint from, QPoint to)
{
    QTest::mousePress(&canvas(), Qt::LeftButton, Qt::NoModifier, from);
    const int steps = 8;
    for (int i = 1; i <= steps; ++i) {
        const QPoint p = from + (to - from) * i / steps;
        QTest::mouseMove(&canvas(), p);
    }
    QTest::mouseRelease(&canvas(), Qt::LeftButton, Qt::NoModifier, to);
}

void Harness::typeInto(QWidget *widget, const QString &text)
{
    widget->setFocus();
    QTest::keyClicks(widget, text);
}

qint32 Harness::findId(const QString &key, const QString &value) const
{
    for (const auto &object : canvas().objects()) {
        for (const auto &[k, v] : object->properties) {
            if (k == key && v == value)
                return object->id;
        }
    }
    return 0;
}

QString Harness::property(qint32 id, const QString &key) const
{
    const VellumObject *object = canvas().objectById(id);
    if (!object)
        return {};
    for (const auto &[k, v] : object->properties) {
        if (k == key)
            return v;
    }
    return {};
}
