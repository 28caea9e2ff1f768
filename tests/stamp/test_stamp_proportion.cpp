#include "core/CardDocument.h"
#include "stamp/PhotoWorkspace.h"
#include "StampTestFiles.h"
#include "support/ImageCompare.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace StampTestFiles;

namespace {

constexpr int Left = 1;

// A black circle of radius 100 around (300, 300) on white.
QImage circlePhoto()
{
    QImage photo(640, 620, QImage::Format_RGB32);
    photo.fill(Qt::white);
    QPainter painter(&photo);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPointF(300, 300), 100, 100);
    return photo;
}

class StampProportionTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    CardDocument document;
    PhotoWorkspace workspace{document};

    void load(const QImage &photo) { ASSERT_TRUE(workspace.loadPhoto(write(dir, "foto.bmp", encoded(photo, "BMP")))); }
    // A drag from `from` with Shift held on every move (and released there).
    QRect shiftDrag(QPointF from, QPointF to)
    {
        workspace.mouseDown(Left, from);
        workspace.mouseMove(Left, (from + to) / 2, true);
        workspace.mouseMove(Left, to, true);
        const QRect cut = workspace.selection().cutRect();
        workspace.mouseUp(Left, to);
        return cut;
    }
};

TEST_F(StampProportionTest, AShiftDragKeepsThePhotoWindowsProportionFromTheStart)
{
    load(numbered(640, 480));
    for (const int layout : {2, 3}) {
        document.applyLayout(layout);
        const QSize window = layout == 3 ? QSize(164, 124) : QSize(124, 164);
        for (const QPointF to : {QPointF(300, 40), QPointF(40, 300), QPointF(150, 150), QPointF(11, 11),
                                 QPointF(200.4, 90.6)}) {
            const QRect cut = shiftDrag({10, 10}, to);
            EXPECT_EQ(cut.topLeft(), QPoint(10, 10));
            // The rectangle reaches the pointer, and one side ends there.
            EXPECT_TRUE(cut.right() >= std::lround(to.x()) && cut.bottom() >= std::lround(to.y()));
            EXPECT_TRUE(cut.right() == std::lround(to.x()) || cut.bottom() == std::lround(to.y()));
            EXPECT_NEAR(double(cut.width()) * window.height() / window.width(), cut.height(), 1.0)
                << layout << " to " << to.x() << "," << to.y();
        }
    }
}

TEST_F(StampProportionTest, CirclesCutWithShiftStayRoundInTheStamp)
{
    load(circlePhoto());
    document.applyLayout(2);
    shiftDrag({150, 150}, {450, 300});
    const QRect circle = ImageCompare::darkExtent(document.stamp().image(), QRect(8, 8, 124, 164));
    ASSERT_FALSE(circle.isEmpty());
    EXPECT_NEAR(circle.width(), circle.height(), 1);

    // Free, a square drag stretches the circle to the tall window.
    workspace.mouseDown(Left, {150, 150});
    workspace.mouseMove(Left, {450, 450});
    workspace.mouseUp(Left, {450, 450});
    const QRect squeezed = ImageCompare::darkExtent(document.stamp().image(), QRect(8, 8, 124, 164));
    EXPECT_GT(squeezed.height() - squeezed.width(), 20);
}

} // namespace
