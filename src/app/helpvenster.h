// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The program's own help window: it shows the pages of the compiled help
// file "kwintel.chm", with links between pages, pictures, and going back and
// forward.
#pragma once

#include "app/helpzoeken.h"
#include "platform/helpbestand.h"

#include <QTextBrowser>
#include <QWidget>
#include <memory>

class QAction;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

// A text browser that takes every page and picture from a help file. Pages
// are addressed as "chm:/path/page.html", so relative links resolve inside
// the file; links to the web or to e-mail go to the system's browser.
class THelpTekst : public QTextBrowser {
    Q_OBJECT
public:
    explicit THelpTekst(std::unique_ptr<platform::HelpBestand> bestand, QWidget* parent = nullptr);
    // The address of a page inside the help file.
    static QUrl adres(const QString& pad);
    // Shows the help file's default topic.
    void toonStandaard();
    const platform::HelpBestand& bestand() const { return *m_bestand; }

    QVariant loadResource(int type, const QUrl& naam) override;

protected:
    void doSetSource(const QUrl& naam, QTextDocument::ResourceType type) override;

private:
    std::unique_ptr<platform::HelpBestand> m_bestand;
};

// The help window: a tool bar ("Vorige", "Volgende", "Inhoud", the search
// field "Zoeken") over the browser; while a search is typed, the pages found
// are listed beside it. The window is the main window's child, made once and
// shown again.
class THelpVenster : public QWidget {
    Q_OBJECT
public:
    THelpVenster(std::unique_ptr<platform::HelpBestand> bestand, QWidget* parent);
    THelpTekst* tekst = nullptr;
    QAction* acVorige = nullptr;
    QAction* acVolgende = nullptr;
    QAction* acInhoud = nullptr;
    QLineEdit* zoekVeld = nullptr;
    QListWidget* trefferLijst = nullptr;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void zoek(const QString& vraag);
    void openTreffer(QListWidgetItem* item);
    THelpZoeker m_zoeker;
};

// Opens the help file at pad in the help window of owner, or shows why it
// cannot: a missing file with the "Fout" box, a damaged one with a message
// of its own. Returns the window when the help is shown.
THelpVenster* toonHelp(QWidget* owner, const QString& pad);
