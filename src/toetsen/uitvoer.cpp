// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// What a check run gives: TAP or JSON on standard output, the grade sheet and
// the class report as files, and the run itself from the command line.
#include "toetsen/toetsen.h"

#include "app/kwintelvlak.h"
#include "app/opdrachtregel.h"
#include "app/zondergebruiker.h"
#include "toetsen/verslag.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QTextStream>
#include <optional>

namespace toetsen {

namespace {

struct Telling {
    int geslaagd = 0, gezakt = 0, onleesbaar = 0;
};
Telling tel(const std::vector<BordUitslag>& uitslagen) {
    Telling t;
    for (const BordUitslag& u : uitslagen) {
        if (!u.leesbaar)
            ++t.onleesbaar;
        else if (u.geslaagd())
            ++t.geslaagd;
        else
            ++t.gezakt;
    }
    return t;
}

QString toewijzingTekst(const Toewijzing& t) {
    return t.bord.isEmpty()
               ? t.toets + QStringLiteral(" = geen module op het bord")
               : t.toets + QStringLiteral(" = ") + t.bord + QStringLiteral(" op het bord");
}

QString begrensdTekst(int grens) {
    return QStringLiteral("meer dan %1 nummeringen mogelijk: alleen de eigen nummering van "
                          "het bord is geprobeerd")
        .arg(grens);
}

} // namespace

QString samenvatting(const std::vector<BordUitslag>& uitslagen) {
    const Telling t = tel(uitslagen);
    return QStringLiteral("%1 van %2 borden geslaagd, %3 gezakt, %4 onleesbaar")
        .arg(t.geslaagd)
        .arg(uitslagen.size())
        .arg(t.gezakt)
        .arg(t.onleesbaar);
}

QString tapTekst(const QString& tekst) {
    QString uit;
    const QString zicht =
        toetsbestand::zichtbaar(QString(tekst)
                                    .replace(QLatin1Char('\n'), QLatin1Char(' '))
                                    .replace(QLatin1Char('\r'), QLatin1Char(' ')));
    uit.reserve(zicht.size());
    for (const QChar c : zicht) {
        if (c == u'\\' || c == u'#')
            uit += QLatin1Char('\\');
        uit += c;
    }
    return uit;
}

QString bordNaam(const BordUitslag& u) {
    return QDir::toNativeSeparators(u.bestand);
}

QStringList meldingenVan(const BordUitslag& u, int maxToewijzingen) {
    QStringList uit;
    if (!u.leesbaar)
        uit << QStringLiteral("onleesbaar: ") + u.melding;
    for (const QString& o : u.opmerkingen)
        uit << QStringLiteral("melding van het bord: ") + o;
    if (u.begrensd)
        uit << begrensdTekst(maxToewijzingen);
    for (const Toewijzing& t : u.toewijzing)
        uit << toewijzingTekst(t);
    uit << u.stappen;
    for (QString& regel : uit)
        regel = toetsbestand::zichtbaar(regel);
    return uit;
}

QString tapKop() {
    return QStringLiteral("TAP version 13\n");
}

QString tapBlok(const toetsbestand::Toets& toets, const BordUitslag& u, int nummer) {
    // One subtest per board; the board's own line says whether it passed.
    // Diagnostics are comments, so a name in them needs no escaping.
    QString uit;
    QTextStream s(&uit);
    const QString naam = bordNaam(u);
    s << "# Subtest: " << tapTekst(naam) << '\n';
    for (const QString& m : meldingenVan(u))
        s << "    # " << m << '\n';
    int k = 0;
    for (const Resultaat& r : u.resultaten)
        s << "    " << (r.ok ? "ok " : "not ok ") << ++k << " - " << tapTekst(r.tekst()) << '\n';
    s << "    1.." << k << '\n';
    if (!toets.onderdelen.empty())
        for (const OnderdeelScore& o : onderdeelScores(toets, u))
            s << "    # onderdeel " << toetsbestand::zichtbaar(o.naam) << ": " << o.behaald << '/'
              << o.totaal
              << (o.gewicht != 1 ? QStringLiteral(" (gewicht %1)").arg(o.gewicht) : QString())
              << '\n';
    if (toets.cijfer)
        s << "    # cijfer " << cijferTekst(cijfer(*toets.cijfer, gewogenScore(toets, u))) << '\n';
    s << (u.geslaagd() ? "ok " : "not ok ") << nummer << " - " << tapTekst(naam) << " ("
      << (u.leesbaar ? QStringLiteral("%1/%2").arg(u.behaald()).arg(u.totaal())
                     : QStringLiteral("onleesbaar"))
      << ")\n";
    return uit;
}

QString tapSlot(const std::vector<BordUitslag>& uitslagen) {
    return QStringLiteral("1..%1\n# %2\n").arg(uitslagen.size()).arg(samenvatting(uitslagen));
}

QString alsTap(const toetsbestand::Toets& toets, const std::vector<BordUitslag>& uitslagen) {
    QString uit = tapKop();
    int n = 0;
    for (const BordUitslag& u : uitslagen)
        uit += tapBlok(toets, u, ++n);
    return uit + tapSlot(uitslagen);
}

QByteArray alsJson(const toetsbestand::Toets& toets, const std::vector<BordUitslag>& uitslagen) {
    QJsonArray borden;
    for (const BordUitslag& u : uitslagen) {
        QJsonObject b;
        b[QStringLiteral("bestand")] = u.bestand;
        b[QStringLiteral("uitslag")] = u.uitslag();
        b[QStringLiteral("behaald")] = u.behaald();
        b[QStringLiteral("totaal")] = u.totaal();
        if (!u.leesbaar)
            b[QStringLiteral("melding")] = u.melding;
        b[QStringLiteral("meldingen")] = QJsonArray::fromStringList(u.opmerkingen);
        b[QStringLiteral("stappen")] = QJsonArray::fromStringList(u.stappen);
        QJsonArray toewijzing;
        for (const Toewijzing& t : u.toewijzing) {
            QJsonObject o;
            o[QStringLiteral("toets")] = t.toets;
            o[QStringLiteral("bord")] = t.bord.isEmpty() ? QJsonValue() : QJsonValue(t.bord);
            toewijzing.append(o);
        }
        b[QStringLiteral("toewijzing")] = toewijzing;
        b[QStringLiteral("eigenNummering")] = u.toewijzing.empty();
        b[QStringLiteral("alleenEigenNummering")] = u.alleenEigenNummering();
        b[QStringLiteral("begrensd")] = u.begrensd;
        b[QStringLiteral("tijdslimietBereikt")] = u.tijdOp;
        b[QStringLiteral("geprobeerd")] = u.geprobeerd;
        if (!toets.onderdelen.empty()) {
            QJsonArray onderdelen;
            for (const OnderdeelScore& o : onderdeelScores(toets, u)) {
                QJsonObject j;
                j[QStringLiteral("naam")] = o.naam;
                j[QStringLiteral("gewicht")] = o.gewicht;
                j[QStringLiteral("behaald")] = o.behaald;
                j[QStringLiteral("totaal")] = o.totaal;
                onderdelen.append(j);
            }
            b[QStringLiteral("onderdelen")] = onderdelen;
        }
        b[QStringLiteral("score")] = gewogenScore(toets, u);
        if (toets.cijfer)
            b[QStringLiteral("cijfer")] = cijfer(*toets.cijfer, gewogenScore(toets, u));
        QJsonArray resultaten;
        for (const Resultaat& r : u.resultaten) {
            QJsonObject o;
            o[QStringLiteral("ok")] = r.ok;
            o[QStringLiteral("regel")] = r.regelNummer;
            o[QStringLiteral("wat")] = r.wat;
            o[QStringLiteral("tekst")] = r.tekst();
            o[QStringLiteral("verwacht")] = r.verwacht;
            o[QStringLiteral("gezien")] = r.gezien;
            o[QStringLiteral("beoordeeld")] = r.beoordeeld;
            if (!r.commentaar.isEmpty())
                o[QStringLiteral("commentaar")] = r.commentaar;
            if (!r.ronde.isEmpty())
                o[QStringLiteral("ronde")] = r.ronde;
            if (!toets.onderdelen.empty())
                o[QStringLiteral("onderdeel")] = toets.onderdelen[std::size_t(r.onderdeel)].naam;
            resultaten.append(o);
        }
        b[QStringLiteral("resultaten")] = resultaten;
        borden.append(b);
    }
    const Telling t = tel(uitslagen);
    QJsonObject doc;
    doc[QStringLiteral("borden")] = borden;
    doc[QStringLiteral("geslaagd")] = t.geslaagd;
    doc[QStringLiteral("gezakt")] = t.gezakt;
    doc[QStringLiteral("onleesbaar")] = t.onleesbaar;
    return QJsonDocument(doc).toJson(QJsonDocument::Indented);
}

QString kolomNaam(const toetsbestand::Regel& r) {
    QString naam = QStringLiteral("r%1 ").arg(r.regelNummer) + verwachtingWat(r);
    if (!r.ronde.isEmpty())
        naam += QStringLiteral(" (ronde ") + r.ronde + QLatin1Char(')');
    if (!r.commentaar.isEmpty())
        naam += QStringLiteral(": ") + r.commentaar;
    return naam;
}

namespace {
// A cell as RFC 4180 wants it, with ";" between cells.
QString cel(const QString& tekst) {
    if (!tekst.contains(QLatin1Char(';')) && !tekst.contains(QLatin1Char('"')) &&
        !tekst.contains(QLatin1Char('\n')) && !tekst.contains(QLatin1Char('\r')) &&
        tekst.trimmed() == tekst)
        return tekst;
    return QLatin1Char('"') + QString(tekst).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}
} // namespace

QByteArray alsCsv(const toetsbestand::Toets& toets, const std::vector<BordUitslag>& uitslagen) {
    QStringList kop{QStringLiteral("bord"), QStringLiteral("geslaagd"), QStringLiteral("totaal"),
                    QStringLiteral("uitslag")};
    if (toets.cijfer)
        kop << QStringLiteral("cijfer");
    // Per section the expectations met; the header says out of how many.
    std::vector<int> perOnderdeel(toets.onderdelen.size(), 0);
    for (const toetsbestand::Regel& r : toets.regels)
        if (r.isVerwachting() && !toets.onderdelen.empty())
            ++perOnderdeel[std::size_t(r.onderdeel)];
    for (std::size_t i = 0; i < toets.onderdelen.size(); ++i) {
        const toetsbestand::Onderdeel& o = toets.onderdelen[i];
        kop << QStringLiteral("onderdeel %1 (van %2%3)")
                   .arg(o.naam)
                   .arg(perOnderdeel[i])
                   .arg(o.gewicht != 1 ? QStringLiteral(", gewicht %1").arg(o.gewicht) : QString());
    }
    kop << QStringLiteral("alleen eigen nummering");
    for (const toetsbestand::Regel& r : toets.regels)
        if (r.isVerwachting())
            kop << kolomNaam(r);
    QString uit;
    const auto regel = [&uit](const QStringList& cellen) {
        for (qsizetype i = 0; i < cellen.size(); ++i) {
            if (i > 0)
                uit += QLatin1Char(';');
            uit += cel(cellen[i]);
        }
        uit += QStringLiteral("\r\n");
    };
    regel(kop);
    for (const BordUitslag& u : uitslagen) {
        QStringList cellen{bordNaam(u), QString::number(u.behaald()), QString::number(u.totaal()),
                           u.uitslag()};
        // A decimal comma, as a Dutch spreadsheet reads a number.
        if (toets.cijfer)
            cellen << cijferTekst(cijfer(*toets.cijfer, gewogenScore(toets, u)));
        if (!toets.onderdelen.empty())
            for (const OnderdeelScore& o : onderdeelScores(toets, u))
                cellen << QString::number(o.behaald);
        cellen << (u.alleenEigenNummering() ? QStringLiteral("ja") : QStringLiteral("nee"));
        for (const Resultaat& r : u.resultaten)
            cellen << (r.ok ? QStringLiteral("1") : QStringLiteral("0"));
        regel(cellen);
    }
    // The byte-order mark tells spreadsheet programs the text is UTF-8.
    return QByteArrayLiteral("\xEF\xBB\xBF") + uit.toUtf8();
}

namespace {

// A folder that a file is to be written into must exist; said before any
// board is checked, so the teacher does not wait for nothing.
bool mapBestaat(const QString& bestand, const char* wat, QTextStream& fout) {
    const QFileInfo info(bestand);
    if (info.isDir()) {
        fout << "kwintelvlak: " << wat << " \""
             << toetsbestand::zichtbaar(QDir::toNativeSeparators(bestand))
             << "\" is een map, geen bestand\n";
        return false;
    }
    if (!info.absoluteDir().exists()) {
        fout << "kwintelvlak: de map \""
             << toetsbestand::zichtbaar(QDir::toNativeSeparators(info.absolutePath())) << "\" voor "
             << wat << " bestaat niet\n";
        return false;
    }
    return true;
}

// At most this many mistakes of a check file are printed, then how many more.
constexpr std::size_t kMaxFoutRegels = 10;

} // namespace

int voerUit(const opdrachtregel::Opdracht& opdracht, QTextStream& uit, QTextStream& fout) {
    const QString toetsNaam =
        toetsbestand::zichtbaar(QDir::toNativeSeparators(opdracht.toetsBestand));
    QFile bestand(opdracht.toetsBestand);
    constexpr qint64 kMaxGrootte = 1024 * 1024;
    if (QFileInfo(opdracht.toetsBestand).isDir() || !bestand.open(QIODevice::ReadOnly)) {
        fout << "kwintelvlak: het toetsbestand \"" << toetsNaam << "\" kan niet worden gelezen"
             << (bestand.exists() && !QFileInfo(opdracht.toetsBestand).isDir()
                     ? QStringLiteral(": ") + bestand.errorString()
                     : QStringLiteral(": het bestaat niet of is een map"))
             << '\n';
        return 2;
    }
    const QByteArray bytes = bestand.read(kMaxGrootte + 1);
    if (bytes.size() > kMaxGrootte) {
        fout << "kwintelvlak: het toetsbestand \"" << toetsNaam
             << "\" is groter dan 1 MB; zo groot is geen toets\n";
        return 2;
    }
    const std::optional<QString> tekst = toetsbestand::alsTekst(bytes);
    if (!tekst) {
        fout << "kwintelvlak: het toetsbestand \"" << toetsNaam
             << "\" is geen tekstbestand; sla de toets op als platte tekst\n";
        return 2;
    }
    if (!opdracht.csv.isEmpty() && !mapBestaat(opdracht.csv, "het cijferblad", fout))
        return 2;
    QString reden;
    if (!opdracht.verslag.isEmpty() && !verslag::magSchrijven(opdracht.verslag, reden)) {
        fout << "kwintelvlak: " << toetsbestand::zichtbaar(reden) << '\n';
        return 2;
    }

    ZonderGebruiker omgeving;
    const bool audioVooraf = audioBeschikbaar;
    int status = 0;
    {
        TfKwintelvlak form;
        omgeving.neemMeldingen(); // start-up's own (a missing standard board) do not count
        const toetsbestand::Toets toets = toetsbestand::lees(*tekst, soortNamen(form));
        if (!toets.fouten.empty()) {
            // A handful, then a count: a wrong file does not flood the terminal.
            for (std::size_t i = 0; i < toets.fouten.size() && i < kMaxFoutRegels; ++i) {
                const toetsbestand::Fout& f = toets.fouten[i];
                fout << toetsNaam;
                if (f.regelNummer > 0)
                    fout << ", regel " << f.regelNummer;
                fout << ": " << toetsbestand::zichtbaar(f.tekst) << '\n';
            }
            if (toets.fouten.size() > kMaxFoutRegels)
                fout << toetsNaam << ": en nog " << (toets.fouten.size() - kMaxFoutRegels)
                     << " fouten\n";
            audioBeschikbaar = audioVooraf;
            return 2;
        }
        Keuzes keuzes;
        keuzes.afbeelding = !opdracht.verslag.isEmpty();
        keuzes.bijsnijden = opdracht.bijsnijden;
        if (opdracht.tijdslimiet > 0)
            keuzes.tijdslimiet = opdracht.tijdslimiet;
        std::optional<verslag::Schrijver> schrijver;
        QString verslagFout;
        if (keuzes.afbeelding) {
            schrijver.emplace(opdracht.verslag);
            if (!schrijver->begin(verslagFout)) {
                fout << "kwintelvlak: het verslag in \""
                     << toetsbestand::zichtbaar(QDir::toNativeSeparators(opdracht.verslag))
                     << "\" kan niet worden geschreven: " << verslagFout << '\n';
                audioBeschikbaar = audioVooraf;
                return 1;
            }
        }
        std::vector<BordUitslag> uitslagen;
        uitslagen.reserve(std::size_t(opdracht.borden.size()));
        if (!opdracht.json) {
            uit << tapKop();
            // The plug-ins this computer refused, as diagnostics under the
            // version line: why a board's plug-in module may be missing.
            for (const QString& regel : std::as_const(form.zwenkelWeigeringen))
                uit << "# " << regel << '\n';
            uit.flush();
        }
        for (const QString& bord : opdracht.borden) {
            uitslagen.push_back(toetsBord(form, omgeving, toets, bord, keuzes));
            BordUitslag& u = uitslagen.back();
            if (!u.geslaagd())
                status = 1;
            // The picture goes to the disk at once, so memory stays flat.
            if (schrijver && verslagFout.isEmpty())
                schrijver->afbeelding(int(uitslagen.size()), u, verslagFout);
            u.afbeelding = QImage();
            // Each board's block as soon as it is known: a long class shows
            // its progress.
            if (!opdracht.json) {
                uit << tapBlok(toets, u, int(uitslagen.size()));
                uit.flush();
            }
        }
        // The window closes as it would after a session with a user.
        audioBeschikbaar = audioVooraf;
        if (opdracht.json)
            uit << QString::fromUtf8(alsJson(toets, uitslagen));
        else
            uit << tapSlot(uitslagen);
        uit.flush();

        if (!opdracht.csv.isEmpty()) {
            // Written whole or not at all.
            QSaveFile blad(opdracht.csv);
            if (!blad.open(QIODevice::WriteOnly) || blad.write(alsCsv(toets, uitslagen)) < 0 ||
                !blad.commit()) {
                fout << "kwintelvlak: het cijferblad \""
                     << toetsbestand::zichtbaar(QDir::toNativeSeparators(opdracht.csv))
                     << "\" kan niet worden geschreven. Melding van het systeem: "
                     << blad.errorString() << '\n';
                status = 1;
            }
        }
        if (schrijver) {
            if (verslagFout.isEmpty())
                schrijver->sluit(QFileInfo(opdracht.toetsBestand).fileName(), toets, uitslagen,
                                 verslagFout);
            if (!verslagFout.isEmpty()) {
                fout << "kwintelvlak: het verslag in \""
                     << toetsbestand::zichtbaar(QDir::toNativeSeparators(opdracht.verslag))
                     << "\" kan niet worden geschreven: " << verslagFout << '\n';
                status = 1;
            }
        }
    }
    uit.flush();
    return status;
}

} // namespace toetsen
