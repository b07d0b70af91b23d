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
    uit.reserve(tekst.size());
    for (const QChar c : tekst) {
        if (c == u'\\' || c == u'#')
            uit += QLatin1Char('\\');
        uit += c == u'\n' || c == u'\r' ? QChar(u' ') : c;
    }
    return uit;
}

QString bordNaam(const BordUitslag& u) {
    return QDir::toNativeSeparators(u.bestand);
}

QString alsTap(const std::vector<BordUitslag>& uitslagen) {
    // One subtest per board; the board's own line says whether it passed.
    // Diagnostics are comments, so a name in them needs no escaping.
    QString uit;
    QTextStream s(&uit);
    s << "TAP version 13\n";
    int n = 0;
    for (const BordUitslag& u : uitslagen) {
        ++n;
        const QString naam = bordNaam(u);
        s << "# Subtest: " << tapTekst(naam) << '\n';
        if (!u.leesbaar)
            s << "    # onleesbaar: " << u.melding << '\n';
        for (const QString& o : u.opmerkingen)
            s << "    # melding van het bord: " << o << '\n';
        if (u.begrensd)
            s << "    # " << begrensdTekst(kMaxToewijzingen) << '\n';
        for (const Toewijzing& t : u.toewijzing)
            s << "    # " << toewijzingTekst(t) << '\n';
        for (const QString& stap : u.stappen)
            s << "    # " << stap << '\n';
        int k = 0;
        for (const Resultaat& r : u.resultaten)
            s << "    " << (r.ok ? "ok " : "not ok ") << ++k << " - " << tapTekst(r.tekst())
              << '\n';
        s << "    1.." << k << '\n';
        s << (u.geslaagd() ? "ok " : "not ok ") << n << " - " << tapTekst(naam) << " ("
          << (u.leesbaar ? QStringLiteral("%1/%2").arg(u.behaald()).arg(u.totaal())
                         : QStringLiteral("onleesbaar"))
          << ")\n";
    }
    s << "1.." << n << '\n';
    s << "# " << samenvatting(uitslagen) << '\n';
    return uit;
}

QByteArray alsJson(const std::vector<BordUitslag>& uitslagen) {
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
        b[QStringLiteral("begrensd")] = u.begrensd;
        b[QStringLiteral("geprobeerd")] = u.geprobeerd;
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
        fout << "kwintelvlak: " << wat << " \"" << QDir::toNativeSeparators(bestand)
             << "\" is een map, geen bestand\n";
        return false;
    }
    if (!info.absoluteDir().exists()) {
        fout << "kwintelvlak: de map \"" << QDir::toNativeSeparators(info.absolutePath())
             << "\" voor " << wat << " bestaat niet\n";
        return false;
    }
    return true;
}

} // namespace

int voerUit(const opdrachtregel::Opdracht& opdracht, QTextStream& uit, QTextStream& fout) {
    const QString toetsNaam = QDir::toNativeSeparators(opdracht.toetsBestand);
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
    const QByteArray tekst = bestand.read(kMaxGrootte + 1);
    if (tekst.size() > kMaxGrootte) {
        fout << "kwintelvlak: het toetsbestand \"" << toetsNaam
             << "\" is groter dan 1 MB; zo groot is geen toets\n";
        return 2;
    }
    if (!opdracht.csv.isEmpty() && !mapBestaat(opdracht.csv, "het cijferblad", fout))
        return 2;
    if (!opdracht.verslag.isEmpty()) {
        const QFileInfo map(opdracht.verslag);
        if (map.exists() && !map.isDir()) {
            fout << "kwintelvlak: \"" << QDir::toNativeSeparators(opdracht.verslag)
                 << "\" is een bestand; het verslag hoort in een map\n";
            return 2;
        }
    }

    ZonderGebruiker omgeving;
    const bool audioVooraf = audioBeschikbaar;
    int status = 0;
    {
        TfKwintelvlak form;
        omgeving.neemMeldingen(); // start-up's own (a missing standard board) do not count
        const toetsbestand::Toets toets =
            toetsbestand::lees(QString::fromUtf8(tekst), soortNamen(form));
        if (!toets.fouten.empty()) {
            for (const toetsbestand::Fout& f : toets.fouten) {
                fout << toetsNaam;
                if (f.regelNummer > 0)
                    fout << ", regel " << f.regelNummer;
                fout << ": " << f.tekst << '\n';
            }
            audioBeschikbaar = audioVooraf;
            return 2;
        }
        Keuzes keuzes;
        keuzes.afbeelding = !opdracht.verslag.isEmpty();
        keuzes.bijsnijden = opdracht.bijsnijden;
        std::vector<BordUitslag> uitslagen;
        uitslagen.reserve(std::size_t(opdracht.borden.size()));
        for (const QString& bord : opdracht.borden) {
            uitslagen.push_back(toetsBord(form, omgeving, toets, bord, keuzes));
            if (!uitslagen.back().geslaagd())
                status = 1;
        }
        // The window closes as it would after a session with a user.
        audioBeschikbaar = audioVooraf;
        if (opdracht.json) {
            uit << QString::fromUtf8(alsJson(uitslagen));
        } else {
            // The plug-ins this computer refused, as diagnostics under the
            // version line: why a board's plug-in module may be missing.
            QString tap = alsTap(uitslagen);
            QString weigeringen;
            for (const QString& regel : std::as_const(form.zwenkelWeigeringen))
                weigeringen += QStringLiteral("# ") + regel + QLatin1Char('\n');
            uit << tap.insert(tap.indexOf(QLatin1Char('\n')) + 1, weigeringen);
        }
        uit.flush();

        if (!opdracht.csv.isEmpty()) {
            // Written whole or not at all.
            QSaveFile blad(opdracht.csv);
            if (!blad.open(QIODevice::WriteOnly) || blad.write(alsCsv(toets, uitslagen)) < 0 ||
                !blad.commit()) {
                fout << "kwintelvlak: het cijferblad \"" << QDir::toNativeSeparators(opdracht.csv)
                     << "\" kan niet worden geschreven. Melding van het systeem: "
                     << blad.errorString() << '\n';
                status = 1;
            }
        }
        if (!opdracht.verslag.isEmpty()) {
            QString reden;
            if (!verslag::schrijf(opdracht.verslag, QFileInfo(opdracht.toetsBestand).fileName(),
                                  toets, uitslagen, reden)) {
                fout << "kwintelvlak: het verslag in \""
                     << QDir::toNativeSeparators(opdracht.verslag)
                     << "\" kan niet worden geschreven: " << reden << '\n';
                status = 1;
            }
        }
    }
    uit.flush();
    return status;
}

} // namespace toetsen
