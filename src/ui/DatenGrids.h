#pragma once
// Display-only results grid. Cells hold plain texts; a text that starts with "#", "+", "-" or a
// digit, or that is a class text "H1".."H6", is drawn right-aligned like a number (a leading "#"
// is not drawn); every other text is drawn left-aligned.
#include <QTableWidget>

class TDatenGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit TDatenGrid(QWidget* parent = nullptr);

    // Cell text by column and row, as stored (a leading "#" included).
    QString Cell(int col, int row) const;
    void SetCell(int col, int row, const QString& text);
    void ClearCell(int col, int row) { SetCell(col, row, QString()); }

    int ColCount() const { return columnCount(); }
    int RowCount() const { return rowCount(); }
    void SetColCount(int n);
    void SetRowCount(int n);
    void SetColWidths(const QList<int>& widths);
    int DefaultRowHeight() const { return m_rowHeight; }
    void SetDefaultRowHeight(int h);
    // Total width and height of all columns and rows.
    int GridWidth() const;
    int GridHeight() const;

    // How a cell text is drawn: the visible text and whether it is right-aligned.
    struct CellLook {
        QString text;
        bool rightAligned = false;
    };
    static CellLook LookOf(const QString& cellText);

    // Insets of the drawn text inside a cell, in pixels: 2 from the side, TextTop from the top.
    static constexpr int TextInset = 2;
    int TextTop = 4;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int m_rowHeight = 20;
};
