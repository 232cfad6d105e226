#include "ui/FBaugroessen_VX.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/URessourcen.h"
#include "calc/UDaten.h"
#include "ui/FVX.h"
#include "ui/NumEdit.h"
#include "ui/UQvControls.h"

namespace {

constexpr int kColumns = 10;

// Wait cursor for the lifetime of the object.
struct TWaitCursor {
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

TFormBaugroessen_VX::TFormBaugroessen_VX(TFormVX* owner) : TQvForm(owner), Owner(owner) {
    setObjectName("FBaugroessen_VX");
    setModal(true);

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName("ListView1");
    ListView1->setColumnCount(kColumns);
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->header()->setSectionsClickable(true);
    ListView1->header()->setSortIndicatorShown(false);
    ListView1->header()->setStretchLastSection(false);
    ListView1->header()->setSectionResizeMode(QHeaderView::Fixed);
    ListView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(ListView1->header(), &QHeaderView::sectionClicked, this,
            &TFormBaugroessen_VX::ListView1ColumnClick);
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem*, int) { AdoptProposal(); });

    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    try {
        const QImage picture = LoadJpeg(4299);
        Image1->setPixmap(QPixmap::fromImage(
            picture.scaled(260, 200, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    } catch (const EResourceNotFound&) {
        // The list works without the dimension sketch.
    }
    Image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    L_Leer = new QLabel(this);
    L_Leer->setObjectName("L_Leer");
    L_Leer->setWordWrap(true);
    L_Leer->hide();

    Button_OK = new QPushButton("OK", this);
    Button_OK->setObjectName("Button_OK");
    Button_OK->setDefault(true);
    Button_Abbrechen = new QPushButton(this);
    Button_Abbrechen->setObjectName("Button_Abbrechen");
    connect(Button_OK, &QPushButton::clicked, this, [this] {
        AdoptProposal();
        accept();
    });
    connect(Button_Abbrechen, &QPushButton::clicked, this, &QDialog::reject);

    auto* side = new QVBoxLayout;
    side->addWidget(Image1);
    side->addStretch(1);
    side->addWidget(Button_OK);
    side->addWidget(Button_Abbrechen);
    auto* layout = new QHBoxLayout(this);
    auto* listSide = new QVBoxLayout;
    listSide->addWidget(ListView1, 1);
    listSide->addWidget(L_Leer);
    layout->addLayout(listSide, 1);
    layout->addLayout(side);
    resize(900, 420);
    ApplyTexts();
}

void TFormBaugroessen_VX::ApplyTexts() {
    setWindowTitle("VX " + LoadText(181));
    Button_Abbrechen->setText(LoadText(161));
    AssignMnemonics(this);
    const auto captions = ProposalCaptions(SI, Owner && Owner->Selection.AmericanMethod,
                                           [](int n) { return LoadText(n).toStdString(); });
    QStringList labels;
    for (const std::string& c : captions) labels << QString::fromStdString(c);
    ListView1->setHeaderLabels(labels);
    L_Leer->setText(LoadText(616));
    FitColumns();
}

void TFormBaugroessen_VX::FitColumns() {
    // Each column as wide as its widest cell or caption; room left over is shared out in
    // proportion, so the columns follow the dialog's width.
    std::vector<int> need(kColumns);
    int total = 0;
    for (int c = 0; c < kColumns; ++c) {
        ListView1->resizeColumnToContents(c);  // the wider of the cells and the caption
        need[static_cast<size_t>(c)] = ListView1->columnWidth(c) + 8;
        total += need[static_cast<size_t>(c)];
    }
    const int room = ListView1->viewport()->width();
    const int extra = std::max(0, room - total);
    int given = 0;
    for (int c = 0; c < kColumns; ++c) {
        int w = need[static_cast<size_t>(c)] + extra * need[static_cast<size_t>(c)] / std::max(1, total);
        if (c == kColumns - 1) w = std::max(need[static_cast<size_t>(c)], room - given);
        ListView1->setColumnWidth(c, w);
        given += w;
    }
    // The dialog never becomes narrower than the columns need.
    // Its frame and a vertical scroll bar beside the columns (the viewport is not laid out yet
    // while the dialog is being built).
    const int frame = 2 * ListView1->frameWidth() + ListView1->verticalScrollBar()->sizeHint().width();
    ListView1->setMinimumWidth(total + frame);
}

void TFormBaugroessen_VX::resizeEvent(QResizeEvent* e) {
    TQvForm::resizeEvent(e);
    FitColumns();
}

bool TFormBaugroessen_VX::event(QEvent* e) {
    // The list is rebuilt on every activation, once the dialog has painted itself.
    if (e->type() == QEvent::WindowActivate && !m_building && !m_buildPending) {
        m_buildPending = true;
        QTimer::singleShot(0, this, [this] {
            m_buildPending = false;
            BuildProposals();
        });
    }
    return TQvForm::event(e);
}

void TFormBaugroessen_VX::BuildProposals() {
    if (m_building || !Owner) return;
    m_building = true;
    ++m_buildCount;
    {
        TWaitCursor wait;
        // Proposals for the winter case as the selection holds it; the search works on a copy, so
        // the selection and its results stay as they are whether a proposal is adopted or not.
        TDatenVX record = Owner->Selection.Cases[0];
        ListView1->clear();
        Proposals.clear();
        const bool american = Owner->Selection.AmericanMethod;
        Proposals = ::BuildProposals(record, [] { QCoreApplication::processEvents(); });
        for (const TProposal& p : Proposals) {
            auto* item = new QTreeWidgetItem(ListView1);
            const auto cells = ProposalColumns(p, SI, american);
            for (int c = 0; c < kColumns; ++c) {
                item->setText(c, QString::fromStdString(cells[static_cast<size_t>(c)]));
                if (c > 0) item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
            }
        }
    }
    ListView1->setVisible(!Proposals.empty());
    L_Leer->setVisible(Proposals.empty());
    FitColumns();
    m_building = false;
}

void TFormBaugroessen_VX::AdoptProposal() {
    if (!Owner) return;
    QTreeWidgetItem* item = ListView1->currentItem();
    if (!item || !item->isSelected() || item->text(0).isEmpty()) return;
    std::string sizeKey;
    int width = 0;
    if (!SplitProposalKey(item->text(0).toStdString(), sizeKey, width)) return;
    const int index = Owner->Combo_VXTyp->findText(QString::fromStdString(sizeKey),
                                                   Qt::MatchExactly | Qt::MatchCaseSensitive);
    {
        // The device change below runs once for the whole adoption.
        const QSignalBlocker block(Owner->Combo_VXTyp);
        Owner->Combo_VXTyp->setCurrentIndex(index);
    }
    Owner->Edit_GBreite->SetValue(width);
    Owner->Aenderung_Geraet(nullptr);
}

void TFormBaugroessen_VX::ListView1ColumnClick(int column) {
    Sort.Click(column);
    SortList();
}

void TFormBaugroessen_VX::SortList() {
    const int column = Sort.Column, direction = Sort.Direction;
    if (column < 0) return;
    QTreeWidgetItem* current = ListView1->currentItem();
    std::vector<QTreeWidgetItem*> items;
    while (ListView1->topLevelItemCount() > 0) items.push_back(ListView1->takeTopLevelItem(0));
    std::stable_sort(items.begin(), items.end(), [&](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        if (a->columnCount() <= column || b->columnCount() <= column) return false;
        return CompareProposalCells(a->text(column).toStdString(), b->text(column).toStdString(),
                                    direction) < 0;
    });
    for (QTreeWidgetItem* item : items) ListView1->addTopLevelItem(item);
    if (current) ListView1->setCurrentItem(current);
}

TFormBaugroessen_VX* PreselectionDialog(TFormVX* owner) {
    auto* dialog = owner->findChild<TFormBaugroessen_VX*>(QString(), Qt::FindDirectChildrenOnly);
    if (!dialog) dialog = new TFormBaugroessen_VX(owner);
    return dialog;
}

void OpenPreselection(TFormVX* owner) {
    TFormBaugroessen_VX* dialog = PreselectionDialog(owner);
    dialog->SI = owner->UnitSystemSI;
    dialog->ApplyTexts();
    // Adopting runs the window's device change; Cancel leaves the window and its results alone.
    dialog->exec();
}
