#pragma once

#include "core/CardDocument.h"
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
