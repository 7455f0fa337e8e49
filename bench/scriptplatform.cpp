#include "bench/scriptplatform.h"

#include <cstdio>

void ScriptPlatform::message(const QString &text)
{
    ++messages;
    std::fprintf(stderr, "ambrook_bench: message: %s\n", qPrintable(text));
}

QString ScriptPlatform::inputBox(const QString &)
{
    return QStringLiteral("New shelf %1").arg(++answers);
}
