#include "ui/UQvControls.h"

#include <QAbstractButton>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QPainter>
#include <QProxyStyle>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QStylePainter>

void DrawQvCaption(QPainter& p, const QWidget* w, const QRect& rect, int flags, const QString& text) {
    // A button's caption carries its mnemonic: "&" underlines the letter after it.
    if (qobject_cast<const QAbstractButton*>(w)) flags |= Qt::TextShowMnemonic;
    p.setFont(w->font());
    const QPalette& pal = w->palette();
    if (w->isEnabled()) {
        p.setPen(pal.color(QPalette::Active, QPalette::WindowText));
        p.drawText(rect, flags, text);
    } else {
        p.setPen(pal.color(QPalette::Active, QPalette::Light));
        p.drawText(rect.translated(1, 1), flags, text);
        p.setPen(pal.color(QPalette::Active, QPalette::Dark));
        p.drawText(rect, flags, text);
    }
}

// ---------------------------------------------------------------------------------------------
namespace {
class AlignDelegate : public QStyledItemDelegate {
public:
    explicit AlignDelegate(TAlignComboBox* box) : QStyledItemDelegate(box), m_box(box) {}
    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        try {
            if (m_box->OnDrawItem) {
                m_box->OnDrawItem(*p, option.rect, index.row());
                return;
            }
            const bool sel = option.state & QStyle::State_Selected;
            p->fillRect(option.rect, option.palette.brush(sel ? QPalette::Highlight : QPalette::Base));
            p->setPen(option.palette.color(sel ? QPalette::HighlightedText : QPalette::Text));
            p->setFont(option.font);
            p->drawText(option.rect.adjusted(2, 0, -2, 0),
                        Qt::TextSingleLine | Qt::AlignVCenter | (m_box->Alignment() & Qt::AlignHorizontal_Mask),
                        index.data().toString());
        } catch (...) {
            // a failing owner drawing must not take the window down
        }
    }

private:
    TAlignComboBox* m_box;
};
} // namespace

TAlignComboBox::TAlignComboBox(QWidget* parent) : QComboBox(parent) {
    setItemDelegate(new AlignDelegate(this));
}

void TAlignComboBox::SetAlignment(Qt::Alignment a) {
    m_alignment = a;
    update();
}

void TAlignComboBox::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    const QString text = opt.currentText;
    opt.currentText.clear();
    p.drawComplexControl(QStyle::CC_ComboBox, opt);
    const QRect r = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(r.adjusted(2, 0, -2, 0),
               Qt::TextSingleLine | Qt::AlignVCenter | (m_alignment & Qt::AlignHorizontal_Mask), text);
}

// ---------------------------------------------------------------------------------------------
TQvCheckBox::TQvCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {}

void TQvCheckBox::nextCheckState() {
    if (!m_readOnly) QCheckBox::nextCheckState();
}

void TQvCheckBox::changeEvent(QEvent* e) {
    QCheckBox::changeEvent(e);
    if (e->type() == QEvent::EnabledChange) update();
}

void TQvCheckBox::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const QString caption = opt.text;
    opt.text.clear();
    p.drawControl(QStyle::CE_CheckBox, opt);
    const bool captionLeft = layoutDirection() == Qt::RightToLeft;
    QRect area = captionLeft ? QRect(1, 0, width() - 18 - 1, height()) : QRect(18, 0, width() - 18, height());
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic;
    DrawQvCaption(p, this, area, flags, caption);
}

// ---------------------------------------------------------------------------------------------
TQvRadioButton::TQvRadioButton(const QString& text, QWidget* parent) : QRadioButton(text, parent) {}

void TQvRadioButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const QString caption = opt.text;
    opt.text.clear();
    p.drawControl(QStyle::CE_RadioButton, opt);
    DrawQvCaption(p, this, QRect(16, 0, width() - 16, height()),
                  Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, caption);
}

