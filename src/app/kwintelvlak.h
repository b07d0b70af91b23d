// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The main window: the board, its menus, the module catalogue and the board's
// module list. Its operations are defined in the files of the subsystems they
// belong to (catalogue and menus in app/, the clock in simulation/, wires and
// dragging in editing/, clearing and files in boardfile/).
#pragma once

#include "app/modulelijst.h"
#include "app/modulesoort.h"
#include "platform/slepen.h"

#include <QByteArray>
#include <QImage>
#include <QMainWindow>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <memory>
#include <vector>

class QAction;
class QFileDialog;
class QLabel;
class QMenu;
class QScrollArea;
class TAfbeelding;
class TAudioIn;
class TBord;
class TConnector;
class TDraadLaag;
class TGeschiedenis;
class TModule;
class TIngang;
class TUitgang;
class TSchakelaar;
class TSimulatie;
class TADOmzetterMod;
class TComparatorMod;
class TDrukSchakelaarMod;
class TENPoortMod;
class TGeheugenCelMod;
class TGeluidSensorMod;
class TInvertorMod;
class TLEDMod;
class TOFPoortMod;
class TPulsenTellerMod;
class TPulsGeneratorMod;
class TRelaisMod;
class TSensorMod;
class TSplitMod;
class TTransistorMod;
class TVariabeleSpanningMod;
class TZoemerMod;
class TZwenkelMod;
namespace platform {
class Timer;
}

// Simulation state shared by the whole program, one instance each.
extern bool klokGestopt;      // true while the clock is held
extern bool piepActief;       // the speaker tone is on
extern bool isNT;             // the platform is of the NT family
extern int geluidNiveau;      // peak of the last recorded sound buffer
extern bool audioBeschikbaar; // wave input was opened and started
inline constexpr int bitWaarden[10] = {1, 2, 4, 8, 16, 32, 64, 128, 256, 512};

// No rectangle shown / parking number while two modules swap numbers.
inline constexpr int GEEN = 2147483647;

class TfKwintelvlak : public QMainWindow {
    Q_OBJECT
public:
    // Building the window runs the whole start-up (FormCreate).
    explicit TfKwintelvlak(QWidget* parent = nullptr);
    ~TfKwintelvlak() override;

    // ---- Components --------------------------------------------------------
    QScrollArea* scrollBox = nullptr; // the board's scroll area
    TBord* bord = nullptr;            // the board itself: parent of modules and logo
    QWidget* pKwintelvlak = nullptr;  // logo panel
    QLabel* lKwintelvlak = nullptr;
    TAfbeelding* iKwintelvlak = nullptr;
    QMenu* pmContext = nullptr;
    QAction* miContextVerwijderen = nullptr;
    platform::Timer* tActie = nullptr; // the simulation clock, 10 ms
    TAudioIn* aiAudio = nullptr;       // wave input: the sound sensor's microphone

    // Artwork that module kinds copy onto their panels.
    QImage iComparator, iPulsenTeller, iOfPoort, iENPoort, iGeheugenCel, iInvertor, iTransistor,
        iRelais2, iRelais, iZoemer;

    // Menus and menu items.
    QMenu *miBestand = nullptr, *miInvoer = nullptr, *miVerwerking = nullptr, *miUitvoer = nullptr,
          *miZwenkel = nullptr, *miOpties = nullptr, *miHelp = nullptr;
    QAction *miNieuw = nullptr, *miNieuwStandaardBord1 = nullptr, *miNieuwstandaardbord2 = nullptr,
            *miOpenen = nullptr, *miOpslaanAls = nullptr, *miAfsluiten = nullptr,
            *miVernieuwen = nullptr;
    QAction *miSensor = nullptr, *miGeluidSensor = nullptr, *miDrukSchakelaar = nullptr,
            *miVariabeleSpanning = nullptr, *miPulsGenerator = nullptr, *miADOmzetter = nullptr;
    QAction *miTransistor = nullptr, *miComparator = nullptr, *miENPoort = nullptr,
            *miOFPoort = nullptr, *miGeheugencel = nullptr, *miInvertor = nullptr,
            *miInvertorKlein = nullptr, *miPulsenteller = nullptr;
    QAction *miLED = nullptr, *miZoemer = nullptr, *miRelais = nullptr, *miSplit = nullptr;
    QAction *miTellerLatenDoorlopen = nullptr, *miLogoWeergeven = nullptr;
    QAction *miHelpOnderwerpen = nullptr, *miInfo = nullptr;
    QMenu* miBewerken = nullptr;
    QAction *miOngedaanMaken = nullptr, *miOpnieuw = nullptr;

