#include "design/DesignCommands.h"

#include "core/CardDocument.h"
#include "core/CommandGuard.h"
#include "core/Questions.h"
#include "design/CardEditor.h"
#include "design/DesignGuides.h"
#include "stamp/LogoLoader.h"
#include "window/CardView.h"
#include "window/MainWindow.h"

#include <QAction>

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
    logo.rect = DesignGuides::newLogoRect(LogoLoader::naturalSize(loaded.logo),
                                          DesignGuides::CardScale::of(document.printSettings()));
    document.insertObject(logo);
    editor.select(CardItem::object(int(document.design().objects.size()) - 1));
}

CardEditor &installDesignCommands(MainWindow &window, LineStyleQuestion *styles)
{
    CardView *view = window.cardView();
    // Owned by the view, so that it never outlives what it watches.
    auto *editor = new CardEditor(*view, window.document(), window.questions(), styles, view);
    QObject::connect(window.action(QStringLiteral("InvoegenLogo")), &QAction::triggered, &window,
                     CommandGuard::guarded(window.questions(), [&window, editor] { insertLogo(window, *editor); }));
    return *editor;
}
