#include "modules/soorten/pulsgenerator.h"

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

TPulsGeneratorMod::TPulsGeneratorMod(TfKwintelvlak* owner) : TModule(owner) {
    resize(192, 64);
    laatstePuls = 0;
    lNaam = maakNaamLabel(8, 18, 56, 26, QStringLiteral("Puls\ngenerator"));
    pasNaamIn(lNaam);
    // Pulses per second.
    regelaar = maakRegelaar(72, 20, 0, 10, 1);
    lEenheid = maakLabel(128, 24, QStringLiteral("Hz"));
    uitgang = maakUitgang(160, 24, kleurparen::bron);
}
