// A logo keeps its own shape in the window and on paper, on every card size, whatever
// the canvas's pixels (square on paper only on a card of 440:270) make of its
// rectangle; only a resize with Shift changes it, and that shape comes back from the file.
#include "app/WindowFixture.h"
#include "cardfile/DesignFile.h"
#include "core/CardPainter.h"
#include "design/CardEditor.h"
#include "design/DesignCommands.h"
#include "design/DesignGuides.h"
#include "print/PdfSheetWriter.h"
#include "print/PrintedCard.h"
#include "print/RenderedPdf.h"
#include "print/SheetGeometry.h"
#include "window/CardView.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <tuple>

namespace {

struct CardSize {
    double width;
    double height;
};

bool isRed(QRgb pixel)
{
    return qRed(pixel) > 160 && qGreen(pixel) < 90 && qBlue(pixel) < 90;
}

double aspectOf(const QRectF &box)
{
    return box.isEmpty() ? 0 : box.width() / box.height();
}

class LogoShapeTest : public WindowFixture {
protected:
    void SetUp() override
    {
        window.show();
        // A white card, so that only the logo is red.
        doc.drawOnCanvas(QStringLiteral("Wit"), [](QImage &image) { image.fill(Qt::white); });
    }

    void useCard(CardSize size)
    {
        doc.printSettings().CardWidthMm = size.width;
        doc.printSettings().CardHeightMm = size.height;
    }

    QString circleSvg()
    {
        return write(QStringLiteral("rond.svg"), "<svg xmlns='http://www.w3.org/2000/svg' width='100' height='100' "
                                                 "viewBox='0 0 100 100'><circle cx='50' cy='50' r='50' "
                                                 "fill='#e00000'/></svg>");
    }
    QString circlePng()
    {
        QImage image(240, 240, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(224, 0, 0));
        painter.drawEllipse(QRectF(0, 0, 240, 240));
        painter.end();
        const QString path = dir.filePath(QStringLiteral("rond.png"));
        EXPECT_TRUE(image.save(path));
        return path;
    }
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    void insert(const QString &path)
    {
        questions.openFileAnswers = {path};
        trigger(QStringLiteral("InvoegenLogo"));
        ASSERT_EQ(doc.design().objects.size(), 1u);
    }

    // The red of the logo as the window shows it, in the view's pixels.
    QRectF onScreen()
    {
        const QImage shown = window.cardView()->grab().toImage();
        QRect box;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (isRed(shown.pixel(x, y)))
                    box |= QRect(x, y, 1, 1);
        return box;
    }

    // The red of the logo on the first card of the printed sheet, in millimetres.
    QRectF onPaper(const QString &name)
    {
        const QString pdf = dir.filePath(name + QStringLiteral(".pdf"));
        const SheetGeometry sheet = SheetGeometry::from(doc.printSettings());
        EXPECT_TRUE(writeSheetPdf(pdf, PrintedCard::from(doc.card()), sheet, 1).isPrinted());
        const QRectF card(sheet.cardCorners().front(), QSizeF(sheet.cardWidth, sheet.cardHeight));
        return RenderedPdf::boxOf(RenderedPdf::renderPage(pdf), card, isRed);
    }

    void dragHandle(QPointF canvasCorner, QPoint by, Qt::KeyboardModifiers modifiers)
    {
        CardView *view = window.cardView();
        const QPoint global = view->mapToGlobal(canvasCorner.toPoint());
        for (const auto &[type, at, button, buttons] :
             {std::tuple{QEvent::MouseButtonPress, global, Qt::LeftButton, Qt::MouseButtons(Qt::LeftButton)},
              std::tuple{QEvent::MouseMove, global + by, Qt::NoButton, Qt::MouseButtons(Qt::LeftButton)},
              std::tuple{QEvent::MouseButtonRelease, global + by, Qt::LeftButton, Qt::MouseButtons()}}) {
            QMouseEvent event(type, view->mapFromGlobal(QPointF(at)), QPointF(at), button, buttons, modifiers);
            QApplication::sendEvent(view, &event);
        }
    }

    CardEditor &editor = installDesignCommands(window, nullptr);
};

constexpr CardSize Wide{90, 50};
constexpr CardSize Tall{85, 55};

} // namespace

