// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Start-up, shutdown, the menus and the small menu commands of the main window.
#include "app/kwintelvlak.h"

#include "app/berichten.h"
#include "app/bord.h"
#include "app/helpvenster.h"
#include "audio/audioio.h"
#include "editing/draadlaag.h"
#include "editing/geschiedenis.h"
#include "modules/module.h"
#include "modules/onderdelen.h"
#include "modules/tekeningen.h"
#include "platform/helpviewer.h"
#include "platform/platform.h"
#include "platform/slepen.h"
#include "platform/toon.h"
#include "simulation/simulatie.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollArea>

namespace {
constexpr int kClientBreedte = 720;
constexpr QPoint kVensterPlek(86, 44); // the outer top-left corner, frame included

// The logo panel can be taken hold of and dragged, but the board takes only
// modules, so it never moves.
class TLogoPaneel : public QFrame {
public:
    using QFrame::QFrame;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        e->accept();
        if (e->button() == Qt::LeftButton)
            platform::beginSlepen(this, e->globalPosition().toPoint(), nullptr, nullptr);
    }
};
constexpr int kClientHoogte = 576;

// One number format for the whole process: a comma separates the decimals,
// and group separators are neither written nor accepted.
void stelDecimaalKommaIn() {
    QLocale nl(QLocale::Dutch, QLocale::Netherlands);
    nl.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    QLocale::setDefault(nl);
}
} // namespace

TfKwintelvlak::TfKwintelvlak(QWidget* parent) : QMainWindow(parent) {
    formCreate();
}

TfKwintelvlak::~TfKwintelvlak() {
    formDestroy();
}

QString TfKwintelvlak::programmaMap() {
    QString map = QCoreApplication::applicationDirPath();
    if (!map.endsWith(QLatin1Char('/')))
        map += QLatin1Char('/');
    return map;
}

void TfKwintelvlak::formCreate() {
    setWindowTitle(QStringLiteral("Kwintelvlak"));
    // The font of every control on the board: the platform's sans-serif at
    // 11 pixels, so measured module geometry stays as designed.
    QFont f;
    f.setFamilies(platform::schreefloosLettertype());
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(11);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kleuren::knopVlak);
    pal.setColor(QPalette::Button, kleuren::knopVlak);
    pal.setColor(QPalette::Light, kleuren::knopLicht);
    pal.setColor(QPalette::Dark, kleuren::knopSchaduw);
    pal.setColor(QPalette::Mid, kleuren::knopSchaduw);
    setPalette(pal);

    // 1.
    contextModule = nullptr;
    m_simulatie = std::make_unique<TSimulatie>(*this); // no hold on the clock
    focusRect = QRect(QPoint(GEEN, GEEN), QPoint(GEEN, GEEN));
    grijpPunt = QPoint(0, 0);
    // 2.
    stelDecimaalKommaIn();
    // 3.
    isNT = platform::isNTFamily();
    // 4.
    startGeluidsInvoer();

    scrollBox = new QScrollArea(this);
    scrollBox->setFrameShape(QFrame::NoFrame);
    scrollBox->setWidgetResizable(true);
    bord = new TBord;
    scrollBox->setWidget(bord);
    setCentralWidget(scrollBox);
    draadLaag = new TDraadLaag(this, scrollBox);
    // Modules dropped on the board, or on the part of the view it does not
    // cover, land on the board.
    maakBordSleepDoel(bord);
    maakBordSleepDoel(scrollBox->viewport());
    bouwMenus();
    m_geschiedenis = std::make_unique<TGeschiedenis>(*this);

    // 5. The client area under the menu bar is 720 x 576.
    // The menu bar's height at the window's width, as the window's layout
    // will give it (a font may make it a pixel taller than its size hint).
    resize(kClientBreedte, kClientHoogte + menuBar()->heightForWidth(kClientBreedte));
    move(kVensterPlek);

    // The artwork the module kinds copy onto their panels.
    iComparator = tekeningen::comparator();
    iPulsenTeller = tekeningen::pulsenTeller();
    iOfPoort = tekeningen::ofPoort();
    iENPoort = tekeningen::enPoort();
    iGeheugenCel = tekeningen::geheugenCel();
    iInvertor = tekeningen::invertor();
    iTransistor = tekeningen::transistor();
    iRelais2 = tekeningen::relais2();
    iRelais = tekeningen::relais();
    iZoemer = tekeningen::zoemer();

    // 7.
    bouwCatalogus();
    // 8.
    ontdekZwenkels();
    // 9. and 10.
    bouwLogo();
    laadLogoBitmap();
    // 11.
    openStandaardBordBijStart();
    // 12.
    miVernieuwenClick();
    // 13. The last step: from here on the simulation runs.
    tActie = new platform::Timer(this);
    tActie->setInterval(10);
    tActie->setPrecise(true);
    connect(tActie, &platform::Timer::timeout, this, &TfKwintelvlak::tActieTimer);
    tActie->start();
}

