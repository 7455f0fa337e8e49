#include "features/journal.h"

#include "canvas/model/journalbytes.h"
#include "features/undosteps.h"

// The window's state in a journal record, after a version byte; the four shown-or-hidden
// flags come last, as one byte.

using namespace JournalBytes;

namespace {

constexpr quint8 stateVersion = 2;
constexpr qsizetype lineSize = 4 + 2 * (1 + 1 + 8);   // a text's length and two brushes

void writeBrush(Out &out, const QBrush &b)
{
    // The window's brushes are plain colours or none: a gradient or a picture is kept as
    // its colour.
    out.number(quint8(b.style() > Qt::DiagCrossPattern ? Qt::SolidPattern : b.style()));
    out.wideColour(b.color());
}

QBrush readBrush(In &in)
{
    const auto style = Qt::BrushStyle(in.ranged<quint8>(0, Qt::DiagCrossPattern));
    const QColor colour = in.wideColour();
    return QBrush(colour, style);
}

} // namespace

QByteArray encodeWindowState(const WindowState &s, const WindowState *previous)
{
    Out w;
    w.number(stateVersion);
    w.string(s.typeTableText);
    w.string(s.boxNameText);
    for (qint32 n : {s.startObject, s.currentBox, s.dropX, s.dropY})
        w.number(n);
    w.strings(s.readyList);
    w.strings(s.boxList);
    w.string(s.boxChooserText);
    w.strings(s.typeChooser);
    const bool sameLines = previous && previous->listLines == s.listLines;
    w.number(quint8(sameLines));
    if (!sameLines) {
        w.number(quint32(s.listLines->size()));
        for (const WindowState::Line &line : *s.listLines) {
            w.string(line.text);
            writeBrush(w, line.foreground);
            writeBrush(w, line.background);
        }
    }
    w.number(quint64(s.listPalette.resolveMask()));
    w.number(quint8(QPalette::NColorGroups));
    w.number(quint8(QPalette::NColorRoles));
    for (int g = 0; g < QPalette::NColorGroups; ++g) {
        for (int r = 0; r < QPalette::NColorRoles; ++r)
            writeBrush(w, s.listPalette.brush(QPalette::ColorGroup(g), QPalette::ColorRole(r)));
    }
    w.string(s.listHeading);
    w.number(quint8((s.listShown ? 1 : 0) | (s.barShown ? 2 : 0) | (s.intoShown ? 4 : 0)
                    | (s.chooserShown ? 8 : 0)));
    return w.bytes;
}

bool decodeWindowState(QByteArrayView bytes, WindowState &s, const WindowState *previous)
{
    In r(bytes);
    r.ranged<quint8>(stateVersion, stateVersion);
    s.typeTableText = r.string();
    s.boxNameText = r.string();
    for (qint32 *n : {&s.startObject, &s.currentBox, &s.dropX, &s.dropY})
        *n = r.number<qint32>();
    s.readyList = r.strings();
    s.boxList = r.strings();
    s.boxChooserText = r.string();
    s.typeChooser = r.strings();
    if (r.flag()) {
        if (!previous)
            r.fail();
        else
            s.listLines = previous->listLines;
    } else {
        auto lines = std::make_shared<WindowState::Lines>(r.count(lineSize));
        for (WindowState::Line &line : *lines) {
            line.text = r.string();
            line.foreground = readBrush(r);
            line.background = readBrush(r);
        }
        s.listLines = std::move(lines);
    }
    const auto mask = QPalette::ResolveMask(r.number<quint64>());
    r.ranged<quint8>(QPalette::NColorGroups, QPalette::NColorGroups);
    const quint8 roles = r.ranged<quint8>(0, QPalette::NColorRoles);
    s.listPalette = QPalette();
    for (int g = 0; g < QPalette::NColorGroups && r.ok(); ++g) {
        for (int k = 0; k < roles; ++k)
            s.listPalette.setBrush(QPalette::ColorGroup(g), QPalette::ColorRole(k), readBrush(r));
    }
    s.listPalette.setResolveMask(mask);
    s.listHeading = r.string();
    const quint8 flags = r.ranged<quint8>(0, 15);
    s.listShown = flags & 1;
    s.barShown = flags & 2;
    s.intoShown = flags & 4;
    s.chooserShown = flags & 8;
    return r.atEnd();
}
