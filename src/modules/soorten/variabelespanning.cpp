#include "modules/soorten/variabelespanning.h"

#include "modules/aansluitingen.h"
#include "modules/regelaars.h"

#include <QFontMetrics>
#include <QLabel>
#include <algorithm>

namespace {

// The name's box is narrower than the board font's bold letters need, so
// the name is condensed just enough to fit its width rather than clipped.
void pasNaamIn(QLabel* label) {
    QFont f = label->font();
    const QStringList regels = label->text().split(QLatin1Char('\n'));
    auto breedste = [&f, &regels] {
        const QFontMetrics fm(f);
        int breedte = 0;
        for (const QString& regel : regels)
            breedte = std::max(breedte, fm.horizontalAdvance(regel));
        return breedte;
    };
    for (int rek = 99; rek >= 75 && breedste() > label->width(); --rek)
        f.setStretch(rek);
    label->setFont(f);
}

} // namespace

TVariabeleSpanningMod::TVariabeleSpanningMod(TfKwintelvlak* owner) : TModule(owner) {
    resize(192, 64);
    lNaam = maakNaamLabel(8, 18, 56, 26, QStringLiteral("Variabele\nspanning"));
    pasNaamIn(lNaam);
    // The output level in tenths of a volt: 0,0 to 5,0.
    regelaar = maakKommaRegelaar(72, 20, 0, 50, 0);
    lEenheid = maakLabel(128, 24, QStringLiteral("V"));
    uitgang = maakUitgang(160, 24, kleurparen::bron);
}
