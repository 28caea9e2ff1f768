// The shipped templates look like their names: a regression to "Zee in magenta" or
// "Stippels without dots" fails here, and every run draws the same pixels.
#include "assets/TemplatePictures.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

struct Mean {
    double red = 0, green = 0, blue = 0;
    double light() const { return (red + green + blue) / 3; }
};

Mean mean(const QImage &picture, const QRect &area)
{
    Mean m;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            m.red += qRed(pixel);
            m.green += qGreen(pixel);
            m.blue += qBlue(pixel);
        }
    const double n = double(area.width()) * area.height();
    return {m.red / n, m.green / n, m.blue / n};
}

// Separate dark spots in a light area, counted by flood fill.
int darkSpots(const QImage &picture, const QRect &area)
{
    std::vector<char> seen(size_t(picture.width()) * picture.height());
    int spots = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            if (seen[size_t(y) * picture.width() + x] || qGray(picture.pixel(x, y)) > 160)
                continue;
            ++spots;
            std::vector<QPoint> todo{{x, y}};
            while (!todo.empty()) {
                const QPoint p = todo.back();
                todo.pop_back();
                if (!area.contains(p) || seen[size_t(p.y()) * picture.width() + p.x()] || qGray(picture.pixel(p)) > 160)
                    continue;
                seen[size_t(p.y()) * picture.width() + p.x()] = 1;
                todo.insert(todo.end(), {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)});
            }
        }
    return spots;
}

} // namespace

TEST(TemplatePictures, EveryTemplateTheScriptMakesIsDrawnTheSameOnEveryRun)
{
    QFile script(QStringLiteral(LUMO_SOURCE_DIR "/scripts/make-templates.sh"));
    ASSERT_TRUE(script.open(QIODevice::ReadOnly));
    QStringList scripted;
    const QRegularExpression line(QStringLiteral("^template ([A-Za-z]+)"), QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(QString::fromUtf8(script.readAll())); it.hasNext();)
        scripted << it.next().captured(1);
    EXPECT_EQ(scripted, TemplatePictures::names());
    for (const QString &name : TemplatePictures::names()) {
        const QImage picture = TemplatePictures::draw(name);
        EXPECT_EQ(picture.size(), QSize(440, 270)) << name.toStdString();
        EXPECT_EQ(picture, TemplatePictures::draw(name)) << name.toStdString();
    }
    EXPECT_TRUE(TemplatePictures::draw(QStringLiteral("Bos")).isNull());
}

TEST(TemplatePictures, EachLooksLikeItsName)
{
    const QImage sea = TemplatePictures::draw(QStringLiteral("Zee"));
    const Mean water = mean(sea, QRect(0, 235, 440, 35));
    EXPECT_GT(water.blue, water.red + 60) << "the sea is blue";
    EXPECT_GT(mean(sea, QRect(0, 0, 440, 120)).light(), 220) << "a light sky to write on";

    const QImage evening = TemplatePictures::draw(QStringLiteral("Avondlucht"));
    const Mean high = mean(evening, QRect(0, 0, 440, 60));
    EXPECT_LT(high.light(), 80) << "dark above";
    EXPECT_GT(high.blue, high.red + 20) << "and blue";
    int stars = 0;
    for (int y = 1; y < 150; ++y)
        for (int x = 1; x < 439; ++x)
            stars += qGray(evening.pixel(x, y)) > 150 && qGray(evening.pixel(x, y)) > qGray(evening.pixel(x - 1, y)) + 60;
    EXPECT_GE(stars, 20) << "with stars";

    const QImage sunset = TemplatePictures::draw(QStringLiteral("Zonsondergang"));
    const Mean low = mean(sunset, QRect(0, 150, 440, 60));
    EXPECT_GT(low.red, low.blue + 60) << "a warm sky near the horizon";

    const QImage dots = TemplatePictures::draw(QStringLiteral("Stippels"));
    EXPECT_GE(darkSpots(dots, QRect(300, 20, 130, 230)), 150) << "dots, not a gradient";
    EXPECT_EQ(darkSpots(dots, QRect(0, 0, 200, 270)), 0) << "a plain part for the lines";
}
