#include "print/UPageContext.h"

#include "app/UGlobal.h"
#include "app/URessourcen.h"

QString StreamCaption(int stream) {
    // The English table words are too long for the captions; they get short forms of their own.
    if (Language == LangEnglish) return stream == 0 ? QStringLiteral("Outside air") : QStringLiteral("Return air");
    return LoadText(stream == 0 ? 3 : 4);
}

QStringList ToLines(const std::vector<std::string>& lines) {
    QStringList out;
    for (const std::string& l : lines) out << QString::fromStdString(l);
    return out;
}

std::vector<std::string> FromLines(const QStringList& lines, int count) {
    std::vector<std::string> out(count);
    for (int i = 0; i < count; ++i) out[i] = lines.value(i).toStdString();
    return out;
}
