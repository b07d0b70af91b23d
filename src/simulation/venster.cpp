// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The main window's behaviour routines: the entry points by which the rest of
// the program reaches the simulation's routines.
#include "app/kwintelvlak.h"

#include "simulation/simulatie.h"

void TfKwintelvlak::drukSchakelaarProc(TDrukSchakelaarMod* m) {
    m_simulatie->drukSchakelaarProc(m);
}
void TfKwintelvlak::pulsGeneratorProc(TPulsGeneratorMod* m) {
    m_simulatie->pulsGeneratorProc(m);
}
void TfKwintelvlak::variabeleSpanningProc(TVariabeleSpanningMod* m) {
    m_simulatie->variabeleSpanningProc(m);
}
void TfKwintelvlak::sensorProc(TSensorMod* m) {
    m_simulatie->sensorProc(m);
}
void TfKwintelvlak::geluidSensorProc(TGeluidSensorMod* m) {
    m_simulatie->geluidSensorProc(m);
}
void TfKwintelvlak::adOmzetterProc(TADOmzetterMod* m, int ingang, quint8 niveau) {
    m_simulatie->adOmzetterProc(m, ingang, niveau);
}
void TfKwintelvlak::comparatorProc(TComparatorMod* m, int ingang, quint8 niveau) {
    m_simulatie->comparatorProc(m, ingang, niveau);
}
void TfKwintelvlak::enPoortProc(TENPoortMod* m, int ingang, quint8 niveau) {
    m_simulatie->enPoortProc(m, ingang, niveau);
}
void TfKwintelvlak::ofPoortProc(TOFPoortMod* m, int ingang, quint8 niveau) {
    m_simulatie->ofPoortProc(m, ingang, niveau);
}
void TfKwintelvlak::invertorProc(TInvertorMod* m, int ingang, quint8 niveau) {
    m_simulatie->invertorProc(m, ingang, niveau);
}
void TfKwintelvlak::geheugenCelProc(TGeheugenCelMod* m, int ingang, quint8 niveau) {
    m_simulatie->geheugenCelProc(m, ingang, niveau);
}
void TfKwintelvlak::splitProc(TSplitMod* m, int ingang, quint8 niveau) {
    m_simulatie->splitProc(m, ingang, niveau);
}
void TfKwintelvlak::pulsenTellerProc(TPulsenTellerMod* m, int ingang, quint8 niveau) {
    m_simulatie->pulsenTellerProc(m, ingang, niveau);
}
void TfKwintelvlak::transistorProc(TTransistorMod* m, int ingang, quint8 niveau) {
    m_simulatie->transistorProc(m, ingang, niveau);
}
void TfKwintelvlak::relaisProc(TRelaisMod* m, int ingang, quint8 niveau) {
    m_simulatie->relaisProc(m, ingang, niveau);
}
void TfKwintelvlak::ledProc(TLEDMod* m, int ingang, quint8 niveau) {
    m_simulatie->ledProc(m, ingang, niveau);
}
void TfKwintelvlak::zoemerProc(TZoemerMod* m, int ingang, quint8 niveau) {
    m_simulatie->zoemerProc(m, ingang, niveau);
}
