// lumo_design_shots DIR: a card restyled and moved by hand in the designer window, with a
// logo top right, saved as DIR/opgemaakte-kaart.png; the same card while a line is
// dragged onto the card's middle as DIR/kaart-slepen.png; and the
// line style dialog open on its name line as DIR/regel-opmaak.png; the card with its
// contact as a QR code as DIR/kaart-met-qr.png and the QR dialog as DIR/qr-dialoog.png;
// the card's back in the window as DIR/achterkant.png, the print dialog printing both
// sides as DIR/afdrukken-dubbelzijdig.png and its page preview of the back as
// DIR/voorbeeld-achterkant.png; the card with its QR code printed for a team of ten, a
// sheet of ten different people as the printer gets it, as DIR/team-vel.png. Before all these, a photo being cropped for the card's
// background as DIR/bijsnijden.png and the card it makes as DIR/bijgesneden-kaart.png.
// scripts/design-shots.sh runs it on a virtual X screen. Not a test: it only shows.
#include "background/BackgroundPhoto.h"
#include "core/CardDocument.h"
#include "core/CardPainter.h"
#include "core/DataFolder.h"
#include "core/DesignPainter.h"
#include "design/DesignGuides.h"
#include "design/QrDialog.h"
#include "design/QrPlacement.h"
#include "design/RegelOpmaakDialog.h"
#include "print/SheetPainter.h"
#include "print/TeamFaces.h"
#include "program/DutchLanguage.h"
#include "program/InstallCommands.h"
#include "stamp/LogoLoader.h"
#include "stamp/PhotoWorkspace.h"
#include "stamp/panel/PhotoView.h"
#include "window/CardView.h"
#include "window/MainWindow.h"
#include "window/WidgetQuestions.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <functional>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

// A small mark in two colours: a rounded square with a leaf, as a logo would be.
const char *const LogoSvg = R"(<svg xmlns="http://www.w3.org/2000/svg" width="120" height="100" viewBox="0 0 120 100">
<rect x="4" y="4" width="112" height="92" rx="18" fill="#1d4e89"/>
<path d="M30 72 C30 40 58 22 92 24 C90 58 66 78 30 72 Z" fill="#f2a541"/>
<path d="M30 72 L74 40" stroke="#1d4e89" stroke-width="5" stroke-linecap="round"/>
</svg>)";

LineFont font(const char *name, int size, bool bold, bool italic, QColor colour)
{
    return {QString::fromLatin1(name), size, bold, italic, false, colour};
}

void designCard(CardDocument &document)
{
    const char *const lines[] = {"", "Marieke de Vries", "Grafisch ontwerper", "Kerkstraat 12",
                                 "3511 AB  Utrecht", "06 - 12 34 56 78", "marieke@devries-ontwerp.nl",
                                 "www.devries-ontwerp.nl"};
    for (int line = 1; line <= 7; ++line)
        document.enterTextLine(line, QString::fromUtf8(lines[line]));
    const QColor ink(29, 78, 137);
    const QColor grey(90, 90, 90);
    document.restyleLine(1, font("Liberation Sans", 22, true, false, ink), LineAlign::Left);
    document.restyleLine(2, font("Liberation Sans", 12, false, true, grey), LineAlign::Left);
    for (int line = 3; line <= 6; ++line)
        document.restyleLine(line, font("Liberation Sans", 9, false, false, grey), LineAlign::Left);
    document.restyleLine(7, font("Liberation Sans", 10, true, false, ink), LineAlign::Right);
    // The name and the function moved down by hand, the contact lines closer together.
    document.moveItem(CardItem::line(1), QPointF(0, 40));
    document.moveItem(CardItem::line(2), QPointF(0, 51));
    for (int line = 3; line <= 6; ++line)
        document.moveItem(CardItem::line(line), QPointF(0, 50 - 10 * (line - 3)));
    document.moveItem(CardItem::line(7), QPointF(0, 18));

    const LogoLoader::Loaded loaded = LogoLoader::fromBytes(QByteArray(LogoSvg), QStringLiteral("logo.svg"));
    if (!loaded)
        return;
    PlacedObject logo;
    logo.logo = loaded.logo;
    logo.rect = DesignGuides::newLogoRect(DesignPainter::logoSize(loaded.logo),
                                          DesignGuides::CardScale::of(document.printSettings()));
    document.insertObject(logo);
}

