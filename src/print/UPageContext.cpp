#include "print/UPageContext.h"

#include "app/UGlobal.h"
#include "app/URessourcen.h"

QString StreamCaption(int stream) {
    // The English table words are too long for the captions; they get short forms of their own.
    if (Language == LangEnglish) return stream == 0 ? QStringLiteral("Outside air") : QStringLiteral("Return air");
    return LoadText(stream == 0 ? 3 : 4);
}
