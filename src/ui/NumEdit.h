#pragma once
// Number fields: one-line edits that hold a real (TNumEdit) or an integer (TIntEdit) value, show
// it with the program-wide decimal and thousand separators, check a range when asked and report a
// confirmed change through OnCalculate (on leaving the field or on Enter).
#include <QLineEdit>

enum class TFloatFormat { General, Exponent, Fixed, Number, Currency };

// Common behaviour of both number fields.
class TNumEditBase : public QLineEdit {
    Q_OBJECT
public:
    explicit TNumEditBase(QWidget* parent = nullptr);

    double MinValue = 0.0;
    double MaxValue = 0.0;
    QString Content;       // caption of the messages; empty: "Attention!" or "Error!"
    QString ErrorMessage;  // range message; two %g receive MinValue and MaxValue (default text 105)
    QString Unit;          // unit named after the range, for example "°C"
    bool Validation = false;

    // Range check of the current text: true when validation is off or the text lies in range.
    // Otherwise shows the range message (or the not-a-number message) and puts the focus back
    // into the field.
    bool CheckRange();
    // The message for a text that is not a number: the text, the range with its unit (or "a
    // number" without a range) and the decimal separator when the text has the other one.
    QString NotANumberText(const QString& bad) const;
    // The range message with the bounds and the unit.
    QString RangeText() const;
    // Confirms a modified text as leaving the field would: range check, take-over, OnCalculate.
    // Returns false when the text was refused.
    bool ConfirmPending();

signals:
    // Enter was pressed with a valid value.
    void OnReturn(QObject* sender);
    // A changed value was confirmed.
    void OnCalculate(QObject* sender);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

    // Takes over a modified text into the stored value; false when the text is not a number,
    // in which case the text shows the stored value again and a message has been shown.
    virtual bool TakeOver() = 0;
    // Shows the stored value in the display format.
    virtual void Redisplay() = 0;
    // Confirms a modified text; returns whether the value was taken over.
    bool Confirm();
    // Shows a message about the field's text and returns the focus to the field, text selected.
    void Refuse(const QString& message, int type);
    // Refuses a text that is not a number after the stored value has been shown again.
    void RefuseNotANumber(const QString& bad);

    bool m_inMessage = false;
};

class TNumEdit : public TNumEditBase {
    Q_OBJECT
public:
    explicit TNumEdit(QWidget* parent = nullptr);

    // The number; reading takes over a text the user modified since the last write.
    double Value();
    double StoredValue() const { return m_value; }
    void SetValue(double v);

    TFloatFormat Format = TFloatFormat::Fixed;
    int Digits = 2;
    int Precision = 10;
    // Redisplay after a change of Format, Digits or Precision or of the separators.
    void Reformat() { Redisplay(); }

protected:
    bool TakeOver() override;
    void Redisplay() override;

private:
    double m_value = 0.0;
};

class TIntEdit : public TNumEditBase {
    Q_OBJECT
public:
    explicit TIntEdit(QWidget* parent = nullptr);

    int Value();
    int StoredValue() const { return m_value; }
    void SetValue(int v);

protected:
    bool TakeOver() override;
    void Redisplay() override;

private:
    int m_value = 0;
};

// Text of a real number in one of the display formats, with the program-wide separators.
QString FormatFloat(double v, TFloatFormat format, int precision, int digits);
// Parses a real written with the program-wide decimal separator (no grouping); false when the
// text is not a number.
bool ParseFloat(const QString& text, double& v);
// Parses an integer; false when the text is not one.
bool ParseInt(const QString& text, int& v);
// Replaces the two %g placeholders of a range message by the bounds.
QString FormatRangeMessage(const QString& message, double minValue, double maxValue);
