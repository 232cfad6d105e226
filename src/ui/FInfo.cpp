#include "ui/FInfo.h"

#include "app/UGlobal.h"
#include "app/UHersteller.h"
#include "app/URessourcen.h"
#include "app/UVersion.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {

constexpr int ClientWidth = 514;
constexpr int ClientHeight = 263;
constexpr int PanelWidth = 506;
constexpr int PanelHeight = 226;
constexpr int PanelMargin = 4;  // panel position in the bordered window
constexpr int PictureInset = 3;

// Picture labels of a resource; a missing picture leaves the label empty.
template <typename Loader>
void SetPicture(QLabel* label, Loader load)
{
    try {
        label->setPixmap(QPixmap::fromImage(load()));
    } catch (const EResourceNotFound&) {
        label->clear();
    }
}

QLabel* MakeLogo(QWidget* parent, const char* name, int w, int h)
{
    auto* logo = new QLabel(parent);
    logo->setObjectName(QLatin1String(name));
    logo->resize(w, h);
    logo->setScaledContents(true);
    logo->setCursor(Qt::PointingHandCursor);
    return logo;
}

QLabel* MakeWhiteLabel(QWidget* parent, const char* name, const QString& text, int x, int y)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(pal);
    label->move(x, y);
    return label;
}

QString MainWindowCaption()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(w))
            return w->windowTitle();
    return QString();
}

}  // namespace

TInfoLogoLayout InfoLogoLayout(bool euroventCertified, bool ahriCertified)
{
    TInfoLogoLayout layout;
    layout.ProductLogo = QPoint(191, 66);
    if (euroventCertified && ahriCertified) {
        layout.ProductLogo = QPoint(247, 66);
        layout.Eurovent = QPoint(308, 81);
        layout.Ahri = QPoint(157, layout.ProductLogo.y() + 9);
    } else if (euroventCertified) {
        layout.ProductLogo = QPoint(191, 66);
        layout.Eurovent = QPoint(257, 81);
    } else if (ahriCertified) {
        layout.ProductLogo = QPoint(181, 66);
        layout.Ahri = QPoint(247, layout.ProductLogo.y() + 9);
    } else {
        layout.ProductLogo.setX(224);
    }
    return layout;
}

int EnergyBannerId(int language)
{
    switch (language) {
    case LangGerman:
    case LangEnglish:
    case LangFrench:
    case LangPolish:
    case LangChinese:
    case LangRussian:
        return 1000 * language + 900;
    default:
        return 2900;
    }
}

