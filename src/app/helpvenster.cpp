// The help window and the browser that reads pages out of the help file.
#include "app/helpvenster.h"

#include "app/berichten.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QImage>
#include <QStringDecoder>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString kSchema = QStringLiteral("chm");

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
    setWindowTitle(QStringLiteral("Kwintelvlak Help"));
    // Readable text in the system's font, not the board's small one.
    setFont(QApplication::font());
    auto* balk = new QToolBar(this);
    balk->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
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
        const QString titel = tekst->documentTitle();
        setWindowTitle(titel.isEmpty() ? QStringLiteral("Kwintelvlak Help")
                                       : QStringLiteral("Kwintelvlak Help - ") + titel);
    });

    auto* indeling = new QVBoxLayout(this);
    indeling->setContentsMargins(0, 0, 0, 0);
    indeling->setSpacing(0);
    indeling->addWidget(balk);
    indeling->addWidget(tekst);
    resize(760, 600);
    tekst->toonStandaard();
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