// ---------------------------------------------------------------------------------------------
TQvStaticText::TQvStaticText(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void TQvStaticText::paintEvent(QPaintEvent*) {
    QPainter p(this);
    DrawQvCaption(p, this, contentsRect(), int(alignment()) | Qt::TextSingleLine, text());
}

// ---------------------------------------------------------------------------------------------
namespace {
class MenuRowStyle : public QProxyStyle {
public:
    explicit MenuRowStyle(TQvMainMenu* menu) : m_menu(menu) {}
    QSize sizeFromContents(ContentsType type, const QStyleOption* opt, const QSize& size,
                           const QWidget* w) const override {
        QSize s = QProxyStyle::sizeFromContents(type, opt, size, w);
        if (type == CT_MenuItem && m_menu) {
            const auto* mi = qstyleoption_cast<const QStyleOptionMenuItem*>(opt);
            if (!mi || mi->menuItemType != QStyleOptionMenuItem::Separator)
                s.setHeight(std::max(s.height(), m_menu->ItemHeight()));
        }
        return s;
    }

private:
    TQvMainMenu* m_menu;
};
} // namespace

TQvMainMenu::TQvMainMenu(QWidget* parent) : QMenuBar(parent) {}

int TQvMainMenu::ItemHeight() const {
    const QFontInfo fi(font());
    return fi.pixelSize() + 4;
}

void TQvMainMenu::Adopt(QMenu* menu) {
    auto* st = new MenuRowStyle(this);
    st->setParent(menu);
    menu->setStyle(st);
    for (QAction* a : menu->actions())
        if (a->menu()) Adopt(a->menu());
}

void TQvMainMenu::changeEvent(QEvent* e) {
    QMenuBar::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        for (QAction* a : actions())
            if (a->menu()) a->menu()->setFont(font());
}

// ---------------------------------------------------------------------------------------------
TQvTabSheet::TQvTabSheet(QWidget* parent) : QWidget(parent), m_color(palette().color(QPalette::Button)) {}

void TQvTabSheet::SetColor(const QColor& c) {
    m_color = c;
    update();
}

void TQvTabSheet::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), m_color);
}

TQvPageControl::TQvPageControl(QWidget* parent) : QTabWidget(parent) {}

// ---------------------------------------------------------------------------------------------
namespace {
// A letter a keyboard can type with Alt: one that has an upper and a lower case (Latin, Cyrillic,
// Greek); ideographs cannot.
bool MnemonicLetter(QChar c) { return c.isLetter() && c.toLower() != c.toUpper(); }

}  // namespace

QString PlainCaption(const QString& text) {
    QString caption = text;
    static const QRegularExpression appended(QStringLiteral("\\(&[A-Z]\\)$"));
    caption.remove(appended);
    QString out;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) {
            ++i;  // "&&" is a literal ampersand, "&x" marks x
            if (caption[i] == u'&') out += u'&';
            else out += caption[i];
            continue;
        }
        out += caption[i];
    }
    return out;
}

QStringList WithMnemonics(const QStringList& captions) {
    QSet<QChar> used;
    QStringList out;
    for (const QString& caption : captions) {
        const QString plain = PlainCaption(caption);
        QString escaped = plain;
        escaped.replace(u'&', QStringLiteral("&&"));
        if (plain.trimmed().isEmpty()) {
            out << escaped;
            continue;
        }
        // First choice: a free letter that starts a word; then any free letter of the caption.
        int at = -1;
        for (int pass = 0; pass < 2 && at < 0; ++pass)
            for (int i = 0; i < plain.size(); ++i) {
                const bool wordStart = i == 0 || !plain[i - 1].isLetterOrNumber();
                if (MnemonicLetter(plain[i]) && (pass == 1 || wordStart) && !used.contains(plain[i].toLower())) {
                    at = i;
                    break;
                }
            }
        if (at >= 0) {
            used.insert(plain[at].toLower());
            // Position in the escaped text: every ampersand before it was doubled.
            const int shift = static_cast<int>(plain.left(at).count(u'&'));
            out << escaped.insert(at + shift, u'&');
            continue;
        }
        // No letter of its own (Chinese captions): a free Latin letter in parentheses.
        QString appended = escaped;
        for (char16_t c = u'a'; c <= u'z'; ++c)
            if (!used.contains(QChar(c))) {
                used.insert(QChar(c));
                appended += QStringLiteral("(&") + QChar(c).toUpper() + u')';
                break;
            }
        out << appended;
    }
    return out;
}

namespace {
void AssignMenuMnemonics(QMenu* menu) {
    QList<QAction*> items;
    for (QAction* a : menu->actions())
        if (!a->isSeparator()) items << a;
    QStringList captions;
    for (QAction* a : items) captions << a->text();
    const QStringList marked = WithMnemonics(captions);
    for (int i = 0; i < items.size(); ++i) {
        items[i]->setText(marked[i]);
        if (QMenu* sub = items[i]->menu()) AssignMenuMnemonics(sub);
    }
}
}  // namespace

void AssignMnemonics(QWidget* window) {
    // One group for what Alt reaches directly: the menu bar's titles and the window's buttons.
    QList<QAction*> titles;
    if (auto* bar = window->findChild<QMenuBar*>())
        titles = bar->actions();
    QList<QAbstractButton*> buttons;
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if (!b->text().isEmpty() && b->window() == window && !b->isHidden()) buttons << b;
    QStringList captions;
    for (QAction* a : titles) captions << a->text();
    for (QAbstractButton* b : buttons) captions << b->text();
    const QStringList marked = WithMnemonics(captions);
    for (int i = 0; i < titles.size(); ++i) {
        titles[i]->setText(marked[i]);
        if (QMenu* menu = titles[i]->menu()) AssignMenuMnemonics(menu);
    }
    for (int i = 0; i < buttons.size(); ++i) buttons[i]->setText(marked[titles.size() + i]);
}
