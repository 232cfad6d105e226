#pragma once
// What a page procedure draws from: the selection (with its header lines and notes), the page's
// own notes, and the display state in force. Pages never read a window.
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "series/USelection.h"

struct TPageContext {
    const TSelection& Selection;
    bool SI = true;
    bool WetBulbOnDatasheet = false;
    std::vector<std::string> Notes;  // the notes block of this page kind
};

// Caption of an air stream over the value columns (0 outdoor air, 1 extract air) in the current
// language.
QString StreamCaption(int stream);

// Header and notes lines of a selection as the pages and dialogs use them, and back.
QStringList ToLines(const std::vector<std::string>& lines);
std::vector<std::string> FromLines(const QStringList& lines, int count);
