#include "design/DesignCommands.h"

#include "core/CardDocument.h"
#include "core/CommandGuard.h"
#include "core/DesignPainter.h"
#include "core/Questions.h"
#include "design/CardEditor.h"
#include "design/DesignGuides.h"
#include "design/QrPlacement.h"
#include "merge/ShownPerson.h"
#include "stamp/LogoLoader.h"
#include "window/CardView.h"
#include "window/MainWindow.h"

#include <QAction>
#include <memory>

namespace {

// The photo formats the photo dialog offers, with the drawings a logo is best made as.
QString logoFileFilter()
{
    return QStringLiteral("Logo's ( Svg, Png, Jpg, Heic, WebP, Tiff, Bmp, Gif, Wmf )"
                          "|*.svg;*.png;*.jpg;*.jpeg;*.heic;*.heif;*.webp;*.tif;*.tiff;*.bmp;*.gif;*.wmf");
}

} // namespace

void insertLogo(MainWindow &window, CardEditor &editor)
{
    if (!window.document().hasRoomForObject()) {
        window.questions().message(QStringLiteral("Lumovander"), CardDesign::fullMessage());
        return;
    }
    const QString path = window.questions().openFileName(logoFileFilter());
    if (path.isEmpty())
        return;
    const LogoLoader::Loaded loaded = LogoLoader::read(path);
    if (!loaded) {
        window.questions().message(QStringLiteral("Lumovander"), loaded.fault);
        return;
    }
    CardDocument &document = window.document();
    PlacedObject logo;
    logo.logo = loaded.logo;
    // Its own shape on paper at this card's size; drawn in that shape on any other.
    logo.rect = DesignGuides::newLogoRect(DesignPainter::logoSize(loaded.logo),
                                          DesignGuides::CardScale::of(document.printSettings()));
    document.insertObject(logo);
    editor.select(CardItem::object(int(document.design().objects.size()) - 1));
}

namespace {

QSizeF cardMm(const CardDocument &document)
{
    const DesignGuides::CardScale scale = DesignGuides::CardScale::of(document.printSettings());
    return {scale.widthMm, scale.heightMm};
}

} // namespace

void insertQr(MainWindow &window, CardEditor &editor)
{
    CardDocument &document = window.document();
    if (!document.hasRoomForObject()) {
        window.questions().message(QStringLiteral("Lumovander"), CardDesign::fullMessage());
        return;
    }
    const QrPlacement::NewCode made = QrPlacement::newCode(document.state().TextLines, cardMm(document));
    const auto answer =
        editor.qrQuestion().askQr(document.card(), document.shownSide(), made.qr, made.rect, cardMm(document));
    if (!answer)
        return;
    PlacedObject qr;
    qr.kind = PlacedObject::Kind::Qr;
    qr.rect = made.rect;
    qr.qr = *answer;
    document.insertObject(qr);
    editor.select(CardItem::object(int(document.design().objects.size()) - 1));
}

QrNotice qrNotice(const CardDocument &document)
{
    QStringList whole;
    QStringList brief;
    for (const PlacedObject &object : document.design().objects) {
        if (object.kind != PlacedObject::Kind::Qr)
            continue;
        for (const QrPlacement::Warning &warning :
             QrPlacement::notes(document.card(), document.shownSide(), object.qr, object.rect, cardMm(document))) {
            if (whole.contains(warning.message))
                continue;
            whole.append(warning.message);
            brief.append(warning.brief);
        }
    }
    return {brief.join(QStringLiteral("; ")), whole.join(u' ')};
}

QString qrWarnings(const CardDocument &document)
{
    return qrNotice(document).whole;
}

CardEditor &installDesignCommands(MainWindow &window, LineStyleQuestion *styles)
{
    CardView *view = window.cardView();
    // Owned by the view, so that it never outlives what it watches.
    auto *editor = new CardEditor(*view, window.document(), window.questions(), styles, view);
    QObject::connect(window.action(QStringLiteral("InvoegenLogo")), &QAction::triggered, &window,
                     CommandGuard::guarded(window.questions(), [&window, editor] { insertLogo(window, *editor); }));
    QObject::connect(window.action(QStringLiteral("InvoegenQr")), &QAction::triggered, &window,
                     CommandGuard::guarded(window.questions(), [&window, editor] { insertQr(window, *editor); }));
    // A code that will not scan is said in the info line whenever that changes; nothing
    // is refused.
    auto shown = std::make_shared<QString>();
    QObject::connect(&window.document(), &CardDocument::designChanged, &window, [&window, shown] {
        const QrNotice notice = qrNotice(window.document());
        if (notice.whole == *shown)
            return;
        *shown = notice.whole;
        if (!notice.whole.isEmpty())
            window.showInfoInBrief(notice.brief, notice.whole);
    });
    // With a team the line names the person shown at every step; a code that will not
    // scan for someone stays said beside it, or a step would hide it.
    QObject::connect(&window.document(), &CardDocument::personChanged, &window, [&window] {
        const QString caption = personCaption(window.document());
        const QrNotice notice = qrNotice(window.document());
        if (caption.isEmpty() || notice.whole.isEmpty())
            return;
        window.showInfoInBrief(caption + QStringLiteral("; ") + notice.brief,
                               caption + QStringLiteral(". ") + notice.whole);
    });
    return *editor;
}
