#pragma once
// The program-wide decimal and thousand separators as the settings file and the start-up code see
// them. The number formatter owns the values; these functions read and set them as characters.
#include <QChar>

QChar ProcessDecimalSeparator();
QChar ProcessThousandSeparator();
void SetProcessSeparators(QChar decimalSep, QChar thousandSep);
// Separators of the user's locale, the values in force at start.
void InitProcessSeparatorsFromLocale();
