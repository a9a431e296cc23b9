#include "models/Collation.h"

#include <QCollator>

const QCollator& listCollator()
{
    static const QCollator instance = [] {
        // The C locale has no real collation (and no numeric mode): sort as English does then.
        QLocale locale;
        if (locale.language() == QLocale::C)
            locale = QLocale(QLocale::English);
        QCollator c(locale);
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(true);
        return c;
    }();
    return instance;
}
