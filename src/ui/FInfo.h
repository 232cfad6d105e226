#pragma once
// The about window: the product picture with the energy banner, the product and certification
// logos, the maker's address and links, the version line and the legal notice. Without its border
// and the controls under the picture it is also the start picture (ShowSplash).
#include <QDialog>
#include <QPoint>
#include <optional>

class QFrame;
class QLabel;
class QPushButton;

// Where the logos sit on the picture (offsets from the picture's top-left corner) for a pair of
// certification flags; a logo without a position is not shown.
struct TInfoLogoLayout {
    QPoint ProductLogo;
    std::optional<QPoint> Eurovent;
    std::optional<QPoint> Ahri;
};
TInfoLogoLayout InfoLogoLayout(bool euroventCertified, bool ahriCertified);

// Resource number of the energy banner for a language (2900, the English one, for a language
// without its own banner).
int EnergyBannerId(int language);

class TFormInfo : public QDialog {
    Q_OBJECT
public:
    // frameless: the start picture (no border, only the picture panel).
    explicit TFormInfo(QWidget* parent = nullptr, bool frameless = false);

    // Energy banner and label fonts for the current language.
    void ApplyTexts();

    // Controls, named as in the window's design.
    QFrame* Panel_Bild = nullptr;
    QLabel* Image_Bild = nullptr;
    QLabel* Image_Energie = nullptr;
    QLabel* Image_ProduktLogo = nullptr;
    QLabel* Image_Eurovent = nullptr;
    QLabel* Image_AHRI = nullptr;
    QLabel* Image_TUV = nullptr;
    QLabel* Label_Firma = nullptr;
    QLabel* Label_Internet = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label_EMail = nullptr;
    QFrame* Bevel_Linie = nullptr;
    QLabel* Label_Version = nullptr;
    QLabel* Label_Copyright = nullptr;
    QPushButton* Button_OK = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ArrangeLogos();
};

// Shows the start picture for durationMs milliseconds, painting it at once, then closes it.
void ShowSplash(int durationMs = 2000);
