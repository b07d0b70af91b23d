// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The real program run from the command line, as a teacher runs it: boards
// checked against check files, pictures of boards, the exit statuses, and
// that nothing is written but what was asked for.
#include "app/bord.h"
#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "modules/kleuren.h"
#include "modules/module.h"
#include "modules/onderdelen.h"
#include "modules/soorten/invertor.h"
#include "platform/testseams.h"
#include "support/kwinteltest.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollArea>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kVoorbeeld = QStringLiteral(KWINTEL_VOORBEELDEN "/drukknop_en_teller/");
const QString kData = QStringLiteral(KWINTEL_TESTDATA "/");

struct Uitkomst {
    int status = -1;
    QString uit;
    QString fout;
};

// Runs the program without a display server, in folder map.
Uitkomst start(const QStringList& argumenten, const QString& map = QString()) {
    QProcess p;
    QProcessEnvironment omgeving = QProcessEnvironment::systemEnvironment();
    omgeving.remove(QStringLiteral("DISPLAY"));
    omgeving.remove(QStringLiteral("WAYLAND_DISPLAY"));
    omgeving.remove(QStringLiteral("QT_QPA_PLATFORM"));
    p.setProcessEnvironment(omgeving);
    if (!map.isEmpty())
        p.setWorkingDirectory(map);
    p.start(QStringLiteral(KWINTEL_PROGRAMMA), argumenten);
    if (!p.waitForFinished(60000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QString schrijf(const QTemporaryDir& map, const QString& naam, const QByteArray& tekst) {
    const QString pad = map.filePath(naam);
    QFile f(pad);
    if (!f.open(QIODevice::WriteOnly) || f.write(tekst) != tekst.size())
        return {};
    return pad;
}

// The board of a window on this process's platform, as it shows it.
QImage vensterBeeld(TfKwintelvlak& form) {
    form.show();
    form.miVernieuwenClick();
    return form.scrollBox->viewport()
        ->grab(QRect(0, 0, 720, 576))
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestProgramma : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { kwinteltest::initProces(); }

    void voorbeeldOpdrachtGoedEnFout() {
        // The faulty board drives the LED through an inverter: it fails the
        // three LED expectations and passes the counter's.
        const Uitkomst u =
            start({QStringLiteral("--toets"), kVoorbeeld + "opdracht.txt",
                   kVoorbeeld + "leerling_goed.brd", kVoorbeeld + "leerling_fout.brd"});
        QCOMPARE(u.status, 1);
        QCOMPARE(u.fout, QString());
        // Named as given, in the system's own separators, with TAP's escapes.
        const auto tapNaam = [](const QString& pad) {
            return QDir::toNativeSeparators(pad)
                .replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
                .replace(QLatin1Char('#'), QStringLiteral("\\#"));
        };
        const QString goed = tapNaam(kVoorbeeld + "leerling_goed.brd");
        const QString fout = tapNaam(kVoorbeeld + "leerling_fout.brd");
        QCOMPARE(u.uit,
                 QStringLiteral("TAP version 13\n"
                                "# Subtest: %1\n"
                                "    ok 1 - LED 1 uit -- niets ingedrukt: de LED is uit\n"
                                "    ok 2 - Pulsenteller 1 0\n"
                                "    ok 3 - LED 1 aan -- knop ingedrukt: de LED brandt\n"
                                "    ok 4 - Pulsenteller 1 1\n"
                                "    ok 5 - LED 1 uit -- knop los: de LED is weer uit\n"
                                "    ok 6 - Pulsenteller 1 1 -- loslaten telt niet\n"
                                "    ok 7 - Pulsenteller 1 3 -- drie keer gedrukt\n"
                                "    1..7\n"
                                "ok 1 - %1 (7/7)\n"
                                "# Subtest: %2\n"
                                "    not ok 1 - LED 1: verwacht uit, gezien aan -- niets "
                                "ingedrukt: de LED is uit\n"
                                "    ok 2 - Pulsenteller 1 0\n"
                                "    not ok 3 - LED 1: verwacht aan, gezien uit -- knop "
                                "ingedrukt: de LED brandt\n"
                                "    ok 4 - Pulsenteller 1 1\n"
                                "    not ok 5 - LED 1: verwacht uit, gezien aan -- knop los: "
                                "de LED is weer uit\n"
                                "    ok 6 - Pulsenteller 1 1 -- loslaten telt niet\n"
                                "    ok 7 - Pulsenteller 1 3 -- drie keer gedrukt\n"
                                "    1..7\n"
                                "not ok 2 - %2 (4/7)\n"
                                "1..2\n"
                                "# 1 van 2 borden geslaagd, 1 gezakt, 0 onleesbaar\n")
                     .arg(goed, fout));
        // Only correct boards: status 0.
        const Uitkomst alleenGoed = start({QStringLiteral("--toets"), kVoorbeeld + "opdracht.txt",
                                           kVoorbeeld + "leerling_goed.brd"});
        QCOMPARE(alleenGoed.status, 0);
    }

    void onleesbaarBordTussenGoede() {
        // A missing board and one whose reading stops at a broken wire are
        // reported; the boards after them are still checked.
        const Uitkomst u = start({QStringLiteral("--toets"), kVoorbeeld + "opdracht.txt",
                                  kData + "bestaat_niet.brd", kData + "afgebroken.brd",
                                  kVoorbeeld + "leerling_goed.brd"});
        QCOMPARE(u.status, 1);
        // Each unreadable board still has its plan, every result not ok.
        QVERIFY(u.uit.contains(QStringLiteral("    # onleesbaar: ")));
        QVERIFY(u.uit.contains(QStringLiteral("Het bestand bestaat niet.")));
        QVERIFY(u.uit.contains(QStringLiteral("\"x\" is geen geheel getal")));
        QVERIFY(!u.uit.contains(QStringLiteral("blijft op het bord")));
        QVERIFY(
            u.uit.contains(QRegularExpression(QStringLiteral("\nnot ok 1 - \\S*bestaat_niet.brd "
                                                             "\\(onleesbaar\\)\n"))));
        QVERIFY(u.uit.contains(QRegularExpression(QStringLiteral("\nnot ok 2 - \\S*afgebroken.brd "
                                                                 "\\(onleesbaar\\)\n"))));
        QCOMPARE(u.uit.count(QStringLiteral("    not ok 7 - Pulsenteller 1 3: het bord is "
                                            "onleesbaar -- drie keer gedrukt\n")),
                 2);
        QVERIFY(u.uit.contains(QStringLiteral("\nok 3 - ")));
        QVERIFY(u.uit.endsWith(QStringLiteral("1..3\n# 1 van 3 borden geslaagd, 0 gezakt, 2 "
                                              "onleesbaar\n")));
    }

    void json() {
        const Uitkomst u =
            start({QStringLiteral("--toets"), kVoorbeeld + "opdracht.txt", QStringLiteral("--json"),
                   kVoorbeeld + "leerling_fout.brd", kData + "bestaat_niet.brd"});
        QCOMPARE(u.status, 1);
        QJsonParseError fout;
        const QJsonObject doc = QJsonDocument::fromJson(u.uit.toUtf8(), &fout).object();
        QCOMPARE(fout.error, QJsonParseError::NoError);
        QCOMPARE(doc.value("geslaagd").toInt(), 0);
        QCOMPARE(doc.value("gezakt").toInt(), 1);
        QCOMPARE(doc.value("onleesbaar").toInt(), 1);
        const QJsonArray borden = doc.value("borden").toArray();
        QCOMPARE(borden.size(), 2);
        QCOMPARE(borden[0]["uitslag"].toString(), QStringLiteral("gezakt"));
        const QJsonArray r = borden[0]["resultaten"].toArray();
        QCOMPARE(r.size(), 7);
        QCOMPARE(r[0]["ok"].toBool(), false);
        QCOMPARE(r[0]["regel"].toInt(), 9);
        QCOMPARE(r[0]["verwacht"].toString(), QStringLiteral("uit"));
        QCOMPARE(r[0]["gezien"].toString(), QStringLiteral("aan"));
        QCOMPARE(r[1]["ok"].toBool(), true);
        QCOMPARE(borden[1]["uitslag"].toString(), QStringLiteral("onleesbaar"));
    }

    void foutenInHetToetsbestand() {
        // Every mistake is reported with its line, nothing is checked, status 2.
        QTemporaryDir map;
        const QString toets = schrijf(map, QStringLiteral("toets.txt"),
                                      "tik 1\n"
                                      "drukk Drukschakelaar 1\n"
                                      "verwacht Lamp 1 aan\n"
                                      "verwacht LED 0 aan\n"
                                      "druk Drukschakelaar\n"
                                      "tik veel\n"
                                      "verwacht LED 1 aan\n");
        const Uitkomst u =
            start({QStringLiteral("--toets"), toets, kVoorbeeld + "leerling_goed.brd"});
        QCOMPARE(u.status, 2);
        QCOMPARE(u.uit, QString());
        const QString n = QDir::toNativeSeparators(toets);
        const QStringList regels = u.fout.trimmed().split(QLatin1Char('\n'));
        QCOMPARE(regels.size(), 5);
        QVERIFY(regels[0].startsWith(n + QStringLiteral(", regel 2: onbekende stap 'drukk'")));
        QVERIFY(regels[1].startsWith(n + QStringLiteral(", regel 3: onbekende module 'Lamp'")));
        QVERIFY(regels[2].startsWith(
            n + QStringLiteral(", regel 4: 0 ligt buiten het bereik van 1 tot en met")));
        QVERIFY(regels[3].startsWith(n + QStringLiteral(", regel 5: er ontbreekt iets")));
        QCOMPARE(regels[4], n + QStringLiteral(", regel 6: 'veel' is geen geheel getal"));
    }

    void toetsbestandUitElkeEditor_data() {
        // What Notepad and other editors write: the comment "één" must come
        // back as the teacher typed it.
        QTest::addColumn<QByteArray>("bytes");
        const QString tekst = QStringLiteral("tik 2\nverwacht LED 1 uit   # één LED, uit\n");
        const auto utf16 = [&tekst](QStringConverter::Encoding e) {
            QStringEncoder naar(e, QStringEncoder::Flag::WriteBom);
            return QByteArray(naar.encode(tekst));
        };
        QTest::newRow("UTF-8") << tekst.toUtf8();
        QTest::newRow("UTF-8 met BOM") << "\xEF\xBB\xBF" + tekst.toUtf8();
        QTest::newRow("UTF-16 LE") << utf16(QStringConverter::Utf16LE);
        QTest::newRow("UTF-16 BE") << utf16(QStringConverter::Utf16BE);
        QTest::newRow("Windows-1252") << tekst.toLatin1().replace("\n", "\r\n");
    }

    void toetsbestandUitElkeEditor() {
        QFETCH(QByteArray, bytes);
        QTemporaryDir map;
        const QString toets = schrijf(map, QStringLiteral("toets.txt"), bytes);
        const Uitkomst u =
            start({QStringLiteral("--toets"), toets, kVoorbeeld + "leerling_goed.brd"});
        QCOMPARE(u.fout, QString());
        QCOMPARE(u.status, 0);
        QVERIFY2(u.uit.contains(QStringLiteral("    ok 1 - LED 1 uit -- één LED, uit\n")),
                 qPrintable(u.uit));
    }

    void geenTekstbestand_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("fouten");
        QByteArray png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        for (int i = 0; i < 3000; ++i)
            png += char(i * 37 % 256);
        const QString geen = QStringLiteral("\" is geen tekstbestand; sla de toets op als platte "
                                            "tekst");
        QTest::newRow("afbeelding") << png << QStringList{geen};
        QTest::newRow("UTF-16 zonder BOM")
            << QByteArray("v\0e\0r\0w\0a\0c\0h\0t\0 \0L\0E\0D\0 \0001\0 \0a\0a\0n\0", 36)
            << QStringList{geen};
        // Mostly control characters, no zero byte.
        QTest::newRow("stuurtekens") << QByteArray(400, '\x1b') + "verwacht LED 1 aan\n"
                                     << QStringList{geen};
        // Text with one mistake a line: the first ten, then how many more,
        // its escape sequences shown, not obeyed.
        QByteArray fout;
        QStringList regels;
        for (int i = 1; i <= 40; ++i)
            fout += "\x1b[31mrood\x07 en dan nog gewone tekst op de regel\n";
        for (int i = 1; i <= 10; ++i)
            regels << QStringLiteral(", regel %1: onbekende stap '\\x1B[31mrood\\x07'; de stappen "
                                     "zijn druk, los, zet, geluid, muis, tik, verwacht, herhaal, "
                                     "einde, onderdeel en cijfer")
                          .arg(i);
        regels << QStringLiteral(": en nog 30 fouten");
        QTest::newRow("veel fouten") << fout << regels;
    }

    void geenTekstbestand() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, fouten);
        QTemporaryDir map;
        const QString toets = schrijf(map, QStringLiteral("toets.txt"), bytes);
        const Uitkomst u =
            start({QStringLiteral("--toets"), toets, kVoorbeeld + "leerling_goed.brd"});
        QCOMPARE(u.status, 2);
        QCOMPARE(u.uit, QString());
        const QStringList regels = u.fout.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(regels.size(), fouten.size());
        const QString n = QDir::toNativeSeparators(toets);
        for (qsizetype i = 0; i < regels.size(); ++i)
            QVERIFY2(regels[i].endsWith(n + fouten[i]) ||
                         regels[i] ==
                             QStringLiteral("kwintelvlak: het toetsbestand \"") + n + fouten[i],
                     qPrintable(regels[i]));
        for (const QChar c : u.fout)
            QVERIFY(c == u'\n' || c.unicode() >= 0x20);
    }

    void afbeeldingMetNummers() {
        // Each module carries its kind and number in a label at its corner;
        // the rest of the picture is the same as without.
        QTemporaryDir map;
        for (const QString& naam : {QStringLiteral("zonder.png"), QStringLiteral("met.png")}) {
            QStringList argumenten{QStringLiteral("--afbeelding"), naam, kData + "afbeelding.brd"};
            if (naam == QStringLiteral("met.png"))
                argumenten << QStringLiteral("--nummers");
            QCOMPARE(start(argumenten, map.path()).status, 0);
        }
        const QImage zonder =
            QImage(map.filePath("zonder.png")).convertToFormat(QImage::Format_RGB32);
        const QImage met = QImage(map.filePath("met.png")).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(met.size(), zonder.size());
        TfKwintelvlak form;
        form.openen(kData + "afbeelding.brd");
        QVERIFY(form.modules.size() >= 2);
        // Where the pictures differ: near each module's top-left corner, and
        // at every module.
        QRegion labels;
        for (const TModule* m : form.modules)
            labels += QRect(m->geometry().topLeft(), QSize(140, 16));
        QSet<const TModule*> gemerkt;
        for (int y = 0; y < met.height(); ++y)
            for (int x = 0; x < met.width(); ++x) {
                if (met.pixel(x, y) == zonder.pixel(x, y))
                    continue;
                QVERIFY2(labels.contains(QPoint(x, y)),
                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
                for (const TModule* m : form.modules)
                    if (QRect(m->geometry().topLeft(), QSize(140, 16)).contains(x, y))
                        gemerkt.insert(m);
            }
        QCOMPARE(gemerkt.size(), qsizetype(form.modules.size()));
        // The label is white with a black frame at the corner itself.
        const QPoint hoek = form.modules[0]->geometry().topLeft();
        QCOMPARE(met.pixel(hoek), qRgb(0, 0, 0));
        QCOMPARE(met.pixel(hoek + QPoint(2, 2)), qRgb(255, 255, 255));
    }

    void opdrachtregelFouten_data() {
        QTest::addColumn<QStringList>("argumenten");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("melding");
        QTest::newRow("onbekende optie")
            << QStringList{"--kleur", "rood"} << 2 << "onbekende optie '--kleur'";
        QTest::newRow("toets zonder borden")
            << QStringList{"--toets", "t.txt"} << 2 << "een of meer borden";
        QTest::newRow("schaal 0") << QStringList{"--schaal", "0", "x.brd"} << 2
                                  << "--schaal verwacht";
        QTest::newRow("waarde ontbreekt") << QStringList{"--afbeelding"} << 2 << "hoort een waarde";
        QTest::newRow("toetsbestand ontbreekt")
            << QStringList{"--toets", "bestaat_niet.txt", "x.brd"} << 2
            << "kan niet worden gelezen";
        QTest::newRow("map voor de afbeelding ontbreekt")
            << QStringList{"--afbeelding", "weg/uit.png", kData + "invertor.brd"} << 1
            << "kan niet worden geschreven: de map";
        QTest::newRow("verslag zonder toets")
            << QStringList{"--verslag", "v", "x.brd"} << 2 << "horen bij --toets";
        QTest::newRow("tikken bij toets")
            << QStringList{"--toets", "t.txt", "--tikken", "3", "x.brd"} << 2
            << "--tikken hoort bij --afbeelding";
        QTest::newRow("bord voor afbeelding ontbreekt")
            << QStringList{"--afbeelding", "uit.png", "bestaat_niet.brd"} << 1
            << "Het bestand bestaat niet.";
    }

    void opdrachtregelFouten() {
        QFETCH(QStringList, argumenten);
        QFETCH(int, status);
        QFETCH(QString, melding);
        QTemporaryDir map;
        const Uitkomst u = start(argumenten, map.path());
        QCOMPARE(u.status, status);
        QVERIFY2(u.fout.contains(melding), qPrintable(u.fout));
        QCOMPARE(u.uit, QString());
        // Nothing was written.
        QCOMPARE(QDir(map.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
    }

    void hulpEnVersie() {
        const Uitkomst hulp = start({QStringLiteral("--help")});
        QCOMPARE(hulp.status, 0);
        QVERIFY(hulp.uit.startsWith(QStringLiteral("Gebruik:")));
        QVERIFY(hulp.uit.contains(QStringLiteral("--toets")));
        const Uitkomst versie = start({QStringLiteral("--version")});
        QCOMPARE(versie.status, 0);
        QCOMPARE(versie.uit, QStringLiteral("Kwintelvlak 1.50\n"));
    }

    void afbeeldingZoalsHetVenster_data() {
        QTest::addColumn<int>("tikken");
        QTest::newRow("meteen") << 0;
        QTest::newRow("na drie tikken") << 3;
    }

    void afbeeldingZoalsHetVenster() {
        // Wires, lit LED, counter and the logo: the picture equals what a
        // window of this process shows for the same board after as many ticks.
        QFETCH(int, tikken);
        QTemporaryDir map;
        const Uitkomst u =
            start({QStringLiteral("--afbeelding"), QStringLiteral("bord.png"),
                   QStringLiteral("--tikken"), QString::number(tikken), kData + "afbeelding.brd"},
                  map.path());
        QCOMPARE(u.status, 0);
        QCOMPARE(u.fout, QString());
        QCOMPARE(QDir(map.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{QStringLiteral("bord.png")});
        const QImage png = QImage(map.filePath("bord.png")).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(png.size(), QSize(720, 576));

        platform::FakeClock klok(3'600'000);
        TfKwintelvlak form;
        form.openen(kData + "afbeelding.brd");
        klok.advance(10 * tikken);
        const QImage venster = vensterBeeld(form);
        QVERIFY(form.pKwintelvlak->isVisible());
        QCOMPARE(png, venster);
        // The ticks ran: the LED fed 5,0 V is lit only after them.
        const TModule* led = form.zoekModule(soorten::led, 1);
        const QPoint lamp = led->mapTo(form.bord, led->findChild<TLED*>()->geometry().center());
        QCOMPARE(png.pixelColor(lamp), kleur(tikken > 0 ? TLED::aan : TLED::uit));
    }

    void bijsnijdenLaatHetLogoWeg() {
        // The logo shows on this board, but a cut picture holds the modules only.
        QTemporaryDir map;
        QCOMPARE(start({QStringLiteral("--afbeelding"), QStringLiteral("uit.png"),
                        QStringLiteral("--bijsnijden"), kData + "afbeelding.brd"},
                       map.path())
                     .status,
                 0);
        TfKwintelvlak form;
        form.openen(kData + "afbeelding.brd");
        form.show();
        form.miVernieuwenClick();
        QVERIFY(form.pKwintelvlak->isVisible());
        QRect modules;
        for (const TModule* m : form.modules)
            modules |= m->geometry();
        QVERIFY(!modules.contains(form.pKwintelvlak->geometry()));
        QCOMPARE(QImage(map.filePath("uit.png")).size(), modules.size());
    }

    void afbeeldingVanEenGrootBord() {
        // Modules beyond the window: the picture holds the whole board.
        QTemporaryDir map;
        const Uitkomst u = start(
            {QStringLiteral("--afbeelding"), QStringLiteral("groot.png"), kData + "groot.brd"},
            map.path());
        QCOMPARE(u.status, 0);
        const QImage png(map.filePath("groot.png"));
        TfKwintelvlak form;
        form.openen(kData + "groot.brd");
        const QRect rechts = form.modules[0]->geometry();
        const QRect onder = form.modules[1]->geometry();
        QCOMPARE(png.size(), QSize(rechts.right() + 1, onder.bottom() + 1));
        // Both LEDs are drawn: their lamps are dark red, where the board
        // would otherwise show its own colour.
        const QPoint lamp = form.modules[0]->findChild<TLED*>()->geometry().center();
        QCOMPARE(png.pixelColor(rechts.topLeft() + lamp), kleur(0x000080));
        QCOMPARE(png.pixelColor(onder.topLeft() + lamp), kleur(0x000080));
    }

    void afbeeldingOpSchaalTweeIsScherp() {
        // Cut to one module's panel; at scale 2 the artwork is the scale-1
        // artwork with every pixel doubled, no blur.
        QTemporaryDir map;
        QCOMPARE(start({QStringLiteral("--afbeelding"), QStringLiteral("een.png"),
                        QStringLiteral("--bijsnijden"), kData + "invertor.brd"},
                       map.path())
                     .status,
                 0);
        QCOMPARE(start({QStringLiteral("--afbeelding"), QStringLiteral("twee.png"),
                        QStringLiteral("--bijsnijden"), QStringLiteral("--schaal"),
                        QStringLiteral("2"), kData + "invertor.brd"},
                       map.path())
                     .status,
                 0);
        const QImage een = QImage(map.filePath("een.png")).convertToFormat(QImage::Format_RGB32);
        const QImage twee = QImage(map.filePath("twee.png")).convertToFormat(QImage::Format_RGB32);
        TfKwintelvlak form;
        form.openen(kData + "invertor.brd");
        auto* invertor = qobject_cast<TInvertorMod*>(form.modules.at(0));
        QVERIFY(invertor);
        QCOMPARE(een.size(), invertor->size());
        QCOMPARE(twee.size(), invertor->size() * 2);
        const QRect symbool = invertor->iSymbool->geometry();
        QVERIFY(!symbool.isEmpty());
        // The terminals lie over the picture's ends; their outlines are lines.
        const QRect in = invertor->ingang->geometry(), uit = invertor->uitgang->geometry();
        int vergeleken = 0;
        for (int y = symbool.top(); y <= symbool.bottom(); ++y) {
            for (int x = symbool.left(); x <= symbool.right(); ++x) {
                if (in.contains(x, y) || uit.contains(x, y))
                    continue;
                ++vergeleken;
                for (int d = 0; d < 4; ++d)
                    QCOMPARE(twee.pixel(2 * x + d % 2, 2 * y + d / 2), een.pixel(x, y));
            }
        }
        QVERIFY(vergeleken > symbool.width() * symbool.height() / 2);
    }
};

QTEST_MAIN(TestProgramma)
#include "tst_programma.moc"
