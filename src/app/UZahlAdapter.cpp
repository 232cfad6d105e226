#include "app/UZahlAdapter.h"

#include "thermo/UZahlformat.h"

#include <QLocale>

namespace {
QChar ToQChar(char32_t c)
{
    return c <= 0xFFFF ? QChar(static_cast<char16_t>(c)) : QChar();
}
}  // namespace

QChar ProcessDecimalSeparator() { return ToQChar(DecimalSeparator); }
QChar ProcessThousandSeparator() { return ToQChar(ThousandSeparator); }

void SetProcessSeparators(QChar d, QChar t)
{
    DecimalSeparator = d.unicode();
    ThousandSeparator = t.unicode();
}

void InitProcessSeparatorsFromLocale()
{
    const QLocale locale = QLocale::system();
    const QString d = locale.decimalPoint();
    const QString t = locale.groupSeparator();
    SetProcessSeparators(d.size() == 1 ? d.at(0) : QChar(u'.'), t.size() == 1 ? t.at(0) : QChar());
}
