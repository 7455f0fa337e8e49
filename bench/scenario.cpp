#include "bench/scenario.h"

#include "app/wiring.h"
#include "bench/docgen.h"
#include "bench/scriptplatform.h"
#include "canvas/vellum.h"
#include "features/export.h"
#include "features/features.h"
#include "features/journal.h"
#include "features/undo.h"
#include "move/move.h"
#include "window/frmmain.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>

namespace BenchScenario {

namespace {

const QString TypeKey = QStringLiteral("Type");
const QString InfoKey = QStringLiteral("Info");
const QString NameKey = QStringLiteral("Name");

// Both clocks are kept: the wall clock is what the user waits for on an idle machine; the
// CPU time of this thread stays close to it when other programs share the cores.
struct Time
{
    double wallMs = 0;
    double cpuMs = 0;
    double handlerWallMs = 0; // the same, without the repaint that the operation posted
    double handlerCpuMs = 0;
};

// Every measurement runs until the window has handled what the operation posted, the
// repaint of the canvas included: that is when the user sees the result.
template<typename F> Time timed(F &&operation)
{
    QElapsedTimer clock;
    const double cpu = threadCpuMs();
    clock.start();
    operation();
    const double handlerWall = double(clock.nsecsElapsed()) / 1e6;
    const double handlerCpu = threadCpuMs() - cpu;
    QCoreApplication::processEvents();
    return {double(clock.nsecsElapsed()) / 1e6, threadCpuMs() - cpu, handlerWall, handlerCpu};
}

int runNumber = 0; // of the samples being printed, from 1

void sample(const char *operation, Time t)
{
    std::printf("SAMPLE %d %s %.4f %.4f %.4f %.4f\n", runNumber, operation, t.wallMs, t.cpuMs,
                t.handlerWallMs, t.handlerCpuMs);
    std::fflush(stdout);
}

bool check(bool ok, const char *what)
{
    if (!ok)
        std::fprintf(stderr, "ambrook_bench: check failed: %s\n", what);
    return ok;
}

QString valueOf(const VellumObject &object, const QString &key)
{
    for (const auto &[k, v] : object.properties) {
        if (k == key)
            return v;
    }
    return {};
}

QString property(const Vellum &canvas, qint32 id, const QString &key)
{
    const VellumObject *object = canvas.objectById(id);
    return object ? valueOf(*object, key) : QString();
}

// Stored objects in drawing order whose box is (or, with inBox false, is not) box.
QList<qint32> storedObjects(const Vellum &canvas, const QString &box, bool inBox, int limit)
{
    QList<qint32> ids;
    for (const auto &object : canvas.objects()) {
        if (valueOf(*object, TypeKey) != QStringLiteral("Object"))
            continue;
        if ((valueOf(*object, InfoKey) == box) == inBox)
            ids << object->id;
        if (limit > 0 && ids.size() >= limit)
            break;
    }
    return ids;
}

qint32 firstOfType(const Vellum &canvas, const QString &type, const QString &name)
{
    for (const auto &object : canvas.objects()) {
        if (valueOf(*object, TypeKey) == type && valueOf(*object, NameKey) == name)
            return object->id;
    }
    return 0;
}

// The canvas keeps its paint order up to date in place; it must equal a full sort.
bool paintOrderIsSorted(const Vellum &canvas)
{
    std::vector<VellumObject *> expected;
    for (const auto &object : canvas.objects())
        expected.push_back(object.get());
    std::stable_sort(
        expected.begin(), expected.end(),
        [](const VellumObject *a, const VellumObject *b) { return a->layer < b->layer; });
    return expected == canvas.paintOrder();
}

void sendMouse(QWidget *widget, QEvent::Type type, const QPointF &at)
{
    const Qt::MouseButtons buttons
        = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, at, widget->mapTo(widget->window(), at), widget->mapToGlobal(at),
                      Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void sendKey(QWidget *widget, QEvent::Type type, Qt::Key key, const QString &text)
{
    QKeyEvent event(type, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &event);
}

bool freshWorkFolder(const QString &folder)
{
    QDir work(folder + QStringLiteral("/work"));
    if (work.exists() && !work.removeRecursively())
        return false;
    if (!QDir().mkpath(work.path()))
        return false;
    return QFile::copy(folder + QStringLiteral("/pic"), work.filePath(QStringLiteral("pic")))
        && QDir::setCurrent(work.path());
}

// Deletes a box the way the user does, with the Delete key on its body, then on its strip.
void deleteBox(frmMain &form, const QString &name)
{
    Vellum &canvas = *form.Vellum;
    for (const QString &type : {QStringLiteral("Location"), QStringLiteral("Loadout")}) {
        canvas.clearSelection();
        if (canvas.SetCurrentObject(firstOfType(canvas, type, name)))
            canvas.SetSelected(true);
        Vellum_KeyUp(form, 46, 0);
    }
}

void oneRun(int objects)
{
    ScriptPlatform platform;
    std::unique_ptr<frmMain> form;
    sample(Startup, timed([&] {
               form = std::make_unique<frmMain>(&platform);
               // The size the window opens at on a common screen. The offscreen screen is
               // smaller, and the window's fit to it would change what a box view shows.
               form->resize(1280, 800);
               wireWindow(*form);
               Form_Load(*form);
               form->show();
           }));
    Vellum &canvas = *form->Vellum;
    const QStringList boxes = BenchDoc::boxNames();
    check(canvas.ObjectCount(1) == 1 + 2 * BenchDoc::BoxCount + BenchDoc::PictureCount + objects,
          "start-up loaded every object");

    // Start-up chooses the first box before the window has its size, so its view is wider
    // than the one a box button gives; the user's work happens at the latter.
    Shortcut_Click(*form, 0);
    QCoreApplication::processEvents();

    // A click on the topmost stored object of the box in view.
    const QString shownBox = form->locationcombo1->itemText(form->currentBox);
    const QList<qint32> inShownBox = storedObjects(canvas, shownBox, true, 0);
    const qint32 target = inShownBox.isEmpty() ? 0 : inShownBox.last();
    const VellumObject *object = canvas.objectById(target);
    const QPointF centre = object
        ? (canvas.toPixels(object->x1, object->y1) + canvas.toPixels(object->x2, object->y2)) / 2
        : QPointF();
    sample(Click, timed([&] {
               sendMouse(&canvas, QEvent::MouseButtonPress, centre);
               sendMouse(&canvas, QEvent::MouseButtonRelease, centre);
           }));
    check(canvas.ObjectCount(2) == 1 && form->txtName->text() == property(canvas, target, NameKey),
          "the click selected the stored object and filled the panel");

    // One typed character in a field of the selected object.
    form->Text5->setFocus();
    QCoreApplication::processEvents();
    const QString before = property(canvas, target, QStringLiteral("5"));
    sample(Type, timed([&] {
               sendKey(form->Text5, QEvent::KeyPress, Qt::Key_X, QStringLiteral("x"));
               sendKey(form->Text5, QEvent::KeyRelease, Qt::Key_X, QStringLiteral("x"));
           }));
    check(property(canvas, target, QStringLiteral("5")) == before + QStringLiteral("x"),
          "the typed character reached the object");

    const int count = canvas.ObjectCount(1);
    sample(NewObject, timed([&] { newitem_Click(*form); }));
    check(canvas.ObjectCount(1) == count + 1, "the new object was drawn");

    // The journal writes a step as it ends: the three with and without it.
    endUndoStep(*form);
    sample(NewObjectStep, timed([&] { newitem_Click(*form); endUndoStep(*form); }));
    setJournalEnabled(false);
    sample(ClickNoJournal, timed([&] {
               sendMouse(&canvas, QEvent::MouseButtonPress, centre);
               sendMouse(&canvas, QEvent::MouseButtonRelease, centre);
           }));
    form->Text5->setFocus();
    QCoreApplication::processEvents();
    sample(TypeNoJournal, timed([&] {
               sendKey(form->Text5, QEvent::KeyPress, Qt::Key_Y, QStringLiteral("y"));
               sendKey(form->Text5, QEvent::KeyRelease, Qt::Key_Y, QStringLiteral("y"));
           }));
    sample(NewObjectStepNoJournal, timed([&] { newitem_Click(*form); endUndoStep(*form); }));
    setJournalEnabled(true);
    check(canvas.ObjectCount(1) == count + 3, "the new objects were drawn");

    // Ten objects from other boxes wait; the user chooses the destination box.
    const int destination = 3;
    const QString destinationName = form->locationcombo1->itemText(destination);
    const QList<qint32> waiting = storedObjects(canvas, destinationName, false, 10);
    form->readyList.clear();
    for (qint32 id : waiting)
        form->readyList << QString::number(id);
    form->locationcombo1->setCurrentIndex(destination);
    sample(Move, timed([&] { locationcombo1_Click(*form); }));
    const bool moved = property(canvas, waiting.last(), InfoKey) == destinationName;
    check(form->readyList.isEmpty() && moved, "the move command moved the ten objects");

    sample(Alarms, timed([&] { AlarmReport(*form); }));
    check(form->List1->count() > 1, "the alarm report listed the due objects");

    form->txttagname->setText(BenchDoc::SearchWord);
    sample(Search, timed([&] { btnsearch_Click(*form); }));
    check(form->List1->count() >= 3 * ((objects + 99) / 100), "the search found 1 % of objects");

    sample(Export, timed([&] { exportinventory_Click(*form); }));
    check(QFile(QStringLiteral("inventory.csv")).size() > objects * 20, "the export was written");

    // The whole drawing in view: the extent fits the widget.
    const double scale = std::min(double(canvas.width()) / canvas.ExtentWidth(),
                                  double(canvas.height()) / canvas.ExtentHeight());
    canvas.SetZoomX(float(canvas.ExtentWidth() * scale));
    canvas.SetZoomY(float(canvas.ExtentHeight() * scale));
    canvas.SetViewX(0);
    canvas.SetViewY(0);
    // The view change paints once; the full repaint timed is the next one.
    QCoreApplication::processEvents();
    sample(PaintFit, timed([&] { canvas.repaint(); }));

    Shortcut_Click(*form, 7);
    QCoreApplication::processEvents();
    sample(PaintBox, timed([&] { canvas.repaint(); }));

    deleteBox(*form, boxes.last());
    QCoreApplication::processEvents();
    check(form->locationcombo1->count() == BenchDoc::BoxCount - 1, "a box was deleted");
    // The handlers above ran without their buttons: what they changed is one step, and the
    // new box the next.
    endUndoStep(*form);
    sample(NewBox, timed([&] { newlocation_Click(*form); }));
    check(form->locationcombo1->count() == BenchDoc::BoxCount, "the new box was made");
    endUndoStep(*form);
    sample(Undo, timed([&] { btnundo_Click(*form); }));
    check(form->locationcombo1->count() == BenchDoc::BoxCount - 1, "undo took the box back");
    sample(Redo, timed([&] { btnredo_Click(*form); }));
    check(form->locationcombo1->count() == BenchDoc::BoxCount, "redo made the box again");

    check(paintOrderIsSorted(canvas), "the paint order is by layer, then drawing order");

    sample(Quit, timed([&] { btnquit_Click(*form); }));
    check(QFile::exists(QStringLiteral("pic")) && QDir(QStringLiteral("backups")).count() > 2,
          "quit wrote the backup and the document");
    check(platform.messages == 0, "no message was shown");
    form.reset();
    QCoreApplication::processEvents();
}

} // namespace

int run(int objects, const QString &folder, int runs)
{
    const QString start = QDir::currentPath();
    for (int i = 0; i < runs; ++i) {
        if (!freshWorkFolder(folder)) {
            std::fprintf(stderr, "ambrook_bench: cannot prepare %s/work\n", qPrintable(folder));
            return 1;
        }
        runNumber = i + 1;
        oneRun(objects);
        QDir::setCurrent(start);
    }
    QDir(folder + QStringLiteral("/work")).removeRecursively();
    std::printf("PEAK %lld\n", peakKb());
    std::fflush(stdout);
    return 0;
}

double threadCpuMs()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

qint64 peakKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

} // namespace BenchScenario
