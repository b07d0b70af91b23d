// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The simulation's own state and work: the hold on the clock, the tick, the
// dispatch of levels to modules, every kind's behaviour routine and the
// look-up index they use. The main window owns one and its methods of the
// same names forward here.
#pragma once

#include "plugins/kwintel_plugin.h"
#include "simulation/zoekindex.h"

#include <QtGlobal>

class QWidget;
class TfKwintelvlak;
class TModule;
class TUitgang;
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

class TSimulatie {
public:
    explicit TSimulatie(TfKwintelvlak& form);

    // ---- The hold on the clock ---------------------------------------------------
    void stopTijdklok();
    void startTijdklok();
    int klokStopTeller() const { return m_klokStopTeller; }

    // ---- Tick and dispatch ---------------------------------------------------------
    // One tick: 18 passes over the module list, one class per pass.
    void tik();
    void moduleActie(TModule* module, int ingang, quint8 niveau);

    // A send never nests deeper than this: a ring of modules that send while
    // receiving is cut here instead of overflowing the stack.
    static constexpr int kMaxZendDiepte = 32;
    // How many sends were dropped at that bound (for tests).
    int afgekapteZendingen() const { return m_afgekapt; }

    // ---- Look-ups --------------------------------------------------------------------
    TModule* zoekModule(int soort, int nummer) { return m_index.module(soort, nummer).module; }
    TUitgang* zoekUitgangBijIngang(const TModule* module, int ingang);
    simulatie::TZoekIndex& index() { return m_index; }

    // ---- Behaviour of the input and logic kinds --------------------------------------
    void drukSchakelaarProc(TDrukSchakelaarMod* m);
    void pulsGeneratorProc(TPulsGeneratorMod* m);
    void variabeleSpanningProc(TVariabeleSpanningMod* m);
    void sensorProc(TSensorMod* m);
    void geluidSensorProc(TGeluidSensorMod* m);
    void adOmzetterProc(TADOmzetterMod* m, int ingang, quint8 niveau);
    void comparatorProc(TComparatorMod* m, int ingang, quint8 niveau);
    void enPoortProc(TENPoortMod* m, int ingang, quint8 niveau);
    void ofPoortProc(TOFPoortMod* m, int ingang, quint8 niveau);
    void invertorProc(TInvertorMod* m, int ingang, quint8 niveau);
    void geheugenCelProc(TGeheugenCelMod* m, int ingang, quint8 niveau);
    void splitProc(TSplitMod* m, int ingang, quint8 niveau);

    // ---- Behaviour of the counter and output kinds ----------------------------------
    void pulsenTellerProc(TPulsenTellerMod* m, int ingang, quint8 niveau);
    void transistorProc(TTransistorMod* m, int ingang, quint8 niveau);
    void relaisProc(TRelaisMod* m, int ingang, quint8 niveau);
    void ledProc(TLEDMod* m, int ingang, quint8 niveau);
    void zoemerProc(TZoemerMod* m, int ingang, quint8 niveau);

    // ---- Behaviour of plug-in modules (plugins/zwenkelgedrag.cpp) -------------------
    void zwenkelProc(TZwenkelMod* m, int ingang, quint8 niveau);
    // A plug-in module sends on all its outputs as soon as a level arrives,
    // so each arrival may start up to ten more. Besides the bound on depth,
    // the arrivals that one outermost arrival sets off are bounded too; those
    // beyond are dropped and counted with the cut sends.
    static constexpr int kMaxZwenkelAankomsten = 1024;

private:
    // Calls the routine of a module whose class is known.
    void roep(TModule* module, simulatie::Klasse klasse, int ingang, quint8 niveau);
    // Sends a level on an output: paints the output by the level, then
    // delivers it to the input the wire names.
    void zend(TUitgang* uitgang, quint8 niveau);
    // Delivers a level to an input of a module (with its record, if known).
    void lever(TModule* module, simulatie::Klasse klasse, const simulatie::Knoop* knoop, int ingang,
               quint8 niveau);
    // Whether some output's wire ends at input k of the module.
    bool gevoed(const TModule* module, int ingang);

    // The record of the module that the tick or a send is running, so its
    // routine finds its fed inputs and its outputs' destinations without a
    // look-up. Used only while the index has not been rebuilt since.
    bool snel(const TModule* module) const {
        return m_knoop && m_knoopBouw == m_index.bouwteller() && m_index.actueel() &&
               m_knoop->module == module;
    }

    TfKwintelvlak& m_form;
    simulatie::TZoekIndex m_index;
    const simulatie::Knoop* m_knoop = nullptr;
    std::uint64_t m_knoopBouw = 0;
    int m_klokStopTeller = 0;
    int m_zendDiepte = 0;
    int m_afgekapt = 0;
    // Plug-in modules: the samples handed to the library, how deep arrivals
    // are nested now, and how many more the outermost one may set off.
    TSignaalBuffer m_zwenkelBuffer{};
    int m_zwenkelKetting = 0;
    int m_zwenkelBudget = 0;
};
