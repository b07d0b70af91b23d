// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "app/zondergebruiker.h"

#include "app/berichten.h"
#include "app/bord.h"
#include "app/kwintelvlak.h"

ZonderGebruiker::ZonderGebruiker() {
    muisWeg();
    platform::zetGeluidUit(true);
    zetBerichtVanger([this](QMessageBox::Icon icoon, const QString&, const QString& tekst) {
        m_meldingen.push_back({icoon, tekst});
    });
}

ZonderGebruiker::~ZonderGebruiker() {
    zetBerichtVanger({});
}

void ZonderGebruiker::zetMuis(const TfKwintelvlak& form, QPoint bordPunt) {
    m_cursor.setPos(form.bord->mapToGlobal(bordPunt));
}

std::vector<ZonderGebruiker::Melding> ZonderGebruiker::neemMeldingen() {
    return std::exchange(m_meldingen, {});
}
