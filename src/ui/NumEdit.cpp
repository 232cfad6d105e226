#include "ui/NumEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <algorithm>

#include "app/URessourcen.h"
#include "thermo/UZahlformat.h"
#include "ui/UQvMessage.h"

namespace {

QString DecSep() {
    const char32_t c = DecimalSeparator;
    return QString::fromUcs4(&c, 1);
}

// Puts the program's decimal separator into a C-locale number text.
QString Localise(const std::string& s) {
    QString t = QString::fromStdString(s);
    t.replace('.', DecSep());
    return t;
}

// General text with at most `precision` significant digits, trailing zeros dropped.
QString GeneralText(double v, int precision) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", std::clamp(precision, 1, 15), v);
    return QString::fromStdString(FormatGeneral(std::strtod(buf, nullptr)));
}

} // namespace

QString FormatFloat(double v, TFloatFormat format, int precision, int digits) {
    if (!std::isfinite(v)) return QString();
    switch (format) {
    case TFloatFormat::General: return GeneralText(v, precision);
    case TFloatFormat::Exponent: {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*E", std::clamp(precision, 1, 17) - 1, v);
        // Exponent with at least `digits` digits and an explicit sign.
        std::string s = buf;
        const auto e = s.find('E');
        std::string mant = s.substr(0, e), ex = s.substr(e + 1);
        const char sign = ex[0] == '-' ? '-' : '+';
        std::string num = ex.substr(1);
        while (num.size() > 1 && num[0] == '0') num.erase(0, 1);
        while (static_cast<int>(num.size()) < digits) num.insert(0, "0");
        return Localise(mant + "E" + sign + num);
    }
    case TFloatFormat::Fixed: return QString::fromStdString(FormatFixed(v, digits));
    case TFloatFormat::Number:
    case TFloatFormat::Currency: return QString::fromStdString(FormatNumber(v, digits));
    }
    return QString();
}

bool ParseFloat(const QString& text, double& v) {
    return ParseNumber(text.toStdString(), v) && std::isfinite(v);
}

bool ParseInt(const QString& text, int& v) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok, 10);
    if (ok) v = n;
    return ok;
}

QString FormatRangeMessage(const QString& message, double minValue, double maxValue) {
    QString out = message;
    const QString values[2] = {GeneralText(minValue, 15), GeneralText(maxValue, 15)};
    int from = 0;
    for (const QString& val : values) {
        const int at = out.indexOf("%g", from);
        if (at < 0) break;
        out.replace(at, 2, val);
        from = at + val.size();
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
TNumEditBase::TNumEditBase(QWidget* parent) : QLineEdit(parent) { setAlignment(Qt::AlignRight); }

QString TNumEditBase::RangeText() const {
    const QString pattern = ErrorMessage.isEmpty() ? LoadText(105) : ErrorMessage;
    QString text = FormatRangeMessage(pattern, MinValue, MaxValue);
    if (!Unit.isEmpty()) text += ' ' + Unit;
    return text;
}

QString TNumEditBase::NotANumberText(const QString& bad) const {
    QString text = FillText(LoadText(606), {bad}) + '\n' + (Validation ? RangeText() : LoadText(607));
    // A number typed with the other of the two usual separators: name the one in force.
    const QString sep = DecSep();
    const QString other = sep == "." ? QStringLiteral(",") : QStringLiteral(".");
    double x = 0;
    if (bad.contains(other) && ParseFloat(QString(bad).replace(other, sep), x))
        text += '\n' + FillText(LoadText(608), {sep});
    return text;
}

void TNumEditBase::Refuse(const QString& message, int type) {
    const QString caption = !Content.isEmpty() ? Content : LoadText(type == mtError ? 104 : 103) + '!';
    m_inMessage = true;
    ShowMessageBox(message, caption, type);
    m_inMessage = false;
    // Back into the field once the focus change that brought us here has finished.
    QTimer::singleShot(0, this, [this] {
        setFocus(Qt::OtherFocusReason);
        selectAll();
    });
}

void TNumEditBase::RefuseNotANumber(const QString& bad) { Refuse(NotANumberText(bad), mtError); }

bool TNumEditBase::CheckRange() {
    if (!Validation) return true;
    double x = 0;
    if (!ParseFloat(text(), x)) {
        const QString bad = text();
        Redisplay();  // back to the last valid value
        RefuseNotANumber(bad);
        return false;
    }
    if (MinValue <= x && x <= MaxValue) return true;
    Refuse(RangeText(), mtWarning);
    return false;
}

bool TNumEditBase::ConfirmPending() {
    if (!isModified()) return true;
    if (!CheckRange() || !Confirm()) return false;
    emit OnCalculate(this);
    return true;
}

bool TNumEditBase::Confirm() {
    if (!TakeOver()) return false;
    Redisplay();
    return true;
}

void TNumEditBase::keyPressEvent(QKeyEvent* e) {
    // Alt with a key is a command (a mnemonic the window may not have): it never types.
    if (e->modifiers() & Qt::AltModifier) {
        e->ignore();
        return;
    }
    if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    e->accept();
    if (CheckRange()) {
        // Enter applies a changed value just as leaving the field does.
        const bool changed = isModified();
        if (Confirm()) {
            emit OnReturn(this);
            if (changed) emit OnCalculate(this);
        }
    }
    selectAll();
}

void TNumEditBase::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    // A pop-up menu or another window taking the focus is no confirmation; nor is our own message.
    if (m_inMessage || e->reason() == Qt::PopupFocusReason || e->reason() == Qt::ActiveWindowFocusReason)
        return;
    if (!isModified()) return;
    if (!CheckRange()) return;
    if (Confirm()) emit OnCalculate(this);
}

// ---------------------------------------------------------------------------------------------
TNumEdit::TNumEdit(QWidget* parent) : TNumEditBase(parent) { Redisplay(); }

double TNumEdit::Value() {
    if (isModified()) TakeOver();
    return m_value;
}

void TNumEdit::SetValue(double v) {
    m_value = v;
    Redisplay();
}

bool TNumEdit::TakeOver() {
    double x = 0;
    if (ParseFloat(text(), x)) {
        m_value = x;
        setModified(false);
        return true;
    }
    const QString bad = text();
    Redisplay();  // back to the last valid value
    RefuseNotANumber(bad);
    return false;
}

void TNumEdit::Redisplay() {
    setText(FormatFloat(m_value, Format, Precision, Digits));
    setModified(false);
}

// ---------------------------------------------------------------------------------------------
TIntEdit::TIntEdit(QWidget* parent) : TNumEditBase(parent) { Redisplay(); }

int TIntEdit::Value() {
    if (isModified()) TakeOver();
    return m_value;
}

void TIntEdit::SetValue(int v) {
    m_value = v;
    Redisplay();
}

bool TIntEdit::TakeOver() {
    int n = 0;
    if (ParseInt(text(), n)) {
        m_value = n;
        setModified(false);
        return true;
    }
    const QString bad = text();
    Redisplay();
    RefuseNotANumber(bad);
    return false;
}

void TIntEdit::Redisplay() {
    setText(QString::number(m_value));
    setModified(false);
}