// The back: the logo large on the card's blue, a slogan and a line for an appointment.
void designBack(CardDocument &document)
{
    document.showSide(CardSide::Back);
    document.setBackColorComponent(CardDocument::Red, 29);
    document.setBackColorComponent(CardDocument::Green, 78);
    document.setBackColorComponent(CardDocument::Blue, 137);
    const QColor white(Qt::white);
    document.enterTextLine(5, QStringLiteral("Ontwerp dat blijft hangen"));
    document.restyleLine(5, font("Liberation Serif", 16, false, true, white), LineAlign::Centre);
    document.enterTextLine(7, QStringLiteral("Uw afspraak: ____________"));
    document.restyleLine(7, font("Liberation Sans", 10, false, false, QColor(242, 165, 65)), LineAlign::Centre);
    document.moveItem(CardItem::line(7), QPointF(0, -6));
    const LogoLoader::Loaded loaded = LogoLoader::fromBytes(QByteArray(LogoSvg), QStringLiteral("logo.svg"));
    if (!loaded)
        return;
    PlacedObject logo;
    logo.logo = loaded.logo;
    logo.rect = QRectF(165, 22, 110, 92);
    document.insertObject(logo);
}

void sendMouse(QWidget *widget, QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, widget->mapFromGlobal(QPointF(global)), QPointF(global), button, buttons, {});
    QApplication::sendEvent(widget, &event);
}

bool save(QWidget &widget, const QString &folder, const QString &name)
{
    const QString path = QDir(folder).filePath(name);
    const bool saved = widget.grab().save(path);
    std::printf("%s: %s\n", qPrintable(path), saved ? "ok" : "FAILED");
    std::fflush(stdout);
    return saved;
}

// The card printed for a team of ten, starting from its third slot: a sheet as the
// printer gets it (the page picture of the print preview), with each person's lines and
// code, and the two slots used before left blank.
bool saveTeamSheet(const CardDocument &document, const QString &folder)
{
    CardTeam team;
    team.data.headers = {QStringLiteral("Naam"), QStringLiteral("Functie"), QStringLiteral("Mobiel"),
                         QStringLiteral("E-mail")};
    team.data.hasHeader = true;
    const char *const people[][4] = {
        {"Marieke de Vries", "Grafisch ontwerper", "06 - 12 34 56 78", "marieke@devries-ontwerp.nl"},
        {"Daan Bakker", "Webontwikkelaar", "06 - 23 45 67 89", "daan@devries-ontwerp.nl"},
        {"Sanne Jansen", "Fotograaf", "06 - 34 56 78 90", "sanne@devries-ontwerp.nl"},
        {"Youssef El Amrani", "Illustrator", "06 - 45 67 89 01", "youssef@devries-ontwerp.nl"},
        {"Lotte van Dijk", "Projectleider", "06 - 56 78 90 12", "lotte@devries-ontwerp.nl"},
        {"Bram Visser", "Tekstschrijver", "06 - 67 89 01 23", "bram@devries-ontwerp.nl"},
        {"Femke Mulder", "Art director", "06 - 78 90 12 34", "femke@devries-ontwerp.nl"},
        {"Thijs de Boer", "Stagiair", "", "thijs@devries-ontwerp.nl"},
    };
    for (const auto &person : people)
        team.data.rows.append({QString::fromUtf8(person[0]), QString::fromUtf8(person[1]),
                               QString::fromUtf8(person[2]), QString::fromUtf8(person[3])});
    team.mapping.lines[0] = LineSource::ofColumn(0);
    team.mapping.lines[1] = LineSource::ofColumn(1);
    team.mapping.lines[4] = LineSource::ofColumn(2);
    team.mapping.lines[5] = LineSource::ofColumn(3);
    Card card = document.card();
    card.back.reset();
    TeamFaces faces(card, team, false);
    SheetRequest request;
    request.sheet = SheetGeometry::from(document.printSettings());
    request.firstSlot = 2;
    const SheetPlan plan = SheetPlan::forCards(request, faces.people(), 1);
    if (plan.pages.isEmpty())
        return false;
    const QImage page = pagePicture([&faces](int planned, CardSide side) { return faces.face(planned, side); },
                                    request.sheet, plan.pages.front(), request.printableCorner, 4);
    const QString path = QDir(folder).filePath(QStringLiteral("team-vel.png"));
    const bool saved = page.save(path);
    std::printf("%s: %s\n", qPrintable(path), saved ? "ok" : "FAILED");
    std::fflush(stdout);
    return saved;
}

