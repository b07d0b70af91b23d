// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The help window and the browser that reads pages out of the help file.
#include "app/helpvenster.h"

#include "app/berichten.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QStringDecoder>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString kSchema = QStringLiteral("chm");
const QString kTitel = QStringLiteral("Kwintelvlak Help");
// The search data that the help's build puts in the help file.
const QString kZoekGegevens = QStringLiteral("/zoeken.txt");

bool isExtern(const QUrl& url) {
    const QString s = url.scheme();
    return s == QLatin1String("http") || s == QLatin1String("https") ||
           s == QLatin1String("mailto");
}

// A page of our own when a link leads nowhere, so the reader sees what is
// wrong instead of an empty window.
QString ontbrekendePagina(const QString& pad) {
    return QStringLiteral("<html><head><title>Pagina ontbreekt</title></head><body>"
                          "<h1>Pagina ontbreekt</h1><p>De pagina <code>%1</code> staat niet "
                          "in het helpbestand.</p></body></html>")
        .arg(pad.toHtmlEscaped());
}

} // namespace

THelpTekst::THelpTekst(std::unique_ptr<platform::HelpBestand> bestand, QWidget* parent)
    : QTextBrowser(parent), m_bestand(std::move(bestand)) {
    setOpenLinks(true);
    setOpenExternalLinks(false);
}

QUrl THelpTekst::adres(const QString& pad) {
    QUrl url;
    url.setScheme(kSchema);
    url.setPath(pad.startsWith(QLatin1Char('/')) ? pad : QLatin1Char('/') + pad);
    return url;
}

void THelpTekst::toonStandaard() {
    setSource(adres(m_bestand->standaardOnderwerp()));
}

void THelpTekst::doSetSource(const QUrl& naam, QTextDocument::ResourceType type) {
    if (isExtern(naam)) {
        QDesktopServices::openUrl(naam);
        return;
    }
    QTextBrowser::doSetSource(naam, type);
}

QVariant THelpTekst::loadResource(int type, const QUrl& naam) {
    // Relative names arrive resolved against the page shown; a bare path
    // counts as a path inside the help file too.
    // Nothing outside the help file is read: a page cannot pull in files
    // from the disk or anything else by naming another scheme.
    if (!naam.scheme().isEmpty() && naam.scheme() != kSchema)
        return {};
    const QString pad = naam.path().isEmpty()                      ? m_bestand->standaardOnderwerp()
                        : naam.path().startsWith(QLatin1Char('/')) ? naam.path()
                                                                   : QLatin1Char('/') + naam.path();
    const std::optional<QByteArray> inhoud = m_bestand->lees(pad);
    switch (type) {
    case QTextDocument::HtmlResource: {
        if (!inhoud)
            return ontbrekendePagina(pad);
        // Our pages are UTF-8; a page that says otherwise in its head is
        // decoded as it says.
        QStringDecoder decoder(
            QStringDecoder::encodingForHtml(*inhoud).value_or(QStringConverter::Utf8));
        return QString(decoder(*inhoud));
    }
    case QTextDocument::ImageResource: {
        if (!inhoud)
            return {};
        QImage plaatje;
        if (!plaatje.loadFromData(*inhoud))
            return {};
        return plaatje;
    }
    case QTextDocument::StyleSheetResource:
        return inhoud ? QVariant(QString::fromUtf8(*inhoud)) : QVariant();
    default:
        return inhoud ? QVariant(*inhoud) : QVariant();
    }
}

