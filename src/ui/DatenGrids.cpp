#include "ui/DatenGrids.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {
class GridDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QString raw = index.data().toString();
        if (raw.isEmpty()) return;
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const TDatenGrid::CellLook look = TDatenGrid::LookOf(raw);
        const int top = static_cast<const TDatenGrid*>(parent())->TextTop;
        const QRect r = opt.rect.adjusted(TDatenGrid::TextInset, top, -TDatenGrid::TextInset, 0);
        p->save();
        p->setFont(opt.font);
        p->setPen(opt.palette.color(QPalette::Active, QPalette::WindowText));
        // Not clipped to the cell: a text a little wider than its cell runs into the empty
        // neighbour instead of losing characters.
        p->drawText(r, Qt::TextSingleLine | Qt::TextDontClip | Qt::AlignTop | (look.rightAligned ? Qt::AlignRight : Qt::AlignLeft),
                    look.text);
        p->restore();
    }
};
} // namespace

TDatenGrid::TDatenGrid(QWidget* parent) : QTableWidget(parent) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setShowGrid(false);
    setFrameShape(QFrame::NoFrame);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus);
    setItemDelegate(new GridDelegate(this));
    QPalette pal = palette();
    pal.setColor(QPalette::Base, QColor(0xC0, 0xC0, 0xC0));
    pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    SetDefaultRowHeight(20);
    SetColCount(6);
    SetColWidths({177, 70, 3, 70, 3, 38});
}

QString TDatenGrid::Cell(int col, int row) const {
    const QTableWidgetItem* it = item(row, col);
    return it ? it->text() : QString();
}

void TDatenGrid::SetCell(int col, int row, const QString& text) {
    if (col < 0 || row < 0 || col >= columnCount() || row >= rowCount()) return;
    QTableWidgetItem* it = item(row, col);
    if (!it) {
        if (text.isEmpty()) return;
        it = new QTableWidgetItem;
        it->setFlags(Qt::ItemIsEnabled);
        setItem(row, col, it);
    }
    it->setText(text);
}

void TDatenGrid::SetColCount(int n) { setColumnCount(n); }

void TDatenGrid::SetRowCount(int n) {
    setRowCount(n);
    for (int r = 0; r < n; ++r) setRowHeight(r, m_rowHeight);
}

void TDatenGrid::SetDefaultRowHeight(int h) {
    m_rowHeight = h;
    verticalHeader()->setDefaultSectionSize(h);
    for (int r = 0; r < rowCount(); ++r) setRowHeight(r, h);
}

void TDatenGrid::SetColWidths(const QList<int>& widths) {
    for (int c = 0; c < widths.size() && c < columnCount(); ++c) setColumnWidth(c, widths[c]);
}

int TDatenGrid::GridWidth() const {
    int w = 0;
    for (int c = 0; c < columnCount(); ++c) w += columnWidth(c);
    return w;
}

int TDatenGrid::GridHeight() const {
    int h = 0;
    for (int r = 0; r < rowCount(); ++r) h += rowHeight(r);
    return h;
}

TDatenGrid::CellLook TDatenGrid::LookOf(const QString& t) {
    CellLook look;
    look.text = t;
    if (t.isEmpty()) return look;
    const QChar c = t.at(0);
    static const QStringList classes = {"H1", "H2", "H3", "H4", "H5", "H6"};
    if (c == '#' || c == '+' || c == '-' || (c >= '0' && c <= '9') || classes.contains(t)) {
        look.rightAligned = true;
        if (c == '#') look.text = t.mid(1);
    }
    return look;
}

void TDatenGrid::paintEvent(QPaintEvent* e) {
    {
        QPainter p(viewport());
        p.fillRect(viewport()->rect(), palette().color(QPalette::Base));
    }
    QTableWidget::paintEvent(e);
}
