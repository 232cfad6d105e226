// Number fields: display formats with the program-wide separators, confirmation by leaving the
// field and by Enter, range validation and texts that are not numbers.
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "UiTestEnv.h"
#include "ui/NumEdit.h"
#include "ui/UQvMessage.h"

namespace {

struct FormatRow {
    double value;
    TFloatFormat format;
    int precision, digits;
    char16_t dec, thou;
    const char* expected;
};

class NumEditFormat : public testing::TestWithParam<FormatRow> {};

TEST_P(NumEditFormat, ShowsValueWithSeparators) {
    const FormatRow& r = GetParam();
    UseSeparators(QChar(r.dec), QChar(r.thou));
    TNumEdit e;
    e.Format = r.format;
    e.Precision = r.precision;
    e.Digits = r.digits;
    e.SetValue(r.value);
    EXPECT_EQ(e.text().toStdString(), r.expected);
    UseSeparators('.', ',');
}

INSTANTIATE_TEST_SUITE_P(
    Formats, NumEditFormat,
    testing::Values(FormatRow{3.14159, TFloatFormat::Fixed, 10, 2, '.', ',', "3.14"},
                    FormatRow{3.14159, TFloatFormat::Fixed, 10, 2, ',', '.', "3,14"},
                    FormatRow{-5.5, TFloatFormat::Fixed, 10, 1, ',', 0, "-5,5"},
                    FormatRow{1234567.891, TFloatFormat::Fixed, 10, 2, '.', ',', "1234567.89"},
                    FormatRow{1234567.891, TFloatFormat::Number, 10, 2, ',', '.', "1.234.567,89"},
                    FormatRow{1013, TFloatFormat::General, 10, 0, '.', ',', "1013"},
                    FormatRow{0.1, TFloatFormat::General, 10, 0, ',', 0, "0,1"},
                    FormatRow{3.14159, TFloatFormat::General, 3, 0, '.', 0, "3.14"},
                    FormatRow{1234.5, TFloatFormat::Exponent, 3, 2, '.', 0, "1.23E+03"}));

TEST(NumEdit, KeepsFullValueUntilEdited) {
    TNumEdit e;
    e.SetValue(3.14159);
    EXPECT_EQ(e.text(), "3.14");
    EXPECT_DOUBLE_EQ(e.Value(), 3.14159);
}

TEST(NumEdit, ParsesWithTheProgramDecimalSeparator) {
    struct Row {
        char16_t dec;
        const char* text;
        bool ok;
        double value;
    };
    const Row rows[] = {{'.', "2.5", true, 2.5},   {',', "2,5", true, 2.5},    {',', "2.5", false, 0},
                        {'.', " -12 ", true, -12}, {'.', "1e3", true, 1000},   {'.', "", false, 0},
                        {'.', "1,000", false, 0},  {'.', "abc", false, 0},     {'.', "--1", false, 0}};
    for (const Row& r : rows) {
        UseSeparators(QChar(r.dec), QChar());
        double v = 0;
        EXPECT_EQ(ParseFloat(r.text, v), r.ok) << r.text;
        if (r.ok) { EXPECT_DOUBLE_EQ(v, r.value) << r.text; }
    }
    UseSeparators('.', ',');
}

TEST(NumEdit, RangeMessageTakesBothBounds) {
    EXPECT_EQ(FormatRangeMessage("between %g and %g !", -30, 80), "between -30 and 80 !");
    UseSeparators(QChar(u','), QChar());
    EXPECT_EQ(FormatRangeMessage("%g..%g", -0.5, 2.25), "-0,5..2,25");
    UseSeparators('.', ',');
    EXPECT_EQ(FormatRangeMessage("no placeholder", 1, 2), "no placeholder");
}

// Two number fields in a shown window, so the focus can move between them.
class NumEditFocus : public testing::Test {
protected:
    void SetUp() override {
        ClearMessages();
        auto* lay = new QVBoxLayout(&window);
        a = new TNumEdit;
        b = new TNumEdit;
        lay->addWidget(a);
        lay->addWidget(b);
        a->SetValue(12);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        a->setFocus();
        QApplication::processEvents();
    }
    void TypeInto(TNumEdit* e, const QString& text) {
        e->selectAll();
        QTest::keyClicks(e, text);
    }
    QWidget window;
    TNumEdit* a = nullptr;
    TNumEdit* b = nullptr;
};

TEST_F(NumEditFocus, LeavingWithTabConfirmsOnce) {
    QSignalSpy calc(a, &TNumEditBase::OnCalculate);
    TypeInto(a, "7.25");
    QTest::keyClick(a, Qt::Key_Tab);
    EXPECT_EQ(calc.count(), 1);
    EXPECT_TRUE(b->hasFocus());
    EXPECT_DOUBLE_EQ(a->StoredValue(), 7.25);
    EXPECT_EQ(a->text(), "7.25");
    // Back in and out again without typing: nothing new.
    a->setFocus();
    QTest::keyClick(a, Qt::Key_Tab);
    EXPECT_EQ(calc.count(), 1);
}

TEST_F(NumEditFocus, EnterConfirmsAChangedValue) {
    QSignalSpy calc(a, &TNumEditBase::OnCalculate);
    QSignalSpy ret(a, &TNumEditBase::OnReturn);
    a->Digits = 1;
    TypeInto(a, "3.14159");
    QTest::keyClick(a, Qt::Key_Return);
    EXPECT_EQ(calc.count(), 1);
    EXPECT_EQ(ret.count(), 1);
    EXPECT_EQ(a->text(), "3.1");
    EXPECT_DOUBLE_EQ(a->StoredValue(), 3.14159);
    EXPECT_EQ(a->selectedText(), "3.1");
    // Enter again without a change, then leaving: no further notification.
    QTest::keyClick(a, Qt::Key_Enter);
    QTest::keyClick(a, Qt::Key_Tab);
    EXPECT_EQ(calc.count(), 1);
    EXPECT_EQ(ret.count(), 2);
}

TEST_F(NumEditFocus, OutOfRangeIsRefusedWithMessage) {
    a->Validation = true;
    a->MinValue = 0;
    a->MaxValue = 100;
    a->ErrorMessage = "Please enter a number between %g and %g";
    a->Content = "Temperature";
    QSignalSpy calc(a, &TNumEditBase::OnCalculate);
    TypeInto(a, "150");
    QTest::keyClick(a, Qt::Key_Tab);
    ASSERT_EQ(ShownMessages().size(), 1);
    EXPECT_EQ(ShownMessages()[0].Text, "Please enter a number between 0 and 100");
    EXPECT_EQ(ShownMessages()[0].Caption, "Temperature");
    EXPECT_EQ(ShownMessages()[0].Type, mtWarning);
    EXPECT_EQ(calc.count(), 0);
    QApplication::processEvents();
    EXPECT_TRUE(a->hasFocus());
    EXPECT_DOUBLE_EQ(a->StoredValue(), 12);
    // Enter with the bad text also refuses it; a good value then passes.
    QTest::keyClick(a, Qt::Key_Return);
    EXPECT_EQ(ShownMessages().size(), 2);
    TypeInto(a, "100");
    QTest::keyClick(a, Qt::Key_Return);
    EXPECT_EQ(calc.count(), 1);
    EXPECT_DOUBLE_EQ(a->StoredValue(), 100);
}

TEST_F(NumEditFocus, TextThatIsNoNumberReturnsToLastValue) {
    QSignalSpy calc(a, &TNumEditBase::OnCalculate);
    TypeInto(a, "12a");
    QTest::keyClick(a, Qt::Key_Tab);
    ASSERT_EQ(ShownMessages().size(), 1);
    EXPECT_TRUE(ShownMessages()[0].Text.contains("12a"));
    EXPECT_EQ(ShownMessages()[0].Type, mtError);
    EXPECT_EQ(calc.count(), 0);
    EXPECT_EQ(a->text(), "12.00");
    EXPECT_DOUBLE_EQ(a->Value(), 12);
    // Reading Value on a bad pending text also reports it and keeps the old number.
    TypeInto(a, "x");
    EXPECT_DOUBLE_EQ(a->Value(), 12);
    EXPECT_EQ(ShownMessages().size(), 2);
}

// Texts that are not numbers: the message names the text, the range with its unit (or asks for a
// number), and the separator in force when the text holds the other one; titled like the other
// messages; the field keeps its last valid value and gets the focus back.
TEST_F(NumEditFocus, NotANumberNamesTextRangeAndSeparator) {
    struct Row {
        bool validation;
        const char* typed;
        const char* message;
    };
    const Row rows[] = {
        {false, "abc", "\"abc\" is not a number.\nPlease enter a number."},
        {false, "4x0", "\"4x0\" is not a number.\nPlease enter a number."},
        {false, "3,500", "\"3,500\" is not a number.\nPlease enter a number.\nThe decimal separator is \".\"."},
        {true, "-12,5", "\"-12,5\" is not a number.\nPlease enter a number between -30 and 80 \u00b0C\n"
                        "The decimal separator is \".\"."},
        {true, "", "\"\" is not a number.\nPlease enter a number between -30 and 80 \u00b0C"},
    };
    a->MinValue = -30;
    a->MaxValue = 80;
    a->Unit = "\u00b0C";
    for (const Row& r : rows) {
        ClearMessages();
        a->Validation = r.validation;
        TypeInto(a, r.typed);
        if (QString(r.typed).isEmpty()) QTest::keyClick(a, Qt::Key_Backspace);
        QTest::keyClick(a, Qt::Key_Tab);
        ASSERT_EQ(ShownMessages().size(), 1) << r.typed;
        EXPECT_EQ(ShownMessages()[0].Text.toStdString(), QString::fromUtf8(r.message).toStdString());
        EXPECT_EQ(ShownMessages()[0].Caption, "Error!");
        EXPECT_EQ(a->text(), "12.00");
        QApplication::processEvents();
        EXPECT_TRUE(a->hasFocus()) << r.typed;
    }
    // With the comma in force the point is named.
    UseSeparators(',', '.');
    ClearMessages();
    a->Validation = false;
    TypeInto(a, "2.5");
    QTest::keyClick(a, Qt::Key_Tab);
    ASSERT_EQ(ShownMessages().size(), 1);
    EXPECT_TRUE(ShownMessages()[0].Text.endsWith("The decimal separator is \",\".")) << ShownMessages()[0].Text.toStdString();
    UseSeparators('.', ',');
    QApplication::processEvents();  // the focus returns to the field
    // A number out of range names the unit after the bounds.
    ClearMessages();
    a->Validation = true;
    TypeInto(a, "95");
    QTest::keyClick(a, Qt::Key_Tab);
    ASSERT_EQ(ShownMessages().size(), 1);
    EXPECT_EQ(ShownMessages()[0].Text, QString::fromUtf8("Please enter a number between -30 and 80 \u00b0C"));
    EXPECT_EQ(ShownMessages()[0].Caption, "Attention!");
}

TEST_F(NumEditFocus, IntegerFieldRefusesFractions) {
    auto* i = new TIntEdit(&window);
    i->SetValue(250);
    i->show();
    i->setFocus();
    QSignalSpy calc(i, &TNumEditBase::OnCalculate);
    i->selectAll();
    QTest::keyClicks(i, "4.5");
    QTest::keyClick(i, Qt::Key_Return);
    EXPECT_EQ(calc.count(), 0);
    EXPECT_EQ(i->Value(), 250);
    EXPECT_EQ(i->text(), "250");
    i->selectAll();
    QTest::keyClicks(i, "600");
    QTest::keyClick(i, Qt::Key_Return);
    EXPECT_EQ(calc.count(), 1);
    EXPECT_EQ(i->Value(), 600);
}

} // namespace