THelpVenster::THelpVenster(std::unique_ptr<platform::HelpBestand> bestand, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("helpVenster"));
    setWindowTitle(kTitel);
    // Readable text in the system's font, not the board's small one.
    setFont(QApplication::font());
    auto* balk = new QToolBar(this);
    balk->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    if (const std::optional<QByteArray> gegevens = bestand->lees(kZoekGegevens))
        m_zoeker.laad(*gegevens);
    tekst = new THelpTekst(std::move(bestand), this);

    acVorige = balk->addAction(style()->standardIcon(QStyle::SP_ArrowBack),
                               QStringLiteral("&Vorige"), tekst, &QTextBrowser::backward);
    acVorige->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    acVolgende = balk->addAction(style()->standardIcon(QStyle::SP_ArrowForward),
                                 QStringLiteral("V&olgende"), tekst, &QTextBrowser::forward);
    acVolgende->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    acInhoud = balk->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon),
                               QStringLiteral("&Inhoud"), tekst, &THelpTekst::toonStandaard);
    acInhoud->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    acVorige->setEnabled(false);
    acVolgende->setEnabled(false);
    connect(tekst, &QTextBrowser::backwardAvailable, acVorige, &QAction::setEnabled);
    connect(tekst, &QTextBrowser::forwardAvailable, acVolgende, &QAction::setEnabled);
    connect(tekst, &QTextBrowser::sourceChanged, this, [this] {
        // The start page's own title is the window's: not twice.
        const QString titel = tekst->documentTitle().trimmed();
        setWindowTitle(titel.isEmpty() || titel == kTitel ? kTitel
                                                          : kTitel + QStringLiteral(" - ") + titel);
    });

    // The search field, at the right of the tool bar.
    auto* ruimte = new QWidget(balk);
    ruimte->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    balk->addWidget(ruimte);
    auto* zoekLabel = new QLabel(QStringLiteral("&Zoeken: "), balk);
    balk->addWidget(zoekLabel);
    zoekVeld = new QLineEdit(balk);
    zoekVeld->setObjectName(QStringLiteral("zoekVeld"));
    zoekVeld->setPlaceholderText(QStringLiteral("Zoeken"));
    zoekVeld->setClearButtonEnabled(true);
    zoekVeld->setMinimumWidth(200);
    zoekLabel->setBuddy(zoekVeld);
    balk->addWidget(zoekVeld);
    if (m_zoeker.leeg()) {
        zoekVeld->setEnabled(false);
        zoekVeld->setToolTip(QStringLiteral("Dit helpbestand heeft geen zoekgegevens."));
    }
    auto* acZoeken = new QAction(this);
    acZoeken->setShortcut(QKeySequence::Find);
    connect(acZoeken, &QAction::triggered, this, [this] {
        zoekVeld->setFocus(Qt::ShortcutFocusReason);
        zoekVeld->selectAll();
    });
    addAction(acZoeken);

    trefferLijst = new QListWidget(this);
    trefferLijst->setObjectName(QStringLiteral("trefferLijst"));
    // A long title wraps onto more lines within the list's width, so every
    // title can be read without scrolling sideways.
    trefferLijst->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    trefferLijst->setWordWrap(true);
    trefferLijst->setTextElideMode(Qt::ElideRight);
    trefferLijst->setResizeMode(QListView::Adjust);
    trefferLijst->hide();
    connect(zoekVeld, &QLineEdit::textChanged, this, &THelpVenster::zoek);
    connect(zoekVeld, &QLineEdit::returnPressed, this,
            [this] { openTreffer(trefferLijst->currentItem()); });
    zoekVeld->installEventFilter(this);
    connect(trefferLijst, &QListWidget::itemActivated, this, &THelpVenster::openTreffer);
    connect(trefferLijst, &QListWidget::itemClicked, this, &THelpVenster::openTreffer);

    auto* splitser = new QSplitter(Qt::Horizontal, this);
    splitser->addWidget(trefferLijst);
    splitser->addWidget(tekst);
    splitser->setStretchFactor(0, 0);
    splitser->setStretchFactor(1, 1);
    splitser->setSizes({220, 540});
    splitser->setChildrenCollapsible(false);

    auto* indeling = new QVBoxLayout(this);
    indeling->setContentsMargins(0, 0, 0, 0);
    indeling->setSpacing(0);
    indeling->addWidget(balk);
    indeling->addWidget(splitser);
    resize(760, 600);
    tekst->toonStandaard();
}