TFormInfo::TFormInfo(QWidget* parent, bool frameless)
    : QDialog(parent, frameless ? Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                                : Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FormInfo"));
    setWindowTitle(QStringLiteral("  INFO"));

    AhriCertified = ProductIndex == 1 || ProductIndex == 3 || ProductIndex == 4;
    TuevCertified = AhriCertified;

    Panel_Bild = new QFrame(this);
    Panel_Bild->setObjectName(QStringLiteral("Panel_Bild"));
    Panel_Bild->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel_Bild->setLineWidth(2);

    Image_Bild = new QLabel(Panel_Bild);
    Image_Bild->setObjectName(QStringLiteral("Image_Bild"));
    Image_Bild->move(PictureInset, PictureInset);
    Image_Bild->resize(PanelWidth - 2 * PictureInset, PanelHeight - 2 * PictureInset);
    SetPicture(Image_Bild, [] { return LoadJpeg(ProductIndex * 1000 + 101); });

    // The overlays are children of the picture, so their positions are picture offsets.
    Image_Energie = new QLabel(Image_Bild);
    Image_Energie->setObjectName(QStringLiteral("Image_Energie"));
    Image_Energie->setGeometry(156, 46, 220, 14);
    Image_Energie->setScaledContents(true);

    Image_ProduktLogo = MakeLogo(Image_Bild, "Image_ProduktLogo", 62, 62);
    Image_ProduktLogo->move(191, 66);
    SetPicture(Image_ProduktLogo, [] { return LoadJpeg(ProductIndex * 1000 + 401); });
    Image_Eurovent = MakeLogo(Image_Bild, "Image_Eurovent", 62, 62);
    Image_Eurovent->move(252, 66);
    Image_AHRI = MakeLogo(Image_Bild, "Image_AHRI", 89, 50);
    Image_TUV = MakeLogo(Image_Bild, "Image_TUV", 45, 50);
    Image_TUV->setCursor(Qt::ArrowCursor);
    Image_TUV->hide();

    // Label texts: ApplyTexts.
    Label_Firma = MakeWhiteLabel(Image_Bild, "Label_Firma", QString(), 12, 150);
    Label1 = MakeWhiteLabel(Image_Bild, "Label1", QString(), 12, 166);
    Label_Internet = MakeWhiteLabel(Image_Bild, "Label_Internet", QString(), 12, 182);
    Label_EMail = MakeWhiteLabel(Image_Bild, "Label_EMail", QString(), 12, 198);
    for (QLabel* link : {Label_Internet, Label_EMail})
        link->setCursor(Qt::PointingHandCursor);

    Bevel_Linie = new QFrame(this);
    Bevel_Linie->setObjectName(QStringLiteral("Bevel_Linie"));
    Bevel_Linie->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Bevel_Linie->setGeometry(PanelMargin, PanelMargin + PanelHeight + 1, PanelWidth, 2);

    Label_Version = new QLabel(this);
    Label_Version->setObjectName(QStringLiteral("Label_Version"));
    Label_Version->setGeometry(PanelMargin + 2, 240, 150, 16);

    Label_Copyright = new QLabel(this);
    Label_Copyright->setObjectName(QStringLiteral("Label_Copyright"));
    Label_Copyright->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label_Copyright->setGeometry(160, 240, 264, 16);

    Button_OK = new QPushButton(QStringLiteral("OK"), this);
    Button_OK->setObjectName(QStringLiteral("Button_OK"));
    Button_OK->setGeometry(ClientWidth - PanelMargin - 75, 235, 75, 25);
    Button_OK->setDefault(true);
    connect(Button_OK, &QPushButton::clicked, this, &QDialog::accept);

    ArrangeLogos();
    if (TuevCertified) {
        SetPicture(Image_TUV, [] { return LoadPng(196); });
        Image_TUV->show();
    }

    for (QLabel* w : {Image_ProduktLogo, Image_Eurovent, Image_AHRI, Label_Internet, Label_EMail})
        w->installEventFilter(this);

    if (frameless) {
        Panel_Bild->setGeometry(0, 0, PanelWidth, PanelHeight);
        for (QWidget* w : std::initializer_list<QWidget*>{Bevel_Linie, Label_Version, Label_Copyright, Button_OK})
            w->hide();
        setFixedSize(PanelWidth, PanelHeight);
    } else {
        Panel_Bild->setGeometry(PanelMargin, PanelMargin, PanelWidth, PanelHeight);
        setFixedSize(ClientWidth, ClientHeight);
    }
    ApplyTexts();

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFormInfo::ArrangeLogos()
{
    const TInfoLogoLayout layout = InfoLogoLayout(EuroventCertified, AhriCertified);
    Image_ProduktLogo->move(layout.ProductLogo);
    Image_Eurovent->setVisible(layout.Eurovent.has_value());
    if (layout.Eurovent) {
        Image_Eurovent->move(*layout.Eurovent);
        SetPicture(Image_Eurovent, [] { return LoadJpeg(198); });
    }
    Image_AHRI->setVisible(layout.Ahri.has_value());
    if (layout.Ahri) {
        Image_AHRI->move(*layout.Ahri);
        SetPicture(Image_AHRI, [] { return LoadJpeg(200); });
    }
    // The TÜV mark follows the rightmost logo on the row of the AHRI logo.
    int right = Image_ProduktLogo->geometry().right();
    for (const QLabel* logo : {Image_Eurovent, Image_AHRI})
        if (!logo->isHidden())
            right = std::max(right, logo->geometry().right());
    Image_TUV->move(right + 7, layout.ProductLogo.y() + 9);
}

void TFormInfo::ApplyTexts()
{
    setFont(DialogFont);
    SetPicture(Image_Energie, [] { return LoadJpeg(EnergyBannerId(Language)); });
    // The maker's address with the country in the language.
    Label_Firma->setText(QString::fromUtf8(Maker::Company) + QStringLiteral(" \u00B7 ") + QString::fromUtf8(Maker::Street)
                         + QStringLiteral(" \u00B7 ") + QString::fromUtf8(Maker::PostCodeTown)
                         + QStringLiteral(" \u00B7 ") + LoadText(625));
    Label1->setText(LoadText(620) + ' ' + QString::fromUtf8(Maker::Phone));
    Label_Internet->setText(LoadText(621) + ' ' + QString::fromUtf8(Maker::WebHost));
    Label_EMail->setText(LoadText(622) + ' ' + QString::fromUtf8(Maker::SupportEmail));
    Label_Version->setText(LoadText(623) + ' ' + VersionText);
    Label_Copyright->setText(QString::fromUtf8(Maker::Copyright) + ' ' + LoadText(615));
}

bool TFormInfo::eventFilter(QObject* watched, QEvent* event)
{
    auto* label = qobject_cast<QLabel*>(watched);
    if (label && (label == Label_Internet || label == Label_EMail)
        && (event->type() == QEvent::Enter || event->type() == QEvent::Leave)) {
        // Only the underline is set; family and size keep following the window's font.
        QFont f;
        if (event->type() == QEvent::Enter)
            f.setUnderline(true);
        label->setFont(f);
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == Label_Internet || watched == Image_ProduktLogo) {
            OpenWebSite();
            return true;
        }
        if (watched == Label_EMail) {
            SendSupportMail(MainWindowCaption());
            return true;
        }
        if (watched == Image_Eurovent) {
            OpenUrl(QUrl(QString::fromUtf8(Maker::EuroventDirectoryUrl)));
            return true;
        }
        if (watched == Image_AHRI) {
            OpenUrl(QUrl(QString::fromUtf8(Maker::AhriDirectoryUrl)));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFormInfo::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ApplyTexts();
    QDialog::changeEvent(event);
}

void ShowSplash(int durationMs)
{
    TFormInfo splash(nullptr, true);
    splash.show();
    splash.repaint();
    QCoreApplication::processEvents();
    QEventLoop wait;
    QTimer::singleShot(durationMs, &wait, &QEventLoop::quit);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
    splash.close();
}
