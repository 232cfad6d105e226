// Every window, dialog, menu, message and page in each language: no text the user sees is left in
// English where the language has its own. The same walk runs in English first; a text that stays
// the same at the same place is English left over unless the language's own table holds it too or
// it is made only of names, units and numbers that every language writes alike.
#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QTabBar>
#include <QTableWidget>
#include <QTreeWidget>

#include "WindowFixture.h"
#include "ui/FAngebot.h"
#include "ui/FBaugroessen_VX.h"
#include "ui/FBemerkungen.h"
#include "ui/FInfo.h"
#include "ui/FMollier.h"
#include "ui/FOptionen.h"
#include "ui/FPreHeat.h"
#include "ui/FSeite.h"
#include "ui/UQvControls.h"
#include "ui/UQvMessage.h"

namespace {

using TPlacedTexts = QList<QPair<QString, QString>>;  // place, text

void CollectMenu(const QMenu* menu, const QString& place, TPlacedTexts& out) {
    out << qMakePair(place, menu->title());
    int i = 0;
    for (const QAction* a : menu->actions()) {
        const QString at = place + "/" + QString::number(i++);
        if (a->menu()) CollectMenu(a->menu(), at, out);
        else if (!a->isSeparator()) out << qMakePair(at, a->text());
    }
}

// The texts a window shows: title, captions, list items, tabs, table cells, tool tips, menus.
void CollectWindow(const QWidget* window, const QString& place, TPlacedTexts& out) {
    out << qMakePair(place, window->windowTitle());
    int i = 0;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        const QString at = place + "/" + QString::number(i++) + ":" + w->objectName();
        out << qMakePair(at + "/tip", w->toolTip());
        if (auto* l = qobject_cast<const QLabel*>(w)) out << qMakePair(at, l->text());
        if (auto* b = qobject_cast<const QAbstractButton*>(w)) out << qMakePair(at, b->text());
        if (auto* e = qobject_cast<const QLineEdit*>(w); e && (e->isReadOnly() || !e->hasFrame()))
            out << qMakePair(at, e->text());
        if (auto* c = qobject_cast<const QComboBox*>(w))
            for (int k = 0; k < c->count(); ++k) out << qMakePair(at + "/" + QString::number(k), c->itemText(k));
        if (auto* t = qobject_cast<const QTabBar*>(w))
            for (int k = 0; k < t->count(); ++k) out << qMakePair(at + "/" + QString::number(k), t->tabText(k));
        if (auto* t = qobject_cast<const QTableWidget*>(w))
            for (int r = 0; r < t->rowCount(); ++r)
                for (int c = 0; c < t->columnCount(); ++c)
                    if (t->item(r, c)) out << qMakePair(at + QString("/%1,%2").arg(r).arg(c), t->item(r, c)->text());
        if (auto* t = qobject_cast<const QTreeWidget*>(w))
            for (int c = 0; c < t->columnCount(); ++c) out << qMakePair(at + "/h" + QString::number(c), t->headerItem()->text(c));
        if (auto* bar = qobject_cast<const QMenuBar*>(w)) {
            int m = 0;
            for (const QAction* a : bar->actions())
                if (a->menu()) CollectMenu(a->menu(), at + "/" + QString::number(m++), out);
        }
    }
}

const QRegularExpression& Words() {
    static const QRegularExpression words(QStringLiteral("[^\\W\\d_]+"), QRegularExpression::UseUnicodePropertiesOption);
    return words;
}

