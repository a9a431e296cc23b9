#pragma once

#include <QString>

// A text as it is stored and tested for emptiness: without leading and trailing spaces. Only spaces, so a
// description keeps its line breaks and tabs; otherwise exactly as typed.
inline QString trimSpaces(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    return text.mid(first, last - first);
}
