// The own controls: grid cell alignment and painting, message box layout, captions engraved when
// disabled, read-only check box, menu row height and tab sheet colour.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "UiTestEnv.h"
#include "ui/DatenGrids.h"
#include "ui/UQvControls.h"
#include "ui/UQvMessage.h"

namespace {

// Columns of an image that hold a pixel noticeably darker than the background.
QList<int> DarkColumns(const QImage& img, const QRect& area) {
    QList<int> cols;
    for (int x = area.left(); x <= area.right(); ++x)
        for (int y = area.top(); y <= area.bottom(); ++y)
            if (qGray(img.pixel(x, y)) < 90) {
                cols << x;
                break;
            }
    return cols;
}

bool HasColour(const QImage& img, QRgb colour) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) return true;
    return false;
}

TEST(DatenGrid, NumberLikeAndClassTextsAreRightAligned) {
    struct Row {
        const char* text;
        bool right;
        const char* shown;
    };
    const Row rows[] = {{"#Type", true, "Type"}, {"H3", true, "H3"},       {"H1", true, "H1"},
                        {"H7", false, "H7"},     {"H", false, "H"},        {"-5.4", true, "-5.4"},
                        {"+1", true, "+1"},      {"12", true, "12"},       {"68.5% / H2", true, "68.5% / H2"},
                        {"word", false, "word"}, {"(2016 ready)", false, "(2016 ready)"}, {"#", true, ""}};
    for (const Row& r : rows) {
        const auto look = TDatenGrid::LookOf(r.text);
        EXPECT_EQ(look.rightAligned, r.right) << r.text;
        EXPECT_EQ(look.text.toStdString(), r.shown) << r.text;
    }
}

TEST(DatenGrid, DefaultsAndCellAccess) {
    TDatenGrid g;
    EXPECT_EQ(g.ColCount(), 6);
    EXPECT_EQ(g.GridWidth(), 177 + 70 + 3 + 70 + 3 + 38);
    EXPECT_EQ(g.DefaultRowHeight(), 20);
    EXPECT_EQ(g.selectionMode(), QAbstractItemView::NoSelection);
    EXPECT_EQ(g.focusPolicy(), Qt::NoFocus);
    g.SetRowCount(3);
    g.SetCell(2, 1, "x");
    g.SetCell(9, 9, "outside");  // ignored, no crash
    EXPECT_EQ(g.Cell(2, 1), "x");
    EXPECT_EQ(g.Cell(9, 9), "");
    g.ClearCell(2, 1);
    EXPECT_EQ(g.Cell(2, 1), "");
}

TEST(DatenGrid, PaintsHashTextAtTheRightWithoutTheHash) {
    TDatenGrid g;
    g.SetRowCount(2);
    g.SetColWidths({200, 70, 3, 70, 3, 38});
    g.resize(g.GridWidth(), g.GridHeight());
    g.SetCell(0, 0, "#WWW");
    g.SetCell(0, 1, "WWW");
    const QImage img = g.grab().toImage();
    const QList<int> right = DarkColumns(img, QRect(0, 0, 200, 20));
    const QList<int> left = DarkColumns(img, QRect(0, 20, 200, 20));
    ASSERT_FALSE(right.isEmpty());
    ASSERT_FALSE(left.isEmpty());
    EXPECT_GT(right.first(), 150);       // ends near the right edge of the 200 px cell
    EXPECT_LE(right.last(), 200 - 2);    // 2 px inside it
    EXPECT_LE(left.first(), 4);          // starts 2 px inside the left edge
    // "#" is not drawn: the right-aligned text is as wide as the left one.
    EXPECT_EQ(right.last() - right.first(), left.last() - left.first());
}

TEST(MessageBox, OneWordIsAsWideAsTheButtonPlusMargins) {
    TMessageForm custom("Hi", "Caption", mtCustom);
    EXPECT_EQ(custom.Image, nullptr);
    EXPECT_EQ(custom.width(), custom.ButtonWidth + 2 * custom.HorzMargin);
    EXPECT_EQ(custom.windowTitle(), "Caption");
    EXPECT_EQ(custom.Button_OK->text(), "OK");
    EXPECT_EQ(custom.Button_OK->x(), (custom.width() - custom.ButtonWidth) / 2);

    for (int type : {mtWarning, mtError, mtInformation, mtConfirmation}) {
        TMessageForm f("Hi", "C", type);
        ASSERT_NE(f.Image, nullptr) << type;
        EXPECT_EQ(f.Image->size(), QSize(32, 32));
        EXPECT_EQ(f.Image->pos(), QPoint(f.HorzMargin, f.VertMargin));
        const int block = f.Message->width() + f.HorzSpacing + 32;
        EXPECT_EQ(f.width(), std::max(f.ButtonWidth, block) + 2 * f.HorzMargin);
        // The text block sits right of the icon.
        EXPECT_GE(f.Message->x(), f.HorzMargin + 32);
    }
}