TEST_F(LogoShapeTest, ARoundSvgOrPngIsRoundOnScreenAndOnPaperOnEitherCardSize)
{
    for (const CardSize size : {Tall, Wide})
        for (const bool svg : {true, false}) {
            SCOPED_TRACE(QStringLiteral("%1 x %2 %3").arg(size.width).arg(size.height).arg(svg ? QStringLiteral("svg") : QStringLiteral("png")).toStdString());
            doc.newCard();
            doc.drawOnCanvas(QStringLiteral("Wit"), [](QImage &image) { image.fill(Qt::white); });
            useCard(size);
            insert(svg ? circleSvg() : circlePng());
            const QRectF screen = onScreen();
            EXPECT_NEAR(aspectOf(screen), 1, 0.02) << screen.width() << " x " << screen.height();
            // 20 mm wide on paper, as high as it is wide.
            const QRectF paper = onPaper(QStringLiteral("kaart"));
            EXPECT_NEAR(paper.width(), DesignGuides::NewLogoWidthMm, 0.3);
            EXPECT_NEAR(aspectOf(paper), 1, 0.02) << paper.width() << " x " << paper.height();

            // The same card printed on the other size: still round, as large as its
            // rectangle holds there.
            useCard(size.width == Wide.width ? Tall : Wide);
            const QRectF other = onPaper(QStringLiteral("andere"));
            EXPECT_NEAR(aspectOf(other), 1, 0.02) << other.width() << " x " << other.height();
            EXPECT_NEAR(aspectOf(onScreen()), 1, 0.02);
        }
}

TEST_F(LogoShapeTest, AResizeKeepsTheShapeOnPaperAndOnlyShiftChangesItForEveryCardSize)
{
    useCard(Wide);
    insert(circleSvg());
    // An older card's rectangle, out of the logo's shape on paper: the first resize
    // without Shift puts it back in shape.
    QRectF rect = doc.design().objects[0].rect;
    doc.resizeObject(0, QRectF(rect.topLeft(), QSizeF(rect.width(), rect.height() * 1.3)));
    rect = doc.design().objects[0].rect;
    dragHandle(rect.bottomLeft(), QPoint(-20, 0), {});
    const QRectF grown = doc.design().objects[0].rect;
    EXPECT_NEAR(DesignGuides::paperAspect(grown, DesignGuides::CardScale{Wide.width, Wide.height}), 1, 1e-9);
    EXPECT_NEAR(grown.right(), rect.right(), 1e-9);
    EXPECT_EQ(doc.design().objects[0].aspect, 0.0);

    // Shift makes it half as high again as wide on paper: so it prints, and so it shows.
    dragHandle(grown.bottomLeft(), QPoint(0, int(grown.height() / 2)), Qt::ShiftModifier);
    const double shape = doc.design().objects[0].aspect;
    EXPECT_NEAR(shape, DesignGuides::paperAspect(doc.design().objects[0].rect, {Wide.width, Wide.height}), 1e-9);
    EXPECT_NEAR(shape, 2.0 / 3, 0.03);
    ASSERT_LT(doc.design().objects[0].rect.bottom(), 270);
    EXPECT_NEAR(aspectOf(onPaper(QStringLiteral("smal"))), shape, 0.02);
    EXPECT_NEAR(aspectOf(onScreen()), shape, 0.02);
    useCard(Tall);
    EXPECT_NEAR(aspectOf(onPaper(QStringLiteral("smal-ander"))), shape, 0.02);
    // A resize without Shift keeps the shape Shift gave it.
    const QRectF narrow = doc.design().objects[0].rect;
    dragHandle(narrow.bottomLeft(), QPoint(-15, 0), {});
    EXPECT_NEAR(DesignGuides::paperAspect(doc.design().objects[0].rect, {Tall.width, Tall.height}), shape, 1e-9);
    EXPECT_EQ(doc.design().objects[0].aspect, shape);

    // The shape is kept in the design file; an older file without it gives the logo's own.
    const QByteArray file = DesignFile::write(doc.design(), {QStringLiteral("Jan.logo.svg")});
    EXPECT_TRUE(file.contains("\nlogo.1.verhouding=")) << file.constData();
    const LineFont card = CardPainter::cardFont(doc.state());
    const DesignFile::Read read = DesignFile::read(file, card);
    ASSERT_EQ(read.design.objects.size(), 1u);
    EXPECT_EQ(read.design.objects[0].aspect, shape);
    EXPECT_EQ(read.design.objects[0].rect, doc.design().objects[0].rect);
    const QByteArray older = "Lumovander opmaak 1\nlogo.1.bestand=Jan.logo.svg\nlogo.1.plaats=300;20;90;120\n";
    for (const char *bad : {"", "0", "-2", "nan", "inf", "1e9", "0.0000001", "1;2"}) {
        const DesignFile::Read shaped = DesignFile::read(older + "logo.1.verhouding=" + bad + "\n", card);
        ASSERT_EQ(shaped.design.objects.size(), 1u) << bad;
        EXPECT_EQ(shaped.design.objects[0].aspect, 0.0) << bad;
        EXPECT_EQ(shaped.design.objects[0].rect, QRectF(300, 20, 90, 120)) << bad;
    }
}
