#include "features/journal.h"

#include "canvas/model/journalbytes.h"
#include "features/features.h"
#include "features/undosteps.h"
#include "window/frmmain.h"

#include <algorithm>
#include <utility>

// The window's state in a journal record: a version byte, the parts that are those of the
// state before (left out), the other parts, and the four shown-or-hidden flags as one byte.

using namespace JournalBytes;

namespace {

// Version 2 had no shortcut faces; its records are still read.
constexpr quint8 stateVersion = 3;

// The parts a state leaves out when they are those of the state before.
enum Part : quint16 {
    TypeTable = 1 << 0,
    BoxNames = 1 << 1,
    Ready = 1 << 2,
    Boxes = 1 << 3,
    ChooserText = 1 << 4,
    Types = 1 << 5,
    Lines = 1 << 6,
    Colours = 1 << 7,
    Heading = 1 << 8,
    // Not a part left out: the colours are the state before's with the brushes that changed.
    ColourChanges = 1 << 9,
    Faces = 1 << 10,
    AllParts = (1 << 11) - 1,
    PartsBeforeFaces = Faces - 1
};
constexpr int brushCount = int(QPalette::NColorGroups) * int(QPalette::NColorRoles);
static_assert(brushCount <= 64);

// Brush n of a palette, its groups' roles counted one after another.
std::pair<QPalette::ColorGroup, QPalette::ColorRole> brushIndex(int n)
{
    return {QPalette::ColorGroup(n / QPalette::NColorRoles),
            QPalette::ColorRole(n % QPalette::NColorRoles)};
}

const QBrush &brushAt(const QPalette &palette, int n)
{
    const auto [group, role] = brushIndex(n);
    return palette.brush(group, role);
}
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

// A state written before the faces were kept: the faces of the current box chosen among
// the listed ones, as they most often are.
QByteArray likelyFaces(const WindowState &s)
{
    const int listed = std::min<int>(int(s.boxList.size()), frmMain::shortcutCount);
    QByteArray faces(listed, PlainFace);
    if (s.currentBox >= 0 && s.currentBox < frmMain::shortcutCount) {
        if (s.currentBox >= listed)
            faces.resize(s.currentBox + 1, NoFace);
        faces[s.currentBox] = LitFace;
    }
    return faces;
}

bool validFaces(const QByteArray &faces)
{
    return faces.size() <= frmMain::shortcutCount
        && std::all_of(faces.begin(), faces.end(),
                       [](char face) { return face >= NoFace && face <= LitFace; });
}

} // namespace

QByteArray encodeWindowState(const WindowState &s, const WindowState *previous)
{
    quint16 same = 0;
    if (previous) {
        const WindowState &p = *previous;
        same = (p.typeTableText == s.typeTableText ? TypeTable : 0)
            | (p.boxNameText == s.boxNameText ? BoxNames : 0)
            | (p.readyList == s.readyList ? Ready : 0) | (p.boxList == s.boxList ? Boxes : 0)
            | (p.boxChooserText == s.boxChooserText ? ChooserText : 0)
            | (p.typeChooser == s.typeChooser ? Types : 0)
            | (p.listLines == s.listLines ? Lines : 0)
            | (p.listPalette == s.listPalette
                       && p.listPalette.resolveMask() == s.listPalette.resolveMask()
                   ? Colours
                   : 0)
            | (p.listHeading == s.listHeading ? Heading : 0)
            | (p.shortcutFaces == s.shortcutFaces ? Faces : 0);
        // The list's colours change with what it shows, a brush or two of them at a time.
        if (!(same & Colours))
            same |= ColourChanges;
    }
    Out w;
    w.number(stateVersion);
    w.number(same);
    if (!(same & TypeTable))
        w.string(s.typeTableText);
    if (!(same & BoxNames))
        w.string(s.boxNameText);
    for (qint32 n : {s.startObject, s.currentBox, s.dropX, s.dropY})
        w.number(n);
    if (!(same & Ready))
        w.strings(s.readyList);
    if (!(same & Boxes))
        w.strings(s.boxList);
    if (!(same & Faces))
        w.blob(s.shortcutFaces);
    if (!(same & ChooserText))
        w.string(s.boxChooserText);
    if (!(same & Types))
        w.strings(s.typeChooser);
    if (!(same & Lines)) {
        w.number(quint32(s.listLines->size()));
        for (const WindowState::Line &line : *s.listLines) {
            w.string(line.text);
            writeBrush(w, line.foreground);
            writeBrush(w, line.background);
        }
    }
    if (same & ColourChanges) {
        quint64 changed = 0;
        for (int n = 0; n < brushCount; ++n) {
            if (brushAt(s.listPalette, n) != brushAt(previous->listPalette, n))
                changed |= quint64(1) << n;
        }
        w.number(quint64(s.listPalette.resolveMask()));
        w.number(changed);
        for (int n = 0; n < brushCount; ++n) {
            if (changed & (quint64(1) << n))
                writeBrush(w, brushAt(s.listPalette, n));
        }
    } else if (!(same & Colours)) {
        w.number(quint64(s.listPalette.resolveMask()));
        w.number(quint8(QPalette::NColorGroups));
        w.number(quint8(QPalette::NColorRoles));
        for (int g = 0; g < QPalette::NColorGroups; ++g) {
            for (int r = 0; r < QPalette::NColorRoles; ++r) {
                writeBrush(w, s.listPalette.brush(QPalette::ColorGroup(g),
                                                  QPalette::ColorRole(r)));
            }
        }
    }
    if (!(same & Heading))
        w.string(s.listHeading);
    w.number(quint8((s.listShown ? 1 : 0) | (s.barShown ? 2 : 0) | (s.intoShown ? 4 : 0)
                    | (s.chooserShown ? 8 : 0)));
    return w.bytes;
}

