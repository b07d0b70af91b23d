// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The board's module list: modules in stacking order, bottom-most first. The
// clock, the look-ups, the wire drawing and the board file all walk it in
// this order. Every change to it moves the board's version (bordversie.h).
#pragma once

#include "modules/bordversie.h"

#include <cstddef>
#include <initializer_list>
#include <utility>
#include <vector>

class TModule;

class TModuleArray {
public:
    using const_iterator = std::vector<TModule*>::const_iterator;

    TModuleArray() = default;
    TModuleArray(std::initializer_list<TModule*> lijst) : m_lijst(lijst) {}

    std::size_t size() const { return m_lijst.size(); }
    bool empty() const { return m_lijst.empty(); }
    TModule* operator[](std::size_t i) const { return m_lijst[i]; }
    TModule* at(std::size_t i) const { return m_lijst.at(i); }
    TModule* front() const { return m_lijst.front(); }
    TModule* back() const { return m_lijst.back(); }
    const_iterator begin() const { return m_lijst.begin(); }
    const_iterator end() const { return m_lijst.end(); }

    void push_back(TModule* module) {
        m_lijst.push_back(module);
        bordversie::verhoog();
    }
    // Removes position i; the others keep their order.
    void erase(std::size_t i) {
        m_lijst.erase(m_lijst.begin() + static_cast<std::ptrdiff_t>(i));
        bordversie::verhoog();
    }
    // Exchanges the modules at positions i and j.
    void wissel(std::size_t i, std::size_t j) {
        std::swap(m_lijst[i], m_lijst[j]);
        bordversie::verhoog();
    }
    void clear() {
        m_lijst.clear();
        bordversie::verhoog();
    }

    bool operator==(const TModuleArray& ander) const { return m_lijst == ander.m_lijst; }

private:
    std::vector<TModule*> m_lijst;
};
