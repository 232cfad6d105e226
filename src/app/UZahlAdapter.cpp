#include "app/UZahlAdapter.h"

#include <QLocale>

namespace {
QChar decimalSep = u'.';
QChar thousandSep = u',';
}  // namespace

QChar ProcessDecimalSeparator() { return decimalSep; }
QChar ProcessThousandSeparator() { return thousandSep; }

void SetProcessSeparators(QChar d, QChar t)
{
    decimalSep = d;
    thousandSep = t;
}

void InitProcessSeparatorsFromLocale()
{
    const QLocale locale = QLocale::system();
    const QString d = locale.decimalPoint();
    const QString t = locale.groupSeparator();
    SetProcessSeparators(d.size() == 1 ? d.at(0) : QChar(u'.'), t.size() == 1 ? t.at(0) : QChar(u','));
}
