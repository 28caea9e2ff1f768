#include "window/MainWindow.h"
#include "window/FontConfigStart.h"
#include "program/StartupStyle.h"
#include "core/CardDocument.h"
#include "support/ScriptedQuestions.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The picture format plugins mapped into this process.
QStringList loadedPictureFormatPlugins()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return {QStringLiteral("(cannot read /proc/self/maps)")};
    QStringList plugins;
    for (const QByteArray &line : maps.readAll().split('\n'))
        if (line.contains("/imageformats/"))
            plugins << QString::fromUtf8(line.mid(line.lastIndexOf('/') + 1));
    plugins.removeDuplicates();
    return plugins;
}

QImage drawn(QWidget &widget, QStyle *style)
{
    widget.setStyle(style);
    widget.resize(160, 90);
    return widget.grab().toImage();
}

} // namespace

// First in this program: no test before it may have read a picture file.
TEST(StartupStyle, BuildingAndPaintingTheWindowLoadsNoPictureFormatPlugin)
{
    QApplication::setStyle(new StartupStyle);
    QTemporaryDir dir;
    CardDocument document;
    ScriptedQuestions questions;
    MainWindow window(document, questions, dir.filePath(QStringLiteral("Lumovander.ini")));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.grab();
    EXPECT_TRUE(loadedPictureFormatPlugins().isEmpty()) << loadedPictureFormatPlugins().join(u' ').toStdString();

    // The check itself: Qt's guessing reader does load them.
    QImage(QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"));
    EXPECT_FALSE(loadedPictureFormatPlugins().isEmpty());
}

TEST(StartupStyle, DrawsGroupBoxesAndTheMenuArrowAsTheFusionStyle)
{
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    StartupStyle startup(QStyleFactory::create(QStringLiteral("Fusion")));
    for (const QString &title : {QString(), QStringLiteral("Rand")}) {
        for (const bool checkable : {false, true}) {
            QGroupBox box(title);
            box.setCheckable(checkable);
            EXPECT_EQ(drawn(box, &startup), drawn(box, fusion.get()))
                << "title \"" << title.toStdString() << "\", checkable " << checkable;
        }
    }
    for (const auto arrow : {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton})
        for (const int size : {8, 16, 32})
            EXPECT_EQ(startup.standardIcon(arrow).pixmap(size).toImage(),
                      fusion->standardIcon(arrow).pixmap(size).toImage())
                << "arrow " << arrow << " at " << size;
}

// The program begins reading the font configuration on a thread before Qt starts; the
// window waits for it before its first text, and a reading nobody waited for is waited
// for when the program ends (a thread left running would end the program).
TEST(FontConfigStart, TheWindowWaitsForTheReadingBeforeItsFirstText)
{
    waitForFontConfig(); // none begun: returns at once
    {
        const FontConfigStart reading;
        QTemporaryDir dir;
        CardDocument document;
        ScriptedQuestions questions;
        MainWindow window(document, questions, dir.filePath(QStringLiteral("Lumovander.ini")));
        EXPECT_FALSE(window.grab().isNull());
        waitForFontConfig(); // already waited for: returns at once
    }
    const FontConfigStart neverWaitedFor;
}