// The print dialog of the two-sided card, printing over the long edge, and its page
// preview on the back page; the program ends after.
void showPrintDialog(MainWindow &window, const QString &folder, bool &ok)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, &folder, &ok] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        poll->stop();
        poll->deleteLater();
        if (auto *sides = dialog->findChild<QComboBox *>(QStringLiteral("Dubbelzijdig")))
            sides->setCurrentIndex(1);
        if (auto *button = dialog->findChild<QAbstractButton *>(QStringLiteral("VoorbeeldKnop")))
            button->click();
        QTimer::singleShot(600, [dialog, &folder, &ok] {
            ok = save(*dialog, folder, QStringLiteral("afdrukken-dubbelzijdig.png")) && ok;
            QWidget *preview = nullptr;
            for (QWidget *top : QApplication::topLevelWidgets())
                if (top->objectName() == QStringLiteral("PaginaVoorbeeld") && top->isVisible())
                    preview = top;
            if (!preview) {
                ok = false;
                QCoreApplication::exit(1);
                return;
            }
            if (auto *next = preview->findChild<QAbstractButton *>(QStringLiteral("VolgendeKnop")))
                next->click();
            QTimer::singleShot(400, [dialog, preview, &folder, &ok] {
                ok = save(*preview, folder, QStringLiteral("voorbeeld-achterkant.png")) && ok;
                preview->close();
                static_cast<QDialog *>(dialog)->reject();
                QCoreApplication::exit(ok ? 0 : 1);
            });
        });
    });
    poll->start(50);
    QTimer::singleShot(0, [&window] { window.action(QStringLiteral("FilePrint"))->trigger(); });
}

// A landscape as a camera would take it, 3000 x 2000: sky, sun, hills and a house.
QImage landscape()
{
    QImage photo(3000, 2000, QImage::Format_RGB32);
    QPainter painter(&photo);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 1300);
    sky.setColorAt(0, QColor(38, 92, 170));
    sky.setColorAt(1, QColor(250, 196, 130));
    painter.fillRect(photo.rect(), sky);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 226, 120));
    painter.drawEllipse(QPointF(2200, 620), 170, 170);
    QPainterPath far, near;
    far.moveTo(0, 1250);
    far.cubicTo(800, 900, 1500, 1350, 3000, 1050);
    far.lineTo(3000, 2000);
    far.lineTo(0, 2000);
    painter.fillPath(far, QColor(88, 128, 96));
    near.moveTo(0, 1600);
    near.cubicTo(900, 1350, 2000, 1750, 3000, 1450);
    near.lineTo(3000, 2000);
    near.lineTo(0, 2000);
    painter.fillPath(near, QColor(58, 104, 62));
    painter.setBrush(QColor(236, 232, 220));
    painter.drawRect(QRectF(1180, 1300, 320, 220));
    painter.setBrush(QColor(160, 60, 48));
    painter.drawPolygon(QPolygonF({QPointF(1150, 1310), QPointF(1340, 1160), QPointF(1530, 1310)}));
    return photo;
}