// A text the language writes like English: each word is a name, unit or symbol every language
// writes alike, or a word of the language's own table.
bool WrittenAlike(const QString& text, const QSet<QString>& ownWords) {
    if (text.startsWith('/')) return true;  // a folder of the file dialog
    static const QSet<QString> names = {
        "OK", "SI", "UK", "US", "PDF", "Adobe", "pdf", "VX", "K", "E", "Kombi", "ErP", "Lot", "DIN", "EN", "ASHRAE",
        "AHRI", "Standard", "Eurovent", "Tarvometrix", "GmbH", "Wärmetauscherweg", "Kassel", "Deutsch", "English",
        "Francais", "Español", "Polski", "Russian", "Czech", "Chinese", "mbar", "atm", "m", "ft", "mm", "Pa", "in",
        "WG", "g", "kg", "gr", "lb", "kJ", "BTU", "h", "kW", "W", "HP", "s", "fpm", "cfm", "scfm", "acfm", "A", "B",
        "C", "D", "v", "max", "dp", "eta", "phi", "t", "H", "www", "tarvometrix", "com", "support", "info", "Tel",
        "INFO", "Mollier", "Carrier", "Auto", "PET"};
    for (auto it = Words().globalMatch(text); it.hasNext();) {
        const QString word = it.next().captured();
        if (word.front().toLower() != word.front().toUpper() && !names.contains(word) && !ownWords.contains(word))
            return false;
    }
    return true;
}

// Texts of Qt's print dialog that the installed Qt 6.4 translations leave in English in some of the
// languages; everything else of Qt's dialogs and menus must arrive translated.
const QSet<QString>& QtTranslationGaps() {
    static const QSet<QString> gaps = {
        "Name:", "Off", "Long side binding", "Short side binding", "Pages", "Copies",
        "Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. "
        "E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9."};
    return gaps;
}

class LanguageWalk : public WindowTest, public testing::WithParamInterface<int> {
protected:
    // Everything the user can open, in the language in force.
    TPlacedTexts Walk() {
        w->SelectLanguage(Language);
        TPlacedTexts out;
        CollectWindow(w.get(), "main", out);
        TFormOptionen settings(w.get());
        settings.SetUnitSystem(true);
        CollectWindow(&settings, "settings", out);
        TFormAngebot header(w.get());
        CollectWindow(&header, "header", out);
        TFormBemerkungen notes(w.get());
        CollectWindow(&notes, "notes", out);
        TFormInfo info(w.get());
        CollectWindow(&info, "about", out);
        TFormPreHeat preHeat(w.get());
        CollectWindow(&preHeat, "preheat", out);
        TFormBaugroessen_VX sizes(w.get());
        sizes.BuildProposals();
        CollectWindow(&sizes, "sizes", out);
        TFormSeite preview(w.get());
        CollectWindow(&preview, "preview", out);
        TFormMollier chart(w.get());
        CollectWindow(&chart, "chart", out);
        TMessageForm message(w->Winter.SVol11->NotANumberText("abc"), LoadText(104) + "!", mtError);
        CollectWindow(&message, "message", out);
        std::unique_ptr<QMenu> editMenu(PreHeatMenu(*w, w->Winter.Temp11));
        CollectMenu(editMenu.get(), "editmenu", out);
        QFileDialog files(w.get());
        files.setOption(QFileDialog::DontUseNativeDialog);
        CollectWindow(&files, "files", out);
        QPrinter printer;
        QPrintDialog print(&printer, w.get());
        CollectWindow(&print, "print", out);
        return out;
    }
};

TEST_P(LanguageWalk, NoEnglishLeftWhereTheLanguageHasItsOwn) {
    ClickCalculate();  // result tables and the hint line hold texts too
    Language = LangEnglish;
    const TPlacedTexts english = Walk();
    Language = static_cast<std::uint8_t>(GetParam());
    const TPlacedTexts own = Walk();
    ASSERT_EQ(own.size(), english.size());
    QSet<QString> ownWords;
    for (int k : TextNumbers(Language))
        for (auto it = Words().globalMatch(LoadText(k)); it.hasNext();) ownWords << it.next().captured();
    QStringList left;
    for (int i = 0; i < own.size(); ++i) {
        const QString text = PlainCaption(own[i].second).trimmed();
        if (text != PlainCaption(english[i].second).trimmed() || WrittenAlike(text, ownWords)) continue;
        if (own[i].first.startsWith("print/") && QtTranslationGaps().contains(text)) continue;
        left << own[i].first + ": \"" + text + "\"";
    }
    EXPECT_TRUE(left.isEmpty()) << left.join('\n').toStdString();
    Language = LangEnglish;
    w->SelectLanguage(LangEnglish);
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageWalk, testing::Values(1, 3, 7, 8, 9),
                         [](const auto& info) { return LanguageTableCode(info.param).toStdString(); });

}  // namespace