TEST(MessageBox, LongTextWrapsAtHalfTheScreen) {
    const QString text = QString("word ").repeated(400);
    TMessageForm f(text, "C", mtWarning);
    const int half = QGuiApplication::primaryScreen()->geometry().width() / 2;
    EXPECT_LE(f.Message->width(), half + 2);
    EXPECT_GT(f.Message->height(), 3 * f.fontMetrics().height());
    // The button sits below the text block.
    EXPECT_GE(f.Button_OK->y(), f.Message->geometry().bottom());
    EXPECT_LE(f.Button_OK->geometry().bottom(), f.height());
}

TEST(MessageBox, EscapeAndEnterCloseWithOk) {
    for (int key : {Qt::Key_Escape, Qt::Key_Return}) {
        TMessageForm f("Text", "C", mtInformation);
        QTimer::singleShot(0, &f, [&f, key] { QTest::keyClick(&f, Qt::Key(key)); });
        EXPECT_EQ(f.exec(), QDialog::Accepted) << key;
    }
}

TEST(QvControls, DisabledCaptionIsEngraved) {
    TQvStaticText t("Engraved caption");
    QPalette pal = t.palette();
    pal.setColor(QPalette::Light, QColor(255, 0, 0));
    pal.setColor(QPalette::Dark, QColor(0, 0, 255));
    pal.setColor(QPalette::WindowText, QColor(0, 0, 0));
    t.setPalette(pal);
    t.resize(200, 20);
    const QImage enabled = t.grab().toImage();
    EXPECT_FALSE(HasColour(enabled, qRgb(255, 0, 0)));
    EXPECT_FALSE(HasColour(enabled, qRgb(0, 0, 255)));
    t.setEnabled(false);
    const QImage disabled = t.grab().toImage();
    EXPECT_TRUE(HasColour(disabled, qRgb(255, 0, 0)));
    EXPECT_TRUE(HasColour(disabled, qRgb(0, 0, 255)));

    TQvCheckBox box("Engraved box");
    box.setPalette(pal);
    box.resize(200, 20);
    box.setEnabled(false);
    const QImage boxImg = box.grab().toImage();
    EXPECT_TRUE(HasColour(boxImg, qRgb(255, 0, 0)));
    EXPECT_TRUE(HasColour(boxImg, qRgb(0, 0, 255)));
}

TEST(QvControls, ReadOnlyCheckBoxIgnoresClicks) {
    TQvCheckBox box("Box");
    box.resize(100, 20);
    box.show();
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(8, 10));
    EXPECT_TRUE(box.isChecked());
    box.SetReadOnly(true);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(8, 10));
    EXPECT_TRUE(box.isChecked());
    box.SetReadOnly(false);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(8, 10));
    EXPECT_FALSE(box.isChecked());
}

TEST(QvControls, MenuRowsGrowWithTheFont) {
    TQvMainMenu bar;
    QMenu* m = bar.addMenu("File");
    QAction* a = m->addAction("Exit");
    bar.Adopt(m);
    QFont f = bar.font();
    f.setPixelSize(30);
    bar.setFont(f);
    EXPECT_EQ(bar.ItemHeight(), 34);
    m->setFont(f);
    m->adjustSize();
    EXPECT_GE(m->actionGeometry(a).height(), 34);
}

TEST(QvControls, TabSheetFillsWithItsColour) {
    TQvTabSheet sheet;
    sheet.resize(40, 30);
    sheet.SetColor(QColor(10, 200, 30));
    const QImage img = sheet.grab().toImage();
    EXPECT_EQ(img.pixel(20, 15) & 0xFFFFFF, qRgb(10, 200, 30) & 0xFFFFFF);
}

TEST(QvControls, AlignComboBoxDrawsTextAtItsAlignment) {
    TAlignComboBox box;
    box.addItem("WWW");
    box.resize(200, 24);
    box.SetAlignment(Qt::AlignLeft);
    const QList<int> left = DarkColumns(box.grab().toImage(), QRect(0, 4, 150, 16));
    box.SetAlignment(Qt::AlignRight);
    const QList<int> right = DarkColumns(box.grab().toImage(), QRect(0, 4, 150, 16));
    ASSERT_FALSE(left.isEmpty());
    ASSERT_FALSE(right.isEmpty());
    EXPECT_LT(left.first(), 20);
    EXPECT_GT(right.first(), 80);
}

} // namespace
