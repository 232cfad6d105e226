#pragma once
// Numbered language texts, the fonts that go with each language, and the program's numbered
// pictures, drawings and text resources.
//
// Texts: one table per language, ":/lang/<de|en|fr|pl|zh|ru>.tsv", lines "k<TAB>text" with
// k = 1 .. 999 and "\n" for a line break. Text k of language L has the id 10000 + 1000 L + k.
// Pictures: ":/img/<id>.<jpg|png|bmp|svg>", button glyphs ":/glyphs/<NAME>.png",
// text resources ":/text/<id>.txt".
#include <QImage>
#include <QString>
#include <QStringList>

#include <memory>
#include <stdexcept>

class QSvgRenderer;

// Raised by the picture loaders when a resource is missing or cannot be decoded.
struct EResourceNotFound : std::runtime_error {
    explicit EResourceNotFound(const QString& what);
};

// Longest text LoadText returns.
inline constexpr int MaxTextLength = 255;
// Text numbers run from 1 to this (the numbers of one language fill one block of 1000 ids).
inline constexpr int MaxTextNumber = 999;

// Two-letter table code of a language ("de", "en", ...), empty when the language has no table.
QString LanguageTableCode(int language);

// Cuts a text to at most MaxTextLength characters without splitting a surrogate pair.
QString ClipText(const QString& text);

// Text k of the active language, at most 255 characters; empty when the table lacks it.
QString LoadText(int k);
// Text k of a given language (same rules).
QString LoadText(int k, int language);
// A text with its "%s" placeholders filled in order by the arguments (placeholders without an
// argument stay as they are).
QString FillText(const QString& pattern, const QStringList& args);
// The whole text of string id 10000 + 1000 L + k; empty when missing.
QString LoadWideText(int id);
// Texts stay Unicode in this program; this is the one place a conversion to an 8-bit code page
// would happen, and it returns the text unchanged.
QString WideToCodePage(const QString& text, int codePage);
// Every text number of a language's table (for checks of the tables).
QList<int> TextNumbers(int language);

// Sets DialogFont ("Tahoma", 11 px), ChartFont ("Arial", 8 pt), the character-set value and
// TextCodePage for Language, registers installed substitutes for the two font names, and hands
// the dialog font to menus and tool tips when an application object exists.
void ApplyLanguageFonts();
// Installs Qt's own translation of its dialogs and context menus (file and print dialogs, the
// editing menu of text fields) for Language, replacing the one installed before; English needs
// none. False when the language's translation file is not installed (Qt's texts stay English).
bool ApplyQtTranslations();
// The Qt translation file of a language, empty for English and languages without a table.
QString QtTranslationFile(int language);
// Font families the program's font names resolve to for a language (first choice first).
QStringList FontSubstitutes(const QString& family, int language);

// Pictures by resource number; each raises EResourceNotFound when the resource is missing.
QImage LoadJpeg(int id);
QImage LoadPng(int id);
QImage LoadBitmap(int id);
// Named button glyph, for example "BUTTON_CLOSE".
QImage LoadBitmap(const QString& name);
// Vector drawing (the program's metafiles are SVG); the caller owns the renderer.
std::unique_ptr<QSvgRenderer> LoadMetafile(int id);
// True when picture resource id exists in any of its formats.
bool PictureExists(int id);

// Lines of Unicode text resource id (the byte-order mark selects UTF-16 LE/BE or UTF-8; without one
// UTF-8 is assumed). Missing resource: empty list.
QStringList LoadTextLines(int id);
// Lines of 8-bit text resource id. Missing resource: empty list.
QStringList LoadResourceLines(int id);

// Loads LogoMetafile (resource 101) when it exists, and sets UnicodeTexts. Called once at start.
void InitResources();
// Releases LogoMetafile; called at program end.
void ReleaseResources();
