// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Compiled help files read with chmlib. Only this file includes its header.
#include "platform/helpbestand.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <chm_lib.h>

namespace platform {

namespace {

// No page or picture in our help comes near this; a larger entry means a
// damaged directory, and reading it would only exhaust memory.
constexpr LONGUINT64 kMaxGrootte = 32 * 1024 * 1024;

class ChmHelp : public HelpBestand {
public:
    explicit ChmHelp(chmFile* h) : m_h(h) {}
    ~ChmHelp() override { chm_close(m_h); }
    ChmHelp(const ChmHelp&) = delete;
    ChmHelp& operator=(const ChmHelp&) = delete;

    std::optional<QByteArray> lees(const QString& pad) const override {
        const QByteArray naam = pad.toUtf8();
        if (naam.isEmpty() || naam.size() > CHM_MAX_PATHLEN)
            return std::nullopt;
        chmUnitInfo ui{};
        if (chm_resolve_object(m_h, naam.constData(), &ui) != CHM_RESOLVE_SUCCESS)
            return std::nullopt;
        if (ui.length > kMaxGrootte)
            return std::nullopt;
        QByteArray uit(static_cast<qsizetype>(ui.length), Qt::Uninitialized);
        if (ui.length == 0)
            return uit;
        const LONGINT64 gelezen =
            chm_retrieve_object(m_h, &ui, reinterpret_cast<unsigned char*>(uit.data()), 0,
                                static_cast<LONGINT64>(ui.length));
        if (gelezen != static_cast<LONGINT64>(ui.length))
            return std::nullopt;
        return uit;
    }

    QString standaardOnderwerp() const override { return m_standaard; }

    // The default topic as the compiler recorded it in the "#SYSTEM" entry:
    // a version, then records of a 16-bit code, a 16-bit length and data;
    // code 2 holds the topic's path, ended by a zero byte.
    bool leesStandaard() {
        const std::optional<QByteArray> sys = lees(QStringLiteral("/#SYSTEM"));
        if (!sys)
            return false;
        const QByteArray& s = *sys;
        qsizetype i = 4;
        while (i + 4 <= s.size()) {
            const quint16 code = qFromLittleEndian<quint16>(s.constData() + i);
            const quint16 lengte = qFromLittleEndian<quint16>(s.constData() + i + 2);
            i += 4;
            if (i + lengte > s.size())
                break;
            if (code == 2) {
                QByteArray pad = s.mid(i, lengte);
                const qsizetype nul = pad.indexOf('\0');
                if (nul >= 0)
                    pad.truncate(nul);
                if (!pad.isEmpty()) {
                    m_standaard = QString::fromUtf8(pad);
                    if (!m_standaard.startsWith(QLatin1Char('/')))
                        m_standaard.prepend(QLatin1Char('/'));
                    return true;
                }
            }
            i += lengte;
        }
        return false;
    }

    // Without a recorded topic: the usual start pages, else the first page.
    void kiesStandaard() {
        for (const char* naam : {"/index.html", "/index.htm", "/default.html", "/default.htm"}) {
            chmUnitInfo ui{};
            if (chm_resolve_object(m_h, naam, &ui) == CHM_RESOLVE_SUCCESS) {
                m_standaard = QString::fromLatin1(naam);
                return;
            }
        }
        chm_enumerate(
            m_h, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES,
            [](chmFile*, chmUnitInfo* ui, void* context) -> int {
                const QString pad = QString::fromUtf8(ui->path);
                if (pad.endsWith(QLatin1String(".html")) || pad.endsWith(QLatin1String(".htm"))) {
                    *static_cast<QString*>(context) = pad;
                    return CHM_ENUMERATOR_SUCCESS;
                }
                return CHM_ENUMERATOR_CONTINUE;
            },
            &m_standaard);
    }

private:
    chmFile* m_h;
    QString m_standaard;
};

} // namespace

std::unique_ptr<HelpBestand> openHelpBestand(const QString& pad, HelpFout* fout) {
    HelpFout dummy;
    HelpFout& f = fout ? *fout : dummy;
    const QFileInfo info(pad);
    if (!info.exists() || info.isDir()) {
        f = HelpFout::Ontbreekt;
        return nullptr;
    }
    // A compiled help file begins with "ITSF"; chmlib is not asked to make
    // sense of anything else.
    QFile bestand(pad);
    if (!bestand.open(QIODevice::ReadOnly) || bestand.read(4) != "ITSF") {
        f = HelpFout::Onleesbaar;
        return nullptr;
    }
    bestand.close();
    chmFile* h = chm_open(QFile::encodeName(pad).constData());
    if (!h) {
        f = HelpFout::Onleesbaar;
        return nullptr;
    }
    auto help = std::make_unique<ChmHelp>(h);
    if (!help->leesStandaard())
        help->kiesStandaard();
    // A file whose start page cannot be read is of no use to anyone.
    if (help->standaardOnderwerp().isEmpty() || !help->lees(help->standaardOnderwerp())) {
        f = HelpFout::Onleesbaar;
        return nullptr;
    }
    f = HelpFout::Geen;
    return help;
}

std::optional<QByteArray> GeheugenHelp::lees(const QString& pad) const {
    const auto it = m_inhoud.constFind(pad);
    if (it == m_inhoud.constEnd())
        return std::nullopt;
    return *it;
}

} // namespace platform
