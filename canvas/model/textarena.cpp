#include "canvas/model/textarena.h"

#include <algorithm>

namespace {

constexpr qsizetype blockUnits = 32 * 1024;

} // namespace

char16_t *TextArena::room(qsizetype n)
{
    if (n > longText)
        return nullptr;
    if (!mBlock.d || mUsed + n + 1 > mBlock.constAllocatedCapacity()) {
        mBlock = QString::DataPointer(QTypedArrayData<char16_t>::allocate(blockUnits));
        mUsed = 0;
    }
    return mBlock.data() + mUsed;
}

// The text written at at becomes a QString sharing the block.
QString TextArena::take(char16_t *at, qsizetype n)
{
    at[n] = u'\0';   // as every QString's data, for callers that want a C string
    mUsed += n + 1;
    mBlock.d->ref();
    return QString(QString::DataPointer(mBlock.d, at, n));
}

QString TextArena::latin1(QByteArrayView bytes)
{
    char16_t *at = bytes.isEmpty() ? nullptr : room(bytes.size());
    if (!at)
        return QString::fromLatin1(bytes);
    std::copy(bytes.begin(), bytes.end(), at);
    return take(at, bytes.size());
}

QString TextArena::text(QStringView text)
{
    char16_t *at = text.isEmpty() ? nullptr : room(text.size());
    if (!at)
        return text.toString();
    std::copy(text.utf16(), text.utf16() + text.size(), at);
    return take(at, text.size());
}