void TfKwintelvlak::formDestroy() {
    if (m_vernietigd)
        return;
    m_vernietigd = true;
    platform::annuleerSlepen();
    if (tActie)
        tActie->stop();
    nieuw();
    if (piepActief)
        stopBeep();
    if (audioBeschikbaar)
        aiAudio->HaltCapture();
    // The sound server's connection is closed while the application still
    // exists, in the order that leaves its thread nothing to run into.
    platform::toonAfsluiten();
    // The system's help viewer shows nothing of a program that has gone.
    platform::sluitSysteemHelp();
    // The plug-in libraries, and then the catalogue: every module referred
    // to its entry.
    zwenkelsVrijgeven();
    moduleSoorten.clear();
}

void TfKwintelvlak::bouwMenus() {
    QMenuBar* mb = menuBar();
    auto item = [this](QMenu* menu, const QString& tekst, auto slot) {
        QAction* a = menu->addAction(tekst);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    auto module = [this](QMenu* menu, const QString& tekst) {
        QAction* a = menu->addAction(tekst);
        connect(a, &QAction::triggered, this, [this, a] { miModuleClick(a); });
        return a;
    };

    miBestand = mb->addMenu(QStringLiteral("&Bestand"));
    miNieuw = item(miBestand, QStringLiteral("&Nieuw"), &TfKwintelvlak::miNieuwClick);
    miNieuw->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    miNieuwStandaardBord1 = item(miBestand, QStringLiteral("Nieuw &standaardbord (1)"),
                                 &TfKwintelvlak::miNieuwStandaardBord1Click);
    miNieuwstandaardbord2 = item(miBestand, QStringLiteral("Nieuw standaardbord (2)"),
                                 &TfKwintelvlak::miNieuwstandaardbord2Click);
    miOpenen = item(miBestand, QStringLiteral("&Openen..."), &TfKwintelvlak::miOpenenClick);
    miOpenen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    miOpslaanAls =
        item(miBestand, QStringLiteral("Ops&laan als..."), &TfKwintelvlak::miOpslaanAlsClick);
    miOpslaanAls->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    miBestand->addSeparator();
    miAfsluiten = item(miBestand, QStringLiteral("&Afsluiten"), &TfKwintelvlak::miAfsluitenClick);

    // The edit history connects these items and names the step they would
    // undo or redo.
    miBewerken = mb->addMenu(QStringLiteral("Be&werken"));
    miOngedaanMaken = miBewerken->addAction(QStringLiteral("&Ongedaan maken"));
    miOngedaanMaken->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    miOpnieuw = miBewerken->addAction(QStringLiteral("Opnie&uw"));
    miOpnieuw->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});

    miVernieuwen = mb->addAction(QStringLiteral("&Vernieuwen"));
    connect(miVernieuwen, &QAction::triggered, this, &TfKwintelvlak::miVernieuwenClick);

    miInvoer = mb->addMenu(QStringLiteral("&Invoer"));
    miSensor = module(miInvoer, QStringLiteral("&Sensor"));
    miGeluidSensor = module(miInvoer, QStringLiteral("&Geluid sensor"));
    miDrukSchakelaar = module(miInvoer, QStringLiteral("&Drukschakelaar"));
    miVariabeleSpanning = module(miInvoer, QStringLiteral("&Variabele spanning"));
    miPulsGenerator = module(miInvoer, QStringLiteral("&Puls generator"));
    miADOmzetter = module(miInvoer, QStringLiteral("AD-Omzetter"));

    miVerwerking = mb->addMenu(QStringLiteral("&Verwerking"));
    miTransistor = module(miVerwerking, QStringLiteral("&Transistor"));
    miComparator = module(miVerwerking, QStringLiteral("&Comparator"));
    miENPoort = module(miVerwerking, QStringLiteral("&EN-Poort"));
    miOFPoort = module(miVerwerking, QStringLiteral("&OF-Poort"));
    miGeheugencel = module(miVerwerking, QStringLiteral("&Geheugencel"));
    miInvertor = module(miVerwerking, QStringLiteral("&Invertor"));
    miInvertorKlein = module(miVerwerking, QStringLiteral("I&nvertor (klein)"));
    miPulsenteller = module(miVerwerking, QStringLiteral("&Pulsenteller"));

    miUitvoer = mb->addMenu(QStringLiteral("&Uitvoer"));
    miLED = module(miUitvoer, QStringLiteral("&LED"));
    miZoemer = module(miUitvoer, QStringLiteral("&Zoemer"));
    miRelais = module(miUitvoer, QStringLiteral("&Relais"));

    // Filled with plug-in modules at start-up; hidden while it has none.
    miZwenkel = mb->addMenu(QStringLiteral("Zwenkel"));
    miZwenkel->menuAction()->setVisible(false);

    miSplit = mb->addAction(QStringLiteral("&Split"));
    connect(miSplit, &QAction::triggered, this, [this] { miModuleClick(miSplit); });

    miOpties = mb->addMenu(QStringLiteral("&Opties"));
    // A checkable item toggles its own check mark; the counter and the board
    // files read it.
    miTellerLatenDoorlopen = miOpties->addAction(QStringLiteral("&Teller laten doorlopen t/m F"));
    miTellerLatenDoorlopen->setCheckable(true);
    miTellerLatenDoorlopen->setChecked(true);
    miLogoWeergeven =
        item(miOpties, QStringLiteral("&Logo weergeven"), &TfKwintelvlak::miLogoWeergevenClick);
    miLogoWeergeven->setCheckable(true);
    miLogoWeergeven->setChecked(false);

    miHelp = mb->addMenu(QStringLiteral("&Help"));
    miHelpOnderwerpen =
        item(miHelp, QStringLiteral("Help-&onderwerpen"), &TfKwintelvlak::miHelpOnderwerpenClick);
    miHelpOnderwerpen->setShortcut(QKeySequence(Qt::Key_F1));
    miHelp->addSeparator();
    miInfo = item(miHelp, QStringLiteral("&Info..."), &TfKwintelvlak::miInfoClick);

    pmContext = new QMenu(this);
    miContextVerwijderen = pmContext->addAction(QStringLiteral("&Verwijderen"));
    connect(miContextVerwijderen, &QAction::triggered, this,
            &TfKwintelvlak::miContextVerwijderenClick);
}