// "Bijsnijden…" on the landscape: the frame zoomed in around the house and moved, as
// the user would, pictured; then "Ok" and the card pictured; then the card as it was.
void showCrop(MainWindow &window, const QString &folder, bool &ok, const std::function<void()> &next)
{
    const QString path = QDir(DataFolder::path()).filePath(QStringLiteral("landschap.jpg"));
    PhotoWorkspace &workspace = window.photoWorkspace();
    if (!landscape().save(path, "JPG", 92) || !loadBackgroundPhoto(window.document(), workspace.backPic(), path,
                                                                     PhotoPlacement::Crop)) {
        QCoreApplication::exit(1);
        return;
    }
    workspace.beginCrop();
    PhotoView *pic = window.photoView();
    const QPointF house = workspace.crop().frameInView().center() + QPointF(-40, 40);
    for (int notch = 0; notch < 3; ++notch) {
        QWheelEvent wheel(house, pic->mapToGlobal(house), {}, {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(pic, &wheel);
    }
    const QPoint from = pic->mapToGlobal(workspace.crop().frameInView().center().toPoint());
    sendMouse(pic, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    sendMouse(pic, QEvent::MouseMove, from + QPoint(-15, 10), Qt::NoButton, Qt::LeftButton);
    sendMouse(pic, QEvent::MouseButtonRelease, from + QPoint(-15, 10), Qt::LeftButton, Qt::NoButton);
    QTimer::singleShot(400, [&window, &folder, &ok, next] {
        ok = save(window, folder, QStringLiteral("bijsnijden.png")) && ok;
        if (auto *button = window.findChild<QAbstractButton *>(QStringLiteral("BijsnijdenOk")))
            button->click();
        QTimer::singleShot(400, [&window, &folder, &ok, next] {
            ok = save(window, folder, QStringLiteral("bijgesneden-kaart.png")) && ok;
            window.document().undo();
            QTimer::singleShot(200, next);
        });
    });
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumovander"));
    DutchLanguage::install(app);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/images");
    QDir().mkpath(folder);
    QTemporaryDir data;
    DataFolder::setOverride(data.path());

    CardDocument document;
    WidgetQuestions questions;
    MainWindow window(document, questions, DataFolder::settingsFile());
    questions.setParentWindow(&window);
    installSubsystemCommands(window);
    // The pictures show the card as printed on a card of 85 x 55 mm, the safety margin on.
    document.printSettings().CardWidthMm = 85;
    document.printSettings().CardHeightMm = 55;
    window.cardView()->followSheet();
    designCard(document);
    window.show();

    bool ok = true;
    const auto restyledShots = [&] {
        ok = save(window, folder, QStringLiteral("opgemaakte-kaart.png")) && ok;
        // Halfway through a drag of the web address: its middle held on the card's.
        QWidget *line = window.cardView()->textLine(7);
        const QPoint from = line->mapToGlobal(QPoint(6, 6));
        sendMouse(line, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        sendMouse(line, QEvent::MouseMove, from + QPoint(-118, 0), Qt::NoButton, Qt::LeftButton);
        ok = save(*window.cardView(), folder, QStringLiteral("kaart-slepen.png")) && ok;
        sendMouse(line, QEvent::MouseButtonRelease, from + QPoint(-118, 0), Qt::LeftButton, Qt::NoButton);
        document.undo();
        const LineDesign &name = document.design().lines[1];
        auto *dialog = new RegelOpmaakDialog(1, LineStyle{name.font, name.align},
                                             CardPainter::cardFont(document.state()), questions, &window);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->show();
        QTimer::singleShot(600, [&, dialog] {
            ok = save(*dialog, folder, QStringLiteral("regel-opmaak.png")) && ok;
            dialog->close();
            // The same card with its contact as a QR code bottom right, the web address
            // moved to the left for it, and the QR dialog open on the code.
            document.restyleLine(7, font("Liberation Sans", 10, true, false, QColor(29, 78, 137)), LineAlign::Left);
            const QSizeF cardMm(85, 55);
            const QSizeF side = QrPlacement::canvasSize(25, cardMm);
            PlacedObject qr;
            qr.kind = PlacedObject::Kind::Qr;
            qr.rect = QRectF(QPointF(440 - 3 * 440 / cardMm.width() - side.width(),
                                     270 - 3 * 270 / cardMm.height() - side.height()),
                             side);
            qr.qr = QrObject::fromLines(document.state().TextLines);
            qr.qr.level = QrLevel::L;
            document.insertObject(qr);
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(window.cardView(), &escape);
            QTimer::singleShot(400, [&, qr, cardMm] {
                ok = save(window, folder, QStringLiteral("kaart-met-qr.png")) && ok;
                auto *qrDialog = new QrDialog(document.card(), CardSide::Front, document.design().objects.back().qr, qr.rect, cardMm, &window);
                qrDialog->setAttribute(Qt::WA_DeleteOnClose);
                qrDialog->show();
                QTimer::singleShot(600, [&, qrDialog] {
                    ok = save(*qrDialog, folder, QStringLiteral("qr-dialoog.png")) && ok;
                    qrDialog->close();
                    ok = saveTeamSheet(document, folder) && ok;
                    designBack(document);
                    QTimer::singleShot(400, [&] {
                        ok = save(window, folder, QStringLiteral("achterkant.png")) && ok;
                        showPrintDialog(window, folder, ok);
                    });
                });
            });
        });
    };
    QTimer::singleShot(800, [&] { showCrop(window, folder, ok, restyledShots); });
    QTimer::singleShot(60000, [] { QCoreApplication::exit(1); });
    return app.exec();
}
