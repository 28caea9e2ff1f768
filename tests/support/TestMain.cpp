#include <QGuiApplication>
#include <gtest/gtest.h>

// GoogleTest cases may need a QGuiApplication (fonts, pictures, painting); widget
// tests use Qt Test's own main instead.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
