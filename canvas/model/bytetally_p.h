#pragma once

// The size and XXH3-64 of bytes as they pass, a piece at a time: a file being copied or
// read is told by these without being held whole.

#include <QtGlobal>

#include <xxhash.h>

#include <memory>

class ByteTally
{
public:
    ByteTally() { reset(); }
    void add(const char *data, qsizetype n)
    {
        XXH3_64bits_update(mState.get(), data, size_t(n));
        mSize += n;
    }
    void reset()
    {
        XXH3_64bits_reset(mState.get());
        mSize = 0;
    }
    qint64 size() const { return mSize; }
    quint64 hash() const { return XXH3_64bits_digest(mState.get()); }

private:
    struct Free
    {
        void operator()(XXH3_state_t *state) const { XXH3_freeState(state); }
    };
    std::unique_ptr<XXH3_state_t, Free> mState {XXH3_createState()};
    qint64 mSize = 0;
};
