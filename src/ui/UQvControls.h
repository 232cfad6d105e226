#pragma once
// The program's own standard controls: aligned combo box, check box, radio button and static
// text with an engraved caption when disabled, the main menu whose rows follow the menu font,
// and the page control with coloured pages.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QTabWidget>
#include <functional>

class QPainter;

// Captions of one group (a menu, or a window's menu titles and buttons) with a mnemonic each that
// no other caption of the group uses: the first free letter that starts a word, else any free
// letter; a caption without a letter a keyboard types with Alt (Chinese) gets a free Latin letter
// appended as "(&X)". Marks set before are replaced; a literal "&" is kept as "&&".
QStringList WithMnemonics(const QStringList& captions);
// A caption without its mnemonic mark (for comparisons with the language texts).
QString PlainCaption(const QString& caption);
// Gives the menu bar titles and buttons of a window one group of mnemonics and every menu and
// submenu its own. Called after the texts of the language are applied.
void AssignMnemonics(QWidget* window);

// Draws a caption in rect; when disabled it is drawn engraved: once offset by one pixel in the
// button highlight colour, then in place in the button shadow colour.
void DrawQvCaption(QPainter& p, const QWidget* w, const QRect& rect, int flags, const QString& text);

class TAlignComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TAlignComboBox(QWidget* parent = nullptr);
    Qt::Alignment Alignment() const { return m_alignment; }
    void SetAlignment(Qt::Alignment a);
    // Optional owner drawing of an item; when set it replaces the aligned text drawing.
    std::function<void(QPainter&, const QRect&, int index)> OnDrawItem;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Qt::Alignment m_alignment = Qt::AlignRight;
};

class TQvCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit TQvCheckBox(const QString& text = QString(), QWidget* parent = nullptr);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool on) { m_readOnly = on; }

protected:
    void paintEvent(QPaintEvent*) override;
    void nextCheckState() override;
    void changeEvent(QEvent*) override;

private:
    bool m_readOnly = false;
};

class TQvRadioButton : public QRadioButton {
    Q_OBJECT
public:
    explicit TQvRadioButton(const QString& text = QString(), QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent*) override;
};

class TQvStaticText : public QLabel {
    Q_OBJECT
public:
    explicit TQvStaticText(const QString& text = QString(), QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent*) override;
};

// Menu bar whose drop-down rows are at least |font pixel height| + 4 pixels high, so they grow
// with the font of the language.
class TQvMainMenu : public QMenuBar {
    Q_OBJECT
public:
    explicit TQvMainMenu(QWidget* parent = nullptr);
    int ItemHeight() const;
    // Gives a drop-down menu (and its submenus) the row height rule.
    void Adopt(QMenu* menu);

protected:
    void changeEvent(QEvent*) override;
};

class TQvTabSheet : public QWidget {
    Q_OBJECT
public:
    explicit TQvTabSheet(QWidget* parent = nullptr);
    QColor Color() const { return m_color; }
    void SetColor(const QColor& c);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor m_color;
};

class TQvPageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TQvPageControl(QWidget* parent = nullptr);
};