    // ---- Board state -------------------------------------------------------
    std::vector<std::unique_ptr<TModuleSoort>> moduleSoorten; // the catalogue
    TModuleArray modules;                                     // bottom-most first
    TModule* contextModule = nullptr;
    // The drag rectangle in board coordinates (right and bottom exclusive);
    // all four coordinates GEEN while none is shown.
    QRect focusRect;
    QPoint grijpPunt;
    // The layer over the board that shows the wires and the drag rectangle.
    TDraadLaag* draadLaag = nullptr;

    // ---- Catalogue and module list (app/catalogus.cpp) ----------------------
    TModule* maakModule(PModuleSoort entry, int top, int left);
    // Numbers a newly built module, places it on the board and appends it to
    // the module list.
    void plaatsModule(TModule* module, PModuleSoort entry, int top, int left);
    TModule* zoekModule(int soort, int nummer) const;
    int zoekModuleAantal(int soort) const;
    int zoekModuleIndex(const TModule* module) const;
    PModuleSoort zoekLoadedModule(int soort, const char* naam, bool variant) const;
    void moduleVerwijderen(TModule* module);

    // ---- Shell (app/) ---------------------------------------------------------
    void miModuleClick(QAction* sender);
    void miNieuwClick();
    void miAfsluitenClick();
    void miVernieuwenClick();
    void miLogoWeergevenClick();
    void miContextVerwijderenClick();
    void miHelpOnderwerpenClick();
    void miInfoClick();
    // The directory of the program file, with a trailing separator.
    static QString programmaMap();

    // ---- Simulation (simulation/); the work is done by TSimulatie --------------
    void stopTijdklok();
    void startTijdklok();
    // The depth of nested holds on the clock.
    int klokStopTeller() const;
    // The clock's tick handler.
    void tActieTimer();
    void moduleActie(TModule* module, int ingang, quint8 niveau);
    TUitgang* zoekUitgangBijIngang(const TModule* module, int ingang) const;
    int zoekModuleUitgangen(const TModule* module, TUitgang* lijst[10]) const;
    TIngang* zoekModuleIngang(int soort, int nummer, int ingang) const;
    // Repaints a control and everything in it at once (the window itself
    // excepted), so that wires drawn afterwards lie on top.
    void fullRepaint(QWidget* control);
    // The wave input's buffer is full: its peak becomes geluidNiveau. Always
    // true: record on.
    bool aiAudioBufferFilled(const qint16* buffer, int& grootte);
    // Makes aiAudio and starts recording (audio/microfoon.cpp).
    void startGeluidsInvoer();
    // Recording stopped on its own (the sound server went away) or could
    // not start: try again every second once the driver says it can work.
    void wachtOpGeluidsInvoer();
    void probeerGeluidsInvoer();
    // The microphone is heard only while a sound sensor is on the board.
    void geluidSensorenBijwerken();
    platform::Timer* tGeluidsInvoer = nullptr; // runs only while not recording
    TSimulatie& simulatie() const { return *m_simulatie; }
    // The edit history behind "Ongedaan maken" and "Opnieuw" (editing/).
    TGeschiedenis& geschiedenis() const { return *m_geschiedenis; }

    void drukSchakelaarProc(TDrukSchakelaarMod* module);
    void pulsGeneratorProc(TPulsGeneratorMod* module);
    void variabeleSpanningProc(TVariabeleSpanningMod* module);
    void sensorProc(TSensorMod* module);
    void geluidSensorProc(TGeluidSensorMod* module);
    void adOmzetterProc(TADOmzetterMod* module, int ingang, quint8 niveau);
    void comparatorProc(TComparatorMod* module, int ingang, quint8 niveau);
    void enPoortProc(TENPoortMod* module, int ingang, quint8 niveau);
    void ofPoortProc(TOFPoortMod* module, int ingang, quint8 niveau);
    void invertorProc(TInvertorMod* module, int ingang, quint8 niveau);
    void geheugenCelProc(TGeheugenCelMod* module, int ingang, quint8 niveau);
    void splitProc(TSplitMod* module, int ingang, quint8 niveau);
    void pulsenTellerProc(TPulsenTellerMod* module, int ingang, quint8 niveau);
    void transistorProc(TTransistorMod* module, int ingang, quint8 niveau);
    void relaisProc(TRelaisMod* module, int ingang, quint8 niveau);
    void ledProc(TLEDMod* module, int ingang, quint8 niveau);
    void zoemerProc(TZoemerMod* module, int ingang, quint8 niveau);
    void zwenkelProc(TZwenkelMod* module, int ingang, quint8 niveau);

    // ---- Plug-in libraries (plugins/) -------------------------------------------
    // Loads every library in the plug-in folders (platform::zwenkelMappen)
    // that answers "init" correctly, giving each a catalogue entry and an
    // item under "Zwenkel"; of libraries with one file name only the first.
    void ontdekZwenkels();
    // One line for each library discovery did not load: its path and why.
    // Each is also written to standard error.
    QStringList zwenkelWeigeringen;
    // Releases the libraries; the board must be empty.
    void zwenkelsVrijgeven();

