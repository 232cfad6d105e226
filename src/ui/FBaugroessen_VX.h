#pragma once
// Size pre-selection dialog of the counterflow window: proposes sizes and package widths for the
// air flows and states entered in the window and adopts a proposal into the window's device panel.
#include <vector>

#include "series/UVorauswahl.h"
#include "ui/UQvForms.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TFormVX;

class TFormBaugroessen_VX : public TQvForm {
    Q_OBJECT
public:
    explicit TFormBaugroessen_VX(TFormVX* owner);

    // Window whose winter record is searched and into which a proposal is adopted.
    TFormVX* Owner = nullptr;
    // Units of the list: true SI, false UK/US; set when the dialog is opened.
    bool SI = true;
    // Sort state, kept between openings.
    TProposalSort Sort;
    // The proposals of the last build, in list-build order.
    std::vector<TProposal> Proposals;

    // Reads the window's inputs, recalculates its winter record and rebuilds the list.
    void BuildProposals();
    // Adopts the selected proposal into the window (type list entry, package width, device
    // change). Does nothing without a selected row or with a key that cannot be split.
    void AdoptProposal();
    void ListView1ColumnClick(int column);
    // Caption, column captions and button texts in the current language and units.
    void ApplyTexts();
    // Number of times the list was built (each activation builds it once).
    int BuildCount() const { return m_buildCount; }

    QTreeWidget* ListView1 = nullptr;
    QPushButton* Button_OK = nullptr;
    QPushButton* Button_Abbrechen = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* L_Leer = nullptr;  // why the list is empty, shown instead of it

    // Column widths: each fits its content in the current language and units; spare width is
    // shared out.
    void FitColumns();

protected:
    bool event(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void SortList();
    bool m_building = false;
    bool m_buildPending = false;
    int m_buildCount = 0;
};

// Opens the pre-selection for a counterflow window: created on first use and kept as a child of
// the window, shown modally with the window's unit system. The search leaves the window's record
// alone; only an adopted proposal changes the window (through its device change).
void OpenPreselection(TFormVX* owner);
// The window's pre-selection dialog, created on first use.
TFormBaugroessen_VX* PreselectionDialog(TFormVX* owner);
