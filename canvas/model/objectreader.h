#pragma once

// Reads the objects of a document, one at a time. Private to the document file.

#include "canvas/model/documentjson.h"
#include "canvas/model/textarena.h"
#include "canvas/model/vellummodel.h"

#include <QHash>
#include <QString>

#include <utility>
#include <vector>

namespace DocumentFile {

// The fields of an object in the file, in the order they are written.
enum Field : unsigned {
    Id = 1 << 0, Kind = 1 << 1, Rect = 1 << 2, FillColor = 1 << 3, TextColor = 1 << 4,
    Text = 1 << 5, DrawStyle = 1 << 6, FillMode = 1 << 7, ShapeParam = 1 << 8,
    Layer = 1 << 9, Selected = 1 << 10, Properties = 1 << 11, Picture = 1 << 12
};

// Reads one object from the scanner; on failure either the scanner holds a syntax error or
// problem() says what is wrong with the object.
class ObjectReader
{
public:
    bool read(DocumentJson::Scanner &in, VellumObject &object);
    QString problem() const { return mProblem; }

private:
    using Scanner = DocumentJson::Scanner;

    bool fail(const QString &problem)
    {
        mProblem = problem;
        return false;
    }
    bool field(Scanner &in, Field field, VellumObject &object);
    bool wholeNumber(Scanner &in, Field field, double min, double max, double &number);
    bool int16(Scanner &in, Field field, qint16 &number);
    bool colour(Scanner &in, Field field, QColor &colour);
    bool rect(Scanner &in, VellumObject &object);
    bool properties(Scanner &in, VellumObject &object);
    bool picture(Scanner &in, VellumObject &object);
    bool text(Scanner &in, VellumObject &object);
    bool decoded(Scanner &in, QString &text);
    QString key(Scanner &in);
    bool value(Scanner &in, QString &text);

    QString mProblem;
    // Plain keys are found by their raw bytes: first as the key at the same place in the
    // object before (objects of a document mostly list the same keys in the same order),
    // then in a table.
    QHash<QByteArrayView, QString> mPlainKeys;
    std::vector<std::pair<QByteArrayView, QString>> mKeyAt;
    size_t mKeyIndex = 0;
    // Short values repeat from object to object (types, box names, colours, zeros): one
    // shared copy of each saves memory, and a walk over every object reads one copy. The
    // value at the same place in the object before is tried first; the table stays small
    // enough to be quick.
    QHash<QByteArrayView, QString> mShortValues;
    std::vector<std::pair<QByteArrayView, QString>> mValueAt;
    // A property with the same text as its object (a name, mostly) shares the object's copy.
    QByteArrayView mTextBytes;
    QString mText;
    TextArena mTexts;
    QString mScratch;
    // Reused for every object, so each object's list is allocated once at its exact size.
    std::vector<std::pair<QString, QString>> mProperties;
};

} // namespace DocumentFile
