// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Reading a compiled HTML help file (".chm"): its pages and pictures by their
// path inside the file, and the topic it opens on. The help window asks only
// this interface, so tests can hand it a help file held in memory.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <memory>
#include <optional>

namespace platform {

class HelpBestand {
public:
    virtual ~HelpBestand() = default;
    // The bytes stored under an absolute path inside the file ("/led.html");
    // nothing when there is no such entry or it cannot be read.
    virtual std::optional<QByteArray> lees(const QString& pad) const = 0;
    // The absolute path of the page shown first.
    virtual QString standaardOnderwerp() const = 0;
};

// Why opening a help file failed.
enum class HelpFout { Geen, Ontbreekt, Onleesbaar };

// Opens the help file at pad (a path on disk). On failure gives null and sets
// fout: Ontbreekt when no file is there, Onleesbaar when the file is not a
// help file that can be read (damaged, cut short, something else).
std::unique_ptr<HelpBestand> openHelpBestand(const QString& pad, HelpFout* fout = nullptr);

// A help file held in memory, for tests.
class GeheugenHelp : public HelpBestand {
public:
    explicit GeheugenHelp(QString standaard) : m_standaard(std::move(standaard)) {}
    void zet(const QString& pad, const QByteArray& inhoud) { m_inhoud.insert(pad, inhoud); }
    std::optional<QByteArray> lees(const QString& pad) const override;
    QString standaardOnderwerp() const override { return m_standaard; }

private:
    QString m_standaard;
    QHash<QString, QByteArray> m_inhoud;
};

} // namespace platform