bool decodeWindowState(QByteArrayView bytes, WindowState &s, const WindowState *previous)
{
    In r(bytes);
    const quint8 version = r.ranged<quint8>(2, stateVersion);
    const quint16 same = r.ranged<quint16>(0, version < 3 ? PartsBeforeFaces : AllParts);
    if (same && !previous)
        r.fail();
    const auto kept = [&](Part part) { return (same & part) && previous; };
    s.typeTableText = kept(TypeTable) ? previous->typeTableText : r.string();
    s.boxNameText = kept(BoxNames) ? previous->boxNameText : r.string();
    for (qint32 *n : {&s.startObject, &s.currentBox, &s.dropX, &s.dropY})
        *n = r.number<qint32>();
    s.readyList = kept(Ready) ? previous->readyList : r.strings();
    s.boxList = kept(Boxes) ? previous->boxList : r.strings();
    if (version < 3) {
        s.shortcutFaces = likelyFaces(s);
    } else {
        s.shortcutFaces = kept(Faces) ? previous->shortcutFaces : r.blob();
        if (!validFaces(s.shortcutFaces))
            r.fail();
    }
    s.boxChooserText = kept(ChooserText) ? previous->boxChooserText : r.string();
    s.typeChooser = kept(Types) ? previous->typeChooser : r.strings();
    if (kept(Lines)) {
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
    if (kept(Colours)) {
        s.listPalette = previous->listPalette;
    } else if (same & ColourChanges) {
        const auto mask = QPalette::ResolveMask(r.number<quint64>());
        const quint64 changed = r.number<quint64>();
        if (!previous || (brushCount < 64 && changed >> brushCount) || (same & Colours))
            r.fail();
        s.listPalette = previous ? previous->listPalette : QPalette();
        for (int n = 0; n < brushCount && r.ok(); ++n) {
            if (changed & (quint64(1) << n)) {
                const auto [group, role] = brushIndex(n);
                s.listPalette.setBrush(group, role, readBrush(r));
            }
        }
        s.listPalette.setResolveMask(mask);
    } else {
        const auto mask = QPalette::ResolveMask(r.number<quint64>());
        r.ranged<quint8>(QPalette::NColorGroups, QPalette::NColorGroups);
        const quint8 roles = r.ranged<quint8>(0, QPalette::NColorRoles);
        s.listPalette = QPalette();
        for (int g = 0; g < QPalette::NColorGroups && r.ok(); ++g) {
            for (int k = 0; k < roles; ++k) {
                s.listPalette.setBrush(QPalette::ColorGroup(g), QPalette::ColorRole(k),
                                       readBrush(r));
            }
        }
        s.listPalette.setResolveMask(mask);
    }
    s.listHeading = kept(Heading) ? previous->listHeading : r.string();
    const quint8 flags = r.ranged<quint8>(0, 15);
    s.listShown = flags & 1;
    s.barShown = flags & 2;
    s.intoShown = flags & 4;
    s.chooserShown = flags & 8;
    return r.atEnd();
}