    // ---- The speaker's ports (audio/) ------------------------------------------
    quint8 getPort(quint16 poort);
    void setPort(quint16 poort, int waarde);
    void startBeep(quint16 frequentie);
    void stopBeep();

    // ---- Moving modules (editing/slepen.cpp) -----------------------------------
    // Starts dragging a module at once, from startPos (screen coordinates);
    // grijpPunt is where inside the module it was taken.
    void beginModuleSlepen(TModule* module, QPoint startPos);
    void moduleStartDrag(TModule* sender);
    // target: the control that took the drop, or null.
    void moduleEndDrag(TModule* sender, QWidget* target, QPoint pos);
    // The board's drag-over and drop handlers; pos is in sender's coordinates.
    bool FormDragOver(QWidget* sender, QObject* source, QPoint pos, platform::SleepToestand state);
    void FormDragDrop(QWidget* sender, QObject* source, QPoint pos);
    void paintFocusRect(const QRect& r);
    void clearFocusRect();
    // Gives a control the board's drag-over and drop handlers.
    void maakBordSleepDoel(QWidget* w);

    // ---- Wiring (editing/bedrading.cpp) ----------------------------------------
    void verwijderVerbindingMetModule(const TModule* module);
    void vervangVerbindingMetModule(const TModule* module, int nieuwNummer);
    void beginConnectorSlepen(TConnector* klem, QPoint startPos);
    bool connectorDragOver(QWidget* sender, QObject* source, QPoint pos,
                           platform::SleepToestand state);
    void connectorEndDrag(TConnector* sender, QWidget* target, QPoint pos);
    void connectorMouseUp(TConnector* sender, Qt::MouseButton button);
    // Gives a terminal its drag handlers.
    void maakConnectorSleepDoel(TConnector* klem);
    void tekenLijnen();

    // ---- The push key (modules/schakelaar.cpp) ---------------------------------
    void sSchakelaarMouseDown(TSchakelaar* sender, Qt::MouseButton button);
    void sSchakelaarMouseUp(TSchakelaar* sender, Qt::MouseButton button);

    // ---- Board commands (boardfile/) ------------------------------------------
    void nieuw();
    // Clears the board and builds the board a file describes. A file that
    // cannot be read is reported and leaves the board empty (false).
    bool openen(const QString& bestandsNaam);
    // The same from a board file's text; naam names the file in messages.
    // omschrijving, when given, names the board there instead ("het
    // teruggehaalde bord (...)"), for a board whose file is none of the
    // user's own.
    void openenUitTekst(QByteArrayView tekst, const QString& naam,
                        const QString& omschrijving = {});
    // Writes the board to a file. The old file is replaced only once the new
    // one is complete; a failure is reported and gives false.
    bool opslaan(const QString& bestandsNaam);
    // The text that opslaan writes.
    QByteArray bordTekst() const;
    void miNieuwStandaardBord1Click();
    void miNieuwstandaardbord2Click();
    void miOpenenClick();
    void miOpslaanAlsClick();
    // The file dialogs; made the first time they are needed.
    QFileDialog* odLoad = nullptr;
    QFileDialog* sdSave = nullptr;

    // The module kinds' menu items, for enabling and for tests.
    QAction* menuItemVoor(PModuleSoort entry) const;

signals:
    // Emitted after the board changed (module placed, removed, cleared).
    void bordGewijzigd();

private:
    void formCreate();
    void formDestroy();
    void bouwMenus();
    void bouwLogo();
    void bouwCatalogus();
    void laadLogoBitmap();
    // sender's position pos in board coordinates.
    QPoint naarBord(QWidget* sender, QPoint pos) const;
    void openStandaardBordBijStart();
    void maakBestandsDialogen();
    bool m_vernietigd = false;
    // The module taken from a menu whose first drag has not ended yet.
    QPointer<TModule> m_nieuweModule;
    std::unique_ptr<TSimulatie> m_simulatie;
    std::unique_ptr<TGeschiedenis> m_geschiedenis;
};

// Holds the simulation clock for the lifetime of the object, so that every
// way out of a board change, an exception included, releases it again.
class KlokHouder {
public:
    explicit KlokHouder(TfKwintelvlak* form) : m_form(form) { m_form->stopTijdklok(); }
    ~KlokHouder() { m_form->startTijdklok(); }
    KlokHouder(const KlokHouder&) = delete;
    KlokHouder& operator=(const KlokHouder&) = delete;

private:
    TfKwintelvlak* m_form;
};