void THelpVenster::zoek(const QString& vraag) {
    trefferLijst->clear();
    if (vraag.trimmed().isEmpty()) {
        trefferLijst->hide();
        return;
    }
    const QList<THelpZoeker::Treffer> treffers = m_zoeker.zoek(vraag);
    for (const THelpZoeker::Treffer& t : treffers) {
        auto* item = new QListWidgetItem(t.titel.isEmpty() ? t.pad : t.titel, trefferLijst);
        item->setData(Qt::UserRole, t.pad);
        item->setToolTip(t.pad.mid(1));
    }
    if (treffers.isEmpty()) {
        auto* item = new QListWidgetItem(QStringLiteral("Niets gevonden"), trefferLijst);
        item->setFlags(Qt::NoItemFlags);
    } else {
        trefferLijst->setCurrentRow(0);
    }
    trefferLijst->show();
}

void THelpVenster::openTreffer(QListWidgetItem* item) {
    if (!item)
        return;
    const QString pad = item->data(Qt::UserRole).toString();
    if (pad.isEmpty())
        return;
    tekst->setSource(THelpTekst::adres(pad));
}

bool THelpVenster::eventFilter(QObject* object, QEvent* event) {
    // Up and down in the search field walk the list of pages found; Escape
    // empties the field.
    if (object == zoekVeld && event->type() == QEvent::KeyPress) {
        const int toets = static_cast<QKeyEvent*>(event)->key();
        if ((toets == Qt::Key_Down || toets == Qt::Key_Up) && trefferLijst->isVisible() &&
            trefferLijst->count() > 0) {
            const int rij = trefferLijst->currentRow() + (toets == Qt::Key_Down ? 1 : -1);
            if (rij >= 0 && rij < trefferLijst->count() &&
                (trefferLijst->item(rij)->flags() & Qt::ItemIsEnabled))
                trefferLijst->setCurrentRow(rij);
            return true;
        }
        if (toets == Qt::Key_Escape && !zoekVeld->text().isEmpty()) {
            zoekVeld->clear();
            return true;
        }
    }
    return QWidget::eventFilter(object, event);
}

THelpVenster* toonHelp(QWidget* owner, const QString& pad) {
    // The window stays after it is closed and is shown again, on the page
    // last read, as long as it still shows the same file.
    const QString bestandsPad = QFileInfo(pad).absoluteFilePath();
    THelpVenster* venster = nullptr;
    for (THelpVenster* v : owner->findChildren<THelpVenster*>(Qt::FindDirectChildrenOnly)) {
        if (v->property("helpPad").toString() == bestandsPad)
            venster = v;
        else
            v->deleteLater();
    }
    if (!venster) {
        platform::HelpFout fout = platform::HelpFout::Geen;
        std::unique_ptr<platform::HelpBestand> bestand = platform::openHelpBestand(pad, &fout);
        if (fout == platform::HelpFout::Ontbreekt) {
            toonBericht(owner, QMessageBox::Critical, QStringLiteral("Fout"),
                        QStringLiteral("Het helpbestand kon niet gevonden worden. Zorg ervoor\n"
                                       "dat het bestand \"kwintel.chm\" aanwezig is in dezelfde "
                                       "map\nals het Kwintelvlak programma."));
            return nullptr;
        }
        if (!bestand) {
            toonBericht(owner, QMessageBox::Critical, QStringLiteral("Fout"),
                        QStringLiteral("Het helpbestand \"%1\" is beschadigd en kan niet gelezen "
                                       "worden.\nZet een goed exemplaar van \"kwintel.chm\" in "
                                       "dezelfde map als het Kwintelvlak programma.")
                            .arg(QFileInfo(pad).fileName()));
            return nullptr;
        }
        venster = new THelpVenster(std::move(bestand), owner);
        venster->setProperty("helpPad", bestandsPad);
    }
    venster->show();
    venster->raise();
    venster->activateWindow();
    return venster;
}
