#pragma once

#include "core/CardDocument.h"
#include "core/ViewChoices.h"
#include "window/MainWindow.h"
#include "support/ScriptedQuestions.h"

#include <QAction>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A designer window on a fresh card, with scripted answers and its settings file in a
// folder of its own.
class WindowFixture : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString settingsPath = dir.filePath(QStringLiteral("Lumovander.ini"));
    // Most window tests place the mouse and read pixels by the canvas's own 440 x 270;
    // the printed view and the safety margin have tests of their own.
    bool canvasView = ViewChoices{false, false}.write(ViewChoices::besideSettings(settingsPath));
    CardDocument doc;
    ScriptedQuestions questions;
    MainWindow window{doc, questions, settingsPath};

    template <typename T = QWidget>
    T *control(const QString &name)
    {
        T *found = window.findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    void trigger(const QString &name) { window.action(name)->trigger(); }
};