void TfKwintelvlak::bouwLogo() {
    auto* paneel = new TLogoPaneel(bord);
    paneel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    paneel->setLineWidth(1);
    paneel->setGeometry(528, 512, 192, 64);
    pKwintelvlak = paneel;

    iKwintelvlak = new TAfbeelding(paneel);
    iKwintelvlak->setGeometry(0, 0, 192, 64);
    iKwintelvlak->setCenter(true);
    iKwintelvlak->setTransparent(true);

    lKwintelvlak = new QLabel(QStringLiteral("KWINTELVLAK"), paneel);
    lKwintelvlak->setGeometry(2, 18, 188, 28);
    lKwintelvlak->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont groot = lKwintelvlak->font();
    groot.setPixelSize(24);
    lKwintelvlak->setFont(groot);

    // A press anywhere on the logo takes hold of the panel; a module dropped
    // on it lands on the board.
    iKwintelvlak->setAttribute(Qt::WA_TransparentForMouseEvents);
    lKwintelvlak->setAttribute(Qt::WA_TransparentForMouseEvents);
    maakBordSleepDoel(pKwintelvlak);

    pKwintelvlak->setVisible(miLogoWeergeven->isChecked());
}

void TfKwintelvlak::laadLogoBitmap() {
    // The logo bitmap is named like the program, with ".bmp" for its extension.
    const QFileInfo programma(QCoreApplication::applicationFilePath());
    const QString pad = programma.absolutePath() + QLatin1Char('/') + programma.completeBaseName() +
                        QStringLiteral(".bmp");
    if (!QFileInfo::exists(pad))
        return;
    QImage beeld(pad, "BMP");
    if (beeld.isNull())
        return; // an unreadable bitmap leaves the text in place
    lKwintelvlak->hide();
    iKwintelvlak->setPicture(beeld);
}

void TfKwintelvlak::miNieuwClick() {
    const QByteArray voor = bordTekst();
    nieuw();
    m_geschiedenis->bordVervangen(voor, QStringLiteral("nieuw bord"));
    miVernieuwenClick();
}

void TfKwintelvlak::miAfsluitenClick() {
    close();
}

void TfKwintelvlak::miVernieuwenClick() {
    // The window and every control on it are repainted at once, the wires
    // drawn again over them.
    bord->pasGrootteAan();
    tekenLijnen();
    repaint();
}

void TfKwintelvlak::miLogoWeergevenClick() {
    pKwintelvlak->setVisible(miLogoWeergeven->isChecked());
}

void TfKwintelvlak::miContextVerwijderenClick() {
    if (contextModule)
        m_geschiedenis->verwijder(contextModule);
    contextModule = nullptr;
    miVernieuwenClick();
}

void TfKwintelvlak::miHelpOnderwerpenClick() {
    // The system's help viewer shows the help file where there is one;
    // elsewhere our own help window reads it. A missing file is reported by
    // our own window, a damaged one there too.
    const QString pad = programmaMap() + QStringLiteral("kwintel.chm");
    if (QFileInfo::exists(pad) &&
        platform::toonSysteemHelp(this, pad) == platform::SysteemHelp::Getoond)
        return;
    toonHelp(this, pad);
}

void TfKwintelvlak::miInfoClick() {
    toonBericht(nullptr, QMessageBox::Information, QStringLiteral("Informatie"),
                QStringLiteral("Kwintelvlak simulatie  V1.50\n"
                               "Gemaakt door het Kwintelvlak-ontwikkelteam, 2026\n"
                               "\n"
                               "https://kwintelvlak.example.org\n"
                               "info@kwintelvlak.example.org"));
}
