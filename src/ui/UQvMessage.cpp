#include "ui/UQvMessage.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <cmath>

namespace {

TMessageBoxHook& Hook() {
    static TMessageBoxHook hook;
    return hook;
}

// value * num / den rounded to the nearest integer, as the layout rules are stated.
int MulDiv(int value, int num, int den) {
    return static_cast<int>(std::lround(static_cast<double>(value) * num / den));
}

QFont MessageFont() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* mw = qobject_cast<QMainWindow*>(w)) return mw->font();
    return QApplication::font("QMessageBox");
}

QStyle::StandardPixmap IconFor(int type) {
    switch (type) {
    case mtWarning: return QStyle::SP_MessageBoxWarning;
    case mtError: return QStyle::SP_MessageBoxCritical;
    case mtInformation: return QStyle::SP_MessageBoxInformation;
    default: return QStyle::SP_MessageBoxQuestion;
    }
}

} // namespace

QWidget* MessageParent() {
    auto shown = [](QWidget* w) { return w && w->isVisible() ? w : nullptr; };
    if (QWidget* w = shown(QApplication::activeModalWidget())) return w;
    if (QWidget* w = shown(QApplication::activeWindow())) return w;
    // No active window (the main window hidden behind the print preview, or a desktop that has
    // not given the focus yet): a visible dialog, else any visible window.
    QWidget* any = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip) continue;
        if (qobject_cast<QDialog*>(w)) return w;
        if (!any) any = w;
    }
    return any;
}

TMessageForm::TMessageForm(const QString& text, const QString& caption, int type, QWidget* parent)
    : TQvForm(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName("TMessageForm");
    setFont(MessageFont());
    setLayoutDirection(QApplication::layoutDirection());

    const QFontMetrics fm(font());
    const QString letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const int avgW = fm.horizontalAdvance(letters) / 52;
    const int avgH = fm.height();
    HorzMargin = MulDiv(8, avgW, 4);
    VertMargin = MulDiv(8, avgH, 8);
    HorzSpacing = MulDiv(10, avgW, 4);
    VertSpacing = MulDiv(10, avgH, 8);
    ButtonWidth = MulDiv(50, avgW, 4);
    ButtonHeight = MulDiv(14, avgH, 8);

    QScreen* scr = screen() ? screen() : QGuiApplication::primaryScreen();
    const int screenW = scr ? scr->geometry().width() : 1024;
    const QRect textRect =
        fm.boundingRect(QRect(0, 0, screenW / 2, 100000),
                        Qt::TextWordWrap | Qt::TextExpandTabs | Qt::AlignLeft | Qt::AlignTop, text);
    // A few pixels of slack keep the label's own word wrap from breaking differently.
    const int textW = textRect.width() + 2;
    const int textH = textRect.height();

    const bool withIcon = type >= mtWarning && type <= mtConfirmation;
    int blockW = textW, blockH = textH;
    if (withIcon) {
        blockW = textW + HorzSpacing + 32;
        blockH = std::max(textH, 32);
    }
    const int clientW = std::max(ButtonWidth, blockW) + 2 * HorzMargin;
    const int clientH = blockH + VertSpacing + ButtonHeight + 2 * VertMargin;
    setFixedSize(clientW, clientH);
    setWindowTitle(caption);

    if (withIcon) {
        Image = new QLabel(this);
        Image->setObjectName("Image");
        Image->setGeometry(HorzMargin, VertMargin, 32, 32);
        Image->setPixmap(style()->standardIcon(IconFor(type), nullptr, this).pixmap(32, 32));
    }
    Message = new QLabel(text, this);
    Message->setObjectName("Message");
    Message->setWordWrap(true);
    Message->setTextFormat(Qt::PlainText);
    Message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    int left = blockW + HorzMargin - textW;
    if (layoutDirection() == Qt::RightToLeft) left = clientW - left - textW;
    Message->setGeometry(left, VertMargin, textW, textH);

    Button_OK = new QPushButton("OK", this);
    Button_OK->setObjectName("Button_OK");
    Button_OK->setDefault(true);
    Button_OK->setAutoDefault(true);
    Button_OK->setGeometry((clientW - ButtonWidth) / 2, blockH + VertMargin + VertSpacing,
                           ButtonWidth, ButtonHeight);
    // OK is both the default and the cancel button: Enter and Esc close with OK.
    connect(Button_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(this, &QDialog::rejected, this, [this] { setResult(QDialog::Accepted); });
}

int ShowMessageBox(const QString& text, const QString& caption, int type) {
    if (Hook()) return Hook()(text, caption, type);
    TMessageForm form(text, caption, type, MessageParent());
    if (QScreen* scr = form.screen())
        form.move(scr->geometry().center() - QPoint(form.width() / 2, form.height() / 2));
    form.exec();
    return QDialog::Accepted;
}

void SetMessageBoxHook(TMessageBoxHook hook) { Hook() = std::move(hook); }
